#pragma once
// The steps of a query, each over the result so far: the select runner compiles a clause from
// the parse tree and hands it to one of these. Join and union bring in a second result;
// the filters keep rows; group, recompute, order, project and rename reshape.
#include "expr.h"
#include "result_table.h"

#include <functional>
#include <string>
#include <vector>

namespace vela {

// Inner join on left[lf] == right[rf] by hashing the right side. Columns: the left ones, then
// the right ones; a right name already taken gets "_2" (then "_3", ...). Rows in left order,
// then right order.
bool step_join(result_table &left, result_table &&right, size_t lf, size_t rf, std::string &err);
// The columns of that join, and its rows in the same order handed to each one at a time (the
// cells are the caller's to take), so that a step after it need not hold them.
void join_columns(const result_table &left, const result_table &right,
                  std::vector<std::string> &names, std::vector<col_type> &types);
bool join_each(const result_table &left, const result_table &right, size_t lf, size_t rf,
               const std::function<bool(std::vector<value> &cells, uint64_t sid)> &each);
// Appends more's rows. Column counts must match; each column takes the wider of the two types
// when one widens into the other without loss, otherwise the union fails.
bool step_union(result_table &t, result_table &&more, std::string &err);
// The type both a and b widen into without loss; false when there is none.
bool widened_type(col_type a, col_type b, col_type &out);

// inner on COND: the rows for which cond holds.
bool step_inner(result_table &t, const expr &cond, std::string &err);
// adj on COND: the first row, and every row for which cond holds against the row just before it
// in the input (cond reads that row through `_f`).
bool step_adj(result_table &t, const expr &cond, std::string &err);
// all_each on COND: a row stays when cond holds against every row kept before it.
bool step_all_each(result_table &t, const expr &cond, std::string &err);
// all_each on distinct: the first of each set of equal rows.
void step_distinct(result_table &t);
// [not] exists (select ...): probe runs the sub-select for one row and tells whether it gave
// any row.
using row_probe = std::function<bool(const result_row &row, bool &any, std::string &err)>;
bool step_exists(result_table &t, bool negate, const row_probe &probe, std::string &err);
// first [k], last [k], nth k, range a b; positions count from 1 and ranges include both ends.
enum class position_kind { first, last, nth, range };
void step_positions(result_table &t, position_kind kind, uint64_t a, uint64_t b);

// group EXPR by keys: one row per distinct key tuple in order of first appearance; columns
// the keys, then the value of e with its aggregates run over the group's rows.
// Runs the aggregates as the rows go by (group_accumulator) when e allows, else as
// step_group_held, which collects each group's rows first and runs e over them.
bool step_group(result_table &t, const std::vector<size_t> &keys, const expr &e,
                const std::string &name, std::string &err);
bool step_group_held(result_table &t, const std::vector<size_t> &keys, const expr &e,
                     const std::string &name, std::string &err);

struct assignment {
    size_t column = 0;
    std::string op; // "" for "=", else the operator of "op="
    expr e;
};
// recompute: changes the values of the result (never the table); a value that does not fit
// its column's type fails.
bool step_recompute(result_table &t, const std::vector<assignment> &sets, std::string &err);
// Applies "a op= v" to one value: the new value before it is fitted to the column's type.
bool assign_value(const std::string &op, const value &old, const value &v, value &out,
                  std::string &err);

enum class order_dir { asc, desc, rand };
bool step_order(result_table &t, const std::vector<size_t> &keys, order_dir dir, std::string &err);
void step_project(result_table &t, const std::vector<size_t> &keep);

// Brings every cell of column c to the column's type; a text too long or a value out of range
// fails naming the column.
bool fit_column(result_table &t, size_t c, std::string &err);

} // namespace vela
