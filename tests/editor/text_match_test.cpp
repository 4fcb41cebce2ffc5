#include "editor/text_match.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

range_list find(std::string_view text, std::string_view pat, int mode = search_normal,
                int flags = 0)
{
    match_result r = find_matches(text, pat, mode, flags);
    EXPECT_TRUE(r.ok()) << r.error;
    return r.matches;
}

TEST(text_match, whole_word_and_case)
{
    EXPECT_EQ(find("a ab a", "a", search_normal, search_whole_word), (range_list{{0, 1}, {5, 6}}));
    EXPECT_EQ(find("a ab a", "a").size(), 3u);
    EXPECT_EQ(find("Select select", "SELECT", search_normal, search_ignore_case).size(), 2u);
    EXPECT_TRUE(find("Select", "SELECT").empty());
    // Non-ASCII letters compare exactly even when case is ignored.
    EXPECT_TRUE(find("\xC3\xA9", "\xC3\x89", search_normal, search_ignore_case).empty());
    // Non-ASCII bytes are not word characters.
    EXPECT_EQ(find("\xC3\xA9x\xC3\xA9", "x", search_normal, search_whole_word).size(), 1u);
}

TEST(text_match, matches_do_not_overlap_and_respect_scope)
{
    EXPECT_EQ(find("aaaa", "aa"), (range_list{{0, 2}, {2, 4}}));
    range_list scope{{0, 3}, {5, 9}};
    match_result r = find_matches("xx xx xxxx", "xx", search_normal, 0, &scope);
    EXPECT_EQ(r.matches, (range_list{{0, 2}, {6, 8}}));
    EXPECT_TRUE(find("abc", "").empty());
}

TEST(text_match, many_small_scopes_give_the_matches_of_each_scope_alone)
{
    // Table cells: short ranges with gaps, matches that would run into the next range or
    // start in a gap, and needles that overlap themselves.
    const std::string text = "aab\naaab\nb\nabab\naa\n\nbaa\naaaa\nab";
    for (const char *needle : {"a", "aa", "ab", "ba", "aab", "b\na", "aaaa"})
        for (int gap : {0, 1}) {
            range_list scope;
            for (size_t b = 0; b < text.size();) {
                size_t e = text.find('\n', b);
                if (e == std::string::npos) e = text.size();
                scope.push_back({int32_t(b), int32_t(e + (gap ? 0 : 1) - (e == text.size()))});
                b = e + 1;
            }
            range_list want;
            for (const text_range &r : scope) {
                const std::string_view cell(text.data() + r.begin, size_t(r.end - r.begin));
                for (size_t at = cell.find(needle); at != std::string_view::npos;
                     at = cell.find(needle, at + std::strlen(needle)))
                    want.push_back(
                        {r.begin + int32_t(at), r.begin + int32_t(at + std::strlen(needle))});
            }
            const match_result r = find_matches(text, needle, search_normal, 0, &scope);
            EXPECT_EQ(r.matches, want) << needle << " gap " << gap;
        }
    // A match cut off by the end of one range leaves the start of the next one to search.
    const range_list touching{{0, 2}, {2, 5}};
    EXPECT_EQ(find_matches("baaab", "aa", search_normal, 0, &touching).matches,
              (range_list{{2, 4}}));
}

TEST(text_match, escape_mode_rewrites_and_never_reads_past_the_end)
{
    EXPECT_EQ(rewrite_escapes("a\\nb\\r\\t"), "a\nb\r\t");
    EXPECT_EQ(rewrite_escapes("\\x41\\x4"), "A\x04");
    EXPECT_EQ(rewrite_escapes("\\u00e9\\U0001F600"), "\xC3\xA9\xF0\x9F\x98\x80");
    // Cut-off escapes stay literal instead of reading beyond the pattern.
    EXPECT_EQ(rewrite_escapes("\\"), "\\");
    EXPECT_EQ(rewrite_escapes("ab\\x"), "ab\\x");
    EXPECT_EQ(rewrite_escapes("\\u12"), "\\u12");
    EXPECT_EQ(rewrite_escapes("\\U0011FFFF"), "\\U0011FFFF"); // beyond Unicode
    EXPECT_EQ(rewrite_escapes("\\uD800"), "\\uD800");         // a surrogate
    EXPECT_EQ(rewrite_escapes("\\q\\\\"), "\\q\\");
    EXPECT_EQ(find("one\ntwo", "e\\nt", search_escapes), (range_list{{2, 5}}));
    EXPECT_EQ(find("A\nB", "a\\nb", search_escapes, search_ignore_case).size(), 1u);
}

TEST(text_match, regex_mode)
{
    EXPECT_EQ(find("id=12, id=345", "\\d+", search_regex), (range_list{{3, 5}, {10, 13}}));
    // Escapes keep their meaning when case is ignored: \D is not lowered to \d.
    EXPECT_EQ(find("AB1", "\\D+", search_regex, search_ignore_case), (range_list{{0, 2}}));
    EXPECT_EQ(find("From FROM", "[A-Z]rom", search_regex, search_ignore_case).size(), 2u);
    EXPECT_EQ(find("cat catalog", "cat\\w*", search_regex, search_whole_word).size(), 2u);
    EXPECT_EQ(find("cat catalog", "cat", search_regex, search_whole_word).size(), 1u);
    // Empty matches select nothing, and the scan goes on past them.
    EXPECT_EQ(find("xax", "a*", search_regex), (range_list{{1, 2}}));
    // ECMAScript's \u escape and character positions in UTF-8 text.
    EXPECT_EQ(find("caf\xC3\xA9!", "\\u00e9", search_regex), (range_list{{3, 5}}));
    EXPECT_EQ(find("\xC3\xA9\xC3\xA9", ".", search_regex).size(), 2u);
}

