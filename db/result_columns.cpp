#include "result_columns.h"

#include "db_access.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

#include <cstdio>

#include "velalink.h"

namespace {

// What the as_strN reader of a string type code copies at most.
size_t string_cap(int code)
{
    return (size_t(4) << (code - 2)) - 1;
}

int32_t julian_day(const cell_value *cell)
{
    int y = 0, mo = 0, d = 0;
    as_date(&y, &mo, &d, cell);
    const QDate date(y, mo, d);
    return date.isValid() ? int32_t(date.toJulianDay()) : typed_column::date_invalid;
}

int32_t day_msecs(const cell_value *cell)
{
    int h = 0, m = 0, s = 0, fraction = 0;
    as_time(&h, &m, &s, &fraction, cell);
    const QTime t(h, m, s, fraction / 1000000);
    return t.isValid() ? t.msecsSinceStartOfDay() : -1;
}

QDate date_of(int32_t day)
{
    return day == typed_column::date_invalid ? QDate() : QDate::fromJulianDay(day);
}

QTime time_of(int32_t msecs)
{
    return msecs < 0 ? QTime() : QTime::fromMSecsSinceStartOfDay(msecs);
}

void fill(typed_column &col, const result_set *rs, uint64_t c, size_t rows)
{
    switch (col.type()) {
    case cell_type::u8:
    case cell_type::i8:
        for (size_t r = 0; r < rows; ++r) {
            const uint8_t v = as_uint8(at(r, c, rs));
            col.push_fixed(&v);
        }
        break;
    case cell_type::u16:
    case cell_type::i16:
        for (size_t r = 0; r < rows; ++r) {
            const uint16_t v = as_uint16(at(r, c, rs));
            col.push_fixed(&v);
        }
        break;
    case cell_type::u32:
    case cell_type::i32:
        for (size_t r = 0; r < rows; ++r) {
            const uint32_t v = as_uint32(at(r, c, rs));
            col.push_fixed(&v);
        }
        break;
    case cell_type::f32:
        for (size_t r = 0; r < rows; ++r) {
            const float v = as_float(at(r, c, rs));
            col.push_fixed(&v);
        }
        break;
    case cell_type::u64:
    case cell_type::i64:
        for (size_t r = 0; r < rows; ++r) {
            const uint64_t v = as_uint64(at(r, c, rs));
            col.push_fixed(&v);
        }
        break;
    case cell_type::f64:
        for (size_t r = 0; r < rows; ++r) {
            const double v = as_double(at(r, c, rs));
            col.push_fixed(&v);
        }
        break;
    case cell_type::str: {
        const size_t cap = string_cap(val_type(at(0, c, rs)));
        // One pass for the lengths, so the text block is allocated once at its size.
        size_t total = 0;
        for (size_t r = 0; r < rows; ++r) {
            const int n = as_s(nullptr, at(r, c, rs));
            total += std::min(size_t(n), cap);
        }
        col.reserve(rows, total);
        for (size_t r = 0; r < rows; ++r) {
            const char *p = nullptr;
            const int n = as_s(&p, at(r, c, rs));
            col.push_string(p, std::min(size_t(n), cap));
        }
        break;
    }
    case cell_type::date:
        for (size_t r = 0; r < rows; ++r) col.push_date(julian_day(at(r, c, rs)));
        break;
    case cell_type::time:
        for (size_t r = 0; r < rows; ++r) col.push_time(day_msecs(at(r, c, rs)));
        break;
    case cell_type::datetime:
        for (size_t r = 0; r < rows; ++r) {
            const cell_value *cell = at(r, c, rs);
            col.push_datetime(julian_day(cell), day_msecs(cell));
        }
        break;
    }
}

} // namespace

bool storage_type(const QString &name, cell_type &out)
{
    static const struct {
        const char *name;
        cell_type type;
    } table[] = {
        {"u08", cell_type::u8},
        {"i08", cell_type::i8},
        {"u16", cell_type::u16},
        {"i16", cell_type::i16},
        {"u32", cell_type::u32},
        {"i32", cell_type::i32},
        {"u64", cell_type::u64},
        {"i64", cell_type::i64},
        {"float", cell_type::f32},
        {"double", cell_type::f64},
        {"date", cell_type::date},
        {"time", cell_type::time},
        {"datetime", cell_type::datetime},
    };
    if (name.startsWith(QLatin1String("string"))) {
        out = cell_type::str;
        return true;
    }
    for (const auto &t : table)
        if (name == QLatin1String(t.name)) {
            out = t.type;
            return true;
        }
    return false;
}

