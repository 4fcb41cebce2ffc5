#include "number_text.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstring>

using namespace number_text;

namespace {

enum { U08, I08, U16, I16, U32, I32, U64, I64 };

std::string fmt(int kind, int64_t v, int mode, bool sign = false, bool suffix = false,
                bool group = false)
{
    int_form f;
    f.mode = mode;
    f.sign = sign;
    f.suffix = suffix;
    f.group = group;
    return format_int(kind, from_signed(v), f);
}

verdict check(int kind, const char *text, int mode, bool sign = false, bool suffix = false,
              int_value *out = nullptr)
{
    int_form f;
    f.mode = mode;
    f.sign = sign;
    f.suffix = suffix;
    return check_int(kind, text, std::strlen(text), f, out);
}

verdict rcheck(bool dbl, const char *text, bool sign = false, bool suffix = false,
               double *out = nullptr)
{
    return check_real(dbl, text, std::strlen(text), sign, suffix, out);
}

} // namespace

TEST(IntegerTextForm, BinaryHexAndDecimalWidths)
{
    EXPECT_EQ(fmt(U08, 5, mode_bin, false, false, true), "0b0000 0101");
    EXPECT_EQ(fmt(I08, 5, mode_bin), "0b00000101");
    EXPECT_EQ(fmt(U08, 10, mode_bin, false, false, true), "0b0000 1010");
    EXPECT_EQ(fmt(I32, 255, mode_hex, true, true), "+0x000000ffu4");
    EXPECT_EQ(fmt(I08, -128, mode_hex), "-0x80");
    EXPECT_EQ(fmt(I08, -128, mode_bin), "-0b10000000");
    EXPECT_EQ(fmt(I16, -5, mode_dec, true, true), "-5u2");
    EXPECT_EQ(fmt(U16, 0, mode_dec, true), "+0");
    EXPECT_EQ(fmt(U32, 1234567, mode_dec, false, false, true), "1 234 567");
    EXPECT_EQ(fmt(U64, 0, mode_hex), "0x0000000000000000");
}

TEST(IntegerTextForm, DecimalGroupsCountFromTheRight)
{
    // The grid groups u08 values; two decimal digits are one group, not two.
    EXPECT_EQ(fmt(U08, 10, mode_dec, false, false, true), "10");
    EXPECT_EQ(fmt(U08, 99, mode_dec, true, true, true), "+99u1");
    EXPECT_EQ(fmt(U08, 255, mode_dec, false, false, true), "255");
    EXPECT_EQ(fmt(U08, 7, mode_dec, false, false, true), "7");
    EXPECT_EQ(fmt(U32, 12345678, mode_dec, false, false, true), "12 345 678");
    EXPECT_EQ(fmt(U32, 1234, mode_dec, false, false, true), "1 234");
    EXPECT_EQ(fmt(U08, 10, mode_hex, false, false, true), "0x0a");
}

TEST(IntegerTextForm, SixtyFourBitLimits)
{
    EXPECT_EQ(format_int(U64, from_unsigned(UINT64_MAX), int_form{}), "18446744073709551615");
    EXPECT_EQ(fmt(I64, INT64_MIN, mode_dec), "-9223372036854775808");
    EXPECT_EQ(fmt(I64, INT64_MIN, mode_hex), "-0x8000000000000000");
    EXPECT_EQ(fmt(I64, INT64_MAX, mode_hex, true, true), "+0x7fffffffffffffffu8");
}

TEST(IntegerCheck, PrefixesAreAcceptedWhileTyping)
{
    for (const char *t : {"", "-", "0", "0b", "0B", "-0b", "0b ", "0b1u"})
        EXPECT_EQ(check(U08, t, mode_bin, false, true), verdict::partial) << t;
    EXPECT_EQ(check(I08, "+", mode_dec, true), verdict::partial);
    EXPECT_EQ(check(I08, "", mode_dec, true), verdict::partial);
}

