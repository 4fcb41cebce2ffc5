// Runs seen from the main window: executing a SQL file, a long script run that locks what
// must not re-enter it, the result summary in the status bar and the names handed to
// completion after the tree is refreshed.
#include <gtest/gtest.h>

#include "db_access.h"
#include "editor/editor.h"
#include "editor/run_progress_wt.h"
#include "editor/sql_script_editor.h"
#include "mainwindow.h"
#include "msg_box.h"
#include "server_fixture.h"
#include "server_suite.h"
#include "shot.h"
#include "sys_config.h"

#include <QAction>
#include <QFile>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <cstdio>

namespace {

class script_run_window : public server_suite<false> {
protected:
    void SetUp() override
    {
        g_open_files.clear();
        g_recent_files.clear();
        server_suite::SetUp();
        if (HasFatalFailure()) return;
        MainWindow::set_file_asker(
            [this](QWidget *, bool, const QString &, const QString &) { return answer; });
        win = std::make_unique<MainWindow>();
        tabs = win->findChild<QTabWidget *>("tabWidget");
        table = QStringLiteral("w%1").arg(++serial);
    }
    void TearDown() override
    {
        win.reset();
        MainWindow::set_file_asker(nullptr);
        server_suite::TearDown();
        g_open_files.clear();
        g_recent_files.clear();
    }
    QString file(const QString &name, const QString &text)
    {
        QFile f(dir.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text.toUtf8());
        return f.fileName();
    }
    int rows_of(const QString &t)
    {
        db_access db;
        QStringList names, types;
        table_rows rows;
        QString line;
        db.run_sql_table(("select * from " + t + ";").toUtf8(), names, rows, types, line);
        return rows.size();
    }

    static int serial;
    QTemporaryDir dir;
    QString answer, table;
    std::unique_ptr<MainWindow> win;
    QTabWidget *tabs = nullptr;
};
int script_run_window::serial = 0;

TEST_F(script_run_window, a_sql_file_runs_until_its_failing_statement)
{
    answer = file("run.sql", QString("create table %1 (a i32(true));\n"
                                     "insert into %1 (a) values (1);\n"
                                     "insert into no_such_table (a) values (2);\n"
                                     "insert into %1 (a) values (3);\n")
                                 .arg(table));
    msg_recorder boxes;
    win->exec_sql_act->trigger();
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.last().title, "execute infomation");
    EXPECT_EQ(boxes.last().text,
              "the sql \"insert into no_such_table (a) values (2);\" execute failed!");
    EXPECT_FALSE(boxes.last().detail.isEmpty());
    EXPECT_EQ(rows_of(table), 1);
    EXPECT_EQ(tabs->count(), 0); // the file is run, not opened

    // A file that does not parse sends nothing.
    answer = file("bad.sql", QString("insert into %1 (a) values (5);\nselec 1;").arg(table));
    win->exec_sql_act->trigger();
    EXPECT_EQ(boxes.last().title, "sql parse failed");
    EXPECT_EQ(boxes.last().text, "the sql parsed failed at position: 31");
    EXPECT_EQ(rows_of(table), 1);
}

TEST_F(script_run_window, a_long_run_locks_what_would_reenter_it_until_it_ends)
{
    QString script = QString("create table %1 (a i32(true));\n").arg(table);
    for (int i = 0; i < 30000; ++i)
        script += QString("insert into %1 (a) values (%2);\n").arg(table).arg(i);
    answer = file("long.sql", script);
    win->open_file();
    ASSERT_EQ(tabs->count(), 1);
    auto *ed = win->current_script();
    run_progress_wt *strip = win->run_progress();
    bool window_stayed = false, locked = false, tab_stayed = false;
    QObject::connect(strip, &run_progress_wt::running_changed, win.get(), [&](bool on) {
        if (!on) return;
        QTimer::singleShot(0, win.get(), [&] {
            win->close();
            window_stayed = win->isVisible();
            locked = !win->exec_sql_act->isEnabled() && !win->new_file_act->isEnabled() &&
                     !win->refresh_act->isEnabled() && !win->reconnect_act->isEnabled() &&
                     !win->close_file_act->isEnabled() && !win->sel_all_act->isEnabled() &&
                     !win->findChild<QTreeWidget *>("treeWidget")->isEnabled();
            win->close_tab(0);
            tab_stayed = tabs->count() == 1;
            strip->stop_button()->click();
        });
    });
    msg_recorder boxes;
    ed->exec_sql();
    EXPECT_TRUE(window_stayed);
    EXPECT_TRUE(locked);
    EXPECT_TRUE(tab_stayed);
    EXPECT_TRUE(boxes.last().text.startsWith("the run was stopped after statement "));
    for (QAction *a : {win->exec_sql_act, win->new_file_act, win->refresh_act, win->close_file_act,
                       win->sel_all_act})
        EXPECT_TRUE(a->isEnabled()) << a->text().toStdString();
    // The run created a table: the tree was refreshed and completion knows it.
    EXPECT_TRUE(win->table_list().contains(table));
    EXPECT_FALSE(ed->names().fields.count(table.toStdString()) == 0);
}

TEST_F(script_run_window, stop_ends_a_sql_file_run_after_the_statement_it_reports)
{
    QString script = QString("create table %1 (a i32(true));\n").arg(table);
    for (int i = 0; i < 30000; ++i)
        script += QString("insert into %1 (a) values (%2);\n").arg(table).arg(i);
    answer = file("long.sql", script);
    run_progress_wt *strip = win->run_progress();
    QObject::connect(strip, &run_progress_wt::running_changed, win.get(), [&](bool on) {
        if (on) QTimer::singleShot(0, win.get(), [&] { strip->stop_button()->click(); });
    });
    msg_recorder boxes;
    win->exec_sql_act->trigger();
    ASSERT_FALSE(boxes.empty());
    int after = 0, total = 0;
    ASSERT_EQ(std::sscanf(boxes.last().text.toUtf8().constData(),
                          "the run was stopped after statement %d of %d.", &after, &total),
              2)
        << boxes.last().text.toStdString();
    EXPECT_EQ(total, 30001);
    EXPECT_LT(after, total);
    EXPECT_EQ(rows_of(table), after - 1) << "every statement up to the reported one, no more";
    EXPECT_TRUE(win->exec_sql_act->isEnabled());
}

TEST_F(script_run_window, the_status_bar_sums_up_the_current_result_tab)
{
    db_access db;
    db.run_sql(QString("create table %1 (a i32(true), b i32(true));").arg(table).toUtf8());
    db.run_sql(QString("insert into %1 (a, b) values (1, 2), (3, 4);").arg(table).toUtf8());
    answer = file("sum.sql", QString("select * from %1;").arg(table));
    win->open_file();
    msg_recorder boxes;
    win->current_script()->exec_sql();
    EXPECT_TRUE(win->statusBar()->currentMessage().startsWith("2 rows, 2 columns in "))
        << win->statusBar()->currentMessage().toStdString();
    EXPECT_TRUE(win->statusBar()->currentMessage().endsWith(" ms"));
    save_shot(win.get(), "main_window_script_tab");
}

} // namespace
