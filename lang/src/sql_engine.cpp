// The process-wide SQL engine: the dialect grammar with its native rules, the normaliser
// and the keyword sets.
#include "lang/sql_engine.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "lang/functions.h"

namespace lang {

namespace {

bool is_digit(char c)
{
    return c >= '0' && c <= '9';
}
bool is_hex_digit(char c)
{
    return is_digit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

parse_node *fail(parse_context &ctx, const char *at)
{
    ctx.fail_at(at);
    return nullptr;
}

// "0" + prefix letter + at least one digit of the kind, then every further such digit.
template <bool (*digit)(char)>
parse_node *prefixed_uint(const grammar_node &ref, const char *pos, uint64_t remaining,
                          parse_context &ctx, char letter)
{
    ctx.look_span(pos, 3, remaining);
    if (remaining < 3 || pos[0] != '0' || pos[1] != letter || !digit(pos[2])) return fail(ctx, pos);
    uint64_t n = 3;
    while (n < remaining && digit(pos[n])) ++n;
    ctx.look_at(pos + n); // the byte that ended the run, or the end
    return ctx.leaf(static_cast<node_id>(ref.kind - native_ref_base + 2), pos, n);
}

bool is_bin_digit(char c)
{
    return c == '0' || c == '1';
}

parse_node *uint_bin(const grammar_node &ref, const char *pos, uint64_t remaining,
                     parse_context &ctx)
{
    return prefixed_uint<is_bin_digit>(ref, pos, remaining, ctx, 'b');
}

parse_node *uint_hex(const grammar_node &ref, const char *pos, uint64_t remaining,
                     parse_context &ctx)
{
    return prefixed_uint<is_hex_digit>(ref, pos, remaining, ctx, 'x');
}

parse_node *uint_dec(const grammar_node &ref, const char *pos, uint64_t remaining,
                     parse_context &ctx)
{
    uint64_t n = 0;
    while (n < remaining && is_digit(pos[n])) ++n;
    ctx.look_at(pos + n);
    if (n == 0) return fail(ctx, pos);
    return ctx.leaf(static_cast<node_id>(ref.kind - native_ref_base + 2), pos, n);
}

// "D( ... )D" in double quotes: the delimiter D runs from after the quote to the first
// "(", and the literal ends at the first ")" + D + quote after that "(".
parse_node *raw_string(const grammar_node &ref, const char *pos, uint64_t remaining,
                       parse_context &ctx)
{
    ctx.look_at(pos);
    if (remaining == 0 || pos[0] != '"') return fail(ctx, pos);
    const char *end = pos + remaining;
    const char *open = static_cast<const char *>(std::memchr(pos + 1, '(', remaining - 1));
    if (!open) {
        ctx.look_at(end);
        return fail(ctx, pos + 1);
    }
    const char *delim = pos + 1;
    size_t dlen = static_cast<size_t>(open - delim);
    for (const char *p = open + 1; p < end; ++p) {
        p = static_cast<const char *>(std::memchr(p, ')', static_cast<size_t>(end - p)));
        if (!p) break;
        if (static_cast<size_t>(end - p) >= dlen + 2 && std::memcmp(p + 1, delim, dlen) == 0 &&
            p[1 + dlen] == '"') {
            ctx.look_at(p + 1 + dlen);
            return ctx.leaf(static_cast<node_id>(ref.kind - native_ref_base + 2), pos,
                            static_cast<uint64_t>(p + 2 + dlen - pos));
        }
    }
    ctx.look_at(end); // the search ran to the end of the text
    return fail(ctx, open);
}

parse_node *fn_name(const grammar_node &ref, const char *pos, uint64_t remaining,
                    parse_context &ctx)
{
    // The trie never reads further than the longest name.
    static const uint64_t longest = [] {
        size_t m = 0;
        for (std::string_view name : function_names()) m = std::max(m, name.size());
        return static_cast<uint64_t>(m);
    }();
    ctx.look_span(pos, longest, remaining);
    uint32_t n = the_function_name_trie().lookup(pos, remaining);
    if (n == 0) return fail(ctx, pos);
    return ctx.leaf(static_cast<node_id>(ref.kind - native_ref_base + 2), pos, n);
}

native_matcher_map dialect_natives()
{
    byte_set zero, digits, quote, fn_first;
    zero.add('0');
    digits.add_range('0', '9');
    quote.add('"');
    for (std::string_view name : function_names())
        fn_first.add(static_cast<unsigned char>(name[0]));
    native_matcher_map m;
    m[4] = native_rule(uint_bin, zero, false);
    m[5] = native_rule(uint_hex, zero, false);
    m[6] = native_rule(uint_dec, digits, false);
    m[9] = native_rule(raw_string, quote, false);
    m[39] = native_rule(fn_name, fn_first, false);
    return m;
}

bool is_blank_run(std::string_view s)
{
    for (char c : s)
        if (!(c == ' ' || (c >= '\t' && c <= '\f'))) return false;
    return true;
}

} // namespace

sql_engine::sql_engine()
{
    std::string_view text = sql_grammar_text();
    grammar_ = resolve_grammar(load_grammar(text.data(), text.size()), dialect_natives());
    if (!grammar_) {
        std::printf("the sql grammar could not be loaded\n");
        std::abort(); // the program's own text: only a broken build gets here
    }
}

const sql_engine &sql_engine::instance()
{
    static const sql_engine engine;
    return engine;
}

namespace {
// Builds the engine (and the function trie) before main, so no key stroke pays for it.
const sql_engine &built_at_start_up = sql_engine::instance();
} // namespace

parse_result sql_engine::parse_one(const char *text, uint64_t length) const
{
    return lang::parse_one(*grammar_, text, length);
}

int32_t sql_engine::parse_all(const char *text, uint64_t length, statement_list &list,
                              parse_options opts) const
{
    return lang::parse_all(*grammar_, text, length, list, opts);
}

const parse_node *sql_engine::find_first_node(const parse_node *tree, node_id id) const
{
    return lang::find_first_node(tree, id);
}

bool sql_engine::contains_node(const parse_node *tree, node_id id) const
{
    return lang::find_first_node(tree, id) != nullptr;
}

node_id sql_engine::node_path_at(const statement_list &list, uint64_t offset,
                                 std::vector<const parse_node *> *path) const
{
    static const id_set ids{sql_id::comment, sql_id::field_name, sql_id::table_name,
                            sql_id::fn_name, sql_id::constant,   sql_id::uint_dec,
                            sql_id::sp,      sql_id::terminal};
    return lang::node_path_at(list, offset, ids, path);
}

std::string sql_engine::normalise_statement(const parse_node *tree, bool drop_comments,
                                            bool one_line) const
{
    static const id_set ids{sql_id::field_name, sql_id::table_name, sql_id::fn_name,
                            sql_id::constant,   sql_id::uint_dec,   sql_id::raw_string,
                            sql_id::igs,        sql_id::terminal};
    std::vector<const parse_node *> parts;
    lang::collect_nodes(tree, ids, parts);
    std::string out;
    for (const parse_node *n : parts) {
        std::string_view s = n->text();
        if (n->id != sql_id::igs) {
            out.append(s);
            continue;
        }
        if (s.empty()) continue;
        if (!is_blank_run(s) && !drop_comments) {
            out.append(s);
            continue;
        }
        // A run of blanks, or a run holding a comment that is dropped: one separator.
        if (one_line)
            out += ' ';
        else
            out += s.find('\n') != std::string_view::npos ? '\n' : ' ';
    }
    return out;
}

// ---- keyword sets ----------------------------------------------------------------------

keyword_set::keyword_set(std::string_view text)
{
    size_t from = 0;
    while (from <= text.size()) {
        size_t bar = text.find('|', from);
        if (bar == std::string_view::npos) bar = text.size();
        words_.push_back(text.substr(from, bar - from));
        from = bar + 1;
    }
    sorted_ = words_;
    std::sort(sorted_.begin(), sorted_.end());
}

bool keyword_set::contains(std::string_view w) const
{
    return std::binary_search(sorted_.begin(), sorted_.end(), w);
}

namespace {
constexpr std::string_view query_text = "select|save|rows_of|cols_of|fields_of|show";
constexpr std::string_view change_text =
    "insert|delete|update|create|truncate|load|import|drop|alter|atom_exec";
constexpr std::string_view statement_text =
    "select|save|rows_of|cols_of|fields_of|show|insert|delete|update|create|truncate|load|import|"
    "drop|alter|atom_exec";
constexpr std::string_view clause_text = "adj|on|all_each|distinct|first|last|nth|range|not|exists|"
                                         "inner|project|group|by|order|asc|desc|recompute|rename";
constexpr std::string_view type_text = "u08|i08|u16|i16|u32|i32|u64|i64|float|double|string04|"
                                       "string08|string16|string32|string64|string128|"
                                       "string256|true|false|date|time|datetime|from|into|values|"
                                       "where|table|tables|all|any|not|in|export|as|csv|"
                                       "csvs|split|by|all_each|adj|on|distinct|asc|desc|inner|"
                                       "range|first|last|except|exists|join|union|path|exec|"
                                       "atom_exec";
} // namespace

const keyword_set &query_keywords()
{
    static const keyword_set s(query_text);
    return s;
}
const keyword_set &change_keywords()
{
    static const keyword_set s(change_text);
    return s;
}
const keyword_set &statement_keywords()
{
    static const keyword_set s(statement_text);
    return s;
}
const keyword_set &clause_keywords()
{
    static const keyword_set s(clause_text);
    return s;
}
const keyword_set &type_keywords()
{
    static const keyword_set s(type_text);
    return s;
}
const keyword_set &function_keywords()
{
    static const keyword_set s(function_catalogue_text());
    return s;
}

} // namespace lang
