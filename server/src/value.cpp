#include "value.h"

#include "base/wire.h"
#include "refuse.h"

#include <algorithm>
#include <cerrno>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace vela {

namespace {
struct type_info {
    const char *name;
    wire_descriptor desc;
};
const type_info k_types[] = {
    {"u08", {0, 1, wire::kind_int}},
    {"i08", {0, 0, wire::kind_int}},
    {"u16", {1, 1, wire::kind_int}},
    {"i16", {1, 0, wire::kind_int}},
    {"u32", {2, 1, wire::kind_int}},
    {"i32", {2, 0, wire::kind_int}},
    {"u64", {3, 1, wire::kind_int}},
    {"i64", {3, 0, wire::kind_int}},
    {"float", {2, 0, wire::kind_real}},
    {"double", {3, 0, wire::kind_real}},
    {"string04", {wire::width_string04, 0, wire::kind_string}},
    {"string08", {5, 0, wire::kind_string}},
    {"string16", {6, 0, wire::kind_string}},
    {"string32", {7, 0, wire::kind_string}},
    {"string64", {8, 0, wire::kind_string}},
    {"string128", {9, 0, wire::kind_string}},
    {"string256", {wire::width_string256, 0, wire::kind_string}},
    {"date", {0, 0, wire::kind_date}},
    {"time", {0, 0, wire::kind_time}},
    {"datetime", {0, 0, wire::kind_datetime}},
};

bool all_digits(const char *p, size_t n)
{
    if (n == 0) return false;
    for (size_t i = 0; i < n; ++i)
        if (p[i] < '0' || p[i] > '9') return false;
    return true;
}

int num(const char *p, size_t n)
{
    int v = 0;
    for (size_t i = 0; i < n; ++i) v = v * 10 + (p[i] - '0');
    return v;
}

std::string trim(const std::string &s)
{
    size_t b = 0, e = s.size();
    while (b < e && (s[b] == ' ' || s[b] == '\t')) ++b;
    while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t')) --e;
    return s.substr(b, e - b);
}

// Integer text: optional sign, decimal, 0x hexadecimal or 0b binary digits. Blanks inside
// the digits are allowed because the grid groups binary digits by four for display.
bool parse_int_text(const std::string &text, bool &neg, uint64_t &mag)
{
    std::string t;
    for (char c : text)
        if (c != ' ' && c != '\t') t.push_back(c);
    size_t p = 0;
    neg = false;
    if (p < t.size() && (t[p] == '+' || t[p] == '-')) neg = t[p++] == '-';
    int base = 10;
    if (t.size() - p > 2 && t[p] == '0' && (t[p + 1] == 'x' || t[p + 1] == 'b')) {
        base = t[p + 1] == 'x' ? 16 : 2;
        p += 2;
    }
    if (p >= t.size()) return false;
    mag = 0;
    for (; p < t.size(); ++p) {
        int d;
        char c = t[p];
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        else
            return false;
        if (d >= base) return false;
        if (mag > (UINT64_MAX - uint64_t(d)) / uint64_t(base)) return false;
        mag = mag * uint64_t(base) + uint64_t(d);
    }
    return true;
}

bool int_in_range(bool neg, uint64_t mag, col_type t)
{
    int w = int_width(t);
    if (is_unsigned(t)) {
        if (neg) return mag == 0;
        return w == 8 || mag <= (uint64_t(1) << (8 * w)) - 1;
    }
    uint64_t max_pos = (w == 8) ? uint64_t(INT64_MAX) : (uint64_t(1) << (8 * w - 1)) - 1;
    return neg ? mag <= max_pos + 1 : mag <= max_pos;
}

value make_int(bool neg, uint64_t mag, col_type t)
{
    value v;
    v.type = t;
    v.i = neg ? int64_t(0 - mag) : int64_t(mag);
    return v;
}

// The shortest of "%.15g", "%.16g" and "%.17g" ("%.6g" up to "%.17g" for a float) that
// reads back to the same value. to_chars with a precision writes exactly what printf would,
// and from_chars reads exactly as strtod does, both without the locale and several times
// faster.
// For a double whose shortest digits that read back are 15 or fewer, "%.15g" writes those
// very digits (it rounds to 15, and a normal double is finer than 15 digits): they are put
// in printf's layout here, the slow rounding skipped. 0 for a double that needs more digits,
// and for zero and the subnormals, which are coarser.
size_t short_double_chars(double d, char *buf)
{
    if (!(std::fabs(d) >= DBL_MIN)) return 0;
    char sci[48];
    const char *end = std::to_chars(sci, sci + sizeof sci, d, std::chars_format::scientific).ptr;
    const char *p = sci, *e = std::find(p, end, 'e');
    char digits[24];
    int count = 0;
    for (const char *q = p; q < e; ++q)
        if (*q >= '0' && *q <= '9') digits[count++] = *q;
    if (count > 15 || e == end) return 0;
    int exp = 0;
    std::from_chars(e + (e[1] == '+' ? 2 : 1), end, exp);
    if (exp < -4 || exp >= 15) { // printf's exponent form is to_chars' own
        std::memcpy(buf, sci, size_t(end - sci));
        return size_t(end - sci);
    }
    char *o = buf;
    if (*p == '-') *o++ = '-';
    if (exp >= 0) {
        for (int i = 0; i <= exp; ++i) *o++ = i < count ? digits[i] : '0';
        if (count > exp + 1) *o++ = '.';
        for (int i = exp + 1; i < count; ++i) *o++ = digits[i];
    } else {
        *o++ = '0';
        *o++ = '.';
        for (int i = 0; i < -exp - 1; ++i) *o++ = '0';
        for (int i = 0; i < count; ++i) *o++ = digits[i];
    }
    return size_t(o - buf);
}

size_t real_chars(double d, bool single, char *buf, size_t size)
{
    if (std::isnan(d)) return std::memcpy(buf, "nan", 3), 3;
    if (std::isinf(d))
        return d < 0 ? (std::memcpy(buf, "-inf", 4), 4) : (std::memcpy(buf, "inf", 3), 3);
    size_t n = single ? 0 : short_double_chars(d, buf);
    if (n) return n;
    for (int prec = single ? 6 : 15; prec <= 17; ++prec) {
        n = size_t(std::to_chars(buf, buf + size, d, std::chars_format::general, prec).ptr - buf);
        double back = 0;
        std::from_chars(buf, buf + n, back);
        if (single ? float(back) == float(d) : back == d) break;
    }
    return n;
}

bool text_fits(const std::string &s, col_type t, std::string &err)
{
    if (s.size() > str_capacity(t)) {
        return refuse(err, "text of " + std::to_string(s.size()) + " bytes does not fit " +
                               type_name(t) + " (at most " + std::to_string(str_capacity(t)) +
                               " bytes)");
    }
    return true;
}

int cmp3(long double a, long double b)
{
    return a < b ? -1 : (a > b ? 1 : 0);
}

int cmp_dt(const date_time &a, const date_time &b)
{
    const int x[] = {a.year, a.month, a.day, a.hour, a.minute, a.second, a.nanos};
    const int y[] = {b.year, b.month, b.day, b.hour, b.minute, b.second, b.nanos};
    for (int i = 0; i < 7; ++i)
        if (x[i] != y[i]) return x[i] < y[i] ? -1 : 1;
    return 0;
}
} // namespace

