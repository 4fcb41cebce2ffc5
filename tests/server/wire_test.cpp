// Reply payload layout and login frame parsing, on byte buffers.
#include "result_table.h"
#include "session_io.h"

#include "base/utf8.h"

#include <gtest/gtest.h>

using namespace vela;

namespace {

std::string u32(uint32_t v)
{
    return std::string(reinterpret_cast<const char *>(&v), 4);
}

TEST(server_wire, result_without_rows_has_names_and_no_descriptors)
{
    result_table t;
    t.names = {"a", "bc"};
    t.types = {col_type::i32, col_type::s08};
    std::string out;
    encode_result(t, out);
    std::string want = std::string("\x02\0\0\0\0\0\0\0", 8) + std::string("\x01\0\0\0\0\0\0\0", 8) +
                       "a" + std::string("\x02\0\0\0\0\0\0\0", 8) + "bc" + std::string(8, '\0');
    EXPECT_EQ(out, want);
}

TEST(server_wire, rows_carry_sid_and_values_in_descriptor_layout)
{
    result_table t;
    t.names = {"i", "s", "d", "t"};
    t.types = {col_type::i16, col_type::s16, col_type::date, col_type::time};
    result_row r;
    r.sid = 0x0102030405060708ull;
    value d;
    d.type = col_type::date;
    d.dt.year = 2024, d.dt.month = 2, d.dt.day = 29;
    value tm;
    tm.type = col_type::time;
    tm.dt.hour = 12, tm.dt.minute = 5, tm.dt.second = 9, tm.dt.nanos = 120000000;
    r.cells = {value::of_int(-2, col_type::i16), value::of_str("xy", col_type::s16), d, tm};
    t.rows.push_back(r);
    std::string out;
    encode_result(t, out);
    size_t names = 8 + 4 * 9;
    ASSERT_EQ(out.size(), names + 8 + 12 + 8 + 2 + 4 + 4 + 7);
    const char *p = out.data() + names;
    EXPECT_EQ(p[0], 1); // one row
    p += 8;
    EXPECT_EQ(std::string(p, 12), std::string("\x01\x00\x00"
                                              "\x06\x00\x02"
                                              "\x00\x00\x03"
                                              "\x00\x00\x04",
                                              12));
    p += 12;
    EXPECT_EQ(std::string(p, 8), std::string("\x08\x07\x06\x05\x04\x03\x02\x01", 8));
    p += 8;
    EXPECT_EQ(std::string(p, 2), std::string("\xfe\xff", 2));
    p += 2;
    EXPECT_EQ(std::string(p, 4), std::string("\x02\x00xy", 4));
    p += 4;
    EXPECT_EQ(std::string(p, 4), std::string("\xe8\x07\x02\x1d", 4));
    p += 4;
    uint32_t frac = 120000000;
    EXPECT_EQ(std::string(p, 7),
              std::string("\x0c\x05\x09", 3) + std::string(reinterpret_cast<char *>(&frac), 4));
}

TEST(server_wire, login_body_lengths_must_add_up_exactly)
{
    login_request r;
    ASSERT_TRUE(parse_login_body(u32(5) + "admin" + u32(2) + "pw", r));
    EXPECT_EQ(r.user, "admin");
    EXPECT_EQ(r.password, "pw");
    ASSERT_TRUE(parse_login_body(u32(0) + u32(0), r));
    EXPECT_EQ(r.user, "");
    EXPECT_FALSE(parse_login_body(u32(5) + "admin" + u32(3) + "pw", r));
    EXPECT_FALSE(parse_login_body(u32(0xFFFFFFF0u) + "x" + u32(0), r));
    EXPECT_FALSE(parse_login_body(u32(1) + "a" + u32(0xFFFFFFFFu), r));
    EXPECT_FALSE(parse_login_body("abc", r));
    EXPECT_FALSE(parse_login_body(u32(0) + u32(0) + "extra", r));
}

TEST(server_wire, a_refusal_reason_is_always_valid_utf8)
{
    const std::string bad = "\xEF\xBF\xBD";
    EXPECT_EQ(utf8::sanitise("no table t \xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80"),
              "no table t \xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80");
    EXPECT_EQ(utf8::sanitise(std::string("a\0b", 3)), std::string("a\0b", 3));
    EXPECT_EQ(utf8::sanitise("no table \xFF"), "no table " + bad);
    EXPECT_EQ(utf8::sanitise("\xC3"), bad) << "a lead byte at the end";
    EXPECT_EQ(utf8::sanitise("\xC3x"), bad + "x");
    EXPECT_EQ(utf8::sanitise("\xC0\x80"), bad + bad) << "an overlong form";
    EXPECT_EQ(utf8::sanitise("\xED\xA0\x80"), bad + bad + bad) << "a surrogate";
    EXPECT_EQ(utf8::sanitise("\xF4\x90\x80\x80"), bad + bad + bad + bad) << "beyond U+10FFFF";
    EXPECT_EQ(utf8::sanitise("\x80\xE4\xB8"), bad + bad + bad);
}

} // namespace
