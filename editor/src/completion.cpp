#include "editor/completion.h"

#include "editor/text_range.h"
#include "lang/sql_engine.h"

#include <algorithm>
#include <cstring>
#include <unordered_set>

namespace sid = lang::sql_id;

namespace {

std::string lower(std::string_view s)
{
    std::string out(s);
    for (char &c : out)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return out;
}

std::string join_words(const lang::keyword_set &set)
{
    std::string out;
    for (std::string_view w : set.words()) {
        if (!out.empty()) out += '|';
        out += w;
    }
    return out;
}

// The placeholder name put where the cursor is, to learn what the grammar expects there.
constexpr std::string_view probe_name = "vela__x";

// Closings tried after the placeholder so that a statement still being typed parses.
constexpr std::string_view closings[] = {
    "", ";", " == 1;", " = 1;", ") values (1);", " asc;", ")", ");", " from t;", " from t", ";)",
};

bool path_has(const std::vector<const lang::parse_node *> &path, lang::node_id id)
{
    for (const lang::parse_node *n : path)
        if (n->id == id) return true;
    return false;
}

// Path from the deepest node holding p up to the root (every node, not only named ones).
void path_in(const lang::parse_node *tree, const char *p,
             std::vector<const lang::parse_node *> &out)
{
    out.clear();
    const lang::parse_node *n = tree;
    if (p < n->start || p >= n->stop()) return;
    std::vector<const lang::parse_node *> down{n};
    while (n->child_count() > 0) {
        const lang::parse_node *next = nullptr;
        for (const lang::parse_node *c : *n)
            if (p >= c->start && p < c->stop()) {
                next = c;
                break;
            }
        if (!next) break;
        down.push_back(next);
        n = next;
    }
    out.assign(down.rbegin(), down.rend());
}

// First table_name of a tree that ends at or before `limit`.
std::string first_table(const lang::parse_node *tree, const char *limit)
{
    std::vector<const lang::parse_node *> names;
    lang::collect_nodes(tree, lang::id_set{sid::table_name}, names);
    for (const lang::parse_node *n : names)
        if (n->stop() <= limit) return std::string(n->text());
    return std::string();
}

completion_place place_of(const std::vector<const lang::parse_node *> &path)
{
    if (path.empty()) return completion_place::expression;
    if (path_has(path, sid::comment)) return completion_place::comment;
    if (path_has(path, sid::fn_name)) return completion_place::function;
    if (path_has(path, sid::table_name)) return completion_place::table;
    if (path_has(path, sid::field_name))
        // A name inside an expression may as well be a function or a constant word; one in a
        // field list, an order or an assignment's left side is a field.
        return path_has(path, sid::pri_expr) && !path_has(path, sid::where_pri_expr)
                   ? completion_place::expression
                   : completion_place::field;
    return completion_place::expression;
}

// Whether a statement tree ends with its ';'.
bool closed(const lang::parse_node *tree)
{
    for (const lang::parse_node *c : *tree)
        if (c->id == sid::ddl || c->id == sid::dml || c->id == sid::dcl)
            return c->child_count() > 0 && c->child(c->child_count() - 1)->text() == ";";
    return true;
}

struct statement_span {
    int32_t start = -1;
    const lang::parse_node *tree = nullptr; // the statement holding the cursor, if any
};

// Where the statement around the cursor starts, from the last parse where it can be trusted,
// else by looking back for a ';'. start -1: give up.
statement_span statement_start(std::string_view text, int32_t cursor,
                               const lang::statement_list *parsed, bool current)
{
    statement_span span;
    if (parsed && !parsed->empty()) {
        // The last statement that starts at or before the cursor.
        size_t lo = 0, hi = parsed->size();
        while (lo < hi) {
            const size_t mid = (lo + hi) / 2;
            if (int64_t(parsed->offset(mid)) <= cursor)
                lo = mid + 1;
            else
                hi = mid;
        }
        if (lo == 0) {
            span.start = 0;
            if (current) return span;
        } else {
            const size_t i = lo - 1;
            const lang::parse_node *n = (*parsed)[i];
            const int32_t b = int32_t(parsed->offset(i));
            const int32_t e = b + int32_t(n->length);
            // A stale parse still describes the text before the first edit.
            const bool trusted =
                current || (e <= int32_t(text.size()) &&
                            std::memcmp(text.data() + b, n->start, size_t(e - b)) == 0);
            if (trusted) {
                // A statement not closed by ';' goes on in the text the parse stopped at.
                if ((cursor <= e && cursor > b) || (cursor > e && !closed(n))) {
                    span.start = b;
                    span.tree = current && cursor < e ? n : nullptr;
                } else {
                    span.start = e;
                }
                return span;
            }
        }
    }
    const int32_t lookback = std::max(0, cursor - 64);
    for (int32_t i = cursor; i > lookback; --i)
        if (text[size_t(i - 1)] == ';') {
            span.start = i;
            return span;
        }
    span.start = cursor < 256 ? 0 : -1;
    return span;
}

void add_set(const prefix_set &set, std::string_view prefix, std::vector<std::string> &out)
{
    set.collect(prefix, out);
}

} // namespace

// --- prefix_set --------------------------------------------------------------------------------

prefix_set::prefix_set(std::string_view bar_text)
{
    std::vector<std::string> words;
    size_t from = 0;
    while (from <= bar_text.size()) {
        size_t bar = bar_text.find('|', from);
        if (bar == std::string_view::npos) bar = bar_text.size();
        if (bar > from) words.push_back(lower(bar_text.substr(from, bar - from)));
        from = bar + 1;
    }
    assign(std::move(words));
}

