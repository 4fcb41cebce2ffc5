// Find and replace in a grid loaded from velaserver: the constraints, wrapping, marks while
// typing and their removal, and replacements the column type refuses.
#include "live_fixture.h"
#include "msg_box.h"
#include "search_tab_dlg.h"
#include "shot.h"
#include "tab_data_model.h"

#include <QCheckBox>
#include <QColor>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

namespace {

class SearchTab : public live_table_test {
protected:
    // words: name string16, code u08, note string16 - "apple" twice in row 0, once below.
    void SetUp() override
    {
        live_table_test::SetUp();
        if (!made_) {
            make("words", {"name", "code", "note"}, {"string16", "u08", "string16"},
                 {{"\"apple\"", "1", "\"apple pie\""},
                  {"\"pear\"", "2", "\"Apple\""},
                  {"\"plum\"", "3", "\"pineapple\""},
                  {"\"apple\"", "4", "\"fig\""}});
            made_ = true;
        }
        model_ = std::make_unique<tab_data_model>("words", &db_);
        ASSERT_TRUE(model_->load_rows("select * from words order by code asc;", true));
        view_.setModel(model_.get());
        dlg_ = std::make_unique<search_tab_dlg>(&view_);
    }
    template <class T> T *w(const char *name) const
    {
        T *found = dlg_->findChild<T *>(name);
        EXPECT_TRUE(found) << name;
        return found;
    }
    int marks() const
    {
        int n = 0;
        for (int r = 0; r < model_->rowCount(); ++r)
            for (int c = 0; c < model_->columnCount(); ++c) n += *model_->cell_mark(r, c);
        return n;
    }
    QColor bg(int r, int c) const
    {
        return model_->data(model_->index(r, c), Qt::BackgroundRole).value<QColor>();
    }
    void set_target(const QString &t)
    {
        QSignalBlocker b(w<QLineEdit>("target_le"));
        w<QLineEdit>("target_le")->setText(t);
    }

    static bool made_;
    QTableView view_;
    std::unique_ptr<tab_data_model> model_;
    std::unique_ptr<search_tab_dlg> dlg_;
};
bool SearchTab::made_ = false;

} // namespace

TEST_F(SearchTab, FindAllCountsWithinTheConstraint)
{
    struct {
        QRadioButton *rb;
        bool case_sensitive;
        int expected;
    } cases[] = {{w<QRadioButton>("none_rb"), false, 5}, // "Apple" counts without case
                 {w<QRadioButton>("none_rb"), true, 4},
                 {w<QRadioButton>("row_rb"), false, 2},  // row 0
                 {w<QRadioButton>("col_rb"), false, 2}}; // the name column
    view_.setCurrentIndex(model_->index(0, 0));
    for (const auto &c : cases) {
        msg_recorder rec;
        dlg_->clear_select();
        c.rb->setChecked(true);
        w<QCheckBox>("cs_cb")->setChecked(c.case_sensitive);
        set_target("apple");
        dlg_->search_all();
        ASSERT_EQ(rec.shown().size(), 1u);
        EXPECT_EQ(rec.last().title, "search result");
        EXPECT_EQ(rec.last().text, QString("the string 'apple' found %1 times.").arg(c.expected));
        EXPECT_EQ(marks(), c.expected);
    }
    msg_recorder rec;
    set_target("kiwi");
    dlg_->search_all();
    EXPECT_EQ(rec.last().text, "the string 'kiwi' not found.");
}

TEST_F(SearchTab, NextStaysInItsRowAndWrapsOnce)
{
    w<QRadioButton>("row_rb")->setChecked(true);
    set_target("apple");
    view_.setCurrentIndex(model_->index(0, 0));
    msg_recorder rec(QMessageBox::Yes);
    dlg_->next();
    EXPECT_EQ(view_.currentIndex(), model_->index(0, 2));
    EXPECT_TRUE(rec.empty());
    EXPECT_EQ(bg(0, 2), QColor(Qt::yellow));
    // At the row's end: continue from its beginning, finding the first cell itself.
    dlg_->next();
    ASSERT_EQ(rec.shown().size(), 1u);
    EXPECT_EQ(rec.last().title, "next search result");
    EXPECT_EQ(rec.last().text, "the string 'apple' not found. continue from begin?");
    EXPECT_EQ(view_.currentIndex(), model_->index(0, 0));
    EXPECT_TRUE(dlg_->wrapped());

    // A target found nowhere in the row: asked once, then only told.
    set_target("plum");
    dlg_->next();
    dlg_->next();
    EXPECT_EQ(rec.last().title, "next research result");
    EXPECT_EQ(rec.last().text, "the string 'plum' not found.");
    EXPECT_EQ(view_.currentIndex().row(), 0);

    // Previous without a constraint runs upwards through the rows.
    w<QRadioButton>("none_rb")->setChecked(true);
    set_target("pear");
    view_.setCurrentIndex(model_->index(3, 0));
    rec.clear();
    dlg_->prev();
    EXPECT_EQ(view_.currentIndex(), model_->index(1, 0));
    EXPECT_TRUE(rec.empty());
}

