// Script files in the main window: new, open, recent, the lists kept in the configuration,
// saving that never loses the old file, bounded reading, and the edit actions.
#include <gtest/gtest.h>

#include "editor/editor.h"
#include "editor/run_progress_wt.h"
#include "editor/sql_script_editor.h"
#include "mainwindow.h"
#include "msg_box.h"
#include "sys_config.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <deque>

namespace {

class script_files_test : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved = g_config;
        saved_open = g_open_files;
        saved_recent = g_recent_files;
        g_config = sys_config::initial();
        g_open_files.clear();
        g_recent_files.clear();
        ASSERT_TRUE(dir.isValid());
        MainWindow::set_file_asker(
            [this](QWidget *, bool save, const QString &title, const QString &start) {
                asked.push_back({save, title, start});
                if (answers.empty()) return QString();
                QString a = answers.front();
                answers.pop_front();
                return a;
            });
        win = std::make_unique<MainWindow>();
        tabs = win->findChild<QTabWidget *>("tabWidget");
    }
    void TearDown() override
    {
        win.reset();
        MainWindow::set_file_asker(nullptr);
        MainWindow::set_save_interrupt(nullptr);
        g_config = saved;
        g_open_files = saved_open;
        g_recent_files = saved_recent;
    }

    QString path(const QString &name) const { return dir.filePath(name); }
    void write(const QString &name, const QByteArray &bytes)
    {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray read(const QString &name)
    {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    void open_path(const QString &p)
    {
        answers.push_back(p);
        win->open_file();
    }
    std::string buffer() const { return win->current_script()->editor_widget()->buffer().text(); }

    struct question {
        bool save;
        QString title, start;
    };
    sys_config saved;
    std::vector<std::string> saved_open, saved_recent;
    QTemporaryDir dir;
    std::deque<QString> answers;
    std::vector<question> asked;
    std::unique_ptr<MainWindow> win;
    QTabWidget *tabs = nullptr;
};

TEST_F(script_files_test, new_file_proposes_the_first_free_name_and_creates_the_file)
{
    answers = {path("scriptfile1.sql"), path("scriptfile3.sql"), path("scriptfile2.sql")};
    win->new_file();
    win->new_file();
    win->new_file();
    ASSERT_EQ(asked.size(), 3u);
    EXPECT_EQ(asked[0].start, "scriptfile1.sql");
    EXPECT_EQ(asked[1].start, "scriptfile2.sql");
    EXPECT_EQ(asked[2].start, "scriptfile2.sql"); // 1 and 3 are taken
    EXPECT_EQ(asked[0].title, "set sql file's location");
    EXPECT_TRUE(asked[0].save);
    EXPECT_TRUE(QFile::exists(path("scriptfile2.sql")));
    EXPECT_EQ(tabs->count(), 3);
    EXPECT_EQ(tabs->tabText(tabs->currentIndex()), "scriptfile2.sql");

    // An existing file is left as it is, and a path already open just gets its tab back.
    write("kept.sql", "select 1;");
    answers = {path("kept.sql"), path("scriptfile1.sql")};
    win->new_file();
    EXPECT_EQ(read("kept.sql"), "select 1;");
    win->new_file();
    EXPECT_EQ(tabs->count(), 4);
    EXPECT_EQ(tabs->tabText(tabs->currentIndex()), "scriptfile1.sql");
}

TEST_F(script_files_test, a_path_opens_once_and_the_lists_follow_each_opening)
{
    write("a.sql", "select 1;");
    write("b.sql", "select 2;");
    open_path(path("a.sql"));
    open_path(path("b.sql"));
    open_path(path("a.sql"));
    win->open_recent(path("b.sql"));
    EXPECT_EQ(tabs->count(), 2);
    EXPECT_EQ(tabs->tabText(tabs->currentIndex()), "b.sql");
    EXPECT_EQ(buffer(), "select 2;");
    EXPECT_EQ(g_open_files,
              (std::vector<std::string>{path("a.sql").toStdString(), path("b.sql").toStdString()}));
    EXPECT_EQ(g_recent_files.front(), path("b.sql").toStdString());
    EXPECT_EQ(asked[0].title, "open sql file to script editor");
    EXPECT_EQ(asked[0].start, ".");
}

TEST_F(script_files_test, the_recent_list_keeps_twenty_one_and_its_menu_follows)
{
    for (int i = 1; i <= 22; ++i) {
        write(QString("r%1.sql").arg(i), "");
        open_path(path(QString("r%1.sql").arg(i)));
    }
    ASSERT_EQ(g_recent_files.size(), 21u);
    EXPECT_EQ(g_recent_files.front(), path("r22.sql").toStdString());
    EXPECT_EQ(g_recent_files.back(), path("r2.sql").toStdString());
    QList<QAction *> entries = win->recent_menu()->actions();
    ASSERT_EQ(entries.size(), 23); // 21 paths, a separator, "clear file list"
    EXPECT_EQ(entries[0]->data().toString(), path("r22.sql"));
    EXPECT_EQ(entries.last()->text(), "clear file list");

    // A recent entry whose file is gone asks before it opens an empty editor.
    win->close_all_files();
    QFile::remove(path("r5.sql"));
    msg_recorder boxes(QMessageBox::No);
    entries[17]->trigger(); // r5
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.last().title, "file not exists");
    EXPECT_EQ(tabs->count(), 0);
    boxes.set_default_answer(QMessageBox::Yes);
    win->open_recent(path("r5.sql"));
    EXPECT_EQ(tabs->count(), 1);

    win->recent_menu()->actions().last()->trigger();
    EXPECT_TRUE(g_recent_files.empty());
    EXPECT_EQ(win->recent_menu()->actions().size(), 2);
}

