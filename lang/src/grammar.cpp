// Loader and resolver for the grammar notation.
#include "lang/grammar.h"

#include "matchers.h"

#include <cstdio>
#include <cstring>
#include <limits>

namespace lang {

std::string_view kind_name(node_kind kind)
{
    static const char *const names[] = {"syntax",          "rule",
                                        "alternation",     "concatenation",
                                        "meta_definition", "group",
                                        "option",          "repeat",
                                        "terminal_string", "except_terminal_string",
                                        "sort_string",     "quote_string",
                                        "dquote_string",   "range_string",
                                        "any_char",        "digit_hex",
                                        "integer_dec",     "integer_hex",
                                        "integer",         "identifier",
                                        "nonwhitespace",   "digit",
                                        "alphabet",        "identifier_chars",
                                        "nonascii_chars",  "ascii",
                                        "all_chars",       "whitespace",
                                        "comment",         "multiline_comment",
                                        "unuse_string"};
    if (kind < sizeof names / sizeof names[0]) return names[kind];
    if (kind == kind_repeat_min1) return "repeat >= 1";
    return "";
}

namespace {

using node_ptr = std::unique_ptr<grammar_node>;

bool is_blank(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}
bool is_name_byte(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}
bool is_hex(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Recursive-descent reader. Every production takes the position by reference and leaves
// it untouched when it fails.
class loader {
public:
    loader(const char *text, size_t length) : p_(text), end_(text + length) {}

    node_ptr syntax()
    {
        auto root = make(kind_syntax, p_);
        skip();
        while (auto r = rule()) {
            root->children.push_back(std::move(r));
            skip();
        }
        if (root->children.empty()) return nullptr;
        root->end = p_;
        return root;
    }

private:
    const char *p_;
    const char *const end_;

    static node_ptr make(node_kind kind, const char *begin)
    {
        auto n = std::make_unique<grammar_node>();
        n->kind = kind;
        n->begin = n->end = begin;
        return n;
    }

    bool at(const char *s) const
    {
        size_t n = std::strlen(s);
        return static_cast<size_t>(end_ - p_) >= n && std::memcmp(p_, s, n) == 0;
    }
    bool take(const char *s)
    {
        if (!at(s)) return false;
        p_ += std::strlen(s);
        return true;
    }
    // First occurrence of s at or after from, or null.
    const char *find(const char *from, const char *s) const
    {
        size_t n = std::strlen(s);
        for (const char *q = from; static_cast<size_t>(end_ - q) >= n; ++q)
            if (std::memcmp(q, s, n) == 0) return q;
        return nullptr;
    }

    bool comment()
    {
        const char *close = nullptr;
        if (at("(*")) {
            if ((close = find(p_ + 2, "*)"))) close += 2;
        } else if (at("/*")) {
            if ((close = find(p_ + 2, "*/"))) close += 2;
        } else if (at("//")) {
            if ((close = find(p_ + 2, "\n"))) close += 1;
        }
        if (!close) return false; // no closer: not a comment
        p_ = close;
        return true;
    }

    void skip()
    {
        for (;;) {
            if (comment()) continue;
            if (p_ < end_ && is_blank(*p_)) {
                while (p_ < end_ && is_blank(*p_)) ++p_;
                continue;
            }
            return;
        }
    }

    node_ptr rule()
    {
        const char *save = p_;
        skip();
        auto n = make(kind_rule, p_);
        auto name = identifier();
        if (name) {
            skip();
            if (take("=")) {
                if (auto body = alternation()) {
                    skip();
                    if (take(";")) {
                        n->children.push_back(std::move(name));
                        n->children.push_back(std::move(body));
                        n->end = p_;
                        return n;
                    }
                }
            }
        }
        p_ = save;
        return nullptr;
    }

    node_ptr alternation()
    {
        const char *save = p_;
        skip();
        auto n = make(kind_alternation, p_);
        auto first = concatenation();
        if (!first) {
            p_ = save;
            return nullptr;
        }
        n->children.push_back(std::move(first));
        for (;;) {
            const char *before = p_;
            skip();
            if (!take("|")) {
                p_ = before;
                break;
            }
            // A bar that no concatenation follows is consumed and ignored.
            if (auto c = concatenation()) n->children.push_back(std::move(c));
        }
        n->end = p_;
        return n;
    }

    node_ptr concatenation()
    {
        const char *save = p_;
        skip();
        auto n = make(kind_concatenation, p_);
        auto first = term();
        if (!first) {
            p_ = save;
            return nullptr;
        }
        n->children.push_back(std::move(first));
        for (;;) {
            const char *before = p_;
            skip();
            node_ptr t;
            if (!take(",") || !(t = term())) {
                p_ = before;
                break;
            }
            n->children.push_back(std::move(t));
        }
        n->end = p_;
        return n;
    }

    node_ptr term()
    {
        const char *save = p_;
        skip();
        node_ptr t;
        if ((t = terminal()) || (t = bracketed(kind_group, "(", ")")) ||
            (t = bracketed(kind_option, "[", "]")) || (t = repeat()) || (t = identifier()))
            return t;
        p_ = save;
        return nullptr;
    }

    node_ptr quoted(node_kind kind, char q)
    {
        if (p_ >= end_ || *p_ != q) return nullptr;
        const char *close =
            static_cast<const char *>(std::memchr(p_ + 1, q, static_cast<size_t>(end_ - p_ - 1)));
        if (!close) return nullptr;
        auto n = make(kind, p_);
        p_ = close + 1;
        n->end = p_;
        return n;
    }

    node_ptr integer()
    {
        const char *b = p_;
        if ((at("0x") || at("0X")) && end_ - p_ > 2 && is_hex(p_[2])) {
            auto n = make(kind_integer_hex, b);
            uint64_t v = 0;
            for (p_ += 2; p_ < end_ && is_hex(*p_); ++p_) {
                char c = *p_;
                unsigned d = c <= '9'   ? unsigned(c - '0')
                             : c <= 'F' ? unsigned(c - 'A' + 10)
                                        : unsigned(c - 'a' + 10);
                v = v * 16 + d;
                if (v > 0xFFFFFFFFu) v = 0xFFFFFFFFu + uint64_t(1); // saturates below
            }
            n->value = v > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<uint32_t>(v);
            n->end = p_;
            return n;
        }
        if (p_ >= end_ || *p_ < '0' || *p_ > '9') return nullptr;
        auto n = make(kind_integer_dec, b);
        uint64_t v = 0;
        for (; p_ < end_ && *p_ >= '0' && *p_ <= '9'; ++p_) {
            v = v * 10 + unsigned(*p_ - '0');
            if (v > 0xFFFFFFFFu) v = 0xFFFFFFFFu + uint64_t(1);
        }
        n->value = v > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<uint32_t>(v);
        n->end = p_;
        return n;
    }

    // One end of a range, in the form given by which: 0 single quotes, 1 double quotes,
    // 2 integers.
    node_ptr range_end(int which)
    {
        if (which == 0) return quoted(kind_quote_string, '\'');
        if (which == 1) return quoted(kind_dquote_string, '"');
        return integer();
    }

    node_ptr range()
    {
        for (int which = 0; which < 3; ++which) {
            const char *save = p_;
            auto low = range_end(which);
            if (low && take("~") && p_ < end_) {
                if (auto high = range_end(which)) {
                    auto n = make(kind_range_string, save);
                    n->children.push_back(std::move(low));
                    n->children.push_back(std::move(high));
                    n->end = p_;
                    return n;
                }
            }
            p_ = save;
        }
        return nullptr;
    }

    node_ptr terminal()
    {
        if (p_ < end_ && *p_ == '.') {
            auto n = make(kind_any_char, p_);
            n->end = ++p_;
            return n;
        }
        node_ptr n;
        if ((n = range()) || (n = quoted(kind_dquote_string, '"')) ||
            (n = quoted(kind_quote_string, '\'')) || (n = quoted(kind_sort_string, '`')))
            return n;
        if (p_ < end_ && *p_ == '!') {
            const char *save = p_++;
            if (auto t = terminal()) {
                n = make(kind_except_terminal_string, save);
                n->children.push_back(std::move(t));
                n->end = p_;
                return n;
            }
            p_ = save;
        }
        return nullptr;
    }

    node_ptr bracketed(node_kind kind, const char *open, const char *close)
    {
        const char *save = p_;
        if (!take(open)) return nullptr;
        if (auto body = alternation()) {
            skip();
            if (take(close)) {
                auto n = make(kind, save);
                n->children.push_back(std::move(body));
                n->end = p_;
                return n;
            }
        }
        p_ = save;
        return nullptr;
    }

    // "{" alternation "}" [integer] after an optional minimum already read.
    node_ptr braces(const char *save, node_ptr minimum)
    {
        if (!take("{")) return nullptr;
        auto body = alternation();
        if (!body) return nullptr;
        skip();
        if (!take("}")) return nullptr;
        auto n = make(kind_repeat, save);
        if (minimum) n->children.push_back(std::move(minimum));
        n->children.push_back(std::move(body));
        const char *after = p_;
        skip();
        if (auto maximum = integer())
            n->children.push_back(std::move(maximum));
        else
            p_ = after;
        n->end = p_;
        return n;
    }

    node_ptr repeat()
    {
        const char *save = p_;
        if (auto minimum = integer()) {
            skip();
            if (auto n = braces(save, std::move(minimum))) return n;
            p_ = save;
        }
        if (auto n = bracketed(kind_repeat_min1, "<", ">")) return n;
        if (auto n = braces(save, nullptr)) return n;
        p_ = save;
        return nullptr;
    }

    node_ptr identifier()
    {
        if (p_ >= end_ || !is_name_byte(*p_)) return nullptr;
        auto n = make(kind_identifier, p_);
        while (p_ < end_ && (is_name_byte(*p_) || is_blank(*p_))) ++p_;
        const char *e = p_;
        while (is_blank(e[-1])) --e;
        n->end = e;
        p_ = e;
        return n;
    }
};

} // namespace

std::unique_ptr<grammar_node> load_grammar(const char *text, size_t length)
{
    if (!text) return nullptr;
    return loader(text, length).syntax();
}

namespace {

// Which bytes can lead a UTF-8 sequence whose decoded value lies in [lo, hi]. Overlong
// forms decode too, so a lead byte qualifies when the values it can carry meet the range.
void add_code_point_leads(byte_set &s, uint32_t lo, uint32_t hi)
{
    if (lo > hi) return;
    if (lo < 0x80) s.add_range(lo, hi < 0x7F ? hi : 0x7F);
    struct form {
        unsigned first, last, bits, tail;
    };
    static const form forms[] = {
        {0xC0, 0xDF, 0x1F, 6}, {0xE0, 0xEF, 0x0F, 12}, {0xF0, 0xF7, 0x07, 18}};
    for (const form &f : forms)
        for (unsigned b = f.first; b <= f.last; ++b) {
            uint32_t min = (b & f.bits) << f.tail, max = min | ((1u << f.tail) - 1);
            if (max >= lo && min <= hi) s.add(static_cast<unsigned char>(b));
        }
}

class first_sets {
public:
    first_sets(const std::vector<const grammar_node *> &rules,
               const std::array<native_rule, max_rules> &natives)
        : rules_(rules), natives_(natives)
    {
    }

