#include "sys_config.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace {

std::string image_of(const sys_config &c)
{
    return std::string(reinterpret_cast<const char *>(&c), sizeof c);
}

void put_i32(std::string &s, std::size_t off, int32_t v)
{
    std::memcpy(&s[off], &v, 4);
}

std::string append_i32(std::string s, int32_t v)
{
    s.append(reinterpret_cast<const char *>(&v), 4);
    return s;
}

// A record in which every field differs from its initial value.
sys_config busy_config()
{
    sys_config c = sys_config::initial();
    c.language = 3;
    c.icon_size = 48;
    copy_text(c.user, sizeof c.user, "admin");
    copy_text(c.ip, sizeof c.ip, "10.0.0.7");
    c.port = 55555;
    c.show_log = false;
    c.show_toolbar = false;
    c.hor_factor = 1.25f;
    c.ver_factor = 2.0f;
    c.theme = 2;
    c.reset_theme(1);
    c.reset_theme(2);
    copy_text(c.themes[2].styles[slot_comment].font, 64, "DejaVu Sans Mono,11,-1,5,50,0,0,0,0,0");
    c.show_space = false;
    c.insert_space = true;
    c.tab_width = 8;
    c.edit_time = 0.5f;
    c.cursor_width = 3;
    c.auto_enable = false;
    c.least_count = 2;
    c.only_sql = false;
    c.check_update = true;
    return c;
}

class temp_file {
public:
    temp_file()
    {
        char name[] = "/tmp/vela_config_XXXXXX";
        int fd = mkstemp(name);
        if (fd >= 0) close(fd);
        path_ = name;
    }
    ~temp_file() { std::remove(path_.c_str()); }
    const std::string &path() const { return path_; }
    std::string read() const
    {
        std::ifstream in(path_, std::ios::binary);
        std::ostringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }
    void write(const std::string &bytes) const
    {
        std::ofstream out(path_, std::ios::binary | std::ios::trunc);
        out << bytes;
    }

private:
    std::string path_;
};

// Keeps the process-wide record and lists of one test away from the next.
class global_config : public ::testing::Test {
protected:
    void SetUp() override { reset(); }
    void TearDown() override { reset(); }
    static void reset()
    {
        g_config = sys_config::initial();
        g_open_files.clear();
        g_recent_files.clear();
    }
};

} // namespace

TEST(sys_config_defaults, start_in_english_with_black_code_and_usual_editing)
{
    const sys_config c = sys_config::initial();
    EXPECT_EQ(c.language, 1);
    EXPECT_EQ(c.icon_size, 32);
    EXPECT_EQ(field_text(c.user, 64), "");
    EXPECT_EQ(field_text(c.ip, 32), "");
    EXPECT_EQ(c.port, 0);
    EXPECT_TRUE(c.show_db && c.show_log && c.show_status && c.show_toolbar);
    EXPECT_FLOAT_EQ(c.hor_factor, 1.0f);
    EXPECT_FLOAT_EQ(c.ver_factor, 1.6f);
    for (const theme_style &t : c.themes)
        for (const text_style &s : t.styles) {
            EXPECT_STREQ(s.font, "Source Code Pro");
            EXPECT_EQ(s.red + s.green + s.blue, 0);
            EXPECT_EQ(s.alpha, 255);
            EXPECT_EQ(s.point_size, 12);
            EXPECT_FALSE(s.bold || s.italic || s.overline || s.underline || s.strike_out);
        }
    EXPECT_TRUE(c.show_space);
    EXPECT_FALSE(c.insert_space);
    EXPECT_EQ(c.tab_width, 4);
    EXPECT_FLOAT_EQ(c.edit_time, 1.0f);
    EXPECT_EQ(c.cursor_width, 1);
    EXPECT_TRUE(c.auto_enable);
    EXPECT_EQ(c.least_count, 0);
    EXPECT_TRUE(c.only_sql);
    EXPECT_FALSE(c.check_update);
}

