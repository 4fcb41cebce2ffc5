#include "editor_fixture.h"
#include "lang/parse_compare.h"
#include "lang/sql_engine.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QSignalSpy>

#include <random>

namespace {

// A key event as the keyboard sends it while Shift is held (QTest would press and
// release Shift around every click).
void raw_key(QWidget *w, int key, Qt::KeyboardModifiers mods, const QString &text = QString())
{
    QKeyEvent press(QEvent::KeyPress, key, mods, text);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, mods, text);
    QApplication::sendEvent(w, &release);
}

void send_move(QWidget *w, QPoint at)
{
    QMouseEvent ev(QEvent::MouseMove, at, w->mapToGlobal(at), Qt::NoButton, Qt::LeftButton,
                   Qt::NoModifier);
    QApplication::sendEvent(w, &ev);
}

TEST_F(editor_test, typing_moving_and_deleting)
{
    type("selct");
    key(Qt::Key_Left);
    key(Qt::Key_Left);
    type("e");
    EXPECT_EQ(text(), "select");
    key(Qt::Key_Home);
    EXPECT_EQ(cursor(), 0);
    key(Qt::Key_Delete);
    key(Qt::Key_End);
    key(Qt::Key_Backspace);
    EXPECT_EQ(text(), "elec");
    key(Qt::Key_Return);
    key(Qt::Key_Enter);
    type("x");
    EXPECT_EQ(text(), "elec\n\nx");
    key(Qt::Key_Up);
    EXPECT_EQ(cursor(), 5); // onto the empty line
    key(Qt::Key_Up);
    EXPECT_EQ(cursor(), 0); // no column is remembered

    key(Qt::Key_PageDown);
    EXPECT_EQ(cursor(), 7);
    key(Qt::Key_PageUp);
    EXPECT_EQ(cursor(), 0);
}

TEST_F(editor_test, signals_tell_text_changes_from_moves)
{
    QSignalSpy text_spy(ed.get(), &editor::textChanged);
    QSignalSpy line_spy(ed.get(), &editor::lineChanged);
    type("ab");
    EXPECT_EQ(text_spy.count(), 2);
    EXPECT_EQ(line_spy.count(), 0);
    key(Qt::Key_Left);
    EXPECT_EQ(text_spy.count(), 2);
    EXPECT_EQ(line_spy.count(), 1);
}

TEST_F(editor_test, shift_selects_from_the_anchor)
{
    ed->set_text("alpha beta");
    ed->buffer().set_cursor(5);
    QTest::keyPress(ed.get(), Qt::Key_Shift);
    EXPECT_EQ(ed->select_state(), editor::anchored);
    raw_key(ed.get(), Qt::Key_Left, Qt::ShiftModifier);
    raw_key(ed.get(), Qt::Key_Left, Qt::ShiftModifier);
    ASSERT_EQ(ed->buffer().selections().size(), 1u);
    EXPECT_EQ(ed->buffer().selections()[0], (text_range{3, 5}));
    QTest::keyRelease(ed.get(), Qt::Key_Shift);
    EXPECT_EQ(ed->select_state(), editor::idle);
    EXPECT_TRUE(ed->buffer().has_selection()); // the selection stays

    // Shift+End anchors by itself when idle.
    ed->buffer().clear_selections();
    ed->buffer().set_cursor(6);
    key(Qt::Key_End, Qt::ShiftModifier);
    EXPECT_EQ(ed->buffer().selections()[0], (text_range{6, 10}));

    // A typed character replaces the selection; Escape clears selections and marks.
    raw_key(ed.get(), Qt::Key_B, Qt::ShiftModifier, "B");
    EXPECT_EQ(text(), "alpha B");
    ed->buffer().select(0, 2);
    ed->buffer().set_marks({{3, 4}});
    key(Qt::Key_Escape);
    EXPECT_FALSE(ed->buffer().has_selection());
    EXPECT_TRUE(ed->buffer().marks().empty());
}

TEST_F(editor_test, tab_inserts_a_tab_or_spaces)
{
    key(Qt::Key_Tab);
    EXPECT_EQ(text(), "\t");
    g_config.insert_space = true;
    g_config.tab_width = 2;
    key(Qt::Key_Tab);
    EXPECT_EQ(text(), "\t  ");
    EXPECT_EQ(ed->anchor(), 3);
}

