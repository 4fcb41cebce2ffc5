#include "functions.h"
#include "statement_budget.h"
#include "refuse.h"

#include "sha256.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstring>
#include <ctime>
#include <functional>
#include <map>
#include <random>

namespace vela {

namespace {
using args_t = std::vector<value>;
using fn_t = std::function<bool(args_t &, const uint64_t *, value &, std::string &)>;

const int64_t k_day_ns = 86400LL * 1000000000LL;

bool need(const std::string &fn, const args_t &a, size_t lo, size_t hi, std::string &err)
{
    if (a.size() < lo || a.size() > hi) {
        return refuse(err, fn + " takes " +
                               (lo == hi ? std::to_string(lo)
                                         : std::to_string(lo) + " to " + std::to_string(hi)) +
                               " argument" + (hi == 1 ? "" : "s"));
    }
    return true;
}

bool as_real(const std::string &fn, const value &v, double &d, std::string &err)
{
    if (is_int(v.type))
        d = is_unsigned(v.type) ? double(v.u()) : double(v.i);
    else if (is_real(v.type))
        d = v.d;
    else
        return refuse(err, fn + " needs a number, not " + type_name(v.type));
    return true;
}

bool as_int(const std::string &fn, const value &v, int64_t &i, std::string &err)
{
    value c;
    if (!convert_value(v, col_type::i64, c, err)) return refuse(err, fn + ": " + err);
    i = c.i;
    return true;
}

bool as_text(const std::string &fn, const value &v, std::string &s, std::string &err)
{
    (void)fn;
    (void)err;
    s = value_text(v);
    return true;
}

bool as_temporal(const std::string &fn, const value &v, col_type want, value &out, std::string &err)
{
    if (v.type == want) return out = v, true;
    if (!convert_value(v, want, out, err)) return refuse(err, fn + ": " + err);
    return true;
}

// A date, or a datetime; texts are read as datetime first, then as date.
bool as_date_like(const std::string &fn, const value &v, value &out, std::string &err)
{
    if (v.type == col_type::date || v.type == col_type::datetime) return out = v, true;
    if (is_str(v.type)) {
        std::string e;
        if (convert_value(v, col_type::datetime, out, e) && v.s.size() > 10) return true;
        if (convert_value(v, col_type::date, out, e)) return true;
    }
    return refuse(err, fn + " needs a date or a datetime");
}

__int128 nanos_of(const value &v)
{
    __int128 day =
        (v.type == col_type::time) ? 0 : days_from_civil(v.dt.year, v.dt.month, v.dt.day);
    __int128 tod =
        (v.type == col_type::date)
            ? 0
            : (int64_t(v.dt.hour) * 3600 + v.dt.minute * 60 + v.dt.second) * 1000000000LL +
                  v.dt.nanos;
    return day * k_day_ns + tod;
}

bool from_nanos(__int128 ns, col_type t, value &out, std::string &err)
{
    __int128 day = ns / k_day_ns, tod = ns % k_day_ns;
    if (tod < 0) {
        tod += k_day_ns;
        --day;
    }
    out = value();
    out.type = t;
    if (t != col_type::time) {
        if (day < -800000 || day > 3000000)
            return refuse(err, "the date leaves the years 1 to 9999");
        civil_from_days(int64_t(day), out.dt.year, out.dt.month, out.dt.day);
        if (!valid_date(out.dt.year, out.dt.month, out.dt.day))
            return refuse(err, "the date leaves the years 1 to 9999");
    }
    if (t != col_type::date) {
        int64_t s = int64_t(tod / 1000000000LL);
        out.dt.nanos = int32_t(tod % 1000000000LL);
        out.dt.hour = int(s / 3600);
        out.dt.minute = int(s / 60 % 60);
        out.dt.second = int(s % 60);
    }
    return true;
}

value now_value()
{
    auto now = std::chrono::system_clock::now();
    int64_t ns =
        std::chrono::duration_cast<std::chrono::nanoseconds>(now.time_since_epoch()).count();
    time_t secs = time_t(ns / 1000000000LL);
    struct tm lt;
    localtime_r(&secs, &lt);
    value v;
    v.type = col_type::datetime;
    v.dt.year = lt.tm_year + 1900;
    v.dt.month = lt.tm_mon + 1;
    v.dt.day = lt.tm_mday;
    v.dt.hour = lt.tm_hour;
    v.dt.minute = lt.tm_min;
    v.dt.second = lt.tm_sec > 59 ? 59 : lt.tm_sec;
    v.dt.nanos = int32_t(ns % 1000000000LL);
    return v;
}

std::mt19937_64 &rng()
{
    static thread_local std::mt19937_64 g{std::random_device{}()};
    return g;
}

fn_t math1(const std::string &name, double (*f)(double))
{
    return [name, f](args_t &a, const uint64_t *, value &out, std::string &err) {
        double x;
        if (!need(name, a, 1, 1, err) || !as_real(name, a[0], x, err)) return false;
        out = value::of_real(f(x));
        return true;
    };
}

// Integers keep their value through rounding functions; reals are rounded.
fn_t rounding(const std::string &name, double (*f)(double))
{
    return [name, f](args_t &a, const uint64_t *, value &out, std::string &err) {
        if (!need(name, a, 1, 1, err)) return false;
        if (is_int(a[0].type)) return out = a[0], true;
        double x;
        if (!as_real(name, a[0], x, err)) return false;
        out = value::of_real(f(x));
        return true;
    };
}

fn_t convert_to(const std::string &name, col_type t)
{
    return [name, t](args_t &a, const uint64_t *, value &out, std::string &err) {
        if (!need(name, a, 1, 1, err)) return false;
        value v = a[0];
        // Conversions to an integer type drop the fraction of a real.
        if (is_int(t) && is_real(v.type) && std::isfinite(v.d)) v.d = std::trunc(v.d);
        if (!convert_value(v, t, out, err)) return refuse(err, name + ": " + err);
        return true;
    };
}

fn_t date_part(const std::string &name, int which)
{
    return [name, which](args_t &a, const uint64_t *, value &out, std::string &err) {
        if (!need(name, a, 1, 1, err)) return false;
        value v = a[0];
        if (is_str(v.type)) {
            std::string e;
            value t;
            if (convert_value(v, col_type::datetime, t, e))
                v = t;
            else if (convert_value(v, col_type::date, t, e))
                v = t;
            else if (convert_value(v, col_type::time, t, e))
                v = t;
        }
        bool has_date = v.type == col_type::date || v.type == col_type::datetime;
        bool has_time = v.type == col_type::time || v.type == col_type::datetime;
        if ((which < 3 && !has_date) || (which >= 3 && !has_time))
            return refuse(err, name + " needs a " + (which < 3 ? "date" : "time"));
        const int parts[] = {v.dt.year,   v.dt.month,  v.dt.day,  v.dt.hour,
                             v.dt.minute, v.dt.second, v.dt.nanos};
        out = value::of_int(parts[which]);
        return true;
    };
}

fn_t shift_time(const std::string &name, int64_t unit, int sign)
{
    return [name, unit, sign](args_t &a, const uint64_t *, value &out, std::string &err) {
        if (!need(name, a, 2, 2, err)) return false;
        value v;
        int64_t n;
        if (unit == k_day_ns) {
            if (!as_date_like(name, a[0], v, err)) return false;
        } else if (a[0].type == col_type::time) {
            v = a[0];
        } else if (!as_temporal(name, a[0], col_type::datetime, v, err)) {
            return false;
        }
        if (!as_int(name, a[1], n, err)) return false;
        __int128 ns = nanos_of(v) + __int128(sign) * __int128(n) * unit;
        if (v.type == col_type::time) {
            ns %= k_day_ns; // a time of day wraps around midnight
            if (ns < 0) ns += k_day_ns;
        }
        return from_nanos(ns, v.type, out, err);
    };
}

const char *const k_weekday_en[] = {"Monday", "Tuesday",  "Wednesday", "Thursday",
                                    "Friday", "Saturday", "Sunday"};
const char *const k_weekday_zh[] = {
    "\xe6\x98\x9f\xe6\x9c\x9f\xe4\xb8\x80", "\xe6\x98\x9f\xe6\x9c\x9f\xe4\xba\x8c",
    "\xe6\x98\x9f\xe6\x9c\x9f\xe4\xb8\x89", "\xe6\x98\x9f\xe6\x9c\x9f\xe5\x9b\x9b",
    "\xe6\x98\x9f\xe6\x9c\x9f\xe4\xba\x94", "\xe6\x98\x9f\xe6\x9c\x9f\xe5\x85\xad",
    "\xe6\x98\x9f\xe6\x9c\x9f\xe6\x97\xa5"};

// ISO weekday: 1 Monday ... 7 Sunday.
bool weekday_of(const std::string &name, const value &a, int &wd, std::string &err)
{
    value v;
    if (!as_date_like(name, a, v, err)) return false;
    int64_t days = days_from_civil(v.dt.year, v.dt.month, v.dt.day); // 1970-01-01 was a Thursday
    wd = int(((days % 7) + 7 + 3) % 7) + 1;
    return true;
}

bool is_space(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

const std::map<std::string, fn_t> &table()
{
    static const std::map<std::string, fn_t> fns = [] {
        std::map<std::string, fn_t> m;
        m["abs"] = [](args_t &a, const uint64_t *, value &out, std::string &err) {
            if (!need("abs", a, 1, 1, err)) return false;
            if (is_int(a[0].type)) {
                if (is_unsigned(a[0].type)) return out = a[0], true;
                if (a[0].i == INT64_MIN) return refuse(err, "abs: integer overflow");
                out = value::of_int(a[0].i < 0 ? -a[0].i : a[0].i);
                return true;
            }
            double x;
            if (!as_real("abs", a[0], x, err)) return false;
            out = value::of_real(std::fabs(x));
            return true;
        };
        m["ceil"] = rounding("ceil", std::ceil);
        m["floor"] = rounding("floor", std::floor);
        m["round"] = [](args_t &a, const uint64_t *, value &out, std::string &err) {
            if (!need("round", a, 1, 2, err)) return false;
            if (a.size() == 1 && is_int(a[0].type)) return out = a[0], true;
            double x;
            int64_t digits = 0;
            if (!as_real("round", a[0], x, err)) return false;
            if (a.size() == 2 && !as_int("round", a[1], digits, err)) return false;
            if (digits < -300 || digits > 300)
                return refuse(err, "round: digits outside -300 to 300");
            double scale = std::pow(10.0, double(digits));
            out = value::of_real(std::round(x * scale) / scale);
            return true;
        };
        m["exp"] = math1("exp", std::exp);
        m["log2"] = math1("log2", std::log2);
        m["log10"] = math1("log10", std::log10);
        m["log1p"] = math1("log1p", std::log1p);
        m["sqrt"] = math1("sqrt", std::sqrt);
        m["sin"] = math1("sin", std::sin);
        m["cos"] = math1("cos", std::cos);
        m["tan"] = math1("tan", std::tan);
        m["asin"] = math1("asin", std::asin);
        m["acos"] = math1("acos", std::acos);
        m["log"] = [](args_t &a, const uint64_t *, value &out, std::string &err) {
            double x, base = 0;
            if (!need("log", a, 1, 2, err) || !as_real("log", a[0], x, err)) return false;
            if (a.size() == 2 && !as_real("log", a[1], base, err)) return false;
            out = value::of_real(a.size() == 2 ? std::log(x) / std::log(base) : std::log(x));
            return true;
        };
        m["atan"] = [](args_t &a, const uint64_t *, value &out, std::string &err) {
            double y, x = 1;
            if (!need("atan", a, 1, 2, err) || !as_real("atan", a[0], y, err)) return false;
            if (a.size() == 2 && !as_real("atan", a[1], x, err)) return false;
            out = value::of_real(a.size() == 2 ? std::atan2(y, x) : std::atan(y));
            return true;
        };
        m["pow"] = [](args_t &a, const uint64_t *, value &out, std::string &err) {
            double x, y;
            if (!need("pow", a, 2, 2, err) || !as_real("pow", a[0], x, err) ||
                !as_real("pow", a[1], y, err))
                return false;
            out = value::of_real(std::pow(x, y));
            return true;
        };
        m["pi"] = [](args_t &a, const uint64_t *, value &out, std::string &err) {
            if (!need("pi", a, 0, 0, err)) return false;
            out = value::of_real(3.14159265358979323846);
            return true;
        };
        m["e"] = [](args_t &a, const uint64_t *, value &out, std::string &err) {
            if (!need("e", a, 0, 0, err)) return false;
            out = value::of_real(2.71828182845904523536);
            return true;
        };
        m["constants"] = [](args_t &a, const uint64_t *, value &out, std::string &err) {
            static const std::map<std::string, double> named = {
                {"pi", 3.14159265358979323846},    {"e", 2.71828182845904523536},
                {"sqrt2", 1.41421356237309504880}, {"sqrt1_2", 0.70710678118654752440},
                {"ln2", 0.69314718055994530942},   {"ln10", 2.30258509299404568402},
                {"log2e", 1.44269504088896340736}, {"log10e", 0.43429448190325182765},
                {"phi", 1.61803398874989484820}};
            if (!need("constants", a, 1, 1, err)) return false;
            auto it = is_str(a[0].type) ? named.find(a[0].s) : named.end();
            if (it == named.end())
                return refuse(err, "constants knows \"pi\", \"e\", \"sqrt2\", \"sqrt1_2\", "
                                   "\"ln2\", \"ln10\", \"log2e\", \"log10e\" and \"phi\"");
            out = value::of_real(it->second);
            return true;
        };
        m["seq"] = [](args_t &, const uint64_t *, value &, std::string &err) {
            return refuse(err, "seq gives rows of its own: use it as a column of a select "
                               "without a table");
        };
        m["rand"] = [](args_t &a, const uint64_t *, value &out, std::string &err) {
            if (!need("rand", a, 0, 2, err)) return false;
            if (a.empty()) {
                out = value::of_real(std::uniform_real_distribution<double>(0.0, 1.0)(rng()));
                return true;
            }
            int64_t lo = 0, hi;
            if (!as_int("rand", a.back(), hi, err)) return false;
            if (a.size() == 2 && !as_int("rand", a[0], lo, err)) return false;
            if (a.size() == 1) { // rand(n): 0 to n - 1
                if (hi <= 0) return refuse(err, "rand: empty range");
                hi = hi - 1;
            }
            if (hi < lo) return refuse(err, "rand: empty range");
            out = value::of_int(std::uniform_int_distribution<int64_t>(lo, hi)(rng()));
            return true;
        };

        // Text. Positions are byte offsets from 0; -1 means not found.
        m["length"] = [](args_t &a, const uint64_t *, value &out, std::string &err) {
            std::string s;
            if (!need("length", a, 1, 1, err) || !as_text("length", a[0], s, err)) return false;
            out = value::of_int(int64_t(s.size()));
            return true;
        };
        m["concat"] = [](args_t &a, const uint64_t *, value &out, std::string &err) {
            std::string s;
            // Bounded as it grows: nested calls would otherwise double a text at every level.
            for (const auto &v : a) {
                s += value_text(v);
                if (s.size() > (1u << 20)) return refuse(err, "concat: result too long");
            }
            out = value::of_str(std::move(s));
            return true;
        };
        m["substr"] = [](args_t &a, const uint64_t *, value &out, std::string &err) {
            std::string s;
            int64_t from, len = INT64_MAX;
            if (!need("substr", a, 2, 3, err) || !as_text("substr", a[0], s, err) ||
                !as_int("substr", a[1], from, err))
                return false;
            if (a.size() == 3 && !as_int("substr", a[2], len, err)) return false;
            if (from < 0 || len < 0) return refuse(err, "substr: negative position or length");
            out = value::of_str(
                size_t(from) >= s.size()
                    ? std::string()
                    : s.substr(size_t(from), size_t(std::min<int64_t>(len, int64_t(s.size())))));
            return true;
        };
        m["replace"] = [](args_t &a, const uint64_t *, value &out, std::string &err) {
            std::string s, from, to;
            if (!need("replace", a, 3, 3, err)) return false;
            as_text("", a[0], s, err), as_text("", a[1], from, err), as_text("", a[2], to, err);
            if (from.empty()) return out = value::of_str(s), true;
            std::string r;
            size_t p = 0, q;
            while ((q = s.find(from, p)) != std::string::npos) {
                r.append(s, p, q - p);
                r += to;
                p = q + from.size();
                if (r.size() > (1u << 20)) return refuse(err, "replace: result too long");
            }
            r.append(s, p, std::string::npos);
            out = value::of_str(std::move(r));
            return true;
        };
        auto two_texts = [](const char *name,
                            std::function<value(const std::string &, const std::string &)> f) {
            std::string n = name;
            return fn_t([n, f](args_t &a, const uint64_t *, value &out, std::string &err) {
                if (!need(n, a, 2, 2, err)) return false;
                out = f(value_text(a[0]), value_text(a[1]));
                return true;
            });
        };
        auto pos = [](size_t p) { return value::of_int(p == std::string::npos ? -1 : int64_t(p)); };
        auto flag = [](bool b) { return value::of_uint(b ? 1 : 0, col_type::u08); };
        m["starts"] = two_texts("starts", [flag](const std::string &s, const std::string &p) {
            return flag(s.compare(0, p.size(), p) == 0 && s.size() >= p.size());
        });
        m["ends"] = two_texts("ends", [flag](const std::string &s, const std::string &p) {
            return flag(s.size() >= p.size() && s.compare(s.size() - p.size(), p.size(), p) == 0);
        });
        m["contain"] = two_texts("contain", [flag](const std::string &s, const std::string &p) {
            return flag(s.find(p) != std::string::npos);
        });
        m["find_first"] =
            two_texts("find_first",
                      [pos](const std::string &s, const std::string &p) { return pos(s.find(p)); });
        m["find_last"] = two_texts("find_last", [pos](const std::string &s, const std::string &p) {
            return pos(s.rfind(p));
        });
        m["find_first_of"] =
            two_texts("find_first_of", [pos](const std::string &s, const std::string &p) {
                return pos(p.empty() ? std::string::npos : s.find_first_of(p));
            });
        m["find_last_of"] =
            two_texts("find_last_of", [pos](const std::string &s, const std::string &p) {
                return pos(p.empty() ? std::string::npos : s.find_last_of(p));
            });
        // Every character of the pattern appears in the text in order (ASCII letters ignore case).
        m["fuzzy_match"] =
            two_texts("fuzzy_match", [flag](const std::string &s, const std::string &p) {
                size_t j = 0;
                for (size_t i = 0; i < s.size() && j < p.size(); ++i)
                    if (std::tolower((unsigned char)s[i]) == std::tolower((unsigned char)p[j])) ++j;
                return flag(j == p.size());
            });
        m["reg_match"] = [flag](args_t &a, const uint64_t *, value &out, std::string &err) {
            if (!need("reg_match", a, 2, 2, err)) return false;
            std::string s = value_text(a[0]), pat = value_text(a[1]);
            int code;
            PCRE2_SIZE off;
            pcre2_code *re =
                pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pat.data()), pat.size(),
                              PCRE2_UTF | PCRE2_MATCH_INVALID_UTF, &code, &off, nullptr);
            if (!re) return refuse(err, "reg_match: bad pattern at offset " + std::to_string(off));
            pcre2_match_context *mc = pcre2_match_context_create(nullptr);
            pcre2_set_match_limit(mc, 1000000);
            pcre2_set_depth_limit(mc, 10000);
            pcre2_match_data *md = pcre2_match_data_create_from_pattern(re, nullptr);
            auto began = statement_budget::clock::now();
            int rc =
                pcre2_match(re, reinterpret_cast<PCRE2_SPTR>(s.data()), s.size(), 0, 0, md, mc);
            pcre2_match_data_free(md);
            pcre2_match_context_free(mc);
            pcre2_code_free(re);
            if (rc < 0 && rc != PCRE2_ERROR_NOMATCH)
                return refuse(err, "reg_match: the pattern needs too much work");
            // Each call is bounded by the match limit; the statement's calls together by
            // its share of matching time and its deadline.
            if (!statement_budget::charge_regex(statement_budget::clock::now() - began, err))
                return false;
            out = flag(rc >= 0);
            return true;
        };
        auto trimmer = [](const char *name, bool left, bool right) {
            std::string n = name;
            return fn_t(
                [n, left, right](args_t &a, const uint64_t *, value &out, std::string &err) {
                    if (!need(n, a, 1, 1, err)) return false;
                    std::string s = value_text(a[0]);
                    size_t b = 0, e = s.size();
                    while (left && b < e && is_space(s[b])) ++b;
                    while (right && e > b && is_space(s[e - 1])) --e;
                    out = value::of_str(s.substr(b, e - b));
                    return true;
                });
        };
        m["trim_l"] = trimmer("trim_l", true, false);
        m["trim_r"] = trimmer("trim_r", false, true);
        m["trim"] = trimmer("trim", true, true);
        auto casing = [](const char *name, bool upper) {
            std::string n = name;
            return fn_t([n, upper](args_t &a, const uint64_t *, value &out, std::string &err) {
                if (!need(n, a, 1, 1, err)) return false;
                std::string s = value_text(a[0]);
                for (char &c : s)
                    if (upper ? (c >= 'a' && c <= 'z') : (c >= 'A' && c <= 'Z')) c = char(c ^ 0x20);
                out = value::of_str(std::move(s));
                return true;
            });
        };
        m["lcase"] = casing("lcase", false);
        m["ucase"] = casing("ucase", true);

        // Conversions.
        const std::pair<const char *, col_type> conv[] = {
            {"x2i08", col_type::i08},     {"x2i16", col_type::i16},
            {"x2i32", col_type::i32},     {"x2i64", col_type::i64},
            {"x2u08", col_type::u08},     {"x2u16", col_type::u16},
            {"x2u32", col_type::u32},     {"x2u64", col_type::u64},
            {"x2flt", col_type::flt},     {"x2dbl", col_type::dbl},
            {"x2str04", col_type::s04},   {"x2str08", col_type::s08},
            {"x2str16", col_type::s16},   {"x2str32", col_type::s32},
            {"x2str64", col_type::s64},   {"x2str128", col_type::s128},
            {"x2str256", col_type::s256}, {"x2date", col_type::date},
            {"x2time", col_type::time},   {"x2datetime", col_type::datetime}};
        for (const auto &c : conv) m[c.first] = convert_to(c.first, c.second);

        m["raw2hex"] = [](args_t &a, const uint64_t *, value &out, std::string &err) {
            if (!need("raw2hex", a, 1, 1, err)) return false;
            std::string s = value_text(a[0]);
            out = value::of_str(to_hex(reinterpret_cast<const uint8_t *>(s.data()), s.size()));
            return true;
        };
        m["hex2raw"] = [](args_t &a, const uint64_t *, value &out, std::string &err) {
            if (!need("hex2raw", a, 1, 1, err)) return false;
            std::string s = value_text(a[0]), r;
            if (s.size() % 2) return refuse(err, "hex2raw: odd number of digits");
            for (size_t i = 0; i < s.size(); i += 2) {
                int hi = std::isxdigit((unsigned char)s[i]) ? std::stoi(s.substr(i, 1), nullptr, 16)
                                                            : -1;
                int lo = std::isxdigit((unsigned char)s[i + 1])
                             ? std::stoi(s.substr(i + 1, 1), nullptr, 16)
                             : -1;
                if (hi < 0 || lo < 0) return refuse(err, "hex2raw: not a hexadecimal digit");
                r.push_back(char(hi * 16 + lo));
            }
            out = value::of_str(std::move(r));
            return true;
        };
        fn_t row_id = [](args_t &a, const uint64_t *rid, value &out, std::string &err) {
            if (!need("row_id", a, 0, 0, err)) return false;
            if (!rid) return refuse(err, "row_id needs a row");
            out = value::of_uint(*rid, col_type::u64);
            return true;
        };
        m["row_id"] = row_id;
        m["id"] = row_id;
        // An id from the clock: nanoseconds since 1970, strictly increasing within the server.
        m["now_id"] = [](args_t &a, const uint64_t *, value &out, std::string &err) {
            if (!need("now_id", a, 0, 0, err)) return false;
            static std::atomic<uint64_t> last{0};
            uint64_t now = uint64_t(std::chrono::duration_cast<std::chrono::nanoseconds>(
                                        std::chrono::system_clock::now().time_since_epoch())
                                        .count());
            uint64_t prev = last.load();
            uint64_t next;
            do {
                next = now > prev ? now : prev + 1;
            } while (!last.compare_exchange_weak(prev, next));
            out = value::of_uint(next, col_type::u64);
            return true;
        };
        m["hash_passwd"] = [](args_t &a, const uint64_t *, value &out, std::string &err) {
            if (!need("hash_passwd", a, 1, 1, err)) return false;
            sha256_digest d = sha256_of(value_text(a[0]));
            out = value::of_str(to_hex(d.data(), d.size()), col_type::s128);
            return true;
        };

        // Date and time.
        m["now"] = [](args_t &a, const uint64_t *, value &out, std::string &err) {
            if (!need("now", a, 0, 0, err)) return false;
            out = now_value();
            return true;
        };
        m["date"] = [](args_t &a, const uint64_t *, value &out, std::string &err) {
            if (!need("date", a, 0, 1, err)) return false;
            return convert_value(a.empty() ? now_value() : a[0], col_type::date, out, err);
        };
        m["time"] = [](args_t &a, const uint64_t *, value &out, std::string &err) {
            if (!need("time", a, 0, 1, err)) return false;
            return convert_value(a.empty() ? now_value() : a[0], col_type::time, out, err);
        };
        m["date_of"] = [](args_t &a, const uint64_t *, value &out, std::string &err) {
            value v;
            if (!need("date_of", a, 1, 1, err) || !as_date_like("date_of", a[0], v, err))
                return false;
            return convert_value(v, col_type::date, out, err);
        };
        m["time_of"] = [](args_t &a, const uint64_t *, value &out, std::string &err) {
            value v;
            if (!need("time_of", a, 1, 1, err) ||
                !as_temporal("time_of", a[0], col_type::datetime, v, err))
                return false;
            return convert_value(v, col_type::time, out, err);
        };
        m["is_leap"] = [flag](args_t &a, const uint64_t *, value &out, std::string &err) {
            if (!need("is_leap", a, 1, 1, err)) return false;
            int64_t y;
            value v;
            if (is_int(a[0].type)) {
                if (!as_int("is_leap", a[0], y, err)) return false;
            } else if (as_date_like("is_leap", a[0], v, err)) {
                y = v.dt.year;
            } else {
                return false;
            }
            out = flag(is_leap_year(int(y % 400 + 400)));
            return true;
        };
        m["last_day"] = [](args_t &a, const uint64_t *, value &out, std::string &err) {
            value v;
            if (!need("last_day", a, 1, 1, err) || !as_date_like("last_day", a[0], v, err))
                return false;
            out = value();
            out.type = col_type::date;
            out.dt.year = v.dt.year;
            out.dt.month = v.dt.month;
            out.dt.day = days_in_month(v.dt.year, v.dt.month);
            return true;
        };
        m["add_day"] = shift_time("add_day", k_day_ns, 1);
        m["sub_day"] = shift_time("sub_day", k_day_ns, -1);
        m["add_nanosec"] = shift_time("add_nanosec", 1, 1);
        m["sub_nanosec"] = shift_time("sub_nanosec", 1, -1);
        m["day_diff"] = [](args_t &a, const uint64_t *, value &out, std::string &err) {
            value x, y;
            if (!need("day_diff", a, 2, 2, err) || !as_date_like("day_diff", a[0], x, err) ||
                !as_date_like("day_diff", a[1], y, err))
                return false;
            out = value::of_int(days_from_civil(x.dt.year, x.dt.month, x.dt.day) -
                                days_from_civil(y.dt.year, y.dt.month, y.dt.day));
            return true;
        };
        m["nanosec_diff"] = [](args_t &a, const uint64_t *, value &out, std::string &err) {
            if (!need("nanosec_diff", a, 2, 2, err)) return false;
            value x, y;
            col_type t = (a[0].type == col_type::time && a[1].type == col_type::time)
                             ? col_type::time
                             : col_type::datetime;
            if (!as_temporal("nanosec_diff", a[0], t, x, err) ||
                !as_temporal("nanosec_diff", a[1], t, y, err))
                return false;
            __int128 d = nanos_of(x) - nanos_of(y);
            if (d > INT64_MAX || d < INT64_MIN)
                return refuse(err, "nanosec_diff: the difference does not fit i64");
            out = value::of_int(int64_t(d));
            return true;
        };
        const char *parts[] = {"year_of",   "month_of",  "day_of",    "hour_of",
                               "minute_of", "second_of", "nanosec_of"};
        for (int i = 0; i < 7; ++i) m[parts[i]] = date_part(parts[i], i);
        m["weekday"] = [](args_t &a, const uint64_t *, value &out, std::string &err) {
            int wd;
            if (!need("weekday", a, 1, 1, err) || !weekday_of("weekday", a[0], wd, err))
                return false;
            out = value::of_int(wd);
            return true;
        };
        m["weekday_name"] = [](args_t &a, const uint64_t *, value &out, std::string &err) {
            int wd;
            if (!need("weekday_name", a, 1, 1, err) || !weekday_of("weekday_name", a[0], wd, err))
                return false;
            out = value::of_str(k_weekday_en[wd - 1]);
            return true;
        };
        m["weekday_cname"] = [](args_t &a, const uint64_t *, value &out, std::string &err) {
            int wd;
            if (!need("weekday_cname", a, 1, 1, err) || !weekday_of("weekday_cname", a[0], wd, err))
                return false;
            out = value::of_str(k_weekday_zh[wd - 1]);
            return true;
        };
        return m;
    }();
    return fns;
}
} // namespace

bool is_known_function(const std::string &name)
{
    return table().count(name) != 0;
}

bool call_function(const std::string &name, std::vector<value> &args, const uint64_t *row_id,
                   value &out, std::string &err)
{
    auto it = table().find(name);
    if (it == table().end())
        return refuse(err, "function " + name + " is not supported by this server");
    return it->second(args, row_id, out, err);
}

} // namespace vela