TEST(sys_config_defaults, reset_writes_the_palette_of_that_theme_only)
{
    sys_config c = sys_config::initial();
    c.reset_theme(0);
    const text_style &fn = c.themes[0].styles[slot_function];
    EXPECT_TRUE(fn.bold);
    EXPECT_FALSE(fn.italic);
    EXPECT_EQ(fn.red, 232);
    EXPECT_EQ(fn.green, 183);
    EXPECT_EQ(fn.blue, 107);
    const text_style &field = c.themes[0].styles[slot_field_name];
    EXPECT_TRUE(field.bold && field.italic);
    EXPECT_EQ(c.themes[0].styles[slot_comment].red, 174);
    EXPECT_EQ(c.themes[1].styles[slot_function].red, 0) << "other themes untouched";

    c.reset_theme(1);
    const text_style &fresh_field = c.themes[1].styles[slot_field_name];
    EXPECT_FALSE(fresh_field.bold);
    EXPECT_TRUE(fresh_field.italic);
    EXPECT_EQ(fresh_field.red, 255);
    EXPECT_EQ(fresh_field.green, 165);
    c.reset_theme(2);
    EXPECT_EQ(c.themes[2].styles[slot_write_keyword].red, 199);
    EXPECT_EQ(c.themes[2].styles[slot_default_keyword].blue, 106);
    for (const text_style &s : c.themes[2].styles) {
        EXPECT_STREQ(s.font, "Source Code Pro");
        EXPECT_EQ(s.point_size, 12);
        EXPECT_EQ(s.alpha, 255);
    }

    const sys_config before = c;
    c.reset_theme(3);
    c.reset_theme(-1);
    EXPECT_EQ(image_of(c), image_of(before));
}

TEST(sys_config_text, cut_on_a_character_boundary_and_nul_ended)
{
    char field[8];
    std::memset(field, 'x', sizeof field);
    copy_text(field, sizeof field, "abc");
    EXPECT_EQ(std::string(field, 8), std::string("abc\0\0\0\0\0", 8));

    copy_text(field, sizeof field, "abcdefghij");
    EXPECT_EQ(std::string(field, 8), std::string("abcdefg\0", 8));

    // "ab" + three 2-byte characters: 6 of 7 usable bytes would split the third.
    copy_text(field, sizeof field, "ab\xc3\xa9\xc3\xa9\xc3\xa9");
    EXPECT_EQ(field_text(field, 8), "ab\xc3\xa9\xc3\xa9");
    // A 4-byte character that does not fit is left out whole.
    copy_text(field, sizeof field, "abcd\xf0\x9f\x98\x80");
    EXPECT_EQ(field_text(field, 8), "abcd");
    EXPECT_EQ(field[7], '\0');

    char user[64];
    std::string long_name;
    for (int i = 0; i < 40; ++i) long_name += "\xe7\x94\xa8"; // 120 bytes of 3-byte characters
    copy_text(user, sizeof user, long_name);
    EXPECT_EQ(field_text(user, 64).size(), 63u);
    EXPECT_EQ(user[63], '\0');

    const char unterminated[4] = {'a', 'b', 'c', 'd'};
    EXPECT_EQ(field_text(unterminated, 4), "abcd");
}

TEST_F(global_config, save_and_load_reproduce_record_and_lists_byte_for_byte)
{
    temp_file file;
    g_config = busy_config();
    g_open_files = {"/home/u/a.sql", "", "/home/u/\xe4\xb8\xad.sql"};
    g_recent_files = {"/tmp/r1.sql", "/tmp/r2.sql"};
    ASSERT_EQ(save_config(file.path()), 0);
    const std::string first = file.read();
    ASSERT_EQ(first.size(), 2912u + 4 + (4 + 13) + 4 + (4 + 15) + 4 + 2 * (4 + 11));
    EXPECT_EQ(first.substr(0, 2912), image_of(busy_config()));

    const std::vector<std::string> open = g_open_files, recent = g_recent_files;
    g_config = sys_config::initial();
    g_open_files.clear();
    g_recent_files.clear();
    ASSERT_TRUE(load_config(file.path()));
    EXPECT_EQ(image_of(g_config), image_of(busy_config()));
    EXPECT_EQ(g_open_files, open);
    EXPECT_EQ(g_recent_files, recent);

    ASSERT_EQ(save_config(file.path()), 0);
    EXPECT_EQ(file.read(), first);
}