void prefix_set::assign(std::vector<std::string> words)
{
    words_.clear();
    words_.reserve(words.size());
    for (std::string &w : words)
        if (!w.empty()) words_.push_back({lower(w), std::move(w)});
    std::sort(words_.begin(), words_.end(), [](const entry &a, const entry &b) {
        return a.key != b.key ? a.key < b.key : a.word < b.word;
    });
    words_.erase(std::unique(words_.begin(), words_.end(),
                             [](const entry &a, const entry &b) { return a.word == b.word; }),
                 words_.end());
}

size_t prefix_set::first_with(std::string_view lower_prefix) const
{
    auto it = std::lower_bound(words_.begin(), words_.end(), lower_prefix,
                               [](const entry &e, std::string_view p) { return e.key < p; });
    return size_t(it - words_.begin());
}

bool prefix_set::any_with(std::string_view prefix) const
{
    const std::string p = lower(prefix);
    const size_t i = first_with(p);
    return i < words_.size() && words_[i].key.compare(0, p.size(), p) == 0;
}

void prefix_set::collect(std::string_view prefix, std::vector<std::string> &out) const
{
    const std::string p = lower(prefix);
    for (size_t i = first_with(p); i < words_.size(); ++i) {
        if (words_[i].key.compare(0, p.size(), p) != 0) break;
        out.push_back(words_[i].word);
    }
}

// --- sets ----------------------------------------------------------------------------------

const prefix_set &completion_functions()
{
    static const prefix_set s(join_words(lang::function_keywords()));
    return s;
}
const prefix_set &completion_read_keywords()
{
    static const prefix_set s(join_words(lang::query_keywords()));
    return s;
}
const prefix_set &completion_write_keywords()
{
    static const prefix_set s(join_words(lang::change_keywords()));
    return s;
}
const prefix_set &completion_statement_keywords()
{
    static const prefix_set s(join_words(lang::statement_keywords()));
    return s;
}
const prefix_set &completion_post_keywords()
{
    static const prefix_set s(join_words(lang::clause_keywords()));
    return s;
}
const prefix_set &completion_other_keywords()
{
    static const prefix_set s(join_words(lang::type_keywords()));
    return s;
}

// --- the decision ----------------------------------------------------------------------------

completion_result complete_at(std::string_view text, int32_t cursor,
                              const lang::statement_list *parsed, bool parse_current,
                              const completion_names &names)
{
    completion_result r;
    if (cursor < 0 || cursor > int32_t(text.size())) return r;
    int32_t word_begin = cursor;
    while (word_begin > 0 && is_word_byte(static_cast<unsigned char>(text[size_t(word_begin - 1)])))
        --word_begin;
    r.prefix_length = cursor - word_begin;
    const std::string_view word = text.substr(size_t(word_begin), size_t(r.prefix_length));

    std::vector<std::string> out;
    if (word_begin == 0) {
        r.place = completion_place::statement_start;
        add_set(completion_statement_keywords(), word, out);
        r.words = std::move(out);
        return r;
    }

    const statement_span span = statement_start(text, cursor, parsed, parse_current);
    if (span.start < 0 || span.start >= int32_t(text.size())) return r;
    const lang::sql_engine &engine = lang::sql_engine::instance();

    // What the grammar expects at the word: put a name there and see whether the statement
    // parses with it, closed in one of a few ways.
    std::string probe(text.substr(size_t(span.start), size_t(word_begin - span.start)));
    const size_t name_at = probe.size();
    probe += probe_name;
    const size_t open_end = probe.size();
    std::vector<const lang::parse_node *> path;
    bool found = false;
    for (std::string_view closing : closings) {
        probe.resize(open_end);
        probe += closing;
        lang::parse_result pr = engine.parse_one(probe.data(), probe.size());
        if (!pr.tree || size_t(pr.result) != probe.size()) continue;
        path_in(pr.tree.root(), probe.data() + name_at, path);
        if (path.empty()) continue;
        found = true;
        r.table = first_table(pr.tree.root(), probe.data() + name_at);
        break;
    }
    if (span.tree) {
        // Inside a statement that parsed whole: its table may stand after the cursor.
        const std::string t = first_table(span.tree, span.tree->stop());
        if (!t.empty() && r.table.empty()) r.table = t;
        if (!found) {
            path_in(span.tree,
                    span.tree->start + (r.prefix_length > 0 ? cursor - 1 : cursor) - span.start,
                    path);
            found = !path.empty();
        }
    }

    if (!found) {
        // No name fits here: a keyword is being typed.
        r.place = completion_place::keyword;
        for (const prefix_set *set : {&completion_read_keywords(), &completion_write_keywords(),
                                      &completion_other_keywords(), &completion_post_keywords()}) {
            if (out.size() > 5) break;
            add_set(*set, word, out);
        }
    } else {
        r.place = place_of(path);
        const prefix_set *fields = nullptr;
        if (!r.table.empty()) {
            auto it = names.fields.find(r.table);
            if (it != names.fields.end()) fields = &it->second;
        }
        switch (r.place) {
        case completion_place::comment:
            break;
        case completion_place::function:
            add_set(completion_functions(), word, out);
            break;
        case completion_place::table:
            add_set(names.tables, word, out);
            break;
        case completion_place::field:
            if (fields) add_set(*fields, word, out);
            break;
        default:
            if (fields) add_set(*fields, word, out);
            add_set(completion_functions(), word, out);
            add_set(completion_other_keywords(), word, out);
            break;
        }
    }
    // Merged without duplicates, in the order collected.
    std::vector<std::string> unique;
    unique.reserve(out.size());
    std::unordered_set<std::string> seen;
    for (std::string &w : out)
        if (seen.insert(w).second) unique.push_back(std::move(w));
    r.words = std::move(unique);
    return r;
}
