#include "where_clause.h"
#include "refuse.h"

#include <algorithm>
#include <cstring>

namespace vela {

namespace {
bool word(const parse_node *n, const char *w)
{
    return is_word(n, w);
}

// Reads "(" (select | constant_expr {, constant_expr}) ")" starting at parts[i].
bool read_list(const std::vector<const parse_node *> &parts, size_t &i, const expr_scope &scope,
               const subselect_fn &sub, std::vector<expr> &list, bool &from_select,
               std::vector<value> &values, std::string &err)
{
    if (i >= parts.size() || !word(parts[i], "(")) return refuse(err, "malformed list");
    ++i;
    for (; i < parts.size() && !word(parts[i], ")"); ++i) {
        const parse_node *p = parts[i];
        if (p->id == id::select) {
            from_select = true;
            if (!sub(p, values, err)) return false;
        } else if (p->id == id::constant_expr) {
            expr e;
            if (!compile_expr(p, scope, e, err)) return false;
            list.push_back(std::move(e));
        }
    }
    if (i >= parts.size()) return refuse(err, "malformed list");
    ++i; // ")"
    return true;
}

bool read_count(const parse_node *n, uint64_t &out, std::string &err)
{
    bool overflow;
    out = uint_of(n, overflow);
    if (overflow) return refuse(err, "count " + text_of(n) + " is too large");
    return true;
}

bool compile_pri(const parse_node *pri, const expr_scope &scope, const subselect_fn &sub,
                 where_node &out, std::string &err);

// Literals and operators on them only: the same value for every row.
bool is_constant(const expr &e)
{
    if (e.kind == expr::k_const) return true;
    if (e.kind != expr::k_unary && e.kind != expr::k_binary) return false;
    for (const auto &a : e.args)
        if (!is_constant(a)) return false;
    return true;
}

// The type the compared side has on every row, when it is known before any row is read.
bool known_type(const expr &e, const expr_scope &scope, col_type &t)
{
    if (e.kind == expr::k_field && scope.table && e.field >= 0 &&
        size_t(e.field) < scope.table->fields.size()) {
        t = scope.table->fields[size_t(e.field)].type;
        return true;
    }
    return false;
}

// Without this, "a in (select a from t)" compared every row with every value: minutes on a
// table of a hundred thousand rows, with every other client waiting.
void prepare_sorted(where_node &w, const expr_scope &scope)
{
    std::vector<value> vals;
    if (w.from_select) {
        vals = w.sub;
    } else {
        for (const auto &e : w.list) {
            if (!is_constant(e)) return;
            value v;
            std::string ignored;
            if (!eval_expr(e, eval_ctx(), v, ignored)) return; // evaluated per row, failing there
            vals.push_back(std::move(v));
        }
    }
    // The values must be in the order in which the row's value meets them. A text meets a
    // date or time as that date or time, and a text as text: "2024-01-01T00:00:00" sorts
    // after "2024-01-01 23:00:00" as text but comes first as a datetime. So texts are
    // brought to the field's type first; when that type is not known, they are tested one
    // by one.
    col_type t = col_type::s256;
    bool typed = known_type(w.field, scope, t);
    for (auto &v : vals) {
        if (!is_str(v.type)) continue;
        if (!typed) return;
        if (!is_temporal(t)) continue;
        value c;
        std::string ignored;
        if (!convert_value(v, t, c, ignored)) return; // refused row by row, with its reason
        v = std::move(c);
    }
    bool comparable = true;
    // stable_sort stays within bounds even if an ordering were inconsistent.
    std::stable_sort(vals.begin(), vals.end(), [&](const value &x, const value &y) {
        int c = 0;
        if (!compare_values(x, y, c)) comparable = false;
        return c < 0;
    });
    if (!comparable) return; // values of kinds that do not compare: tested one by one
    w.sorted = std::move(vals);
    w.sorted_list = true;
}

bool compile_level(const parse_node *n, const expr_scope &scope, const subselect_fn &sub,
                   where_node &out, std::string &err)
{
    if (n->id == id::where_cond) {
        for (const parse_node *p : items(n))
            if (p->id != lang::terminal_id) return compile_level(p, scope, sub, out, err);
        return refuse(err, "malformed condition");
    }
    if (n->id == id::where_pri_expr) return compile_pri(n, scope, sub, out, err);
    out = where_node();
    out.kind = n->id == id::where_or_expr ? where_node::w_or : where_node::w_and;
    for (const parse_node *p : items(n)) {
        if (p->id == lang::terminal_id) continue; // && and ||
        where_node kid;
        if (!compile_level(p, scope, sub, kid, err)) return false;
        out.positional = out.positional || kid.positional;
        out.kids.push_back(std::move(kid));
    }
    return true;
}

bool compile_pri(const parse_node *pri, const expr_scope &scope, const subselect_fn &sub,
                 where_node &out, std::string &err)
{
    std::vector<const parse_node *> parts = items(pri);
    out = where_node();
    if (parts.empty()) return refuse(err, "malformed condition");
    const parse_node *first = parts[0];
    if (word(first, "(")) {
        for (const parse_node *p : parts)
            if (p->id == id::where_cond) return compile_level(p, scope, sub, out, err);
        return refuse(err, "malformed condition");
    }
    if (first->id == id::w_range_expr) {
        std::vector<const parse_node *> r = items(first);
        out.positional = true;
        std::string kw = text_of(r[0]);
        out.kind = kw == "first"  ? where_node::w_first
                   : kw == "last" ? where_node::w_last
                   : kw == "nth"  ? where_node::w_nth
                                  : where_node::w_range;
        std::vector<uint64_t> nums;
        for (size_t i = 1; i < r.size(); ++i)
            if (r[i]->id == id::uint_dec) {
                uint64_t v;
                if (!read_count(r[i], v, err)) return false;
                nums.push_back(v);
            }
        if (!nums.empty()) out.a = nums[0];
        if (nums.size() > 1) out.b = nums[1];
        return true;
    }
    if (first->id == id::w_btw_expr) {
        std::vector<const parse_node *> b = items(first);
        out.kind = where_node::w_btw;
        size_t i = 0;
        // lower bound
        if (i < b.size() && word(b[i], "(")) {
            if (!read_list(b, i, scope, sub, out.list, out.from_select, out.sub, err)) return false;
            if (i < b.size() && (word(b[i], "any") || word(b[i], "all")))
                out.quant = word(b[i++], "any") ? where_node::q_any : where_node::q_all;
        } else if (i < b.size() && b[i]->id == id::constant_expr) {
            expr e;
            if (!compile_expr(b[i++], scope, e, err)) return false;
            out.list.push_back(std::move(e));
        }
        if (i >= b.size()) return refuse(err, "malformed range condition");
        out.op = text_of(b[i++]);
        if (i >= b.size() || !compile_expr(b[i++], scope, out.field, err))
            return err.empty() ? err = "malformed range condition", false : false;
        if (i >= b.size()) return refuse(err, "malformed range condition");
        out.op2 = text_of(b[i++]);
        if (i < b.size() && (word(b[i], "any") || word(b[i], "all"))) {
            out.quant2 = word(b[i++], "any") ? where_node::q_any : where_node::q_all;
            if (!read_list(b, i, scope, sub, out.list2, out.from_select2, out.sub2, err))
                return false;
        } else if (i < b.size() && b[i]->id == id::constant_expr) {
            expr e;
            if (!compile_expr(b[i++], scope, e, err)) return false;
            out.list2.push_back(std::move(e));
        }
        return true;
    }
    if (first->id == id::field_name && parts.size() >= 2) {
        if (!compile_expr(first, scope, out.field, err)) return false;
        const parse_node *tail = parts[1];
        std::vector<const parse_node *> t = items(tail);
        if (tail->id == id::w_miax_expr) {
            out.positional = true;
            out.kind = word(t[0], "max") ? where_node::w_max : where_node::w_min;
            if (t.size() > 1 && t[1]->id == id::uint_dec && !read_count(t[1], out.a, err))
                return false;
            return true;
        }
        if (tail->id == id::w_rel_expr) {
            out.kind = where_node::w_cmp;
            out.op = text_of(t[0]);
            size_t i = 1;
            if (i < t.size() && (word(t[i], "any") || word(t[i], "all"))) {
                out.quant = word(t[i++], "any") ? where_node::q_any : where_node::q_all;
                if (!read_list(t, i, scope, sub, out.list, out.from_select, out.sub, err))
                    return false;
                prepare_sorted(out, scope);
                return true;
            }
            if (i >= t.size()) return refuse(err, "malformed comparison");
            expr e;
            if (!compile_expr(t[i], scope, e, err)) return false;
            out.list.push_back(std::move(e));
            return true;
        }
        if (tail->id == id::w_in_expr) {
            out.kind = where_node::w_in;
            size_t i = 0;
            if (word(t[i], "not")) {
                out.negate = true;
                ++i;
            }
            ++i; // "in"
            if (!read_list(t, i, scope, sub, out.list, out.from_select, out.sub, err)) return false;
            prepare_sorted(out, scope);
            return true;
        }
    }
    return refuse(err, "unsupported condition " + text_of(pri));
}

bool cmp_holds(const std::string &op, int c)
{
    if (op == "==") return c == 0;
    if (op == "!=") return c != 0;
    if (op == "<") return c < 0;
    if (op == "<=") return c <= 0;
    if (op == ">") return c > 0;
    return c >= 0;
}

// Values of a list for this row: the sub-select's, or the constant expressions evaluated.
bool list_values(const std::vector<expr> &list, bool from_select, const std::vector<value> &sub,
                 const eval_ctx &ctx, std::vector<value> &out, std::string &err)
{
    if (from_select) {
        out = sub;
        return true;
    }
    out.clear();
    for (const auto &e : list) {
        value v;
        if (!eval_expr(e, ctx, v, err)) return false;
        out.push_back(std::move(v));
    }
    return true;
}

// Whether "x op v" holds for one, any or all v.
bool quantified(const value &x, const std::string &op, where_node::quant_t q,
                const std::vector<value> &vals, bool flip, bool &result, std::string &err)
{
    bool any = false, all = true;
    for (const auto &v : vals) {
        int c;
        if (!(flip ? compare_values(v, x, c) : compare_values(x, v, c)))
            return refuse(err, std::string("cannot compare ") + type_name(x.type) + " with " +
                                   type_name(v.type));
        bool h = cmp_holds(op, c);
        any = any || h;
        all = all && h;
    }
    result = q == where_node::q_all ? all : any;
    return true;
}

// "in", "any" and "all" against the sorted values: "in" and "== any" search them by
// halving, the order comparisons need only the smallest or the largest value.
bool test_sorted(const where_node &w, const eval_ctx &ctx, bool &result, std::string &err)
{
    value x;
    if (!eval_expr(w.field, ctx, x, err)) return false;
    const std::vector<value> &vals = w.sorted;
    bool any = w.kind == where_node::w_in || w.quant == where_node::q_any;
    if (vals.empty()) {
        result = w.kind == where_node::w_in ? w.negate : !any;
        return true;
    }
    bool bad = false;
    auto cmp = [&](const value &a, const value &b) {
        int c = 0;
        if (!compare_values(a, b, c)) bad = true;
        return c;
    };
    auto found = [&] {
        auto it =
            std::lower_bound(vals.begin(), vals.end(), x,
                             [&](const value &v, const value &key) { return cmp(v, key) < 0; });
        return it != vals.end() && cmp(x, *it) == 0;
    };
    const std::string op = w.kind == where_node::w_in ? "==" : w.op;
    bool r;
    if (op == "==" || op == "!=") {
        bool equal_here =
            any == (op == "==") ? found() : (cmp(x, vals.front()) == 0 && cmp(x, vals.back()) == 0);
        // == any: found; == all: every value equals x; != all: not found; != any: not every value
        // equals x
        r = op == "==" ? equal_here : !equal_here;
    } else {
        bool below = op == "<" || op == "<=";
        // x < any: below the largest; x < all: below the smallest; > mirrors it.
        const value &bound = below == any ? vals.back() : vals.front();
        r = cmp_holds(op, cmp(x, bound));
    }
    if (bad)
        return refuse(err, std::string("cannot compare ") + type_name(x.type) + " with " +
                               type_name(vals[0].type));
    result = w.kind == where_node::w_in ? r != w.negate : r;
    return true;
}

bool test_row(const where_node &w, const stored_row &row, bool &result, std::string &err)
{
    eval_ctx ctx;
    ctx.row = &row.cells;
    ctx.row_id = row.id;
    switch (w.kind) {
    case where_node::w_or:
    case where_node::w_and: {
        bool is_or = w.kind == where_node::w_or;
        for (const auto &k : w.kids) {
            bool r;
            if (!test_row(k, row, r, err)) return false;
            if (r == is_or) return result = is_or, true;
        }
        result = !is_or;
        return true;
    }
    case where_node::w_in:
    case where_node::w_cmp: {
        if (w.sorted_list) return test_sorted(w, ctx, result, err);
        value x;
        std::vector<value> vals;
        if (!eval_expr(w.field, ctx, x, err) ||
            !list_values(w.list, w.from_select, w.sub, ctx, vals, err))
            return false;
        if (w.kind == where_node::w_in) {
            bool found;
            if (!quantified(x, "==", where_node::q_any, vals, false, found, err)) return false;
            result = found != w.negate;
            return true;
        }
        return quantified(x, w.op, w.quant, vals, false, result, err);
    }
    case where_node::w_btw: {
        value x;
        std::vector<value> lo, hi;
        if (!eval_expr(w.field, ctx, x, err) ||
            !list_values(w.list, w.from_select, w.sub, ctx, lo, err) ||
            !list_values(w.list2, w.from_select2, w.sub2, ctx, hi, err))
            return false;
        bool l, h;
        // lower op1 field: read as "field (mirror of op1) lower"
        if (!quantified(x, w.op, w.quant, lo, true, l, err) ||
            !quantified(x, w.op2, w.quant2, hi, false, h, err))
            return false;
        result = l && h;
        return true;
    }
    default:
        return refuse(err, "a position cannot be tested on one row");
    }
}

// first, last, nth and range over rows listed in table order (by index or by id).
template <class T> bool positions(const where_node &w, std::vector<T> &list)
{
    size_t n = list.size();
    switch (w.kind) {
    case where_node::w_first:
        if (w.a < n) list.resize(size_t(w.a));
        return true;
    case where_node::w_last:
        if (w.a < n) list.erase(list.begin(), list.end() - std::ptrdiff_t(w.a));
        return true;
    case where_node::w_nth:
        if (w.a >= 1 && w.a <= n)
            list = {list[size_t(w.a - 1)]};
        else
            list.clear();
        return true;
    case where_node::w_range: {
        uint64_t from = std::max<uint64_t>(w.a, 1), to = std::min<uint64_t>(w.b, n);
        if (from > to)
            list.clear();
        else
            list = std::vector<T>(list.begin() + std::ptrdiff_t(from - 1),
                                  list.begin() + std::ptrdiff_t(to));
        return true;
    }
    default:
        return false;
    }
}

bool apply_positional(const where_node &w, const std::vector<stored_row> &rows,
                      std::vector<size_t> &list, std::string &err)
{
    if (positions(w, list)) return true;
    size_t n = list.size();
    switch (w.kind) {
    case where_node::w_min:
    case where_node::w_max: {
        std::vector<std::pair<value, size_t>> keyed;
        keyed.reserve(n);
        for (size_t idx : list) {
            eval_ctx ctx;
            ctx.row = &rows[idx].cells;
            ctx.row_id = rows[idx].id;
            value v;
            if (!eval_expr(w.field, ctx, v, err)) return false;
            keyed.emplace_back(std::move(v), idx);
        }
        bool bad = false;
        bool want_max = w.kind == where_node::w_max;
        std::stable_sort(keyed.begin(), keyed.end(), [&](const auto &x, const auto &y) {
            int c = 0;
            if (!compare_values(x.first, y.first, c)) bad = true;
            return want_max ? c > 0 : c < 0;
        });
        if (bad) return refuse(err, "min and max need comparable values");
        if (w.a < keyed.size()) keyed.resize(size_t(w.a));
        list.clear();
        for (const auto &k : keyed) list.push_back(k.second);
        std::sort(list.begin(), list.end());
        return true;
    }
    default:
        return refuse(err, "not a positional condition");
    }
}

bool apply_node(const where_node &w, const std::vector<stored_row> &rows, std::vector<size_t> &list,
                std::string &err)
{
    if (w.kind == where_node::w_or) {
        std::vector<size_t> all;
        for (const auto &k : w.kids) {
            std::vector<size_t> part = list;
            if (!apply_node(k, rows, part, err)) return false;
            all.insert(all.end(), part.begin(), part.end());
        }
        std::sort(all.begin(), all.end());
        all.erase(std::unique(all.begin(), all.end()), all.end());
        list.swap(all);
        return true;
    }
    if (w.kind == where_node::w_and) {
        std::vector<const where_node *> value_kids;
        for (const auto &k : w.kids)
            if (!k.positional) value_kids.push_back(&k);
        if (!value_kids.empty()) {
            std::vector<size_t> kept;
            kept.reserve(list.size());
            for (size_t idx : list) {
                bool keep = true;
                for (const where_node *k : value_kids) {
                    if (!test_row(*k, rows[idx], keep, err)) return false;
                    if (!keep) break;
                }
                if (keep) kept.push_back(idx);
            }
            list.swap(kept);
        }
        for (const auto &k : w.kids)
            if (k.positional && !apply_node(k, rows, list, err)) return false;
        return true;
    }
    if (w.positional) return apply_positional(w, rows, list, err);
    std::vector<size_t> kept;
    for (size_t idx : list) {
        bool keep;
        if (!test_row(w, rows[idx], keep, err)) return false;
        if (keep) kept.push_back(idx);
    }
    list.swap(kept);
    return true;
}
} // namespace

bool compile_where(const parse_node *where_cond, const expr_scope &scope, const subselect_fn &sub,
                   where_node &out, std::string &err)
{
    return compile_level(where_cond, scope, sub, out, err);
}

bool apply_where(const where_node &w, const std::vector<stored_row> &rows,
                 std::vector<size_t> &picked, std::string &err)
{
    picked.resize(rows.size());
    for (size_t i = 0; i < rows.size(); ++i) picked[i] = i;
    return apply_node(w, rows, picked, err);
}

bool decided_per_row(const where_node &w)
{
    if (w.positional || (w.kind == where_node::w_or && w.kids.size() > 1)) return false;
    for (const auto &k : w.kids)
        if (!decided_per_row(k)) return false;
    return true;
}

const where_node &unwrapped(const where_node &w)
{
    const where_node *n = &w;
    while ((n->kind == where_node::w_or || n->kind == where_node::w_and) && n->kids.size() == 1)
        n = &n->kids[0];
    return *n;
}

bool apply_position(const where_node &w, std::vector<uint64_t> &list)
{
    return positions(w, list);
}

bool first_of_per_row(const where_node &w, uint64_t &limit)
{
    limit = UINT64_MAX;
    const where_node &n = unwrapped(w);
    if (decided_per_row(n)) return true;
    if (n.kind != where_node::w_and) return false;
    // The value conditions of an "and" filter first, then its positions apply in turn: a
    // series of "first k" keeps the first of the smallest k.
    for (const auto &k : n.kids) {
        if (k.kind == where_node::w_first)
            limit = std::min(limit, k.a);
        else if (!decided_per_row(k))
            return false;
    }
    return true;
}

bool row_holds(const where_node &w, const stored_row &row, bool &result, std::string &err)
{
    const where_node &n = unwrapped(w);
    if (n.kind != where_node::w_and) return test_row(n, row, result, err);
    result = true;
    for (const auto &k : n.kids) {
        if (k.positional) continue;
        if (!test_row(k, row, result, err)) return false;
        if (!result) return true;
    }
    return true;
}

bool single_row_id(const where_node &w, uint64_t &id)
{
    const where_node *n = &w;
    while ((n->kind == where_node::w_or || n->kind == where_node::w_and) && n->kids.size() == 1)
        n = &n->kids[0];
    std::vector<const where_node *> conj;
    if (n->kind == where_node::w_and) {
        if (n->positional) return false;
        for (const auto &k : n->kids) conj.push_back(&k);
    } else {
        conj.push_back(n);
    }
    for (const where_node *k : conj) {
        if (k->kind == where_node::w_cmp && k->op == "==" && k->quant == where_node::q_one &&
            k->field.kind == expr::k_rowid && k->list.size() == 1 &&
            !uses_row_outside_aggregate(k->list[0]) && !k->list[0].aggregate) {
            value v, u;
            std::string err;
            if (!eval_expr(k->list[0], eval_ctx(), v, err) ||
                !convert_value(v, col_type::u64, u, err))
                return false;
            id = u.u();
            return true;
        }
    }
    return false;
}

bool leading_rows_only(const where_node &w, uint64_t &k)
{
    const where_node *n = &w;
    while ((n->kind == where_node::w_or || n->kind == where_node::w_and) && n->kids.size() == 1)
        n = &n->kids[0];
    if (n->kind != where_node::w_first || n->a == 0) return false;
    k = n->a;
    return true;
}

namespace {
using wide = __int128;

// The value of a list that is one constant whole number.
bool whole_constant(const std::vector<expr> &list, bool from_select, wide &n)
{
    if (from_select || list.size() != 1 || !is_constant(list[0])) return false;
    value v;
    std::string err;
    if (!eval_expr(list[0], eval_ctx(), v, err) || !is_int(v.type)) return false;
    n = is_unsigned(v.type) ? wide(v.u()) : wide(v.i);
    return true;
}

// Narrows [lo, hi] to the ids for which "__id op n" holds.
bool narrow(const std::string &op, wide n, wide &lo, wide &hi)
{
    if (op == ">" || op == ">=" || op == "==") lo = std::max(lo, op == ">" ? n + 1 : n);
    if (op == "<" || op == "<=" || op == "==") hi = std::min(hi, op == "<" ? n - 1 : n);
    return op == ">" || op == ">=" || op == "<" || op == "<=" || op == "==";
}

// Narrows [lo, hi] by one comparison of __id with constant whole numbers; false when k is
// not one.
bool id_bounds(const where_node &k, wide &lo, wide &hi)
{
    if (k.field.kind != expr::k_rowid || k.quant != where_node::q_one) return false;
    wide a, b, l = lo, h = hi;
    if (k.kind == where_node::w_cmp) {
        if (!whole_constant(k.list, k.from_select, a) || !narrow(k.op, a, l, h)) return false;
    } else if (k.kind == where_node::w_btw) {
        // "a op __id op2 b": the lower side read from __id's side.
        const std::string mirror = k.op == "<"    ? ">"
                                   : k.op == "<=" ? ">="
                                   : k.op == ">"  ? "<"
                                   : k.op == ">=" ? "<="
                                                  : k.op;
        if (k.quant2 != where_node::q_one || !whole_constant(k.list, k.from_select, a) ||
            !whole_constant(k.list2, k.from_select2, b) || !narrow(mirror, a, l, h) ||
            !narrow(k.op2, b, l, h))
            return false;
    } else {
        return false;
    }
    lo = l;
    hi = h;
    return true;
}
} // namespace

bool id_range_of(const where_node &w, uint64_t &lo, uint64_t &hi)
{
    // The value conditions in the order they are tested; positions apply after them, to the
    // rows that passed.
    const where_node &n = unwrapped(w);
    std::vector<const where_node *> tested;
    if (n.kind == where_node::w_and) {
        for (const auto &k : n.kids)
            if (!k.positional) tested.push_back(&k);
    } else if (!n.positional) {
        tested.push_back(&n);
    }
    wide l = 0, h = UINT64_MAX;
    size_t used = 0;
    while (used < tested.size() && id_bounds(*tested[used], l, h)) ++used;
    if (used == 0) return false;
    lo = l > h ? 1 : uint64_t(l);
    hi = l > h ? 0 : uint64_t(h);
    return true;
}

} // namespace vela
