// Internal layout of a decoded result set. Callers of the library only ever see
// pointers to these records.
#ifndef VELALINK_RESULT_SET_REC_H
#define VELALINK_RESULT_SET_REC_H

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "base/wire.h"
#include "platform.h"

// Value kinds as they appear in a column descriptor.
using wire::kind_date;
using wire::kind_datetime;
using wire::kind_int;
using wire::kind_real;
using wire::kind_string;
using wire::kind_time;

// Offsets into inline_bytes of the shared date/time layout.
enum : int {
    dt_year = 0,
    dt_month = 2,
    dt_day = 3,
    dt_hour = 4,
    dt_minute = 5,
    dt_second = 6,
    dt_fraction = 7
};

// 16 bytes, so that a million-row result stays compact. A string keeps its bytes in
// the result set's string block; the address of its first byte lives in
// inline_bytes, which a string does not otherwise use. The block is allocated once
// and never moves, so the address stays valid as long as the result set.
struct cell_value {
    uint8_t inline_bytes[11];
    uint8_t width_code;
    uint8_t unsigned_flag;
    uint8_t kind;
    uint16_t str_len;
};
static_assert(sizeof(cell_value) == 16, "cell_value should stay compact");

// The bytes of a string cell (null when it has none).
inline const char *string_bytes(const cell_value &c)
{
    const char *p;
    std::memcpy(&p, c.inline_bytes, sizeof p);
    return p;
}

struct large_free {
    void operator()(void *p) const { velalink::plat::free_large(p); }
};
template <typename T> using large_array = std::unique_ptr<T[], large_free>;

struct result_set {
    std::vector<std::string> names;
    size_t row_count = 0;
    large_array<uint64_t> sids; // one per row
    // One descriptor-only cell per column. Columns whose kind carries no bytes on the
    // wire are served from here, so they cost no memory per row.
    std::vector<cell_value> col_cells;
    // Per column: index of its cell within a row's stored cells, or -1 for a column
    // served from col_cells.
    std::vector<int64_t> slot;
    size_t stored_per_row = 0;
    large_array<cell_value> cells; // rows * stored_per_row, row-major
    large_array<char> strings;     // bytes of every string value, in one block

    size_t rows() const { return row_count; }
    size_t cols() const { return names.size(); }
    const cell_value *cell(size_t row, size_t col) const
    {
        int64_t s = slot[col];
        return s < 0 ? &col_cells[col] : &cells[row * stored_per_row + static_cast<size_t>(s)];
    }
};

#endif
