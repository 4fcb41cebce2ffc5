// The main window against a running velaserver with the demo database: the tree from
// "show tables;" and "fields_of", refresh after a table is dropped, the log, and shots.
#include <gtest/gtest.h>

#include "db_access.h"
#include "login_dlg.h"
#include "mainwindow.h"
#include "server_fixture.h"
#include "server_suite.h"
#include "shot.h"
#include "sys_config.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>
#include <QTranslator>
#include <QTreeWidget>

namespace {

class main_window_server : public server_suite<true> {
protected:
    void TearDown() override
    {
        win.reset();
        server_suite::TearDown();
    }

    void open()
    {
        win = std::make_unique<MainWindow>("127.0.0.1", server->port(), "admin", "admin");
        tree = win->findChild<QTreeWidget *>("treeWidget");
        tabs = win->findChild<QTabWidget *>("tabWidget");
        log = win->findChild<QTextEdit *>("textEdit");
    }

    QTreeWidgetItem *find_table(const QString &name)
    {
        auto *root = tree->topLevelItem(0);
        for (int i = 0; i < root->childCount(); ++i)
            if (root->child(i)->text(0) == name) return root->child(i);
        return nullptr;
    }

    // What the server holds, asked through a separate access object.
    QStringList server_tables()
    {
        db_access db;
        QStringList tables;
        db.table_names(tables);
        return tables;
    }

