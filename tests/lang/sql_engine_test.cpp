// The dialect: statement kinds, stop offsets, literals, the normaliser, cursor paths, and
// the equivalence of the fast path with plain matching.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lang/sql_engine.h"

using namespace lang;

namespace {

const sql_engine &engine()
{
    return sql_engine::instance();
}

int32_t stop_of(const std::string &s)
{
    statement_list list;
    return engine().parse_all(s, list);
}

bool parses(const std::string &s)
{
    return stop_of(s) == static_cast<int32_t>(s.size());
}

std::string normalised(const std::string &s, bool drop_comments, bool one_line)
{
    statement_list list;
    EXPECT_EQ(engine().parse_all(s, list), static_cast<int32_t>(s.size())) << s;
    std::string out;
    for (const parse_node *n : list)
        out += engine().normalise_statement(n, drop_comments, one_line);
    return out;
}

std::string shape(const parse_node *n)
{
    std::string s = std::to_string(n->id) + ":" + std::to_string(n->length);
    if (n->child_count()) {
        s += "(";
        for (const parse_node *c : *n) s += shape(c) + " ";
        s += ")";
    }
    return s;
}

struct statement_case {
    const char *text;
    node_id kind;
};

const statement_case statements[] = {
    {"select a, b as c from t where a == 1 && b > 2", sql_id::select_one},
    {"select * from [my table] where x in (1, 2, 3) order by a, b desc", sql_id::order},
    {"select a from t all_each on distinct", sql_id::filter},
    {"select a from t group count(a) by b", sql_id::group},
    {"select a from t recompute a = a + 1, b *= 2", sql_id::recompute},
    {"select a from t project except b, c", sql_id::project},
    {"select a from t rename a b", sql_id::rename},
    {"select a from t join (select b from u on a == b) first 3", sql_id::expand_h},
    {"select a from t union (select a from u) export as csv split by \",\" path += \"o.csv\"",
     sql_id::export_},
    {"select a into u from t", sql_id::into_expr},
    {"select a from t not exists (select b from u)", sql_id::exists_expr},
    {"select a from t where 1 < a <= 5 && b max 3 || (c != any (1, 2))", sql_id::w_btw_expr},
    {"select a from t where first 10", sql_id::w_range_expr},
    {"insert into t (a, b) values (1, \"x\"), (2, 'y') (3, 0x1F)", sql_id::insert},
    {"insert into t (a) select b from u", sql_id::insert},
    {"delete from t where id == 3", sql_id::delete_},
    {"delete from t", sql_id::delete_},
    {"update t set a = 1, b += 2 where c < 3", sql_id::update},
    {"create table t (a i32(true, false), b string16(), c datetime( ), d u8(false))",
     sql_id::create},
    {"alter table t add x float()", sql_id::alter},
    {"alter table t rename x y", sql_id::alter},
    {"drop table t", sql_id::drop},
    {"truncate table t", sql_id::truncate},
    {"import t from csvs split by \";\" path = \"in.csv\"", sql_id::import},
    {"backup as sql path += \"b.sql\"", sql_id::backup},
    {"restore from sql path = \"b.sql\"", sql_id::restore},
    {"rows_of t", sql_id::rows_of},
    {"cols_of [t]", sql_id::cols_of},
    {"fields_of t", sql_id::fields_of},
    {"show tables", sql_id::show_tabs},
    {"save t as sql path = \"t.sql\"", sql_id::save},
    {"load t from sql path = \"t.sql\"", sql_id::load},
    {"load t from big_csv path = \"t.csv\"", sql_id::load_csv},
    {"exec @\"(p)\"", sql_id::exec},
    {"atom_exec insert into t (a) values (1); delete from t where a == 2; commit",
     sql_id::atom_exec},
    {"grant select on t to\"bob\";", sql_id::dcl}, // the user name follows "to" directly
    {"deny connect on [t] tobob", sql_id::dcl},
};

} // namespace