TEST_F(SearchTab, TypingMarksAllQuietlyAndClosingClearsThem)
{
    msg_recorder rec;
    dlg_->show(false);
    EXPECT_EQ(dlg_->windowTitle(), "find text in current table");
    EXPECT_FALSE(w<QLineEdit>("rep_le")->isVisible());
    QTest::keyClicks(w<QLineEdit>("target_le"), "apple");
    dlg_->finish_marking();
    EXPECT_TRUE(rec.empty());
    EXPECT_EQ(marks(), 5);
    EXPECT_EQ(bg(3, 0), QColor(Qt::yellow));
    save_shot(&view_, "search_tab_marks");
    // A longer target clears the marks of the shorter one.
    QTest::keyClicks(w<QLineEdit>("target_le"), " pie");
    dlg_->finish_marking();
    EXPECT_EQ(marks(), 1);
    dlg_->reject();
    EXPECT_EQ(marks(), 0);
    EXPECT_EQ(bg(0, 2), QColor(Qt::white));
    EXPECT_TRUE(rec.empty());

    // Searches see edits and a new number display mode, not the texts of earlier searches.
    ASSERT_TRUE(model_->setData(model_->index(1, 0), QString("kiwi")));
    set_target("kiwi");
    dlg_->search_all(true);
    EXPECT_EQ(marks(), 1);
    dlg_->clear_select();
    set_target("0x0");
    dlg_->search_all(true);
    EXPECT_EQ(marks(), 0);
    model_->set_number_mode("Hex");
    dlg_->search_all(true);
    EXPECT_EQ(marks(), 4);
}

TEST_F(SearchTab, AKeyStrokeClearsTheLastMarksASliceAtATime)
{
    // One cell matched and one mark cleared to a slice: a key stroke does one slice of the
    // work, the event loop the rest, and the grid ends with the new target's marks alone.
    dlg_->set_slice_cells(1);
    dlg_->show(false);
    QTest::keyClicks(w<QLineEdit>("target_le"), "p");
    dlg_->finish_marking();
    EXPECT_EQ(marks(), 7);
    QTest::keyClicks(w<QLineEdit>("target_le"), "l");
    EXPECT_TRUE(dlg_->marking());
    EXPECT_EQ(marks(), 5); // the first row's two old marks gone, no new one yet
    dlg_->finish_marking();
    EXPECT_EQ(marks(), 6); // "pl": every "apple", "plum", "pineapple"
    EXPECT_EQ(dlg_->mark_count(), 6);
    EXPECT_EQ(bg(1, 0), QColor(Qt::white)); // "pear"
    // Find All in the middle of it first clears what is left of the old marks.
    QTest::keyClicks(w<QLineEdit>("target_le"), "u");
    dlg_->search_all(true);
    EXPECT_FALSE(dlg_->marking());
    EXPECT_EQ(marks(), 1);
    EXPECT_EQ(dlg_->mark_count(), 1);
    dlg_->reject();
}

TEST_F(SearchTab, ReplaceGoesThroughTheColumnType)
{
    msg_recorder rec;
    dlg_->show(true);
    EXPECT_EQ(dlg_->windowTitle(), "replace text in current table");
    // 1 -> 300 does not fit a u08: the cell keeps its value and nothing is pending.
    set_target("1");
    w<QLineEdit>("rep_le")->setText("300");
    view_.setCurrentIndex(model_->index(0, 1));
    dlg_->replace();
    EXPECT_EQ(model_->data(model_->index(0, 1), Qt::EditRole).toInt(), 1);
    EXPECT_EQ(model_->modified_count(), 0);
    // 4 -> 9 fits.
    set_target("4");
    w<QLineEdit>("rep_le")->setText("9");
    view_.setCurrentIndex(model_->index(3, 1));
    dlg_->replace();
    EXPECT_EQ(model_->data(model_->index(3, 1), Qt::EditRole).toInt(), 9);
    EXPECT_EQ(model_->modified_count(), 1);

    // Replace All counts the cells that took their new text.
    rec.clear();
    set_target("apple");
    w<QLineEdit>("rep_le")->setText("kiwi");
    dlg_->replace_all();
    EXPECT_EQ(rec.last().title, "replace result");
    EXPECT_EQ(rec.last().text, "the string 'apple' 5 times replaced.");
    EXPECT_EQ(model_->data(model_->index(2, 2)).toString(), "pinekiwi");
    EXPECT_EQ(model_->modified_count(), 6);
    // Nothing was sent: the server still has the old rows.
    tab_data_model fresh("words", &db_);
    ASSERT_TRUE(fresh.load_rows("select * from words where note == \"pineapple\";", true));
    EXPECT_EQ(fresh.rowCount(), 1);
}
