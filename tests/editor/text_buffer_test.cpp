#include "editor/text_buffer.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// A buffer whose clock the test moves by hand.
struct clocked {
    int64_t now = 0;
    text_buffer buf{[this] { return now; }};
    void type(const std::string &s)
    {
        for (char c : s) buf.insert(std::string(1, c));
    }
};

TEST(text_buffer_undo, pause_longer_than_continuous_time_opens_a_group)
{
    clocked c;
    c.type("abc"); // three keys within a second
    c.now += 2000; // a two-second pause
    c.type("d");
    EXPECT_EQ(c.buf.text(), "abcd");
    c.buf.undo();
    EXPECT_EQ(c.buf.text(), "abc");
    EXPECT_EQ(c.buf.cursor(), 3);
    c.buf.undo();
    EXPECT_EQ(c.buf.text(), "");
    EXPECT_FALSE(c.buf.can_undo());
    c.buf.undo(); // nothing left: harmless
    EXPECT_EQ(c.buf.text(), "");
}

TEST(text_buffer_undo, continuous_time_comes_from_the_setting)
{
    clocked c;
    c.buf.set_continuous_seconds(5.0);
    c.type("ab");
    c.now += 2000;
    c.type("c");
    c.buf.undo(); // two seconds is inside five: one group
    EXPECT_EQ(c.buf.text(), "");
}

TEST(text_buffer_undo, a_replacement_is_one_step_however_slow_the_clock)
{
    // With no time grouping every change is a step of its own, but the two halves of a
    // replacement (removal and insertion) are one, even when the clock moves between them.
    for (int how = 0; how < 3; ++how) {
        int64_t now = 0;
        text_buffer buf([&now] { return now += 1000; });
        buf.set_continuous_seconds(0);
        buf.set_text("ab cd");
        buf.insert_at(5, "!");
        if (how == 0) buf.replace(0, 2, "XY");
        if (how == 1) buf.replace_ranges({{0, 2}, {3, 5}}, "Z", false);
        if (how == 2) {
            buf.select(0, 2);
            buf.set_cursor(2);
            buf.insert("Q");
        }
        buf.undo();
        EXPECT_EQ(buf.text(), "ab cd!") << how;
        buf.undo();
        EXPECT_EQ(buf.text(), "ab cd") << how << ": the step before stays its own";
    }
    // Typing with nothing selected never joins the step before.
    int64_t now = 0;
    text_buffer buf([&now] { return now += 1000; });
    buf.set_continuous_seconds(0);
    buf.insert_at(0, "a");
    buf.insert("b");
    buf.undo();
    EXPECT_EQ(buf.text(), "a");
}

TEST(text_buffer_undo, redo_replays_one_group_and_edit_after_undo_drops_the_tail)
{
    clocked c;
    c.type("ab");
    c.now += 2000;
    c.type("cd");
    c.now += 2000;
    c.type("ef");
    c.buf.undo();
    c.buf.undo();
    EXPECT_EQ(c.buf.text(), "ab");
    c.buf.redo();
    EXPECT_EQ(c.buf.text(), "abcd");
    EXPECT_EQ(c.buf.cursor(), 4);
    EXPECT_TRUE(c.buf.can_redo());

    // A new edit drops "ef" for good, and never opens a group itself: the next undo goes
    // back past "cd" to the start of that group.
    c.now += 5000;
    c.type("X");
    EXPECT_FALSE(c.buf.can_redo());
    EXPECT_EQ(c.buf.log().size(), 5u);
    EXPECT_EQ(c.buf.log().back().group_start, 0);
    EXPECT_EQ(c.buf.log().back().group, 1);
    c.buf.undo();
    EXPECT_EQ(c.buf.text(), "ab");
    c.buf.redo();
    EXPECT_EQ(c.buf.text(), "abcdX");
}