    // Least fixed point: sets only grow and "may be empty" only turns on.
    bool update(grammar_node &n)
    {
        bool changed = false;
        for (auto &c : n.children) changed |= update(*c);
        byte_set f = n.first;
        bool empty = n.may_be_empty;
        auto body_of = [&](const grammar_node &r) -> const grammar_node & {
            return *r.children[1];
        };
        switch (n.kind) {
        case kind_syntax:
        case kind_identifier:
        case kind_integer_dec:
        case kind_integer_hex:
            empty = false;
            break;
        case kind_rule:
            f.merge(body_of(n).first);
            empty = body_of(n).may_be_empty;
            break;
        case kind_alternation:
            for (auto &c : n.children) {
                f.merge(c->first);
                empty |= c->may_be_empty;
            }
            break;
        case kind_concatenation: {
            bool all = true;
            for (auto &c : n.children) {
                f.merge(c->first);
                if (!c->may_be_empty) {
                    all = false;
                    break;
                }
            }
            empty = all;
            break;
        }
        case kind_group:
        case kind_meta_definition:
            f.merge(n.children[0]->first);
            empty = n.children[0]->may_be_empty;
            break;
        case kind_option:
            f.merge(n.children[0]->first);
            empty = true;
            break;
        case kind_repeat: {
            const grammar_node *body = nullptr;
            bool has_min = false;
            for (auto &c : n.children)
                if (c->kind != kind_integer_dec && c->kind != kind_integer_hex) body = c.get();
            has_min =
                n.children[0]->kind == kind_integer_dec || n.children[0]->kind == kind_integer_hex;
            uint32_t min = has_min ? n.children[0]->value : 0;
            f.merge(body->first);
            empty = min == 0 || body->may_be_empty;
            if (n.children.back().get() != body && n.children.back()->value == 0) empty = true;
            break;
        }
        case kind_repeat_min1:
            f.merge(n.children[0]->first);
            empty = n.children[0]->may_be_empty;
            break;
        case kind_except_terminal_string:
        case kind_any_char:
            f.add_all();
            empty = false;
            break;
        case kind_sort_string:
            sort_first(n, f);
            empty = false;
            break;
        case kind_quote_string:
        case kind_dquote_string:
            if (n.end - n.begin > 2) f.add(static_cast<unsigned char>(n.begin[1]));
            empty = n.end - n.begin <= 2;
            break;
        case kind_range_string:
            range_first(n, f);
            empty = false;
            break;
        default:
            if (n.kind >= native_ref_base && n.kind < native_ref_base + max_rules) {
                const native_rule &r = natives_[n.kind - native_ref_base];
                f.merge(r.first);
                empty = r.may_be_empty;
            } else if (n.kind >= rule_ref_base && n.kind < rule_ref_base + max_rules) {
                const grammar_node &r = *rules_[n.kind - rule_ref_base];
                f.merge(body_of(r).first);
                empty |= body_of(r).may_be_empty;
            } else {
                f.add_all(); // kinds without a matcher are never skipped (they report themselves)
                empty = true;
            }
        }
        changed |= n.first.merge(f);
        if (empty && !n.may_be_empty) {
            n.may_be_empty = true;
            changed = true;
        }
        return changed;
    }

private:
    const std::vector<const grammar_node *> &rules_;
    const std::array<native_rule, max_rules> &natives_;

