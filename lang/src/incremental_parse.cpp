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
    return chain_ ? static_cast<int32_t>(end_of(chain_ - 1)) : 0;
}

int64_t incremental_parse::failure() const
{
    return fail_.on ? fail_.farthest : -1;
}

void incremental_parse::sweep()
{
    batches_.erase(std::remove_if(batches_.begin(), batches_.end(),
                                  [](const std::unique_ptr<batch> &b) { return b->refs == 0; }),
                   batches_.end());
}

// Adds delta (modulo 2^64) to the stored offsets and looks of [from, to).
void incremental_parse::add(size_t from, size_t to, uint64_t delta)
{
    for (size_t j = from; j < to; ++j) {
        list_.offsets_[j] += delta;
        entries_[j].look += delta;
    }
}

// Replaces [from, to) by items, in the list and beside it.
void incremental_parse::splice(size_t from, size_t to, const std::vector<item> &items)
{
    auto &roots = list_.items_;
    auto &offs = list_.offsets_;
    const size_t was = to - from, now = items.size();
    const long at = static_cast<long>(from), end = static_cast<long>(to);
    if (now < was) {
        const long cut = at + static_cast<long>(now);
        roots.erase(roots.begin() + cut, roots.begin() + end);
        offs.erase(offs.begin() + cut, offs.begin() + end);
        entries_.erase(entries_.begin() + cut, entries_.begin() + end);
    } else if (now > was) {
        roots.insert(roots.begin() + end, now - was, nullptr);
        offs.insert(offs.begin() + end, now - was, 0);
        entries_.insert(entries_.begin() + end, now - was, entry{});
    }
    for (size_t j = 0; j < now; ++j) {
        roots[from + j] = items[j].root;
        offs[from + j] = items[j].start;
        entries_[from + j] = items[j].e;
    }
}

// The first statement whose match looked at offset o or beyond (entries_.size() if none).
size_t incremental_parse::first_reached(uint64_t o) const
{
    size_t lo = 0, hi = entries_.size();
    while (lo < hi) { // the first statement that starts after o: it looked there
        size_t mid = (lo + hi) / 2;
        if (start_of(mid) <= o)
            lo = mid + 1;
        else
            hi = mid;
    }
    size_t first = lo;
    // Before it, only statements that end within overreach_ bytes of o can have looked at o.
    for (size_t j = lo; j-- > 0;) {
        if (end_of(j) + overreach_ < o) break;
        if (look_of(j) >= o) first = j;
    }
    return first;
}

void incremental_parse::reset(std::string_view text)
{
    list_.clear();
    entries_.clear();
    chain_ = 0;
    overreach_ = 0;
    fail_ = failure_rec();
    batches_.clear();
    length_ = text.size();
    if (length_ > static_cast<uint64_t>(std::numeric_limits<int32_t>::max()))
        length_ = static_cast<uint64_t>(std::numeric_limits<int32_t>::max());
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
        const uint64_t end = static_cast<uint64_t>(m.root->stop() - base);
        const uint64_t look = static_cast<uint64_t>(m.look - base);
        if (look > end) overreach_ = std::max(overreach_, look - end);
        list_.items_.push_back(m.root);
        list_.offsets_.push_back(p);
        entries_.push_back({&b, look, true});
        ++b.refs;
        p = end;
    }
    reparsed_ = p;
    chain_ = list_.count_ = entries_.size();
    list_.shift_from_ = entries_.size();
    list_.shift_ = 0;
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
        const size_t count = n->child_count();
        for (size_t c = 0; c < count; ++c) stack.push_back(n->kids()[c]);
    }
}
} // namespace

