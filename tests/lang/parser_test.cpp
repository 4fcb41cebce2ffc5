// The parser's matching rules, on small grammars of our own.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <list>
#include <string>

#include "lang/parser.h"

using namespace lang;

namespace {

// A grammar and the text it was loaded from.
struct test_grammar {
    std::string text;
    std::unique_ptr<grammar> g;
    explicit test_grammar(std::string t) : text(std::move(t))
    {
        g = resolve_grammar(load_grammar(text.data(), text.size()), {});
    }
    // Trees point into their text, so every input is kept as long as the grammar.
    parse_result one(const std::string &s) const
    {
        inputs.push_back(s);
        return parse_one(*g, inputs.back().data(), inputs.back().size());
    }
    mutable std::list<std::string> inputs;
};

// Tree as "id[text](children)" for compact comparisons.
std::string shape(const parse_node *n)
{
    std::string s = std::to_string(n->id) + "[" + std::string(n->text()) + "]";
    if (n->child_count()) {
        s += "(";
        for (size_t i = 0; i < n->child_count(); ++i) s += (i ? " " : "") + shape(n->child(i));
        s += ")";
    }
    return s;
}

} // namespace

TEST(parser, ordered_choice_never_retries_a_success)
{
    test_grammar t("a = 'se' | 'select';");
    EXPECT_EQ(t.one("select").result, 2);
    test_grammar whole("s = a, 'x'; a = 'se' | 'select';");
    EXPECT_EQ(whole.one("sex").result, 3);
    EXPECT_FALSE(whole.one("selectx").tree); // "select" is never tried once "se" matched
}

TEST(parser, greedy_repetition_without_backtracking)
{
    test_grammar t("a = {'x'}, 'x';");
    auto r = t.one("xxx");
    EXPECT_FALSE(r.tree);
    EXPECT_EQ(r.result, 3); // the final 'x' failed at the end

    test_grammar bounded("a = 4{h}4; h = '0'~'9';");
    EXPECT_EQ(bounded.one("12345").result, 4);
    auto short_one = bounded.one("123");
    EXPECT_FALSE(short_one.tree);
    EXPECT_EQ(short_one.result, -1); // a range at the end records no failure
}

TEST(parser, node_shapes_follow_relabel_and_wrap_rules)
{
    test_grammar t("s = a, [b], c;\na = 'x';\nb = 'y';\nc = 'p', 'q';\nd = a;");
    auto r = t.one("xpq");
    ASSERT_TRUE(r.tree);
    // The empty option leaves nothing; a (a single literal) wraps its leaf; c's anonymous
    // concatenation is relabelled.
    EXPECT_EQ(shape(r.tree.root()), "0[xpq](3[x](1[x]) 5[pq](1[p] 1[q]))");
    EXPECT_EQ(shape(t.one("xypq").tree.root()), "0[xypq](3[x](1[x]) 4[y](1[y]) 5[pq](1[p] 1[q]))");

    test_grammar ref("s = d;\nd = a;\na = 'x';");
    EXPECT_EQ(shape(ref.one("x").tree.root()), "3[x](4[x](1[x]))");

    test_grammar single("s = 'x';");
    EXPECT_EQ(shape(single.one("x").tree.root()), "1[x]");

    // Groups and repetitions pass their children up into the enclosing concatenation.
    test_grammar flat("s = ('a', 'b'), {'c'}, <'d'>;");
    EXPECT_EQ(shape(flat.one("abccd").tree.root()), "0[abccd](1[a] 1[b] 1[c] 1[c] 1[d])");
}

TEST(parser, failure_positions)
{
    test_grammar t("s = 'ab', 'cd' | 'ax';");
    EXPECT_EQ(t.one("abce").result, 2); // the farthest failing terminal started at 2
    EXPECT_EQ(t.one("zz").result, 0);
    // Nothing recorded: the text ended where a character was required.
    test_grammar any("s = .;");
    EXPECT_EQ(any.one("").result, -1);
    // A set, a literal and an exception record their failure at the end as well.
    test_grammar set("s = 'a', `xy`;");
    EXPECT_EQ(set.one("a").result, 1);
}

TEST(parser, code_points)
{
    test_grammar t("s = .;");
    auto arrow = t.one("\xE2\x86\xB4");
    ASSERT_TRUE(arrow.tree);
    EXPECT_EQ(arrow.tree.root()->length, 3u);
    EXPECT_EQ(t.one("\xFF").tree.root()->length, 1u);
    EXPECT_EQ(t.one("\xE2\x86").tree.root()->length, 1u); // cut short: one byte

    test_grammar range("s = 0x80~0x10FFFF;");
    EXPECT_EQ(range.one("\xC3\xA9").result, 2);
    EXPECT_FALSE(range.one("e").tree);

    test_grammar except("s = {!'*'};");
    EXPECT_EQ(except.one("a\xC3\xA9*").result, 3);
}