TEST(sql_dialect, every_statement_kind_parses_to_its_rule)
{
    for (const auto &c : statements) {
        std::string s = c.text;
        auto r = engine().parse_one(s);
        ASSERT_EQ(r.result, static_cast<int32_t>(s.size())) << s;
        EXPECT_EQ(r.tree.root()->id, sql_id::sql) << s;
        EXPECT_TRUE(engine().contains_node(r.tree.root(), c.kind)) << s << " lacks " << c.kind;
    }
}

TEST(sql_dialect, statement_boundaries_and_stop_offsets)
{
    statement_list list;
    EXPECT_EQ(engine().parse_all(std::string_view("select a from t select b from t"), list), 31);
    EXPECT_EQ(list.size(), 2u);
    EXPECT_EQ(stop_of("select a from t;;"), 16);
    EXPECT_EQ(stop_of("select a from t; select b from u; delete t"), 34);
    EXPECT_EQ(stop_of("delete t"), 0);
    EXPECT_EQ(engine().parse_one(std::string_view("grant select on t to bob")).result, 20);
    EXPECT_EQ(stop_of(""), 0);
    EXPECT_EQ(stop_of("select a\r\nfrom t"), 8); // carriage return is no blank
    EXPECT_TRUE(parses("select 1"));
    EXPECT_TRUE(parses("select *"));
    EXPECT_TRUE(parses("  # lead\nselect a from t; // tail"));

    auto selecta = engine().parse_one(std::string_view("selecta from t"));
    ASSERT_TRUE(selecta.tree);
    EXPECT_EQ(engine().find_first_node(selecta.tree.root(), sql_id::field_name)->text(), "a");

    auto fn = engine().parse_one(std::string_view("select abs(x) from t"));
    EXPECT_EQ(engine().find_first_node(fn.tree.root(), sql_id::fn_name)->text(), "abs");
    EXPECT_EQ(engine().find_first_node(fn.tree.root(), sql_id::table_name)->text(), "t");
    auto field = engine().parse_one(std::string_view("select absolute from t"));
    EXPECT_FALSE(engine().contains_node(field.tree.root(), sql_id::fn_name));
    EXPECT_EQ(engine().find_first_node(field.tree.root(), sql_id::field_name)->text(), "absolute");

    // Farthest failure of a single statement.
    EXPECT_EQ(engine().parse_one(std::string_view("select a from t where a ==")).result,
              16); // matched
    EXPECT_EQ(engine().parse_one(std::string_view("update t set a = ")).result, 17);
    EXPECT_EQ(engine().parse_one(std::string_view("insert into t (a) values (1,, 2)")).result, 28);
    EXPECT_EQ(engine().parse_one(std::string_view("x")).result, 0);
}

TEST(sql_dialect, literals)
{
    auto constant_ids = [](const std::string &expr) {
        std::string text = "select " + expr;
        auto r = engine().parse_one(text);
        std::vector<node_id> ids;
        if (!r.tree || r.result != static_cast<int32_t>(expr.size() + 7)) return ids;
        for (node_id id :
             {sql_id::float_, sql_id::integer, sql_id::uint_hex, sql_id::uint_bin, sql_id::uint_dec,
              sql_id::character, sql_id::string, sql_id::raw_string, sql_id::bool_})
            if (engine().contains_node(r.tree.root(), id)) ids.push_back(id);
        return ids;
    };
    EXPECT_EQ(constant_ids("0x1F"), (std::vector<node_id>{sql_id::integer, sql_id::uint_hex}));
    EXPECT_EQ(constant_ids("-12u8"), (std::vector<node_id>{sql_id::integer, sql_id::uint_dec}));
    EXPECT_EQ(constant_ids("1."), (std::vector<node_id>{sql_id::float_, sql_id::uint_dec}));
    EXPECT_EQ(constant_ids("2.5e-3f"), (std::vector<node_id>{sql_id::float_, sql_id::uint_dec}));
    EXPECT_EQ(constant_ids("'a'"), (std::vector<node_id>{sql_id::character}));
    EXPECT_EQ(constant_ids("'\\'"),
              (std::vector<node_id>{sql_id::character})); // an escape letter alone
    EXPECT_EQ(constant_ids("\"a\\x41\\u00e9\" \"b\""), (std::vector<node_id>{sql_id::string}));
    EXPECT_EQ(constant_ids("true"), (std::vector<node_id>{sql_id::bool_}));
    EXPECT_EQ(stop_of("select 0X1F"), 8);   // upper-case prefix: 0, then X1F is no clause
    EXPECT_EQ(stop_of("select 0b102"), 11); // 0b10 and a stray 2
    EXPECT_EQ(stop_of("select .5"), 0);
    EXPECT_EQ(stop_of("select \"a\nb\""), 0); // no line feed inside a string

    auto raw = engine().parse_one(std::string_view("select @\"xy(a)\"b)xy\" from t"));
    ASSERT_EQ(raw.result, 27);
    EXPECT_EQ(engine().find_first_node(raw.tree.root(), sql_id::raw_string)->text(),
              "\"xy(a)\"b)xy\"");
    // raw_string failures point at the byte after the quote, or at the "(".
    EXPECT_EQ(engine().parse_one(std::string_view("exec @\"abc")).result, 7);
    EXPECT_EQ(engine().parse_one(std::string_view("exec @\"ab(c)a\"")).result, 9);
}

