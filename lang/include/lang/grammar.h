// Grammar notation loader and resolver.
//
// A grammar is a text in our EBNF notation. load_grammar reads it into a tree of
// grammar_node that points into the text (nothing is copied, so the text must outlive the
// tree); resolve_grammar numbers the rules, binds every rule reference and installs the
// native matchers, producing a grammar that the parser (parser.h) runs.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string_view>
#include <vector>

namespace lang {

using node_kind = uint16_t;

// Node kinds of a loaded grammar. Only the kinds the loader makes have matchers; the
// reserved ones are reported as unknown by the parser.
enum : node_kind {
    kind_syntax = 0,
    kind_rule = 1,
    kind_alternation = 2,
    kind_concatenation = 3,
    kind_meta_definition = 4,
    kind_group = 5,
    kind_option = 6,
    kind_repeat = 7,
    kind_terminal_string = 8,
    kind_except_terminal_string = 9,
    kind_sort_string = 10,
    kind_quote_string = 11,
    kind_dquote_string = 12,
    kind_range_string = 13,
    kind_any_char = 14,
    kind_digit_hex = 15,
    kind_integer_dec = 16,
    kind_integer_hex = 17,
    kind_integer = 18,
    kind_identifier = 19,
    kind_nonwhitespace = 20,
    kind_digit = 21,
    kind_alphabet = 22,
    kind_identifier_chars = 23,
    kind_nonascii_chars = 24,
    kind_ascii = 25,
    kind_all_chars = 26,
    kind_whitespace = 27,
    kind_comment = 28,
    kind_multiline_comment = 29,
    kind_unuse_string = 30,
    kind_repeat_min1 = 32, // < alternation >
};

// Kinds given to identifiers by resolution: rule_ref_base + i refers to rule i matched by
// its body, native_ref_base + i to rule i matched by a native matcher.
constexpr node_kind rule_ref_base = 1024;
constexpr node_kind native_ref_base = 2048;
constexpr size_t max_rules = 1024;

// Name of a built-in kind for diagnostics ("" for numbers that name no kind).
std::string_view kind_name(node_kind kind);

// 256-bit set of bytes, used for the first bytes a node can start a match with.
struct byte_set {
    std::array<uint64_t, 4> bits{};
    bool has(unsigned char b) const { return (bits[b >> 6] >> (b & 63)) & 1u; }
    void add(unsigned char b) { bits[b >> 6] |= uint64_t(1) << (b & 63); }
    void add_range(unsigned lo, unsigned hi)
    {
        for (unsigned b = lo; b <= hi && b < 256; ++b) add(static_cast<unsigned char>(b));
    }
    void add_all() { bits.fill(~uint64_t(0)); }
    bool merge(const byte_set &o)
    { // true when something was added
        bool grew = false;
        for (size_t i = 0; i < 4; ++i) {
            uint64_t n = bits[i] | o.bits[i];
            grew |= n != bits[i];
            bits[i] = n;
        }
        return grew;
    }
};

struct parse_node;
class parse_context;

struct grammar_node {
    node_kind kind = kind_syntax;
    const char *begin = nullptr;                         // first byte of the node's source text
    const char *end = nullptr;                           // one past its last byte
    std::vector<std::unique_ptr<grammar_node>> children; // in source order

