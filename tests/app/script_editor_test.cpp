// The script tab against velaserver: runs of the whole script, of selections and of the
// current line, result tabs, export, long runs with Stop, and completion typed for real.
#include <gtest/gtest.h>

#include "db_access.h"
#include "editor/auto_list.h"
#include "exec_log.h"
#include "editor/editor.h"
#include "editor/run_progress_wt.h"
#include "editor/sql_script_editor.h"
#include "msg_box.h"
#include "search_tab_dlg.h"
#include "server_fixture.h"
#include "server_suite.h"
#include "shot.h"
#include "sys_config.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTimer>

namespace {

class script_editor_test : public server_suite<false> {
protected:
    void SetUp() override
    {
        server_suite::SetUp();
        if (HasFatalFailure()) return;
        table = QStringLiteral("t%1").arg(++serial);
        ASSERT_TRUE(db.run_sql_table(
            ("create table " + table + " (a i32(true), b string16(true));").toUtf8(), names, rows,
            types, line));
    }
    void TearDown() override
    {
        ed.reset();
        server_suite::TearDown();
    }

    void open(const QString &text)
    {
        ed = std::make_unique<sql_script_editor>(&db, text);
        ed->resize(700, 500);
        ed->show();
        ed->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(ed.get()));
        ed->editor_widget()->setFocus();
    }
    QString sql(const char *text) const { return QString::fromUtf8(text).replace("T", table); }
    int row_count()
    {
        db.run_sql_table(("select * from " + table + ";").toUtf8(), names, rows, types, line);
        return rows.size();
    }
    // Ctrl+Return presses the execute button, which clicks once its press has shown.
    void run_key()
    {
        QTest::keyClick(ed->editor_widget(), Qt::Key_Return, Qt::ControlModifier);
        (void)QTest::qWaitFor([this] { return !ed->exec_button()->isDown(); }, 5000);
    }

    static int serial;
    db_access db;
    std::unique_ptr<sql_script_editor> ed;
    QString table;
    QStringList names, types;
    table_rows rows;
    QString line;
};
int script_editor_test::serial = 0;

TEST_F(script_editor_test, a_failing_statement_ends_the_run_and_later_ones_never_run)
{
    open(sql("select * from T;\nselect * from no_such_table;\ninsert into T (a, b) values (1, "
             "\"x\");\n"));
    msg_recorder boxes;
    QSignalSpy done(ed.get(), &sql_script_editor::executed);
    run_key();
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.last().title, "execute infomation");
    EXPECT_EQ(boxes.last().text, "the sql \"select * from no_such_table;\" execute failed!");
    EXPECT_FALSE(boxes.last().detail.isEmpty()); // the server's reason
    EXPECT_EQ(ed->result_tabs()->count(), 1);
    EXPECT_TRUE(ed->result_tabs()->isVisible());
    ASSERT_EQ(done.size(), 1);
    EXPECT_FALSE(done[0][0].toBool());
    EXPECT_EQ(row_count(), 0);
}

TEST_F(script_editor_test, inserts_alone_give_no_tab_and_the_success_box)
{
    open(sql("insert into T (a, b) values (1, \"x\");\n// two\ninsert into T (a, b) values (2, "
             "\"y\");"));
    msg_recorder boxes;
    QSignalSpy done(ed.get(), &sql_script_editor::executed);
    ed->exec_button()->click();
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.last().text, "the sql execute sussesful total!");
    EXPECT_EQ(ed->result_tabs()->count(), 0);
    EXPECT_FALSE(ed->result_tabs()->isVisible());
    ASSERT_EQ(done.size(), 1);
    EXPECT_TRUE(done[0][0].toBool());
    EXPECT_EQ(row_count(), 2);
}

TEST_F(script_editor_test, current_line_with_half_a_statement_names_the_offset_in_the_line)
{
    open(sql("insert into T (a, b) values (1, \"x\");\nselect * from\n"));
    editor *e = ed->editor_widget();
    e->set_cursor(int32_t(e->buffer().size()) - 3);
    msg_recorder boxes;
    QTest::keyClick(e, Qt::Key_F7); // no effect without the main window's action
    ed->exec_cur();
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.last().title, "sql parse failed");
    EXPECT_EQ(boxes.last().text, "the sql parsed failed at position: 9");
    EXPECT_EQ(row_count(), 0);
}

