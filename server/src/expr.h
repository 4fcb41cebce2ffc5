#pragma once
// Expressions of the dialect, compiled once from the parse tree and evaluated per row.
#include "storage.h"
#include "tree_reader.h"
#include "value.h"

#include <string>
#include <vector>

namespace vela {

struct expr {
    enum kind_t { k_const, k_field, k_other, k_rowid, k_unary, k_binary, k_call } kind = k_const;
    value constant;
    int field = -1;
    std::string op; // operator text, or the function name
    std::vector<expr> args;
    bool aggregate = false; // this call, or something below it, is an aggregate
    int depth = 1;          // levels of the tree below and including this node
};

// Evaluation recurses once per level, so a chain of operators (which parses flat, however
// long) would become a tree deep enough to overflow the stack: deeper trees are refused.
constexpr int max_expr_depth = 1000;

// Names that expressions may refer to: the fields of one table, or the columns of a result
// so far (or neither).
struct expr_scope {
    const table_def *table = nullptr;
    const std::vector<std::string> *columns = nullptr;
    // adj and all_each compare two rows: `_f` names field f of the other row.
    bool other_row = false;
    // A correlated sub-select: a name that is not a field here names a field of the outer
    // row, and is read as that row's value (the sub-select is compiled once per outer row).
    const expr_scope *outer = nullptr;
    const std::vector<value> *outer_row = nullptr;
};

// One row an aggregate runs over.
struct row_ref {
    const std::vector<value> *cells = nullptr;
    uint64_t id = 0;
};

// Values of a group's aggregate calls, worked out ahead of evaluation (the group step's
// accumulators): an aggregate call is answered from here instead of being run over rows.
class aggregate_values {
public:
    virtual ~aggregate_values() = default;
    virtual bool value_of(const expr &call, value &out, std::string &err) const = 0;
};

struct eval_ctx {
    const std::vector<value> *row = nullptr;
    uint64_t row_id = 0;
    const std::vector<value> *other = nullptr; // the row `_f` names read
    // The rows an aggregate runs over; null outside an aggregate selection.
    const std::vector<row_ref> *group = nullptr;
    // When set, aggregate calls take their values from here (and ctx.group is not read).
    const aggregate_values *aggregates = nullptr;
};

// Compiles any expression-level node (expr, lgc_or_expr ... pri_expr, constant_expr).
bool compile_expr(const parse_node *n, const expr_scope &scope, expr &out, std::string &err);
bool eval_expr(const expr &e, const eval_ctx &ctx, value &out, std::string &err);
// Truth of a value: a number that is not 0, a text that is not empty, any date or time.
bool truth(const value &v);
bool is_aggregate_name(const std::string &fn);
// Aggregates that give several values (one result row each): sort, unique, min_k, max_k,
// first_k, last_k, range.
bool is_column_op_name(const std::string &fn);
// Runs an aggregate call over ctx.group; out gets one value, or several for a column op.
bool eval_aggregate_values(const expr &e, const eval_ctx &ctx, std::vector<value> &out,
                           std::string &err);
// Whether e refers to a field or the row id outside any aggregate.
bool uses_row_outside_aggregate(const expr &e);

} // namespace vela
