// Between the parser and the incremental parse: matching one statement and learning how far
// its match looked.
#pragma once

#include "lang/parser.h"

namespace lang {

// Where a rule reference ends at a position, and the farthest failure it recorded there.
// Direct-mapped: a collision only costs a new match.
struct lookahead_memo {
    struct entry {
        const char *pos = nullptr, *end = nullptr, *farthest = nullptr, *look = nullptr;
        node_kind kind = 0;
        bool ok = false;
    };
    static constexpr size_t size = 1024;
    entry entries[size];
    entry &slot(const char *pos, node_kind kind)
    {
        uintptr_t h = reinterpret_cast<uintptr_t>(pos) * 0x9E3779B1u + kind;
        return entries[(h >> 7) & (size - 1)];
    }
};

struct statement_match {
    parse_node *root = nullptr;     // null when no statement (of at least one byte) matched
    const char *farthest = nullptr; // farthest failure (null: none recorded)
    const char *look = nullptr;     // farthest position looked at; at least the start
};

// Matches the start rule once at `at`, with `remaining` bytes to the end of the text. The
// memo may be shared by the statements of one text (same text, same end).
statement_match match_statement(const grammar &g, node_arena &arena, lookahead_memo *memo,
                                const char *at, uint64_t remaining, parse_options opts);

} // namespace lang
