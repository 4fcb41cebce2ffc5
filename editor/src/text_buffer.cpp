#include "editor/text_buffer.h"

#include "base/utf8.h"

#include <algorithm>
#include <chrono>
#include <cstring>

namespace {

// Offsets are 32-bit; refuse edits that would take the text past this size.
constexpr size_t max_text = 1u << 30;

// The 64 bytes that end a phrase for the second double-click stage: controls, the ASCII
// punctuation except _ and DEL. The space is not one, so a phrase spans words.
bool is_phrase_delim(unsigned char c)
{
    if (c < 0x20 || c == 0x7F) return true;
    if (c == '_' || c == ' ') return false;
    return (c >= '!' && c <= '/') || (c >= ':' && c <= '@') || (c >= '[' && c <= '`') ||
           (c >= '{' && c <= '~');
}

text_buffer::clock_fn steady_clock_from_now()
{
    auto start = std::chrono::steady_clock::now();
    return [start] {
        return static_cast<int64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                        std::chrono::steady_clock::now() - start)
                                        .count());
    };
}

} // namespace

text_buffer::text_buffer() : text_buffer(steady_clock_from_now()) {}

text_buffer::text_buffer(clock_fn clock) : clip_slots_(1), clock_(std::move(clock)) {}

std::string_view text_buffer::slice(int32_t begin, int32_t end) const
{
    begin = clamp(begin);
    end = clamp(end);
    if (end <= begin) return {};
    return std::string_view(text_).substr(static_cast<size_t>(begin),
                                          static_cast<size_t>(end - begin));
}

void text_buffer::set_text(std::string text)
{
    if (text.size() > max_text) text.resize(max_text);
    text_ = std::move(text);
    for (change_account &a : changed_) a.whole = true;
    cursor_ = 0;
    selections_.clear();
    marks_.clear();
    log_.clear();
    undo_index_ = 0;
    saved_index_ = 0;
    saved_group_ = 0;
}

int32_t text_buffer::clamp(int32_t p) const
{
    return std::max<int32_t>(0, std::min(p, size()));
}

// --- characters and lines ------------------------------------------------------------------

int text_buffer::char_len(int32_t p) const
{
    if (p < 0) return 0;
    return utf8::char_len(text_.data(), text_.size(), static_cast<size_t>(p));
}

int32_t text_buffer::prev_char(int32_t p) const
{
    p = clamp(p);
    return static_cast<int32_t>(
        utf8::prev_char(text_.data(), text_.size(), static_cast<size_t>(p)));
}

int32_t text_buffer::snap(int32_t p) const
{
    p = clamp(p);
    // A character that covers p starts at most three bytes before it.
    for (int32_t q = p - 1; q >= 0 && q >= p - 3; --q) {
        auto c = static_cast<unsigned char>(text_[static_cast<size_t>(q)]);
        if ((c & 0xC0) != 0x80) {
            return q + char_len(q) > p ? q : p;
        }
    }
    return p;
}

int32_t text_buffer::line_start(int32_t p) const
{
    p = clamp(p);
    if (p == 0) return 0;
    const void *hit = memrchr(text_.data(), '\n', static_cast<size_t>(p));
    return hit ? static_cast<int32_t>(static_cast<const char *>(hit) - text_.data()) + 1 : 0;
}

int32_t text_buffer::line_end(int32_t p) const
{
    p = clamp(p);
    const void *hit = std::memchr(text_.data() + p, '\n', text_.size() - static_cast<size_t>(p));
    return hit ? static_cast<int32_t>(static_cast<const char *>(hit) - text_.data()) : size();
}

// --- cursor and moves ----------------------------------------------------------------------

void text_buffer::set_cursor(int32_t p)
{
    cursor_ = snap(p);
}

int32_t text_buffer::left_of(int32_t p) const
{
    return p <= 0 ? 0 : prev_char(p);
}

int32_t text_buffer::right_of(int32_t p) const
{
    p = clamp(p);
    return p + char_len(p);
}

int32_t text_buffer::up_of(int32_t p) const
{
    int32_t start = line_start(p);
    if (start == 0) return clamp(p);
    int32_t column = clamp(p) - start;
    int32_t prev_start = line_start(start - 1);
    return snap(std::min(prev_start + column, start - 1));
}

int32_t text_buffer::down_of(int32_t p) const
{
    int32_t end = line_end(p);
    if (end >= size()) return clamp(p);
    int32_t column = clamp(p) - line_start(p);
    int32_t next_start = end + 1;
    return snap(std::min(next_start + column, line_end(next_start)));
}

int32_t text_buffer::page_up_of(int32_t p, int n) const
{
    p = clamp(p);
    for (int i = 0; i < n; ++i) {
        int32_t start = line_start(p);
        if (start == 0) return 0;
        p = line_start(start - 1);
    }
    return p;
}