TEST_F(global_config, empty_lists_are_bare_counts_and_load_appends)
{
    temp_file file;
    ASSERT_EQ(save_config(file.path()), 0);
    const std::string bytes = file.read();
    ASSERT_EQ(bytes.size(), 2920u);
    EXPECT_EQ(bytes.substr(2912), std::string(8, '\0'));

    g_open_files = {"kept.sql"};
    file.write(encode_config(sys_config::initial(), {"a.sql"}, {"b.sql"}));
    ASSERT_TRUE(load_config(file.path()));
    EXPECT_EQ(g_open_files, (std::vector<std::string>{"kept.sql", "a.sql"}));
    EXPECT_EQ(g_recent_files, (std::vector<std::string>{"b.sql"}));
}

TEST_F(global_config, missing_or_unwritable_file)
{
    testing::internal::CaptureStdout();
    EXPECT_FALSE(load_config("/nonexistent/dir/config"));
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "load system config failed, use initial config\n");
    EXPECT_EQ(image_of(g_config), image_of(sys_config::initial()));
    EXPECT_NE(save_config("/nonexistent/dir/config"), 0)
        << "a save that wrote nothing is not a success";
}

TEST(config_decode, truncated_files_keep_what_was_not_read)
{
    const std::string full = encode_config(busy_config(), {"/a/one.sql", "/a/two.sql"}, {"/r.sql"});
    // Every cut point: never a crash, the unread tail stays initial, the lists only hold
    // whole entries that were present.
    for (std::size_t cut = 0; cut <= full.size(); ++cut) {
        sys_config c = sys_config::initial();
        std::vector<std::string> open, recent;
        decode_config(full.substr(0, cut), c, open, recent);
        EXPECT_EQ(c.language, cut < 4 ? 1 : 3) << cut;
        EXPECT_EQ(c.check_update, cut >= 2910) << cut;
        if (cut < 2912) {
            EXPECT_TRUE(open.empty() && recent.empty());
        }
        EXPECT_LE(open.size(), 2u);
        for (const std::string &p : open)
            EXPECT_TRUE(p == "/a/one.sql" || p == "/a/two.sql") << cut;
        EXPECT_LE(recent.size(), 1u);
        if (cut == full.size()) {
            EXPECT_EQ(image_of(c), image_of(busy_config()));
            EXPECT_EQ(recent, std::vector<std::string>{"/r.sql"});
        }
    }

    // Cut inside the second open-file entry: the first stays, the list ends there.
    sys_config c = sys_config::initial();
    std::vector<std::string> open, recent;
    decode_config(full.substr(0, 2912 + 4 + 4 + 10 + 4 + 3), c, open, recent);
    EXPECT_EQ(open, std::vector<std::string>{"/a/one.sql"});
    EXPECT_TRUE(recent.empty());
}

TEST(config_decode, lying_counts_and_lengths_allocate_nothing_and_end_the_list)
{
    const std::string record = image_of(sys_config::initial());
    struct lie {
        const char *what;
        std::string bytes;
        std::vector<std::string> open;
    };
    std::string one = append_i32(append_i32(record, 2), 3) + "abc";
    const lie lies[] = {
        {"huge count, nothing behind", append_i32(record, 0x7fffffff), {}},
        {"negative count", append_i32(append_i32(record, -5), 0), {}},
        {"huge length", append_i32(append_i32(record, 1), 0x7ffffff0) + "abc", {}},
        {"negative length", append_i32(append_i32(record, 1), -1) + "abc", {}},
        {"second entry missing", one, {"abc"}},
        {"count field cut", record + std::string("\x01\x00", 2), {}},
    };
    for (const lie &l : lies) {
        sys_config c = sys_config::initial();
        std::vector<std::string> open, recent;
        decode_config(l.bytes, c, open, recent);
        EXPECT_EQ(open, l.open) << l.what;
        EXPECT_TRUE(recent.empty()) << l.what;
        EXPECT_EQ(image_of(c), record) << l.what;
    }
}