    // The parser finds a byte by binary search over the set as written, so the bytes it can
    // find are exactly those the same search finds here.
    static void sort_first(const grammar_node &n, byte_set &f)
    {
        const signed char *set = reinterpret_cast<const signed char *>(n.begin + 1);
        int count = static_cast<int>(n.end - n.begin - 2);
        for (int b = -128; b < 128; ++b) {
            int lo = 0, hi = count - 1;
            while (lo <= hi) {
                int mid = (lo + hi) / 2;
                if (set[mid] == b) {
                    f.add(static_cast<unsigned char>(b));
                    break;
                }
                if (set[mid] < b)
                    lo = mid + 1;
                else
                    hi = mid - 1;
            }
        }
    }

    static void range_first(const grammar_node &n, byte_set &f)
    {
        const grammar_node &lo = *n.children[0], &hi = *n.children[1];
        if (lo.kind == kind_quote_string || lo.kind == kind_dquote_string) {
            int l = static_cast<signed char>(lo.begin[1]),
                h = static_cast<signed char>(hi.begin[1]);
            for (int b = l; b <= h; ++b) f.add(static_cast<unsigned char>(b));
        } else {
            add_code_point_leads(f, lo.value, hi.value);
        }
    }
};

// Marks a rule whose alternatives are each exactly one terminal that matches one byte (for
// ASCII input), so the parser can match it by a table lookup.
void classify_byte_rule(grammar_node &rule)
{
    const grammar_node &body = *rule.children[1];
    if (body.kind != kind_alternation) return;
    byte_set set, quiet;
    bool records = false;
    for (auto &alt : body.children) {
        if (alt->kind != kind_concatenation || alt->children.size() != 1) return;
        const grammar_node &t = *alt->children[0];
        switch (t.kind) {
        case kind_quote_string:
        case kind_dquote_string:
            if (t.end - t.begin != 3) return;
            records = true;
            break;
        case kind_sort_string:
            records = true;
            break;
        case kind_range_string:
            break;
        default:
            return;
        }
        // The first-byte set of a one-byte terminal is exactly the bytes it matches.
        for (unsigned b = 0; b < 128; ++b)
            if (t.first.has(static_cast<unsigned char>(b))) set.add(static_cast<unsigned char>(b));
        if (alt == body.children.front()) quiet = set;
    }
    rule.byte_rule = true;
    rule.byte_rule_quiet = quiet;
    rule.byte_rule_records_at_end = records;
    rule.byte_rule_set = set;
}

void resolve_identifiers(
    grammar_node &n,
    const std::map<std::string_view, std::pair<uint16_t, const grammar_node *>> &names,
    const native_matcher_map &natives, std::array<native_rule, max_rules> &slots, bool &ok)
{
    if (n.kind == kind_identifier) {
        auto it = names.find(n.text());
        if (it == names.end()) {
            std::printf("unkown identifier %.*s\n", static_cast<int>(n.end - n.begin), n.begin);
            ok = false;
            return;
        }
        uint16_t i = it->second.first;
        auto nat = natives.find(i);
        if (nat != natives.end() && nat->second.match) {
            n.kind = static_cast<node_kind>(native_ref_base + i);
            slots[i] = nat->second;
        } else {
            n.kind = static_cast<node_kind>(rule_ref_base + i);
        }
        return;
    }
    for (auto &c : n.children) resolve_identifiers(*c, names, natives, slots, ok);
}

} // namespace

std::unique_ptr<grammar> resolve_grammar(std::unique_ptr<grammar_node> syntax,
                                         const native_matcher_map &natives)
{
    if (!syntax || syntax->children.empty()) return nullptr;
    if (syntax->children.size() > max_rules) {
        std::printf("too many rules in grammar: %zu\n", syntax->children.size());
        return nullptr;
    }
    auto g = std::unique_ptr<grammar>(new grammar);
    std::map<std::string_view, std::pair<uint16_t, const grammar_node *>> names;
    uint16_t number = 0;
    for (auto &r : syntax->children) names[r->children[0]->text()] = {number++, r.get()};

    // A name defined twice maps to the later number, so rule i's node is simply the i-th.
    for (auto &r : syntax->children) g->rules_.push_back(r.get());
    bool ok = true;
    for (auto &r : syntax->children) resolve_identifiers(*r, names, natives, g->natives_, ok);
    if (!ok) return nullptr;

    // Start from "nothing can start, nothing may be empty" and grow to the fixed point.
    std::vector<grammar_node *> stack;
    for (auto &r : syntax->children) stack.push_back(r.get());
    while (!stack.empty()) {
        grammar_node *n = stack.back();
        stack.pop_back();
        n->may_be_empty = false;
        for (auto &c : n->children) stack.push_back(c.get());
    }
    first_sets fs(g->rules_, g->natives_);
    for (bool changed = true; changed;) {
        changed = false;
        for (auto &r : syntax->children) changed |= fs.update(*r);
    }
    for (auto &r : syntax->children) classify_byte_rule(*r);
    std::vector<grammar_node *> all;
    for (auto &r : syntax->children) all.push_back(r.get());
    while (!all.empty()) {
        grammar_node *n = all.back();
        all.pop_back();
        if (n->kind == kind_concatenation && n->children.size() >= 2) {
            const grammar_node &lead = *n->children[0], &next = *n->children[1];
            n->lead_lookahead = lead.kind >= rule_ref_base &&
                                lead.kind < rule_ref_base + max_rules && lead.may_be_empty &&
                                !next.may_be_empty;
        }
        for (auto &c : n->children) all.push_back(c.get());
        const grammar_node *t = n;
        for (;;) {
            if ((t->kind == kind_group || t->kind == kind_meta_definition) ||
                (t->kind == kind_alternation && t->children.size() == 1)) {
                t = t->children[0].get();
            } else if (t->kind == kind_concatenation && t->children.size() == 1) {
                node_kind k = t->children[0]->kind;
                bool transparent = k == kind_concatenation || k == kind_group || k == kind_option ||
                                   k == kind_repeat || k == kind_repeat_min1;
                if (transparent) break;
                t = t->children[0].get();
            } else {
                break;
            }
        }
        n->target = t;
    }
    // Repetitions led by a one-byte rule (targets are all known now).
    for (auto &r : syntax->children) all.push_back(r.get());
    while (!all.empty()) {
        grammar_node *n = all.back();
        all.pop_back();
        for (auto &c : n->children) all.push_back(c.get());
        if (n->kind >= rule_ref_base && n->kind < rule_ref_base + max_rules) {
            n->ref_rule = g->rules_[n->kind - rule_ref_base];
            n->ref_body = n->ref_rule->children[1]->target;
        }
        n->start_ok = n->first;
        if (n->may_be_empty) n->start_ok.add_all();
        n->transparent = n->kind == kind_concatenation || n->kind == kind_group ||
                         n->kind == kind_option || n->kind == kind_repeat ||
                         n->kind == kind_repeat_min1;
        if (n->kind == kind_option || (n->kind == kind_repeat && n->children.size() == 1)) {
            const grammar_node *t = n->children[0]->target;
            if (t->kind == kind_concatenation && t->lead_lookahead) n->empty_probe = t;
        }
        if (n->kind != kind_repeat && n->kind != kind_repeat_min1) continue;
        auto is_int = [](const grammar_node &c) {
            return c.kind == kind_integer_dec || c.kind == kind_integer_hex;
        };
        const grammar_node *body;
        n->rep_max = std::numeric_limits<uint32_t>::max();
        if (n->kind == kind_repeat_min1) {
            n->rep_min = 1;
            body = n->children[0].get();
        } else {
            size_t b = 0;
            if (is_int(*n->children[0])) {
                n->rep_min = n->children[0]->value;
                b = 1;
            }
            body = n->children[b].get();
            if (n->children.size() > b + 1 && is_int(*n->children.back())) {
                n->rep_max = n->children.back()->value;
                n->rep_bounded = true;
            }
        }
        n->rep_body = body;
        const grammar_node *t = body->target;
        if (t->kind == kind_alternation) t = t->children[0]->target;
        if (t->kind >= rule_ref_base && t->kind < rule_ref_base + max_rules) {
            size_t i = t->kind - rule_ref_base;
            if (g->rules_[i]->byte_rule) {
                n->byte_lead = g->rules_[i];
                n->byte_lead_id = static_cast<uint16_t>(i + 2);
            }
        }
    }
    for (auto &r : syntax->children) all.push_back(r.get());
    while (!all.empty()) {
        grammar_node *n = all.back();
        all.pop_back();
        for (auto &c : n->children) all.push_back(c.get());
        n->match = matcher_for(*n, *g);
    }
    g->syntax_ = std::move(syntax);
    return g;
}

} // namespace lang
