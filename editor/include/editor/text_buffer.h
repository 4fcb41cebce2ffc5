#pragma once

#include "editor/text_range.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// One recorded change of the text.
struct undo_entry {
    int32_t kind = 0;     // 0 text removed, 1 text inserted
    std::string text;     // the removed or inserted bytes
    int64_t time = 0;     // milliseconds on the buffer's clock
    int32_t position = 0; // offset of the change; a Backspace removal stores -offset
    int64_t group = 0;    // grows by one for entries recorded after an undo
    uint8_t group_start = 0;
    // -offset cannot tell a Backspace at offset 0 from a Delete there, so the direction is
    // kept as well; undo reads it to put the cursor back behind the restored character.
    bool backspace = false;
};

// The whole script as one UTF-8 byte string with its cursor, selections, marks, saved texts
// and undo log. Every offset is a byte offset; the buffer keeps the cursor on character
// boundaries (ill-formed bytes count as one-byte characters). Qt-free.
class text_buffer {
public:
    enum { removed = 0, inserted = 1 };
    using clock_fn = std::function<int64_t()>; // monotonic milliseconds

    text_buffer();
    explicit text_buffer(clock_fn clock);

    // --- content -------------------------------------------------------------------------
    const std::string &text() const { return text_; }
    int32_t size() const { return static_cast<int32_t>(text_.size()); }
    std::string_view slice(int32_t begin, int32_t end) const;
    // Replaces the whole content: cursor at 0, no selections or marks, empty undo log,
    // saved marker at the empty log.
    void set_text(std::string text);

    // --- characters and lines ------------------------------------------------------------
    int char_len(int32_t p) const;       // 0 at the end of the text
    int32_t prev_char(int32_t p) const;  // start of the character before p
    int32_t snap(int32_t p) const;       // p moved back onto a character start
    int32_t line_start(int32_t p) const; // just after the previous \n, or 0
    int32_t line_end(int32_t p) const;   // the \n ending p's line, or the text end

    // --- cursor and moves (pure: they return the new offset) -----------------------------
    int32_t cursor() const { return cursor_; }
    void set_cursor(int32_t p);
    int32_t left_of(int32_t p) const;
    int32_t right_of(int32_t p) const;
    int32_t up_of(int32_t p) const;
    int32_t down_of(int32_t p) const;
    int32_t page_up_of(int32_t p, int n) const;
    int32_t page_down_of(int32_t p, int n) const;
    int32_t next_word_of(int32_t p) const;
    int32_t prev_word_of(int32_t p) const;
    text_range word_at(int32_t p) const;   // word-character run touching p, empty when none
    text_range phrase_at(int32_t p) const; // run without phrase delimiters touching p
    text_range line_at(int32_t p) const;   // p's line with its \n
    text_range beside(int32_t p) const;    // between the nearest ( before and ) after

    // --- selections and marks ------------------------------------------------------------
    // Selections stay sorted and never overlap: an added range that overlaps others is
    // merged with them, so that removing them one by one never shifts a range still to do.
    const range_list &selections() const { return selections_; }
    bool has_selection() const { return !selections_.empty(); }
    void add_selection(int32_t begin, int32_t end);
    void select(int32_t a, int32_t b); // the single range between a and b
    void clear_selections() { selections_.clear(); }
    void set_selections(const range_list &ranges);
    std::string selected_text() const; // selections joined in list order

    const range_list &marks() const { return marks_; }
    void set_marks(range_list marks) { marks_ = std::move(marks); }
    void clear_marks() { marks_.clear(); }

    std::vector<std::string> &clip_slots() { return clip_slots_; }
    const std::vector<std::string> &clip_slots() const { return clip_slots_; }

