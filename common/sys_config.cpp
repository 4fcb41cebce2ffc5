#include "sys_config.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <type_traits>

#include "base/utf8.h"

static_assert(std::is_trivially_copyable<sys_config>::value, "the record is copied as bytes");

namespace {

struct palette_entry {
    bool bold;
    bool italic;
    int r, g, b;
};

// Palettes of the three themes, slot by slot.
const palette_entry palettes[theme_count][style_slot_count] = {
    {
        // " elegant"
        {false, false, 0, 0, 0},
        {true, false, 232, 183, 107},
        {true, true, 148, 154, 142},
        {true, false, 240, 186, 178},
        {false, false, 237, 12, 140},
        {true, false, 63, 83, 94},
        {true, false, 153, 201, 201},
        {true, false, 136, 121, 116},
        {false, false, 151, 177, 211},
        {false, false, 174, 174, 174},
    },
    {
        // "fresh"
        {false, false, 0, 0, 0},
        {false, false, 128, 128, 0},
        {false, true, 255, 165, 0},
        {true, false, 95, 158, 160},
        {false, false, 128, 128, 128},
        {false, false, 160, 82, 45},
        {false, false, 0, 128, 0},
        {false, false, 255, 215, 0},
        {false, false, 46, 139, 87},
        {false, false, 174, 174, 174},
    },
    {
        // "leisurely"
        {false, false, 0, 0, 0},
        {false, false, 66, 44, 51},
        {false, true, 109, 136, 153},
        {true, false, 220, 195, 124},
        {false, false, 99, 105, 108},
        {false, false, 148, 142, 132},
        {false, false, 199, 151, 100},
        {false, false, 199, 151, 100},
        {false, false, 83, 98, 106},
        {false, false, 174, 174, 174},
    },
};

const char code_family[] = "Source Code Pro";
constexpr int32_t initial_point_size = 12;

text_style plain_style()
{
    text_style s;
    std::memset(&s, 0, sizeof s);
    copy_text(s.font, sizeof s.font, code_family);
    s.alpha = 255;
    s.point_size = initial_point_size;
    return s;
}

bool in_range(int32_t v, int32_t lo, int32_t hi)
{
    return v >= lo && v <= hi;
}
bool in_range(float v, float lo, float hi)
{
    return std::isfinite(v) && v >= lo && v <= hi;
}

// The front of a record image; a field that is not wholly inside it is not read.
struct source {
    const unsigned char *bytes;
    std::size_t size;
    bool has(std::size_t off, std::size_t len) const { return off + len <= size; }
};

// Bool bytes hold 0 or 1 in memory; any other byte would be an invalid bool.
void read_flag(bool &dst, const source &src, std::size_t off)
{
    if (src.has(off, 1)) dst = src.bytes[off] != 0;
}

template <typename T, typename Ok>
void read_checked(T &dst, const source &src, std::size_t off, Ok ok)
{
    if (!src.has(off, sizeof(T))) return;
    T v;
    std::memcpy(&v, src.bytes + off, sizeof v);
    if (ok(v)) dst = v;
}

void read_text(char *dst, std::size_t cap, const source &src, std::size_t off)
{
    if (!src.has(off, cap)) return;
    std::memcpy(dst, src.bytes + off, cap);
    dst[cap - 1] = '\0';
}

void read_style(text_style &st, const source &src, std::size_t base)
{
    read_text(st.font, sizeof st.font, src, base + offsetof(text_style, font));
    read_flag(st.bold, src, base + offsetof(text_style, bold));
    read_flag(st.italic, src, base + offsetof(text_style, italic));
    read_flag(st.overline, src, base + offsetof(text_style, overline));
    read_flag(st.underline, src, base + offsetof(text_style, underline));
    read_flag(st.strike_out, src, base + offsetof(text_style, strike_out));
    auto colour = [](int32_t v) { return in_range(v, 0, 255); };
    read_checked(st.red, src, base + offsetof(text_style, red), colour);
    read_checked(st.green, src, base + offsetof(text_style, green), colour);
    read_checked(st.blue, src, base + offsetof(text_style, blue), colour);
    read_checked(st.alpha, src, base + offsetof(text_style, alpha), colour);
    read_checked(st.point_size, src, base + offsetof(text_style, point_size),
                 [](int32_t v) { return in_range(v, 1, 200); });
}

// Field by field, so that one value the program cannot use keeps its old value without
// throwing away the rest of the record.
void read_record(sys_config &cfg, const source &src)
{
    read_checked(cfg.language, src, offsetof(sys_config, language),
                 [](int32_t v) { return in_range(v, 0, 3); });
    read_checked(cfg.icon_size, src, offsetof(sys_config, icon_size),
                 [](int32_t v) { return v == 48 || v == 32 || v == 24; });
    read_text(cfg.user, sizeof cfg.user, src, offsetof(sys_config, user));
    read_text(cfg.ip, sizeof cfg.ip, src, offsetof(sys_config, ip));
    read_checked(cfg.port, src, offsetof(sys_config, port),
                 [](int32_t v) { return in_range(v, 0, 65535); });
    read_flag(cfg.show_db, src, offsetof(sys_config, show_db));
    read_flag(cfg.show_log, src, offsetof(sys_config, show_log));
    read_flag(cfg.show_status, src, offsetof(sys_config, show_status));
    read_flag(cfg.show_toolbar, src, offsetof(sys_config, show_toolbar));
    auto factor = [](float v) { return in_range(v, 0.1f, 10.0f); };
    read_checked(cfg.hor_factor, src, offsetof(sys_config, hor_factor), factor);
    read_checked(cfg.ver_factor, src, offsetof(sys_config, ver_factor), factor);
    read_checked(cfg.theme, src, offsetof(sys_config, theme),
                 [](int32_t v) { return in_range(v, 0, theme_count - 1); });
    for (int t = 0; t < theme_count; ++t)
        for (int s = 0; s < style_slot_count; ++s)
            read_style(cfg.themes[t].styles[s], src,
                       offsetof(sys_config, themes) + t * sizeof(theme_style) +
                           s * sizeof(text_style));
    read_flag(cfg.show_space, src, offsetof(sys_config, show_space));
    read_flag(cfg.insert_space, src, offsetof(sys_config, insert_space));
    read_checked(cfg.tab_width, src, offsetof(sys_config, tab_width),
                 [](int32_t v) { return in_range(v, 1, 32); });
    read_checked(cfg.edit_time, src, offsetof(sys_config, edit_time),
                 [](float v) { return in_range(v, 0.0f, 60.0f); });
    read_checked(cfg.cursor_width, src, offsetof(sys_config, cursor_width),
                 [](int32_t v) { return in_range(v, 0, 16); });
    read_flag(cfg.auto_enable, src, offsetof(sys_config, auto_enable));
    read_checked(cfg.least_count, src, offsetof(sys_config, least_count),
                 [](int32_t v) { return in_range(v, 0, 64); });
    read_flag(cfg.only_sql, src, offsetof(sys_config, only_sql));
    read_flag(cfg.check_update, src, offsetof(sys_config, check_update));
}

void put_i32(std::string &out, int32_t v)
{
    char b[4];
    std::memcpy(b, &v, 4);
    out.append(b, 4);
}

void put_list(std::string &out, const std::vector<std::string> &list)
{
    put_i32(out, static_cast<int32_t>(list.size()));
    for (const std::string &s : list) {
        put_i32(out, static_cast<int32_t>(s.size()));
        out += s;
    }
}

// Reads one list at `pos`; false when the rest of the file cannot be trusted.
bool get_list(const std::string &bytes, std::size_t &pos, std::vector<std::string> &list)
{
    if (bytes.size() - pos < 4) return false;
    int32_t n;
    std::memcpy(&n, bytes.data() + pos, 4);
    pos += 4;
    // No reservation from the count: each entry is checked against what is really there.
    for (int32_t i = 0; i < n; ++i) {
        if (bytes.size() - pos < 4) return false;
        int32_t len;
        std::memcpy(&len, bytes.data() + pos, 4);
        pos += 4;
        if (len < 0 || static_cast<std::size_t>(len) > bytes.size() - pos) return false;
        if (list.size() < config_list_limit)
            list.emplace_back(bytes, pos, static_cast<std::size_t>(len));
        pos += static_cast<std::size_t>(len);
    }
    return true;
}

} // namespace

