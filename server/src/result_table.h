#pragma once
// A statement's result table and its encoding as the reply payload the client decodes.
#include "value.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vela {

struct result_row {
    uint64_t sid = 0;
    std::vector<value> cells;
};

struct result_table {
    std::vector<std::string> names;
    std::vector<col_type> types;
    std::vector<result_row> rows;
};

// A result handed over one row at a time, so that a writer need not hold it whole: the feed
// calls visit with each row's cells in order, and stops at the first false.
using row_visit = std::function<bool(const std::vector<value> &cells)>;
using row_feed = std::function<bool(const row_visit &visit, std::string &err)>;
// A feed over the rows of a table held whole.
row_feed feed_of(const result_table &t);

// Appends the payload: column count, names, row count, descriptors (only with rows), rows.
// Every cell must already have its column's type.
void encode_result(const result_table &t, std::string &out);

// Encodes a reply row by row, so that rows can go into it as they are read: the row count
// is filled in, and the descriptors dropped when there are no rows, at finish.
class result_encoder {
public:
    result_encoder(std::string &out, const std::vector<std::string> &names,
                   const std::vector<col_type> &types);
    // The cells at pick (all cells, in order, when pick is null), each of its column's type.
    void row(uint64_t sid, const std::vector<value> &cells,
             const std::vector<size_t> *pick = nullptr);
    void finish();

private:
    std::string &out_;
    std::vector<col_type> types_;
    size_t count_at_ = 0;
    uint64_t rows_ = 0;
};

// Little-endian helpers shared by the frame code.
void put_u16(std::string &out, uint16_t v);
void put_u32(std::string &out, uint32_t v);
void put_u64(std::string &out, uint64_t v);

} // namespace vela
