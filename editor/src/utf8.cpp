#include "editor/utf8.h"

namespace utf8 {

namespace {

bool cont(unsigned char c)
{
    return (c & 0xC0) == 0x80;
}

// Length of a well-formed sequence at p, 0 when there is none.
int seq_len(const unsigned char *s, size_t n, size_t p)
{
    unsigned char c = s[p];
    if (c < 0x80) return 1;
    size_t left = n - p;
    if (c >= 0xC2 && c <= 0xDF) return left >= 2 && cont(s[p + 1]) ? 2 : 0;
    if (c >= 0xE0 && c <= 0xEF) {
        if (left < 3 || !cont(s[p + 1]) || !cont(s[p + 2])) return 0;
        if (c == 0xE0 && s[p + 1] < 0xA0) return 0;  // overlong
        if (c == 0xED && s[p + 1] >= 0xA0) return 0; // surrogate
        return 3;
    }
    if (c >= 0xF0 && c <= 0xF4) {
        if (left < 4 || !cont(s[p + 1]) || !cont(s[p + 2]) || !cont(s[p + 3])) return 0;
        if (c == 0xF0 && s[p + 1] < 0x90) return 0;
        if (c == 0xF4 && s[p + 1] >= 0x90) return 0;
        return 4;
    }
    return 0;
}

} // namespace

int char_len(const char *s, size_t n, size_t p)
{
    if (p >= n) return 0;
    int l = seq_len(reinterpret_cast<const unsigned char *>(s), n, p);
    return l ? l : 1;
}

size_t prev_char(const char *s, size_t n, size_t p)
{
    if (p == 0 || p > n) return p > n ? n : 0;
    auto u = reinterpret_cast<const unsigned char *>(s);
    // A well-formed sequence ending exactly at p starts at most 3 bytes back.
    for (size_t back = 2; back <= 4 && back <= p; ++back) {
        size_t q = p - back;
        if (!cont(u[q + 1])) break;
        if (!cont(u[q]) && seq_len(u, n, q) == static_cast<int>(back)) return q;
        if (!cont(u[q])) break;
    }
    return p - 1;
}

uint32_t decode(const char *s, size_t n, size_t p)
{
    auto u = reinterpret_cast<const unsigned char *>(s);
    int l = seq_len(u, n, p);
    switch (l) {
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

std::string sanitise(const std::string &in)
{
    std::string out;
    out.reserve(in.size());
    auto u = reinterpret_cast<const unsigned char *>(in.data());
    size_t i = 0;
    while (i < in.size()) {
        int l = seq_len(u, in.size(), i);
        if (l == 0) {
            out += "\xEF\xBF\xBD";
            ++i;
        } else {
            out.append(in, i, static_cast<size_t>(l));
            i += static_cast<size_t>(l);
        }
    }
    return out;
}

} // namespace utf8