TEST_F(script_editor_test, selections_run_together_and_keep_earlier_tabs)
{
    open(sql("insert into T (a, b) values (1, \"x\");\nnot sql at all\ninsert into T (a, b) "
             "values (2, \"y\");\nselect a from T;"));
    editor *e = ed->editor_widget();
    const std::string &t = e->buffer().text();
    msg_recorder boxes;
    e->buffer().set_selections({{int32_t(t.rfind("select")), int32_t(t.size())}});
    ed->exec_sel();
    ASSERT_EQ(ed->result_tabs()->count(), 1);
    const size_t second = t.find("insert", 5);
    e->buffer().set_selections(
        {{0, int32_t(t.find('\n'))}, {int32_t(second), int32_t(t.find(';', second) + 1)}});
    ed->exec_sel();
    EXPECT_EQ(boxes.last().text, "the sql execute sussesful total!");
    EXPECT_EQ(row_count(), 2);
    EXPECT_EQ(ed->result_tabs()->count(), 1); // the earlier tab stays
}

TEST_F(script_editor_test, result_tabs_carry_find_text_only_with_rows_and_report_their_size)
{
    open(sql("select * from T;\ninsert into T (a, b) values (7, \"x\");\nselect a from T;"));
    msg_recorder boxes;
    QSignalSpy status(ed.get(), &sql_script_editor::result_status);
    run_key();
    QTabWidget *tabs = ed->result_tabs();
    ASSERT_EQ(tabs->count(), 2);
    auto find_in = [&](int i) {
        for (QAction *a : tabs->widget(i)->actions())
            if (a->objectName() == "find_text_act") return true;
        return false;
    };
    EXPECT_FALSE(find_in(0));
    EXPECT_TRUE(find_in(1));
    EXPECT_EQ(tabs->currentIndex(), 1);
    EXPECT_EQ(tabs->tabText(1), sql("select a from T;"));
    EXPECT_TRUE(ed->result_summary().startsWith("1 rows, 1 columns in "));
    tabs->setCurrentIndex(0);
    EXPECT_TRUE(ed->result_summary().startsWith("0 rows, 2 columns in "));
    EXPECT_FALSE(status.isEmpty());
    // The grid shows the value through its column's delegate.
    auto *view = qobject_cast<QTableView *>(tabs->widget(1));
    ASSERT_TRUE(view);
    EXPECT_EQ(view->model()->index(0, 0).data().toString(), "7");
    EXPECT_TRUE(view->itemDelegateForColumn(0));
    // "find text" opens the table find dialog over this grid.
    for (QAction *a : view->actions())
        if (a->objectName() == "find_text_act") a->trigger();
    auto *find = view->findChild<search_tab_dlg *>();
    ASSERT_TRUE(find);
    EXPECT_TRUE(find->isVisible());
    find->reject();

    ed->close_tab(true);
    EXPECT_EQ(tabs->count(), 1);
    ed->close_all_tab(true);
    EXPECT_FALSE(tabs->isVisible());
}