TEST(text_match, regex_errors_are_reported_not_thrown)
{
    match_result r = find_matches("abc", "(a", search_regex, 0);
    EXPECT_FALSE(r.ok());
    EXPECT_NE(r.error.find("offset"), std::string::npos);
    EXPECT_TRUE(r.bad_pattern);
    EXPECT_TRUE(r.matches.empty());
}

TEST(text_match, regex_survives_large_texts_and_bad_bytes)
{
    // One match spanning megabytes: a recursive engine would run out of stack here.
    std::string big(4 << 20, 'a');
    match_result r = find_matches(big, "[a-z]+", search_regex, 0);
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_EQ(r.matches, (range_list{{0, static_cast<int32_t>(big.size())}}));
    r = find_matches(std::string(64 << 10, 'a'), "(a|b)*", search_regex, 0);
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_EQ(r.matches.size(), 1u);
    // A backtracking-heavy pattern over megabytes hits the memory bound and says so.
    r = find_matches(big, "(a|b)*", search_regex, 0);
    EXPECT_TRUE(r.matches.empty());
    EXPECT_FALSE(r.ok());

    std::string bad = "x\xFF\xC3y\x80x";
    EXPECT_EQ(find_matches(bad, "x", search_regex, 0).matches.size(), 2u);
    EXPECT_TRUE(find_matches(bad, ".+", search_regex, 0).ok());
}

TEST(text_match, regex_never_splits_a_character_and_the_whole_search_is_bounded)
{
    // A single-byte escape would end a match inside the two bytes of é.
    match_result r = find_matches("\xC3\xA9", "\\C", search_regex, 0);
    EXPECT_FALSE(r.ok());
    EXPECT_TRUE(r.matches.empty());

    // Each attempt of this pattern backtracks for a long time but stays under the match
    // limit, and there is an attempt at every byte: the search as a whole gives up.
    std::string as(1000, 'a');
    r = find_matches(as, "a*a*a*a*c|a", search_regex, 0, nullptr, 0);
    EXPECT_FALSE(r.ok());
    EXPECT_FALSE(r.bad_pattern);
    EXPECT_TRUE(r.matches.empty());
    // A search that needs one attempt is never cut short.
    r = find_matches(as, "b", search_regex, 0, nullptr, 0);
    EXPECT_TRUE(r.ok()) << r.error;
}

TEST(text_match, long_targets_in_long_runs)
{
    std::string text(200000, 'a');
    std::string target(5000, 'a');
    EXPECT_EQ(find_matches(text, target, search_normal, 0).matches.size(), 40u);
    EXPECT_TRUE(find_matches(text, target + "b", search_normal, 0).matches.empty());
    EXPECT_EQ(find_matches(text + "b", target + "b", search_normal, 0).matches,
              (range_list{{195000, 200001}}));
}

TEST(find_stepper, steps_to_the_nearest_match_and_offers_to_wrap_once)
{
    const range_list m{{2, 4}, {6, 8}, {10, 12}};
    struct {
        int32_t from;
        bool forward;
        step_outcome outcome;
        text_range hit;
    } const cases[] = {
        {0, true, step_outcome::found, {2, 4}},     {2, true, step_outcome::found, {2, 4}},
        {3, true, step_outcome::found, {6, 8}},     {11, true, step_outcome::offer_wrap, {}},
        {12, false, step_outcome::found, {10, 12}}, {10, false, step_outcome::found, {6, 8}},
        {2, false, step_outcome::offer_wrap, {}},
    };
    for (const auto &c : cases) {
        find_stepper s;
        text_range hit{};
        EXPECT_EQ(s.step(m, c.from, c.forward, &hit), c.outcome) << c.from << c.forward;
        if (c.outcome == step_outcome::found) {
            EXPECT_EQ(hit, c.hit) << c.from << c.forward;
        }
    }

    // Taking the offer starts again from the other end, where an edge match counts; a second
    // miss after wrapping is final and clears the state.
    find_stepper s;
    text_range hit{};
    EXPECT_EQ(s.step(m, 11, true, &hit), step_outcome::offer_wrap);
    EXPECT_EQ(s.wrap(true, 12), 0);
    EXPECT_EQ(s.step(range_list{{0, 1}}, 0, true, &hit), step_outcome::found);
    EXPECT_EQ(hit, (text_range{0, 1}));
    EXPECT_EQ(s.step(range_list{}, 0, true, &hit), step_outcome::not_found);
    EXPECT_FALSE(s.wrapped);
    EXPECT_EQ(s.step(range_list{}, 0, true, &hit), step_outcome::offer_wrap);
    EXPECT_EQ(s.wrap(false, 12), 12);
}

} // namespace
