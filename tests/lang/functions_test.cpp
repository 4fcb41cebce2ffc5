// The function catalogue, its trie and the keyword sets.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "lang/functions.h"
#include "lang/sql_engine.h"

using namespace lang;

namespace {
uint32_t look(const char *s, size_t remaining)
{
    // An exact-size heap copy: reading past remaining would trip the sanitizer.
    char *p = static_cast<char *>(std::malloc(remaining ? remaining : 1));
    std::memcpy(p, s, remaining);
    uint32_t n = the_function_name_trie().lookup(p, remaining);
    std::free(p);
    return n;
}
uint32_t look(const char *s)
{
    return look(s, std::strlen(s));
}
} // namespace

TEST(function_catalogue, has_the_names_in_order)
{
    const auto &names = function_names();
    ASSERT_EQ(names.size(), 108u);
    EXPECT_EQ(names.front(), "abs");
    EXPECT_EQ(names[11], "e");
    EXPECT_EQ(names[65], "hash_passwd");
    EXPECT_EQ(names.back(), "weekday_cname");
    EXPECT_EQ(function_keywords().words(), names);
}

TEST(function_catalogue, trie_finds_the_longest_name)
{
    EXPECT_EQ(look("length("), 6u);
    EXPECT_EQ(look("lengths("), 6u);
    EXPECT_EQ(look("log10(x)"), 5u);
    EXPECT_EQ(look("log1p"), 5u);
    EXPECT_EQ(look("log2x"), 4u);
    EXPECT_EQ(look("e("), 1u);
    EXPECT_EQ(look("pi("), 2u);
    EXPECT_EQ(look("ex"), 1u);
    EXPECT_EQ(look("exp("), 3u);
    EXPECT_EQ(look("Abs("), 0u);
    EXPECT_EQ(look("id", 2), 2u);
    EXPECT_EQ(look("i", 1), 0u);
    EXPECT_EQ(look("", 0), 0u);
    EXPECT_EQ(look("x2str128"), 8u);
    EXPECT_EQ(look("x2str1"), 0u);
    EXPECT_EQ(look("weekday_name", 9), 7u); // cut by remaining: "weekday"
    for (std::string_view n : function_names())
        EXPECT_EQ(look(std::string(n).c_str()), n.size()) << n;
}

TEST(keyword_sets, hold_their_words)
{
    EXPECT_EQ(query_keywords().words().size(), 6u);
    EXPECT_EQ(change_keywords().words().size(), 10u);
    ASSERT_EQ(statement_keywords().words().size(), 16u);
    EXPECT_EQ(statement_keywords().words()[6], "insert");
    EXPECT_EQ(clause_keywords().words().size(), 19u);
    EXPECT_EQ(type_keywords().words().size(), 55u);
    EXPECT_TRUE(type_keywords().contains("string128"));
    EXPECT_TRUE(type_keywords().contains("atom_exec"));
    EXPECT_TRUE(clause_keywords().contains("recompute"));
    EXPECT_FALSE(clause_keywords().contains("select"));
    EXPECT_FALSE(query_keywords().contains(""));
    EXPECT_TRUE(function_keywords().contains("now_id"));
    EXPECT_FALSE(function_keywords().contains("Abs"));
}