int32_t text_buffer::page_down_of(int32_t p, int n) const
{
    p = clamp(p);
    for (int i = 0; i < n; ++i) {
        int32_t end = line_end(p);
        if (end >= size()) return size();
        p = line_end(end + 1);
    }
    return p;
}

int32_t text_buffer::next_word_of(int32_t p) const
{
    p = clamp(p);
    auto w = [this](int32_t i) {
        return is_word_byte(static_cast<unsigned char>(text_[static_cast<size_t>(i)]));
    };
    for (int32_t i = p + 1; i < size(); ++i)
        if (w(i) && !w(i - 1)) return i;
    return p;
}

int32_t text_buffer::prev_word_of(int32_t p) const
{
    p = clamp(p);
    auto w = [this](int32_t i) {
        return is_word_byte(static_cast<unsigned char>(text_[static_cast<size_t>(i)]));
    };
    for (int32_t i = p - 1; i >= 0; --i)
        if (w(i) && (i == 0 || !w(i - 1))) return i;
    return p;
}

namespace {

template <class Pred> text_range run_at(const std::string &t, int32_t p, Pred in_run)
{
    int32_t b = p, e = p;
    while (b > 0 && in_run(static_cast<unsigned char>(t[static_cast<size_t>(b - 1)]))) --b;
    while (e < static_cast<int32_t>(t.size()) &&
           in_run(static_cast<unsigned char>(t[static_cast<size_t>(e)])))
        ++e;
    return {b, e};
}

} // namespace

text_range text_buffer::word_at(int32_t p) const
{
    return run_at(text_, clamp(p), [](unsigned char c) { return is_word_byte(c); });
}

text_range text_buffer::phrase_at(int32_t p) const
{
    // Stops on delimiters only; a run of non-ASCII bytes therefore stays whole.
    return run_at(text_, clamp(p), [](unsigned char c) { return !is_phrase_delim(c); });
}

text_range text_buffer::line_at(int32_t p) const
{
    int32_t end = line_end(p);
    return {line_start(p), end < size() ? end + 1 : end};
}

text_range text_buffer::beside(int32_t p) const
{
    p = clamp(p);
    int32_t b = 0;
    for (int32_t i = p - 1; i >= 0; --i)
        if (text_[static_cast<size_t>(i)] == '(') {
            b = i + 1;
            break;
        }
    int32_t e = p;
    for (int32_t i = p; i < size(); ++i)
        if (text_[static_cast<size_t>(i)] == ')') {
            e = i;
            break;
        }
    return {b, e};
}

// --- selections ----------------------------------------------------------------------------

void text_buffer::add_selection(int32_t begin, int32_t end)
{
    begin = snap(begin);
    end = snap(end);
    if (begin >= end) return;
    selections_.push_back({begin, end});
    normalise_selections();
}

void text_buffer::normalise_selections()
{
    std::sort(selections_.begin(), selections_.end(),
              [](const text_range &a, const text_range &b) { return a.begin < b.begin; });
    // Merge overlaps; ranges that only touch stay apart (find-all yields such neighbours).
    range_list merged;
    merged.reserve(selections_.size());
    for (const text_range &s : selections_) {
        if (!merged.empty() && s.begin < merged.back().end)
            merged.back().end = std::max(merged.back().end, s.end);
        else
            merged.push_back(s);
    }
    selections_ = std::move(merged);
}

void text_buffer::select(int32_t a, int32_t b)
{
    selections_.clear();
    add_selection(std::min(a, b), std::max(a, b));
}

void text_buffer::set_selections(const range_list &ranges)
{
    selections_.clear();
    for (const text_range &r : ranges) {
        int32_t b = snap(r.begin), e = snap(r.end);
        if (b < e) selections_.push_back({b, e});
    }
    normalise_selections();
}

std::string text_buffer::selected_text() const
{
    std::string out;
    for (const text_range &s : selections_) out.append(slice(s.begin, s.end));
    return out;
}

// --- recorded edits ------------------------------------------------------------------------

void text_buffer::record(int32_t kind, std::string_view bytes, int32_t position, bool backspace)
{
    undo_entry e;
    e.kind = kind;
    e.text.assign(bytes);
    e.time = clock_();
    e.position = backspace ? -position : position;
    e.backspace = backspace;
    bool after_undo = undo_index_ < static_cast<int32_t>(log_.size());
    int64_t last_group = log_.empty() ? 0 : log_.back().group;
    e.group = last_group + (after_undo ? 1 : 0);
    e.group_start = !log_.empty() && !after_undo && !join_next_ &&
                    static_cast<double>(e.time - log_.back().time) > continuous_ms_;
    join_next_ = false;
    log_.resize(static_cast<size_t>(undo_index_));
    log_.push_back(std::move(e));
    ++undo_index_;
}

