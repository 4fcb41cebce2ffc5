#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace utf8 {

// Length of the character that starts at p: the length of a well-formed UTF-8 sequence,
// or 1 for any byte that does not start one (stray continuation bytes, truncated or
// overlong sequences). Treating broken bytes as one-byte characters keeps every cursor
// position a character boundary whatever the text holds.
int char_len(const char *s, size_t n, size_t p);

// Start of the character that ends at p (p > 0), consistent with char_len.
size_t prev_char(const char *s, size_t n, size_t p);

// Cells a character takes on screen: one for a one-byte character, two otherwise.
inline int cells(int len)
{
    return len == 1 ? 1 : 2;
}

// Replaces every ill-formed sequence by U+FFFD, so that inserted text can never join
// with its neighbours into a character that straddles the cursor.
std::string sanitise(const std::string &in);

// Decodes the code point of a well-formed sequence (char_len > 1) or returns the byte.
uint32_t decode(const char *s, size_t n, size_t p);

} // namespace utf8
