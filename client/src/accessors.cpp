// Exported readers of a result set. None of them checks a cell's kind (callers ask
// val_type first), but none of them dereferences a null pointer either.
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "base/wire.h"
#include "result_set_rec.h"
#include "velalink.h"

namespace {

const uint8_t *raw(const cell_value *c)
{
    static const uint8_t zeros[11] = {};
    return c ? c->inline_bytes : zeros;
}

size_t str_len_of(const cell_value *c)
{
    return c && c->kind == kind_string ? c->str_len : 0;
}

const char *str_of(const cell_value *c)
{
    static const char empty[1] = {0};
    const char *p = c && c->kind == kind_string ? string_bytes(*c) : nullptr;
    return p ? p : empty;
}

// A copy of at most cap bytes of the string, in a malloc block the caller frees.
// The length reported is what was copied: a value longer than the column can hold
// is cut, never reported longer than the copy.
void copy_capped(char **out, uint64_t *len, const cell_value *c, size_t cap)
{
    size_t n = std::min(str_len_of(c), cap);
    char *p = static_cast<char *>(std::malloc(n ? n : 1));
    if (p && n) std::memcpy(p, str_of(c), n);
    if (!p) n = 0;
    if (out)
        *out = p;
    else
        std::free(p);
    if (len) *len = n;
}

// First cap bytes of the string, zero-padded to cap bytes, in a per-thread buffer of
// the calling reader (valid until its next call on the same thread).
template <size_t N> int padded_copy(const char **out, const cell_value *c)
{
    thread_local char buf[N]; // N - 1 bytes of value plus a terminating zero
    size_t n = std::min(str_len_of(c), N - 1);
    std::memcpy(buf, str_of(c), n);
    std::memset(buf + n, 0, N - n);
    if (out) *out = buf;
    return static_cast<int>(n);
}

void set(int *p, int v)
{
    if (p) *p = v;
}

} // namespace

extern "C" {

uint64_t rows_of(const result_set *rs)
{
    return rs ? rs->rows() : 0;
}
uint64_t cols_of(const result_set *rs)
{
    return rs ? rs->cols() : 0;
}

const char *col_name(int *len, const result_set *rs, int col)
{
    if (!rs || col < 0 || static_cast<size_t>(col) >= rs->cols()) return nullptr;
    const std::string &n = rs->names[static_cast<size_t>(col)];
    if (len) *len = static_cast<int>(n.size());
    return n.data();
}

const cell_value *at(uint64_t row, uint64_t col, const result_set *rs)
{
    if (!rs || row >= rs->rows() || col >= rs->cols()) return nullptr;
    return rs->cell(static_cast<size_t>(row), static_cast<size_t>(col));
}

uint64_t sid_of(const result_set *rs, uint64_t row)
{
    // Out of range is the caller's mistake; answer 0 rather than read past the list.
    if (!rs || row >= rs->rows()) return 0;
    return rs->sids[static_cast<size_t>(row)];
}

int val_type(const cell_value *c)
{
    if (!c) return -1;
    switch (c->kind) {
    case kind_int:
        return 0;
    case kind_real:
        return 1;
    case kind_string:
        return 2 + (c->width_code <= 4 ? 0 : c->width_code >= 10 ? 6 : c->width_code - 4);
    case kind_date:
        return 9;
    case kind_time:
        return 10;
    case kind_datetime:
        return 11;
    default:
        return -1;
    }
}

int val_size(const cell_value *c)
{
    if (!c) return 0;
    return wire::width_bytes(c->width_code);
}

int val_sign(const cell_value *c)
{
    return c && c->unsigned_flag ? 1 : 0;
}

// Each signed reader is also the entry point of its unsigned twin: on the platforms
// we build for, the caller widens a small return value itself, so one body serves
// both names.
int8_t as_int8(const cell_value *c)
{
    return static_cast<int8_t>(raw(c)[0]);
}
int16_t as_int16(const cell_value *c)
{
    return static_cast<int16_t>(wire::le16(raw(c)));
}
int32_t as_int32(const cell_value *c)
{
    return static_cast<int32_t>(wire::le32(raw(c)));
}
int64_t as_int64(const cell_value *c)
{
    return static_cast<int64_t>(wire::le64(raw(c)));
}

#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wattribute-alias"
#pragma GCC diagnostic ignored "-Wmissing-attributes"
#endif
uint8_t as_uint8(const cell_value *c) __attribute__((alias("as_int8")));
uint16_t as_uint16(const cell_value *c) __attribute__((alias("as_int16")));
uint32_t as_uint32(const cell_value *c) __attribute__((alias("as_int32")));
uint64_t as_uint64(const cell_value *c) __attribute__((alias("as_int64")));
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif

float as_float(const cell_value *c)
{
    uint32_t bits = wire::le32(raw(c));
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
}

double as_double(const cell_value *c)
{
    uint64_t bits = wire::le64(raw(c));
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
}

void as_str4(char **out, uint64_t *len, const cell_value *c)
{
    copy_capped(out, len, c, 3);
}
void as_str8(char **out, uint64_t *len, const cell_value *c)
{
    copy_capped(out, len, c, 7);
}
void as_str16(char **out, uint64_t *len, const cell_value *c)
{
    copy_capped(out, len, c, 15);
}
void as_str32(char **out, uint64_t *len, const cell_value *c)
{
    copy_capped(out, len, c, 31);
}
void as_str64(char **out, uint64_t *len, const cell_value *c)
{
    copy_capped(out, len, c, 63);
}
void as_str128(char **out, uint64_t *len, const cell_value *c)
{
    copy_capped(out, len, c, 127);
}
void as_str256(char **out, uint64_t *len, const cell_value *c)
{
    copy_capped(out, len, c, 255);
}

uint64_t as_str(char **out, uint64_t *len, const cell_value *c)
{
    uint64_t n = 0;
    copy_capped(out, &n, c, SIZE_MAX);
    if (len) *len = n;
    return n;
}

int as_s4(const char **out, const cell_value *c)
{
    return padded_copy<4>(out, c);
}
int as_s8(const char **out, const cell_value *c)
{
    return padded_copy<8>(out, c);
}
int as_s16(const char **out, const cell_value *c)
{
    return padded_copy<16>(out, c);
}
int as_s32(const char **out, const cell_value *c)
{
    return padded_copy<32>(out, c);
}
int as_s64(const char **out, const cell_value *c)
{
    return padded_copy<64>(out, c);
}
int as_s128(const char **out, const cell_value *c)
{
    return padded_copy<128>(out, c);
}
int as_s256(const char **out, const cell_value *c)
{
    return padded_copy<256>(out, c);
}

int as_s(const char **out, const cell_value *c)
{
    if (out) *out = str_of(c);
    return static_cast<int>(str_len_of(c));
}

void as_date(int *year, int *month, int *day, const cell_value *c)
{
    const uint8_t *b = raw(c);
    set(year, wire::le16(b + dt_year));
    set(month, b[dt_month]);
    set(day, b[dt_day]);
}

void as_time(int *hour, int *minute, int *second, int *fraction, const cell_value *c)
{
    const uint8_t *b = raw(c);
    set(hour, b[dt_hour]);
    set(minute, b[dt_minute]);
    set(second, b[dt_second]);
    set(fraction, static_cast<int>(wire::le32(b + dt_fraction)));
}

void as_datetime(int *year, int *month, int *day, int *hour, int *minute, int *second,
                 int *fraction, const cell_value *c)
{
    as_date(year, month, day, c);
    as_time(hour, minute, second, fraction, c);
}

void del_datas(result_set *rs)
{
    delete rs;
}

} // extern "C"
