#include "select_runner.h"
#include "group_accumulator.h"
#include "refuse.h"
#include "statement_budget.h"

#include "tree_reader.h"

#include "base/utf8.h"

#include <algorithm>
#include <iterator>
#include <set>

namespace vela {

namespace {
// seq(from, to[, step]) gives this many values at most.
constexpr uint64_t max_seq_values = 1000000;

bool seq_values(const expr &e, std::vector<value> &out, std::string &err)
{
    if (e.args.size() < 2 || e.args.size() > 3) return refuse(err, "seq takes 2 or 3 arguments");
    int64_t n[3] = {0, 0, 1};
    for (size_t i = 0; i < e.args.size(); ++i) {
        value v, c;
        if (!eval_expr(e.args[i], eval_ctx(), v, err)) return false;
        if (!is_int(v.type) || !convert_value(v, col_type::i64, c, err))
            return refuse(err, "seq takes whole numbers in the range of i64");
        n[i] = c.i;
    }
    if (n[2] == 0) return refuse(err, "seq: the step may not be 0");
    __int128 count = n[2] > 0 ? (n[1] >= n[0] ? (__int128(n[1]) - n[0]) / n[2] + 1 : 0)
                              : (n[1] <= n[0] ? (__int128(n[0]) - n[1]) / -__int128(n[2]) + 1 : 0);
    if (count > __int128(max_seq_values))
        return refuse(err, "seq gives at most " + std::to_string(max_seq_values) + " values");
    out.reserve(size_t(count));
    for (__int128 i = 0; i < count; ++i) out.push_back(value::of_int(int64_t(n[0] + i * n[2])));
    return true;
}

// The name a column gets from its expression: the alias, a field's own name, or the text
// with its blanks squeezed.
std::string column_name(const parse_node *e, const expr &c, const std::vector<std::string> &fields)
{
    std::vector<const parse_node *> ep = items(e);
    for (size_t i = 0; i + 1 < ep.size(); ++i)
        if (is_word(ep[i], "as")) return name_of(ep[i + 1]);
    if (c.kind == expr::k_field) return fields[size_t(c.field)];
    std::string text = text_of(ep.empty() ? e : ep[0]), name;
    bool blank = false;
    for (char ch : text) {
        if (ch == ' ' || ch == '\t' || ch == '\n' || ch == '\v' || ch == '\f') {
            blank = true;
            continue;
        }
        if (blank && !name.empty()) name.push_back(' ');
        blank = false;
        name.push_back(ch);
    }
    return name;
}

void mark_fields(const expr &e, std::vector<bool> &need)
{
    if (e.kind == expr::k_field && size_t(e.field) < need.size()) need[size_t(e.field)] = true;
    for (const auto &a : e.args) mark_fields(a, need);
}

void mark_fields(const where_node &w, std::vector<bool> &need)
{
    mark_fields(w.field, need);
    for (const auto *list : {&w.list, &w.list2})
        for (const auto &e : *list) mark_fields(e, need);
    for (const auto &k : w.kids) mark_fields(k, need);
}

bool is_call(const expr &e, const char *name)
{
    return e.kind == expr::k_call && e.op == name;
}

bool column_of(const std::vector<std::string> &names, const parse_node *n, size_t &idx,
               std::string &err)
{
    std::string name = name_of(n);
    for (size_t i = 0; i < names.size(); ++i)
        if (names[i] == name) return idx = i, true;
    return refuse(err, "no column " + name + " in the result");
}

// The clause inside a post-processing node (order, filter, group, ...), or null.
const parse_node *clause_of(const parse_node *post)
{
    const parse_node *c = nullptr;
    for (const parse_node *p : items(post))
        if (p->id != lang::terminal_id) c = p;
    return c;
}
} // namespace

bool valid_name(const std::string &name, const char *what, std::string &err)
{
    if (name.empty()) return refuse(err, std::string("a ") + what + " name may not be empty");
    if (name.size() > 255)
        return refuse(err, std::string("a ") + what + " name is at most 255 bytes");
    if (name == "__id") return refuse(err, "__id is the row id and cannot name a field");
    // Names travel to every client and into every log: text only, no NUL, no broken bytes.
    if (name.find('\0') != std::string::npos)
        return refuse(err, std::string("a ") + what + " name may not hold a NUL character");
    if (!utf8::valid(name.data(), name.size()))
        return refuse(err, std::string("a ") + what + " name must be valid UTF-8");
    return true;
}

subselect_fn select_runner::subselect()
{
    return [this](const parse_node *select, std::vector<value> &out, std::string &err) {
        result_table t;
        select_runner inner(st_, exporter_, depth_ + 1, outer_);
        if (!inner.run(select, t, err)) return false;
        if (t.names.empty()) return refuse(err, "the sub-select returns no column");
        for (auto &r : t.rows) out.push_back(std::move(r.cells[0]));
        return true;
    };
}

namespace {
// The value conditions of a node in the order they are tested, and its positions, which then
// apply in turn to the rows that passed.
void split_node(const where_node &n, std::vector<const where_node *> &tested,
                std::vector<const where_node *> &positions)
{
    if (n.kind == where_node::w_and) {
        for (const auto &k : n.kids) (k.positional ? positions : tested).push_back(&k);
    } else {
        (n.positional ? positions : tested).push_back(&n);
    }
}

// Whether the rows a condition keeps can be found holding only ids: every part of an || (each
// runs over the whole table) tests each row alone, with at most first, last, nth and range
// beside.
bool by_ids(const where_node &w)
{
    const where_node &n = unwrapped(w);
    if (n.kind == where_node::w_or) {
        for (const auto &k : n.kids)
            if (!by_ids(k)) return false;
        return true;
    }
    std::vector<const where_node *> tested, positions;
    split_node(n, tested, positions);
    for (const where_node *k : tested)
        if (!decided_per_row(*k)) return false;
    for (const where_node *k : positions)
        if (k->kind != where_node::w_first && k->kind != where_node::w_last &&
            k->kind != where_node::w_nth && k->kind != where_node::w_range)
            return false;
    return true;
}

// Stored order: an id past the signed range is stored negative and comes first.
bool stored_before(uint64_t a, uint64_t b)
{
    return int64_t(a) < int64_t(b);
}
} // namespace

bool select_runner::rows_for(const table_def &t, const parse_node *where, const expr_scope &scope,
                             std::vector<stored_row> &rows, std::vector<size_t> &picked,
                             std::string &err, const std::vector<bool> *need)
{
    const parse_node *cond = where ? item(where, id::where_cond) : nullptr;
    if (!cond) {
        if (!st_.scan(t, rows, err, 0, need)) return false;
        picked.resize(rows.size());
        for (size_t i = 0; i < rows.size(); ++i) picked[i] = i;
        return true;
    }
    where_node w;
    if (!compile_where(cond, scope, subselect(), w, err)) return false;
    return rows_for(t, w, rows, picked, err, need);
}

bool select_runner::rows_for(const table_def &t, const where_node &w, std::vector<stored_row> &rows,
                             std::vector<size_t> &picked, std::string &err,
                             const std::vector<bool> *need)
{
    std::vector<bool> all_needed;
    if (need) {
        all_needed = *need;
        mark_fields(w, all_needed);
        need = &all_needed;
    }
    uint64_t id, leading;
    if (leading_rows_only(w, leading)) {
        if (!st_.scan(t, rows, err, leading, need)) return false;
    } else if (single_row_id(w, id)) {
        stored_row r;
        bool found = false;
        if (!st_.fetch(t, id, r, found, err)) return false;
        if (found) rows.push_back(std::move(r));
    } else if (by_ids(w)) {
        // Only the rows kept are held: their ids are found first, then the rows read.
        std::vector<uint64_t> ids;
        rows.reserve(ids.size());
        auto add = [&](stored_row &row) { return rows.push_back(std::move(row)), true; };
        if (!ids_by_passes(t, w, ids, err) || !each_row_of_ids(t, ids, need, add, err))
            return false;
        picked.resize(rows.size());
        for (size_t i = 0; i < rows.size(); ++i) picked[i] = i;
        return true;
    } else {
        id_range range;
        id_range_of(w, range.lo, range.hi);
        if (!st_.scan(t, rows, err, 0, need, range)) return false;
    }
    return apply_where(w, rows, picked, err);
}

bool select_runner::each_row_of_ids(const table_def &t, const std::vector<uint64_t> &ids,
                                    const std::vector<bool> *need,
                                    const std::function<bool(stored_row &)> &each, std::string &err)
{
    if (ids.empty()) return true;
    // In stored order the ids lie between the first and the last, unless some are stored
    // negative. Rows close together are read in one scan of that span, keeping those listed;
    // rows far apart one by one.
    const uint64_t lo = ids.front(), hi = ids.back();
    if (int64_t(lo) < 0 || int64_t(hi) < 0 || ids.size() < (hi - lo) / 16)
        return st_.fetch_each(t, ids, each, err);
    size_t next = 0;
    auto listed = [&](stored_row &row) {
        if (next >= ids.size() || row.id != ids[next]) return true;
        ++next;
        return each(row);
    };
    id_range span;
    span.lo = lo;
    span.hi = hi;
    return st_.scan_each(t, 0, listed, err, need, span);
}

bool select_runner::ids_by_passes(const table_def &t, const where_node &w,
                                  std::vector<uint64_t> &ids, std::string &err)
{
    const where_node &n = unwrapped(w);
    if (n.kind == where_node::w_or) {
        // Each part over the whole table, one after the other, as over rows held.
        std::vector<uint64_t> part, both;
        for (const auto &k : n.kids) {
            part.clear();
            if (!ids_by_passes(t, k, part, err)) return false;
            both.clear();
            std::set_union(ids.begin(), ids.end(), part.begin(), part.end(),
                           std::back_inserter(both), stored_before);
            ids.swap(both);
        }
        return true;
    }
    std::vector<const where_node *> tested, positions;
    split_node(n, tested, positions);
    std::vector<bool> need(t.fields.size(), false);
    for (const where_node *k : tested) mark_fields(*k, need);
    id_range range;
    id_range_of(n, range.lo, range.hi);
    // Every row is tested, also past the first k kept, as over rows held.
    auto test = [&](stored_row &row) {
        bool keep = true;
        for (size_t i = 0; i < tested.size() && keep; ++i)
            if (!row_holds(*tested[i], row, keep, err)) return false;
        if (keep) ids.push_back(row.id);
        return true;
    };
    if (!st_.scan_each(t, 0, test, err, &need, range)) return false;
    for (const where_node *k : positions) apply_position(*k, ids);
    return true;
}

bool select_runner::ids_for(const table_def &t, const parse_node *where, const expr_scope &scope,
                            std::vector<uint64_t> &ids, std::string &err)
{
    std::vector<bool> need(t.fields.size(), false);
    auto add = [&](stored_row &row) { return ids.push_back(row.id), true; };
    const parse_node *cond = where ? item(where, id::where_cond) : nullptr;
    if (!cond) return st_.scan_each(t, 0, add, err, &need);
    where_node w;
    if (!compile_where(cond, scope, subselect(), w, err)) return false;
    uint64_t one_id, leading;
    if (by_ids(w) && !single_row_id(w, one_id) && !leading_rows_only(w, leading))
        return ids_by_passes(t, w, ids, err);
    std::vector<stored_row> rows;
    std::vector<size_t> picked;
    if (!rows_for(t, w, rows, picked, err, &need)) return false;
    for (size_t i : picked) ids.push_back(rows[i].id);
    return true;
}

bool select_runner::run(const parse_node *select, result_table &out, std::string &err)
{
    if (depth_ > 16) return refuse(err, "sub-selects nest too deeply");
    bool streamed = false;
    if (!stream_export(items(select), streamed, err)) return false;
    if (streamed) {
        out = result_table(); // the reply to an export is an empty table
        return true;
    }
    bool first = true;
    std::vector<const parse_node *> parts = items(select);
    for (size_t i = 0; i < parts.size(); ++i) {
        const parse_node *p = parts[i];
        bool ok = true;
        if (p->id == id::select_one && first) {
            ok = source(p, out, err);
            first = false;
        } else if (p->id == id::expand_h) {
            // A group right after the join takes the joined rows as they are made.
            const parse_node *next = i + 1 < parts.size() && parts[i + 1]->id == id::dataset_post
                                         ? clause_of(parts[i + 1])
                                         : nullptr;
            bool grouped = false;
            ok = join(p, out, next && next->id == id::group ? next : nullptr, grouped, err);
            if (grouped) ++i;
        } else if (p->id == id::expand_v) {
            ok = union_(p, out, err);
        } else if (p->id == id::dataset_post) {
            ok = clause(p, out, err);
        } else if (p->id == id::export_) {
            if (!exporter_) return refuse(err, "export is not possible here");
            ok = exporter_(p, out.names, feed_of(out), err);
            out = result_table(); // the reply to an export is an empty table
        }
        if (!ok) return false;
    }
    return true;
}

bool select_runner::plain_read_of(const parse_node *one, plain_read &plan)
{
    const parse_node *exprs = nullptr, *tname = nullptr, *where = nullptr;
    for (const parse_node *p : items(one)) {
        if (p->id == id::exprs)
            exprs = p;
        else if (p->id == id::table_name)
            tname = p;
        else if (p->id == id::where)
            where = p;
        else if (p->id == id::into_expr || p->id == id::dataset_post)
            return false;
    }
    const table_def *table = tname ? st_.find_table(name_of(tname)) : nullptr;
    if (!exprs || !table) return false;
    plan.table = table;
    plan.need.assign(table->fields.size(), false);
    for (const parse_node *e : items(exprs)) {
        if (e->id == id::all_expr) {
            for (size_t i = 0; i < table->fields.size(); ++i) {
                plan.names.push_back(table->fields[i].name);
                plan.types.push_back(table->fields[i].type);
                plan.pick.push_back(i + 1);
                plan.need[i] = true;
            }
            continue;
        }
        if (e->id != id::expr) continue;
        expr c;
        expr_scope scope;
        scope.table = table;
        std::string ignored;
        if (!compile_expr(e, scope, c, ignored)) return false;
        if (c.kind == expr::k_field) {
            plan.types.push_back(table->fields[size_t(c.field)].type);
            plan.pick.push_back(size_t(c.field) + 1);
            plan.need[size_t(c.field)] = true;
        } else if (c.kind == expr::k_rowid) {
            plan.types.push_back(col_type::u64);
            plan.pick.push_back(0);
        } else {
            return false;
        }
        std::vector<std::string> fields;
        for (const auto &f : table->fields) fields.push_back(f.name);
        plan.names.push_back(column_name(e, c, fields));
    }
    const parse_node *cond = where ? item(where, id::where_cond) : nullptr;
    if (cond) {
        where_node &w = plan.cond;
        expr_scope scope;
        scope.table = table;
        std::string ignored;
        uint64_t one_id;
        if (!compile_where(cond, scope, subselect(), w, ignored)) return false;
        if (!leading_rows_only(w, plan.limit)) {
            // A single id is fetched, not scanned for, by the general path.
            if (!first_of_per_row(w, plan.first_k) || single_row_id(w, one_id)) return false;
            plan.tested = true;
            id_range_of(w, plan.range.lo, plan.range.hi);
            mark_fields(w, plan.need);
        }
    }
    return true;
}

bool select_runner::plain_keeps(plain_read &plan, const stored_row &row, bool &keep,
                                std::string &err)
{
    // Every row is tested, also past the first k kept, as over rows held.
    keep = true;
    if (!plan.tested) return true;
    if (!row_holds(plan.cond, row, keep, err)) return false;
    keep = keep && plan.passed < plan.first_k;
    plan.passed += keep ? 1 : 0;
    return true;
}

bool select_runner::stream(const parse_node *select, std::string &payload, bool &done,
                           std::string &err)
{
    done = false;
    std::vector<const parse_node *> parts = items(select);
    plain_read plan;
    if (parts.size() != 1 || parts[0]->id != id::select_one || !plain_read_of(parts[0], plan))
        return true;
    done = true;
    result_encoder enc(payload, plan.names, plan.types);
    std::vector<value> cells;
    bool ok = st_.scan_each(
        *plan.table, plan.limit,
        [&](stored_row &row) {
            bool keep;
            if (!plain_keeps(plan, row, keep, err)) return false;
            if (!keep) return true;
            cells.resize(row.cells.size() + 1);
            cells[0] = value::of_uint(row.id, col_type::u64);
            for (size_t i = 0; i < row.cells.size(); ++i) cells[i + 1] = std::move(row.cells[i]);
            enc.row(row.id, cells, &plan.pick);
            return true;
        },
        err, &plan.need, plan.range);
    if (!ok) return false;
    enc.finish();
    return true;
}

bool select_runner::stream_export(const std::vector<const parse_node *> &parts, bool &done,
                                  std::string &err)
{
    done = false;
    plain_read plan;
    // A condition that can fail is tested before the file is opened, as over rows held: such
    // an export takes the general path.
    if (!exporter_ || parts.size() != 2 || parts[0]->id != id::select_one ||
        parts[1]->id != id::export_ || !plain_read_of(parts[0], plan) || plan.tested)
        return true;
    done = true;
    std::vector<value> cells(plan.pick.size());
    row_feed rows = [&](const row_visit &visit, std::string &e) {
        return st_.scan_each(
            *plan.table, plan.limit,
            [&](stored_row &row) {
                // Copied into cells whose texts keep their storage from row to row.
                for (size_t c = 0; c < plan.pick.size(); ++c) {
                    if (plan.pick[c] == 0)
                        cells[c] = value::of_uint(row.id, col_type::u64);
                    else
                        cells[c] = row.cells[plan.pick[c] - 1];
                }
                return visit(cells);
            },
            e, &plan.need);
    };
    return exporter_(parts[1], plan.names, rows, err);
}

bool select_runner::source(const parse_node *one, result_table &out, std::string &err)
{
    const parse_node *exprs = nullptr, *into = nullptr, *tname = nullptr, *where = nullptr;
    std::vector<const parse_node *> posts;
    for (const parse_node *p : items(one)) {
        if (p->id == id::exprs)
            exprs = p;
        else if (p->id == id::into_expr)
            into = p;
        else if (p->id == id::table_name)
            tname = p;
        else if (p->id == id::where)
            where = p;
        else if (p->id == id::dataset_post)
            posts.push_back(p);
    }
    if (!exprs) return refuse(err, "malformed select");
    const table_def *table = nullptr;
    if (tname) {
        std::string name = name_of(tname);
        if (!(table = st_.find_table(name))) return refuse(err, "no table " + name);
    }
    expr_scope scope;
    scope.table = table;
    scope.outer = outer_;
    std::vector<std::string> field_names;
    if (table)
        for (const auto &f : table->fields) field_names.push_back(f.name);

    // Columns: "*" is every field of the table. A column keeps the declared type of the field
    // it names; a computed one takes the type of its first value.
    std::vector<expr> cols;
    out = result_table();
    std::vector<bool> declared;
    for (const parse_node *e : items(exprs)) {
        if (e->id == id::all_expr) {
            if (!table) return refuse(err, "select * needs a table");
            for (size_t i = 0; i < table->fields.size(); ++i) {
                expr f;
                f.kind = expr::k_field;
                f.field = int(i);
                cols.push_back(f);
                out.names.push_back(table->fields[i].name);
                out.types.push_back(table->fields[i].type);
                declared.push_back(true);
            }
            continue;
        }
        if (e->id != id::expr) continue;
        expr c;
        if (!compile_expr(e, scope, c, err)) return false;
        out.names.push_back(column_name(e, c, field_names));
        bool keeps = c.kind == expr::k_field || c.kind == expr::k_rowid;
        out.types.push_back(c.kind == expr::k_field   ? table->fields[size_t(c.field)].type
                            : c.kind == expr::k_rowid ? col_type::u64
                                                      : col_type::i64);
        declared.push_back(keeps);
        cols.push_back(std::move(c));
    }

    bool aggregate = false;
    for (const auto &c : cols) aggregate = aggregate || c.aggregate;
    if (aggregate)
        for (const auto &c : cols)
            if (uses_row_outside_aggregate(c))
                return refuse(err, "a selection that sums up rows cannot also show single rows; "
                                   "group by the fields it shows");

    // Columns that are fields, each once, in the order of the table: select *.
    bool plain = true, identity = table && cols.size() == table->fields.size();
    {
        std::set<int> fields;
        for (size_t c = 0; c < cols.size(); ++c) {
            plain = plain && cols[c].kind == expr::k_field && fields.insert(cols[c].field).second;
            identity = identity && plain && cols[c].field == int(c);
        }
    }

    // A group right after the source takes the rows as they are read: they are never held,
    // only each group's accumulators are. When the group cannot run that way, or does not
    // compile, it runs as a step of its own below and fails there.
    compiled_group grouping;
    group_accumulator grouped;
    std::string ignored;
    const parse_node *first_post = posts.empty() ? nullptr : clause_of(posts[0]);
    std::vector<size_t> field_of_column;
    for (const auto &c : cols) field_of_column.push_back(size_t(c.field));
    bool fuse = table && !aggregate && plain && first_post && first_post->id == id::group &&
                compile_group(first_post, out.names, grouping, ignored) &&
                grouped.prepare(out.types, grouping.keys, {&grouping.e}, &field_of_column);

    // Only the fields the columns name are read from storage.
    std::vector<bool> need(table ? table->fields.size() : 0, false);
    for (size_t c = 0; c < cols.size(); ++c) mark_fields(cols[c], need);
    std::vector<stored_row> rows;
    std::vector<size_t> picked;
    // A selection that sums up a table is a group of all its rows: the aggregates run as
    // the rows go by, unless a column gives several rows (sort, first_k, ...).
    std::vector<const expr *> summed_cols;
    bool several_rows = false;
    for (const auto &c : cols) {
        summed_cols.push_back(&c);
        several_rows = several_rows || is_call(c, "seq") ||
                       (c.kind == expr::k_call && is_column_op_name(c.op));
    }
    std::vector<col_type> field_types;
    if (table)
        for (const auto &f : table->fields) field_types.push_back(f.type);
    group_accumulator summed;
    bool sum_up =
        table && aggregate && !several_rows && summed.prepare(field_types, {}, summed_cols);

    // The rows are made as they are read when no where-condition needs them all at hand:
    // none, or one that each row decides alone.
    const parse_node *cond = table && where ? item(where, id::where_cond) : nullptr;
    where_node w;
    if (cond && !compile_where(cond, scope, subselect(), w, err)) return false;
    uint64_t one_id, leading, first_k = UINT64_MAX, passed = 0;
    bool per_row = cond && first_of_per_row(w, first_k) && !single_row_id(w, one_id) &&
                   !leading_rows_only(w, leading);
    id_range range; // rows outside it fail the condition: they are not read
    if (per_row) id_range_of(w, range.lo, range.hi);
    // (A computed column could fail on a row before a later row fails the condition, which
    // over rows held fails first: such a selection reads them all first.)
    bool stream_rows = table && (!aggregate || sum_up) && (!cond || (per_row && (plain || sum_up)));
    if (per_row && stream_rows) mark_fields(w, need);
    // False with err when the row fails the condition's test; else whether it is kept. Every
    // row is tested, also past the first k kept, as over rows held.
    auto kept = [&](const stored_row &r, bool &keep) {
        keep = true;
        if (!per_row) return true;
        if (!row_holds(w, r, keep, err)) return false;
        keep = keep && passed < first_k;
        passed += keep ? 1 : 0;
        return true;
    };
    // Rows picked by a condition that must be decided on every row before any column is made:
    // their ids are found first, then the rows made one by one as they are read again.
    bool by_id_rows = table && !stream_rows && !aggregate && cond && by_ids(w) &&
                      !single_row_id(w, one_id) && !leading_rows_only(w, leading);
    std::vector<uint64_t> kept_ids;
    if (by_id_rows && !ids_by_passes(*table, w, kept_ids, err)) return false;
    if (table && !stream_rows && !by_id_rows &&
        !(cond ? rows_for(*table, w, rows, picked, err, &need)
               : rows_for(*table, where, scope, rows, picked, err, &need)))
        return false;

    if (sum_up) {
        if (stream_rows) {
            auto add = [&](stored_row &r) {
                bool keep;
                if (!kept(r, keep)) return false;
                if (keep) summed.add(r.cells, r.id);
                return true;
            };
            if (!st_.scan_each(*table, 0, add, err, &need, range)) return false;
        } else {
            for (size_t i : picked) {
                if (!statement_budget::check(err)) return false;
                summed.add(rows[i].cells, rows[i].id);
            }
        }
        // Over no rows each aggregate says what it makes of none, below.
        if (summed.groups() > 0) {
            result_table one;
            if (!summed.finish(out.names, out.names, one, err, false)) return false;
            out.rows = std::move(one.rows);
            out.rows[0].sid = 0;
        } else {
            sum_up = false;
        }
    }

    if (sum_up) {
        // The one row is made.
    } else if (aggregate || !table) {
        // One row, or as many as the column operations (sort, first_k, seq, ...) give; a
        // column with one value repeats on each.
        std::vector<row_ref> group;
        group.reserve(picked.size());
        for (size_t i : picked) group.push_back(row_ref{&rows[i].cells, rows[i].id});
        eval_ctx ctx;
        if (table) ctx.group = &group;
        std::vector<std::vector<value>> values(cols.size());
        size_t n = 1;
        bool several = false;
        for (size_t c = 0; c < cols.size(); ++c) {
            const expr &e = cols[c];
            bool multi = is_call(e, "seq") || (e.kind == expr::k_call && is_column_op_name(e.op));
            if (is_call(e, "seq")) {
                if (table) return refuse(err, "seq gives rows of its own and reads no table");
                if (!seq_values(e, values[c], err)) return false;
            } else if (multi) {
                if (!eval_aggregate_values(e, ctx, values[c], err)) return false;
            } else {
                values[c].emplace_back();
                if (!eval_expr(e, ctx, values[c][0], err)) return false;
            }
            if (!multi) continue;
            if (several && values[c].size() != n)
                return refuse(err, "the columns that give several rows give different numbers "
                                   "of them");
            n = values[c].size();
            several = true;
        }
        for (size_t r = 0; r < n; ++r) {
            result_row row;
            row.sid = r + (several ? 1 : 0);
            for (auto &v : values) row.cells.push_back(v.size() == 1 && n != 1 ? v[0] : v[r]);
            out.rows.push_back(std::move(row));
        }
    } else {
        if (!stream_rows && !fuse) out.rows.reserve(by_id_rows ? kept_ids.size() : picked.size());
        auto make_row = [&](stored_row &src) {
            if (stream_rows) {
                bool keep;
                if (!kept(src, keep)) return false;
                if (!keep) return true;
            }
            if (fuse) {
                grouped.add(src.cells, src.id);
                return true;
            }
            result_row r;
            r.sid = src.id;
            if (identity) {
                r.cells = std::move(src.cells); // select *: the stored row is the result row
            } else if (plain) {
                r.cells.reserve(cols.size());
                for (const auto &c : cols) r.cells.push_back(std::move(src.cells[size_t(c.field)]));
            } else {
                eval_ctx ctx;
                ctx.row = &src.cells;
                ctx.row_id = src.id;
                r.cells.resize(cols.size());
                for (size_t c = 0; c < cols.size(); ++c) {
                    if (!eval_expr(cols[c], ctx, r.cells[c], err)) return false;
                    // Refused at the first row that cannot fit, not after every row has been
                    // computed and held: long texts on many rows would take gigabytes first.
                    const value &v = r.cells[c];
                    if (is_str(v.type) && v.s.size() > str_capacity(col_type::s256)) {
                        const std::string &n = out.names[c];
                        size_t cut = utf8::cut_point(n.data(), n.size(), 60);
                        return refuse(err,
                                      "column " + n.substr(0, cut) +
                                          (cut < n.size() ? "...: a text of " : ": a text of ") +
                                          std::to_string(v.s.size()) +
                                          " bytes is longer than string256 holds");
                    }
                }
            }
            out.rows.push_back(std::move(r));
            return true;
        };
        if (stream_rows) {
            // Rows go from storage into the result one by one, never held twice.
            if (!st_.scan_each(*table, 0, make_row, err, &need, range)) return false;
        } else if (by_id_rows) {
            if (!each_row_of_ids(*table, kept_ids, &need, make_row, err)) return false;
        } else {
            for (size_t i : picked)
                if (!make_row(rows[i])) return false;
        }
    }
    rows.clear();
    rows.shrink_to_fit();

    if (fuse) {
        // The columns are fields, read at their own types: there is nothing to fit.
        result_table t;
        if (!grouped.finish(out.names, {grouping.name}, t, err)) return false;
        out = std::move(t);
        posts.erase(posts.begin());
    } else {
        for (size_t c = 0; c < cols.size(); ++c) {
            if (!declared[c] && !out.rows.empty()) out.types[c] = out.rows[0].cells[c].type;
            if (!fit_column(out, c, err)) return false;
        }
    }
    for (const parse_node *p : posts)
        if (!clause(p, out, err)) return false;
    if (into) return store_into(name_of(item(into, id::table_name)), out, err);
    return true;
}

namespace {
bool column_of(const result_table &t, const parse_node *n, size_t &idx, std::string &err)
{
    return column_of(t.names, n, idx, err);
}

// The select_one inside a join or union, wrapped so that it runs like a select.
const parse_node *inner_select(const parse_node *expand)
{
    return item(expand, id::select_one);
}
} // namespace

bool select_runner::join(const parse_node *expand, result_table &t, const parse_node *group,
                         bool &grouped, std::string &err)
{
    std::vector<const parse_node *> names;
    for (const parse_node *p : items(expand))
        if (p->id == id::field_name) names.push_back(p);
    const parse_node *one = inner_select(expand);
    if (!one || names.size() != 2) return refuse(err, "malformed join");
    result_table right;
    select_runner inner(st_, exporter_, depth_ + 1, outer_);
    if (!inner.source(one, right, err)) return false;
    size_t lf, rf;
    if (!column_of(t, names[0], lf, err)) return refuse(err, "join: " + err);
    if (!column_of(right, names[1], rf, err))
        return refuse(err, "join: no column " + name_of(names[1]) + " in the joined select");
    // When the group cannot run as the rows go by, or does not compile, it runs as a step of
    // its own over the joined rows and fails there.
    std::vector<std::string> joined;
    std::vector<col_type> types;
    compiled_group g;
    group_accumulator acc;
    std::string ignored;
    if (group) join_columns(t, right, joined, types);
    if (!group || !compile_group(group, joined, g, ignored) || !acc.prepare(types, g.keys, {&g.e}))
        return step_join(t, std::move(right), lf, rf, err);
    bool ok = join_each(t, right, lf, rf, [&](std::vector<value> &cells, uint64_t sid) {
        if (!statement_budget::check(err)) return false;
        acc.add(cells, sid);
        return true;
    });
    if (!ok) return false;
    result_table out;
    if (!acc.finish(joined, {g.name}, out, err)) return false;
    t = std::move(out);
    grouped = true;
    return true;
}

bool select_runner::union_(const parse_node *expand, result_table &t, std::string &err)
{
    const parse_node *one = inner_select(expand);
    if (!one) return refuse(err, "malformed union");
    result_table more;
    select_runner inner(st_, exporter_, depth_ + 1, outer_);
    if (!inner.source(one, more, err)) return false;
    return step_union(t, std::move(more), err);
}

bool select_runner::clause(const parse_node *post, result_table &t, std::string &err)
{
    const parse_node *c = clause_of(post);
    if (!c) return refuse(err, "malformed clause");
    std::vector<const parse_node *> parts = items(c);
    switch (c->id) {
    case id::order: {
        std::vector<size_t> keys;
        order_dir dir = order_dir::asc;
        for (const parse_node *p : parts) {
            size_t idx;
            if (p->id == id::field_name) {
                if (!column_of(t, p, idx, err)) return false;
                keys.push_back(idx);
            } else if (is_word(p, "desc")) {
                dir = order_dir::desc;
            } else if (is_word(p, "rand")) {
                dir = order_dir::rand;
            }
        }
        return step_order(t, keys, dir, err);
    }
    case id::filter:
        return filter(c, t, err);
    case id::project: {
        bool except = false;
        std::vector<bool> named(t.names.size(), false);
        std::vector<size_t> keep;
        for (const parse_node *p : parts) {
            size_t idx;
            if (is_word(p, "except"))
                except = true;
            else if (p->id == id::field_name) {
                if (!column_of(t, p, idx, err)) return false;
                if (!named[idx]) keep.push_back(idx);
                named[idx] = true;
            }
        }
        if (except) {
            keep.clear();
            for (size_t i = 0; i < t.names.size(); ++i)
                if (!named[i]) keep.push_back(i);
        }
        step_project(t, keep);
        return true;
    }
    case id::rename: {
        std::vector<const parse_node *> names;
        for (const parse_node *p : parts)
            if (p->id == id::field_name) names.push_back(p);
        size_t idx;
        if (names.size() != 2 || !column_of(t, names[0], idx, err)) return false;
        std::string to = name_of(names[1]);
        if (!valid_name(to, "column", err)) return false;
        t.names[idx] = to;
        return true;
    }
    case id::group:
        return group(c, t, err);
    case id::recompute:
        return recompute(c, t, err);
    default:
        return refuse(err, "unsupported clause " + text_of(c).substr(0, 20));
    }
}

bool select_runner::filter(const parse_node *c, result_table &t, std::string &err)
{
    const parse_node *f = nullptr;
    for (const parse_node *p : items(c))
        if (p->id != lang::terminal_id) f = p;
    if (!f) return refuse(err, "malformed filter");
    std::vector<const parse_node *> parts = items(f);
    expr_scope scope;
    scope.columns = &t.names;
    scope.outer = outer_;
    const parse_node *cond = item(f, id::expr);
    switch (f->id) {
    case id::line_range_expr: {
        std::string kw = text_of(parts[0]);
        std::vector<uint64_t> nums;
        for (const parse_node *p : parts)
            if (p->id == id::uint_dec) {
                bool overflow = false;
                nums.push_back(uint_of(p, overflow));
                if (overflow) return refuse(err, kw + ": the number is too large");
            }
        uint64_t a = nums.empty() ? 1 : nums[0], b = nums.size() > 1 ? nums[1] : 1;
        position_kind k = kw == "first"  ? position_kind::first
                          : kw == "last" ? position_kind::last
                          : kw == "nth"  ? position_kind::nth
                                         : position_kind::range;
        step_positions(t, k, a, b);
        return true;
    }
    case id::line_inner_expr:
    case id::line_adj_expr:
    case id::line_inter_expr: {
        if (!cond) {
            if (f->id == id::line_inter_expr) {
                step_distinct(t);
                return true;
            }
            return refuse(err, "malformed filter");
        }
        scope.other_row = f->id != id::line_inner_expr;
        expr e;
        if (!compile_expr(cond, scope, e, err)) return false;
        if (e.aggregate) return refuse(err, "an aggregate cannot decide which rows stay");
        if (f->id == id::line_inner_expr) return step_inner(t, e, err);
        if (f->id == id::line_adj_expr) return step_adj(t, e, err);
        return step_all_each(t, e, err);
    }
    case id::exists_expr: {
        bool negate = !parts.empty() && is_word(parts[0], "not");
        const parse_node *sub = item(f, id::select);
        if (!sub) return refuse(err, "malformed exists");
        auto probe = [&](const result_row &row, bool &any, std::string &e) {
            expr_scope here = scope;
            here.outer_row = &row.cells;
            result_table r;
            select_runner inner(st_, export_fn(), depth_ + 1, &here);
            if (!inner.run(sub, r, e)) return false;
            any = !r.rows.empty();
            return true;
        };
        return step_exists(t, negate, probe, err);
    }
    default:
        return refuse(err, "unsupported filter " + text_of(f).substr(0, 20));
    }
}

bool select_runner::compile_group(const parse_node *c, const std::vector<std::string> &names,
                                  compiled_group &g, std::string &err)
{
    const parse_node *e = item(c, id::expr);
    if (!e) return refuse(err, "malformed group");
    for (const parse_node *p : items(c)) {
        size_t idx;
        if (p->id != id::field_name) continue;
        if (!column_of(names, p, idx, err)) return refuse(err, "group: " + err);
        g.keys.push_back(idx);
    }
    expr_scope scope;
    scope.columns = &names;
    if (!compile_expr(e, scope, g.e, err)) return false;
    g.name = column_name(e, g.e, names);
    return true;
}

bool select_runner::group(const parse_node *c, result_table &t, std::string &err)
{
    compiled_group g;
    return compile_group(c, t.names, g, err) && step_group(t, g.keys, g.e, g.name, err);
}

bool select_runner::recompute(const parse_node *c, result_table &t, std::string &err)
{
    expr_scope scope;
    scope.columns = &t.names;
    std::vector<assignment> sets;
    for (const parse_node *p : items(c)) {
        if (p->id != id::agn_expr) continue;
        assignment a;
        const parse_node *target = nullptr;
        for (const parse_node *q : items(p)) {
            if (q->id == id::field_name)
                target = q;
            else if (q->id == lang::terminal_id)
                a.op += text_of(q);
            else if (!compile_expr(q, scope, a.e, err))
                return false;
        }
        if (!target || !column_of(t, target, a.column, err))
            return refuse(err, "recompute: " + err);
        if (!a.op.empty()) a.op.pop_back(); // the "=" of the assignment
        if (a.e.aggregate) return refuse(err, "recompute: an aggregate cannot be assigned");
        sets.push_back(std::move(a));
    }
    return step_recompute(t, sets, err);
}

bool select_runner::store_into(const std::string &name, const result_table &t, std::string &err)
{
    if (!valid_name(name, "table", err)) return false;
    if (st_.find_table(name)) return refuse(err, "select into: table " + name + " already exists");
    std::vector<field_def> fields;
    std::set<std::string> seen;
    for (size_t i = 0; i < t.names.size(); ++i) {
        field_def f;
        f.name = t.names[i];
        f.type = t.types[i];
        if (!valid_name(f.name, "field", err)) return false;
        if (!seen.insert(f.name).second)
            return refuse(err, "select into: the column name " + f.name + " repeats");
        fields.push_back(f);
    }
    if (fields.empty()) return refuse(err, "select into: no columns");
    if (!st_.create_table(name, fields, err)) return false;
    const table_def *nt = st_.find_table(name);
    for (const auto &r : t.rows) {
        uint64_t id;
        if (!st_.insert_row(*nt, r.cells, id, err)) return false;
    }
    return true;
}

} // namespace vela