    // Filled by resolve_grammar: the bytes a non-empty match can start with, and whether the
    // node may match without consuming input. The parser skips a node that cannot start at
    // the current byte.
    byte_set first;
    bool may_be_empty = true;
    uint32_t value = 0; // integers: their value (unsigned 32-bit)
    // Concatenations that start with a rule reference which may match nothing, followed by a
    // node that may not: the parser remembers where that rule ends at a position and skips
    // the concatenation when the next node cannot start there.
    bool lead_lookahead = false;
    // What matching this node comes down to: itself, or (through groups, single alternatives
    // and single non-transparent terms) the one node whose result it returns unchanged.
    const grammar_node *target = this;
    // Rules whose every alternative is one single-byte terminal: the ASCII bytes they match,
    // and whether failing at the end of the text records a failure.
    bool byte_rule = false;
    bool byte_rule_records_at_end = false;
    byte_set byte_rule_set;
    byte_set byte_rule_quiet; // bytes the first alternative matches: no earlier one failed
    // Repetitions whose body is such a rule, or an alternation whose first alternative comes
    // down to one: that rule, so a byte it matches is taken without entering the body.
    const grammar_node *byte_lead = nullptr;
    // The bytes at which a match may be tried: first, or every byte when the node may match
    // nothing.
    byte_set start_ok;
    // Repetitions: the body and the bounds.
    const grammar_node *rep_body = nullptr;
    uint32_t rep_min = 0, rep_max = 0;
    bool rep_bounded = false;
    // Concatenations, groups, options and repetitions: their results merge into the
    // enclosing concatenation.
    bool transparent = false;
    // Options and plain repetitions over a concatenation with lead_lookahead: that
    // concatenation (when it is ruled out, the term matches nothing).
    const grammar_node *empty_probe = nullptr;
    // Rule references: the rule (a kind_rule node) and what matching its body comes down to.
    const grammar_node *ref_rule = nullptr;
    const grammar_node *ref_body = nullptr;
    uint16_t byte_lead_id = 0; // its node id

    // How this node is matched (set by resolve_grammar).
    parse_node *(*match)(const grammar_node &, const char *, uint64_t, parse_context &) = nullptr;

    std::string_view text() const { return {begin, static_cast<size_t>(end - begin)}; }
};

// Reads a grammar text. Returns the syntax node (rules as children), or null when not even
// one rule can be read. Reading stops quietly at the first rule that cannot be read.
std::unique_ptr<grammar_node> load_grammar(const char *text, size_t length);

// A native matcher replaces a rule's body. It receives the referencing node (kind
// native_ref_base + i), the position, the bytes remaining and the parse context; it gives
// its node the rule's id (i + 2) itself and, when it fails, records the failure position
// with parse_context::fail_at.
using native_matcher = parse_node *(*)(const grammar_node &ref, const char *pos, uint64_t remaining,
                                       parse_context &ctx);

struct native_rule {
    native_matcher match = nullptr;
    byte_set first;           // bytes a match can start with (default: any)
    bool may_be_empty = true; // conservative default: never skipped
    native_rule() { first.add_all(); }
    native_rule(native_matcher m) : match(m) { first.add_all(); }
    native_rule(native_matcher m, const byte_set &f, bool empty)
        : match(m), first(f), may_be_empty(empty)
    {
    }
};

using native_matcher_map = std::map<uint16_t, native_rule>;

// A loaded and resolved grammar; immutable once made.
class grammar {
public:
    const grammar_node &start_rule() const { return *rules_[0]; }
    size_t rule_count() const { return rules_.size(); }
    const grammar_node &rule(size_t i) const { return *rules_[i]; } // a kind_rule node
    const native_rule *native(size_t i) const { return natives_[i].match ? &natives_[i] : nullptr; }
    std::string_view rule_name(size_t i) const { return rules_[i]->children[0]->text(); }
    const grammar_node &syntax() const { return *syntax_; }

private:
    friend std::unique_ptr<grammar> resolve_grammar(std::unique_ptr<grammar_node>,
                                                    const native_matcher_map &);
    std::unique_ptr<grammar_node> syntax_;
    std::vector<const grammar_node *> rules_; // the rule each number resolves to
    std::array<native_rule, max_rules> natives_{};
};

// Numbers the rules (a name defined twice resolves to its later definition), binds every
// identifier and installs the native matchers. An identifier that names no rule prints
// "unkown identifier <name>" on standard output; the grammar is then rejected (null), as it
// is when it has more rules than can be addressed.
std::unique_ptr<grammar> resolve_grammar(std::unique_ptr<grammar_node> syntax,
                                         const native_matcher_map &natives);

} // namespace lang