TEST(sql_dialect, normalise_statement)
{
    EXPECT_EQ(normalised("select  a\n  from t", true, true), "select a from t");
    EXPECT_EQ(normalised("select  a\n  from t", false, false), "select a\nfrom t");
    EXPECT_EQ(normalised("exec @\"(p)\"", true, true), "exec @\"(p)\"");
    EXPECT_EQ(normalised("select /* c */ a from t", true, true), "select a from t");
    EXPECT_EQ(normalised("select /* c */ a from t", false, true), "select /* c */ a from t");
    EXPECT_EQ(normalised("select a # note\nfrom t", true, false), "select a\nfrom t");
    EXPECT_EQ(normalised("select a # note\nfrom t", false, false), "select a # note\nfrom t");
    EXPECT_EQ(normalised("\n select [a b] ,x  from t ; ", true, true),
              " select [a b] ,x from t ; ");
    EXPECT_EQ(normalised("insert into t(a)values(\"q\\\"\",1.5)", true, true),
              "insert into t(a)values(\"q\\\"\",1.5)");
}

TEST(sql_dialect, node_path_at_cursor_positions)
{
    std::string text = "select abs(x), 12 from t where y == 3 /* c */";
    statement_list list;
    ASSERT_EQ(engine().parse_all(text, list), static_cast<int32_t>(text.size()));
    std::vector<const parse_node *> path;
    auto at = [&](const char *needle, size_t extra = 0) {
        return engine().node_path_at(list, text.find(needle) + extra, &path);
    };
    auto on_path = [&](node_id id) {
        for (const parse_node *n : path)
            if (n->id == id) return true;
        return false;
    };
    // Names, keywords and comments end in terminal leaves; what they belong to is on the path.
    EXPECT_EQ(at("select"), sql_id::terminal);
    EXPECT_EQ(path.back()->id, sql_id::sql);
    EXPECT_EQ(path[1]->id, sql_id::select_one);
    EXPECT_EQ(at("abs", 1), sql_id::fn_name); // native rules are leaves themselves
    EXPECT_EQ(at("x)"), sql_id::terminal);
    EXPECT_TRUE(on_path(sql_id::field_name));
    EXPECT_EQ(at("12", 1), sql_id::uint_dec);
    EXPECT_EQ(path[1]->id, sql_id::integer);
    EXPECT_TRUE(on_path(sql_id::constant));
    EXPECT_EQ(at(" t "), sql_id::terminal); // the blank before the table
    EXPECT_TRUE(on_path(sql_id::igs));
    EXPECT_EQ(at("t where"), sql_id::terminal);
    EXPECT_TRUE(on_path(sql_id::table_name));
    EXPECT_FALSE(on_path(sql_id::field_name));
    EXPECT_EQ(at("3 "), sql_id::uint_dec);
    EXPECT_EQ(at("/* c", 3), sql_id::terminal);
    EXPECT_TRUE(on_path(sql_id::comment));
    EXPECT_EQ(engine().node_path_at(list, text.size(), &path), no_node);
    EXPECT_TRUE(path.empty());
}