size_t str_capacity(col_type t)
{
    return (size_t(1) << (int(t) - int(col_type::s04) + 2)) - 1;
}
const char *type_name(col_type t)
{
    return k_types[int(t)].name;
}
wire_descriptor descriptor_of(col_type t)
{
    return k_types[int(t)].desc;
}

bool type_from_name(const std::string &name, col_type &out)
{
    for (int i = 0; i < 20; ++i)
        if (name == k_types[i].name) {
            out = col_type(i);
            return true;
        }
    if (name == "u8") return out = col_type::u08, true;
    if (name == "i8") return out = col_type::i08, true;
    if (name == "string4") return out = col_type::s04, true;
    if (name == "string8") return out = col_type::s08, true;
    // "i" and "u" alone (dt_int allows an empty width) are 64-bit.
    if (name == "u") return out = col_type::u64, true;
    if (name == "i") return out = col_type::i64, true;
    return false;
}

value value::of_int(int64_t v, col_type t)
{
    value r;
    r.type = t;
    r.i = v;
    return r;
}
value value::of_uint(uint64_t v, col_type t)
{
    value r;
    r.type = t;
    r.i = int64_t(v);
    return r;
}
value value::of_real(double v, col_type t)
{
    value r;
    r.type = t;
    r.d = v;
    return r;
}
value value::of_str(std::string v, col_type t)
{
    value r;
    r.type = t;
    r.s = std::move(v);
    return r;
}