TEST(parser, decode_code_point_stays_within_remaining)
{
    // Heap blocks of exactly the given size, so a sanitizer catches any read past them.
    auto decode = [](const char *bytes, size_t n, uint32_t *v) {
        char *p = static_cast<char *>(std::malloc(n ? n : 1));
        std::memcpy(p, bytes, n);
        int len = decode_code_point(p, n, v);
        std::free(p);
        return len;
    };
    uint32_t v = 0;
    EXPECT_EQ(decode("A", 1, &v), 1);
    EXPECT_EQ(v, 0x41u);
    EXPECT_EQ(decode("\xF0\x9F\x98\x80", 4, &v), 4);
    EXPECT_EQ(v, 0x1F600u);
    EXPECT_EQ(decode("\xF0\x9F\x98", 3, &v), 0);
    EXPECT_EQ(decode("\xE2\x86", 2, &v), 0);
    EXPECT_EQ(decode("\xC3", 1, &v), 0);
    EXPECT_EQ(decode("\xC3\x41", 2, &v), 0);
    EXPECT_EQ(decode("\x80", 1, &v), 0);
    EXPECT_EQ(decode("\xF8\x80\x80\x80", 4, &v), 0);
    EXPECT_EQ(decode("\xC0\x80", 2, &v), 2); // overlong forms are accepted
    EXPECT_EQ(v, 0u);
    EXPECT_EQ(decode("", 0, &v), 0);
}

TEST(parser, repetition_of_an_empty_match_ends)
{
    test_grammar t("s = {b}, 'y';\nb = ['x'];");
    auto r = t.one("y");
    ASSERT_TRUE(r.tree);
    EXPECT_EQ(r.result, 1);
    test_grammar min("s = 3{['x']}, 'y';");
    EXPECT_EQ(min.one("xy").result, 2); // the empty round stands for the rest of the minimum
    test_grammar at_least("s = <''>, 'y';");
    EXPECT_EQ(at_least.one("y").result, 1);
}

TEST(parser, deep_nesting_fails_instead_of_overflowing)
{
    test_grammar t("s = '(', s, ')' | 'x';");
    std::string ok = std::string(50, '(') + "x" + std::string(50, ')');
    EXPECT_EQ(t.one(ok).result, static_cast<int32_t>(ok.size()));
    std::string deep = std::string(100000, '(') + "x" + std::string(100000, ')');
    auto r = t.one(deep);
    EXPECT_FALSE(r.tree);
    EXPECT_GT(r.result, 0);
    EXPECT_LT(r.result, 100000);

    test_grammar left("s = s, 'x' | 'y';"); // left recursion meets the same limit
    EXPECT_GE(left.one("yx").result, 1);
}

TEST(parser, parse_all_stops_at_the_end_of_the_last_good_match)
{
    test_grammar t("s = 'ab', {' '};");
    statement_list list;
    EXPECT_EQ(parse_all(*t.g, "ab ab aX", 8, list), 6);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[1]->start - list.text(), 3);
    statement_list empty;
    EXPECT_EQ(parse_all(*t.g, "", 0, empty), 0);
    EXPECT_TRUE(empty.empty());

    // A start rule that can match nothing does not loop forever.
    test_grammar nothing("s = {'a'};");
    statement_list l2;
    EXPECT_EQ(parse_all(*nothing.g, "aab", 3, l2), 2);
    EXPECT_EQ(l2.size(), 1u);

    statement_list moved(std::move(list));
    EXPECT_EQ(moved.size(), 2u);
    EXPECT_EQ(moved[0]->length, 3u);
}