void text_buffer::raw_insert(int32_t pos, std::string_view bytes)
{
    note_change(pos, static_cast<int64_t>(text_.size()) - pos);
    text_.insert(static_cast<size_t>(pos), bytes.data(), bytes.size());
}

void text_buffer::raw_erase(int32_t pos, int32_t len)
{
    note_change(pos, static_cast<int64_t>(text_.size()) - pos - len);
    text_.erase(static_cast<size_t>(pos), static_cast<size_t>(len));
}

void text_buffer::note_change(int64_t from, int64_t tail)
{
    for (change_account &a : changed_) {
        a.from = std::min(a.from, from);
        a.tail = std::min(a.tail, tail);
    }
}

text_buffer::change text_buffer::take_change(change_reader reader)
{
    change_account &a = changed_[reader];
    change c;
    const int64_t size = static_cast<int64_t>(text_.size());
    if (a.whole) {
        c.any = c.whole = true;
        c.inserted = static_cast<int32_t>(size);
    } else if (a.from <= a.size_seen) {
        int64_t tail = std::min({a.tail, a.size_seen - a.from, size - a.from});
        c.any = true;
        c.offset = static_cast<int32_t>(a.from);
        c.removed = static_cast<int32_t>(a.size_seen - a.from - tail);
        c.inserted = static_cast<int32_t>(size - a.from - tail);
    }
    a = change_account();
    a.whole = false;
    a.tail = size;
    a.size_seen = size;
    return c;
}

void text_buffer::insert_at(int32_t pos, std::string_view bytes)
{
    pos = snap(pos);
    if (bytes.empty() || text_.size() + bytes.size() > max_text) return;
    record(inserted, bytes, pos, false);
    raw_insert(pos, bytes);
    cursor_ = snap(pos + static_cast<int32_t>(bytes.size()));
}

void text_buffer::insert(std::string_view bytes)
{
    if (bytes.empty()) return;
    for (const text_range &s : selections_)
        if (s.begin <= cursor_ && cursor_ <= s.end) {
            const int32_t before = undo_index_;
            remove(s.begin, s.end);
            join_next_ = undo_index_ != before; // typing over a selection is one step
            break;
        }
    selections_.clear();
    insert_at(cursor_, bytes);
    join_next_ = false;
}

void text_buffer::remove(int32_t begin, int32_t end, bool backspace)
{
    begin = snap(begin);
    end = snap(end);
    if (begin >= end) return;
    record(removed, slice(begin, end), begin, backspace);
    raw_erase(begin, end - begin);
    // Removing bytes may join broken neighbours into one character: stay on its start.
    cursor_ = snap(begin);
}

void text_buffer::replace(int32_t begin, int32_t end, std::string_view bytes)
{
    const int32_t before = undo_index_;
    remove(begin, end);
    join_next_ = undo_index_ != before; // a replacement is one step, however long it took
    cursor_ = snap(begin);
    insert_at(cursor_, bytes);
    join_next_ = false;
}

void text_buffer::replace_keep_selections(int32_t begin, int32_t end, std::string_view bytes)
{
    begin = snap(begin);
    end = snap(end);
    if (begin > end) return;
    int32_t old_size = size();
    replace(begin, end, bytes);
    int32_t delta = size() - old_size;
    range_list kept;
    for (text_range s : selections_) {
        if (s.begin >= end) {
            s.begin += delta;
            s.end += delta;
        } else if (s.begin <= begin && s.end >= end) {
            s.end += delta;
        }
        if (s.begin < s.end) kept.push_back(s);
    }
    selections_ = std::move(kept);
}

size_t text_buffer::replace_ranges(const range_list &ranges, std::string_view bytes,
                                   bool keep_selections)
{
    range_list todo;
    todo.reserve(ranges.size());
    for (const text_range &r : ranges) {
        int32_t b = snap(r.begin), e = snap(r.end);
        if (b < e && (todo.empty() || b >= todo.back().end)) todo.push_back({b, e});
    }
    if (todo.empty()) return 0;
    const int32_t span_begin = todo.front().begin, span_end = todo.back().end;
    size_t removed_bytes = 0;
    for (const text_range &r : todo) removed_bytes += static_cast<size_t>(r.end - r.begin);
    const uint64_t new_size =
        text_.size() - removed_bytes + static_cast<uint64_t>(todo.size()) * bytes.size();
    if (new_size > max_text) return 0;

    std::string span;
    span.reserve(static_cast<size_t>(span_end - span_begin) - removed_bytes +
                 todo.size() * bytes.size());
    int32_t at = span_begin;
    for (const text_range &r : todo) {
        span.append(text_, static_cast<size_t>(at), static_cast<size_t>(r.begin - at));
        span.append(bytes);
        at = r.end;
    }

    // Where the selections go: each end moves by what the replaced ranges that end at or
    // before it changed. Both lists are in text order, so one walk serves all ends.
    range_list kept;
    if (keep_selections) {
        size_t next = 0;
        int64_t shift = 0;
        auto map = [&](int32_t p) {
            for (; next < todo.size() && todo[next].end <= p; ++next)
                shift += static_cast<int64_t>(bytes.size()) - (todo[next].end - todo[next].begin);
            return static_cast<int32_t>(p + shift);
        };
        for (const text_range &s : selections_) {
            int32_t b = map(s.begin);
            int32_t e = map(s.end);
            if (b < e) kept.push_back({b, e});
        }
    }

    record(removed, slice(span_begin, span_end), span_begin, false);
    raw_erase(span_begin, span_end - span_begin);
    if (!span.empty()) {
        join_next_ = true;
        record(inserted, span, span_begin, false);
        raw_insert(span_begin, span);
    }
    cursor_ = snap(span_begin + static_cast<int32_t>(bytes.size()));
    selections_ = std::move(kept);
    return todo.size();
}

