#pragma once
// Typed values of the dialect: the twenty column types, their wire descriptors, range and
// capacity checks, and the texts with which dates and times are written and read.
#include <cstdint>
#include <string>
#include <string_view>

namespace vela {

enum class col_type : uint8_t {
    u08,
    i08,
    u16,
    i16,
    u32,
    i32,
    u64,
    i64,
    flt,
    dbl,
    s04,
    s08,
    s16,
    s32,
    s64,
    s128,
    s256,
    date,
    time,
    datetime
};

// Inline: they are asked for every cell of every row.
inline bool is_int(col_type t)
{
    return t <= col_type::i64;
}
inline bool is_unsigned(col_type t)
{
    return t <= col_type::u64 && int(t) % 2 == 0;
}
inline bool is_real(col_type t)
{
    return t == col_type::flt || t == col_type::dbl;
}
inline bool is_str(col_type t)
{
    return t >= col_type::s04 && t <= col_type::s256;
}
inline bool is_temporal(col_type t)
{
    return t >= col_type::date;
}
// Byte width of an integer type (1, 2, 4, 8).
inline int int_width(col_type t)
{
    return 1 << (int(t) / 2);
}
// Largest number of bytes a string column holds (N - 1 for stringN).
size_t str_capacity(col_type t);
const char *type_name(col_type t);
// Accepts the twenty names and the short forms of the grammar (i8, u8, string4, string8).
bool type_from_name(const std::string &name, col_type &out);

struct wire_descriptor {
    uint8_t width_code, unsigned_flag, kind;
};
wire_descriptor descriptor_of(col_type t);

struct date_time {
    int year = 1970, month = 1, day = 1;
    int hour = 0, minute = 0, second = 0;
    int32_t nanos = 0;
};

struct value {
    col_type type = col_type::i64;
    int64_t i = 0; // integers; unsigned types keep their bits here
    double d = 0;  // float and double
    std::string s; // strings
    date_time dt;  // date, time, datetime (only the fields of the type matter)

    static value of_int(int64_t v, col_type t = col_type::i64);
    static value of_uint(uint64_t v, col_type t = col_type::u64);
    static value of_real(double v, col_type t = col_type::dbl);
    static value of_str(std::string v, col_type t = col_type::s256);
    uint64_t u() const { return uint64_t(i); }
};

bool valid_date(int y, int m, int d);
bool is_leap_year(int y);
int days_in_month(int y, int m);

// Reads "yyyy-MM-dd", "HH:mm:ss[.fraction]" and "yyyy-MM-dd[ |T]HH:mm:ss[.fraction]".
bool parse_date(const std::string &text, date_time &out);
bool parse_time(const std::string &text, date_time &out);
bool parse_datetime(const std::string &text, date_time &out);
std::string format_date(const date_time &v);
std::string format_time(const date_time &v);
std::string format_datetime(const date_time &v);

// Canonical text of any value (numbers in decimal, reals shortest round-trip).
std::string value_text(const value &v);
// The same text, appended to out.
void append_value_text(std::string &out, const value &v);

// Converts v to type t. False with a reason when the value does not fit: an integer out of
// range, a real out of range or not integral for an integer type, a text that is not a number
// or a date, a text over the column's capacity.
bool convert_value(const value &v, col_type t, value &out, std::string &err);
// The same as converting a string256 value that holds text, without making one: the common
// forms (plain decimal numbers, texts that fit) are read in place. out keeps its string's
// storage for the next call.
bool convert_text(std::string_view text, col_type t, value &out, std::string &err);

// Three-way comparison with numeric promotion; texts against dates are read as dates.
// False when the two cannot be compared.
bool compare_values(const value &a, const value &b, int &result);

// Days since 1970-01-01 and back (proleptic Gregorian).
int64_t days_from_civil(int y, int m, int d);
void civil_from_days(int64_t z, int &y, int &m, int &d);

} // namespace vela