TEST(text_buffer_undo, undo_and_redo_clear_selections_and_marks)
{
    clocked c;
    c.type("hello");
    c.buf.select(0, 2);
    c.buf.set_marks({{1, 3}});
    c.buf.undo();
    EXPECT_TRUE(c.buf.selections().empty());
    EXPECT_TRUE(c.buf.marks().empty());
}

TEST(text_buffer_saved, modified_follows_the_saved_marker)
{
    clocked c;
    EXPECT_FALSE(c.buf.modified());
    c.type("ab");
    EXPECT_TRUE(c.buf.modified());
    c.buf.mark_saved();
    EXPECT_FALSE(c.buf.modified());
    c.now += 2000;
    c.type("c");
    EXPECT_TRUE(c.buf.modified());
    c.buf.undo();
    EXPECT_EQ(c.buf.text(), "ab");
    EXPECT_FALSE(c.buf.modified()); // back at the saved point
    // Same undo index again, but through a different edit: still modified.
    c.type("z");
    EXPECT_EQ(c.buf.undo_index(), 3);
    EXPECT_TRUE(c.buf.modified());
}

TEST(text_buffer_saved, undo_below_an_empty_saved_log_is_modified_until_back)
{
    clocked c;
    c.type("a");
    c.buf.mark_saved();
    c.buf.undo();
    EXPECT_TRUE(c.buf.modified());
    c.buf.redo();
    EXPECT_FALSE(c.buf.modified());
}

TEST(text_buffer_edit, backspace_and_delete_remove_whole_characters)
{
    clocked c;
    c.buf.set_text("a\xE4\xB8\xAD"
                   "b"); // a, a three-byte character, b
    c.buf.set_cursor(4);
    c.buf.backspace();
    EXPECT_EQ(c.buf.text(), "ab");
    EXPECT_EQ(c.buf.cursor(), 1);
    EXPECT_LT(c.buf.log().back().position, 0); // Backspace stores the offset negated
    c.buf.undo();
    EXPECT_EQ(c.buf.text(), "a\xE4\xB8\xAD"
                            "b");
    EXPECT_EQ(c.buf.cursor(), 4); // behind the restored character

    c.buf.set_cursor(1);
    c.buf.del();
    EXPECT_EQ(c.buf.text(), "ab");
    c.buf.undo();
    EXPECT_EQ(c.buf.cursor(), 1); // Delete leaves the cursor before it
}

TEST(text_buffer_edit, backspace_of_the_first_character_undoes_behind_it)
{
    clocked c;
    c.type("xy");
    c.now += 2000;
    c.buf.set_cursor(1);
    c.buf.backspace();
    c.buf.undo();
    EXPECT_EQ(c.buf.text(), "xy");
    EXPECT_EQ(c.buf.cursor(), 1);
}

TEST(text_buffer_edit, nothing_to_act_on_changes_nothing)
{
    clocked c;
    c.buf.set_text("ab");
    c.buf.backspace();
    c.buf.set_cursor(2);
    c.buf.del();
    EXPECT_EQ(c.buf.cut(), "");
    EXPECT_FALSE(c.buf.paste(""));
    EXPECT_EQ(c.buf.text(), "ab");
    EXPECT_TRUE(c.buf.log().empty());
}

TEST(text_buffer_edit, typing_replaces_the_selection_holding_the_cursor)
{
    clocked c;
    c.buf.set_text("select x from t");
    c.buf.select(7, 8);
    c.buf.set_cursor(8);
    c.buf.insert("*");
    EXPECT_EQ(c.buf.text(), "select * from t");
    EXPECT_EQ(c.buf.cursor(), 8);
    EXPECT_FALSE(c.buf.has_selection());
}

