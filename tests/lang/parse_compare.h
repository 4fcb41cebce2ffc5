// Compares an incremental parse with a full parse of the same text: node for node (id,
// offset, length, children, bytes), stop offset and failure position. Shared by the
// differential test and the fuzz target.
#pragma once

#include <string>
#include <string_view>

#include "lang/incremental_parse.h"
#include "lang/parser.h"

namespace parse_compare {

// Empty when equal, else what differs first.
inline std::string tree_difference(const lang::parse_node *a, uint64_t a_at,
                                   const lang::parse_node *b, uint64_t b_at, std::string_view text)
{
    if (a->id != b->id || a_at != b_at || a->length != b->length ||
        a->child_count() != b->child_count())
        return "node " + std::to_string(b->id) + " at " + std::to_string(b_at) + " length " +
               std::to_string(b->length) + " kept as node " + std::to_string(a->id) + " at " +
               std::to_string(a_at) + " length " + std::to_string(a->length);
    if (a_at + a->length > text.size() || a->text() != text.substr(a_at, a->length))
        return "node at " + std::to_string(a_at) + " points at other bytes";
    for (size_t c = 0; c < a->child_count(); ++c) {
        const lang::parse_node *x = a->child(c), *y = b->child(c);
        std::string d = tree_difference(x, a_at + static_cast<uint64_t>(x->start - a->start), y,
                                        b_at + static_cast<uint64_t>(y->start - b->start), text);
        if (!d.empty()) return d;
    }
    return {};
}

// Statements, stop offset and failure position (-2: not compared) against parse_all and
// parse_one over text.
inline std::string difference(const lang::grammar &g, const lang::statement_list &list,
                              int64_t stop_at, int64_t failure_at, std::string_view text)
{
    lang::statement_list full;
    int32_t stop = lang::parse_all(g, text.data(), text.size(), full);
    if (stop_at != stop)
        return "stop " + std::to_string(stop_at) + " instead of " + std::to_string(stop);
    int64_t failure = -1;
    if (static_cast<size_t>(stop) != text.size()) {
        lang::parse_result one = lang::parse_one(g, text.data() + stop, text.size() - stop);
        if (!one.tree && one.result >= 0) failure = stop + one.result;
    }
    if (failure_at != -2 && failure_at != failure)
        return "failure " + std::to_string(failure_at) + " instead of " + std::to_string(failure);
    if (list.size() != full.size())
        return std::to_string(list.size()) + " statements instead of " +
               std::to_string(full.size());
    for (size_t i = 0; i < full.size(); ++i) {
        std::string d = tree_difference(list[i], list.offset(i), full[i],
                                        static_cast<uint64_t>(full[i]->start - text.data()), text);
        if (!d.empty()) return "statement " + std::to_string(i) + ": " + d;
    }
    return {};
}

inline std::string difference(const lang::grammar &g, const lang::incremental_parse &inc,
                              std::string_view text)
{
    return difference(g, inc.statements(), inc.stop(), inc.failure(), text);
}

} // namespace parse_compare
