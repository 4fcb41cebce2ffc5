// The program's settings: one fixed-layout record kept as a raw byte image in the
// file "config", followed by the open-files and recent-files lists. Qt-free.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Look of one kind of text in the editor. 92 bytes on disk.
struct text_style {
    char font[64]; // family name or the toolkit's full font description, NUL-ended
    bool bold;
    bool italic;
    bool overline;
    bool underline;
    bool strike_out;
    uint8_t reserved[3];
    int32_t red;
    int32_t green;
    int32_t blue;
    int32_t alpha;
    int32_t point_size;
};

// Slots of a theme, in the order they are stored.
enum style_slot : int {
    slot_default = 0,
    slot_function = 1,
    slot_field_name = 2,
    slot_table_name = 3,
    slot_constant = 4,
    slot_post_keyword = 5,
    slot_read_keyword = 6,
    slot_write_keyword = 7,
    slot_default_keyword = 8,
    slot_comment = 9,
    style_slot_count = 10
};

struct theme_style {
    text_style styles[style_slot_count];
};

constexpr int theme_count = 3;

struct sys_config {
    int32_t language;  // 0 Chinese, 1 English, 2 French, 3 Japanese
    int32_t icon_size; // 48, 32 or 24
    char user[64];     // default login user name, NUL-ended
    char ip[32];       // default server address, NUL-ended
    int32_t port;      // default server port
    bool show_db;      // database tree visible
    bool show_log;     // execution log visible
    bool show_status;  // status bar visible
    bool show_toolbar; // tool bar visible
    float hor_factor;  // editor cell width = point size * factor
    float ver_factor;  // editor line height = point size * factor
    int32_t theme;     // current theme, 0..2
    theme_style themes[theme_count];
    bool show_space;
    bool insert_space; // Tab inserts spaces
    uint8_t reserved1[2];
    int32_t tab_width;
    float edit_time;      // seconds within which edits count as one
    int32_t cursor_width; // pixels
    bool auto_enable;     // completion on
    uint8_t reserved2[3];
    int32_t least_count; // completion least count
    bool only_sql;       // completion only in SQL
    bool check_update;   // check for updates at start-up
    uint8_t reserved3[2];

    // The values the program starts with when no file was read.
    static sys_config initial();

    // Overwrites theme `index` (0..2) with its palette; other indices do nothing.
    void reset_theme(int index);

    // The current theme; an index outside 0..2 counts as 0.
    const theme_style &current_theme() const;
    theme_style &current_theme();
};

// The file keeps the in-memory image, so the layout is part of the file format.
static_assert(sizeof(bool) == 1, "bool flags are single bytes in the config file");
static_assert(sizeof(text_style) == 92, "text_style layout");
static_assert(sizeof(theme_style) == 920, "theme_style layout");
static_assert(offsetof(sys_config, user) == 8 && offsetof(sys_config, ip) == 72 &&
                  offsetof(sys_config, port) == 104 && offsetof(sys_config, show_db) == 108 &&
                  offsetof(sys_config, hor_factor) == 112 && offsetof(sys_config, theme) == 120 &&
                  offsetof(sys_config, themes) == 124 && offsetof(sys_config, show_space) == 2884 &&
                  offsetof(sys_config, tab_width) == 2888 &&
                  offsetof(sys_config, edit_time) == 2892 &&
                  offsetof(sys_config, cursor_width) == 2896 &&
                  offsetof(sys_config, auto_enable) == 2900 &&
                  offsetof(sys_config, least_count) == 2904 &&
                  offsetof(sys_config, only_sql) == 2908 &&
                  offsetof(sys_config, check_update) == 2909,
              "sys_config layout");
static_assert(sizeof(sys_config) == 2912, "sys_config is 2912 bytes");

constexpr std::size_t config_record_size = sizeof(sys_config);

// The one record of the process and the two path lists beside it.
extern sys_config g_config;
extern std::vector<std::string> g_open_files;
extern std::vector<std::string> g_recent_files;

// Copies `src` into the fixed field `dst` of `cap` bytes: cut on a UTF-8 character
// boundary so that it fits with its NUL, and the rest of the field zeroed.
void copy_text(char *dst, std::size_t cap, const std::string &src);

// The text of a fixed field, up to its first NUL (or the whole field when it has none).
std::string field_text(const char *field, std::size_t cap);

// Byte image of the file: the record followed by both lists.
std::string encode_config(const sys_config &cfg, const std::vector<std::string> &open_files,
                          const std::vector<std::string> &recent_files);

// Reads a byte image made by encode_config, or anything else. What cannot be read, or holds
// a value the program cannot use, keeps its value from `cfg` as it was on entry; read paths
// are appended to the lists. A list entry that runs past the end ends the reading.
void decode_config(const std::string &bytes, sys_config &cfg, std::vector<std::string> &open_files,
                   std::vector<std::string> &recent_files);

// Reads `path` into g_config and appends its paths to the two lists. False, with a line on
// standard output, when the file cannot be opened.
bool load_config(const std::string &path);

// Writes g_config and both lists to `path`. Returns 0 on success and EOF when the file
// cannot be opened or a write fails, so that a failed save never reads as a success.
int save_config(const std::string &path);

// Largest config file that is read; anything beyond is ignored.
constexpr std::size_t config_file_limit = 16u << 20;

// Most entries kept of each path list on reading; further entries are read over.
constexpr std::size_t config_list_limit = 1024;
