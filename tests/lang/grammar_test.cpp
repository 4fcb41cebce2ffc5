// The grammar notation: what the loader reads, and how resolution binds names.
#include <gtest/gtest.h>

#include <string>

#include "lang/grammar.h"
#include "lang/parser.h"

using namespace lang;

namespace {

struct loaded {
    std::string text; // the nodes point into it
    std::unique_ptr<grammar_node> root;
};

loaded load(std::string text)
{
    loaded l{std::move(text), nullptr};
    l.root = load_grammar(l.text.data(), l.text.size());
    return l;
}

const grammar_node &body_term(const grammar_node &rule)
{
    // rule -> alternation -> first concatenation -> first term
    return *rule.children[1]->children[0]->children[0];
}

} // namespace

TEST(grammar_loader, reads_terms_of_each_form)
{
    auto l = load("a = 'x' , \"y\";\nb = 'x'~'z';\nc = 0x1{b}1048576;\nd = {b}3;\ne = <b>;\n"
                  "f = ('08'|'8'|);\ng = `!+-~` | . | !'x' | 0x0a~0x0a | [a];");
    ASSERT_TRUE(l.root);
    ASSERT_EQ(l.root->children.size(), 7u);
    const auto &rules = l.root->children;

    const grammar_node &concat_a = *rules[0]->children[1]->children[0];
    EXPECT_EQ(concat_a.kind, kind_concatenation);
    ASSERT_EQ(concat_a.children.size(), 2u);
    EXPECT_EQ(concat_a.children[0]->kind, kind_quote_string);
    EXPECT_EQ(concat_a.children[1]->kind, kind_dquote_string);

    const grammar_node &range = body_term(*rules[1]);
    EXPECT_EQ(range.kind, kind_range_string);
    EXPECT_EQ(range.children[0]->text(), "'x'");
    EXPECT_EQ(range.children[1]->text(), "'z'");

    const grammar_node &rep = body_term(*rules[2]);
    ASSERT_EQ(rep.kind, kind_repeat);
    ASSERT_EQ(rep.children.size(), 3u);
    EXPECT_EQ(rep.children[0]->kind, kind_integer_hex);
    EXPECT_EQ(rep.children[0]->value, 1u);
    EXPECT_EQ(rep.children[1]->kind, kind_alternation);
    EXPECT_EQ(rep.children[2]->value, 1048576u);

    const grammar_node &maxonly = body_term(*rules[3]);
    ASSERT_EQ(maxonly.children.size(), 2u);
    EXPECT_EQ(maxonly.children[0]->kind, kind_alternation);
    EXPECT_EQ(maxonly.children[1]->kind, kind_integer_dec);

    EXPECT_EQ(body_term(*rules[4]).kind, kind_repeat_min1);

    // A bar with nothing after it is dropped: two alternatives, not an empty third.
    const grammar_node &group = body_term(*rules[5]);
    ASSERT_EQ(group.kind, kind_group);
    EXPECT_EQ(group.children[0]->children.size(), 2u);

    const auto &alts = rules[6]->children[1]->children;
    ASSERT_EQ(alts.size(), 5u);
    EXPECT_EQ(alts[0]->children[0]->kind, kind_sort_string);
    EXPECT_EQ(alts[1]->children[0]->kind, kind_any_char);
    EXPECT_EQ(alts[2]->children[0]->kind, kind_except_terminal_string);
    EXPECT_EQ(alts[3]->children[0]->kind, kind_range_string);
    EXPECT_EQ(alts[3]->children[0]->children[0]->value, 10u);
    EXPECT_EQ(alts[4]->children[0]->kind, kind_option);
}

TEST(grammar_loader, blanks_around_tilde_are_no_range)
{
    // The range attempt is abandoned, 'x' is read, and "~" cannot continue the rule.
    EXPECT_FALSE(load("a = 'x' ~ 'z';").root);
    EXPECT_FALSE(load("a = 'x'~\"z\";").root); // ends of different forms
}

TEST(grammar_loader, names_may_hold_blanks_and_start_with_digits)
{
    auto l = load("my rule = 'x';\n12 = 0x;\n");
    ASSERT_TRUE(l.root);
    EXPECT_EQ(l.root->children[0]->children[0]->text(), "my rule");
    EXPECT_EQ(l.root->children[1]->children[0]->text(), "12");
    const grammar_node &ref = body_term(*l.root->children[1]);
    EXPECT_EQ(ref.kind, kind_identifier);
    EXPECT_EQ(ref.text(), "0x");
}