TEST(IntegerCheck, WrongCharactersAndPlacesAreRejected)
{
    EXPECT_EQ(check(I08, "x", mode_dec), verdict::rejected);
    EXPECT_EQ(check(I08, "+5", mode_dec), verdict::rejected); // "+" needs the sign flag
    EXPECT_EQ(check(I08, "5", mode_dec, true), verdict::rejected);
    EXPECT_EQ(check(I08, "0x12", mode_bin), verdict::rejected);
    EXPECT_EQ(check(I08, "0b12", mode_bin), verdict::rejected);
    EXPECT_EQ(check(I08, "1a", mode_dec), verdict::rejected);
    EXPECT_EQ(check(I08, "1u1", mode_dec), verdict::rejected); // suffix needs the flag
    EXPECT_EQ(check(I08, "1u2", mode_dec, false, true), verdict::rejected);
    EXPECT_EQ(check(I08, "1u1 ", mode_dec, false, true), verdict::rejected);
    EXPECT_EQ(check(I08, "-u", mode_dec, false, true), verdict::rejected);
    // 17 characters after the prefix of an 8-bit binary text
    EXPECT_EQ(check(U08, "0b0000 0000 0000 00", mode_bin), verdict::rejected);
    EXPECT_EQ(check(U08, "0000000", mode_dec), verdict::rejected);
}

TEST(IntegerCheck, RangesOfEveryWidth)
{
    int_value v;
    EXPECT_EQ(check(I08, "127", mode_dec), verdict::complete);
    EXPECT_EQ(check(I08, "128", mode_dec), verdict::rejected);
    EXPECT_EQ(check(I08, "-128", mode_dec, false, false, &v), verdict::complete);
    EXPECT_EQ(to_signed(v), -128);
    EXPECT_EQ(check(I08, "0x7f", mode_hex), verdict::complete);
    EXPECT_EQ(check(I08, "0x80", mode_hex), verdict::rejected);
    EXPECT_EQ(check(I08, "-0x80", mode_hex), verdict::complete);
    EXPECT_EQ(check(U08, "-1", mode_dec), verdict::rejected);
    EXPECT_EQ(check(U08, "-0", mode_dec, false, false, &v), verdict::complete);
    EXPECT_FALSE(v.neg);
    EXPECT_EQ(check(U16, "65535", mode_dec), verdict::complete);
    EXPECT_EQ(check(U16, "65536", mode_dec), verdict::rejected);
    EXPECT_EQ(check(I32, "-2147483648", mode_dec), verdict::complete);
    EXPECT_EQ(check(I32, "2147483648", mode_dec), verdict::rejected);
    EXPECT_EQ(check(U64, "18446744073709551615", mode_dec, false, false, &v), verdict::complete);
    EXPECT_EQ(to_unsigned(v), UINT64_MAX);
    EXPECT_EQ(check(U64, "18446744073709551616", mode_dec), verdict::rejected);
    EXPECT_EQ(check(U64, "99999999999999999999", mode_dec), verdict::rejected);
    EXPECT_EQ(check(I64, "9223372036854775807", mode_dec), verdict::complete);
    EXPECT_EQ(check(I64, "9223372036854775808", mode_dec), verdict::rejected);
    EXPECT_EQ(check(I64, "-9223372036854775808", mode_dec, false, false, &v), verdict::complete);
    EXPECT_EQ(to_signed(v), INT64_MIN);
    EXPECT_EQ(check(I64, "-9223372036854775809", mode_dec), verdict::rejected);
}

TEST(IntegerCheck, GroupedAndSuffixedTextsReadBack)
{
    int_value v;
    EXPECT_EQ(check(U08, "0b0000 1010", mode_bin, false, false, &v), verdict::complete);
    EXPECT_EQ(v.mag, 10u);
    EXPECT_EQ(check(I32, "+0x000000ffu4", mode_hex, true, true, &v), verdict::complete);
    EXPECT_EQ(v.mag, 255u);
    EXPECT_EQ(check(I32, "+0X000000FF", mode_hex, true, true, &v), verdict::complete);
    EXPECT_EQ(v.mag, 255u);
    // Every value of every kind survives its own text in every form.
    for (int kind = 0; kind < 8; ++kind) {
        const int_kind &k = kind_info(kind);
        const int64_t probes[] = {0, 1, 100, k.is_signed ? -1 : 7};
        for (int mode = 0; mode < 3; ++mode)
            for (int flags = 0; flags < 4; ++flags)
                for (int64_t p : probes) {
                    int_form f;
                    f.mode = mode;
                    f.sign = flags & 1;
                    f.suffix = flags & 2;
                    const std::string t = format_int(kind, from_signed(p), f);
                    ASSERT_EQ(check_int(kind, t.data(), t.size(), f, &v), verdict::complete) << t;
                    EXPECT_EQ(to_signed(v), p) << t;
                }
    }
}