TEST(parser, tree_queries)
{
    test_grammar t("s = a, b, a;\na = 'x', [c];\nb = 'y';\nc = 'z';");
    std::string text = "xzyx";
    statement_list list;
    ASSERT_EQ(parse_all(*t.g, text.data(), text.size(), list), 4);
    const parse_node *root = list[0];
    ASSERT_EQ(shape(root), "0[xzyx](3[xz](1[x] 5[z](1[z])) 4[y](1[y]) 3[x](1[x]))");

    EXPECT_EQ(find_first_node(root, 3)->length, 2u);
    EXPECT_EQ(find_first_node(root, 5)->text(), "z");
    EXPECT_EQ(find_first_node(root, 0), nullptr); // the root itself is not tested
    EXPECT_EQ(find_first_node(root, 9), nullptr);

    std::vector<const parse_node *> found;
    collect_nodes(root, {3, 1}, found);
    ASSERT_EQ(found.size(), 3u); // a, y, a: the a nodes are not entered
    EXPECT_EQ(found[1]->text(), "y");
    found.clear();
    collect_nodes(root, {0}, found);
    EXPECT_EQ(found.size(), 1u);

    std::vector<const parse_node *> path;
    EXPECT_EQ(node_path_at(list, 1, {3, 5}, &path), 5);
    ASSERT_EQ(path.size(), 3u); // c, a, root
    EXPECT_EQ(path[0]->id, 5);
    EXPECT_EQ(path[2], root);
    EXPECT_EQ(node_path_at(list, 1, {3}, &path), 3);
    EXPECT_EQ(path.size(), 2u);
    EXPECT_EQ(node_path_at(list, 2, {3, 5}, &path), no_node);
    EXPECT_TRUE(path.empty());
    EXPECT_EQ(node_path_at(list, 4, {0, 1}, &path), no_node); // past the end
    EXPECT_EQ(node_path_at(list, 3, {1}, nullptr), 1);
}

TEST(parser, fast_path_agrees_with_plain_matching_on_small_grammars)
{
    // Grammars that exercise the shortcuts: one-byte rules (a later alternative matching
    // leaves the failures of the earlier ones), skipped alternatives, leading optional rules
    // and repetitions over them. Results, failure positions and trees must not differ.
    const char *grammars[] = {
        "s = w, 'a'~'z';\nw = ' ' | 0x09~0x0c;",
        "s = {w}, 'a'~'z', {w};\nw = ' ' | 0x09~0x0c | `#`;",
        "s = g, ('x' | 'y', g, 'z'), {g, ',', g, 'q'};\ng = {' ' | c};\nc = '/*', {!'*/'}, '*/';",
        "s = a, {' ', a};\na = b | 'n', 'm';\nb = 'a'~'c', {d};\nd = 'a'~'c' | '0'~'9' | '_';",
        "s = [p], 'x' | 'y';\np = {'+'};",
        "s = {w | c}, 'x', {w | c};\nw = ' ' | 0x09~0x0c;\nc = '#', {!0x0a~0x0a};",
    };
    const char *inputs[] = {"",           "\t",
                            " ",          "x",
                            "\ta",        "a",
                            "\t\x0b a#",  "#",
                            " /* c */ x", "y z",
                            "y/*z",       " , q",
                            "ab1 nm a_",  "ab1 n",
                            "ab1 ",       "+x",
                            "++y",        "y",
                            "\xC3\xA9",   "\t# c\n x",
                            "x #",        " #\xC3\xA9\nx\t"};
    parse_options plain;
    plain.skip_by_first_byte = false;
    for (const char *text : grammars) {
        test_grammar t(text);
        ASSERT_TRUE(t.g) << text;
        for (const char *in : inputs) {
            size_t n = std::strlen(in);
            auto fast = parse_one(*t.g, in, n);
            auto slow = parse_one(*t.g, in, n, plain);
            ASSERT_EQ(fast.result, slow.result) << text << " on \"" << in << "\"";
            ASSERT_EQ(bool(fast.tree), bool(slow.tree)) << text << " on \"" << in << "\"";
            if (fast.tree) {
                ASSERT_EQ(shape(fast.tree.root()), shape(slow.tree.root()))
                    << text << " on \"" << in << "\"";
            }
            statement_list a, b;
            ASSERT_EQ(parse_all(*t.g, in, n, a), parse_all(*t.g, in, n, b, plain))
                << text << " on \"" << in << "\"";
        }
    }
}

// A node with more children than a small count holds (they are kept differently).
TEST(parser, many_children)
{
    test_grammar t("a = {'x'};");
    for (size_t n : {size_t(65534), size_t(65535), size_t(70000)}) {
        auto r = t.one(std::string(n, 'x'));
        ASSERT_TRUE(r.tree);
        const parse_node *root = r.tree.root();
        ASSERT_EQ(root->child_count(), n);
        size_t seen = 0;
        for (const parse_node *c : *root) {
            ASSERT_EQ(c->start, root->start + seen) << n;
            ASSERT_EQ(c->length, 1u);
            ++seen;
        }
        EXPECT_EQ(seen, n);
    }
}