void incremental_parse::apply(std::string_view text, uint64_t o, uint64_t r, uint64_t ins)
{
    const uint64_t len = text.size();
    if (o > length_ || r > length_ - o || len != length_ - r + ins ||
        len > static_cast<uint64_t>(std::numeric_limits<int32_t>::max()))
        return reset(text);
    const uint64_t d = ins - r;  // modulo 2^64: a shrinking edit adds a "negative" d
    const uint64_t tail = o + r; // old offsets from here on are the unchanged text after the edit
    // Whether an old statement (start, look) still holds, and where it starts now.
    auto holds = [&](uint64_t start, uint64_t look, uint64_t &now) {
        if (look < o) {
            now = start;
            return true;
        }
        if (start >= tail) {
            now = start + d;
            return true;
        }
        return false;
    };
    auto moved = [&](uint64_t v) { return v < o ? v : v + d; };

    // The first statement whose match looked at a changed byte; those before it stay.
    size_t i = first_reached(o);
    uint64_t p;
    if (i >= chain_) {
        i = chain_;
        p = chain_ ? end_of(chain_ - 1) : 0; // resume no later than the old stop
    } else {
        p = start_of(i);
    }
    if (p > o) return reset(text); // cannot happen: a statement looks at its own bytes
    if (gap() < i) {               // what stays before i is brought up to date
        add(gap(), i, shift());
        list_.shift_from_ = i;
    }

    length_ = len;
    const size_t n = entries_.size();
    std::vector<item> fresh; // what follows the statements that stay: adopted and new ones
    batch *nb = nullptr;
    uint64_t new_from = 0, new_to = 0; // the bytes the new trees cover
    std::unique_ptr<lookahead_memo> memo;
    failure_rec nf;
    uint64_t fail_now = 0;
    const bool fail_holds = fail_.on && holds(fail_.start, fail_.look, fail_now);
    size_t k = i;
    enum { nothing, old_chain, spare_run } rest = nothing; // what is kept from k on, at once
    bool run_checked = false;
    reparsed_ = 0;
    while (p != len) {
        uint64_t now = 0;
        while (k < n && (!holds(start_of(k), look_of(k), now) || now < p)) {
            --entries_[k].owner->refs;
            ++k;
        }
        if (k < n && now == p) {
            if (start_of(k) >= tail) {
                // From here on the old trees lie in unchanged text: the old chain is kept as
                // it was; trees kept past a failure are taken at once when they run to the end.
                if (k < chain_) {
                    rest = old_chain;
                    break;
                }
                if (!run_checked) {
                    run_checked = true;
                    size_t j = k + 1;
                    while (j < n && entries_[j].linked) ++j;
                    if (j == n && end_of(n - 1) + d == len) {
                        rest = spare_run;
                        break;
                    }
                }
            }
            fresh.push_back({list_.items_[k], now, {entries_[k].owner, moved(look_of(k)), true}});
            p = now + list_.items_[k]->length;
            ++k;
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
            reparsed_ += nf.look - p;
            break;
        }
        const uint64_t end = static_cast<uint64_t>(m.root->stop() - text.data());
        const uint64_t look = static_cast<uint64_t>(m.look - text.data());
        if (look > end) overreach_ = std::max(overreach_, look - end);
        if (new_to == 0) new_from = p;
        new_to = end;
        fresh.push_back({m.root, p, {nb, look, true}});
        ++nb->refs;
        reparsed_ += end - p;
        p = end;
    }

    // Move the new trees onto their own copy of the bytes they cover.
    if (nb && nb->refs) {
        nb->text.assign(text.data() + new_from, new_to - new_from);
        const std::ptrdiff_t delta = nb->text.data() - (text.data() + new_from);
        std::vector<parse_node *> stack;
        for (const item &it : fresh)
            if (it.e.owner == nb) relocate(it.root, delta, stack);
    }

    const size_t chained = fresh.size();
    size_t k2 = k;
    if (rest == nothing) {
        // Past a failure, trees that still hold wait for the text before them to parse
        // again; those in the unchanged text after the edit stay where they are, below.
        uint64_t prev_end = p;
        for (; k2 < n && (!nf.on || start_of(k2) < tail); ++k2) {
            uint64_t now = 0;
            if (nf.on && holds(start_of(k2), look_of(k2), now) && now > p) {
                fresh.push_back(
                    {list_.items_[k2], now, {entries_[k2].owner, look_of(k2), now == prev_end}});
                prev_end = now + list_.items_[k2]->length;
            } else {
                --entries_[k2].owner->refs;
            }
        }
    }
    // The entries from k2 on lie after the edit: each owes d more than it did.
    size_t lazy_from = n;
    if (k2 < n) {
        if (k2 < gap()) add(k2, gap(), d);
        lazy_from = std::max(k2, gap());
        list_.shift_ = static_cast<int64_t>(shift() + d);
    }
    size_t new_chain = i + chained;
    if (rest == old_chain) {
        new_chain += chain_ - k;
        if (fail_.on) {
            fail_.start = moved(fail_.start);
            fail_.look = moved(fail_.look);
            if (fail_.farthest >= 0)
                fail_.farthest = static_cast<int64_t>(moved(static_cast<uint64_t>(fail_.farthest)));
        }
    } else if (rest == spare_run) {
        new_chain += n - k;
        fail_ = failure_rec();
    } else {
        fail_ = nf;
    }

    splice(i, k2, fresh);
    const size_t after = i + fresh.size();
    if (k2 < n) {
        list_.shift_from_ = lazy_from - k2 + after;
        entries_[after].linked = (after ? end_of(after - 1) : 0) == start_of(after);
    } else {
        list_.shift_from_ = entries_.size();
        list_.shift_ = 0;
    }
    chain_ = list_.count_ = new_chain;
    list_.text_ = nullptr;
    sweep();
}

} // namespace lang
