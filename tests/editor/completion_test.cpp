// What the popup offers where: real statements parsed by the dialect's grammar.
#include "editor/completion.h"
#include "lang/sql_engine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

completion_names demo_names()
{
    completion_names n;
    n.tables.assign({"Sales", "staff", "orders"});
    n.fields["Sales"].assign({"amount", "Region", "sold_at"});
    n.fields["orders"].assign({"id", "total"});
    return n;
}

// Completes at the end of `text`, with the text parsed as the editor would have it.
completion_result at_end(const std::string &text, const completion_names &names = demo_names())
{
    lang::statement_list list;
    lang::sql_engine::instance().parse_all(text, list);
    return complete_at(text, int32_t(text.size()), &list, true, names);
}

bool has(const completion_result &r, const std::string &w)
{
    return std::find(r.words.begin(), r.words.end(), w) != r.words.end();
}

TEST(prefix_set, finds_words_by_any_case_prefix_and_keeps_name_case)
{
    prefix_set k("Select|save|show");
    std::vector<std::string> out;
    k.collect("S", out);
    EXPECT_EQ(out, (std::vector<std::string>{"save", "select", "show"}));
    EXPECT_TRUE(k.any_with("SH"));
    EXPECT_FALSE(k.any_with("x"));

    prefix_set names;
    names.assign({"Sales", "staff", "Sales"});
    out.clear();
    names.collect("s", out);
    EXPECT_EQ(out, (std::vector<std::string>{"Sales", "staff"}));
}

TEST(completion, offers_statement_keywords_at_the_start_of_the_text)
{
    completion_result r = at_end("sel");
    EXPECT_EQ(r.place, completion_place::statement_start);
    EXPECT_EQ(r.prefix_length, 3);
    EXPECT_EQ(r.words, std::vector<std::string>{"select"});
}

// The kinds of positions in statements a user types, with what must and must not be offered.
struct case_t {
    const char *text;
    completion_place place;
    const char *offered;
    const char *not_offered;
};

class completion_positions : public ::testing::TestWithParam<case_t> {};

TEST_P(completion_positions, offers_the_words_that_fit)
{
    const case_t &c = GetParam();
    completion_result r = at_end(c.text);
    EXPECT_EQ(r.place, c.place) << c.text;
    if (*c.offered) {
        EXPECT_TRUE(has(r, c.offered)) << c.text;
    }
    if (*c.not_offered) {
        EXPECT_FALSE(has(r, c.not_offered)) << c.text;
    }
}

INSTANTIATE_TEST_SUITE_P(
    statements, completion_positions,
    ::testing::Values(
        // A table after from, any case of the prefix.
        case_t{"select * from s", completion_place::table, "Sales", "orders"},
        case_t{"select * from S", completion_place::table, "staff", "select"},
        // After select: the fields of the statement's table, functions and other words.
        case_t{"select a from Sales;\nselect ", completion_place::expression, "count", "Sales"},
        case_t{"select * from Sales where ", completion_place::field, "Region", "count"},
        case_t{"select * from Sales where sold_at > 1 && a", completion_place::field, "amount", ""},
        case_t{"select * from orders order by ", completion_place::field, "total", "amount"},
        case_t{"select * from orders order by id, t", completion_place::field, "total", ""},
        case_t{"update Sales set ", completion_place::field, "Region", "total"},
        case_t{"update Sales set amount = 1, s", completion_place::field, "sold_at", ""},
        case_t{"insert into orders (", completion_place::field, "id", "amount"},
        case_t{"insert into orders (id, ", completion_place::field, "total", ""},
        case_t{"fields_of ", completion_place::table, "orders", "select"},
        // A keyword being typed.
        case_t{"select * fr", completion_place::keyword, "from", "Sales"},
        case_t{"select 1;\nup", completion_place::keyword, "update", ""},
        // Inside a comment nothing is offered.
        case_t{"select 1; // sel", completion_place::comment, "", "select"}));

TEST(completion, gives_up_far_into_an_unparsed_script_without_a_semicolon)
{
    std::string text(300, 'x');
    text += " sel";
    completion_result r = complete_at(text, int32_t(text.size()), nullptr, false, demo_names());
    EXPECT_TRUE(r.words.empty());
    // With a ';' in reach the statement after it is looked at.
    text += ";\nsel";
    r = complete_at(text, int32_t(text.size()), nullptr, false, demo_names());
    EXPECT_TRUE(has(r, "select"));
}

TEST(completion, a_stale_parse_is_trusted_only_where_the_text_still_matches)
{
    const std::string old_text = "select * from orders;\n";
    lang::statement_list list;
    lang::sql_engine::instance().parse_all(old_text, list);
    // The first statement is unchanged, so the new one starts after it.
    std::string text = old_text + "select * from orders where ";
    completion_result r = complete_at(text, int32_t(text.size()), &list, false, demo_names());
    EXPECT_TRUE(has(r, "total"));
    // An edit inside the old statement: the parse no longer describes it.
    text = "select * from Sales;\nupdate orders set ";
    r = complete_at(text, int32_t(text.size()), &list, false, demo_names());
    EXPECT_TRUE(has(r, "total"));
    EXPECT_FALSE(has(r, "amount"));
}

TEST(completion, lists_no_word_twice)
{
    completion_result r = at_end("select 1;\nselect * from orders where f");
    std::vector<std::string> sorted = r.words;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(std::adjacent_find(sorted.begin(), sorted.end()), sorted.end());
}

} // namespace