TEST(sql_dialect, hostile_input_fails_cleanly)
{
    std::string parens = "select " + std::string(100000, '(') + "1";
    EXPECT_LT(stop_of(parens), static_cast<int32_t>(parens.size()));
    std::string comments = "select a";
    for (int i = 0; i < 100000; ++i) comments += "/*";
    EXPECT_LT(stop_of(comments), static_cast<int32_t>(comments.size()));
    // Nested brackets in a condition make plain matching exponential; the step budget ends it.
    std::string where =
        "select a from t where " + std::string(40, '(') + "a == 1" + std::string(40, ')');
    int32_t stop = stop_of(where);
    EXPECT_TRUE(stop == 0 || stop == static_cast<int32_t>(where.size()));
    std::string bytes;
    for (int i = 0; i < 256; ++i) bytes += static_cast<char>(i);
    EXPECT_EQ(stop_of(bytes), 0);
}

TEST(sql_dialect, first_byte_skipping_changes_nothing)
{
    // Every statement above, each of its prefixes and each single-byte change must give the
    // same stop offset, failure position and tree with and without the fast path.
    const grammar &g = engine().sql_grammar();
    parse_options plain;
    plain.skip_by_first_byte = false;
    std::vector<std::string> inputs;
    for (const auto &c : statements) {
        std::string s = c.text;
        for (size_t n = 0; n <= s.size(); n += 3) inputs.push_back(s.substr(0, n));
        for (size_t i = 0; i < s.size(); i += 5) {
            for (char b : {'(', '"', '1', ' ', 'x', '\xC3'}) {
                std::string m = s;
                m[i] = b;
                inputs.push_back(m);
            }
        }
    }
    for (const std::string &s : inputs) {
        auto fast = parse_one(g, s.data(), s.size());
        auto slow = parse_one(g, s.data(), s.size(), plain);
        ASSERT_EQ(fast.result, slow.result) << s;
        ASSERT_EQ(bool(fast.tree), bool(slow.tree)) << s;
        if (fast.tree) {
            ASSERT_EQ(shape(fast.tree.root()), shape(slow.tree.root())) << s;
        }
        statement_list a, b;
        ASSERT_EQ(parse_all(g, s.data(), s.size(), a), parse_all(g, s.data(), s.size(), b, plain))
            << s;
    }

    // A whole script: every statement, separated by comments and blanks of each kind.
    std::string script;
    const char *separators[] = {"\n", " # note\n", "\n/* block /* nested */ */\t", " // line\n",
                                " ;"};
    size_t k = 0;
    for (const auto &c : statements) script += std::string(c.text) + separators[k++ % 5];
    statement_list fast, slow;
    int32_t stop = parse_all(g, script.data(), script.size(), fast);
    ASSERT_EQ(stop, parse_all(g, script.data(), script.size(), slow, plain));
    EXPECT_EQ(stop, static_cast<int32_t>(script.size()));
    ASSERT_EQ(fast.size(), slow.size());
    for (size_t i = 0; i < fast.size(); ++i) ASSERT_EQ(shape(fast[i]), shape(slow[i])) << i;
}

// Statement by statement, each tree freed after its visit: the same statements and the same
// stop as parse_all, whether the script parses whole or not.
TEST(sql_engine, parse_each_sees_what_parse_all_keeps)
{
    const sql_engine &e = sql_engine::instance();
    for (std::string text : {std::string("select a from t; /* c */ show tables\nselect 1"),
                             std::string("select a from t;\nselec b;"), std::string()}) {
        statement_list all;
        int32_t stop = e.parse_all(text, all);
        std::vector<std::string> seen;
        int32_t each_stop =
            parse_each(e.sql_grammar(), text.data(), text.size(), [&](const parse_node *st) {
                seen.push_back(e.normalise_statement(st, false, false));
            });
        EXPECT_EQ(each_stop, stop) << text;
        ASSERT_EQ(seen.size(), all.size()) << text;
        for (size_t i = 0; i < all.size(); ++i)
            EXPECT_EQ(seen[i], e.normalise_statement(all[i], false, false));
    }
}
