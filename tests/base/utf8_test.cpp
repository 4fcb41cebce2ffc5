#include <gtest/gtest.h>

#include <string>

#include "base/utf8.h"

namespace {

const std::string bad = "\xEF\xBF\xBD";

struct seq_case {
    const char *name;
    std::string bytes;
    int len; // of the sequence at 0; 0 when none is well-formed
};

// The edges every decoder in the tree must agree on.
TEST(utf8, well_formed_sequences_and_their_edges)
{
    const seq_case cases[] = {
        {"ascii", "a", 1},
        {"nul", std::string(1, '\0'), 1},
        {"two bytes", "\xC3\xA9", 2},
        {"lowest two-byte lead is overlong", "\xC1\xBF", 0},
        {"three bytes", "\xE4\xB8\xAD", 3},
        {"overlong three", "\xE0\x9F\xBF", 0},
        {"last before surrogates", "\xED\x9F\xBF", 3},
        {"surrogate", "\xED\xA0\x80", 0},
        {"four bytes", "\xF0\x9F\x98\x80", 4},
        {"overlong four", "\xF0\x8F\xBF\xBF", 0},
        {"U+10FFFF", "\xF4\x8F\xBF\xBF", 4},
        {"U+110000", "\xF4\x90\x80\x80", 0},
        {"F5 lead", "\xF5\x80\x80\x80", 0},
        {"stray continuation", "\x80", 0},
        {"truncated at the end", "\xE4\xB8", 0},
        {"lead then ascii", "\xC3x", 0},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(utf8::seq_len(c.bytes.data(), c.bytes.size(), 0), c.len) << c.name;
        EXPECT_EQ(utf8::char_len(c.bytes.data(), c.bytes.size(), 0), c.len ? c.len : 1) << c.name;
        EXPECT_EQ(utf8::valid(c.bytes.data(), c.bytes.size()), c.len == int(c.bytes.size()))
            << c.name;
        EXPECT_EQ(utf8::sanitise(c.bytes) == c.bytes, c.len == int(c.bytes.size())) << c.name;
    }
}

TEST(utf8, encode_round_trips_every_scalar_edge_and_replaces_the_rest)
{
    for (uint32_t cp :
         {0x0u, 0x7Fu, 0x80u, 0x7FFu, 0x800u, 0xD7FFu, 0xE000u, 0xFFFFu, 0x10000u, 0x10FFFFu}) {
        std::string s;
        utf8::encode(s, cp);
        ASSERT_EQ(utf8::seq_len(s.data(), s.size(), 0), int(s.size())) << std::hex << cp;
        EXPECT_EQ(utf8::decode(s.data(), s.size(), 0), cp) << std::hex << cp;
    }
    for (uint32_t cp : {0xD800u, 0xDFFFu, 0x110000u, 0xFFFFFFFFu}) {
        std::string s;
        utf8::encode(s, cp);
        EXPECT_EQ(s, bad) << std::hex << cp;
    }
}

TEST(utf8, sanitise_replaces_each_broken_byte_and_keeps_the_rest)
{
    EXPECT_EQ(utf8::sanitise(std::string("a\0b", 3)), std::string("a\0b", 3));
    EXPECT_EQ(utf8::sanitise("x\xFFy"), "x" + bad + "y");
    EXPECT_EQ(utf8::sanitise("\xED\xA0\x80"), bad + bad + bad);
    EXPECT_EQ(utf8::sanitise("\x80\xE4\xB8"), bad + bad + bad);
}

TEST(utf8, stepping_back_and_cutting_land_on_character_starts)
{
    const std::string s = "a\xC3\xA9\xF0\x9F\x98\x80\x80"; // a, é, emoji, stray byte
    EXPECT_EQ(utf8::prev_char(s.data(), s.size(), 8), 7u) << "a stray byte is its own char";
    EXPECT_EQ(utf8::prev_char(s.data(), s.size(), 7), 3u);
    EXPECT_EQ(utf8::prev_char(s.data(), s.size(), 3), 1u);
    EXPECT_EQ(utf8::prev_char(s.data(), s.size(), 1), 0u);
    for (size_t max = 0; max <= s.size(); ++max) {
        size_t p = utf8::cut_point(s.data(), s.size(), max);
        EXPECT_LE(p, max);
        EXPECT_TRUE(p == s.size() || !utf8::is_cont(static_cast<unsigned char>(s[p]))) << max;
    }
    EXPECT_EQ(utf8::cut_point(s.data(), s.size(), 5), 3u);
    EXPECT_EQ(utf8::cut_point(s.data(), s.size(), 100), s.size());
}

} // namespace