TEST(script_export, the_statement_loses_its_trailing_semicolon_and_blanks)
{
    const std::pair<const char *, const char *> cases[] = {
        {"select * from t;  ", "select * from t"},         {"select a from t", "select a from t"},
        {"select a from t ;\t\n\v\f;", "select a from t"}, {";;", ""},
        {"select \";\" from t;", "select \";\" from t"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(sql_script_editor::export_statement(c.first), c.second) << c.first;
}

TEST_F(script_editor_test, export_sends_the_tab_statement_with_the_chosen_path)
{
    open(sql("insert into T (a, b) values (3, \"z\");\nselect * from T;  "));
    msg_recorder boxes;
    run_key();
    ASSERT_EQ(ed->result_tabs()->count(), 1);
    QString offered;
    sql_script_editor::set_export_asker([&](QWidget *, export_choice &c) {
        offered = c.path;
        c.path = QStringLiteral("scripts_export.csv");
        c.csv = true;
        c.separator = QStringLiteral(",");
        return true;
    });
    ed->export_data();
    sql_script_editor::set_export_asker(nullptr);
    EXPECT_EQ(offered, "./export_data");
    EXPECT_EQ(boxes.shown().size(), 1u); // the run's box; the export succeeded silently
    // The server wrote the file somewhere in its own folders.
    QDir root = QFileInfo(QString::fromStdString(server->data_dir())).dir();
    QDirIterator it(root.path(), {"scripts_export.csv"}, QDir::Files, QDirIterator::Subdirectories);
    ASSERT_TRUE(it.hasNext()) << server->log();
    QFile f(it.next());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().contains("3"));
}

TEST_F(script_editor_test, the_log_gets_the_lines_of_a_long_run_in_batches)
{
    exec_log log;
    db.set_log(&log);
    QSignalSpy changes(&log, &exec_log::changed);
    std::vector<QByteArray> list;
    for (int i = 0; i < 8200; ++i)
        list.push_back(sql("insert into T (a, b) values (%1, \"l\");").arg(i).toUtf8());
    open(QString());
    msg_recorder boxes;
    EXPECT_TRUE(ed->exec(list));
    db.set_log(nullptr);
    EXPECT_EQ(changes.size(), 2); // after statement 8192 and at the end
    // The newest line is on top.
    const QString html = log.html();
    const int last = html.indexOf(sql("values (8199,"));
    const int before = html.indexOf(sql("values (8198,"));
    EXPECT_GE(last, 0);
    EXPECT_LT(last, before);
}

// Runs `fn` from the event loop once a run has started.
template <typename F> void connect_once(run_progress_wt &strip, F fn)
{
    auto *conn = new QMetaObject::Connection;
    *conn = QObject::connect(&strip, &run_progress_wt::running_changed, [conn, fn](bool on) {
        if (!on) return;
        QObject::disconnect(*conn);
        delete conn;
        QTimer::singleShot(0, fn);
    });
}

TEST_F(script_editor_test, a_long_run_shows_progress_stops_on_request_and_cannot_be_reentered)
{
    QString script;
    for (int i = 0; i < 30000; ++i)
        script += sql("insert into T (a, b) values (%1, \"r\");\n").arg(i);
    open(script);
    run_progress_wt strip;
    ed->set_progress(&strip);
    msg_recorder boxes;
    QSignalSpy done(ed.get(), &sql_script_editor::executed);
    const std::string before = ed->editor_widget()->buffer().text();
    bool saw_strip = false;
    // Timers fire only once the run lets the window process its events.
    connect_once(strip, [&] {
        saw_strip = strip.isVisible() && strip.label_text().contains(" of 30000");
        run_key();                                                  // a second run
        QTest::keyClicks(ed->editor_widget(), QStringLiteral("x")); // an edit
        ed->exec_sql();
        strip.stop_button()->click();
    });
    run_key();
    EXPECT_TRUE(saw_strip);
    ASSERT_EQ(done.size(), 1);
    EXPECT_FALSE(done[0][0].toBool());
    ASSERT_EQ(boxes.shown().size(), 1u);
    const int ran = row_count();
    EXPECT_GT(ran, 0);
    EXPECT_LT(ran, 30000);
    EXPECT_EQ(boxes.last().text,
              QStringLiteral("the run was stopped after statement %1 of 30000.").arg(ran));
    EXPECT_EQ(ed->editor_widget()->buffer().text(), before);
    EXPECT_FALSE(strip.isVisible());
    EXPECT_FALSE(ed->running());
}

// Completion typed for real: the popup opens on the editor, narrows and inserts.
TEST_F(script_editor_test, completion_popup_takes_keys_and_inserts_the_rest_of_the_word)
{
    open(QString());
    ed->set_names({table, "staff"}, {{table, {"amount", "a_count"}}, {"staff", {"id"}}});
    editor *e = ed->editor_widget();
    QTest::keyClicks(e, "sel");
    auto *list = e->findChild<auto_list *>();
    ASSERT_TRUE(list);
    EXPECT_EQ(list->shown_words(), QStringList{"select"});
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(e->buffer().text(), "select");
    QApplication::processEvents();

    // Tab accepts; the popup is sized by its longest word and placed under the cursor.
    e->set_text(sql("select * from T where "));
    e->set_cursor(e->buffer().size());
    QTest::keyClicks(e, "a");
    list = e->findChild<auto_list *>();
    ASSERT_TRUE(list);
    EXPECT_EQ(list->shown_words(), (QStringList{"a_count", "amount"}));
    EXPECT_EQ(list->size(), QSize(16 * 7, 40));
    EXPECT_EQ(list->pos(), e->cursor_pixel() + QPoint(10, 30));
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Tab);
    EXPECT_EQ(e->buffer().text(), sql("select * from T where amount").toStdString());
    QApplication::processEvents();

    // A character no candidate has there closes the popup and still stands in the text.
    e->set_text(QStringLiteral("select * from st"));
    e->set_cursor(e->buffer().size());
    QTest::keyClicks(e, "a");
    list = e->findChild<auto_list *>();
    ASSERT_TRUE(list);
    QTest::keyClick(list, Qt::Key_Q);
    QApplication::processEvents();
    EXPECT_EQ(e->findChild<auto_list *>(), nullptr);
    EXPECT_EQ(e->buffer().text(), "select * from staq");
    EXPECT_TRUE(e->hasFocus());

    // Punctuation is not lost in the popup: it closes it and reaches the editor.
    e->set_text(QStringLiteral("select "));
    e->set_cursor(e->buffer().size());
    QTest::keyClicks(e, "c");
    list = e->findChild<auto_list *>();
    ASSERT_TRUE(list);
    QTest::keyClick(list, Qt::Key_ParenLeft, Qt::NoModifier);
    QApplication::processEvents();
    EXPECT_EQ(e->buffer().text(), "select c(");

    // Return accepts only a word the user began and has not written out: after a statement's
    // ";" or after a whole word it starts a new line.
    const struct {
        const char *before, *typed, *after;
    } returns[] = {
        {"select * from ", "st", "select * from staff"},
        {"select * from ", "staff", "select * from staff\n"},
        {"select * from ", "staff;", "select * from staff;\n"},
    };
    for (const auto &r : returns) {
        e->set_text(QString::fromUtf8(r.before));
        e->set_cursor(e->buffer().size());
        QTest::keyClicks(e, r.typed);
        list = e->findChild<auto_list *>();
        ASSERT_TRUE(list) << r.typed;
        QTest::keyClick(list, Qt::Key_Return);
        QApplication::processEvents();
        EXPECT_EQ(e->buffer().text(), r.after) << r.before << r.typed;
    }
}