std::vector<std::string> text_buffer::remove_selections()
{
    std::vector<std::string> out;
    range_list sel = std::move(selections_);
    selections_.clear();
    for (auto it = sel.rbegin(); it != sel.rend(); ++it) {
        out.emplace_back(slice(it->begin, it->end));
        remove(it->begin, it->end);
    }
    if (!sel.empty()) cursor_ = snap(sel.front().begin);
    return out;
}

void text_buffer::backspace()
{
    if (has_selection()) {
        remove_selections();
        return;
    }
    if (cursor_ == 0) return;
    int32_t p = prev_char(cursor_);
    remove(p, cursor_, true);
}

void text_buffer::del()
{
    if (has_selection()) {
        remove_selections();
        return;
    }
    if (cursor_ >= size()) return;
    remove(cursor_, cursor_ + char_len(cursor_));
}

std::string text_buffer::cut()
{
    if (!has_selection()) return {};
    std::vector<std::string> parts = remove_selections();
    std::string joined;
    for (const std::string &p : parts) joined += p;
    clip_slots_[0] = parts.back();
    return joined;
}

std::string text_buffer::copy()
{
    std::string joined = selected_text();
    clip_slots_[0] = joined;
    return joined;
}

bool text_buffer::paste(std::string_view bytes)
{
    if (bytes.empty()) return false;
    std::string clean = utf8::sanitise(std::string(bytes));
    if (text_.size() + clean.size() > max_text) return false;
    clip_slots_[0] = clean;
    if (!has_selection()) {
        insert_at(cursor_, clean);
        return true;
    }
    range_list sel = std::move(selections_);
    selections_.clear();
    for (auto it = sel.rbegin(); it != sel.rend(); ++it) replace(it->begin, it->end, clean);
    cursor_ = snap(sel.front().begin + static_cast<int32_t>(clean.size()));
    return true;
}

// --- undo ----------------------------------------------------------------------------------

void text_buffer::undo()
{
    selections_.clear();
    marks_.clear();
    while (undo_index_ > 0) {
        const undo_entry &e = log_[static_cast<size_t>(--undo_index_)];
        int32_t pos = e.position < 0 ? -e.position : e.position;
        if (e.kind == inserted) {
            raw_erase(pos, static_cast<int32_t>(e.text.size()));
            cursor_ = pos;
        } else {
            raw_insert(pos, e.text);
            cursor_ = e.backspace ? pos + static_cast<int32_t>(e.text.size()) : pos;
        }
        if (e.group_start) break;
    }
    cursor_ = snap(cursor_);
}

void text_buffer::redo()
{
    selections_.clear();
    marks_.clear();
    bool first = true;
    while (undo_index_ < static_cast<int32_t>(log_.size())) {
        const undo_entry &e = log_[static_cast<size_t>(undo_index_)];
        if (e.group_start && !first) break;
        first = false;
        int32_t pos = e.position < 0 ? -e.position : e.position;
        if (e.kind == inserted) {
            raw_insert(pos, e.text);
            cursor_ = pos + static_cast<int32_t>(e.text.size());
        } else {
            raw_erase(pos, static_cast<int32_t>(e.text.size()));
            cursor_ = pos;
        }
        ++undo_index_;
    }
    cursor_ = snap(cursor_);
}

bool text_buffer::editing_recently(double factor) const
{
    if (log_.empty() || can_redo()) return false;
    return static_cast<double>(clock_() - log_.back().time) < factor * continuous_ms_;
}

void text_buffer::mark_saved()
{
    saved_index_ = undo_index_;
    saved_group_ = log_.empty() ? 0 : log_.back().group;
}

bool text_buffer::modified() const
{
    if (undo_index_ != saved_index_) return true;
    return undo_index_ > 0 && log_[static_cast<size_t>(undo_index_ - 1)].group != saved_group_;
}