TEST_F(script_files_test, the_open_files_come_back_at_start_in_their_order)
{
    write("one.sql", "select 1;");
    write("two.sql", "select 2;");
    g_open_files = {path("two.sql").toStdString(), path("gone.sql").toStdString(),
                    path("one.sql").toStdString()};
    const std::vector<std::string> before = g_open_files;
    win = std::make_unique<MainWindow>();
    tabs = win->findChild<QTabWidget *>("tabWidget");
    ASSERT_EQ(tabs->count(), 2);
    EXPECT_EQ(tabs->tabText(0), "two.sql");
    EXPECT_EQ(tabs->tabText(1), "one.sql");
    EXPECT_EQ(g_open_files, before); // a missing file stays in the list
}

TEST_F(script_files_test, closing_saves_without_asking_and_quitting_saves_every_script)
{
    write("c.sql", "");
    write("d.sql", "");
    open_path(path("c.sql"));
    QTest::keyClicks(win->current_script()->editor_widget(), "drop");
    open_path(path("d.sql"));
    QTest::keyClicks(win->current_script()->editor_widget(), "show tables;");
    EXPECT_TRUE(win->save_all_act->isEnabled());
    msg_recorder boxes;
    win->close_file();
    EXPECT_EQ(read("d.sql"), "show tables;");
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(g_open_files, std::vector<std::string>{path("c.sql").toStdString()});
    win->close();
    EXPECT_EQ(read("c.sql"), "drop");
}

TEST_F(script_files_test, a_failed_save_says_why_keeps_the_script_modified_and_asks_at_close)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir("sub"));
    write("sub/e.sql", "select 1;");
    open_path(path("sub/e.sql"));
    QTest::keyClicks(win->current_script()->editor_widget(), "x");
    // The folder goes away under the open script (a read-only folder does the same to a
    // user who is not the superuser).
    ASSERT_TRUE(QDir(path("sub")).removeRecursively());
    msg_recorder boxes(QMessageBox::No);
    win->save_file();
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_TRUE(boxes.last().text.contains(path("sub/e.sql")));
    EXPECT_GT(boxes.last().text.size(), path("sub/e.sql").size() + 30); // the reason
    EXPECT_TRUE(win->current_script()->editor_widget()->buffer().modified());
    EXPECT_TRUE(win->save_file_act->isEnabled());

    boxes.clear();
    win->close_file();
    ASSERT_EQ(boxes.shown().size(), 2u); // the save failure, then the question
    EXPECT_EQ(boxes.last().kind, msg_kind::warning);
    EXPECT_EQ(tabs->count(), 1);
    boxes.set_default_answer(QMessageBox::Yes);
    win->close_file();
    EXPECT_EQ(tabs->count(), 0);
}

