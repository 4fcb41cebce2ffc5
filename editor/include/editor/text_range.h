#pragma once

#include <cstdint>
#include <vector>

// A half-open byte range [begin, end) in a UTF-8 text.
struct text_range {
    int32_t begin = 0;
    int32_t end = 0;
    bool operator==(const text_range &o) const { return begin == o.begin && end == o.end; }
    bool contains(int32_t p) const { return p >= begin && p < end; }
};

using range_list = std::vector<text_range>;

// Word characters: 0-9, A-Z, _ and a-z. Every other byte separates words.
inline bool is_word_byte(unsigned char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || c == '_' || (c >= 'a' && c <= 'z');
}
