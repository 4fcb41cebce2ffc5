#include "editor/search_dlg.h"
#include "editor_fixture.h"
#include "msg_box.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

struct search_test : editor_test {
    void SetUp() override
    {
        editor_test::SetUp();
        dlg = new search_dlg(ed.get()); // the editor's child, attached to it
        ui.target_le = dlg->findChild<QLineEdit *>("target_le");
        ui.rep_le = dlg->findChild<QLineEdit *>("rep_le");
        ui.mw_cb = dlg->findChild<QCheckBox *>("mw_cb");
        ui.cs_cb = dlg->findChild<QCheckBox *>("cs_cb");
        ui.os_cb = dlg->findChild<QCheckBox *>("os_cb");
        ui.fall_pb = dlg->findChild<QPushButton *>("fall_pb");
        ui.reg_rb = dlg->findChild<QRadioButton *>("reg_rb");
        ui.sup_rb = dlg->findChild<QRadioButton *>("sup_rb");
        ui.normal_rb = dlg->findChild<QRadioButton *>("normal_rb");
        for (QObject *o :
             std::initializer_list<QObject *>{ui.target_le, ui.rep_le, ui.mw_cb, ui.cs_cb, ui.os_cb,
                                              ui.fall_pb, ui.reg_rb, ui.sup_rb, ui.normal_rb})
            ASSERT_NE(o, nullptr);
        EXPECT_TRUE(ui.normal_rb->isChecked());
    }
    void target(const char *t) { ui.target_le->setText(QString::fromUtf8(t)); }
    search_dlg *dlg = nullptr;
    struct {
        QLineEdit *target_le, *rep_le;
        QCheckBox *mw_cb, *cs_cb, *os_cb;
        QPushButton *fall_pb;
        QRadioButton *reg_rb, *sup_rb, *normal_rb;
    } ui{};
    msg_recorder boxes;
};

TEST_F(search_test, typing_in_the_target_marks_quietly)
{
    ed->set_text("a ab a");
    ui.mw_cb->setChecked(true);
    target("a");
    EXPECT_EQ(ed->buffer().marks().size(), 2u);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(ed->buffer().selections()[0], (text_range{0, 1}));
    ui.mw_cb->setChecked(false);
    ui.fall_pb->click();
    EXPECT_EQ(ed->buffer().marks().size(), 3u);
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.last().title, "search result");
    EXPECT_EQ(boxes.last().text, "the string 'a' found 3 times.");
}

TEST_F(search_test, case_is_ignored_unless_asked)
{
    ed->set_text("select SELECT");
    target("SELECT");
    EXPECT_EQ(ed->buffer().marks().size(), 2u);
    ui.cs_cb->setChecked(true);
    dlg->search_all(true);
    EXPECT_EQ(ed->buffer().marks().size(), 1u);
}

TEST_F(search_test, next_wraps_after_asking_and_then_only_informs)
{
    ed->set_text("x1 x2 x3");
    target("x");
    ed->buffer().set_cursor(6);
    boxes.queue_answer(QMessageBox::Yes);
    dlg->next();
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.last().title, "next search result");
    EXPECT_EQ(boxes.last().text, "the string 'x' not found. continue from begin?");
    EXPECT_EQ(ed->buffer().cursor(), 0); // the match at the very start is found
    EXPECT_EQ(ed->buffer().selections()[0], (text_range{0, 1}));
    EXPECT_TRUE(dlg->wrapped());
    dlg->next();
    dlg->next();
    EXPECT_EQ(ed->buffer().cursor(), 6);
    dlg->next();
    ASSERT_EQ(boxes.shown().size(), 2u);
    EXPECT_EQ(boxes.last().title, "next research result");
    EXPECT_EQ(boxes.last().text, "the string 'x' not found.");
    EXPECT_FALSE(dlg->wrapped());
}

TEST_F(search_test, previous_mirrors_next)
{
    ed->set_text("x1 x2");
    target("x");
    ed->buffer().set_cursor(3);
    dlg->prev();
    EXPECT_EQ(ed->buffer().cursor(), 0);
    boxes.queue_answer(QMessageBox::No);
    dlg->prev();
    EXPECT_EQ(boxes.last().title, "previous search result");
    EXPECT_EQ(boxes.last().text, "the string 'x' not found. continue from end?");
    EXPECT_EQ(ed->buffer().cursor(), 0);
    boxes.queue_answer(QMessageBox::Yes);
    dlg->prev();
    EXPECT_EQ(ed->buffer().cursor(), 3);
}

TEST_F(search_test, replace_all_is_one_undo_step)
{
    // No time grouping: every edit at its own moment would be an undo step of its own.
    g_config.edit_time = 0;
    ed->buffer().set_continuous_seconds(0);
    int64_t now = 0;
    ed->buffer().set_clock([&now] { return now += 1000; });
    ed->set_text("x x");
    target("x");
    ui.rep_le->setText("yy");
    boxes.clear();
    dlg->replace_all();
    EXPECT_EQ(ed->buffer().text(), "yy yy");
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.last().title, "replace result");
    EXPECT_EQ(boxes.last().text, "the string 'x' 2 times replaced.");
    ed->undo();
    EXPECT_EQ(ed->buffer().text(), "x x");

    target("zz");
    dlg->replace_all();
    EXPECT_EQ(boxes.last().title, "previous search result");
    EXPECT_EQ(boxes.last().text, "the string 'zz' not found.");
}