bool is_leap_year(int y)
{
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}
int days_in_month(int y, int m)
{
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (m == 2 && is_leap_year(y)) return 29;
    return days[m - 1];
}
bool valid_date(int y, int m, int d)
{
    return y >= 1 && y <= 9999 && m >= 1 && m <= 12 && d >= 1 && d <= days_in_month(y, m);
}

bool parse_date(const std::string &text, date_time &out)
{
    std::string t = trim(text);
    const char *p = t.c_str();
    if (t.size() != 10 || p[4] != '-' || p[7] != '-' || !all_digits(p, 4) ||
        !all_digits(p + 5, 2) || !all_digits(p + 8, 2))
        return false;
    int y = num(p, 4), m = num(p + 5, 2), d = num(p + 8, 2);
    if (!valid_date(y, m, d)) return false;
    out.year = y;
    out.month = m;
    out.day = d;
    return true;
}

bool parse_time(const std::string &text, date_time &out)
{
    std::string t = trim(text);
    const char *p = t.c_str();
    if (t.size() < 8 || p[2] != ':' || p[5] != ':' || !all_digits(p, 2) || !all_digits(p + 3, 2) ||
        !all_digits(p + 6, 2))
        return false;
    int h = num(p, 2), mi = num(p + 3, 2), s = num(p + 6, 2);
    if (h > 23 || mi > 59 || s > 59) return false;
    int32_t nanos = 0;
    if (t.size() > 8) {
        size_t frac = t.size() - 9;
        if (p[8] != '.' || frac > 9 || !all_digits(p + 9, frac)) return false;
        nanos = num(p + 9, frac);
        for (size_t i = frac; i < 9; ++i) nanos *= 10;
    }
    out.hour = h;
    out.minute = mi;
    out.second = s;
    out.nanos = nanos;
    return true;
}

bool parse_datetime(const std::string &text, date_time &out)
{
    std::string t = trim(text);
    if (t.size() < 19 || (t[10] != ' ' && t[10] != 'T')) return false;
    date_time r;
    if (!parse_date(t.substr(0, 10), r) || !parse_time(t.substr(11), r)) return false;
    out = r;
    return true;
}

std::string format_date(const date_time &v)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", v.year, v.month, v.day);
    return buf;
}

std::string format_time(const date_time &v)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", v.hour, v.minute, v.second);
    std::string r = buf;
    if (v.nanos != 0) {
        std::snprintf(buf, sizeof buf, ".%09d", int(v.nanos));
        std::string f = buf;
        while (f.back() == '0') f.pop_back();
        r += f;
    }
    return r;
}

std::string format_datetime(const date_time &v)
{
    return format_date(v) + " " + format_time(v);
}

std::string value_text(const value &v)
{
    if (is_str(v.type)) return v.s;
    std::string out;
    append_value_text(out, v);
    return out;
}

void append_value_text(std::string &out, const value &v)
{
    char buf[64];
    if (is_int(v.type)) {
        char *end = is_unsigned(v.type) ? std::to_chars(buf, buf + sizeof buf, v.u()).ptr
                                        : std::to_chars(buf, buf + sizeof buf, v.i).ptr;
        out.append(buf, size_t(end - buf));
    } else if (is_real(v.type)) {
        out.append(buf, real_chars(v.d, v.type == col_type::flt, buf, sizeof buf));
    } else if (is_str(v.type)) {
        out += v.s;
    } else if (v.type == col_type::date) {
        out += format_date(v.dt);
    } else if (v.type == col_type::time) {
        out += format_time(v.dt);
    } else {
        out += format_datetime(v.dt);
    }
}

