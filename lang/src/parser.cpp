// The grammar-driven parser.
#include "lang/parser.h"

#include <cstdio>
#include <cstring>
#include <limits>

#include "arena.h"
#include "matchers.h"
#include "statement_match.h"

namespace lang {

// ---- ownership -------------------------------------------------------------------------

parse_tree::parse_tree() = default;
parse_tree::parse_tree(parse_tree &&) noexcept = default;
parse_tree &parse_tree::operator=(parse_tree &&) noexcept = default;
parse_tree::~parse_tree() = default;

statement_list::statement_list() = default;
statement_list::statement_list(statement_list &&) noexcept = default;
statement_list &statement_list::operator=(statement_list &&) noexcept = default;
statement_list::~statement_list() = default;

void statement_list::clear()
{
    items_.clear();
    offsets_.clear();
    count_ = 0;
    shift_from_ = static_cast<size_t>(-1);
    shift_ = 0;
    arena_.reset();
    text_ = nullptr;
}

size_t statement_list::index_at(uint64_t offset) const
{
    size_t lo = 0, hi = count_;
    while (lo < hi) { // first statement that ends after offset
        size_t mid = (lo + hi) / 2;
        if (this->offset(mid) + items_[mid]->length <= offset)
            lo = mid + 1;
        else
            hi = mid;
    }
    if (lo < count_ && this->offset(lo) <= offset) return lo;
    return count_;
}

struct parse_access {
    static node_arena &arena(parse_tree &t)
    {
        if (!t.arena_) t.arena_ = std::make_unique<node_arena>();
        return *t.arena_;
    }
    static void set_root(parse_tree &t, const parse_node *root) { t.root_ = root; }
    static node_arena &arena(statement_list &l)
    {
        if (!l.arena_) l.arena_ = std::make_unique<node_arena>();
        return *l.arena_;
    }
    static void add(statement_list &l, const char *text, const parse_node *root)
    {
        if (l.items_.empty()) l.text_ = text;
        l.items_.push_back(root);
        l.offsets_.push_back(static_cast<uint64_t>(root->start - text));
        l.count_ = l.items_.size();
    }
};

// ---- code points -----------------------------------------------------------------------

int decode_code_point(const char *p, uint64_t remaining, uint32_t *value)
{
    if (remaining == 0) return 0;
    const unsigned char *s = reinterpret_cast<const unsigned char *>(p);
    unsigned char b = s[0];
    int n;
    uint32_t v;
    if (b < 0x80) {
        if (value) *value = b;
        return 1;
    } else if ((b & 0xE0) == 0xC0) {
        n = 2, v = b & 0x1F;
    } else if ((b & 0xF0) == 0xE0) {
        n = 3, v = b & 0x0F;
    } else if ((b & 0xF8) == 0xF0) {
        n = 4, v = b & 0x07;
    } else {
        return 0;
    }
    if (remaining < static_cast<uint64_t>(n)) return 0; // cut short by the end
    for (int i = 1; i < n; ++i) {
        if ((s[i] & 0xC0) != 0x80) return 0;
        v = (v << 6) | (s[i] & 0x3F);
    }
    if (value) *value = v;
    return n;
}

// ---- the parse context -----------------------------------------------------------------

uint64_t step_budget(uint64_t remaining)
{
    // Ordinary statements take well under 50 steps per byte; nested brackets in conditions
    // take far more per byte on short texts (the base covers those), and this bound turns a
    // runaway search into a failure instead of a hang.
    const uint64_t base = uint64_t(1) << 22, per_byte = 128;
    if (remaining > (std::numeric_limits<uint64_t>::max() - base) / per_byte)
        return std::numeric_limits<uint64_t>::max();
    return base + remaining * per_byte;
}

parse_context::parse_context(const grammar &g, node_arena &a, uint64_t remaining,
                             parse_options opts)
    : gram(g), options(opts), budget(step_budget(remaining)), step_limit(budget),
      stack_base(reinterpret_cast<uintptr_t>(__builtin_frame_address(0))), arena(a)
{
    if (options.keep_going) budget = std::min<uint64_t>(budget, 65536);
}

void release_spare_parse_memory()
{
    node_arena::drop_spare();
}

bool parse_context::out_of_steps()
{
    if (!options.keep_going || steps > step_limit) return true;
    if (!options.keep_going()) {
        budget = step_limit = 0;
        return true;
    }
    budget = std::min(step_limit, steps + 65536);
    return false;
}

parse_node *parse_context::leaf(node_id id, const char *start, uint64_t length)
{
    parse_node *n = static_cast<parse_node *>(arena.alloc(sizeof(parse_node)));
    n->id = id;
    n->start = start;
    n->length = static_cast<uint32_t>(length);
    n->count_ = 0;
    return n;
}

// Matchers stay out of line so that dispatching to them is a jump.
#define VELA_NOINLINE __attribute__((noinline))

#define VELA_INLINE inline __attribute__((always_inline))

namespace {

VELA_INLINE parse_node *new_leaf(parse_context &ctx, node_id id, const char *start, uint64_t length)
{
    parse_node *n = static_cast<parse_node *>(ctx.arena.alloc(sizeof(parse_node)));
    n->id = id;
    n->count_ = 0;
    n->start = start;
    n->length = static_cast<uint32_t>(length);
    return n;
}

// A node and its child array in one allocation.
VELA_INLINE parse_node *node_with_children(parse_context &ctx, node_id id, const char *start,
                                           uint64_t length, size_t count)
{
    char *mem = static_cast<char *>(ctx.arena.alloc(parse_node::bytes_for(count)));
    parse_node *n = reinterpret_cast<parse_node *>(mem);
    n->id = id;
    n->set_count(count);
    n->start = start;
    n->length = static_cast<uint32_t>(length);
    return n;
}

// A one-byte rule's node: the rule's node over a one-byte leaf, in one allocation.
VELA_INLINE parse_node *byte_rule_node(parse_context &ctx, node_id id, const char *at)
{
    char *mem = static_cast<char *>(ctx.arena.alloc(2 * sizeof(parse_node) + sizeof(parse_node *)));
    parse_node *w = reinterpret_cast<parse_node *>(mem);
    parse_node *leaf =
        reinterpret_cast<parse_node *>(mem + sizeof(parse_node) + sizeof(parse_node *));
    w->id = id;
    w->count_ = 1;
    w->start = at;
    w->length = 1;
    w->kids()[0] = leaf;
    leaf->id = terminal_id;
    leaf->count_ = 0;
    leaf->start = at;
    leaf->length = 1;
    return w;
}

bool is_integer(const grammar_node &n)
{
    return n.kind == kind_integer_dec || n.kind == kind_integer_hex;
}

bool is_transparent(node_kind k)
{
    return k == kind_concatenation || k == kind_group || k == kind_option || k == kind_repeat ||
           k == kind_repeat_min1;
}

// A node whose children are scratch[base ..] (moved into the arena) and scratch cut back.
parse_node *composite(parse_context &ctx, node_id id, const char *start, uint64_t length,
                      size_t base)
{
    size_t count = ctx.scratch.size() - base;
    parse_node *n = node_with_children(ctx, id, start, length, count);
    std::memcpy(n->kids(), ctx.scratch.data() + base, count * sizeof(parse_node *));
    ctx.scratch.resize(base);
    return n;
}

// Adds a child result to the collected children: a named node itself, an anonymous one by
// its children.
VELA_INLINE void collect(parse_context &ctx, parse_node *r)
{
    if (r->id != anonymous_id) {
        ctx.scratch.push_back(r);
    } else {
        const size_t count = r->child_count();
        ctx.scratch.insert(ctx.scratch.end(), r->kids(), r->kids() + count);
        // The anonymous node itself is dropped; it is usually the last thing allocated.
        ctx.arena.release_last(r, parse_node::bytes_for(count));
    }
}

// The collected children as one result: the only child itself, an anonymous node over
// several, or (with none) an empty anonymous node.
VELA_INLINE parse_node *gather(parse_context &ctx, const char *pos, const char *end, size_t base)
{
    size_t count = ctx.scratch.size() - base;
    if (count == 1) {
        parse_node *only = ctx.scratch[base];
        ctx.scratch.resize(base);
        return only;
    }
    if (count == 0) return new_leaf(ctx, anonymous_id, pos, 0);
    return composite(ctx, anonymous_id, pos, static_cast<uint64_t>(end - pos), base);
}

// match_node after its first-byte test, for callers that made that test themselves.
parse_node *enter_node(const grammar_node &n, const char *pos, uint64_t remaining,
                       parse_context &ctx);

// Whether the first-byte test rules the node out at pos (see match_node).
inline bool cannot_start(const grammar_node &n, const char *pos, uint64_t remaining,
                         parse_context &ctx)
{
    ctx.look_at(pos);
    return remaining > 0 && !n.start_ok.has(static_cast<unsigned char>(*pos)) &&
           ctx.options.skip_by_first_byte;
}

VELA_NOINLINE parse_node *match_alternatives(const grammar_node &alt, const char *pos,
                                             uint64_t remaining, parse_context &ctx)
{
    for (auto &c : alt.children) {
        if (++ctx.steps > ctx.budget && ctx.out_of_steps()) {
            ++ctx.limit_hits;
            ctx.fail_at(pos);
            continue;
        }
        if (cannot_start(*c, pos, remaining, ctx)) { // saves the call; same outcome
            ++ctx.steps;
            ctx.fail_at(pos);
            continue;
        }
        if (parse_node *r = enter_node(*c, pos, remaining, ctx)) return r;
    }
    return nullptr;
}

// The concatenation starts with an optional rule (typically blanks and comments): when that
// rule's end at pos is known and the next child cannot start there, the whole attempt fails
// with the failures it would have recorded. Otherwise matches the lead and remembers it.
// Whether the remembered end of the lead rule already decides that concatenation n fails
// at pos; if so, records the failures the attempt would have recorded.
bool lead_rules_out(const grammar_node &n, const char *pos, uint64_t remaining, parse_context &ctx)
{
    const grammar_node &lead = *n.children[0];
    const lookahead_memo::entry &e = ctx.memo->slot(pos, lead.kind);
    if (e.pos != pos || e.kind != lead.kind) return false;
    const char *text_end = pos + remaining;
    ctx.look_at(e.look);
    if (e.ok) ctx.look_at(e.end);
    if (!e.ok ||
        (e.end < text_end && !n.children[1]->first.has(static_cast<unsigned char>(*e.end)))) {
        ++ctx.steps;
        if (e.farthest) ctx.fail_at(e.farthest);
        if (e.ok) ctx.fail_at(e.end);
        return true;
    }
    return false;
}

// A term that is an option or a plain repetition over such a concatenation matches nothing
// when the concatenation is ruled out; the term need not be entered at all.
inline bool term_is_empty(const grammar_node &c, const char *pos, uint64_t remaining,
                          parse_context &ctx)
{
    return c.empty_probe && lead_rules_out(*c.empty_probe, pos, remaining, ctx);
}

parse_node *match_lead(const grammar_node &n, const char *pos, uint64_t remaining,
                       parse_context &ctx, bool &skip)
{
    const grammar_node &lead = *n.children[0];
    if (lead_rules_out(n, pos, remaining, ctx)) {
        skip = true;
        return nullptr;
    }
    lookahead_memo::entry &e = ctx.memo->slot(pos, lead.kind);
    const char *saved = ctx.farthest_failure, *saved_look = ctx.look;
    uint32_t hits = ctx.limit_hits;
    ctx.farthest_failure = nullptr;
    ctx.look = nullptr;
    parse_node *r = match_node(lead, pos, remaining, ctx);
    const char *recorded = ctx.farthest_failure, *looked = ctx.look;
    ctx.farthest_failure = saved;
    ctx.look = saved_look;
    if (recorded) ctx.fail_at(recorded);
    ctx.look_at(looked);
    if (hits == ctx.limit_hits) {
        e.pos = pos;
        e.kind = lead.kind;
        e.ok = r != nullptr;
        e.end = r ? r->stop() : nullptr;
        e.farthest = recorded;
        e.look = looked;
    }
    return r;
}

VELA_NOINLINE parse_node *match_concatenation(const grammar_node &n, const char *pos,
                                              uint64_t remaining, parse_context &ctx)
{
    if (n.children.size() == 1) {
        // One term: its result is the concatenation's, except that an empty result of a
        // transparent construct becomes an empty anonymous node.
        const grammar_node &c = *n.children[0];
        parse_node *r = match_node(c, pos, remaining, ctx);
        if (r && is_transparent(c.kind) && r->length == 0 && r->id != anonymous_id)
            return new_leaf(ctx, anonymous_id, pos, 0);
        return r;
    }
    const size_t base = ctx.scratch.size();
    const auto mark = ctx.arena.mark();
    const char *cursor = pos;
    bool empty_match = false;
    const bool lookahead = n.lead_lookahead && ctx.memo && ctx.options.skip_by_first_byte;
    for (auto &c : n.children) {
        uint64_t used = static_cast<uint64_t>(cursor - pos);
        auto before = ctx.arena.mark();
        parse_node *r;
        if (c->empty_probe && ctx.memo && ctx.options.skip_by_first_byte &&
            term_is_empty(*c, cursor, remaining - used, ctx)) {
            empty_match = true;
            continue;
        }
        if (cannot_start(*c, cursor, remaining - used,
                         ctx)) { // as match_node would, without the call
            ctx.fail_at(cursor);
            ctx.scratch.resize(base);
            ctx.arena.rewind(mark);
            return nullptr;
        }
        if (lookahead && c.get() == n.children[0].get()) {
            bool skip = false;
            r = match_lead(n, pos, remaining, ctx, skip);
            if (skip) return nullptr;
        } else {
            r = enter_node(*c, cursor, remaining - used, ctx);
        }
        if (!r) {
            ctx.scratch.resize(base);
            ctx.arena.rewind(mark);
            return nullptr;
        }
        if (c->transparent) {
            if (r->length == 0) {
                empty_match = true;
                ctx.arena.rewind(before); // nothing of it is kept
                continue;
            }
            cursor = r->stop();
            collect(ctx, r);
        } else {
            ctx.scratch.push_back(r);
            cursor = r->stop();
        }
    }
    size_t count = ctx.scratch.size() - base;
    if (count == 0 && !empty_match) return nullptr; // no children at all: cannot happen
    return gather(ctx, pos, cursor, base);
}

VELA_NOINLINE parse_node *match_repeat(const grammar_node &n, const char *pos, uint64_t remaining,
                                       parse_context &ctx)
{
    const uint32_t min = n.rep_min, max = n.rep_max;
    const bool bounded = n.rep_bounded;
    const grammar_node *body = n.rep_body;
    const size_t base = ctx.scratch.size();
    const auto mark = ctx.arena.mark();
    const char *end = pos;
    uint32_t count = 0;
    const grammar_node *lead = ctx.options.skip_by_first_byte ? n.byte_lead : nullptr;
    for (;;) {
        if (bounded && count >= max) break;
        ctx.look_at(end); // its byte, or the end of the text
        uint64_t used = static_cast<uint64_t>(end - pos);
        if (lead && used < remaining && lead->byte_rule_set.has(static_cast<unsigned char>(*end))) {
            // What the body would give: the one-byte rule's node over the byte (the set holds
            // ASCII bytes only), with the failures of the alternatives tried before.
            if (!lead->byte_rule_quiet.has(static_cast<unsigned char>(*end))) ctx.fail_at(end);
            ctx.scratch.push_back(byte_rule_node(ctx, n.byte_lead_id, end));
            ++end;
            ++count;
            if (static_cast<uint64_t>(end - pos) == remaining) {
                ctx.look_at(end);
                break;
            }
            continue;
        }
        if (cannot_start(*body, end, remaining - used,
                         ctx)) { // as match_node would, without the call
            ctx.fail_at(end);
            break;
        }
        parse_node *r = enter_node(*body, end, remaining - used, ctx);
        if (!r) break;
        const bool empty = r->length == 0;
        end = r->stop();
        collect(ctx, r); // r may be released here
        ++count;
        if (empty) {
            // Another round would match the same nothing again; it could only repeat up to the
            // maximum, so the minimum counts as reached and the loop ends here.
            if (count < min) count = min;
            break;
        }
        if (static_cast<uint64_t>(end - pos) == remaining) {
            ctx.look_at(end);
            break;
        }
    }
    if (count < min) {
        ctx.scratch.resize(base);
        ctx.arena.rewind(mark);
        return nullptr;
    }
    return gather(ctx, pos, end, base);
}

VELA_NOINLINE parse_node *match_range(const grammar_node &n, const char *pos, uint64_t remaining,
                                      parse_context &ctx)
{
    ctx.look_span(pos, 4, remaining); // a code point, or the end
    if (remaining == 0) return nullptr;
    const grammar_node &lo = *n.children[0], &hi = *n.children[1];
    if (is_integer(lo)) {
        uint32_t v;
        int len = decode_code_point(pos, remaining, &v);
        if (len > 0 && v >= lo.value && v <= hi.value)
            return new_leaf(ctx, terminal_id, pos, static_cast<uint64_t>(len));
    } else {
        signed char b = static_cast<signed char>(*pos);
        if (b >= static_cast<signed char>(lo.begin[1]) &&
            b <= static_cast<signed char>(hi.begin[1]))
            return new_leaf(ctx, terminal_id, pos, 1);
    }
    ctx.fail_at(pos);
    return nullptr;
}

VELA_NOINLINE parse_node *match_sort(const grammar_node &n, const char *pos, uint64_t remaining,
                                     parse_context &ctx)
{
    ctx.look_at(pos);
    if (remaining > 0) {
        const signed char *set = reinterpret_cast<const signed char *>(n.begin + 1);
        signed char b = static_cast<signed char>(*pos);
        long lo = 0, hi = static_cast<long>(n.end - n.begin - 2) - 1;
        while (lo <= hi) {
            long mid = (lo + hi) / 2;
            if (set[mid] == b) return new_leaf(ctx, terminal_id, pos, 1);
            if (set[mid] < b)
                lo = mid + 1;
            else
                hi = mid - 1;
        }
    }
    ctx.fail_at(pos);
    return nullptr;
}

VELA_NOINLINE parse_node *match_literal(const grammar_node &n, const char *pos, uint64_t remaining,
                                        parse_context &ctx)
{
    uint64_t len = static_cast<uint64_t>(n.end - n.begin - 2);
    ctx.look_span(pos, len ? len : 1, remaining);
    if (len <= remaining && (len == 0 || std::memcmp(pos, n.begin + 1, len) == 0))
        return new_leaf(ctx, terminal_id, pos, len);
    ctx.fail_at(pos);
    return nullptr;
}

uint64_t code_point_length(const char *pos, uint64_t remaining)
{
    int len = decode_code_point(pos, remaining, nullptr);
    return len > 0 ? static_cast<uint64_t>(len) : 1;
}

inline parse_node *dispatch(const grammar_node &n, const char *pos, uint64_t remaining,
                            parse_context &ctx);

VELA_NOINLINE parse_node *match_option(const grammar_node &n, const char *pos, uint64_t remaining,
                                       parse_context &ctx)
{
    const grammar_node &alt = *n.children[0];
    if (parse_node *r = alt.kind == kind_alternation ? match_alternatives(alt, pos, remaining, ctx)
                                                     : match_node(alt, pos, remaining, ctx))
        return r;
    return new_leaf(ctx, anonymous_id, pos, 0);
}

VELA_NOINLINE parse_node *match_except(const grammar_node &n, const char *pos, uint64_t remaining,
                                       parse_context &ctx)
{
    if (remaining == 0) {
        ctx.fail_at(pos);
        return nullptr;
    }
    auto mark = ctx.arena.mark();
    if (match_node(*n.children[0], pos, remaining, ctx)) {
        ctx.arena.rewind(mark);
        ctx.fail_at(pos);
        return nullptr;
    }
    ctx.look_span(pos, 4, remaining);
    return new_leaf(ctx, terminal_id, pos, code_point_length(pos, remaining));
}

VELA_NOINLINE parse_node *match_rule_ref(const grammar_node &n, const char *pos, uint64_t remaining,
                                         parse_context &ctx)
{
    ctx.look_at(pos);
    const grammar_node &rule = *n.ref_rule;
    const node_id id = static_cast<node_id>(n.kind - rule_ref_base + 2);
    if (rule.byte_rule && ctx.options.skip_by_first_byte &&
        (remaining == 0 || static_cast<unsigned char>(*pos) < 0x80)) {
        // Every alternative is one single-byte terminal: the first that matches gives a
        // one-byte leaf, and every one tried before it has recorded a failure here.
        if (remaining > 0 && rule.byte_rule_set.has(static_cast<unsigned char>(*pos))) {
            if (!rule.byte_rule_quiet.has(static_cast<unsigned char>(*pos))) ctx.fail_at(pos);
            return byte_rule_node(ctx, id, pos);
        }
        if (remaining > 0 || rule.byte_rule_records_at_end) ctx.fail_at(pos);
        return nullptr;
    }
    // The body starts where the reference does, so the reference's own checks stand for it.
    ++ctx.steps;
    parse_node *r = dispatch(*n.ref_body, pos, remaining, ctx);
    if (!r) return nullptr;
    if (r->id == anonymous_id) {
        r->id = id;
        return r;
    }
    parse_node *w = node_with_children(ctx, id, pos, static_cast<uint64_t>(r->stop() - pos), 1);
    w->kids()[0] = r;
    return w;
}

VELA_NOINLINE parse_node *match_other(const grammar_node &n, const char *pos, uint64_t remaining,
                                      parse_context &ctx)
{
    if (n.kind >= native_ref_base && n.kind < native_ref_base + max_rules) {
        const native_rule *nat = ctx.gram.native(n.kind - native_ref_base);
        if (nat) return nat->match(n, pos, remaining, ctx);
    }
    std::printf("unkown type with type = %d\n", static_cast<int>(n.kind));
    return nullptr;
}

VELA_NOINLINE parse_node *match_any(const grammar_node &, const char *pos, uint64_t remaining,
                                    parse_context &ctx)
{
    ctx.look_span(pos, 4, remaining);
    if (remaining == 0) return nullptr;
    return new_leaf(ctx, terminal_id, pos, code_point_length(pos, remaining));
}

VELA_NOINLINE parse_node *match_rule_body(const grammar_node &n, const char *pos,
                                          uint64_t remaining, parse_context &ctx)
{
    return match_node(*n.children[1], pos, remaining, ctx);
}

VELA_NOINLINE parse_node *match_group(const grammar_node &n, const char *pos, uint64_t remaining,
                                      parse_context &ctx)
{
    return match_node(*n.children[0], pos, remaining, ctx);
}

inline parse_node *dispatch(const grammar_node &n, const char *pos, uint64_t remaining,
                            parse_context &ctx)
{
    return n.match(n, pos, remaining, ctx);
}

} // namespace

namespace {
// Whether the stack has grown past its limit (measured from a frame just below the caller).
VELA_NOINLINE bool stack_too_deep(const parse_context &ctx)
{
    uintptr_t frame = reinterpret_cast<uintptr_t>(__builtin_frame_address(0));
    return (frame < ctx.stack_base ? ctx.stack_base - frame : frame - ctx.stack_base) >
           max_stack_bytes;
}

VELA_NOINLINE parse_node *limit_hit(const char *pos, parse_context &ctx)
{
    ++ctx.limit_hits;
    ctx.fail_at(pos);
    return nullptr;
}
} // namespace

namespace {
inline bool over_limits(parse_context &ctx)
{
    if ((++ctx.steps > ctx.budget && ctx.out_of_steps()) || ctx.depth >= max_depth) return true;
    // The stack is measured every 16 levels; the frames in between are small.
    return (ctx.depth & 15) == 15 && stack_too_deep(ctx);
}

inline parse_node *enter_node(const grammar_node &n, const char *pos, uint64_t remaining,
                              parse_context &ctx)
{
    if (over_limits(ctx)) return limit_hit(pos, ctx);
    ctx.look_at(pos);
    ++ctx.depth;
    parse_node *r = dispatch(*n.target, pos, remaining, ctx);
    --ctx.depth;
    return r;
}
} // namespace

parse_node *match_node(const grammar_node &n, const char *pos, uint64_t remaining,
                       parse_context &ctx)
{
    if (over_limits(ctx)) return limit_hit(pos, ctx);
    ctx.look_at(pos);
    // A node that cannot start with this byte fails here; the attempt would have failed at
    // this same position (everything it could match before failing is empty).
    if (remaining > 0 && !n.start_ok.has(static_cast<unsigned char>(*pos)) &&
        ctx.options.skip_by_first_byte) {
        ctx.fail_at(pos);
        return nullptr;
    }
    ++ctx.depth;
    parse_node *r = dispatch(*n.target, pos, remaining, ctx);
    --ctx.depth;
    return r;
}

// ---- whole parses ----------------------------------------------------------------------

namespace {
int32_t clamp32(uint64_t v)
{
    return v > static_cast<uint64_t>(std::numeric_limits<int32_t>::max())
               ? std::numeric_limits<int32_t>::max()
               : static_cast<int32_t>(v);
}
} // namespace

parse_result parse_one(const grammar &g, const char *pos, uint64_t remaining, parse_options opts)
{
    // Nodes hold 32-bit lengths; the result is 32-bit anyway.
    if (remaining > static_cast<uint64_t>(std::numeric_limits<int32_t>::max()))
        remaining = static_cast<uint64_t>(std::numeric_limits<int32_t>::max());
    parse_result out;
    node_arena &arena = parse_access::arena(out.tree);
    parse_context ctx(g, arena, remaining, opts);
    auto memo = std::make_unique<lookahead_memo>();
    ctx.memo = memo.get();
    parse_node *root = match_node(g.start_rule(), pos, remaining, ctx);
    if (root) {
        out.result = clamp32(root->length + static_cast<uint64_t>(root->start - pos));
        parse_access::set_root(out.tree, root);
    } else {
        // Without any recorded failure (the text ended where a character was needed) the
        // result is -1, which no caller mistakes for a complete match.
        out.result =
            ctx.farthest_failure ? clamp32(static_cast<uint64_t>(ctx.farthest_failure - pos)) : -1;
        out.tree = parse_tree();
    }
    return out;
}

statement_match match_statement(const grammar &g, node_arena &arena, lookahead_memo *memo,
                                const char *at, uint64_t remaining, parse_options opts)
{
    parse_context ctx(g, arena, remaining, opts);
    ctx.memo = memo;
    statement_match out;
    out.root = match_node(g.start_rule(), at, remaining, ctx);
    // A statement that consumes nothing would be found again and again: it counts as failed.
    if (out.root && out.root->stop() <= at) out.root = nullptr;
    out.farthest = ctx.farthest_failure;
    // The limits depend on how much text follows, so a match that ran into one depends on
    // everything up to the end.
    out.look = ctx.limit_hits ? at + remaining : ctx.look;
    if (!out.look || out.look < at) out.look = at;
    return out;
}

int32_t parse_all(const grammar &g, const char *text, uint64_t length, statement_list &list,
                  parse_options opts)
{
    if (length > static_cast<uint64_t>(std::numeric_limits<int32_t>::max()))
        length = static_cast<uint64_t>(std::numeric_limits<int32_t>::max());
    uint64_t consumed = 0;
    node_arena &arena = parse_access::arena(list);
    // Entries stay valid from one statement to the next: same text, same end.
    auto memo = std::make_unique<lookahead_memo>();
    while (consumed != length) {
        statement_match m =
            match_statement(g, arena, memo.get(), text + consumed, length - consumed, opts);
        if (!m.root) break;
        parse_access::add(list, text, m.root);
        consumed = static_cast<uint64_t>(m.root->stop() - text);
    }
    return static_cast<int32_t>(consumed);
}

int32_t parse_each(const grammar &g, const char *text, uint64_t length,
                   const std::function<void(const parse_node *)> &visit, parse_options opts)
{
    if (length > static_cast<uint64_t>(std::numeric_limits<int32_t>::max()))
        length = static_cast<uint64_t>(std::numeric_limits<int32_t>::max());
    uint64_t consumed = 0;
    node_arena arena;
    auto memo = std::make_unique<lookahead_memo>();
    while (consumed != length) {
        const auto mark = arena.mark();
        statement_match m =
            match_statement(g, arena, memo.get(), text + consumed, length - consumed, opts);
        if (!m.root) break;
        visit(m.root);
        consumed = static_cast<uint64_t>(m.root->stop() - text);
        arena.rewind(mark);
    }
    return static_cast<int32_t>(consumed);
}

// ---- walking trees ---------------------------------------------------------------------

namespace {
const parse_node *find_in(const parse_node *n, node_id id)
{
    for (const parse_node *c : *n) {
        if (c->id == id) return c;
        if (const parse_node *f = find_in(c, id)) return f;
    }
    return nullptr;
}
} // namespace

const parse_node *find_first_node(const parse_node *tree, node_id id)
{
    return tree ? find_in(tree, id) : nullptr;
}

void collect_nodes(const parse_node *tree, const id_set &ids, std::vector<const parse_node *> &out)
{
    if (!tree) return;
    if (ids.contains(tree->id)) {
        out.push_back(tree);
        return;
    }
    for (const parse_node *c : *tree) collect_nodes(c, ids, out);
}

namespace {
// Index of the node among [first, first + count) whose half-open span holds p, or -1.
long span_search(const parse_node *const *first, size_t count, const char *p)
{
    long lo = 0, hi = static_cast<long>(count) - 1;
    while (lo <= hi) {
        long mid = (lo + hi) / 2;
        const parse_node *n = first[mid];
        if (p < n->start)
            hi = mid - 1;
        else if (p >= n->stop())
            lo = mid + 1;
        else
            return mid;
    }
    return -1;
}
} // namespace

node_id node_path_at(const statement_list &list, uint64_t offset, const id_set &ids,
                     std::vector<const parse_node *> *path)
{
    std::vector<const parse_node *> local;
    std::vector<const parse_node *> &walk = path ? *path : local;
    walk.clear();
    size_t s = list.index_at(offset);
    if (s == list.size()) return no_node;
    const parse_node *n = list[s];
    // The statement's tree may point into a copy of its bytes: descend in its own terms.
    const char *p = n->start + (offset - list.offset(s));
    walk.push_back(n);
    while (n->child_count() > 0) {
        long c = span_search(n->begin(), n->child_count(), p);
        if (c < 0) {
            walk.clear();
            return no_node;
        }
        n = n->child(static_cast<size_t>(c));
        walk.push_back(n);
    }
    // The path runs from the root down; keep it from the deepest qualifying node upwards.
    for (size_t i = walk.size(); i-- > 0;) {
        if (ids.contains(walk[i]->id)) {
            node_id id = walk[i]->id;
            walk.resize(i + 1);
            std::vector<const parse_node *> up(walk.rbegin(), walk.rend());
            walk.swap(up);
            return id;
        }
    }
    walk.clear();
    return no_node;
}

native_matcher matcher_for(const grammar_node &n, const grammar &g)
{
    switch (n.kind) {
    case kind_rule:
        return match_rule_body;
    case kind_alternation:
        return match_alternatives;
    case kind_concatenation:
        return match_concatenation;
    case kind_group:
    case kind_meta_definition:
        return match_group;
    case kind_option:
        return match_option;
    case kind_repeat:
    case kind_repeat_min1:
        return match_repeat;
    case kind_except_terminal_string:
        return match_except;
    case kind_sort_string:
        return match_sort;
    case kind_quote_string:
    case kind_dquote_string:
        return match_literal;
    case kind_range_string:
        return match_range;
    case kind_any_char:
        return match_any;
    default:
        break;
    }
    if (n.ref_rule) return match_rule_ref;
    if (n.kind >= native_ref_base && n.kind < native_ref_base + max_rules) {
        if (const native_rule *nat = g.native(n.kind - native_ref_base)) return nat->match;
    }
    return match_other;
}

} // namespace lang