TEST(config_decode, long_lists_keep_a_bounded_number_of_entries)
{
    // Four bytes per empty entry: a few megabytes of file would otherwise become millions
    // of list entries, each a tab to reopen or a menu entry at start.
    const std::string record = image_of(sys_config::initial());
    const int32_t n = 1000000;
    std::string bytes = append_i32(record, n);
    bytes.append(static_cast<std::size_t>(n) * 4, '\0');
    bytes = append_i32(append_i32(bytes, 1), 5) + "r.sql";
    sys_config c = sys_config::initial();
    std::vector<std::string> open, recent;
    decode_config(bytes, c, open, recent);
    EXPECT_EQ(open.size(), config_list_limit);
    // The entries past the limit are read over, so the list behind them is still found.
    EXPECT_EQ(recent, std::vector<std::string>({"r.sql"}));
}

TEST(config_decode, values_the_program_cannot_use_keep_their_old_value)
{
    const sys_config good = busy_config();
    std::string bytes = encode_config(good, {}, {});
    put_i32(bytes, 0, 7);      // language
    put_i32(bytes, 4, 100000); // icon size
    put_i32(bytes, 104, -1);   // port
    put_i32(bytes, 120, 3);    // theme index past the three themes
    float nan = std::nanf("");
    std::memcpy(&bytes[112], &nan, 4);
    float big = 1e30f;
    std::memcpy(&bytes[116], &big, 4);
    put_i32(bytes, 2888, 0);           // tab width
    put_i32(bytes, 2904, -3);          // least count
    put_i32(bytes, 124 + 72, 300);     // red of theme 0 slot 0
    put_i32(bytes, 124 + 88, 1 << 30); // point size of theme 0 slot 0
    bytes[108] = 7;                    // a flag byte that is neither 0 nor 1
    std::memset(&bytes[8], 'u', 64);   // user name without its NUL
    std::memset(&bytes[124], 'f', 64); // font text without its NUL

    sys_config c = good;
    std::vector<std::string> open, recent;
    decode_config(bytes, c, open, recent);
    EXPECT_EQ(c.language, good.language);
    EXPECT_EQ(c.icon_size, good.icon_size);
    EXPECT_EQ(c.port, good.port);
    EXPECT_EQ(c.theme, good.theme);
    EXPECT_FLOAT_EQ(c.hor_factor, good.hor_factor);
    EXPECT_FLOAT_EQ(c.ver_factor, good.ver_factor);
    EXPECT_EQ(c.tab_width, good.tab_width);
    EXPECT_EQ(c.least_count, good.least_count);
    EXPECT_EQ(c.themes[0].styles[0].red, good.themes[0].styles[0].red);
    EXPECT_EQ(c.themes[0].styles[0].point_size, good.themes[0].styles[0].point_size);
    unsigned char flag;
    std::memcpy(&flag, &c.show_db, 1);
    EXPECT_EQ(flag, 1);
    EXPECT_EQ(field_text(c.user, 64), std::string(63, 'u'));
    EXPECT_EQ(field_text(c.themes[0].styles[0].font, 64), std::string(63, 'f'));
    // Values beside the bad ones are still read.
    EXPECT_EQ(c.cursor_width, good.cursor_width);
    EXPECT_EQ(c.themes[2].styles[slot_function].red, good.themes[2].styles[slot_function].red);
}

TEST(config_decode, a_file_of_another_program_does_no_harm)
{
    std::string noise(5000, '\0');
    uint32_t x = 12345;
    for (char &ch : noise) {
        x = x * 1103515245u + 12345u;
        ch = static_cast<char>(x >> 24);
    }
    sys_config c = sys_config::initial();
    std::vector<std::string> open, recent;
    decode_config(noise, c, open, recent);
    EXPECT_GE(c.language, 0);
    EXPECT_LE(c.language, 3);
    EXPECT_GE(c.theme, 0);
    EXPECT_LE(c.theme, 2);
    EXPECT_TRUE(c.icon_size == 24 || c.icon_size == 32 || c.icon_size == 48);
    for (const theme_style &t : c.themes)
        for (const text_style &s : t.styles) {
            EXPECT_EQ(s.font[63], '\0');
            EXPECT_GE(s.point_size, 1);
        }
    std::size_t listed = 0;
    for (const std::string &p : open) listed += p.size() + 4;
    for (const std::string &p : recent) listed += p.size() + 4;
    EXPECT_LE(listed, noise.size());
}
