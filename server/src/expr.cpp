#include "expr.h"
#include "statement_budget.h"
#include "refuse.h"

#include "functions.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>

namespace vela {

namespace {
bool is_operand(const parse_node *n)
{
    return n->id != lang::terminal_id;
}

// Sets e's depth from its arguments; false with a reason when it is too deep.
bool measure(expr &e, std::string &err)
{
    e.depth = 1;
    for (const auto &a : e.args) e.depth = std::max(e.depth, a.depth + 1);
    if (e.depth > max_expr_depth)
        return refuse(err, "the expression nests more than " + std::to_string(max_expr_depth) +
                               " levels deep (a chain of operators counts one level per operator)");
    return true;
}

bool compile_fold(const std::vector<const parse_node *> &parts, const expr_scope &scope, expr &out,
                  std::string &err)
{
    size_t i = 0;
    if (parts.empty() || !is_operand(parts[0])) return refuse(err, "malformed expression");
    if (!compile_expr(parts[i++], scope, out, err)) return false;
    while (i < parts.size()) {
        std::string op;
        while (i < parts.size() && !is_operand(parts[i])) op += text_of(parts[i++]);
        if (i >= parts.size()) return refuse(err, "malformed expression");
        expr rhs;
        if (!compile_expr(parts[i++], scope, rhs, err)) return false;
        expr bin;
        bin.kind = expr::k_binary;
        bin.op = op;
        bin.aggregate = out.aggregate || rhs.aggregate;
        bin.args.push_back(std::move(out));
        bin.args.push_back(std::move(rhs));
        out = std::move(bin);
        if (!measure(out, err)) return false;
    }
    return true;
}

bool int64_of(const value &v, int64_t &out, std::string &err)
{
    if (is_unsigned(v.type) && v.u() > uint64_t(INT64_MAX))
        return refuse(err, std::to_string(v.u()) + " is out of range for integer arithmetic");
    out = v.i;
    return true;
}

double real_of(const value &v)
{
    if (is_real(v.type)) return v.d;
    return is_unsigned(v.type) ? double(v.u()) : double(v.i);
}

bool is_num(const value &v)
{
    return is_int(v.type) || is_real(v.type);
}

value flag(bool b)
{
    return value::of_uint(b ? 1 : 0, col_type::u08);
}

bool arith(const std::string &op, const value &a, const value &b, value &out, std::string &err)
{
    if (op == "+" && is_str(a.type) && is_str(b.type)) {
        out = value::of_str(a.s + b.s);
        return true;
    }
    if (!is_num(a) || !is_num(b))
        return refuse(err, std::string("operator ") + op + " needs numbers, not " +
                               type_name(a.type) + " and " + type_name(b.type));
    bool bitwise = op == "&" || op == "|" || op == "^" || op == "<<" || op == ">>";
    if (is_real(a.type) || is_real(b.type)) {
        if (bitwise) return refuse(err, "operator " + op + " needs integers");
        double x = real_of(a), y = real_of(b), r = 0;
        if (op == "+")
            r = x + y;
        else if (op == "-")
            r = x - y;
        else if (op == "*")
            r = x * y;
        else if (op == "/")
            r = x / y;
        else if (op == "%")
            r = std::fmod(x, y);
        else
            return refuse(err, "unknown operator " + op);
        out = value::of_real(r);
        return true;
    }
    int64_t x, y, r = 0;
    if (!int64_of(a, x, err) || !int64_of(b, y, err)) return false;
    bool overflow = false;
    if (op == "+")
        overflow = __builtin_add_overflow(x, y, &r);
    else if (op == "-")
        overflow = __builtin_sub_overflow(x, y, &r);
    else if (op == "*")
        overflow = __builtin_mul_overflow(x, y, &r);
    else if (op == "/" || op == "%") {
        if (y == 0) return refuse(err, "division by zero");
        if (x == INT64_MIN && y == -1)
            overflow = true;
        else
            r = op == "/" ? x / y : x % y;
    } else if (op == "&")
        r = x & y;
    else if (op == "|")
        r = x | y;
    else if (op == "^")
        r = x ^ y;
    else if (op == "<<" || op == ">>") {
        if (y < 0 || y > 63)
            return refuse(err, "shift by " + std::to_string(y) + " is outside 0 to 63");
        r = op == "<<" ? int64_t(uint64_t(x) << y) : x >> y;
    } else
        return refuse(err, "unknown operator " + op);
    if (overflow)
        return refuse(err, "integer overflow in " + value_text(a) + " " + op + " " + value_text(b));
    out = value::of_int(r);
    return true;
}

// Orders values for sort, min_k, max_k and the duplicate search of unique; false when two
// values of the column cannot be compared.
bool sort_values(std::vector<value> &vals, bool descending, std::string &err)
{
    bool bad = false;
    std::stable_sort(vals.begin(), vals.end(), [&](const value &a, const value &b) {
        int c = 0;
        if (!compare_values(a, b, c)) bad = true;
        return descending ? c > 0 : c < 0;
    });
    if (bad) return refuse(err, "the values cannot be compared with each other");
    return true;
}

// Distinct values in order of first appearance.
bool distinct_values(std::vector<value> &vals, std::string &err)
{
    std::vector<size_t> idx(vals.size());
    for (size_t i = 0; i < idx.size(); ++i) idx[i] = i;
    bool bad = false;
    auto cmp = [&](size_t a, size_t b) {
        int c = 0;
        if (!compare_values(vals[a], vals[b], c)) bad = true;
        return c;
    };
    std::stable_sort(idx.begin(), idx.end(), [&](size_t a, size_t b) { return cmp(a, b) < 0; });
    if (bad) return refuse(err, "the values cannot be compared with each other");
    std::vector<bool> keep(vals.size(), false);
    for (size_t i = 0; i < idx.size(); ++i)
        if (i == 0 || cmp(idx[i - 1], idx[i]) != 0) keep[idx[i]] = true;
    std::vector<value> out;
    for (size_t i = 0; i < vals.size(); ++i)
        if (keep[i]) out.push_back(std::move(vals[i]));
    vals = std::move(out);
    return true;
}

size_t extra_args(const std::string &fn)
{
    if (fn == "nth" || fn == "first_k" || fn == "last_k" || fn == "min_k" || fn == "max_k")
        return 1;
    return fn == "range" ? 2 : 0;
}
} // namespace

bool eval_aggregate_values(const expr &e, const eval_ctx &ctx, std::vector<value> &out,
                           std::string &err)
{
    const std::string &fn = e.op;
    if (!ctx.group) return refuse(err, fn + " sums up rows and needs a selection from a table");
    out.clear();
    if (fn == "count" && e.args.empty()) {
        out.push_back(value::of_uint(ctx.group->size(), col_type::u64));
        return true;
    }
    size_t extra = extra_args(fn);
    if (e.args.size() != 1 + extra)
        return refuse(err, fn + " takes " + std::to_string(1 + extra) + " argument" +
                               (extra ? "s" : ""));
    // The counts and positions are constants, the same for every group.
    std::vector<uint64_t> nums;
    for (size_t i = 1; i < e.args.size(); ++i) {
        value v;
        if (!eval_expr(e.args[i], eval_ctx(), v, err)) return refuse(err, fn + ": " + err);
        if (!is_int(v.type) || (!is_unsigned(v.type) && v.i < 0))
            return refuse(err, fn + ": a count or a position is a whole number from 0");
        nums.push_back(v.u());
    }
    if (e.args[0].aggregate) return refuse(err, "an aggregate inside " + fn + " is not allowed");
    std::vector<value> vals;
    vals.reserve(ctx.group->size());
    for (const row_ref &r : *ctx.group) {
        eval_ctx row_ctx;
        row_ctx.row = r.cells;
        row_ctx.row_id = r.id;
        value v;
        if (!eval_expr(e.args[0], row_ctx, v, err)) return false;
        vals.push_back(std::move(v));
    }
    auto fail = [&](const std::string &why) { return refuse(err, fn + ": " + why); };

    // Column operations: any number of values, none for no rows.
    if (is_column_op_name(fn)) {
        if (fn == "sort" && !sort_values(vals, false, err)) return fail(err);
        if (fn == "unique" && !distinct_values(vals, err)) return fail(err);
        if ((fn == "min_k" || fn == "max_k") && !sort_values(vals, fn == "max_k", err))
            return fail(err);
        size_t n = vals.size(), from = 0, to = n; // [from, to)
        if (fn == "min_k" || fn == "max_k" || fn == "first_k")
            to = size_t(std::min<uint64_t>(nums[0], n));
        if (fn == "last_k") from = n - size_t(std::min<uint64_t>(nums[0], n));
        if (fn == "range") {
            from = size_t(std::min<uint64_t>(std::max<uint64_t>(nums[0], 1) - 1, n));
            to = size_t(std::min<uint64_t>(nums[1], n));
            if (to < from) to = from;
        }
        out.assign(std::make_move_iterator(vals.begin() + std::ptrdiff_t(from)),
                   std::make_move_iterator(vals.begin() + std::ptrdiff_t(to)));
        return true;
    }
    if (fn == "count") {
        out.push_back(value::of_uint(vals.size(), col_type::u64));
        return true;
    }
    if (fn == "count_unique") {
        if (!distinct_values(vals, err)) return fail(err);
        out.push_back(value::of_uint(vals.size(), col_type::u64));
        return true;
    }
    // The dialect has no null: the other aggregates have no value over no rows.
    if (vals.empty()) return refuse(err, fn + ": no rows");
    if (fn == "first" || fn == "last" || fn == "nth") {
        size_t at = fn == "first" ? 0 : fn == "last" ? vals.size() - 1 : size_t(nums[0] - 1);
        if (fn == "nth" && (nums[0] == 0 || nums[0] > vals.size()))
            return fail("position " + std::to_string(nums[0]) + " is outside the " +
                        std::to_string(vals.size()) + " rows");
        out.push_back(std::move(vals[at]));
        return true;
    }
    if (fn == "min" || fn == "max") {
        size_t best = 0;
        for (size_t i = 1; i < vals.size(); ++i) {
            int c;
            if (!compare_values(vals[i], vals[best], c)) return fail("cannot compare its values");
            if (fn == "min" ? c < 0 : c > 0) best = i;
        }
        out.push_back(std::move(vals[best]));
        return true;
    }
    bool all_int = true;
    for (const auto &v : vals) {
        if (!is_num(v)) return fail(std::string("needs numbers, not ") + type_name(v.type));
        if (!is_int(v.type)) all_int = false;
    }
    if (fn == "sum" || fn == "product") {
        value acc = value::of_int(fn == "sum" ? 0 : 1);
        if (!all_int) acc = value::of_real(fn == "sum" ? 0.0 : 1.0);
        for (const auto &v : vals)
            if (!arith(fn == "sum" ? "+" : "*", acc, v, acc, err)) return false;
        out.push_back(acc);
        return true;
    }
    long double sum = 0;
    for (const auto &v : vals) sum += real_of(v);
    long double mean = sum / vals.size();
    if (fn == "avg") {
        out.push_back(value::of_real(double(mean)));
        return true;
    }
    long double sq = 0;
    for (const auto &v : vals) sq += (real_of(v) - mean) * (real_of(v) - mean);
    long double var = sq / vals.size(); // population variance
    out.push_back(value::of_real(double(fn == "var" ? var : std::sqrt(var))));
    return true;
}

bool is_aggregate_name(const std::string &fn)
{
    return fn == "count" || fn == "sum" || fn == "avg" || fn == "min" || fn == "max" ||
           fn == "var" || fn == "stddev" || fn == "product" || fn == "count_unique" ||
           fn == "first" || fn == "last" || fn == "nth";
}

bool is_column_op_name(const std::string &fn)
{
    return fn == "sort" || fn == "unique" || fn == "min_k" || fn == "max_k" || fn == "first_k" ||
           fn == "last_k" || fn == "range";
}

bool truth(const value &v)
{
    if (is_int(v.type)) return v.i != 0;
    if (is_real(v.type)) return v.d != 0;
    if (is_str(v.type)) return !v.s.empty();
    return true;
}

bool uses_row_outside_aggregate(const expr &e)
{
    if (e.kind == expr::k_field || e.kind == expr::k_rowid) return true;
    if (e.kind == expr::k_call && (is_aggregate_name(e.op) || is_column_op_name(e.op)))
        return false;
    if (e.kind == expr::k_call && (e.op == "row_id" || e.op == "id")) return true;
    for (const auto &a : e.args)
        if (uses_row_outside_aggregate(a)) return true;
    return false;
}

namespace {
int index_in(const std::string &name, const expr_scope &scope)
{
    if (scope.table) return scope.table->field_index(name);
    if (scope.columns)
        for (size_t i = 0; i < scope.columns->size(); ++i)
            if ((*scope.columns)[i] == name) return int(i);
    return -1;
}

bool resolve_name(const std::string &name, const expr_scope &scope, expr &out, std::string &err)
{
    int idx = index_in(name, scope);
    if (idx >= 0) {
        out.kind = expr::k_field;
        out.field = idx;
        return true;
    }
    if (scope.other_row && name.size() > 1 && name[0] == '_' &&
        (idx = index_in(name.substr(1), scope)) >= 0) {
        out.kind = expr::k_other;
        out.field = idx;
        return true;
    }
    for (const expr_scope *o = scope.outer; o; o = o->outer) {
        idx = index_in(name, *o);
        if (idx >= 0 && o->outer_row == nullptr) break;
        if (idx >= 0) {
            out.kind = expr::k_const;
            out.constant = (*o->outer_row)[size_t(idx)];
            return true;
        }
    }
    if (scope.table) return refuse(err, "no field " + name + " in table " + scope.table->name);
    if (scope.columns) return refuse(err, "no column " + name + " in the result");
    return refuse(err, "no field " + name + " here (the statement reads no table)");
}
} // namespace

bool compile_expr(const parse_node *n, const expr_scope &scope, expr &out, std::string &err)
{
    std::vector<const parse_node *> parts = items(n);
    switch (n->id) {
    case id::constant:
        out = expr();
        out.kind = expr::k_const;
        return constant_value(n, out.constant, err);
    case id::field:
    case id::field_name: {
        std::string name = name_of(n);
        out = expr();
        if (name == "__id") {
            out.kind = expr::k_rowid;
            return true;
        }
        return resolve_name(name, scope, out, err);
    }
    case id::fn_expr: {
        out = expr();
        out.kind = expr::k_call;
        const parse_node *name = item(n, id::fn_name);
        out.op = text_of(name);
        if (!is_known_function(out.op) && !is_aggregate_name(out.op) && !is_column_op_name(out.op))
            return refuse(err, "function " + out.op + " is not supported by this server");
        const parse_node *args = item(n, id::arg_lst);
        if (args)
            for (const parse_node *a : items(args)) {
                if (a->id == lang::terminal_id) continue; // commas
                expr arg;
                if (!compile_expr(a, scope, arg, err)) return false;
                out.args.push_back(std::move(arg));
            }
        out.aggregate = is_aggregate_name(out.op) || is_column_op_name(out.op);
        for (const auto &a : out.args) out.aggregate = out.aggregate || a.aggregate;
        if (!measure(out, err)) return false;
        // min and max with two or more arguments compare their arguments, row by row.
        if ((out.op == "min" || out.op == "max") && out.args.size() > 1) {
            out.aggregate = false;
            for (const auto &a : out.args) out.aggregate = out.aggregate || a.aggregate;
        }
        return true;
    }
    case id::unary_expr:
        if (parts.size() == 2 && parts[0]->id == id::unary_op) {
            out = expr();
            out.kind = expr::k_unary;
            out.op = text_of(parts[0]);
            expr operand;
            if (!compile_expr(parts[1], scope, operand, err)) return false;
            out.aggregate = operand.aggregate;
            out.args.push_back(std::move(operand));
            return measure(out, err);
        }
        break;
    case id::pri_expr:
        for (const parse_node *p : parts)
            if (is_operand(p)) return compile_expr(p, scope, out, err);
        return refuse(err, "malformed expression");
    case id::lgc_or_expr:
    case id::lgc_and_expr:
    case id::bit_or_expr:
    case id::bit_xor_expr:
    case id::bit_and_expr:
    case id::eqt_expr:
    case id::rlt_expr:
    case id::shift_expr:
    case id::ative_expr:
    case id::mtive_expr:
        return compile_fold(parts, scope, out, err);
    default:
        break;
    }
    // expr (alias dropped here), constant_expr and any single-child wrapper.
    for (const parse_node *p : parts)
        if (is_operand(p)) return compile_expr(p, scope, out, err);
    return refuse(err, "malformed expression");
}

bool eval_expr(const expr &e, const eval_ctx &ctx, value &out, std::string &err)
{
    if (!statement_budget::check(err)) return false;
    switch (e.kind) {
    case expr::k_const:
        out = e.constant;
        return true;
    case expr::k_field:
        if (!ctx.row) return refuse(err, "a field cannot be read here");
        out = (*ctx.row)[size_t(e.field)];
        return true;
    case expr::k_other:
        if (!ctx.other) return refuse(err, "a field of the other row cannot be read here");
        out = (*ctx.other)[size_t(e.field)];
        return true;
    case expr::k_rowid:
        if (!ctx.row) return refuse(err, "__id cannot be read here");
        out = value::of_uint(ctx.row_id, col_type::u64);
        return true;
    case expr::k_unary: {
        value v;
        if (!eval_expr(e.args[0], ctx, v, err)) return false;
        if (e.op == "!") {
            out = flag(!truth(v));
            return true;
        }
        if (!is_num(v))
            return refuse(err, "operator " + e.op + " needs a number, not " +
                                   std::string(type_name(v.type)));
        if (e.op == "+") {
            out = v;
            return true;
        }
        if (e.op == "-") {
            if (is_real(v.type)) out = value::of_real(-v.d, v.type);
            // -9223372036854775808 is read as minus an unsigned literal; it still fits i64.
            else if (is_unsigned(v.type) && v.u() == uint64_t(INT64_MAX) + 1)
                out = value::of_int(INT64_MIN);
            else
                return arith("-", value::of_int(0), v, out, err);
            return true;
        }
        if (is_real(v.type)) return refuse(err, "operator ~ needs an integer");
        int64_t x;
        if (!int64_of(v, x, err)) return false;
        out = value::of_int(~x);
        return true;
    }
    case expr::k_binary: {
        value a, b;
        if (e.op == "&&" || e.op == "||") {
            if (!eval_expr(e.args[0], ctx, a, err)) return false;
            bool l = truth(a);
            if (e.op == "&&" ? !l : l) {
                out = flag(l);
                return true;
            }
            if (!eval_expr(e.args[1], ctx, b, err)) return false;
            out = flag(truth(b));
            return true;
        }
        if (!eval_expr(e.args[0], ctx, a, err) || !eval_expr(e.args[1], ctx, b, err)) return false;
        if (e.op == "==" || e.op == "!=" || e.op == "<" || e.op == "<=" || e.op == ">" ||
            e.op == ">=") {
            int c;
            if (!compare_values(a, b, c))
                return refuse(err, std::string("cannot compare ") + type_name(a.type) + " with " +
                                       type_name(b.type));
            bool r = e.op == "=="   ? c == 0
                     : e.op == "!=" ? c != 0
                     : e.op == "<"  ? c < 0
                     : e.op == "<=" ? c <= 0
                     : e.op == ">"  ? c > 0
                                    : c >= 0;
            out = flag(r);
            return true;
        }
        return arith(e.op, a, b, out, err);
    }
    case expr::k_call: {
        if (is_column_op_name(e.op))
            return refuse(err, e.op + " gives several rows and can only be a column of its own");
        if (is_aggregate_name(e.op) && !((e.op == "min" || e.op == "max") && e.args.size() > 1)) {
            if (ctx.aggregates) return ctx.aggregates->value_of(e, out, err);
            std::vector<value> vals;
            if (!eval_aggregate_values(e, ctx, vals, err)) return false;
            out = std::move(vals[0]);
            return true;
        }
        std::vector<value> args;
        args.reserve(e.args.size());
        for (const auto &a : e.args) {
            value v;
            if (!eval_expr(a, ctx, v, err)) return false;
            args.push_back(std::move(v));
        }
        if (e.op == "min" || e.op == "max") {
            out = args[0];
            for (size_t i = 1; i < args.size(); ++i) {
                int c;
                if (!compare_values(args[i], out, c))
                    return refuse(err, e.op + " cannot compare its arguments");
                if (e.op == "min" ? c < 0 : c > 0) out = args[i];
            }
            return true;
        }
        return call_function(e.op, args, ctx.row ? &ctx.row_id : nullptr, out, err);
    }
    }
    return refuse(err, "malformed expression");
}

} // namespace vela
