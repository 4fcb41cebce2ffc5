// A parse that follows a text through its edits. After each edit it matches again only the
// statements whose match looked at a changed byte, and keeps every other statement's tree:
// the result is always the one parse_all gives for the whole new text.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "lang/parser.h"

namespace lang {

class incremental_parse {
public:
    explicit incremental_parse(const grammar &g, parse_options opts = {});
    ~incremental_parse();
    incremental_parse(const incremental_parse &) = delete;
    incremental_parse &operator=(const incremental_parse &) = delete;

    // Parses text from scratch.
    void reset(std::string_view text);
    // The text last given had bytes [offset, offset + removed) replaced by `inserted` bytes,
    // which gives text. An edit that does not fit the text last given parses from scratch.
    void apply(std::string_view text, uint64_t offset, uint64_t removed, uint64_t inserted);

    // The statements, as parse_all gives them; offsets come from the list (see
    // statement_list::offset). The trees stay valid until the next reset or apply.
    const statement_list &statements() const { return list_; }
    // Where parsing stopped: the text's length when every byte belongs to a statement.
    int32_t stop() const;
    // Where the statement that failed at stop() failed farthest, or -1 when the whole text
    // parsed or the failure recorded no position.
    int64_t failure() const;
    uint64_t length() const { return length_; }
    // Bytes matched anew by the last reset or apply, for measurements.
    uint64_t reparsed_bytes() const { return reparsed_; }

    // Trees kept past a failure, waiting for the text before them to parse again.
    size_t spare_count() const { return entries_.size() - chain_; }

private:
    struct batch;
    // What the list does not hold of a statement: who owns its tree, the farthest position
    // its match looked at (stored like its offset, see statement_list) and whether it starts
    // where the one before it ends.
    struct entry {
        batch *owner;
        uint64_t look;
        bool linked;
    };
    struct item { // a statement on its way into the list
        const parse_node *root;
        uint64_t start;
        entry e;
    };
    struct failure_rec {
        bool on = false;
        uint64_t start = 0, look = 0;
        int64_t farthest = -1;
    };

    size_t gap() const { return list_.shift_from_; }
    uint64_t shift() const { return static_cast<uint64_t>(list_.shift_); }
    uint64_t start_of(size_t j) const { return list_.offset(j); }
    uint64_t look_of(size_t j) const
    {
        return j >= gap() ? entries_[j].look + shift() : entries_[j].look;
    }
    uint64_t end_of(size_t j) const { return start_of(j) + list_.items_[j]->length; }
    size_t first_reached(uint64_t o) const;
    void add(size_t from, size_t to, uint64_t delta);
    void splice(size_t from, size_t to, const std::vector<item> &items);
    void sweep();

    const grammar &gram_;
    parse_options opts_;
    std::vector<std::unique_ptr<batch>> batches_;
    // The list holds every tree: the statements (a chain from 0, list_.size() of them), then
    // the trees kept past a failure. entries_ runs beside it.
    statement_list list_;
    std::vector<entry> entries_;
    size_t chain_ = 0;
    uint64_t overreach_ = 0; // how far past its end any statement looked, at most
    failure_rec fail_;
    uint64_t length_ = 0;
    uint64_t reparsed_ = 0;
};

} // namespace lang