    std::unique_ptr<MainWindow> win;
    QTreeWidget *tree = nullptr;
    QTabWidget *tabs = nullptr;
    QTextEdit *log = nullptr;
};

TEST_F(main_window_server, tree_shows_the_servers_tables_and_fields)
{
    open();
    const QStringList tables = server_tables();
    ASSERT_GE(tables.size(), 2);

    ASSERT_EQ(tree->topLevelItemCount(), 1);
    auto *root = tree->topLevelItem(0);
    EXPECT_EQ(root->text(0), "vela_db");
    EXPECT_TRUE(root->isExpanded());
    ASSERT_EQ(root->childCount(), tables.size());
    EXPECT_EQ(win->table_list(), tables);
    db_access db;
    for (int i = 0; i < tables.size(); ++i) {
        auto *item = root->child(i);
        EXPECT_EQ(item->text(0), tables[i]); // in the server's order
        EXPECT_TRUE(item->isExpanded());
        QStringList fields;
        ASSERT_TRUE(db.field_names(tables[i], fields));
        QStringList shown;
        for (int f = 0; f < item->childCount(); ++f) shown << item->child(f)->text(0);
        EXPECT_EQ(shown, fields) << tables[i].toStdString();
        EXPECT_EQ(win->name_map().value(tables[i]), fields);
    }

    // The log starts empty (the start-up refresh is not shown); every statement of a
    // refresh from then on is in it, newest on top.
    EXPECT_TRUE(log->toPlainText().trimmed().isEmpty());
    win->refresh_act->trigger();
    const QString text = log->toPlainText();
    EXPECT_TRUE(text.contains("show tables;"));
    EXPECT_TRUE(text.contains("fields_of " + tables.last() + ";"));
    EXPECT_LT(text.indexOf("fields_of " + tables.last()), text.indexOf("show tables;"));
    EXPECT_FALSE(text.contains("failed"));
}

TEST_F(main_window_server, refresh_keeps_the_current_item_and_its_state)
{
    open();
    const QString first = win->table_list().value(0);
    auto *table = find_table(first);
    ASSERT_NE(table, nullptr);
    table->setExpanded(false);
    tree->setCurrentItem(table);
    win->refresh();
    auto *again = tree->currentItem();
    ASSERT_NE(again, nullptr);
    EXPECT_NE(again, table); // the tree was rebuilt
    EXPECT_EQ(again->text(0), first);
    EXPECT_FALSE(again->isExpanded());
    EXPECT_TRUE(win->drop_act->isEnabled());

    // A field keeps its place under its own table, and its table is opened again.
    ASSERT_GT(again->childCount(), 0);
    const QString field = again->child(0)->text(0);
    tree->setCurrentItem(again->child(0));
    win->refresh_act->trigger();
    auto *cur = tree->currentItem();
    ASSERT_NE(cur, nullptr);
    EXPECT_EQ(cur->text(0), field);
    ASSERT_NE(cur->parent(), nullptr);
    EXPECT_EQ(cur->parent()->text(0), first);
    EXPECT_TRUE(cur->parent()->isExpanded());
    EXPECT_TRUE(win->modify_col_act->isEnabled());
}

TEST_F(main_window_server, refresh_after_a_drop_closes_that_tables_form)
{
    db_access db;
    ASSERT_TRUE(db.make_table("scratch", {"id", "note"}, {"u32", "string16"}, {"false", "true"}));
    open();
    ASSERT_NE(find_table("scratch"), nullptr);
    const QString kept = win->table_list().value(0);
    ASSERT_NE(kept, "scratch");

    // Data views are plain pages here; what counts is the title the rule reads.
    tabs->addTab(new QWidget, "data of table: scratch");
    tabs->addTab(new QWidget, "data of table: " + kept);
    tabs->addTab(new QWidget, "scriptfile1.sql");
    tree->setCurrentItem(find_table("scratch"));
    ASSERT_TRUE(win->drop_act->isEnabled());

    // Dropped elsewhere (another statement on the same connection), then refreshed.
    ASSERT_TRUE(db.remove_table("scratch"));
    win->refresh();

    EXPECT_EQ(find_table("scratch"), nullptr);
    EXPECT_FALSE(win->table_list().contains("scratch"));
    EXPECT_FALSE(win->name_map().contains("scratch"));
    ASSERT_EQ(tabs->count(), 2);
    EXPECT_EQ(tabs->tabText(0), "data of table: " + kept);
    EXPECT_EQ(tabs->tabText(1), "scriptfile1.sql");
    // Nothing is selected any more, so no table action may act on the dropped table.
    EXPECT_FALSE(win->drop_act->isEnabled());
    EXPECT_FALSE(win->view_data_act->isEnabled());
}

TEST_F(main_window_server, shots_in_every_language)
{
    struct lang {
        const char *shot;
        const char *qt_qm;
        const char *app_qm;
    };
    // Styled as start-up styles the program.
    QFile qss(":/qss/vela_white-.qss");
    ASSERT_TRUE(qss.open(QIODevice::ReadOnly));
    const QString old_sheet = qApp->styleSheet();
    qApp->setStyleSheet(QString::fromUtf8(qss.readAll()));
    for (const lang &l : {lang{"main_en", nullptr, nullptr},
                          lang{"main_zh", ":/lang/qt_zh_CN.qm", ":/lang/velastudio_zh.qm"},
                          lang{"main_fr", ":/lang/qt_fr.qm", ":/lang/velastudio_fr.qm"},
                          lang{"main_jp", ":/lang/qt_jp.qm", ":/lang/vela_usdb_cli_jp.qm"}}) {
        QTranslator qt_tr, app_tr;
        if (l.app_qm) {
            ASSERT_TRUE(qt_tr.load(QString::fromLatin1(l.qt_qm)));
            ASSERT_TRUE(app_tr.load(QString::fromLatin1(l.app_qm)));
            QCoreApplication::installTranslator(&qt_tr);
            QCoreApplication::installTranslator(&app_tr);
        }
        open();
        win->resize(1200, 760);
        win->showNormal();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(win.get()));
        if (l.app_qm) {
            EXPECT_NE(win->refresh_act->text(), "refresh(&r)") << l.shot;
            EXPECT_NE(win->windowTitle(), "data oparation console") << l.shot;
        }
        if (QByteArray(l.shot) == "main_zh") {
            EXPECT_EQ(win->refresh_act->text(), QString::fromUtf8("刷新(&R)"));
            EXPECT_EQ(win->windowTitle(), QString::fromUtf8("数据操作控制台"));
        }
        tree->setCurrentItem(find_table(win->table_list().value(0)));
        win->refresh_act->trigger(); // something in the log
        tabs->addTab(new QWidget, "data of table: " + win->table_list().value(0));
        QCoreApplication::processEvents();
        save_shot(win.get(), l.shot);
        {
            // The login form under the program's style sheet.
            login_dlg login;
            login.show();
            QCoreApplication::processEvents();
            save_shot(&login, QString("%1_login").arg(l.shot));
        }
        // The menus with their icons, as they drop down.
        for (const char *menu : {"database_menu", "edit_menu", "view_menu"}) {
            auto *m = win->findChild<QMenu *>(menu);
            ASSERT_NE(m, nullptr);
            m->popup(QPoint(0, 0));
            QCoreApplication::processEvents();
            save_shot(m, QString("%1_%2").arg(l.shot, menu));
            m->hide();
        }
        win.reset();
        QCoreApplication::removeTranslator(&app_tr);
        QCoreApplication::removeTranslator(&qt_tr);
    }
    qApp->setStyleSheet(old_sheet);
}

} // namespace
