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
    struct entry {
        const parse_node *root;
        batch *owner;
        uint64_t start, look; // offsets; look: the farthest position the match looked at
        uint64_t reach;       // the largest look of this entry and every one before it
        uint64_t end() const { return start + root->length; }
    };
    struct failure_rec {
        bool on = false;
        uint64_t start = 0, look = 0;
        int64_t farthest = -1;
    };

    void release(const entry &e);
    void sweep();
    void rebuild_from(size_t i);

    const grammar &gram_;
    parse_options opts_;
    std::vector<std::unique_ptr<batch>> batches_;
    std::vector<entry> entries_; // the statements (a chain from 0), then the spares
    size_t chain_ = 0;
    failure_rec fail_;
    uint64_t length_ = 0;
    uint64_t reparsed_ = 0;
    statement_list list_;
};

} // namespace lang