TEST_F(search_test, replace_goes_on_with_the_adjacent_match)
{
    ed->set_text("xx");
    target("x");
    ui.rep_le->setText("yy");
    EXPECT_EQ(ed->buffer().selections()[0], (text_range{0, 1}));
    dlg->replace();
    EXPECT_EQ(ed->buffer().text(), "yyx");
    ASSERT_EQ(ed->buffer().selections().size(), 1u);
    EXPECT_EQ(ed->buffer().selections()[0], (text_range{2, 3}));
    dlg->replace();
    EXPECT_EQ(ed->buffer().text(), "yyyy");
}

TEST_F(search_test, only_selection_keeps_the_selection)
{
    ed->set_text("a x b x c x");
    ed->buffer().select(0, 7);
    ui.os_cb->setChecked(true);
    ui.rep_le->setText("ZZ");
    target("x");
    EXPECT_EQ(ed->buffer().marks().size(), 2u); // the third x is outside
    dlg->replace_all();
    EXPECT_EQ(ed->buffer().text(), "a ZZ b ZZ c x");
    ASSERT_EQ(ed->buffer().selections().size(), 1u);
    EXPECT_EQ(ed->buffer().selections()[0], (text_range{0, 9})); // grew with the text
}

TEST_F(search_test, replace_in_selection_skips_a_remembered_match_that_moved)
{
    ed->set_text("a x b x");
    ed->buffer().select(0, 7);
    ui.os_cb->setChecked(true);
    ui.rep_le->setText("ZZ");
    target("x");
    EXPECT_EQ(dlg->last_match(), (text_range{2, 3}));
    // Typing in front shifts the text under the remembered offsets.
    ed->set_cursor(0);
    type("Q");
    EXPECT_EQ(text(), "Qa x b x");
    dlg->replace();
    EXPECT_EQ(text(), "Qa x b x");

    // A remembered match that still holds the target is replaced.
    ed->buffer().select(0, 8);
    target("b");
    target("x");
    EXPECT_EQ(dlg->last_match(), (text_range{3, 4}));
    dlg->replace();
    EXPECT_EQ(text(), "Qa ZZ b x");
}

TEST_F(search_test, replace_lays_the_text_out_before_asking_to_wrap)
{
    ed->set_text("ab\ncd\nef");
    ed->set_visible_rect(QRect(0, 0, 400, 300));
    ui.sup_rb->setChecked(true);
    ui.rep_le->setText("");
    target("cd\\nef");
    ASSERT_EQ(ed->buffer().selections().size(), 1u);
    int lines_when_asked = 0;
    msg_responder before = set_msg_responder([&](const msg_record &) {
        lines_when_asked = ed->line_count();
        ed->grab(); // a real box runs an event loop that repaints the editor behind it
        return QMessageBox::No;
    });
    dlg->replace();
    set_msg_responder(before);
    EXPECT_EQ(text(), "ab\n");
    EXPECT_EQ(lines_when_asked, 2);
}

TEST_F(search_test, invalid_regex_names_the_error_and_changes_nothing)
{
    ed->set_text("abc(");
    ui.reg_rb->setChecked(true);
    target("(b");
    EXPECT_TRUE(boxes.empty()); // quiet while typing
    ui.rep_le->setText("x");
    dlg->replace_all();
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_TRUE(boxes.last().text.contains("invalid"));
    EXPECT_TRUE(boxes.last().text.contains("missing"));
    EXPECT_EQ(ed->buffer().text(), "abc(");

    // A valid pattern that backtracks beyond the limits is not called invalid.
    ed->set_text(std::string(2000, 'a').c_str());
    target("(a|aa)*c|a");
    boxes.clear();
    dlg->replace_all();
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_FALSE(boxes.last().text.contains("invalid"));
    EXPECT_TRUE(boxes.last().text.contains("stopped"));
    EXPECT_EQ(ed->buffer().text(), std::string(2000, 'a'));
}

TEST_F(search_test, modes_read_escapes_and_regular_expressions)
{
    ed->set_text("one\ntwo 42");
    ui.sup_rb->click();
    target("e\\nt");
    EXPECT_EQ(ed->buffer().marks(), (range_list{{2, 5}}));
    ui.reg_rb->click();
    target("\\d+");
    EXPECT_EQ(ed->buffer().marks(), (range_list{{8, 10}}));
    EXPECT_TRUE(boxes.empty());
}

TEST_F(search_test, opening_sets_title_mode_and_target)
{
    ed->set_text("select a");
    ed->buffer().select(0, 6);
    ed->find();
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(dlg->windowTitle(), "find text in current windows");
    EXPECT_EQ(ui.target_le->text(), "select");
    EXPECT_FALSE(ui.rep_le->isVisible());
    dlg->reject();
    ed->replace();
    EXPECT_EQ(dlg->windowTitle(), "replace text in current windows");
    EXPECT_TRUE(ui.rep_le->isVisible());
    dlg->reject();
    EXPECT_FALSE(dlg->isVisible());
}

} // namespace
