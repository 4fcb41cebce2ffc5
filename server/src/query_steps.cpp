#include "query_steps.h"
#include "group_accumulator.h"
#include "refuse.h"
#include "statement_budget.h"

#include <algorithm>
#include <cstring>
#include <random>
#include <unordered_map>

namespace vela {

namespace {
// Hash of a value as stored in one column (every cell of a column has the column's type).
size_t value_hash(const value &v)
{
    std::hash<std::string> hs;
    if (is_int(v.type)) return std::hash<int64_t>()(v.i);
    if (is_real(v.type)) {
        double d = v.d == 0 ? 0.0 : v.d; // -0 and 0 are equal
        uint64_t bits;
        std::memcpy(&bits, &d, sizeof bits);
        return std::hash<uint64_t>()(bits);
    }
    if (is_str(v.type)) return hs(v.s);
    const date_time &t = v.dt;
    return std::hash<int64_t>()(
               ((((int64_t(t.year) * 13 + t.month) * 32 + t.day) * 24 + t.hour) * 60 + t.minute) *
                   60 +
               t.second) ^
           std::hash<int32_t>()(t.nanos);
}

bool same_value(const value &a, const value &b)
{
    int c = 1;
    return compare_values(a, b, c) && c == 0;
}

struct key_of_row {
    const std::vector<size_t> *cols;
    size_t operator()(const std::vector<value> *cells) const
    {
        size_t h = 0;
        for (size_t c : *cols) h = h * 1000003u ^ value_hash((*cells)[c]);
        return h;
    }
};
struct key_equal {
    const std::vector<size_t> *cols;
    bool operator()(const std::vector<value> *a, const std::vector<value> *b) const
    {
        for (size_t c : *cols)
            if (!same_value((*a)[c], (*b)[c])) return false;
        return true;
    }
};
// Buckets rows by the values of some of their columns.
using row_groups = std::unordered_map<const std::vector<value> *, size_t, key_of_row, key_equal>;

bool can_widen(col_type from, col_type to)
{
    if (from == to) return true;
    if (is_int(from) && is_int(to)) {
        if (int_width(to) <= int_width(from)) return false;
        return is_unsigned(from) || !is_unsigned(to);
    }
    if (is_int(from) && is_real(to))
        return int_width(from) <= (to == col_type::flt ? 2 : 4); // exact in the mantissa
    if (from == col_type::flt && to == col_type::dbl) return true;
    if (is_str(from) && is_str(to)) return str_capacity(to) > str_capacity(from);
    return false;
}

template <class Keep> void keep_rows(result_table &t, Keep keep)
{
    size_t w = 0;
    for (size_t r = 0; r < t.rows.size(); ++r)
        if (keep(r)) {
            if (w != r) t.rows[w] = std::move(t.rows[r]);
            ++w;
        }
    t.rows.resize(w);
}
} // namespace

bool fit_column(result_table &t, size_t c, std::string &err)
{
    for (auto &r : t.rows) {
        value &v = r.cells[c];
        if (v.type != t.types[c]) {
            value conv;
            if (!convert_value(v, t.types[c], conv, err))
                return refuse(err, "column " + t.names[c] + ": " + err);
            v = std::move(conv);
        } else if (is_str(v.type) && v.s.size() > str_capacity(v.type)) {
            return refuse(err, "column " + t.names[c] + ": a text of " +
                                   std::to_string(v.s.size()) + " bytes is longer than " +
                                   type_name(v.type) + " holds");
        }
    }
    return true;
}

bool widened_type(col_type a, col_type b, col_type &out)
{
    if (can_widen(a, b)) return out = b, true;
    if (can_widen(b, a)) return out = a, true;
    return false;
}

void join_columns(const result_table &left, const result_table &right,
                  std::vector<std::string> &names, std::vector<col_type> &types)
{
    names = left.names;
    types = left.types;
    for (size_t c = 0; c < right.names.size(); ++c) {
        std::string name = right.names[c];
        auto taken = [&](const std::string &n) {
            return std::find(names.begin(), names.end(), n) != names.end();
        };
        for (int k = 2; taken(name); ++k) name = right.names[c] + "_" + std::to_string(k);
        names.push_back(name);
        types.push_back(right.types[c]);
    }
}

bool join_each(const result_table &left, const result_table &right, size_t lf, size_t rf,
               const std::function<bool(std::vector<value> &cells, uint64_t sid)> &each)
{
    // The right keys are read at the left key's type, so that a u32 meets an i64 of the same
    // number; a right key that cannot take that type matches nothing.
    col_type kt = left.types[lf];
    std::vector<value> rkeys(right.rows.size());
    std::vector<bool> usable(right.rows.size(), true);
    for (size_t i = 0; i < right.rows.size(); ++i) {
        const value &k = right.rows[i].cells[rf];
        std::string ignored;
        if (k.type == kt)
            rkeys[i] = k;
        else
            usable[i] = convert_value(k, kt, rkeys[i], ignored);
    }
    std::unordered_multimap<size_t, size_t> index;
    index.reserve(right.rows.size());
    for (size_t i = 0; i < rkeys.size(); ++i)
        if (usable[i]) index.emplace(value_hash(rkeys[i]), i);

    const size_t width = left.names.size() + right.names.size();
    std::vector<size_t> matches;
    std::vector<value> cells;
    for (const auto &l : left.rows) {
        matches.clear();
        auto range = index.equal_range(value_hash(l.cells[lf]));
        for (auto it = range.first; it != range.second; ++it)
            if (same_value(l.cells[lf], rkeys[it->second])) matches.push_back(it->second);
        std::sort(matches.begin(), matches.end());
        for (size_t m : matches) {
            cells.clear();
            cells.reserve(width);
            cells = l.cells;
            const auto &rc = right.rows[m].cells;
            cells.insert(cells.end(), rc.begin(), rc.end());
            if (!each(cells, l.sid)) return false;
        }
    }
    return true;
}

bool step_join(result_table &left, result_table &&right, size_t lf, size_t rf, std::string &err)
{
    result_table out;
    join_columns(left, right, out.names, out.types);
    join_each(left, right, lf, rf, [&](std::vector<value> &cells, uint64_t sid) {
        result_row r;
        r.sid = sid;
        r.cells = std::move(cells);
        out.rows.push_back(std::move(r));
        return true;
    });
    (void)err;
    left = std::move(out);
    return true;
}

bool step_union(result_table &t, result_table &&more, std::string &err)
{
    if (t.names.size() != more.names.size())
        return refuse(err, "union: the first part has " + std::to_string(t.names.size()) +
                               " columns, the second " + std::to_string(more.names.size()));
    std::vector<col_type> types(t.types.size());
    for (size_t c = 0; c < types.size(); ++c) {
        // A part without rows has no say in the types.
        if (more.rows.empty())
            types[c] = t.types[c];
        else if (t.rows.empty())
            types[c] = more.types[c];
        else if (!widened_type(t.types[c], more.types[c], types[c]))
            return refuse(err, std::string("union: column ") + t.names[c] + " is " +
                                   type_name(t.types[c]) + " in the first part and " +
                                   type_name(more.types[c]) +
                                   " in the second, and neither widens into the other");
    }
    t.types = types;
    t.rows.reserve(t.rows.size() + more.rows.size());
    for (auto &r : more.rows) t.rows.push_back(std::move(r));
    for (size_t c = 0; c < types.size(); ++c)
        if (!fit_column(t, c, err)) return false;
    return true;
}

bool step_inner(result_table &t, const expr &cond, std::string &err)
{
    bool ok = true;
    keep_rows(t, [&](size_t r) {
        if (!ok) return false;
        eval_ctx ctx;
        ctx.row = &t.rows[r].cells;
        ctx.row_id = t.rows[r].sid;
        value v;
        if (!eval_expr(cond, ctx, v, err)) return ok = false;
        return truth(v);
    });
    return ok;
}

bool step_adj(result_table &t, const expr &cond, std::string &err)
{
    // Each row is compared with the one before it in the input, kept or not.
    std::vector<bool> keep(t.rows.size(), true);
    for (size_t r = 1; r < t.rows.size(); ++r) {
        eval_ctx ctx;
        ctx.row = &t.rows[r].cells;
        ctx.row_id = t.rows[r].sid;
        ctx.other = &t.rows[r - 1].cells;
        value v;
        if (!eval_expr(cond, ctx, v, err)) return false;
        keep[r] = truth(v);
    }
    keep_rows(t, [&](size_t r) { return bool(keep[r]); });
    return true;
}

bool step_all_each(result_table &t, const expr &cond, std::string &err)
{
    std::vector<size_t> kept;
    for (size_t r = 0; r < t.rows.size(); ++r) {
        bool all = true;
        for (size_t k : kept) {
            eval_ctx ctx;
            ctx.row = &t.rows[r].cells;
            ctx.row_id = t.rows[r].sid;
            ctx.other = &t.rows[k].cells;
            value v;
            if (!eval_expr(cond, ctx, v, err)) return false;
            if (!truth(v)) {
                all = false;
                break;
            }
        }
        if (all) kept.push_back(r);
    }
    size_t i = 0;
    keep_rows(t, [&](size_t r) { return i < kept.size() && kept[i] == r ? (++i, true) : false; });
    return true;
}

void step_distinct(result_table &t)
{
    std::vector<size_t> all(t.names.size());
    for (size_t c = 0; c < all.size(); ++c) all[c] = c;
    row_groups seen(t.rows.size(), key_of_row{&all}, key_equal{&all});
    std::vector<bool> keep(t.rows.size());
    for (size_t r = 0; r < t.rows.size(); ++r) keep[r] = seen.emplace(&t.rows[r].cells, r).second;
    keep_rows(t, [&](size_t r) { return bool(keep[r]); });
}

bool step_exists(result_table &t, bool negate, const row_probe &probe, std::string &err)
{
    std::vector<bool> keep(t.rows.size());
    for (size_t r = 0; r < t.rows.size(); ++r) {
        bool any = false;
        if (!probe(t.rows[r], any, err)) return false;
        keep[r] = any != negate;
    }
    keep_rows(t, [&](size_t r) { return bool(keep[r]); });
    return true;
}

void step_positions(result_table &t, position_kind kind, uint64_t a, uint64_t b)
{
    uint64_t n = t.rows.size(), from = 1, to = n; // kept: positions from..to
    switch (kind) {
    case position_kind::first:
        to = std::min(a, n);
        break;
    case position_kind::last:
        from = a >= n ? 1 : n - a + 1;
        break;
    case position_kind::nth:
        from = a;
        to = a <= n ? a : 0;
        break;
    case position_kind::range:
        from = std::max<uint64_t>(a, 1);
        to = std::min(b, n);
        break;
    }
    if (from > to || from == 0) {
        t.rows.clear();
        return;
    }
    t.rows.erase(t.rows.begin() + std::ptrdiff_t(to), t.rows.end());
    t.rows.erase(t.rows.begin(), t.rows.begin() + std::ptrdiff_t(from - 1));
}

bool step_group(result_table &t, const std::vector<size_t> &keys, const expr &e,
                const std::string &name, std::string &err)
{
    // Each group's aggregates run as the rows go by; only what needs all of a group's rows
    // at once (a column operation, say) collects them first.
    group_accumulator acc;
    if (acc.prepare(t.types, keys, {&e})) {
        for (const auto &r : t.rows) {
            if (!statement_budget::check(err)) return false;
            acc.add(r.cells, r.sid);
        }
        result_table out;
        if (!acc.finish(t.names, {name}, out, err)) return false;
        t = std::move(out);
        return true;
    }
    return step_group_held(t, keys, e, name, err);
}

bool step_group_held(result_table &t, const std::vector<size_t> &keys, const expr &e,
                     const std::string &name, std::string &err)
{
    row_groups index(t.rows.size() / 4 + 1, key_of_row{&keys}, key_equal{&keys});
    std::vector<std::vector<row_ref>> groups;
    for (const auto &r : t.rows) {
        auto ins = index.emplace(&r.cells, groups.size());
        if (ins.second) groups.emplace_back();
        groups[ins.first->second].push_back(row_ref{&r.cells, r.sid});
    }
    result_table out;
    for (size_t k : keys) {
        out.names.push_back(t.names[k]);
        out.types.push_back(t.types[k]);
    }
    out.names.push_back(name);
    out.types.push_back(col_type::i64);
    uint64_t sid = 0;
    for (const auto &g : groups) {
        result_row r;
        r.sid = ++sid;
        for (size_t k : keys) r.cells.push_back((*g[0].cells)[k]);
        eval_ctx ctx;
        ctx.row = g[0].cells; // a key named outside an aggregate reads the group's first row
        ctx.row_id = g[0].id;
        ctx.group = &g;
        value v;
        if (!eval_expr(e, ctx, v, err)) return false;
        r.cells.push_back(std::move(v));
        out.rows.push_back(std::move(r));
    }
    size_t last = keys.size();
    if (!out.rows.empty()) out.types[last] = out.rows[0].cells[last].type;
    if (!fit_column(out, last, err)) return false;
    t = std::move(out);
    return true;
}

bool assign_value(const std::string &op, const value &old, const value &v, value &out,
                  std::string &err)
{
    if (op.empty()) return out = v, true;
    expr bin, l, r;
    bin.kind = expr::k_binary;
    bin.op = op;
    l.constant = old;
    r.constant = v;
    bin.args = {l, r};
    return eval_expr(bin, eval_ctx(), out, err);
}

bool step_recompute(result_table &t, const std::vector<assignment> &sets, std::string &err)
{
    for (auto &row : t.rows) {
        // Every assignment reads the row as it was, as in update.
        const std::vector<value> old = row.cells;
        eval_ctx ctx;
        ctx.row = &old;
        ctx.row_id = row.sid;
        for (const auto &a : sets) {
            value v, next;
            if (!eval_expr(a.e, ctx, v, err) || !assign_value(a.op, old[a.column], v, next, err))
                return refuse(err, "recompute " + t.names[a.column] + ": " + err);
            std::string why;
            if (!convert_value(next, t.types[a.column], row.cells[a.column], why))
                return refuse(err, "recompute " + t.names[a.column] + ": " + why);
        }
    }
    return true;
}

bool step_order(result_table &t, const std::vector<size_t> &keys, order_dir dir, std::string &err)
{
    if (dir == order_dir::rand) {
        static thread_local std::mt19937_64 gen{std::random_device{}()};
        std::shuffle(t.rows.begin(), t.rows.end(), gen);
        return true;
    }
    bool bad = false;
    std::stable_sort(t.rows.begin(), t.rows.end(), [&](const result_row &a, const result_row &b) {
        for (size_t k : keys) {
            int c = 0;
            if (!compare_values(a.cells[k], b.cells[k], c)) bad = true;
            if (c != 0) return dir == order_dir::desc ? c > 0 : c < 0;
        }
        return false;
    });
    if (bad) return refuse(err, "order by met values it cannot compare");
    return true;
}

void step_project(result_table &t, const std::vector<size_t> &keep)
{
    result_table r;
    for (size_t i : keep) {
        r.names.push_back(t.names[i]);
        r.types.push_back(t.types[i]);
    }
    r.rows.reserve(t.rows.size());
    for (auto &row : t.rows) {
        result_row nr;
        nr.sid = row.sid;
        nr.cells.reserve(keep.size());
        for (size_t i : keep) nr.cells.push_back(std::move(row.cells[i]));
        r.rows.push_back(std::move(nr));
    }
    t = std::move(r);
}

} // namespace vela
