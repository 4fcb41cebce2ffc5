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

    // Prepares "group e by keys" for each e of values, over rows whose columns have the
    // given types (the expressions must outlive this). False when an expression needs all
    // the rows of a group at hand: a column operation, an aggregate inside an aggregate, an
    // aggregate called with the wrong arguments. The rows are then worked through held.
    // at: where each column is found in the rows given to add (null: column c is cell c).
    bool prepare(const std::vector<col_type> &types, const std::vector<size_t> &keys,
                 const std::vector<const expr *> &values, const std::vector<size_t> *at = nullptr);
    // Adds one row, each cell of its column's type. What fails in an aggregate is kept for
    // finish, which reports it where a group over rows held would have met it. The caller
    // checks the statement's time.
    void add(const std::vector<value> &cells, uint64_t sid);
    // The groups so far.
    size_t groups() const;
    // One row per group in order of first appearance: the keys, then each value under its
    // name. first_row: a field named outside an aggregate reads the group's first row (a
    // group clause); otherwise it cannot be read (a selection that sums up a table).
    bool finish(const std::vector<std::string> &names, const std::vector<std::string> &value_names,
                result_table &out, std::string &err, bool first_row = true);

private:
    struct impl;
    std::unique_ptr<impl> d_;
};

// Appends bytes that are equal for two values of one column type exactly when the values
// compare equal (so 0 and -0 meet, and so do two NaNs).
void append_key_bytes(std::string &out, const value &v);

} // namespace vela