bool convert_value(const value &v, col_type t, value &out, std::string &err)
{
    if (is_int(t)) {
        bool neg = false;
        uint64_t mag = 0;
        if (is_int(v.type)) {
            neg = !is_unsigned(v.type) && v.i < 0;
            mag = neg ? 0 - uint64_t(v.i) : uint64_t(v.i);
        } else if (is_real(v.type)) {
            if (!std::isfinite(v.d) || std::floor(v.d) != v.d)
                return refuse(err, value_text(v) + " is not a whole number for " + type_name(t));
            if (v.d >= 18446744073709551616.0 || v.d < -9223372036854775808.0)
                return refuse(err, value_text(v) + " is out of range for " + type_name(t));
            neg = v.d < 0;
            mag = neg ? 0 - uint64_t(int64_t(v.d)) : uint64_t(v.d);
        } else if (is_str(v.type)) {
            if (!parse_int_text(v.s, neg, mag))
                return refuse(err, "\"" + v.s + "\" is not an integer for " + type_name(t));
        } else {
            return refuse(err,
                          std::string("a ") + type_name(v.type) + " cannot become " + type_name(t));
        }
        if (!int_in_range(neg, mag, t))
            return refuse(err, (neg ? "-" : "") + std::to_string(mag) + " is out of range for " +
                                   type_name(t));
        out = make_int(neg, mag, t);
        return true;
    }
    if (is_real(t)) {
        double d;
        if (is_int(v.type))
            d = is_unsigned(v.type) ? double(v.u()) : double(v.i);
        else if (is_real(v.type))
            d = v.d;
        else if (is_str(v.type)) {
            std::string s = trim(v.s);
            if (s.empty())
                return refuse(err,
                              "an empty text is not a number for " + std::string(type_name(t)));
            char *end = nullptr;
            errno = 0;
            d = std::strtod(s.c_str(), &end);
            if (end != s.c_str() + s.size() || s.find('\0') != std::string::npos)
                return refuse(err, "\"" + v.s + "\" is not a number for " + type_name(t));
        } else {
            return refuse(err,
                          std::string("a ") + type_name(v.type) + " cannot become " + type_name(t));
        }
        // The storage has no NaN (it would come back as 0 and slip past "no repeats"), and the
        // dialect has no empty value to stand for it.
        if (std::isnan(d))
            return refuse(err, std::string("NaN is not a number for ") + type_name(t));
        if (t == col_type::flt && std::isfinite(d) && std::fabs(d) > double(FLT_MAX))
            return refuse(err, value_text(v) + " is out of range for float");
        out = value::of_real(t == col_type::flt ? double(float(d)) : d, t);
        return true;
    }
    if (is_str(t)) {
        std::string s = value_text(v);
        if (!text_fits(s, t, err)) return false;
        out = value::of_str(std::move(s), t);
        return true;
    }
    // Dates and times.
    value r;
    r.type = t;
    if (is_str(v.type)) {
        bool ok = t == col_type::date   ? parse_date(v.s, r.dt)
                  : t == col_type::time ? parse_time(v.s, r.dt)
                                        : parse_datetime(v.s, r.dt);
        // A date alone is midnight of that day.
        if (!ok && t == col_type::datetime && parse_date(v.s, r.dt)) ok = true;
        if (!ok) return refuse(err, "\"" + v.s + "\" is not a valid " + type_name(t));
        out = r;
        return true;
    }
    if (v.type == t) {
        out = v;
        return true;
    }
    if (v.type == col_type::datetime && t == col_type::date) {
        r.dt.year = v.dt.year, r.dt.month = v.dt.month, r.dt.day = v.dt.day;
    } else if (v.type == col_type::datetime && t == col_type::time) {
        r.dt.hour = v.dt.hour, r.dt.minute = v.dt.minute, r.dt.second = v.dt.second,
        r.dt.nanos = v.dt.nanos;
    } else if (v.type == col_type::date && t == col_type::datetime) {
        r.dt.year = v.dt.year, r.dt.month = v.dt.month, r.dt.day = v.dt.day;
    } else {
        return refuse(err,
                      std::string("a ") + type_name(v.type) + " cannot become " + type_name(t));
    }
    out = r;
    return true;
}

namespace {
void reset_to(value &out, col_type t)
{
    out.type = t;
    out.i = 0;
    out.d = 0;
    out.s.clear();
    out.dt = date_time{};
}
} // namespace

