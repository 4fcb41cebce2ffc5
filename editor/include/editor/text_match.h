#pragma once

#include "editor/text_range.h"

#include <cstdint>
#include <string>
#include <string_view>

// How a find target is read.
enum search_mode : int {
    search_normal = 0,  // the bytes as typed
    search_escapes = 1, // \n, \r, \t, \xHH, \uHHHH, \UHHHHHHHH ... are rewritten first
    search_regex = 2,   // an ECMAScript-style regular expression
};

// Search flags, combinable.
enum search_flag : int {
    search_ignore_case = 0x01, // ASCII letters only; other bytes compare exactly
    search_whole_word = 0x10,  // the bytes around a match must not be word characters
};

// The mode and flags a find form's choices stand for.
inline int search_mode_of(bool regular_expression, bool escapes)
{
    return regular_expression ? search_regex : escapes ? search_escapes : search_normal;
}
inline int search_flags_of(bool case_sensitive, bool whole_word)
{
    return (case_sensitive ? 0 : search_ignore_case) | (whole_word ? search_whole_word : 0);
}

struct match_result {
    range_list matches;       // non-overlapping, non-empty, in text order
    std::string error;        // set when the pattern is invalid or matching gave up
    bool bad_pattern = false; // the error is the pattern's, not the search's
    bool ok() const { return error.empty(); }
};

// All matches of `pattern` in `text`, or, when `scope` is given, inside each of its ranges
// (a match never crosses a range's edge). An empty pattern matches nothing. A regular
// expression that backtracks heavily at many places gives up with an error once the search
// has run for `time_limit_ms`, instead of holding the program for hours.
match_result find_matches(std::string_view text, std::string_view pattern, int mode, int flags,
                          const range_list *scope = nullptr, int64_t time_limit_ms = 3000);

// The escape rewriting of search_escapes. A backslash that starts no known escape stays
// as it is, and so does an escape whose digits are missing or out of range.
std::string rewrite_escapes(std::string_view pattern);

// Next and Previous over the matches of a search, with one offer to go on from the other
// end of the text when a direction has no match left.
enum class step_outcome {
    found,      // *hit is the match to go to
    offer_wrap, // none left: ask whether to continue from the other end
    not_found,  // none left even after wrapping
};

struct find_stepper {
    bool wrapped = false; // the last offer to continue was taken

    // Forward: the first match that begins at or after `from`. Backward: the last one
    // that begins before it.
    step_outcome step(const range_list &matches, int32_t from, bool forward, text_range *hit);
    // Takes the offer: where the search starts again in a text of `size` bytes.
    int32_t wrap(bool forward, int32_t size);
};
