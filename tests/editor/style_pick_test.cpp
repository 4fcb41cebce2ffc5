// The theme slot each byte of a parsed script is painted with.
#include "editor/style_pick.h"

#include "lang/sql_engine.h"
#include "sys_config.h"

#include <gtest/gtest.h>

#include <string>

namespace {

int slot_at(const lang::statement_list &list, const std::string &text, const std::string &word,
            size_t nth = 0)
{
    size_t p = text.find(word);
    while (nth-- > 0) p = text.find(word, p + 1);
    std::vector<const lang::parse_node *> path;
    lang::node_path_at(list, p, style_ids(), &path);
    return style_slot_of(path);
}

TEST(style_pick, each_kind_of_word_gets_its_slot)
{
    const std::string text = "select count(a) from t where b == 7 order by a desc; # note\n"
                             "insert into t (a) values (1);\n"
                             "fields_of t;\n";
    lang::statement_list list;
    ASSERT_EQ(lang::sql_engine::instance().parse_all(text, list), int32_t(text.size()));
    struct {
        const char *word;
        size_t nth;
        int slot;
    } const cases[] = {
        {"select", 0, slot_read_keyword},  {"count", 0, slot_function},
        {"a)", 0, slot_field_name},        {"t where", 0, slot_table_name},
        {"7", 0, slot_constant},           {"note", 0, slot_comment},
        {"order", 0, slot_read_keyword},   {"insert", 0, slot_write_keyword},
        {"values", 0, slot_write_keyword}, {"fields_of", 0, slot_read_keyword},
        {"==", 0, slot_read_keyword},
    };
    for (const auto &c : cases) EXPECT_EQ(slot_at(list, text, c.word, c.nth), c.slot) << c.word;
}

TEST(style_pick, nothing_parsed_is_plain)
{
    EXPECT_EQ(style_slot_of({}), slot_default);
}

} // namespace