bool convert_text(std::string_view text, col_type t, value &out, std::string &err)
{
    const char *p = text.data(), *end = p + text.size();
    if (is_int(t)) {
        // Plain decimal digits with an optional sign; every other form (blanks, 0x, 0b, more
        // digits than fit) is read by convert_value.
        bool neg = p < end && *p == '-';
        if (p < end && (*p == '-' || *p == '+')) ++p;
        if (p < end && end - p <= 19) {
            uint64_t mag = 0;
            const char *q = p;
            for (; q < end && *q >= '0' && *q <= '9'; ++q) mag = mag * 10 + uint64_t(*q - '0');
            if (q == end && int_in_range(neg, mag, t)) {
                reset_to(out, t);
                out.i = neg ? int64_t(0 - mag) : int64_t(mag);
                return true;
            }
        }
    } else if (is_real(t)) {
        // from_chars reads as strtod does, but takes no leading blank or plus sign, and fails
        // out of range where strtod gives an infinity: those go the long way.
        double d = 0;
        auto r = std::from_chars(p, end, d);
        if (p < end && r.ec == std::errc() && r.ptr == end && !std::isnan(d) &&
            !(t == col_type::flt && std::isfinite(d) && std::fabs(d) > double(FLT_MAX))) {
            reset_to(out, t);
            out.d = t == col_type::flt ? double(float(d)) : d;
            return true;
        }
    } else if (is_str(t)) {
        if (text.size() <= str_capacity(t)) {
            reset_to(out, t);
            out.s.assign(p, text.size());
            return true;
        }
    }
    return convert_value(value::of_str(std::string(text)), t, out, err);
}

bool compare_values(const value &a, const value &b, int &result)
{
    bool an = is_int(a.type) || is_real(a.type), bn = is_int(b.type) || is_real(b.type);
    if (an && bn) {
        if (is_int(a.type) && is_int(b.type)) {
            bool a_neg = !is_unsigned(a.type) && a.i < 0, b_neg = !is_unsigned(b.type) && b.i < 0;
            if (a_neg != b_neg)
                result = a_neg ? -1 : 1;
            else if (a_neg)
                result = a.i < b.i ? -1 : (a.i > b.i ? 1 : 0);
            else
                result = a.u() < b.u() ? -1 : (a.u() > b.u() ? 1 : 0);
            return true;
        }
        auto as_ld = [](const value &v) -> long double {
            if (is_real(v.type)) return v.d;
            return is_unsigned(v.type) ? (long double)v.u() : (long double)v.i;
        };
        long double x = as_ld(a), y = as_ld(b);
        if (std::isnan(x) || std::isnan(y)) {
            result = std::isnan(x) ? (std::isnan(y) ? 0 : 1) : -1;
            return true;
        }
        // A float column holds its values rounded to single precision; a double it meets
        // (a literal such as 0.1, or the nine-decimal text the grid shows) is read at that
        // precision too, or "f == 0.1" would never find the 0.1 that was stored.
        bool single_vs_double = (a.type == col_type::flt && b.type == col_type::dbl) ||
                                (a.type == col_type::dbl && b.type == col_type::flt);
        if (single_vs_double && std::fabs(x) <= FLT_MAX && std::fabs(y) <= FLT_MAX) {
            x = float(x);
            y = float(y);
        }
        result = cmp3(x, y);
        return true;
    }
    if (is_str(a.type) && is_str(b.type)) {
        int c = a.s.compare(b.s);
        result = c < 0 ? -1 : (c > 0 ? 1 : 0);
        return true;
    }
    if (is_temporal(a.type) || is_temporal(b.type)) {
        // Bring both to the temporal type of one side; a date meets a datetime as midnight.
        col_type t = is_temporal(a.type) ? a.type : b.type;
        if (is_temporal(a.type) && is_temporal(b.type) && a.type != b.type) {
            if (a.type == col_type::time || b.type == col_type::time) return false;
            t = col_type::datetime;
        }
        value x, y;
        std::string err;
        if (!convert_value(a, t, x, err) || !convert_value(b, t, y, err)) return false;
        result = cmp_dt(x.dt, y.dt);
        return true;
    }
    return false;
}

int64_t days_from_civil(int y, int m, int d)
{
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = unsigned(y - era * 400);
    const unsigned doy = (153 * unsigned(m + (m > 2 ? -3 : 9)) + 2) / 5 + unsigned(d) - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + int64_t(doe) - 719468;
}

void civil_from_days(int64_t z, int &y, int &m, int &d)
{
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = unsigned(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t yy = int64_t(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = int(doy - (153 * mp + 2) / 5 + 1);
    m = int(mp < 10 ? mp + 3 : mp - 9);
    y = int(yy + (m <= 2));
}

} // namespace vela