    // --- recorded edits ------------------------------------------------------------------
    // Typing: removes the selection that holds the cursor, inserts at the cursor, moves the
    // cursor behind the text and clears all selections.
    void insert(std::string_view bytes);
    void insert_at(int32_t pos, std::string_view bytes);             // cursor behind the text
    void remove(int32_t begin, int32_t end, bool backspace = false); // cursor at begin
    void replace(int32_t begin, int32_t end, std::string_view bytes);
    // The same, but the selections stay and follow the edit: ranges after it shift and a
    // range that holds it grows or shrinks with it.
    void replace_keep_selections(int32_t begin, int32_t end, std::string_view bytes);
    // Replaces every range of `ranges` (in text order; empty and overlapping ones are
    // skipped) by `bytes` in one pass, recorded as one removal and one insertion of the
    // span from the first range's begin to the last one's end, so that a replace-all with
    // many matches costs one copy of the text, and so does its undo. The cursor ends behind
    // the first replacement. With `keep_selections` the selections follow the edit (a range
    // that holds replaced text grows or shrinks with it); otherwise they are cleared.
    // Returns the number of ranges replaced.
    size_t replace_ranges(const range_list &ranges, std::string_view bytes, bool keep_selections);
    // Removes every selection, last to first, each as its own removal; the cursor ends at
    // the begin of the first. Returns the removed texts in removal order.
    std::vector<std::string> remove_selections();
    void backspace();
    void del();

    // Commands that also fill the clip slots; they return the clipboard text (empty when
    // nothing is to be put on the clipboard).
    std::string cut();
    std::string copy();
    // Pastes `bytes` (ill-formed UTF-8 is replaced by U+FFFD first). False when empty.
    bool paste(std::string_view bytes);

    // --- undo ----------------------------------------------------------------------------
    void set_continuous_seconds(double s) { continuous_ms_ = s * 1000.0; }
    double continuous_ms() const { return continuous_ms_; }
    const std::vector<undo_entry> &log() const { return log_; }
    int32_t undo_index() const { return undo_index_; }
    bool can_undo() const { return undo_index_ > 0; }
    bool can_redo() const { return undo_index_ < static_cast<int32_t>(log_.size()); }
    void undo();
    void redo();
    // True when the last recorded change is younger than `factor` continuous-edit times
    // and nothing is undone: the user is still typing.
    bool editing_recently(double factor) const;
    int64_t now() const { return clock_(); }
    // The clock edits are timed by (tests make time pass at will).
    void set_clock(clock_fn clock) { clock_ = std::move(clock); }

    // --- changes since the last look -----------------------------------------------------
    // One edit that covers every change since the reader's last take_change (or since
    // construction): the bytes before `offset` and the last bytes after the change are as
    // they were. Each reader (the parse, the layout) keeps its own account.
    // `whole` after set_text, when nothing of the old text is to be assumed.
    struct change {
        bool any = false, whole = false;
        int32_t offset = 0, removed = 0, inserted = 0;
    };
    enum change_reader { parse_reader = 0, layout_reader = 1 };
    change take_change(change_reader reader = parse_reader);

    void mark_saved();
    bool modified() const;
    int32_t saved_index() const { return saved_index_; }
    int64_t saved_group() const { return saved_group_; }

private:
    void record(int32_t kind, std::string_view bytes, int32_t position, bool backspace);
    void raw_insert(int32_t pos, std::string_view bytes);
    void raw_erase(int32_t pos, int32_t len);
    void note_change(int64_t from, int64_t tail);
    int32_t clamp(int32_t p) const;
    void normalise_selections();

    std::string text_;
    // What changed since a reader's last take_change: from `from` (none when above the
    // size it saw) up to the last `tail` bytes.
    struct change_account {
        int64_t from = INT64_MAX, tail = 0, size_seen = 0;
        bool whole = true;
    };
    change_account changed_[2];
    int32_t cursor_ = 0;
    range_list selections_;
    range_list marks_;
    std::vector<std::string> clip_slots_;
    std::vector<undo_entry> log_;
    int32_t undo_index_ = 0;
    int32_t saved_index_ = 0;
    int64_t saved_group_ = 0;
    double continuous_ms_ = 1000.0;
    clock_fn clock_;
    // The next recorded change belongs to the step of the one before, whatever the time
    // between them (the insertion half of a replacement).
    bool join_next_ = false;
};