TEST(text_buffer_clip, cut_joins_last_to_first_and_copy_in_list_order)
{
    clocked c;
    c.buf.set_text("one two three");
    c.buf.add_selection(8, 13);
    c.buf.add_selection(0, 3);
    EXPECT_EQ(c.buf.copy(), "onethree");
    EXPECT_EQ(c.buf.clip_slots()[0], "onethree");
    EXPECT_EQ(c.buf.cut(), "threeone");
    EXPECT_EQ(c.buf.clip_slots()[0], "one"); // the last removed text
    EXPECT_EQ(c.buf.text(), " two ");
    EXPECT_EQ(c.buf.cursor(), 0);
    c.buf.undo();
    EXPECT_EQ(c.buf.text(), "one two three");
}

TEST(text_buffer_clip, cut_of_single_selection_records_its_start)
{
    clocked c;
    c.buf.set_text("abcdef");
    c.buf.select(4, 2);
    c.buf.set_cursor(4);
    c.buf.cut();
    EXPECT_EQ(c.buf.log().back().position, 2);
    EXPECT_EQ(c.buf.cursor(), 2);
}

TEST(text_buffer_clip, overlapping_selections_merge_so_removal_stays_in_bounds)
{
    clocked c;
    c.buf.set_text("abcdefgh");
    c.buf.add_selection(1, 5);
    c.buf.add_selection(3, 7);
    c.buf.add_selection(7, 8); // touching ranges stay apart
    ASSERT_EQ(c.buf.selections().size(), 2u);
    EXPECT_EQ(c.buf.selections()[0], (text_range{1, 7}));
    c.buf.cut();
    EXPECT_EQ(c.buf.text(), "a");
}

TEST(text_buffer_clip, paste_replaces_each_selection_and_ends_after_the_first)
{
    clocked c;
    c.buf.set_text("x-x-x");
    c.buf.add_selection(0, 1);
    c.buf.add_selection(4, 5);
    EXPECT_TRUE(c.buf.paste("yy"));
    EXPECT_EQ(c.buf.text(), "yy-x-yy");
    EXPECT_EQ(c.buf.cursor(), 2);
    EXPECT_EQ(c.buf.clip_slots()[0], "yy");
}

TEST(text_buffer_clip, replace_ranges_is_one_pass_and_one_undo_step)
{
    clocked c;
    c.buf.set_text("a x b x c x");
    c.now = 5000; // long after the set-up: the replacement opens a group of its own
    c.buf.select(0, 7);
    c.buf.add_selection(10, 11);
    // Overlapping and empty ranges are skipped; selections follow the edit.
    EXPECT_EQ(c.buf.replace_ranges({{2, 3}, {2, 4}, {5, 5}, {6, 7}, {10, 11}}, "ZZZ", true), 3u);
    EXPECT_EQ(c.buf.text(), "a ZZZ b ZZZ c ZZZ");
    ASSERT_EQ(c.buf.selections().size(), 2u);
    EXPECT_EQ(c.buf.selections()[0], (text_range{0, 11}));
    EXPECT_EQ(c.buf.selections()[1], (text_range{14, 17}));
    EXPECT_EQ(c.buf.cursor(), 5); // behind the first replacement

    c.buf.undo();
    EXPECT_EQ(c.buf.text(), "a x b x c x");
    EXPECT_EQ(c.buf.cursor(), 2);
    EXPECT_FALSE(c.buf.can_undo());
    c.buf.redo();
    EXPECT_EQ(c.buf.text(), "a ZZZ b ZZZ c ZZZ");

    // Removing every match (an empty replacement) and clearing the selections.
    c.now += 5000;
    c.buf.select(0, 3);
    EXPECT_EQ(c.buf.replace_ranges({{0, 2}, {8, 11}}, "", false), 2u);
    EXPECT_EQ(c.buf.text(), "ZZZ b  c ZZZ");
    EXPECT_FALSE(c.buf.has_selection());
    c.buf.undo();
    EXPECT_EQ(c.buf.text(), "a ZZZ b ZZZ c ZZZ");
    EXPECT_EQ(c.buf.replace_ranges({}, "q", false), 0u);
}