// Ctrl+Return runs the script even while a completion popup is open, and accepts no word.
TEST_F(script_editor_test, ctrl_return_in_an_open_popup_runs_the_script)
{
    open(sql("insert into T (a, b) values (1, \"x\");\n"));
    editor *e = ed->editor_widget();
    e->set_cursor(e->buffer().size());
    QTest::keyClicks(e, "sel");
    auto *list = e->findChild<auto_list *>();
    ASSERT_TRUE(list);
    msg_recorder boxes;
    QSignalSpy done(ed.get(), &sql_script_editor::executed);
    QTest::keyClick(list, Qt::Key_Return, Qt::ControlModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return done.size() == 1; }, 5000));
    EXPECT_EQ(e->buffer().text(),
              sql("insert into T (a, b) values (1, \"x\");\nsel").toStdString());
    EXPECT_EQ(row_count(), 1); // the statements that parsed ran
    EXPECT_EQ(e->findChild<auto_list *>(), nullptr);
}

TEST_F(script_editor_test, shot_of_a_script_with_two_results_and_a_completion_popup)
{
    open(sql("insert into T (a, b) values (1, \"one\"), (2, \"two\");\nselect * from T;\n"
             "select b from T where a == 2;\n"));
    ed->set_names({table}, {{table, {"a", "b"}}});
    msg_recorder boxes;
    run_key();
    ASSERT_EQ(ed->result_tabs()->count(), 2);
    editor *e = ed->editor_widget();
    e->set_cursor(e->buffer().size());
    QTest::keyClicks(e, "select * from ");
    QTest::keyClicks(e->findChild<auto_list *>() ? e->findChild<auto_list *>() : (QWidget *)e, "t");
    ASSERT_TRUE(e->findChild<auto_list *>());
    save_shot(ed.get(), "script_editor_results_and_completion");
}

} // namespace