TEST_F(script_files_test, a_save_cut_short_before_the_rename_leaves_the_old_file_whole)
{
    write("f.sql", "select 1;");
    open_path(path("f.sql"));
    QTest::keyClicks(win->current_script()->editor_widget(), "select 2;");
    QByteArray at_crash;
    MainWindow::set_save_interrupt([&](const QString &p) {
        at_crash = read(QFileInfo(p).fileName());
        return true;
    });
    msg_recorder boxes;
    win->save_file();
    EXPECT_EQ(at_crash, "select 1;");
    EXPECT_EQ(read("f.sql"), "select 1;");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"f.sql"}); // no debris
    MainWindow::set_save_interrupt(nullptr);
    win->save_file();
    EXPECT_EQ(read("f.sql"), "select 2;select 1;");
}

TEST_F(script_files_test, reading_is_bounded_and_takes_the_bytes_as_they_are)
{
    msg_recorder boxes;
    const QByteArray latin1("select \"caf\xe9\";\n", 15);
    write("latin1.sql", latin1);
    open_path(path("latin1.sql"));
    EXPECT_EQ(buffer(), latin1.toStdString());
    EXPECT_TRUE(boxes.empty());

    open_path(dir.path());
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_TRUE(boxes.last().text.contains(dir.path()));

    {
        QFile big(path("big.sql"));
        ASSERT_TRUE(big.open(QIODevice::WriteOnly));
        ASSERT_TRUE(big.resize(MainWindow::script_size_limit + 1)); // sparse
    }
    open_path(path("big.sql"));
    ASSERT_EQ(boxes.shown().size(), 2u);
    EXPECT_TRUE(boxes.last().text.contains("64 MiB"));
    EXPECT_EQ(tabs->count(), 1);
    EXPECT_EQ(g_open_files.size(), 1u);
}

TEST_F(script_files_test, file_and_edit_actions_follow_and_act_on_the_current_script)
{
    EXPECT_FALSE(win->save_as_act->isEnabled());
    EXPECT_FALSE(win->sel_all_act->isEnabled());
    write("g.sql", "select 1;");
    write("h.sql", "select 2;");
    open_path(path("g.sql"));
    open_path(path("h.sql"));
    for (QAction *a : {win->save_as_act, win->print_act, win->close_file_act, win->close_all_act,
                       win->close_except_act, win->sel_all_act})
        EXPECT_TRUE(a->isEnabled()) << a->text().toStdString();
    win->sel_all_act->trigger();
    win->cut_act->trigger();
    EXPECT_EQ(buffer(), "");
    win->undo_act->trigger();
    EXPECT_EQ(buffer(), "select 2;");
    tabs->setCurrentIndex(0);
    win->sel_all_act->trigger();
    win->del_sel_act->trigger();
    EXPECT_EQ(buffer(), "");
    EXPECT_EQ(tabs->widget(1)->findChild<editor *>()->buffer().text(), "select 2;");

    // Save as moves the tab to the new file; the same path is refused.
    answers = {path("g.sql")};
    msg_recorder boxes;
    win->save_file_as();
    EXPECT_EQ(boxes.last().title, "file path is same");
    answers = {path("g2.sql")};
    win->save_file_as();
    EXPECT_EQ(tabs->tabText(0), "g2.sql");
    EXPECT_EQ(read("g2.sql"), "");
    EXPECT_EQ(read("g.sql"), "select 1;");

    win->close_files_except();
    EXPECT_EQ(tabs->count(), 1);
    EXPECT_EQ(tabs->tabText(0), "g2.sql");
}

} // namespace
