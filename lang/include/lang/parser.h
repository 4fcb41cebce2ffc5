// Grammar-driven parser: ordered choice, greedy repetition, no backtracking into a match
// that succeeded. Trees point into the parsed text (nothing is copied) and are owned by a
// parse_tree or a statement_list, which release all their nodes at once.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string_view>
#include <vector>

#include "lang/grammar.h"

namespace lang {

using node_id = uint16_t;

// 0: anonymous composite; 1: terminal leaf; i + 2: a match of rule number i.
constexpr node_id anonymous_id = 0;
constexpr node_id terminal_id = 1;
constexpr node_id no_node = 0xFFFF; // node_path_at: nothing found

// Sixteen bytes: parsed texts are below 2 GiB (parse_one and parse_all cut longer ones), so
// a length fits 32 bits, and a count of 65535 children or more is kept in the eight bytes
// before the child pointers.
struct parse_node {
    const char *start = nullptr; // first byte matched
    uint32_t length = 0;         // bytes matched (may be 0)
    node_id id = 0;
    uint16_t count_ = 0; // (for matchers) number of children, or wide_count

    static constexpr uint16_t wide_count = 0xFFFF;

    size_t child_count() const
    {
        return count_ != wide_count
                   ? count_
                   : static_cast<size_t>(*reinterpret_cast<const uint64_t *>(this + 1));
    }
    const parse_node *child(size_t i) const { return kids()[i]; }
    const parse_node *const *begin() const { return kids(); } // children in text order
    const parse_node *const *end() const { return kids() + child_count(); }
    const char *stop() const { return start + length; } // one past the last byte
    std::string_view text() const { return {start, static_cast<size_t>(length)}; }

    // For matchers: a node with children is allocated together with them (bytes_for), and
    // the array of child pointers follows the node (and its wide count) in the same arena.
    static size_t bytes_for(size_t count)
    {
        return sizeof(parse_node) + (count >= wide_count ? sizeof(uint64_t) : 0) +
               count * sizeof(parse_node *);
    }
    void set_count(size_t count)
    {
        if (count < wide_count) {
            count_ = static_cast<uint16_t>(count);
        } else {
            count_ = wide_count;
            *reinterpret_cast<uint64_t *>(this + 1) = count;
        }
    }
    parse_node **kids()
    {
        return reinterpret_cast<parse_node **>(this + 1) + (count_ == wide_count ? 1 : 0);
    }
    const parse_node *const *kids() const
    {
        return reinterpret_cast<const parse_node *const *>(this + 1) +
               (count_ == wide_count ? 1 : 0);
    }
};
static_assert(sizeof(parse_node) == 16, "parse nodes are meant to stay small");

class node_arena;

// One tree from parse_one; owns its nodes. Movable, not copyable.
class parse_tree {
public:
    parse_tree();
    parse_tree(parse_tree &&) noexcept;
    parse_tree &operator=(parse_tree &&) noexcept;
    ~parse_tree();
    const parse_node *root() const { return root_; }
    explicit operator bool() const { return root_ != nullptr; }

private:
    friend class parse_context;
    friend struct parse_access;
    std::unique_ptr<node_arena> arena_;
    const parse_node *root_ = nullptr;
};

// The statement trees of parse_all, in text order; owns them. Movable, not copyable.
class statement_list {
public:
    statement_list();
    statement_list(statement_list &&) noexcept;
    statement_list &operator=(statement_list &&) noexcept;
    ~statement_list();
    size_t size() const { return count_; }
    bool empty() const { return count_ == 0; }
    const parse_node *operator[](size_t i) const { return items_[i]; }
    const parse_node *const *begin() const { return items_.data(); }
    const parse_node *const *end() const { return items_.data() + count_; }
    // Where statement i starts in the parsed text. Trees that an incremental parse kept from
    // an earlier text point into a copy of their own bytes, so offsets come from here and
    // never from subtracting text pointers.
    uint64_t offset(size_t i) const
    {
        return i >= shift_from_ ? offsets_[i] + static_cast<uint64_t>(shift_) : offsets_[i];
    }
    // Offset of a node of statement i.
    uint64_t offset_of(size_t i, const parse_node *n) const
    {
        return offset(i) + static_cast<uint64_t>(n->start - items_[i]->start);
    }
    // Index of the statement whose span holds offset, or size() when none does.
    size_t index_at(uint64_t offset) const;
    // The text the statements were parsed from, when one parse_all made them all (null for
    // the lists of an incremental parse).
    const char *text() const { return text_; }
    void clear(); // releases every tree

private:
    friend struct parse_access;
    friend class incremental_parse;
    std::unique_ptr<node_arena> arena_;
    // The statements are the first count_ items; an incremental parse keeps trees past a
    // failure behind them.
    std::vector<const parse_node *> items_;
    std::vector<uint64_t> offsets_;
    size_t count_ = 0;
    // Statements from shift_from_ on lie shift_ bytes from their stored offsets (an edit
    // before them moved them; they are brought up to date only when an edit comes near).
    size_t shift_from_ = static_cast<size_t>(-1);
    int64_t shift_ = 0;
    const char *text_ = nullptr;
};

// A small set of node ids.
class id_set {
public:
    id_set(std::initializer_list<node_id> ids) : ids_(ids) {}
    bool contains(node_id id) const
    {
        for (node_id x : ids_)
            if (x == id) return true;
        return false;
    }

private:
    std::vector<node_id> ids_;
};

// Decodes one UTF-8 code point at p without reading past remaining bytes. Returns its
// length (1 to 4) and stores the value, or 0 when the bytes there are no valid sequence
// (a sequence cut short by the end is invalid). Overlong forms and surrogates are accepted.
int decode_code_point(const char *p, uint64_t remaining, uint32_t *value);

// Limits that keep hostile input from exhausting the stack or the processor. A match that
// goes deeper than max_depth nested node matches or uses more than max_stack_bytes of stack
// (frames are larger in debug and sanitizer builds), or a statement that takes more steps
// than its budget, fails at that point like any other failure.
constexpr uint32_t max_depth = 4000;
constexpr uintptr_t max_stack_bytes = 1024 * 1024;
uint64_t step_budget(uint64_t remaining);

// State of one parse: where the farthest terminal failed, the step counter, the nesting
// depth and the arena the nodes come from. Matchers (native ones included) use it.
struct parse_options {
    // Fail at once where a node cannot start with the current byte. Results are the same
    // either way; switching it off is for comparisons in tests and benchmarks.
    bool skip_by_first_byte = true;
    // Asked every few tens of thousands of steps whether the parse may go on; when it
    // answers false the parse fails at once (a caller's deadline).
    bool (*keep_going)() = nullptr;
};

struct lookahead_memo;

class parse_context {
public:
    parse_context(const grammar &g, node_arena &arena, uint64_t remaining, parse_options opts = {});
    const grammar &gram;
    parse_options options;
    const char *farthest_failure = nullptr; // null: none yet
    uint64_t steps = 0, budget;             // budget: the next step count that needs a look
    uint64_t step_limit;                    // the statement's whole step budget
    uint32_t depth = 0;
    uintptr_t stack_base = 0;       // frame address where the parse began
    uint32_t limit_hits = 0;        // failures caused by the depth or step limit
    lookahead_memo *memo = nullptr; // where leading optional rules end (may be null)
    // The farthest position whose byte (or, at the end of the text, whose being the end) the
    // match has looked at. A match depends on nothing beyond it, which is what lets an
    // incremental parse keep a statement when an edit lies past it. Native matchers that
    // read beyond pos report what they read with look_at or look_span.
    const char *look = nullptr;

