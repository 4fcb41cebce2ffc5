// The built-in function catalogue and the trie the native rule fn_name looks names up in.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace lang {

// The catalogue as one text, names separated by "|" (108 names, in their fixed order).
std::string_view function_catalogue_text();

// The names of the catalogue, in order.
const std::vector<std::string_view> &function_names();

class function_name_trie {
public:
    function_name_trie() = default;
    explicit function_name_trie(const std::vector<std::string_view> &names);
    void insert(std::string_view name);
    // Length of the longest name that is a prefix of the input, or 0. Never reads past
    // remaining bytes. Case-sensitive.
    uint32_t lookup(const char *pos, uint64_t remaining) const;

private:
    struct trie_node {
        bool ends_name = false;
        uint16_t child[256] = {}; // index into nodes_, 0 for none (the root is never a child)
    };
    std::vector<trie_node> nodes_{1};
};

// The trie over the whole catalogue (built on first use).
const function_name_trie &the_function_name_trie();

} // namespace lang
