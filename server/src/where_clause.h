#pragma once
// Where-conditions. Inside one conjunction (&&) the value conditions filter first; the
// positional ones (first, last, nth, range, min, max) then apply left to right to the rows
// that remain, in table order. A disjunction (||) unites the row sets of its conjunctions,
// again in table order. Positions count from 1 and ranges include both ends.
#include "expr.h"

#include <functional>
#include <string>
#include <vector>

namespace vela {

struct where_node {
    enum kind_t {
        w_or,
        w_and,
        w_cmp,
        w_in,
        w_btw,
        w_first,
        w_last,
        w_nth,
        w_range,
        w_min,
        w_max
    } kind = w_and;
    std::vector<where_node> kids; // w_or, w_and
    bool positional = false;

    expr field;          // the field compared, or ranked by min/max
    std::string op, op2; // comparison operators (w_cmp; w_btw lower and upper)
    enum quant_t { q_one, q_any, q_all } quant = q_one, quant2 = q_one;
    std::vector<expr> list, list2; // constant expressions (w_btw: lower, upper)
    bool from_select = false, from_select2 = false;
    std::vector<value> sub, sub2; // values of a sub-select's first column
    bool negate = false;          // not in
    // "in" over a list known before the rows are read (a sub-select, or constants alone):
    // its values in ascending order, searched by halving instead of one by one per row.
    bool sorted_list = false;
    std::vector<value> sorted;
    uint64_t a = 1, b = 1; // counts and positions
};

// Runs a nested select and returns its first column (used for "in (select ...)", any, all).
using subselect_fn =
    std::function<bool(const parse_node *select, std::vector<value> &out, std::string &err)>;

bool compile_where(const parse_node *where_cond, const expr_scope &scope, const subselect_fn &sub,
                   where_node &out, std::string &err);
// Indices (into rows) of the rows the condition keeps, ascending.
bool apply_where(const where_node &w, const std::vector<stored_row> &rows,
                 std::vector<size_t> &picked, std::string &err);
// Whether each row alone decides the condition: no position (first, min, ...) anywhere and
// no ||, whose parts run over all rows one after the other.
bool decided_per_row(const where_node &w);
// The same, or such conditions joined by && with "first k": then limit is the smallest k
// (else UINT64_MAX). The rows the condition keeps are then the first limit rows, in table
// order, for which row_holds; testing them as they are read has the outcome of apply_where,
// failures included, when every row is tested.
bool first_of_per_row(const where_node &w, uint64_t &limit);
// Whether the row passes the value conditions of such a condition.
bool row_holds(const where_node &w, const stored_row &row, bool &result, std::string &err);
// The row id when the condition is exactly "__id == constant" (possibly with more value
// conditions beside it), so the caller may fetch one row instead of scanning the table.
bool single_row_id(const where_node &w, uint64_t &id);
// k when the condition is nothing but "first k", so that only the first k rows need reading.
bool leading_rows_only(const where_node &w, uint64_t &k);
// The condition without the single-part || and && levels around it.
const where_node &unwrapped(const where_node &w);
// Applies a position (first, last, nth, range) to the rows that reached it, listed in table
// order; false, with list unchanged, for any other condition.
bool apply_position(const where_node &w, std::vector<uint64_t> &list);
// The ids outside [lo, hi] when rows with them fail the condition before any part of it
// that could fail is tested: the comparisons of __id with whole-number constants that come
// first among the value conditions. Then only the rows in the range need reading, with the
// outcome of reading them all. False when the condition does not begin that way.
bool id_range_of(const where_node &w, uint64_t &lo, uint64_t &hi);

} // namespace vela
