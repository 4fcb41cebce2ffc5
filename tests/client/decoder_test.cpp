// The payload decoder and the exported readers, on hand-built payloads.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <memory>

#include "decoder.h"
#include "payload_builder.h"
#include "velalink.h"

using namespace vela_test;

namespace {

using rs_ptr = std::unique_ptr<result_set, void (*)(result_set *)>;

rs_ptr decode(const std::string &payload, const char **why = nullptr)
{
    rs_ptr rs(new result_set, del_datas);
    const char *reason = nullptr;
    bool ok = velalink::decode_payload(reinterpret_cast<const uint8_t *>(payload.data()),
                                       payload.size(), *rs, &reason);
    if (why) *why = reason;
    if (!ok) rs.reset();
    return rs;
}

std::string name_of(const result_set *rs, int col)
{
    int len = -7;
    const char *p = col_name(&len, rs, col);
    return p ? std::string(p, static_cast<size_t>(len)) : std::string("<null>");
}

std::string copy_and_free(char *p, uint64_t len)
{
    std::string s(p, static_cast<size_t>(len));
    std::free(p);
    return s;
}

} // namespace

TEST(decoder, empty_payload_and_columns_without_rows)
{
    rs_ptr empty = decode("");
    ASSERT_TRUE(empty);
    EXPECT_EQ(rows_of(empty.get()), 0u);
    EXPECT_EQ(cols_of(empty.get()), 0u);

    // Without rows there are no descriptors: the payload ends after the row count.
    rs_ptr rs = decode(make_payload({{"id", 3, 1, 0}, {"名前", 7, 0, 2}}, {}));
    ASSERT_TRUE(rs);
    EXPECT_EQ(cols_of(rs.get()), 2u);
    EXPECT_EQ(rows_of(rs.get()), 0u);
    EXPECT_EQ(name_of(rs.get(), 0), "id");
    EXPECT_EQ(name_of(rs.get(), 1), "名前");
    EXPECT_EQ(at(0, 0, rs.get()), nullptr);

    int len = -7;
    EXPECT_EQ(col_name(&len, rs.get(), -1), nullptr);
    EXPECT_EQ(col_name(&len, rs.get(), 2), nullptr);
    EXPECT_EQ(col_name(&len, nullptr, 0), nullptr);
    EXPECT_EQ(len, -7) << "the length stays untouched on failure";
}

