#include "group_accumulator.h"
#include "query_steps.h"
#include "refuse.h"

#include <climits>
#include <cmath>
#include <cstring>
#include <limits>
#include <unordered_map>
#include <unordered_set>

namespace vela {

void append_key_bytes(std::string &out, const value &v)
{
    auto put = [&out](const void *p, size_t n) { out.append(static_cast<const char *>(p), n); };
    if (is_int(v.type)) {
        put(&v.i, sizeof v.i);
    } else if (is_real(v.type)) {
        double d = v.d == 0 ? 0.0 : v.d;
        if (std::isnan(d)) d = std::numeric_limits<double>::quiet_NaN();
        put(&d, sizeof d);
    } else if (is_str(v.type)) {
        uint32_t n = uint32_t(v.s.size());
        put(&n, sizeof n);
        put(v.s.data(), v.s.size());
    } else {
        const date_time &t = v.dt;
        const int32_t f[] = {t.year, t.month, t.day, t.hour, t.minute, t.second, t.nanos};
        put(f, sizeof f);
    }
}

namespace {

uint64_t hash_bytes(const char *p, size_t n)
{
    uint64_t h = 0x9e3779b97f4a7c15ull ^ n;
    for (; n >= 8; p += 8, n -= 8) {
        uint64_t w;
        std::memcpy(&w, p, 8);
        h = (h ^ w) * 0xff51afd7ed558ccdull;
        h ^= h >> 32;
    }
    if (n) {
        uint64_t w = 0;
        std::memcpy(&w, p, n);
        h = (h ^ w) * 0xc4ceb9fe1a85ec53ull;
    }
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdull;
    h ^= h >> 33;
    return h;
}

// Group numbers by key bytes: open addressing over a power-of-two table whose slots hold the
// hash beside the group, so that a probe reads the keys only on a likely match; the keys lie
// in one block.
class key_index {
public:
    // The group of key, a new one (numbered in order) when the key is new.
    size_t find_or_add(const std::string &key, bool &added)
    {
        if ((groups() + 1) * 2 > slots_.size()) grow();
        uint64_t h = hash_bytes(key.data(), key.size());
        size_t mask = slots_.size() - 1;
        for (size_t i = size_t(h) & mask;; i = (i + 1) & mask) {
            slot &s = slots_[i];
            if (s.group == 0) {
                s = slot{h, groups() + 1};
                keys_.append(key);
                at_.push_back(keys_.size());
                added = true;
                return groups() - 1;
            }
            size_t g = s.group - 1;
            if (s.hash == h && at_[g + 1] - at_[g] == key.size() &&
                std::memcmp(keys_.data() + at_[g], key.data(), key.size()) == 0) {
                added = false;
                return g;
            }
        }
    }
    size_t groups() const { return at_.size() - 1; }

private:
    struct slot {
        uint64_t hash = 0;
        size_t group = 0; // group + 1, 0 for a free slot
    };
    void grow()
    {
        std::vector<slot> next(slots_.empty() ? 64 : slots_.size() * 2);
        size_t mask = next.size() - 1;
        for (const slot &s : slots_) {
            if (s.group == 0) continue;
            size_t i = size_t(s.hash) & mask;
            while (next[i].group) i = (i + 1) & mask;
            next[i] = s;
        }
        slots_.swap(next);
    }