sys_config g_config = sys_config::initial();
std::vector<std::string> g_open_files;
std::vector<std::string> g_recent_files;

sys_config sys_config::initial()
{
    sys_config c;
    std::memset(&c, 0, sizeof c);
    c.language = 1;
    c.icon_size = 32;
    c.port = 0;
    c.show_db = c.show_log = c.show_status = c.show_toolbar = true;
    c.hor_factor = 1.0f;
    c.ver_factor = 1.6f;
    c.theme = 0;
    for (theme_style &t : c.themes)
        for (text_style &s : t.styles) s = plain_style();
    c.show_space = true;
    c.insert_space = false;
    c.tab_width = 4;
    c.edit_time = 1.0f;
    c.cursor_width = 1;
    c.auto_enable = true;
    c.least_count = 0;
    c.only_sql = true;
    c.check_update = false;
    return c;
}

void sys_config::reset_theme(int index)
{
    if (index < 0 || index >= theme_count) return;
    for (int s = 0; s < style_slot_count; ++s) {
        const palette_entry &p = palettes[index][s];
        text_style st = plain_style();
        st.bold = p.bold;
        st.italic = p.italic;
        st.red = p.r;
        st.green = p.g;
        st.blue = p.b;
        themes[index].styles[s] = st;
    }
}