TEST(text_buffer_clip, replace_ranges_on_many_matches_round_trips)
{
    clocked c;
    std::string text;
    while (text.size() < (1u << 20)) text += "x ";
    c.buf.set_text(text);
    range_list all;
    for (int32_t p = 0; p < c.buf.size(); p += 2) all.push_back({p, p + 1});
    EXPECT_EQ(c.buf.replace_ranges(all, "yy", false), all.size());
    EXPECT_EQ(c.buf.size(), static_cast<int32_t>(text.size() + all.size()));
    EXPECT_EQ(c.buf.text().substr(0, 7), "yy yy y");
    c.buf.undo();
    EXPECT_EQ(c.buf.text(), text);
}

TEST(text_buffer_clip, paste_of_ill_formed_utf8_keeps_the_cursor_on_a_boundary)
{
    clocked c;
    c.buf.set_text("\x80z");  // a stray continuation byte after the cursor
    c.buf.paste("a\xE4\xB8"); // a truncated three-byte character
    EXPECT_EQ(c.buf.text(), "a\xEF\xBF\xBD\xEF\xBF\xBD\x80z");
    int32_t p = c.buf.cursor();
    EXPECT_EQ(c.buf.snap(p), p);
    EXPECT_EQ(c.buf.char_len(p), 1);
}

TEST(text_buffer_move, up_and_down_count_bytes_and_stay_on_boundaries)
{
    text_buffer b;
    b.set_text("0123456789ab\nabcd\n0123456789ab");
    // Down from column 10 onto a 4-byte line lands at its end; the next Down uses column 4.
    int32_t p = b.down_of(10);
    EXPECT_EQ(p, 17);
    EXPECT_EQ(b.down_of(p), 22);
    EXPECT_EQ(b.up_of(4), 4);     // first line: stays
    EXPECT_EQ(b.down_of(25), 25); // last line: stays

    // Column 1 falls inside the two-byte é on the next line: back to its lead byte.
    b.set_text("abc\n\xC3\xA9x");
    EXPECT_EQ(b.down_of(1), 4);
    b.set_text("a\xE4\xB8\xAD\nxyz");
    EXPECT_EQ(b.up_of(7), 1);
}

TEST(text_buffer_move, left_right_words_and_pages)
{
    text_buffer b;
    b.set_text("ab \xC3\xA9 cd__e, f");
    EXPECT_EQ(b.right_of(3), 5);
    EXPECT_EQ(b.left_of(5), 3);
    EXPECT_EQ(b.next_word_of(0), 6); // é is not a word character
    EXPECT_EQ(b.next_word_of(6), 13);
    EXPECT_EQ(b.next_word_of(13), 13); // no further word: stays
    EXPECT_EQ(b.prev_word_of(13), 6);
    EXPECT_EQ(b.prev_word_of(1), 0);
    EXPECT_EQ(b.word_at(8), (text_range{6, 11}));
    EXPECT_EQ(b.word_at(2), (text_range{0, 2}));

    b.set_text("l0\nl1\nl2\nl3");
    EXPECT_EQ(b.page_up_of(10, 2), 3);
    EXPECT_EQ(b.page_up_of(10, 8), 0);
    EXPECT_EQ(b.page_down_of(0, 2), 8);
    EXPECT_EQ(b.page_down_of(0, 8), 11);
}

TEST(text_buffer_move, select_ranges_around_the_cursor)
{
    text_buffer b;
    b.set_text("f(a, b) + g(c)\nnext");
    EXPECT_EQ(b.beside(3), (text_range{2, 6}));
    EXPECT_EQ(b.beside(0), (text_range{0, 6}));   // no ( before: from the text start
    EXPECT_EQ(b.line_at(3), (text_range{0, 15})); // with its \n
    EXPECT_EQ(b.line_at(16), (text_range{15, 19}));
    EXPECT_EQ(b.phrase_at(10), (text_range{9, 11})); // + and ( end it, the space does not
}

} // namespace

