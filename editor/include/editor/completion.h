// What the completion popup offers at the cursor: the word being typed, the statement it is
// part of, and the words that may stand there. Qt-free.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "lang/parser.h"

// Words looked up by a case-insensitive prefix. Keyword sets keep their words in lower
// case; names keep the case the server gave them (a table is only found under its own name).
class prefix_set {
public:
    prefix_set() = default;
    // Words separated by "|", stored in lower case.
    explicit prefix_set(std::string_view bar_text);
    // Names as given; duplicates are dropped.
    void assign(std::vector<std::string> words);

    bool empty() const { return words_.empty(); }
    size_t size() const { return words_.size(); }
    bool any_with(std::string_view prefix) const;
    // Appends every word that starts with prefix, in the set's order (by lower case).
    void collect(std::string_view prefix, std::vector<std::string> &out) const;

private:
    struct entry {
        std::string key; // lower case
        std::string word;
    };
    size_t first_with(std::string_view lower_prefix) const;
    std::vector<entry> words_;
};

// The table and field names of the database tree, as the main window hands them over.
struct completion_names {
    prefix_set tables;
    std::map<std::string, prefix_set> fields; // by table name as the server gave it
};

// The kind of position the cursor is at, for tests and for the popup's choice of sets.
enum class completion_place {
    none,
    statement_start,
    comment,
    keyword,
    function,
    table,
    field,
    expression
};

struct completion_result {
    completion_place place = completion_place::none;
    int32_t prefix_length = 0;      // bytes of the word already typed
    std::string table;              // the statement's table, when one is known
    std::vector<std::string> words; // candidates, without duplicates, in the order collected
};

// `parsed` is the editor's last parse, `parse_current` whether it is a parse of `text` as it
// stands (a stale parse is only trusted where its statements still match the text).
completion_result complete_at(std::string_view text, int32_t cursor,
                              const lang::statement_list *parsed, bool parse_current,
                              const completion_names &names);

// The keyword and function sets, built once.
const prefix_set &completion_functions();
const prefix_set &completion_read_keywords();
const prefix_set &completion_write_keywords();
const prefix_set &completion_statement_keywords();
const prefix_set &completion_post_keywords();
const prefix_set &completion_other_keywords();