    std::vector<slot> slots_;
    std::vector<size_t> at_{0}; // group g's key is keys_[at_[g], at_[g + 1])
    std::string keys_;
};

enum class agg_kind { count, sum, product, avg, var, stddev, min, max, first, last, nth, unique };

bool is_num(const value &v)
{
    return is_int(v.type) || is_real(v.type);
}

double real_of(const value &v)
{
    if (is_real(v.type)) return v.d;
    return is_unsigned(v.type) ? double(v.u()) : double(v.i);
}

// The running state of one aggregate in one group.
struct acc_state {
    uint64_t n = 0;
    int64_t i = 0;     // sum or product while every value is an integer
    double d = 0;      // the same in reals
    long double l = 0; // avg's sum
    bool all_int = true;
    bool int_failed = false; // i overflowed (its reason is in int_errors)
    bool has_pick = false;
};

// One aggregate call of the group's expression.
struct slot {
    const expr *call = nullptr;
    agg_kind kind = agg_kind::count;
    int field = -1;               // the argument is this column of the input
    const expr *arg = nullptr;    // or this expression, evaluated per row (neither: count())
    uint64_t pos = 0;             // nth's position
    std::vector<acc_state> state; // per group
    std::vector<value> picks;     // min, max, first, last, nth: per group
    std::vector<std::vector<double>> values;           // var, stddev: per group
    std::vector<std::unordered_set<std::string>> seen; // count_unique: per group
    // The first failure per group: rank 0 evaluating the argument (every row's argument is
    // evaluated before anything else is looked at), rank 1 what the aggregate met.
    std::unordered_map<size_t, std::pair<int, std::string>> errors;
    std::unordered_map<size_t, std::string> int_errors; // integer sum/product overflow
};

bool kind_of(const std::string &fn, agg_kind &k)
{
    static const std::pair<const char *, agg_kind> names[] = {
        {"count", agg_kind::count}, {"sum", agg_kind::sum}, {"product", agg_kind::product},
        {"avg", agg_kind::avg},     {"var", agg_kind::var}, {"stddev", agg_kind::stddev},
        {"min", agg_kind::min},     {"max", agg_kind::max}, {"first", agg_kind::first},
        {"last", agg_kind::last},   {"nth", agg_kind::nth}, {"count_unique", agg_kind::unique}};
    for (const auto &n : names)
        if (fn == n.first) return k = n.second, true;
    return false;
}

bool is_true_aggregate(const expr &e)
{
    return e.kind == expr::k_call && is_aggregate_name(e.op) &&
           !((e.op == "min" || e.op == "max") && e.args.size() > 1);
}
} // namespace

struct group_accumulator::impl : aggregate_values {
    std::vector<const expr *> values;
    std::vector<col_type> types;
    std::vector<size_t> keys;
    std::vector<slot> slots;
    key_index index;
    std::vector<size_t> at;     // where each column is in the rows added
    bool remapped = false;      // at is not the identity
    std::vector<size_t> key_at; // at[keys[k]]
    bool evaluates = false;     // some aggregate's argument is an expression of the row
    std::string key;            // the key bytes of the row being added
    std::vector<value> row;     // a row added, laid out as the columns (when remapped)
    value computed;             // an argument's value
    std::vector<std::vector<value>> first_rows;
    std::vector<uint64_t> first_sids;
    size_t group = 0; // the group finish is evaluating

