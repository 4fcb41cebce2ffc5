// The console dump: cell texts, widths, layout and the pieces it is written in.
#include <gtest/gtest.h>

#include <memory>

#include "decoder.h"
#include "payload_builder.h"
#include "text_table.h"
#include "velalink.h"

using namespace vela_test;

namespace {

using rs_ptr = std::unique_ptr<result_set, void (*)(result_set *)>;

rs_ptr decode(const std::string &payload)
{
    rs_ptr rs(new result_set, del_datas);
    EXPECT_TRUE(velalink::decode_payload(reinterpret_cast<const uint8_t *>(payload.data()),
                                         payload.size(), *rs, nullptr));
    return rs;
}

std::string text_of(const std::vector<column_desc> &cols, const std::string &row, uint64_t col = 0)
{
    rs_ptr rs = decode(make_payload(cols, {{1, row}}));
    return velalink::cell_text(at(0, col, rs.get()));
}

std::string printed(const result_set *rs)
{
    testing::internal::CaptureStdout();
    print(rs);
    return testing::internal::GetCapturedStdout();
}

} // namespace

TEST(print, display_width_counts_columns_not_bytes)
{
    using velalink::display_width;
    EXPECT_EQ(display_width("abc", 3), 3u);
    EXPECT_EQ(display_width("a\tb\x7f", 4), 2u) << "control bytes take no column";
    EXPECT_EQ(display_width("é", 2), 2u);
    EXPECT_EQ(display_width("日本", 6), 4u);
    EXPECT_EQ(display_width("\xF0\x9F\x98\x80", 4), 2u);
    EXPECT_EQ(display_width("ab\xFF"
                            "cd",
                            5),
              2u)
        << "an invalid sequence ends the count";
    EXPECT_EQ(display_width("ab\xE6\x97", 4), 2u) << "so does a cut one";
}

TEST(print, cell_texts_of_every_kind)
{
    EXPECT_EQ(text_of({{"i", 0, 0, 0}}, v_int(0xFF, 1)), "-1");
    EXPECT_EQ(text_of({{"u", 0, 1, 0}}, v_int(0xFF, 1)), "255");
    EXPECT_EQ(text_of({{"i", 1, 0, 0}}, v_int(0x8000, 2)), "-32768");
    EXPECT_EQ(text_of({{"u", 2, 1, 0}}, v_int(0xFFFFFFFF, 4)), "4294967295");
    EXPECT_EQ(text_of({{"i", 3, 0, 0}}, v_int(0x8000000000000000ull, 8)), "-9223372036854775808");
    EXPECT_EQ(text_of({{"u", 3, 1, 0}}, v_int(~0ull, 8)), "18446744073709551615");
    EXPECT_EQ(text_of({{"f", 2, 0, 1}}, v_float(0.5f)), "0.500000000");
    EXPECT_EQ(text_of({{"d", 3, 0, 1}}, v_double(-0.25)), "-0.25000000000000000");
    EXPECT_EQ(text_of({{"s", 7, 0, 2}}, v_str("héllo")), "héllo");
    EXPECT_EQ(text_of({{"d", 0, 0, 3}}, v_date(7, 3, 4)), "0007-03-04");
    EXPECT_EQ(text_of({{"t", 0, 0, 4}}, v_time(12, 5, 9, 120000000)), "12:05:09.12");
    EXPECT_EQ(text_of({{"t", 0, 0, 4}}, v_time(12, 5, 9, 0)), "12:05:09");
    EXPECT_EQ(text_of({{"t", 0, 0, 4}}, v_time(0, 0, 1, 5)), "00:00:01.000000005");
    EXPECT_EQ(text_of({{"dt", 0, 0, 5}}, v_datetime(2024, 12, 1, 8, 0, 0, 0)),
              "2024-12-01 08:00:00");
    EXPECT_EQ(text_of({{"x", 0, 0, 6}, {"i", 0, 0, 0}}, v_int(1, 1)), "");
}

TEST(print, table_layout)
{
    rs_ptr rs =
        decode(make_payload({{"id", 0, 1, 0}, {"name", 7, 0, 2}, {"t", 0, 0, 4}},
                            {{1, v_int(7, 1) + v_str("ab") + v_time(1, 2, 3, 0)},
                             {2, v_int(100, 1) + v_str("日本語") + v_time(12, 5, 9, 120000000)}}));
    // Widths: id 3, name 6 (three wide characters), t 11.
    const std::string expected = "\n"
                                 "|-id--|--name--|------t------| \n"
                                 "| 7   | ab     | 01:02:03    |\n"
                                 "| 100 | 日本語 | 12:05:09.12 |\n";
    EXPECT_EQ(printed(rs.get()), expected);
}

TEST(print, header_centres_names_and_rounds_down_before)
{
    rs_ptr rs = decode(make_payload({{"ab", 7, 0, 2}}, {{1, v_str("12345")}}));
    EXPECT_EQ(printed(rs.get()), "\n|--ab---| \n| 12345 |\n");
}

TEST(print, nothing_for_null_or_columnless_results)
{
    EXPECT_EQ(printed(nullptr), "");
    rs_ptr empty = decode("");
    EXPECT_EQ(printed(empty.get()), "");
    // Columns without rows still get their header.
    rs_ptr header_only = decode(make_payload({{"a", 0, 0, 0}}, {}));
    EXPECT_EQ(printed(header_only.get()), "\n|-a-| \n");
}

TEST(print, large_dumps_go_out_in_pieces_without_loss)
{
    std::vector<row_bytes> rows;
    for (int i = 0; i < 400; ++i)
        rows.push_back({static_cast<uint64_t>(i), v_str(std::string(20, 'a' + i % 26))});
    rs_ptr rs = decode(make_payload({{"s", 7, 0, 2}}, rows));

    std::vector<std::string> pieces;
    velalink::render_table(*rs, [&](const std::string &p) { pieces.push_back(p); });
    ASSERT_GT(pieces.size(), 1u);
    std::string whole;
    for (size_t i = 0; i < pieces.size(); ++i) {
        if (i + 1 < pieces.size()) {
            EXPECT_GT(pieces[i].size(), 4096u);
        }
        whole += pieces[i];
    }
    EXPECT_EQ(whole.size(), 27 + 400 * 25u);
    EXPECT_EQ(whole.substr(whole.size() - 25), "| " + std::string(20, 'a' + 399 % 26) + " |\n");
    EXPECT_EQ(printed(rs.get()), whole);
}
