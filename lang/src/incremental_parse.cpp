// Incremental re-parse. A statement's match depends only on where it starts and on the bytes
// from there up to the farthest position its matching looked at (a repetition that tried
// once more and failed looks past the statement's end). After an edit at offset o, every
// statement that looked only at bytes before o holds as it is; every statement that starts
// in the unchanged text after the edit holds too, shifted by the change in length. The
// parse resumes at the first statement that looked at a changed byte and runs until a new
// statement starts exactly where a kept one starts.
//
// Trees matched after an edit point into the caller's text, which changes with the next
// edit; they are moved onto a copy of the bytes they cover (a batch, shared by the trees of
// one re-parse), so each tree always points at bytes equal to the text it stands for.
#include "lang/incremental_parse.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "arena.h"
#include "statement_match.h"

namespace lang {

struct incremental_parse::batch {
    std::unique_ptr<node_arena> arena = std::make_unique<node_arena>();
    std::string text;
    size_t refs = 0;
};

incremental_parse::incremental_parse(const grammar &g, parse_options opts) : gram_(g), opts_(opts)
{
}

incremental_parse::~incremental_parse() = default;

int32_t incremental_parse::stop() const
{
    return chain_ ? static_cast<int32_t>(entries_[chain_ - 1].end()) : 0;
}

int64_t incremental_parse::failure() const
{
    return fail_.on ? fail_.farthest : -1;
}

void incremental_parse::release(const entry &e)
{
    --e.owner->refs;
}

void incremental_parse::sweep()
{
    batches_.erase(std::remove_if(batches_.begin(), batches_.end(),
                                  [](const std::unique_ptr<batch> &b) { return b->refs == 0; }),
                   batches_.end());
}

// Recomputes the reach of entries [i, end) and mirrors the chain into the statement list.
void incremental_parse::rebuild_from(size_t i)
{
    uint64_t reach = i ? entries_[i - 1].reach : 0;
    for (size_t k = i; k < entries_.size(); ++k) {
        reach = std::max(reach, entries_[k].look);
        entries_[k].reach = reach;
    }
    list_.items_.resize(chain_);
    list_.offsets_.resize(chain_);
    for (size_t k = std::min(i, chain_); k < chain_; ++k) {
        list_.items_[k] = entries_[k].root;
        list_.offsets_[k] = entries_[k].start;
    }
    list_.text_ = nullptr;
}

void incremental_parse::reset(std::string_view text)
{
    entries_.clear();
    chain_ = 0;
    fail_ = failure_rec();
    batches_.clear();
    length_ = text.size();
    if (length_ > static_cast<uint64_t>(std::numeric_limits<int32_t>::max()))
        length_ = static_cast<uint64_t>(std::numeric_limits<int32_t>::max());
    reparsed_ = 0;
    // Parsed in place: the batch keeps the whole text, so nothing needs moving.
    batches_.push_back(std::make_unique<batch>());
    batch &b = *batches_.back();
    b.text.assign(text.data(), length_);
    const char *base = b.text.data();
    auto memo = std::make_unique<lookahead_memo>();
    uint64_t p = 0;
    while (p != length_) {
        statement_match m =
            match_statement(gram_, *b.arena, memo.get(), base + p, length_ - p, opts_);
        if (!m.root) {
            fail_.on = true;
            fail_.start = p;
            fail_.look = static_cast<uint64_t>(m.look - base);
            fail_.farthest = m.farthest ? m.farthest - base : -1;
            break;
        }
        entries_.push_back({m.root, &b, p, static_cast<uint64_t>(m.look - base), 0});
        ++b.refs;
        p = static_cast<uint64_t>(m.root->stop() - base);
    }
    reparsed_ = p;
    chain_ = entries_.size();
    rebuild_from(0);
}

namespace {
// Moves a tree's text pointers by delta (the tree is the parser's own, so writable).
void relocate(const parse_node *root, std::ptrdiff_t delta, std::vector<parse_node *> &stack)
{
    stack.clear();
    stack.push_back(const_cast<parse_node *>(root));
    while (!stack.empty()) {
        parse_node *n = stack.back();
        stack.pop_back();
        n->start += delta;
        for (uint32_t c = 0; c < n->count_; ++c) stack.push_back(n->kids()[c]);
    }
}
} // namespace

void incremental_parse::apply(std::string_view text, uint64_t o, uint64_t r, uint64_t ins)
{
    const uint64_t len = text.size();
    if (o > length_ || r > length_ - o || len != length_ - r + ins ||
        len > static_cast<uint64_t>(std::numeric_limits<int32_t>::max()))
        return reset(text);
    const int64_t d = static_cast<int64_t>(ins) - static_cast<int64_t>(r);
    const uint64_t tail = o + r; // old offsets from here on are the unchanged text after the edit
    // Whether an old statement (start, look) still holds, and where it starts now.
    auto holds = [&](uint64_t start, uint64_t look, uint64_t &now) {
        if (look < o) {
            now = start;
            return true;
        }
        if (start >= tail) {
            now = static_cast<uint64_t>(static_cast<int64_t>(start) + d);
            return true;
        }
        return false;
    };
    auto moved = [&](uint64_t v) {
        return v < o ? v : static_cast<uint64_t>(static_cast<int64_t>(v) + d);
    };

    // The first statement whose match looked at a changed byte; those before it stay.
    size_t i =
        static_cast<size_t>(std::partition_point(entries_.begin(), entries_.end(),
                                                 [&](const entry &e) { return e.reach < o; }) -
                            entries_.begin());
    uint64_t p;
    if (i >= chain_) {
        i = chain_;
        p = chain_ ? entries_[chain_ - 1].end() : 0; // resume no later than the old stop
    } else {
        p = entries_[i].start;
    }
    if (p > o) return reset(text); // cannot happen: a statement looks at its own bytes

    length_ = len;
    const size_t n = entries_.size();
    std::vector<entry> fresh;
    batch *nb = nullptr;
    uint64_t new_from = 0, new_to = 0; // the bytes the new trees cover
    std::unique_ptr<lookahead_memo> memo;
    failure_rec nf;
    uint64_t fail_now = 0;
    const bool fail_holds = fail_.on && holds(fail_.start, fail_.look, fail_now);
    size_t k = i;
    bool rest_kept = false; // every old entry from k on is kept, shifted
    reparsed_ = 0;
    while (p != len) {
        uint64_t now = 0;
        while (k < n && (!holds(entries_[k].start, entries_[k].look, now) || now < p)) {
            release(entries_[k]);
            ++k;
        }
        if (k < n && now == p) {
            if (k < chain_ && entries_[k].start >= tail) {
                // From here on the old parse runs over unchanged text: keep all of it.
                rest_kept = true;
                break;
            }
            entry e = entries_[k++];
            e.start = now;
            e.look = moved(e.look);
            p = e.end();
            fresh.push_back(e);
            continue;
        }
        if (fail_holds && fail_now == p) {
            nf = fail_;
            nf.start = fail_now;
            nf.look = moved(fail_.look);
            if (nf.farthest >= 0)
                nf.farthest = static_cast<int64_t>(moved(static_cast<uint64_t>(nf.farthest)));
            break;
        }
        if (!nb) {
            batches_.push_back(std::make_unique<batch>());
            nb = batches_.back().get();
            memo = std::make_unique<lookahead_memo>();
        }
        statement_match m =
            match_statement(gram_, *nb->arena, memo.get(), text.data() + p, len - p, opts_);
        if (!m.root) {
            nf.on = true;
            nf.start = p;
            nf.look = static_cast<uint64_t>(m.look - text.data());
            nf.farthest = m.farthest ? m.farthest - text.data() : -1;
            reparsed_ += static_cast<uint64_t>(nf.look - p);
            break;
        }
        uint64_t end = static_cast<uint64_t>(m.root->stop() - text.data());
        if (new_to == 0) new_from = p;
        new_to = end;
        fresh.push_back({m.root, nb, p, static_cast<uint64_t>(m.look - text.data()), 0});
        ++nb->refs;
        reparsed_ += end - p;
        p = end;
    }

    // Move the new trees onto their own copy of the bytes they cover.
    if (nb && nb->refs) {
        nb->text.assign(text.data() + new_from, new_to - new_from);
        const std::ptrdiff_t delta = nb->text.data() - (text.data() + new_from);
        std::vector<parse_node *> stack;
        for (const entry &e : fresh)
            if (e.owner == nb) relocate(e.root, delta, stack);
    }

    size_t new_chain;
    if (rest_kept) {
        new_chain = i + fresh.size() + (chain_ - k);
        if (fail_.on) {
            fail_.start = moved(fail_.start);
            fail_.look = moved(fail_.look);
            if (fail_.farthest >= 0)
                fail_.farthest = static_cast<int64_t>(moved(static_cast<uint64_t>(fail_.farthest)));
        }
        for (size_t j = k; j < n; ++j) {
            entries_[j].start = moved(entries_[j].start);
            entries_[j].look = moved(entries_[j].look);
        }
        // entries_[i, k) gives way to fresh.
        if (fresh.size() <= k - i) {
            std::copy(fresh.begin(), fresh.end(), entries_.begin() + static_cast<long>(i));
            entries_.erase(entries_.begin() + static_cast<long>(i + fresh.size()),
                           entries_.begin() + static_cast<long>(k));
        } else {
            std::copy(fresh.begin(), fresh.begin() + static_cast<long>(k - i),
                      entries_.begin() + static_cast<long>(i));
            entries_.insert(entries_.begin() + static_cast<long>(k),
                            fresh.begin() + static_cast<long>(k - i), fresh.end());
        }
    } else {
        new_chain = i + fresh.size();
        fail_ = nf;
        // Past a failure, trees that still hold wait for the text before them to parse again.
        std::vector<entry> spares;
        for (; k < n; ++k) {
            uint64_t now = 0;
            if (nf.on && holds(entries_[k].start, entries_[k].look, now) && now > p) {
                entry e = entries_[k];
                e.start = now;
                e.look = moved(e.look);
                spares.push_back(e);
            } else {
                release(entries_[k]);
            }
        }
        entries_.resize(i);
        entries_.insert(entries_.end(), fresh.begin(), fresh.end());
        entries_.insert(entries_.end(), spares.begin(), spares.end());
    }
    chain_ = new_chain;
    sweep();
    rebuild_from(i);
}

} // namespace lang