TEST_F(editor_test, zoom_keys_change_every_size_with_a_lower_bound)
{
    theme_style &th = g_config.current_theme();
    th.styles[slot_default].point_size = 6;
    th.styles[slot_comment].point_size = 3;
    key(Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(th.styles[slot_default].point_size, 5);
    EXPECT_EQ(th.styles[slot_comment].point_size, 2); // the others have no bound of their own
    key(Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(th.styles[slot_default].point_size, 5);
    key(Qt::Key_Equal, Qt::ControlModifier);
    EXPECT_EQ(th.styles[slot_default].point_size, 6);
    EXPECT_EQ(th.styles[slot_function].point_size, 12);
}

TEST_F(editor_test, word_moves)
{
    ed->set_text("select a1, b_2 from t");
    key(Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(cursor(), 7);
    key(Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(cursor(), 11);
    key(Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(cursor(), 7);
    ed->buffer().set_cursor(21);
    key(Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(cursor(), 21); // no word after: stays
}

TEST_F(editor_test, up_and_down_never_split_a_character)
{
    ed->set_text("abcdef\nx\xE4\xB8\xADyz");
    ed->buffer().set_cursor(3);
    key(Qt::Key_Down);
    EXPECT_EQ(cursor(), 8); // column 3 is inside the three-byte character: its lead byte
    key(Qt::Key_Up);
    EXPECT_EQ(cursor(), 1);
}

TEST_F(editor_test, clipboard_commands)
{
    g_config.edit_time = 100; // everything below is one undo group
    ed->set_text("one two");
    ed->buffer().select(0, 3);
    key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "one");
    ed->buffer().select(4, 7);
    key(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(text(), "one ");
    EXPECT_EQ(QApplication::clipboard()->text(), "two");
    QApplication::clipboard()->setText(QString::fromUtf8("\xC3\xA9!"));
    key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(text(), "one \xC3\xA9!");
    EXPECT_EQ(cursor(), 7);
    ed->undo();
    EXPECT_EQ(text(), "one two");
}

TEST_F(editor_test, input_method_commit_is_typed_text)
{
    ed->set_text("ab");
    ed->buffer().set_cursor(1);
    QInputMethodEvent ev;
    ev.setCommitString(QString::fromUtf8("\xE4\xB8\xAD"));
    QApplication::sendEvent(ed.get(), &ev);
    EXPECT_EQ(text(), "a\xE4\xB8\xAD"
                      "b");
    EXPECT_EQ(cursor(), 4);
}

TEST_F(editor_test, completion_hook_runs_after_typing_only)
{
    int calls = 0;
    ed->set_completion_hook([&](editor *) { ++calls; });
    type("se");
    key(Qt::Key_Left);
    EXPECT_EQ(calls, 2);
    g_config.auto_enable = false;
    type("x");
    EXPECT_EQ(calls, 2);
}

TEST_F(editor_test, mouse_press_and_drag_select)
{
    ed->set_text("ab\xE4\xB8\xAD"
                 "cd\nsecond");
    const int cw = editor::cell_width();
    QTest::mousePress(ed.get(), Qt::LeftButton, {}, QPoint(cw / 2, 2));
    EXPECT_EQ(ed->select_state(), editor::dragging);
    // The three-byte character spans cells 2 and 3.
    send_move(ed.get(), QPoint(3 * cw + 2, 2));
    EXPECT_EQ(cursor(), 2);
    send_move(ed.get(), QPoint(4 * cw + 2, 2));
    EXPECT_EQ(cursor(), 5);
    ASSERT_EQ(ed->buffer().selections().size(), 1u);
    EXPECT_EQ(ed->buffer().selections()[0], (text_range{0, 5}));
    QTest::mouseRelease(ed.get(), Qt::LeftButton, {}, QPoint(4 * cw + 2, 2));
    EXPECT_EQ(ed->select_state(), editor::idle);
    // Beyond the last line and beyond a line's end.
    EXPECT_EQ(ed->hit_test(QPoint(1000, 5000)), static_cast<int32_t>(text().size()));
    EXPECT_EQ(ed->hit_test(QPoint(1000, 2)), 7);
    EXPECT_EQ(ed->hit_test(QPoint(5, -3)), 0);
}

TEST_F(editor_test, a_drag_whose_release_was_lost_does_not_keep_its_anchor)
{
    ed->set_text("0123456789");
    const int cw = editor::cell_width();
    // A right press opens the context menu, which takes the release for itself.
    QTest::mousePress(ed.get(), Qt::RightButton, {}, QPoint(8 * cw + 2, 2));
    QTest::mousePress(ed.get(), Qt::LeftButton, {}, QPoint(2 * cw + 2, 2));
    send_move(ed.get(), QPoint(4 * cw + 2, 2));
    ASSERT_EQ(ed->buffer().selections().size(), 1u);
    EXPECT_EQ(ed->buffer().selections()[0], (text_range{2, 4}));
}

TEST_F(editor_test, double_click_cycles_four_stages)
{
    ed->set_text("select foo, foo2 from foo;\nnext line");
    const QPoint at = cell_centre(8); // inside the first foo
    QTest::mouseDClick(ed.get(), Qt::LeftButton, {}, at);
    const text_buffer &b = ed->buffer();
    EXPECT_EQ(b.selections()[0], (text_range{7, 10}));
    EXPECT_EQ(b.marks().size(), 3u); // every foo, also the one inside foo2
    QTest::mouseDClick(ed.get(), Qt::LeftButton, {}, at);
    EXPECT_EQ(b.selections()[0], (text_range{0, 10})); // up to the comma
    QTest::mouseDClick(ed.get(), Qt::LeftButton, {}, at);
    EXPECT_EQ(b.selections()[0], (text_range{0, 27}));
    QTest::mouseDClick(ed.get(), Qt::LeftButton, {}, at);
    EXPECT_EQ(b.selections()[0], (text_range{0, 36}));
    QTest::mouseDClick(ed.get(), Qt::LeftButton, {}, at);
    EXPECT_EQ(b.selections()[0], (text_range{7, 10})); // round again

    // Another position starts over, and so does the reset timer.
    QTest::mouseDClick(ed.get(), Qt::LeftButton, {}, cell_centre(13));
    EXPECT_EQ(b.selections()[0], (text_range{12, 16}));
    ed->reset_word();
    EXPECT_EQ(ed->click_stage(), 0);
}

TEST_F(editor_test, every_change_is_parsed_at_once_at_any_size)
{
    std::string script;
    while (script.size() < 200000) script += "select a from t; // note\nshow tables;\n";
    ed->set_text_utf8(script);
    const lang::grammar &g = lang::sql_engine::instance().sql_grammar();
    auto current = [&] {
        return parse_compare::difference(g, ed->statements(), ed->failure_position(), -2,
                                         ed->buffer().text());
    };
    ASSERT_EQ(current(), "");
    text_buffer &b = ed->buffer();
    b.set_cursor(b.size());
    type("selec");
    EXPECT_EQ(current(), "") << "typing";
    EXPECT_TRUE(ed->parse_failed());
    b.set_cursor(100);
    QApplication::clipboard()->setText(QStringLiteral("/* pasted */ select b from u;"));
    ed->paste();
    EXPECT_EQ(current(), "") << "paste";
    ed->undo();
    EXPECT_EQ(current(), "") << "undo";
    ed->redo();
    EXPECT_EQ(current(), "") << "redo";
    // Replace-all changes statements all over the text in one edit.
    range_list all;
    for (size_t at = b.text().find("show"); at != std::string::npos;
         at = b.text().find("show", at + 1))
        all.push_back({static_cast<int32_t>(at), static_cast<int32_t>(at + 4)});
    b.replace_ranges(all, "shew", false);
    ed->text_edited();
    EXPECT_EQ(current(), "") << "replace all";
    EXPECT_TRUE(ed->parse_failed());
    EXPECT_LT(ed->failure_position(), 100);

    std::string huge(editor::no_parse_size, 'x');
    ed->set_text_utf8(huge);
    EXPECT_FALSE(ed->parse_failed());
    EXPECT_TRUE(ed->statements().empty());
    int before = ed->parse_count();
    type("y");
    EXPECT_EQ(ed->parse_count(), before);
}

// The line starts and the widget's size follow each edit as a fresh layout would have them.
TEST_F(editor_test, lines_follow_every_edit)
{
    std::mt19937 rng(3);
    text_buffer &b = ed->buffer();
    ed->set_text_utf8("select a\nfrom t;\n\nshow tables;");
    const std::vector<std::string> pieces = {"x", "\n", "ab\ncd\n", "\n\n", std::string(300, 'w')};
    for (int step = 0; step < 300; ++step) {
        int32_t n = b.size();
        int32_t at = static_cast<int32_t>(rng() % static_cast<uint32_t>(n + 1));
        switch (rng() % 4) {
        case 0:
            b.insert_at(at, pieces[rng() % pieces.size()]);
            break;
        case 1:
            b.remove(at, std::min(n, at + static_cast<int32_t>(rng() % 400)));
            break;
        case 2:
            b.undo();
            break;
        default:
            b.replace(at, std::min(n, at + 3), pieces[rng() % pieces.size()]);
        }
        ed->text_edited();
        editor fresh;
        fresh.set_text_utf8(b.text());
        ASSERT_EQ(ed->line_index(), fresh.line_index()) << "step " << step;
        ASSERT_EQ(ed->width(), fresh.width()) << "step " << step;
    }
}

TEST_F(editor_test, parse_failure_and_goto_err)
{
    ed->set_text("select a from t;\nselec b;");
    ASSERT_TRUE(ed->parse_failed());
    EXPECT_GE(ed->failure_position(), 16);
    EXPECT_LT(ed->failure_position(), 25);
    ed->goto_err();
    EXPECT_EQ(cursor(), ed->failure_position());
    ed->set_text("select a from t;");
    EXPECT_FALSE(ed->parse_failed());
    ed->buffer().set_cursor(3);
    ed->goto_err();
    EXPECT_EQ(cursor(), 3);
}

TEST_F(editor_test, actions_follow_the_state)
{
    editor_actions a;
    QAction undo_a, redo_a, cut_a, copy_a, err_a, find_a, save_a, all_a, line_a;
    a.undo = &undo_a;
    a.redo = &redo_a;
    a.cut = &cut_a;
    a.copy = &copy_a;
    a.goto_err = &err_a;
    a.find = &find_a;
    a.save = &save_a;
    a.sel_all = &all_a;
    a.sel_line = &line_a;
    ed->set_actions(a);
    EXPECT_FALSE(undo_a.isEnabled());
    EXPECT_FALSE(all_a.isEnabled());
    EXPECT_FALSE(save_a.isEnabled());
    // The actions became the context menu, grouped by separators.
    EXPECT_GE(ed->actions().size(), 9);
    type("selec x");
    EXPECT_TRUE(undo_a.isEnabled());
    EXPECT_FALSE(redo_a.isEnabled());
    EXPECT_TRUE(err_a.isEnabled());
    EXPECT_TRUE(save_a.isEnabled());
    EXPECT_TRUE(all_a.isEnabled());
    EXPECT_FALSE(cut_a.isEnabled());
    key(Qt::Key_Left, Qt::ShiftModifier); // not anchored: moves only
    key(Qt::Key_A, Qt::ControlModifier);
    EXPECT_TRUE(cut_a.isEnabled());
    EXPECT_TRUE(copy_a.isEnabled());
    ed->buffer().mark_saved();
    ed->refresh_actions();
    EXPECT_FALSE(save_a.isEnabled());
    ed->undo();
    EXPECT_TRUE(redo_a.isEnabled());
    ed->find();
    EXPECT_FALSE(find_a.isEnabled());
}

TEST_F(editor_test, format_selection_rewrites_statements)
{
    ed->set_text("select   a   from t ;");
    ed->sel_all();
    ed->format_sel();
    EXPECT_NE(text(), "select   a   from t ;");
    EXPECT_EQ(text().find("  "), std::string::npos);
    ed->undo();
    EXPECT_EQ(text(), "select   a   from t ;");

    ed->set_text("select a from");
    ed->sel_all();
    ed->format_sel();
    EXPECT_EQ(text(), "select a from"); // does not parse: unchanged
}

} // namespace