TEST(grammar_loader, comments_do_not_nest_and_need_their_closer)
{
    auto nested = load("x = 'y'; (* a (* b *) c *) z = 'w';");
    ASSERT_TRUE(nested.root);
    EXPECT_EQ(nested.root->children.size(), 1u); // "c *)" stops the reading

    auto all_forms = load("/* a */ x = 'y'; // line\n(* b *) z = 'w'; ");
    ASSERT_TRUE(all_forms.root);
    EXPECT_EQ(all_forms.root->children.size(), 2u);

    EXPECT_FALSE(load("// no line feed").root);
    EXPECT_FALSE(load("/* open x = 'y';").root);
}

TEST(grammar_loader, stops_quietly_at_the_first_bad_rule)
{
    auto l = load("a = 'x';\nb = ;\nc = 'y';");
    ASSERT_TRUE(l.root);
    EXPECT_EQ(l.root->children.size(), 1u);
    EXPECT_EQ(load("a = 'x'; b = 'unterminated;").root->children.size(), 1u);
    EXPECT_EQ(load("a = 'x'; b = ('y';").root->children.size(), 1u);
    EXPECT_FALSE(load("").root);
    EXPECT_FALSE(load("   ").root);
}

TEST(grammar_resolver, binds_names_and_rejects_unknown_ones)
{
    std::string text = "s = a, b;\na = 'x';\nb = a;";
    auto g = resolve_grammar(load_grammar(text.data(), text.size()), {});
    ASSERT_TRUE(g);
    EXPECT_EQ(g->rule_count(), 3u);
    EXPECT_EQ(g->rule_name(0), "s");
    const grammar_node &concat = *g->rule(0).children[1]->children[0];
    EXPECT_EQ(concat.children[0]->kind, rule_ref_base + 1);
    EXPECT_EQ(concat.children[1]->kind, rule_ref_base + 2);

    std::string bad = "a = 0x;\nb = 12;";
    testing::internal::CaptureStdout();
    auto rejected = resolve_grammar(load_grammar(bad.data(), bad.size()), {});
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_FALSE(rejected);
    EXPECT_EQ(out, "unkown identifier 0x\nunkown identifier 12\n");
}

TEST(grammar_resolver, native_rules_get_their_own_kind)
{
    std::string text = "s = n;\nn = 'x';";
    native_matcher_map natives;
    natives[1] = native_rule([](const grammar_node &, const char *, uint64_t,
                                parse_context &) -> parse_node * { return nullptr; });
    auto g = resolve_grammar(load_grammar(text.data(), text.size()), natives);
    ASSERT_TRUE(g);
    EXPECT_EQ(body_term(g->rule(0)).kind, native_ref_base + 1);
    EXPECT_TRUE(g->native(1));
    EXPECT_FALSE(g->native(0));
}

TEST(grammar_resolver, first_bytes_and_emptiness)
{
    std::string text = "s = [a], b | c;\na = 'x';\nb = 'y'~'z';\nc = {a};";
    auto g = resolve_grammar(load_grammar(text.data(), text.size()), {});
    ASSERT_TRUE(g);
    const grammar_node &body = *g->rule(0).children[1];
    EXPECT_TRUE(body.may_be_empty); // through c
    EXPECT_TRUE(body.first.has('x'));
    EXPECT_TRUE(body.first.has('y'));
    EXPECT_TRUE(body.first.has('z'));
    EXPECT_FALSE(body.first.has('w'));
    const grammar_node &first_alt = *body.children[0];
    EXPECT_FALSE(first_alt.may_be_empty);
}

TEST(grammar_resolver, a_rule_defined_twice_means_the_later_one)
{
    std::string text = "s = a;\na = 'x';\na = 'y';";
    auto g = resolve_grammar(load_grammar(text.data(), text.size()), {});
    ASSERT_TRUE(g);
    EXPECT_EQ(g->rule(1).children[0]->kind, rule_ref_base + 2); // even the earlier head
    auto y = parse_one(*g, "y", 1);
    ASSERT_TRUE(y.tree);
    EXPECT_EQ(y.tree.root()->id, 4);
    EXPECT_FALSE(parse_one(*g, "x", 1).tree);
}