    // Called when steps passed budget: false while the parse may go on (a check point of
    // keep_going), true once it is out of steps or told to stop.
    bool out_of_steps();

    void fail_at(const char *pos)
    {
        if (!farthest_failure || pos > farthest_failure) farthest_failure = pos;
    }
    void look_at(const char *p)
    {
        if (p > look) look = p;
    }
    // Reading n >= 1 bytes from pos, or finding that fewer than n remain.
    void look_span(const char *pos, uint64_t n, uint64_t remaining)
    {
        look_at(n <= remaining ? pos + n - 1 : pos + remaining);
    }
    parse_node *leaf(node_id id, const char *start, uint64_t length); // a node without children
    node_arena &arena;
    std::vector<parse_node *> scratch; // children being collected, a stack shared by all levels
};

// Frees the node memory the calling thread keeps for its next parse (a server thread that
// parsed a large statement need not hold on to it while idle).
void release_spare_parse_memory();

// Matches one grammar node at pos. Returns the node, or null on failure.
parse_node *match_node(const grammar_node &node, const char *pos, uint64_t remaining,
                       parse_context &ctx);

struct parse_result {
    int32_t result = 0; // matched length, or (on failure) farthest failure minus position
    parse_tree tree;    // empty on failure
};

// Matches the start rule once at pos.
parse_result parse_one(const grammar &g, const char *pos, uint64_t remaining,
                       parse_options opts = {});

// Matches the start rule again and again from text, appending each tree to list. Returns
// the offset where it stopped: length when everything matched, else the end of the last
// good match (0 when the first fails or the text is empty).
int32_t parse_all(const grammar &g, const char *text, uint64_t length, statement_list &list,
                  parse_options opts = {});

// Like parse_all, but hands each statement's tree to visit and frees it before the next one,
// so that a long script needs the memory of one statement only. Returns what parse_all
// returns.
int32_t parse_each(const grammar &g, const char *text, uint64_t length,
                   const std::function<void(const parse_node *)> &visit, parse_options opts = {});

// First descendant of tree (the root itself excluded) with that id, depth first in
// pre-order, or null.
const parse_node *find_first_node(const parse_node *tree, node_id id);

// Pre-order walk from tree (root included): a node whose id is in ids is appended and not
// entered; any other node is entered.
void collect_nodes(const parse_node *tree, const id_set &ids, std::vector<const parse_node *> &out);

// Finds the statement and then the deepest node whose span holds offset (measured from
// list.text()). Returns the id of the deepest node on that path whose id is in ids and, when
// path is given, stores the path from that node up to the statement root. Returns no_node
// (path cleared) when nothing contains the offset or no node on the path qualifies.
node_id node_path_at(const statement_list &list, uint64_t offset, const id_set &ids,
                     std::vector<const parse_node *> *path = nullptr);

} // namespace lang