TEST(RealTextForm, PrecisionSignAndSuffix)
{
    EXPECT_EQ(format_real(true, 1.5, false, false), "1.50000000000000000");
    EXPECT_EQ(format_real(false, 1.5, false, false), "1.500000000");
    EXPECT_EQ(format_real(false, 2.0, true, true), "+2.000000000f");
    EXPECT_EQ(format_real(true, -2.0, true, true), "-2.00000000000000000d");
    // The extremes keep every digit.
    const std::string fmax = format_real(false, -double(FLT_MAX), false, false);
    EXPECT_EQ(fmax, "-340282346638528859811704183484516925440.000000000");
    const std::string dmax = format_real(true, -DBL_MAX, true, true);
    EXPECT_EQ(dmax.size(), 329u);
    EXPECT_EQ(dmax.back(), 'd');
}

TEST(RealTextForm, DigitsAreThoseOfPrintfInTheCLocale)
{
    // Exact ties at the last decimal, the smallest values, and what is not a number.
    const double values[] = {0.0009765625, 0.000003814697265625,
                             0.125,        2.5e-9,
                             4.9e-324,     -0.0,
                             1e-12,        DBL_MIN,
                             NAN,          -NAN,
                             INFINITY,     -INFINITY,
                             1e22,         0.1};
    for (double v : values)
        for (bool is_double : {false, true}) {
            const double shown = is_double ? v : double(float(v));
            char want[400];
            std::snprintf(want, sizeof want, "%.*f", is_double ? 17 : 9, shown);
            EXPECT_EQ(format_real(is_double, shown, false, false), want) << v;
        }
}

TEST(RealCheck, LiteralSyntaxAndRange)
{
    double v = 0;
    for (const char *t : {"", "-", ".", "1e", "1e-", "-.5e+"})
        EXPECT_EQ(rcheck(false, t, false, true), verdict::partial) << t;
    EXPECT_EQ(rcheck(true, "1."), verdict::complete);
    EXPECT_EQ(rcheck(true, "-1.25e2", false, false, &v), verdict::complete);
    EXPECT_EQ(v, -125.0);
    EXPECT_EQ(rcheck(true, "+1", false), verdict::rejected);
    EXPECT_EQ(rcheck(true, "1", true), verdict::rejected);
    EXPECT_EQ(rcheck(true, "+1.5d", true, true, &v), verdict::complete);
    EXPECT_EQ(v, 1.5);
    EXPECT_EQ(rcheck(true, "1.5f", false, true), verdict::rejected);
    EXPECT_EQ(rcheck(false, "1.5f", false, true), verdict::complete);
    EXPECT_EQ(rcheck(true, "1.5d", false, false), verdict::rejected);
    EXPECT_EQ(rcheck(true, "1,5"), verdict::rejected);
    EXPECT_EQ(rcheck(true, "e5"), verdict::rejected);
    EXPECT_EQ(rcheck(false, "1e39"), verdict::rejected);
    EXPECT_EQ(rcheck(true, "1e39"), verdict::complete);
    EXPECT_EQ(rcheck(true, "1e309"), verdict::rejected);
    EXPECT_EQ(rcheck(true, "1e-400", false, false, &v), verdict::complete); // underflows to zero
    EXPECT_EQ(v, 0.0);
    // The longest float text, -FLT_MAX with nine decimals, still fits.
    const std::string fmax = format_real(false, -double(FLT_MAX), true, true);
    EXPECT_EQ(check_real(false, fmax.data(), fmax.size(), true, true, &v), verdict::complete);
    EXPECT_EQ(v, -double(FLT_MAX));
    EXPECT_EQ(rcheck(false, "0000000000000000000000000000000000000000000000000001"),
              verdict::rejected);
}