namespace {

// Random edits, moves and selections over text with multi-byte and broken characters: the
// cursor always stays on a character boundary inside the text, and undoing everything gives
// the starting text back while redoing everything gives the fully edited one.
TEST(text_buffer_random, edits_keep_invariants_and_undo_everything)
{
    uint32_t seed = 12345;
    auto rnd = [&seed](uint32_t n) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 8) % n;
    };
    const char *pieces[] = {"a",    "\xE4\xB8\xAD", "\n",    " ",
                            "\xC3", "\x80",         "xy(z)", "\xF0\x9F\x98\x80"};
    int64_t now = 0;
    text_buffer b([&now] { return now; });
    const std::string start = "select \xC3\xA9 from t;\n(abc)";
    b.set_text(start);
    for (int i = 0; i < 3000; ++i) {
        now += rnd(3) * 700;
        int32_t n = b.size();
        switch (rnd(12)) {
        case 0:
            b.insert(pieces[rnd(8)]);
            break;
        case 1:
            b.paste(pieces[rnd(8)]);
            break;
        case 2:
            b.backspace();
            break;
        case 3:
            b.del();
            break;
        case 4:
            b.add_selection(static_cast<int32_t>(rnd(n + 1)), static_cast<int32_t>(rnd(n + 1)));
            break;
        case 5:
            b.cut();
            break;
        case 6:
            b.set_cursor(b.up_of(b.cursor()));
            break;
        case 7:
            b.set_cursor(b.down_of(b.cursor()));
            break;
        case 8:
            b.set_cursor(static_cast<int32_t>(rnd(n + 1)));
            break;
        case 9:
            b.undo();
            break;
        case 10:
            b.redo();
            break;
        default:
            b.set_cursor(b.right_of(b.cursor()));
            break;
        }
        ASSERT_GE(b.cursor(), 0);
        ASSERT_LE(b.cursor(), b.size());
        ASSERT_EQ(b.snap(b.cursor()), b.cursor()) << "step " << i;
        for (const text_range &s : b.selections()) {
            ASSERT_LT(s.begin, s.end);
            ASSERT_LE(s.end, b.size());
        }
    }
    while (b.can_redo()) b.redo();
    const std::string end = b.text();
    while (b.can_undo()) b.undo();
    EXPECT_EQ(b.text(), start);
    while (b.can_redo()) b.redo();
    EXPECT_EQ(b.text(), end);
}

} // namespace

// Whatever happened since the last look, the one edit reported turns the old text into the
// new one.
TEST(text_buffer_changes, one_edit_covers_every_change_since_the_last_look)
{
    std::mt19937 rng(7);
    text_buffer b;
    b.set_text("select a from t;\nshow tables;\n");
    text_buffer::change c = b.take_change();
    EXPECT_TRUE(c.whole);
    EXPECT_FALSE(b.take_change().any);
    for (int round = 0; round < 400; ++round) {
        const std::string before = b.text();
        for (int op = 1 + static_cast<int>(rng() % 4); op-- > 0;) {
            int32_t n = b.size();
            int32_t at = n ? static_cast<int32_t>(rng() % static_cast<uint32_t>(n + 1)) : 0;
            switch (rng() % 5) {
            case 0:
                b.insert_at(at, "xy");
                break;
            case 1:
                b.remove(at, std::min(n, at + static_cast<int32_t>(rng() % 5)));
                break;
            case 2:
                b.replace(at, std::min(n, at + 2), "Q");
                break;
            case 3:
                b.undo();
                break;
            default:
                b.redo();
            }
        }
        c = b.take_change();
        const std::string &after = b.text();
        if (!c.any) {
            EXPECT_EQ(after, before);
            continue;
        }
        ASSERT_FALSE(c.whole);
        std::string rebuilt = before;
        rebuilt.replace(
            static_cast<size_t>(c.offset), static_cast<size_t>(c.removed),
            after.substr(static_cast<size_t>(c.offset), static_cast<size_t>(c.inserted)));
        ASSERT_EQ(rebuilt, after) << "round " << round;
    }
}
