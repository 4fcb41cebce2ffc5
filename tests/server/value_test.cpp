// Values, conversions and password hashing of the server, without a network.
#include "sha256.h"
#include "user_store.h"
#include "value.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>

using namespace vela;

namespace {

bool fits(const value &v, col_type t, value *out = nullptr)
{
    value r;
    std::string err;
    bool ok = convert_value(v, t, r, err);
    if (out) *out = r;
    return ok;
}

TEST(server_value, integer_ranges_are_checked_at_both_ends)
{
    EXPECT_TRUE(fits(value::of_int(255), col_type::u08));
    EXPECT_FALSE(fits(value::of_int(256), col_type::u08));
    EXPECT_FALSE(fits(value::of_int(-1), col_type::u64));
    EXPECT_TRUE(fits(value::of_int(-128), col_type::i08));
    EXPECT_FALSE(fits(value::of_int(-129), col_type::i08));
    EXPECT_TRUE(fits(value::of_int(INT32_MIN), col_type::i32));
    EXPECT_FALSE(fits(value::of_int(int64_t(INT32_MAX) + 1), col_type::i32));
    EXPECT_FALSE(fits(value::of_uint(UINT64_MAX), col_type::i64));
    value r;
    ASSERT_TRUE(fits(value::of_uint(UINT64_MAX), col_type::u64, &r));
    EXPECT_EQ(r.u(), UINT64_MAX);
    EXPECT_FALSE(fits(value::of_real(1.5), col_type::i32));
    EXPECT_TRUE(fits(value::of_real(-2.0), col_type::i32, &r));
    EXPECT_EQ(r.i, -2);
    EXPECT_FALSE(fits(value::of_real(1e20), col_type::i64));
    // texts: decimal, hexadecimal, binary with the grid's blanks
    ASSERT_TRUE(fits(value::of_str("0b0000 1010"), col_type::u08, &r));
    EXPECT_EQ(r.i, 10);
    ASSERT_TRUE(fits(value::of_str("0x7f"), col_type::i08, &r));
    EXPECT_EQ(r.i, 127);
    EXPECT_FALSE(fits(value::of_str("12a"), col_type::i32));
    EXPECT_FALSE(fits(value::of_str(""), col_type::i32));
}

TEST(server_value, strings_hold_at_most_capacity_minus_one_bytes)
{
    EXPECT_EQ(str_capacity(col_type::s04), 3u);
    EXPECT_EQ(str_capacity(col_type::s256), 255u);
    EXPECT_TRUE(fits(value::of_str("abc"), col_type::s04));
    EXPECT_FALSE(fits(value::of_str("abcd"), col_type::s04));
    EXPECT_TRUE(fits(value::of_str(std::string(255, 'x')), col_type::s256));
    EXPECT_FALSE(fits(value::of_str(std::string(256, 'x')), col_type::s256));
    value r;
    ASSERT_TRUE(fits(value::of_real(0.1), col_type::s32, &r));
    EXPECT_EQ(r.s, "0.1");
}

TEST(server_value, dates_and_times_are_validated)
{
    date_time d;
    EXPECT_TRUE(parse_date("2024-02-29", d));
    EXPECT_FALSE(parse_date("2023-02-29", d));
    EXPECT_FALSE(parse_date("1900-02-29", d));
    EXPECT_TRUE(parse_date("2000-02-29", d));
    EXPECT_FALSE(parse_date("2024-13-01", d));
    EXPECT_FALSE(parse_date("0000-01-01", d));
    EXPECT_FALSE(parse_date("2024-1-01", d));
    EXPECT_TRUE(parse_time("23:59:59.5", d));
    EXPECT_EQ(d.nanos, 500000000);
    EXPECT_FALSE(parse_time("24:00:00", d));
    EXPECT_FALSE(parse_time("12:00:00.1234567890", d));
    EXPECT_FALSE(parse_time("12:00:00.", d));
    EXPECT_TRUE(parse_datetime("2019-04-23T10:11:12", d));
    EXPECT_TRUE(parse_datetime("2019-04-23 10:11:12.000", d));
    EXPECT_FALSE(parse_datetime("2019-04-23", d));
    d.nanos = 120000000;
    EXPECT_EQ(format_time(d), "10:11:12.12");
    int y, m, dd;
    civil_from_days(days_from_civil(1, 1, 1), y, m, dd);
    EXPECT_EQ(y * 10000 + m * 100 + dd, 10101);
    EXPECT_EQ(days_from_civil(1970, 1, 1), 0);
}

TEST(server_value, comparisons_promote_numbers_and_read_texts_as_dates)
{
    int c;
    ASSERT_TRUE(compare_values(value::of_uint(UINT64_MAX), value::of_int(-1), c));
    EXPECT_GT(c, 0);
    ASSERT_TRUE(compare_values(value::of_int(2), value::of_real(2.5), c));
    EXPECT_LT(c, 0);
    value day;
    day.type = col_type::date;
    parse_date("2024-05-01", day.dt);
    ASSERT_TRUE(compare_values(day, value::of_str("2024-04-30"), c));
    EXPECT_GT(c, 0);
    EXPECT_FALSE(compare_values(value::of_str("5"), value::of_int(5), c));
    EXPECT_FALSE(compare_values(day, value::of_str("not a date"), c));
}

TEST(server_value, a_float_meets_a_double_at_single_precision)
{
    value stored;
    ASSERT_TRUE(fits(value::of_real(0.1), col_type::flt, &stored));
    int c = 9;
    ASSERT_TRUE(compare_values(stored, value::of_real(0.1), c));
    EXPECT_EQ(c, 0) << "the 0.1 written into a float column is found again by == 0.1";
    ASSERT_TRUE(compare_values(value::of_real(0.100000001), stored, c));
    EXPECT_EQ(c, 0) << "the grid's nine-decimal text of it as well";
    ASSERT_TRUE(compare_values(stored, value::of_real(0.1000001), c));
    EXPECT_LT(c, 0);
    // Doubles among themselves keep their full precision.
    ASSERT_TRUE(compare_values(value::of_real(0.1), value::of_real(0.100000001), c));
    EXPECT_LT(c, 0);
    // A double beyond the float range is not squeezed into it.
    ASSERT_TRUE(compare_values(value::of_real(3e38f, col_type::flt), value::of_real(1e300), c));
    EXPECT_LT(c, 0);
}

TEST(server_value, a_text_converts_in_place_as_it_does_as_a_string_value)
{
    // The quick readings of plain numbers and short texts must agree with the general one,
    // in the value and in the reason, for every type.
    const char *texts[] = {"0",
                           "-0",
                           "+7",
                           "255",
                           "256",
                           "-1",
                           "-128",
                           "-129",
                           "65535",
                           "4294967296",
                           "9223372036854775807",
                           "9223372036854775808",
                           "-9223372036854775808",
                           "-9223372036854775809",
                           "18446744073709551615",
                           "18446744073709551616",
                           "99999999999999999999",
                           "0x1f",
                           "0b101",
                           " 12",
                           "1 2",
                           "12 ",
                           "",
                           "-",
                           "+",
                           "1.5",
                           ".5",
                           "5.",
                           "1e5",
                           "1e",
                           "-2.5e-300",
                           "1e999",
                           "-1e999",
                           "1e-400",
                           "3.5e38",
                           "3.4e38",
                           "inf",
                           "-Infinity",
                           "nan",
                           "0x1p3",
                           "abc",
                           "2024-02-29",
                           "23:59:59.5",
                           "2024-02-29 10:00:00",
                           "toolongforsixteen"};
    for (int ti = 0; ti < 20; ++ti) {
        col_type t = col_type(ti);
        value reused = value::of_str("left over from before", col_type::s256);
        for (const char *text : texts) {
            value want, got = reused;
            std::string want_err, got_err;
            bool ok = convert_value(value::of_str(text), t, want, want_err);
            ASSERT_EQ(convert_text(text, t, got, got_err), ok) << text << " " << type_name(t);
            EXPECT_EQ(got_err, want_err) << text << " " << type_name(t);
            if (!ok) continue;
            EXPECT_EQ(got.type, want.type);
            EXPECT_EQ(value_text(got), value_text(want)) << text << " " << type_name(t);
            reused = got;
        }
    }
}

TEST(server_value, reals_are_written_as_the_shortest_printf_text_that_reads_back)
{
    // The texts files and scripts hold: "%.15g" up to "%.17g" ("%.6g" for a float), the
    // first that reads back to the same value.
    auto printf_text = [](double d, bool single) {
        char buf[64];
        for (int prec = single ? 6 : 15; prec <= 17; ++prec) {
            std::snprintf(buf, sizeof buf, "%.*g", prec, d);
            double back = std::strtod(buf, nullptr);
            if (single ? float(back) == float(d) : back == d) break;
        }
        return std::string(buf);
    };
    std::mt19937_64 gen(12345);
    std::vector<double> cases = {
        0.1, 0.1 + 0.2, -0.0, 1e22, 1e15, 123456789012345680000.0, 5e-324, 1.7976931348623157e308,
        2.5, 1.0 / 3};
    for (int i = 0; i < 20000; ++i) {
        uint64_t bits = gen();
        double d;
        std::memcpy(&d, &bits, 8);
        if (std::isfinite(d)) cases.push_back(d);
        cases.push_back(double(int64_t(bits % 2000001) - 1000000) / 64);
        // Up to 15 digits at every scale, where the layout switches between the two forms.
        std::string digits = std::to_string(bits % 1000000000000000u);
        cases.push_back((i % 2 ? -1 : 1) * std::stod(digits.substr(0, 1 + i % digits.size()) + "e" +
                                                     std::to_string(i % 60 - 30)));
    }
    for (double d : cases) {
        EXPECT_EQ(value_text(value::of_real(d)), printf_text(d, false)) << d;
        double f = double(float(d));
        if (std::isfinite(f)) {
            EXPECT_EQ(value_text(value::of_real(f, col_type::flt)), printf_text(f, true)) << f;
        }
    }
}

TEST(server_value, sha256_matches_known_digests_and_passwords_are_salted)
{
    auto hex = [](const std::string &s) {
        sha256_digest d = sha256_of(s);
        return to_hex(d.data(), d.size());
    };
    EXPECT_EQ(hex(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    EXPECT_EQ(hex("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    EXPECT_EQ(hex(std::string(1000, 'a')).size(), 64u);
    EXPECT_EQ(hex("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
              "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
    EXPECT_NE(hash_password("s1", "pw", 10), hash_password("s2", "pw", 10));
    EXPECT_NE(hash_password("s1", "pw", 10), hash_password("s1", "pw", 11));
    EXPECT_EQ(hash_password("s1", "pw", 10), hash_password("s1", "pw", 10));
}

TEST(server_users, an_overlong_password_is_refused_without_costing_a_login_seconds)
{
    char tmpl[] = "/tmp/vela_users_XXXXXX";
    ASSERT_NE(::mkdtemp(tmpl), nullptr);
    user_store users(std::string(tmpl) + "/users");
    std::string err;
    ASSERT_TRUE(users.load(err)) << err;
    const std::string longest(user_store::k_max_password, 'p'),
        longer(user_store::k_max_password + 1, 'p');
    EXPECT_FALSE(users.set_user("bob", longer, err));
    EXPECT_NE(err.find("at most"), std::string::npos) << err;
    ASSERT_TRUE(users.set_user("bob", longest, err)) << err;
    EXPECT_TRUE(users.check("bob", longest));
    EXPECT_FALSE(users.check("bob", longer));
    EXPECT_FALSE(users.check("bob", longest.substr(1)));
    // A 64 KiB password (what a login frame may carry) is turned away at once; hashing it
    // 20000 times took seconds per attempt.
    EXPECT_FALSE(users.check("nobody", std::string(65000, 'x')));
    std::filesystem::remove_all(tmpl);
}

} // namespace
