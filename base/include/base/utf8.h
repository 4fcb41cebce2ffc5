// UTF-8 helpers over raw bytes. Every decoder in the tree treats the same sequences as
// well-formed: no overlong forms, no surrogates, nothing above U+10FFFF.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace utf8 {

constexpr uint32_t max_code_point = 0x10FFFF;
constexpr uint32_t replacement = 0xFFFD;
// U+FFFD as UTF-8.
constexpr const char *replacement_bytes = "\xEF\xBF\xBD";

inline bool is_cont(unsigned char c)
{
    return (c & 0xC0) == 0x80;
}

// Length of the well-formed sequence that starts at p, 0 when there is none (a stray
// continuation byte, a truncated or overlong sequence, a surrogate, or a code point
// above U+10FFFF). p must be below n.
inline int seq_len(const unsigned char *s, size_t n, size_t p)
{
    unsigned char c = s[p];
    if (c < 0x80) return 1;
    size_t left = n - p;
    if (c >= 0xC2 && c <= 0xDF) return left >= 2 && is_cont(s[p + 1]) ? 2 : 0;
    if (c >= 0xE0 && c <= 0xEF) {
        if (left < 3 || !is_cont(s[p + 1]) || !is_cont(s[p + 2])) return 0;
        if (c == 0xE0 && s[p + 1] < 0xA0) return 0;  // overlong
        if (c == 0xED && s[p + 1] >= 0xA0) return 0; // surrogate
        return 3;
    }
    if (c >= 0xF0 && c <= 0xF4) {
        if (left < 4 || !is_cont(s[p + 1]) || !is_cont(s[p + 2]) || !is_cont(s[p + 3])) return 0;
        if (c == 0xF0 && s[p + 1] < 0x90) return 0;  // overlong
        if (c == 0xF4 && s[p + 1] >= 0x90) return 0; // above U+10FFFF
        return 4;
    }
    return 0;
}

inline int seq_len(const char *s, size_t n, size_t p)
{
    return seq_len(reinterpret_cast<const unsigned char *>(s), n, p);
}

// Length of the character that starts at p: the length of a well-formed sequence, or 1
// for any byte that does not start one. Treating broken bytes as one-byte characters keeps
// every cursor position a character boundary whatever the text holds. 0 at or past n.
inline int char_len(const char *s, size_t n, size_t p)
{
    if (p >= n) return 0;
    int l = seq_len(s, n, p);
    return l ? l : 1;
}

// Start of the character that ends at p (p > 0), consistent with char_len.
inline size_t prev_char(const char *s, size_t n, size_t p)
{
    if (p == 0 || p > n) return p > n ? n : 0;
    auto u = reinterpret_cast<const unsigned char *>(s);
    // A well-formed sequence ending exactly at p starts at most 3 bytes back.
    for (size_t back = 2; back <= 4 && back <= p; ++back) {
        size_t q = p - back;
        if (!is_cont(u[q + 1])) break;
        if (!is_cont(u[q]) && seq_len(u, n, q) == static_cast<int>(back)) return q;
        if (!is_cont(u[q])) break;
    }
    return p - 1;
}

// Cells a character takes on screen: one for a one-byte character, two otherwise.
inline int cells(int len)
{
    return len == 1 ? 1 : 2;
}

// The code point of a well-formed sequence at p, or the byte itself when none starts there.
inline uint32_t decode(const char *s, size_t n, size_t p)
{
    auto u = reinterpret_cast<const unsigned char *>(s);
    switch (seq_len(u, n, p)) {
    case 2:
        return ((u[p] & 0x1Fu) << 6) | (u[p + 1] & 0x3Fu);
    case 3:
        return ((u[p] & 0x0Fu) << 12) | ((u[p + 1] & 0x3Fu) << 6) | (u[p + 2] & 0x3Fu);
    case 4:
        return ((u[p] & 0x07u) << 18) | ((u[p + 1] & 0x3Fu) << 12) | ((u[p + 2] & 0x3Fu) << 6) |
               (u[p + 3] & 0x3Fu);
    default:
        return u[p];
    }
}

// True for a code point that UTF-8 can carry: up to U+10FFFF, surrogates excluded.
inline bool is_scalar(uint32_t cp)
{
    return cp <= max_code_point && !(cp >= 0xD800 && cp <= 0xDFFF);
}

// Appends cp as UTF-8. A value that is no scalar value (a surrogate, or anything above
// U+10FFFF) is written as U+FFFD, so the output is always well-formed.
inline void encode(std::string &out, uint32_t cp)
{
    if (!is_scalar(cp)) cp = replacement;
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// True when every byte belongs to a well-formed sequence.
inline bool valid(const char *s, size_t n)
{
    for (size_t i = 0; i < n;) {
        int l = seq_len(s, n, i);
        if (l == 0) return false;
        i += static_cast<size_t>(l);
    }
    return true;
}

// Every byte that is not part of a well-formed sequence replaced by U+FFFD, so that the
// text is safe to show and can never join with its neighbours into another character.
inline std::string sanitise(const char *s, size_t n)
{
    std::string out;
    out.reserve(n);
    size_t i = 0;
    while (i < n) {
        int l = seq_len(s, n, i);
        if (l == 0) {
            out += replacement_bytes;
            ++i;
        } else {
            out.append(s + i, static_cast<size_t>(l));
            i += static_cast<size_t>(l);
        }
    }
    return out;
}

inline std::string sanitise(const std::string &in)
{
    return sanitise(in.data(), in.size());
}

// The largest length up to max at which s may be cut without splitting a sequence: steps
// back over continuation bytes.
inline size_t cut_point(const char *s, size_t n, size_t max)
{
    if (n <= max) return n;
    size_t p = max;
    while (p > 0 && is_cont(static_cast<unsigned char>(s[p]))) --p;
    return p;
}

} // namespace utf8
