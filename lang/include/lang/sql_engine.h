// The SQL dialect: its grammar (loaded once, read-only afterwards), the native rules, the
// statement normaliser and the queries the editor, the table model and the server use.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "lang/grammar.h"
#include "lang/parser.h"

namespace lang {

// Node ids of the dialect's rules (rule number + 2). Names that are C++ keywords carry a
// trailing underscore.
namespace sql_id {
enum id : node_id {
    terminal = 1,
    syntax = 2,
    constant = 3,
    integer = 4,
    int_sfx = 5,
    uint_bin = 6,
    uint_hex = 7,
    uint_dec = 8,
    float_ = 9,
    string = 10,
    raw_string = 11,
    s_char = 12,
    fraction = 13,
    exponent = 14,
    end_line = 15,
    character = 16,
    c_char = 17,
    esc_char = 18,
    esc_bin = 19,
    esc_ctrl = 20,
    esc_hex = 21,
    hex_digit = 22,
    esc_uni = 23,
    digit = 24,
    bool_ = 25,
    expr = 26,
    pri_expr = 27,
    unary_expr = 28,
    unary_op = 29,
    mtive_expr = 30,
    ative_expr = 31,
    shift_expr = 32,
    rlt_expr = 33,
    eqt_expr = 34,
    bit_and_expr = 35,
    bit_xor_expr = 36,
    bit_or_expr = 37,
    lgc_and_expr = 38,
    lgc_or_expr = 39,
    fn_expr = 40,
    fn_name = 41,
    arg_lst = 42,
    exprs = 43,
    sql = 44,
    ddl = 45,
    dataset_post = 46,
    select_one = 47,
    into_expr = 48,
    expand_h = 49,
    expand_v = 50,
    select = 51,
    insert = 52,
    delete_ = 53,
    update = 54,
    dml = 55,
    create = 56,
    field_opt = 57,
    dt_int = 58,
    dt_str = 59,
    dt_date = 60,
    dt_time = 61,
    dt_datetime = 62,
    dt_flt = 63,
    data_type_opt = 64,
    alter = 65,
    drop = 66,
    dcl = 67,
    where = 68,
    field = 69,
    field_name = 70,
    table_name = 71,
    user_name = 72,
    bare_string = 73,
    bare_char = 74,
    comment = 75,
    singleline_comment = 76,
    multiline_comment = 77,
    igs = 78,
    sp = 79,
    whitespace = 80,
    where_cond = 81,
    where_pri_expr = 82,
    where_and_expr = 83,
    where_or_expr = 84,
    field_or_table_string = 85,
    w_range_expr = 86,
    w_miax_expr = 87,
    w_btw_expr = 88,
    w_rel_expr = 89,
    w_in_expr = 90,
    rows_of = 91,
    cols_of = 92,
    save = 93,
    load = 94,
    exec = 95,
    fields_of = 96,
    show_tabs = 97,
    f_char = 98,
    order = 99,
    filter = 100,
    line_inter_expr = 101,
    line_adj_expr = 102,
    line_inner_expr = 103,
    line_range_expr = 104,
    exists_expr = 105,
    group = 106,
    recompute = 107,
    project = 108,
    rename = 109,
    agn_expr = 110,
    truncate = 111,
    constant_expr = 112,
    all_expr = 113,
    export_ = 114,
    import = 115,
    atom_exec = 116,
    atom_ddl = 117,
    backup = 118,
    restore = 119,
    esc_2hex = 120,
    load_csv = 121,
};
} // namespace sql_id

// The grammar text of the dialect (one text, the rules in their fixed order).
std::string_view sql_grammar_text();

class sql_engine {
public:
    // The process-wide engine; built on first use (also forced during static
    // initialisation), read-only afterwards. Parses must not run concurrently.
    static const sql_engine &instance();

    const grammar &sql_grammar() const { return *grammar_; }

    // Matches one statement at text; result = matched length, or farthest failure offset.
    parse_result parse_one(const char *text, uint64_t length) const;
    parse_result parse_one(std::string_view s) const { return parse_one(s.data(), s.size()); }

    // Splits a script into statement trees (root id sql_id::sql); returns where it stopped.
    int32_t parse_all(const char *text, uint64_t length, statement_list &list,
                      parse_options opts = {}) const;
    int32_t parse_all(std::string_view s, statement_list &list) const
    {
        return parse_all(s.data(), s.size(), list);
    }

    // First descendant with that id (root excluded), e.g. sql_id::table_name.
    const parse_node *find_first_node(const parse_node *tree, node_id id) const;

    // Whether any descendant of tree (root excluded) has the id.
    bool contains_node(const parse_node *tree, node_id id) const;

    // node_path_at with the completion id set {comment, field_name, table_name, fn_name,
    // constant, uint_dec, sp, terminal}.
    node_id node_path_at(const statement_list &list, uint64_t offset,
                         std::vector<const parse_node *> *path = nullptr) const;

    // Rebuilds a statement from its names, constants, numbers, raw strings, ignorable runs and
    // terminal leaves. drop_comments: a run holding a comment becomes a separator; one_line:
    // every separator is one space, else a run with a line feed becomes "\n".
    std::string normalise_statement(const parse_node *tree, bool drop_comments,
                                    bool one_line) const;

private:
    sql_engine();
    std::unique_ptr<grammar> grammar_;
};

// A set of words, kept in the order of its stored text, with a fast membership test.
class keyword_set {
public:
    explicit keyword_set(std::string_view text); // words separated by "|"
    const std::vector<std::string_view> &words() const { return words_; }
    bool contains(std::string_view w) const;

private:
    std::vector<std::string_view> words_;
    std::vector<std::string_view> sorted_;
};

// The dialect's word lists, for completion and colouring.
const keyword_set &query_keywords();
const keyword_set &change_keywords();
const keyword_set &statement_keywords(); // query words, then change words
const keyword_set &clause_keywords();
const keyword_set &type_keywords();
const keyword_set &function_keywords(); // the built-in function names, in catalogue order

} // namespace lang