TEST(decoder, integers_of_every_width_and_sign)
{
    std::vector<column_desc> cols = {
        {"i8", 0, 0, 0},  {"u8", 0, 1, 0},  {"i16", 1, 0, 0}, {"u16", 1, 1, 0},
        {"i32", 2, 0, 0}, {"u32", 2, 1, 0}, {"i64", 3, 0, 0}, {"u64", 9, 1, 0},
    };
    std::string row = v_int(0x80, 1) + v_int(0xFF, 1) + v_int(0x8000, 2) + v_int(0xFFFF, 2) +
                      v_int(0x80000000u, 4) + v_int(0xFFFFFFFFu, 4) +
                      v_int(0x8000000000000000ull, 8) + v_int(~0ull, 8);
    std::string row2 = v_int(5, 1) + v_int(6, 1) + v_int(7, 2) + v_int(8, 2) + v_int(9, 4) +
                       v_int(10, 4) + v_int(11, 8) + v_int(12, 8);
    rs_ptr rs = decode(make_payload(cols, {{77, row}, {~0ull, row2}}));
    ASSERT_TRUE(rs);
    ASSERT_EQ(rows_of(rs.get()), 2u);
    EXPECT_EQ(sid_of(rs.get(), 0), 77u);
    EXPECT_EQ(sid_of(rs.get(), 1), ~0ull);

    const int sizes[] = {1, 1, 2, 2, 4, 4, 8, 8};
    for (int c = 0; c < 8; ++c) {
        const cell_value *cell = at(0, static_cast<uint64_t>(c), rs.get());
        ASSERT_NE(cell, nullptr);
        EXPECT_EQ(val_type(cell), 0) << c;
        EXPECT_EQ(val_size(cell), sizes[c]) << c;
        EXPECT_EQ(val_sign(cell), c % 2) << c;
    }
    EXPECT_EQ(as_int8(at(0, 0, rs.get())), -128);
    EXPECT_EQ(as_uint8(at(0, 1, rs.get())), 255);
    EXPECT_EQ(as_int16(at(0, 2, rs.get())), std::numeric_limits<int16_t>::min());
    EXPECT_EQ(as_uint16(at(0, 3, rs.get())), 65535);
    EXPECT_EQ(as_int32(at(0, 4, rs.get())), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(as_uint32(at(0, 5, rs.get())), 0xFFFFFFFFu);
    EXPECT_EQ(as_int64(at(0, 6, rs.get())), std::numeric_limits<int64_t>::min());
    EXPECT_EQ(as_uint64(at(0, 7, rs.get())), ~0ull);
    // The second row proves the values are consumed at the right widths.
    for (int c = 0; c < 8; ++c)
        EXPECT_EQ(as_uint64(at(1, static_cast<uint64_t>(c), rs.get())) & 0xFF, 5u + c) << c;

    EXPECT_EQ(at(2, 0, rs.get()), nullptr);
    EXPECT_EQ(at(0, 8, rs.get()), nullptr);
    EXPECT_EQ(at(0, 0, nullptr), nullptr);
}

TEST(decoder, signed_and_unsigned_readers_share_one_entry_point)
{
    EXPECT_EQ(reinterpret_cast<void *>(&as_int8), reinterpret_cast<void *>(&as_uint8));
    EXPECT_EQ(reinterpret_cast<void *>(&as_int16), reinterpret_cast<void *>(&as_uint16));
    EXPECT_EQ(reinterpret_cast<void *>(&as_int32), reinterpret_cast<void *>(&as_uint32));
    EXPECT_EQ(reinterpret_cast<void *>(&as_int64), reinterpret_cast<void *>(&as_uint64));
}

TEST(decoder, reals_are_single_for_width_code_2_else_double)
{
    rs_ptr rs = decode(make_payload({{"f", 2, 0, 1}, {"d", 3, 0, 1}, {"d0", 0, 0, 1}},
                                    {{1, v_float(1.5f) + v_double(-2.25) + v_double(1e300)}}));
    ASSERT_TRUE(rs);
    const cell_value *f = at(0, 0, rs.get());
    EXPECT_EQ(val_type(f), 1);
    EXPECT_EQ(val_size(f), 4);
    EXPECT_FLOAT_EQ(as_float(f), 1.5f);
    EXPECT_EQ(val_size(at(0, 1, rs.get())), 8);
    EXPECT_DOUBLE_EQ(as_double(at(0, 1, rs.get())), -2.25);
    EXPECT_DOUBLE_EQ(as_double(at(0, 2, rs.get())), 1e300);
}

TEST(decoder, string_type_codes_follow_the_capacity_code)
{
    std::vector<column_desc> cols;
    std::string row;
    const uint8_t codes[] = {0, 2, 4, 5, 6, 7, 8, 9, 10, 12, 255};
    const int types[] = {2, 2, 2, 3, 4, 5, 6, 7, 8, 8, 8};
    for (uint8_t code : codes) {
        cols.push_back({"s", code, 0, 2});
        row += v_str("x");
    }
    rs_ptr rs = decode(make_payload(cols, {{1, row}}));
    ASSERT_TRUE(rs);
    for (size_t i = 0; i < cols.size(); ++i)
        EXPECT_EQ(val_type(at(0, i, rs.get())), types[i]) << int(codes[i]);
}

TEST(decoder, string_readers_copy_cut_and_pad)
{
    rs_ptr rs = decode(make_payload(
        {{"long", 5, 0, 2}, {"short", 5, 0, 2}, {"empty", 5, 0, 2}, {"big", 10, 0, 2}},
        {{1, v_str("0123456789") + v_str("abcde") + v_str("") + v_str(std::string(300, 'z'))}}));
    ASSERT_TRUE(rs);
    const cell_value *lng = at(0, 0, rs.get()), *shrt = at(0, 1, rs.get()),
                     *empty = at(0, 2, rs.get()), *big = at(0, 3, rs.get());
    char *p = nullptr;
    uint64_t len = 99;
    as_str8(&p, &len, lng);
    EXPECT_EQ(copy_and_free(p, len), "0123456");
    as_str8(&p, &len, shrt);
    EXPECT_EQ(copy_and_free(p, len), "abcde");
    as_str4(&p, &len, empty);
    ASSERT_NE(p, nullptr) << "an empty copy is still a block the caller can free";
    EXPECT_EQ(copy_and_free(p, len), "");
    EXPECT_EQ(as_str(&p, &len, lng), 10u);
    EXPECT_EQ(copy_and_free(p, len), "0123456789");
    // A value longer than its column is cut to the capacity, never wrapped modulo 256.
    as_str256(&p, &len, big);
    EXPECT_EQ(copy_and_free(p, len), std::string(255, 'z'));
    EXPECT_EQ(as_str(&p, &len, big), 300u);
    std::free(p);

    const char *s = nullptr;
    EXPECT_EQ(as_s8(&s, shrt), 5);
    EXPECT_EQ(std::string(s, 7), std::string("abcde\0\0", 7));
    EXPECT_EQ(as_s8(&s, lng), 7) << "the returned length never exceeds the padded copy";
    EXPECT_EQ(std::string(s, 7), "0123456");
    EXPECT_EQ(as_s256(&s, big), 255);
    EXPECT_EQ(as_s(&s, lng), 10);
    EXPECT_EQ(std::string(s, 10), "0123456789");
    EXPECT_EQ(as_s(&s, empty), 0);
    EXPECT_NE(s, nullptr);
}

TEST(decoder, dates_and_times_share_one_layout)
{
    rs_ptr rs = decode(make_payload({{"d", 0, 0, 3}, {"t", 0, 0, 4}, {"dt", 0, 0, 5}},
                                    {{1, v_date(2024, 2, 29) + v_time(23, 59, 58, 999999999) +
                                             v_datetime(65535, 12, 31, 1, 2, 3, 120000000)}}));
    ASSERT_TRUE(rs);
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0, f = 0;
    const cell_value *date = at(0, 0, rs.get()), *time = at(0, 1, rs.get()),
                     *dt = at(0, 2, rs.get());
    EXPECT_EQ(val_type(date), 9);
    EXPECT_EQ(val_type(time), 10);
    EXPECT_EQ(val_type(dt), 11);
    as_date(&y, &mo, &d, date);
    EXPECT_EQ(std::vector<int>({y, mo, d}), std::vector<int>({2024, 2, 29}));
    as_time(&h, &mi, &s, &f, time);
    EXPECT_EQ(std::vector<int>({h, mi, s, f}), std::vector<int>({23, 59, 58, 999999999}));
    as_datetime(&y, &mo, &d, &h, &mi, &s, &f, dt);
    EXPECT_EQ(std::vector<int>({y, mo, d, h, mi, s, f}),
              std::vector<int>({65535, 12, 31, 1, 2, 3, 120000000}));
}

TEST(decoder, unknown_kinds_consume_nothing)
{
    rs_ptr rs =
        decode(make_payload({{"a", 0, 0, 0}, {"odd", 3, 1, 9}, {"b", 1, 0, 0}},
                            {{1, v_int(7, 1) + v_int(300, 2)}, {2, v_int(8, 1) + v_int(301, 2)}}));
    ASSERT_TRUE(rs);
    ASSERT_EQ(rows_of(rs.get()), 2u);
    const cell_value *odd = at(1, 1, rs.get());
    ASSERT_NE(odd, nullptr);
    EXPECT_EQ(val_type(odd), -1);
    EXPECT_EQ(val_sign(odd), 1);
    EXPECT_EQ(as_int8(at(1, 0, rs.get())), 8);
    EXPECT_EQ(as_int16(at(1, 2, rs.get())), 301);
    const char *s = nullptr;
    EXPECT_EQ(as_s(&s, odd), 0);
}

TEST(decoder, bytes_after_the_last_row_are_ignored)
{
    rs_ptr rs = decode(make_payload({{"a", 0, 0, 0}}, {{1, v_int(4, 1)}}) + "trailing");
    ASSERT_TRUE(rs);
    EXPECT_EQ(rows_of(rs.get()), 1u);
    EXPECT_EQ(as_int8(at(0, 0, rs.get())), 4);
}

TEST(decoder, every_truncation_of_a_payload_is_refused)
{
    const std::string full = make_payload({{"i", 3, 0, 0},
                                           {"s", 7, 0, 2},
                                           {"t", 0, 0, 4},
                                           {"x", 0, 0, 7},
                                           {"dt", 0, 0, 5},
                                           {"f", 2, 0, 1}},
                                          {{1, v_int(1, 8) + v_str("hello") + v_time(1, 2, 3, 4) +
                                                   v_datetime(1, 2, 3, 4, 5, 6, 7) + v_float(1)},
                                           {2, v_int(2, 8) + v_str("") + v_time(1, 2, 3, 4) +
                                                   v_datetime(1, 2, 3, 4, 5, 6, 7) + v_float(2)}});
    ASSERT_TRUE(decode(full));
    // Exact-size copies so that the address sanitizer sees any read past the end.
    for (size_t n = 1; n < full.size(); ++n) {
        std::unique_ptr<uint8_t[]> buf(new uint8_t[n]);
        std::memcpy(buf.get(), full.data(), n);
        result_set rs;
        const char *why = nullptr;
        EXPECT_FALSE(velalink::decode_payload(buf.get(), n, rs, &why)) << n;
        EXPECT_NE(why, nullptr);
        EXPECT_EQ(rs.rows(), 0u);
        EXPECT_EQ(rs.cols(), 0u) << "a refused payload leaves no partial result";
    }
}

TEST(decoder, counts_the_payload_cannot_hold_are_refused_without_reserving)
{
    const char *why = nullptr;
    // 2^60 columns in a few bytes.
    EXPECT_FALSE(decode(le_u64(1ull << 60) + std::string(32, '\0'), &why));
    // 2^60 rows of one int column in 40 bytes.
    std::string p = le_u64(1) + le_u64(1) + "a" + le_u64(1ull << 60) + std::string{3, 0, 0} +
                    std::string(20, '\0');
    EXPECT_FALSE(decode(p, &why));
    EXPECT_STREQ(why, "row count larger than the payload");
    // Rows whose columns all carry nothing still cost their 8-byte sid each.
    p = le_u64(1) + le_u64(1) + "a" + le_u64(~0ull) + std::string{0, 0, 9} + le_u64(1);
    EXPECT_FALSE(decode(p));
    // A name length beyond the payload.
    EXPECT_FALSE(decode(le_u64(1) + le_u64(~0ull) + "abc"));
    // A string length beyond the payload.
    p = make_payload({{"s", 7, 0, 2}}, {{1, v_str("abc")}});
    p[p.size() - 5] = static_cast<char>(0xFF);
    EXPECT_FALSE(decode(p));
}

TEST(readers, null_result_sets_and_cells_are_harmless)
{
    EXPECT_EQ(rows_of(nullptr), 0u);
    EXPECT_EQ(cols_of(nullptr), 0u);
    EXPECT_EQ(sid_of(nullptr, 0), 0u);
    EXPECT_EQ(val_type(nullptr), -1);
    EXPECT_EQ(as_int64(nullptr), 0);
    char *p = nullptr;
    uint64_t len = 5;
    as_str32(&p, &len, nullptr);
    EXPECT_EQ(len, 0u);
    std::free(p);
    const char *s = nullptr;
    EXPECT_EQ(as_s(&s, nullptr), 0);
    del_datas(nullptr);
    print(nullptr);
}