int column_meta_type(cell_type type)
{
    switch (type) {
    case cell_type::u8:
    case cell_type::u16:
    case cell_type::u32:
        return QMetaType::UInt;
    case cell_type::i8:
    case cell_type::i16:
    case cell_type::i32:
        return QMetaType::Int;
    case cell_type::u64:
        return QMetaType::ULongLong;
    case cell_type::i64:
        return QMetaType::LongLong;
    case cell_type::f32:
        return QMetaType::Float;
    case cell_type::f64:
        return QMetaType::Double;
    case cell_type::str:
        return QMetaType::QString;
    case cell_type::date:
        return QMetaType::QDate;
    case cell_type::time:
        return QMetaType::QTime;
    case cell_type::datetime:
        return QMetaType::QDateTime;
    }
    return QMetaType::UnknownType;
}

QVariant column_value(const typed_column &col, size_t row)
{
    switch (col.type()) {
    case cell_type::u8:
        return uint(col.fixed<uint8_t>(row));
    case cell_type::i8:
        return int(col.fixed<int8_t>(row));
    case cell_type::u16:
        return uint(col.fixed<uint16_t>(row));
    case cell_type::i16:
        return int(col.fixed<int16_t>(row));
    case cell_type::u32:
        return uint(col.fixed<uint32_t>(row));
    case cell_type::i32:
        return int(col.fixed<int32_t>(row));
    case cell_type::u64:
        return qulonglong(col.fixed<uint64_t>(row));
    case cell_type::i64:
        return qlonglong(col.fixed<int64_t>(row));
    case cell_type::f32:
        return col.fixed<float>(row);
    case cell_type::f64:
        return col.fixed<double>(row);
    case cell_type::str: {
        const auto s = col.string_at(row);
        return QString::fromUtf8(s.first, int(s.second));
    }
    case cell_type::date:
        return date_of(col.fixed<int32_t>(row));
    case cell_type::time:
        return time_of(col.fixed<int32_t>(row));
    case cell_type::datetime: {
        const int64_t packed = col.fixed<int64_t>(row);
        return QDateTime(date_of(typed_column::day_of(packed)),
                         time_of(typed_column::msecs_of(packed)), Qt::LocalTime);
    }
    }
    return QVariant();
}

void read_result(const result_set *rs, result_columns &out)
{
    out = result_columns();
    const uint64_t cols = cols_of(rs);
    const uint64_t rows = rows_of(rs);
    for (uint64_t c = 0; c < cols && c <= INT_MAX; ++c) {
        int len = 0;
        const char *p = col_name(&len, rs, int(c));
        out.names.append(p && len > 0 ? QString::fromUtf8(p, len) : QString());
    }
    std::vector<cell_type> storage;
    for (uint64_t c = 0; c < cols; ++c) {
        const cell_value *cell = at(0, c, rs);
        if (!cell) break;
        const QString type = db_access::type_name_of(cell);
        cell_type t;
        if (type.isEmpty() || !storage_type(type, t)) {
            std::printf("bad type\n");
            std::fflush(stdout);
            out = result_columns();
            return;
        }
        out.types.append(type);
        storage.push_back(t);
    }
    if (out.types.size() != out.names.size()) return;
    // Every cell of a column shares the column's descriptor, so the type of its first
    // cell is the type of all of them.
    const size_t n = size_t(rows);
    out.row_ids.resize(n);
    for (size_t r = 0; r < n; ++r) out.row_ids[r] = sid_of(rs, r);
    out.columns.reserve(storage.size());
    for (size_t c = 0; c < storage.size(); ++c) {
        out.columns.emplace_back(storage[c]);
        typed_column &col = out.columns.back();
        if (storage[c] != cell_type::str) col.reserve(n);
        if (n > 0) fill(col, rs, c, n);
    }
}