    bool add_slot(const expr &call);
    bool collect(const expr &x);
    void fail(slot &s, size_t g, int rank, std::string why);
    void accumulate(slot &s, size_t g, const value &v);
    bool value_of(const expr &call, value &out, std::string &err) const override;
};

bool group_accumulator::impl::add_slot(const expr &call)
{
    slot s;
    s.call = &call;
    if (!kind_of(call.op, s.kind)) return false;
    if (s.kind == agg_kind::count && call.args.empty()) {
        slots.push_back(std::move(s));
        return true;
    }
    if (call.args.size() != (s.kind == agg_kind::nth ? 2u : 1u) || call.args[0].aggregate)
        return false;
    if (s.kind == agg_kind::nth) {
        const expr &p = call.args[1];
        if (p.kind != expr::k_const || !is_int(p.constant.type) ||
            (!is_unsigned(p.constant.type) && p.constant.i < 0))
            return false;
        s.pos = p.constant.u();
    }
    const expr &a = call.args[0];
    if (a.kind == expr::k_field && size_t(a.field) < types.size())
        s.field = a.field;
    else if (s.kind == agg_kind::unique)
        return false; // its values must share one type, as a column's do
    else
        s.arg = &a;
    slots.push_back(std::move(s));
    return true;
}

bool group_accumulator::impl::collect(const expr &x)
{
    if (x.kind == expr::k_call && is_column_op_name(x.op)) return false;
    if (is_true_aggregate(x)) return add_slot(x);
    for (const auto &a : x.args)
        if (!collect(a)) return false;
    return true;
}

void group_accumulator::impl::fail(slot &s, size_t g, int rank, std::string why)
{
    auto it = s.errors.find(g);
    if (it == s.errors.end())
        s.errors.emplace(g, std::make_pair(rank, std::move(why)));
    else if (rank < it->second.first)
        it->second = std::make_pair(rank, std::move(why));
}

void group_accumulator::impl::accumulate(slot &s, size_t g, const value &v)
{
    acc_state &a = s.state[g];
    ++a.n;
    switch (s.kind) {
    case agg_kind::count:
        return;
    case agg_kind::sum:
    case agg_kind::product:
    case agg_kind::avg:
    case agg_kind::var:
    case agg_kind::stddev: {
        if (!is_num(v))
            return fail(s, g, 1, s.call->op + ": needs numbers, not " + type_name(v.type));
        double r = real_of(v);
        if (s.kind == agg_kind::avg) {
            a.l += r;
            return;
        }
        if (s.kind == agg_kind::var || s.kind == agg_kind::stddev) {
            s.values[g].push_back(r);
            return;
        }
        bool sum = s.kind == agg_kind::sum;
        a.d = sum ? a.d + r : a.d * r;
        if (!is_int(v.type)) a.all_int = false;
        if (!a.all_int || a.int_failed) return;
        int64_t next;
        if (is_unsigned(v.type) && v.u() > uint64_t(INT64_MAX)) {
            a.int_failed = true;
            s.int_errors[g] = std::to_string(v.u()) + " is out of range for integer arithmetic";
        } else if (sum ? __builtin_add_overflow(a.i, v.i, &next)
                       : __builtin_mul_overflow(a.i, v.i, &next)) {
            a.int_failed = true;
            s.int_errors[g] = "integer overflow in " + value_text(value::of_int(a.i)) +
                              (sum ? " + " : " * ") + value_text(v);
        } else {
            a.i = next;
        }
        return;
    }
    case agg_kind::min:
    case agg_kind::max: {
        if (!a.has_pick) {
            s.picks[g] = v;
            a.has_pick = true;
            return;
        }
        int c;
        if (!compare_values(v, s.picks[g], c))
            return fail(s, g, 1, s.call->op + ": cannot compare its values");
        if (s.kind == agg_kind::min ? c < 0 : c > 0) s.picks[g] = v;
        return;
    }
    case agg_kind::first:
        if (a.n == 1) s.picks[g] = v;
        return;
    case agg_kind::last:
        s.picks[g] = v;
        return;
    case agg_kind::nth:
        if (a.n == s.pos) s.picks[g] = v;
        return;
    case agg_kind::unique: {
        std::string bytes;
        append_key_bytes(bytes, v);
        s.seen[g].insert(std::move(bytes));
        return;
    }
    }
}

bool group_accumulator::impl::value_of(const expr &call, value &out, std::string &err) const
{
    const slot *s = nullptr;
    for (const auto &x : slots)
        if (x.call == &call) s = &x;
    if (!s) return refuse(err, call.op + " cannot be computed here");
    size_t g = group;
    auto e = s->errors.find(g);
    if (e != s->errors.end()) return refuse(err, e->second.second);
    const acc_state &a = s->state[g];
    switch (s->kind) {
    case agg_kind::count:
        out = value::of_uint(a.n, col_type::u64);
        return true;
    case agg_kind::unique:
        out = value::of_uint(s->seen[g].size(), col_type::u64);
        return true;
    case agg_kind::sum:
    case agg_kind::product:
        if (!a.all_int) {
            out = value::of_real(a.d);
            return true;
        }
        if (a.int_failed) return refuse(err, s->int_errors.at(g));
        out = value::of_int(a.i);
        return true;
    case agg_kind::avg:
        out = value::of_real(double(a.l / a.n));
        return true;
    case agg_kind::var:
    case agg_kind::stddev: {
        // Two passes over the values, in the order they came, as over rows held.
        const std::vector<double> &xs = s->values[g];
        long double sum = 0;
        for (double x : xs) sum += x;
        long double mean = sum / xs.size(), sq = 0;
        for (double x : xs) sq += (x - mean) * (x - mean);
        long double var = sq / xs.size();
        out = value::of_real(double(s->kind == agg_kind::var ? var : std::sqrt(var)));
        return true;
    }
    case agg_kind::nth:
        if (s->pos == 0 || s->pos > a.n)
            return refuse(err, "nth: position " + std::to_string(s->pos) + " is outside the " +
                                   std::to_string(a.n) + " rows");
        out = s->picks[g];
        return true;
    case agg_kind::min:
    case agg_kind::max:
    case agg_kind::first:
    case agg_kind::last:
        out = s->picks[g];
        return true;
    }
    return refuse(err, "malformed aggregate");
}

group_accumulator::group_accumulator() : d_(new impl) {}
group_accumulator::~group_accumulator() = default;

bool group_accumulator::prepare(const std::vector<col_type> &types, const std::vector<size_t> &keys,
                                const std::vector<const expr *> &values,
                                const std::vector<size_t> *at)
{
    d_.reset(new impl);
    impl &d = *d_;
    d.values = values;
    d.types = types;
    d.keys = keys;
    for (size_t k : keys)
        if (k >= types.size()) return false;
    for (const expr *e : values)
        if (!d.collect(*e)) return false;
    d.remapped = at != nullptr;
    if (at) {
        if (at->size() != types.size()) return false;
        d.at = *at;
    } else {
        for (size_t c = 0; c < types.size(); ++c) d.at.push_back(c);
    }
    for (size_t k : keys) d.key_at.push_back(d.at[k]);
    for (auto &s : d.slots) {
        if (s.field >= 0) s.field = int(d.at[size_t(s.field)]);
        d.evaluates = d.evaluates || s.arg;
    }
    return true;
}

void group_accumulator::add(const std::vector<value> &given, uint64_t sid)
{
    impl &d = *d_;
    d.key.clear();
    for (size_t k : d.key_at) append_key_bytes(d.key, given[k]);
    bool added = false;
    size_t g = d.index.find_or_add(d.key, added);
    // The row in the layout of the columns, for what reads it by column.
    const std::vector<value> *cells = &given;
    if (d.remapped && (added || d.evaluates)) {
        d.row.resize(d.at.size());
        for (size_t c = 0; c < d.at.size(); ++c) d.row[c] = given[d.at[c]];
        cells = &d.row;
    }
    if (added) {
        d.first_rows.push_back(*cells);
        d.first_sids.push_back(sid);
        for (auto &s : d.slots) {
            s.state.emplace_back();
            if (s.kind == agg_kind::product) s.state.back().i = 1, s.state.back().d = 1;
            if (s.kind == agg_kind::min || s.kind == agg_kind::max || s.kind == agg_kind::first ||
                s.kind == agg_kind::last || s.kind == agg_kind::nth)
                s.picks.emplace_back();
            if (s.kind == agg_kind::var || s.kind == agg_kind::stddev) s.values.emplace_back();
            if (s.kind == agg_kind::unique) s.seen.emplace_back();
        }
    }
    value &computed = d.computed;
    for (auto &s : d.slots) {
        if (s.field >= 0) {
            d.accumulate(s, g, given[size_t(s.field)]);
            continue;
        }
        if (!s.arg) {
            ++s.state[g].n;
            continue;
        }
        eval_ctx ctx;
        ctx.row = cells;
        ctx.row_id = sid;
        std::string why;
        if (!eval_expr(*s.arg, ctx, computed, why)) {
            ++s.state[g].n;
            d.fail(s, g, 0, std::move(why));
            continue;
        }
        d.accumulate(s, g, computed);
    }
}

size_t group_accumulator::groups() const
{
    return d_->first_rows.size();
}

bool group_accumulator::finish(const std::vector<std::string> &names,
                               const std::vector<std::string> &value_names, result_table &out,
                               std::string &err, bool first_row)
{
    impl &d = *d_;
    out = result_table();
    for (size_t k : d.keys) {
        out.names.push_back(names[k]);
        out.types.push_back(d.types[k]);
    }
    for (size_t v = 0; v < d.values.size(); ++v) {
        out.names.push_back(v < value_names.size() ? value_names[v] : std::string());
        out.types.push_back(col_type::i64);
    }
    out.rows.reserve(d.first_rows.size());
    for (size_t g = 0; g < d.first_rows.size(); ++g) {
        result_row r;
        r.sid = g + 1;
        r.cells.reserve(d.keys.size() + d.values.size());
        for (size_t k : d.keys) r.cells.push_back(d.first_rows[g][k]);
        eval_ctx ctx;
        if (first_row) {
            ctx.row = &d.first_rows[g]; // a key outside an aggregate reads the group's first row
            ctx.row_id = d.first_sids[g];
        }
        ctx.aggregates = &d;
        d.group = g;
        for (const expr *e : d.values) {
            r.cells.emplace_back();
            if (!eval_expr(*e, ctx, r.cells.back(), err)) return false;
        }
        out.rows.push_back(std::move(r));
    }
    for (size_t c = d.keys.size(); c < out.types.size(); ++c) {
        if (!out.rows.empty()) out.types[c] = out.rows[0].cells[c].type;
        if (!fit_column(out, c, err)) return false;
    }
    return true;
}

} // namespace vela