const theme_style &sys_config::current_theme() const
{
    return themes[(theme >= 0 && theme < theme_count) ? theme : 0];
}

theme_style &sys_config::current_theme()
{
    return themes[(theme >= 0 && theme < theme_count) ? theme : 0];
}

void copy_text(char *dst, std::size_t cap, const std::string &src)
{
    if (cap == 0) return;
    // The cut never splits a character.
    std::size_t n = utf8::cut_point(src.data(), src.size(), cap - 1);
    std::memcpy(dst, src.data(), n);
    std::memset(dst + n, 0, cap - n);
}

std::string field_text(const char *field, std::size_t cap)
{
    const void *nul = std::memchr(field, '\0', cap);
    return std::string(field, nul ? static_cast<const char *>(nul) - field : cap);
}

std::string encode_config(const sys_config &cfg, const std::vector<std::string> &open_files,
                          const std::vector<std::string> &recent_files)
{
    std::string out(reinterpret_cast<const char *>(&cfg), sizeof cfg);
    put_list(out, open_files);
    put_list(out, recent_files);
    return out;
}

void decode_config(const std::string &bytes, sys_config &cfg, std::vector<std::string> &open_files,
                   std::vector<std::string> &recent_files)
{
    // A short file covers only the front of the record; the rest keeps what it had.
    read_record(cfg, source{reinterpret_cast<const unsigned char *>(bytes.data()),
                            bytes.size() < config_record_size ? bytes.size() : config_record_size});
    if (bytes.size() < config_record_size) return;
    std::size_t pos = config_record_size;
    if (get_list(bytes, pos, open_files)) get_list(bytes, pos, recent_files);
}

bool load_config(const std::string &path)
{
    std::FILE *f = std::fopen(path.c_str(), "rb");
    if (!f) {
        std::printf("load system config failed, use initial config\n");
        std::fflush(stdout);
        return false;
    }
    std::string bytes;
    char buf[65536];
    while (bytes.size() < config_file_limit) {
        std::size_t want = sizeof buf;
        if (config_file_limit - bytes.size() < want) want = config_file_limit - bytes.size();
        std::size_t got = std::fread(buf, 1, want, f);
        if (got == 0) break;
        bytes.append(buf, got);
    }
    std::fclose(f);
    decode_config(bytes, g_config, g_open_files, g_recent_files);
    return true;
}

int save_config(const std::string &path)
{
    std::FILE *f = std::fopen(path.c_str(), "wb");
    if (!f) return EOF;
    const std::string bytes = encode_config(g_config, g_open_files, g_recent_files);
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    const int closed = std::fclose(f);
    return written ? closed : EOF;
}
