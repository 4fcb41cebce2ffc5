#include "decoder.h"

#include <cstring>
#include <new>

#include "base/wire.h"

namespace velalink {

namespace {

// Bytes a value of this descriptor occupies on the wire; for a string, the length
// field only.
size_t fixed_size(uint8_t kind, uint8_t width_code)
{
    switch (kind) {
    case kind_int:
        return static_cast<size_t>(wire::width_bytes(width_code));
    case kind_real:
        return width_code == 2 ? 4 : 8;
    case kind_string:
        return wire::string_length_bytes;
    case kind_date:
        return wire::date_bytes;
    case kind_time:
        return wire::time_bytes;
    case kind_datetime:
        return wire::datetime_bytes;
    default:
        return 0;
    }
}

struct column_plan {
    uint8_t kind;
    uint8_t size;   // wire bytes (for a string: its length field)
    uint8_t offset; // where the bytes go in inline_bytes
    cell_value tmpl;
};

struct reader {
    const uint8_t *p;
    const uint8_t *end;
    size_t left() const { return static_cast<size_t>(end - p); }
    bool u64(uint64_t &v)
    {
        if (left() < 8) return false;
        v = wire::le64(p);
        p += 8;
        return true;
    }
};

template <typename T> T *alloc_array(size_t n)
{
    void *p = plat::alloc_large(n * sizeof(T));
    if (!p) throw std::bad_alloc();
    return static_cast<T *>(p);
}

bool fail(result_set &out, const char **why, const char *text)
{
    out = result_set();
    if (why) *why = text;
    return false;
}

} // namespace

bool decode_payload(const uint8_t *data, size_t size, result_set &out, const char **why)
{
    if (size == 0) return true;
    reader in{data, data + size};

    uint64_t m = 0;
    if (!in.u64(m)) return fail(out, why, "truncated column count");
    // Each name takes at least its 8-byte length field.
    if (m > in.left() / 8) return fail(out, why, "column count larger than the payload");
    out.names.reserve(static_cast<size_t>(m));
    for (uint64_t i = 0; i < m; ++i) {
        uint64_t n = 0;
        if (!in.u64(n)) return fail(out, why, "truncated column name");
        if (n > in.left()) return fail(out, why, "truncated column name");
        out.names.emplace_back(reinterpret_cast<const char *>(in.p), static_cast<size_t>(n));
        in.p += n;
    }

    uint64_t r = 0;
    if (!in.u64(r)) return fail(out, why, "truncated row count");
    if (r == 0) return true;

    const size_t cols = static_cast<size_t>(m);
    if (in.left() < cols * 3) return fail(out, why, "truncated column descriptors");
    std::vector<column_plan> plan;
    out.col_cells.resize(cols);
    out.slot.resize(cols);
    size_t row_min = 8;
    bool has_strings = false;
    for (size_t c = 0; c < cols; ++c) {
        cell_value tmpl{};
        tmpl.width_code = in.p[0];
        tmpl.unsigned_flag = in.p[1];
        tmpl.kind = in.p[2];
        in.p += 3;
        out.col_cells[c] = tmpl;
        size_t sz = fixed_size(tmpl.kind, tmpl.width_code);
        if (sz == 0) {
            out.slot[c] = -1;
            continue;
        }
        out.slot[c] = static_cast<int64_t>(plan.size());
        uint8_t offset = tmpl.kind == kind_time ? dt_hour : 0;
        plan.push_back({tmpl.kind, static_cast<uint8_t>(sz), offset, tmpl});
        row_min += sz;
        has_strings = has_strings || tmpl.kind == kind_string;
    }
    // Every row needs at least row_min bytes: a row count the payload cannot hold is
    // refused before anything is reserved for it.
    if (r > in.left() / row_min) return fail(out, why, "row count larger than the payload");
    const size_t rows = static_cast<size_t>(r);
    const size_t k = plan.size();
    out.stored_per_row = k;
    out.sids.reset(alloc_array<uint64_t>(rows));
    if (k) out.cells.reset(alloc_array<cell_value>(rows * k));
    size_t str_used = 0;
    // String bytes cannot outnumber the bytes left; one block holds all of them.
    const size_t str_cap = has_strings ? in.left() : 0;
    if (has_strings) out.strings.reset(alloc_array<char>(str_cap));
    uint64_t *sid = out.sids.get();
    cell_value *cell = out.cells.get();

    for (size_t row = 0; row < rows; ++row) {
        if (in.left() < 8) return fail(out, why, "truncated row");
        *sid++ = wire::le64(in.p);
        in.p += 8;
        for (size_t j = 0; j < k; ++j, ++cell) {
            const column_plan &cp = plan[j];
            if (in.left() < cp.size) return fail(out, why, "truncated value");
            *cell = cp.tmpl;
            if (cp.kind != kind_string) {
                // Constant sizes let the compiler turn each copy into a move or two.
                uint8_t *dst = cell->inline_bytes + cp.offset;
                switch (cp.size) {
                case 1:
                    std::memcpy(dst, in.p, 1);
                    break;
                case 2:
                    std::memcpy(dst, in.p, 2);
                    break;
                case 4:
                    std::memcpy(dst, in.p, 4);
                    break;
                case 7:
                    std::memcpy(dst, in.p, 7);
                    break;
                case 8:
                    std::memcpy(dst, in.p, 8);
                    break;
                default:
                    std::memcpy(dst, in.p, 11);
                    break;
                }
                in.p += cp.size;
                continue;
            }
            uint16_t len = wire::le16(in.p);
            in.p += 2;
            if (in.left() < len) return fail(out, why, "truncated string");
            const char *dst = nullptr;
            if (len) {
                dst = out.strings.get() + str_used;
                // Short strings are copied 32 bytes at a time where both sides have the room;
                // the bytes beyond len land in the block's own spare space.
                if (len <= 32 && in.left() >= 32 && str_cap - str_used >= 32) {
                    std::memcpy(out.strings.get() + str_used, in.p, 32);
                } else {
                    std::memcpy(out.strings.get() + str_used, in.p, len);
                }
            }
            std::memcpy(cell->inline_bytes, &dst, sizeof dst);
            cell->str_len = len;
            str_used += len;
            in.p += len;
        }
    }
    out.row_count = rows;
    return true;
}

} // namespace velalink
