#pragma once
// Expressions of the dialect, compiled once from the parse tree and evaluated per row.
#include "storage.h"
#include "tree_reader.h"
#include "value.h"

#include <string>
#include <vector>

namespace vela {

struct expr {
    enum kind_t { k_const, k_field, k_rowid, k_unary, k_binary, k_call } kind = k_const;
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

// Names that expressions may refer to: the fields of one table (or none).
struct expr_scope {
    const table_def *table = nullptr;
};

struct eval_ctx {
    const std::vector<value> *row = nullptr;
    uint64_t row_id = 0;
    // The rows an aggregate runs over; null outside an aggregate selection.
    const std::vector<const stored_row *> *group = nullptr;
};

// Compiles any expression-level node (expr, lgc_or_expr ... pri_expr, constant_expr).
bool compile_expr(const parse_node *n, const expr_scope &scope, expr &out, std::string &err);
bool eval_expr(const expr &e, const eval_ctx &ctx, value &out, std::string &err);
// Truth of a value: a number that is not 0, a text that is not empty, any date or time.
bool truth(const value &v);
bool is_aggregate_name(const std::string &fn);
// Whether e refers to a field or the row id outside any aggregate.
bool uses_row_outside_aggregate(const expr &e);

} // namespace vela
