#include "lang/functions.h"

namespace lang {

namespace {
constexpr std::string_view catalogue =
    "abs|ceil|exp|round|floor|pow|log|log2|log10|log1p|pi|e|sqrt|sin|cos|tan|asin|acos|atan|"
    "constants|seq|rand|substr|replace|starts|ends|contain|find_first|find_last|find_first_of|"
    "find_last_of|reg_match|fuzzy_match|trim_l|trim_r|trim|lcase|ucase|concat|length|x2i08|"
    "x2i16|x2i32|x2i64|x2u08|x2u16|x2u32|x2u64|x2flt|x2dbl|x2str04|x2str08|x2str16|x2str32|"
    "x2str64|x2str128|x2str256|x2date|x2time|x2datetime|raw2hex|hex2raw|row_id|id|now_id|"
    "hash_passwd|var|stddev|sum|product|min|max|min_k|max_k|avg|count|sort|unique|"
    "count_unique|first|last|nth|range|first_k|last_k|is_leap|last_day|now|date|time|add_day|"
    "add_nanosec|sub_day|sub_nanosec|day_diff|nanosec_diff|year_of|month_of|day_of|hour_of|"
    "minute_of|second_of|nanosec_of|date_of|time_of|weekday|weekday_name|weekday_cname";
} // namespace

std::string_view function_catalogue_text()
{
    return catalogue;
}

const std::vector<std::string_view> &function_names()
{
    static const std::vector<std::string_view> names = [] {
        std::vector<std::string_view> v;
        size_t from = 0;
        for (;;) {
            size_t bar = catalogue.find('|', from);
            v.push_back(catalogue.substr(from, bar == std::string_view::npos ? bar : bar - from));
            if (bar == std::string_view::npos) break;
            from = bar + 1;
        }
        return v;
    }();
    return names;
}

function_name_trie::function_name_trie(const std::vector<std::string_view> &names)
{
    for (std::string_view n : names) insert(n);
}

void function_name_trie::insert(std::string_view name)
{
    size_t at = 0;
    for (char c : name) {
        unsigned char b = static_cast<unsigned char>(c);
        if (!nodes_[at].child[b]) {
            nodes_.emplace_back();
            nodes_[at].child[b] = static_cast<uint16_t>(nodes_.size() - 1);
        }
        at = nodes_[at].child[b];
    }
    nodes_[at].ends_name = true;
}

// The longest name that is a prefix of the input: walk the bytes while the trie has a
// child for them and remember the last node that ends a name.
uint32_t function_name_trie::lookup(const char *pos, uint64_t remaining) const
{
    uint32_t best = 0;
    size_t at = 0;
    for (uint64_t i = 0; i < remaining; ++i) {
        at = nodes_[at].child[static_cast<unsigned char>(pos[i])];
        if (!at) break;
        if (nodes_[at].ends_name) best = static_cast<uint32_t>(i + 1);
    }
    return best;
}

const function_name_trie &the_function_name_trie()
{
    static const function_name_trie trie(function_names());
    return trie;
}

} // namespace lang
