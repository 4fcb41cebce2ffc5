#pragma once
// The group step without holding the rows: each row of the input is added as it comes (from
// the result so far, or straight from the scan of a table) to the accumulators of its group,
// one small state per group and aggregate. Groups are found by the bytes of their key values
// in a hash table of their own.
#include "expr.h"
#include "result_table.h"

#include <memory>
#include <string>
#include <vector>

namespace vela {

class group_accumulator {
public:
    group_accumulator();
    ~group_accumulator();
    group_accumulator(const group_accumulator &) = delete;
    group_accumulator &operator=(const group_accumulator &) = delete;

    // Prepares "group e by keys" over rows whose columns have the given types (e must outlive
    // this). False when e needs all the rows of a group at hand: a column operation, an
    // aggregate inside an aggregate, an aggregate called with the wrong arguments. The group
    // step then works through the rows it holds.
    // at: where each column is found in the rows given to add (null: column c is cell c).
    bool prepare(const std::vector<col_type> &types, const std::vector<size_t> &keys, const expr &e,
                 const std::vector<size_t> *at = nullptr);
    // Adds one row, each cell of its column's type. What fails in an aggregate is kept for
    // finish, which reports it where a group over rows held would have met it. The caller
    // checks the statement's time.
    void add(const std::vector<value> &cells, uint64_t sid);
    // One row per group in order of first appearance: the keys, then e under name.
    bool finish(const std::vector<std::string> &names, const std::string &name, result_table &out,
                std::string &err);

private:
    struct impl;
    std::unique_ptr<impl> d_;
};

// Appends bytes that are equal for two values of one column type exactly when the values
// compare equal (so 0 and -0 meet, and so do two NaNs).
void append_key_bytes(std::string &out, const value &v);

} // namespace vela
