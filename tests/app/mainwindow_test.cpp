// Main window rules that need no server: actions and their enabling by tree item, tab
// handling, the double click on the tab strip, the view slots.
#include <gtest/gtest.h>

#include "mainwindow.h"
#include "sys_config.h"

#include <QAction>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>
#include <QToolBar>
#include <QTreeWidget>

namespace {

struct main_window_test : ::testing::Test {
    void SetUp() override
    {
        saved = g_config;
        g_config = sys_config::initial();
        // The file actions ask for paths; no dialog may wait for a person here.
        MainWindow::set_file_asker(
            [](QWidget *, bool, const QString &, const QString &) { return QString(); });
        win = std::make_unique<MainWindow>();
        tree = win->findChild<QTreeWidget *>("treeWidget");
        tabs = win->findChild<QTabWidget *>("tabWidget");
        ASSERT_TRUE(tree && tabs);
    }
    void TearDown() override
    {
        win.reset();
        MainWindow::set_file_asker(nullptr);
        g_config = saved;
    }

    // A tree as refresh builds it: database, two tables, fields under the first.
    void fill_tree()
    {
        tree->clear();
        auto *root = new QTreeWidgetItem(tree, {"vela_db"});
        auto *people = new QTreeWidgetItem(root, {"people"});
        new QTreeWidgetItem(people, {"age"});
        new QTreeWidgetItem(root, {"orders"});
        tree->expandAll();
    }
    QTreeWidgetItem *root() { return tree->topLevelItem(0); }
    QTreeWidgetItem *table() { return root()->child(0); }
    QTreeWidgetItem *field() { return table()->child(0); }

    // The tree's context menu as texts, "-" for a separator.
    QStringList context_menu()
    {
        QStringList out;
        for (auto *act : tree->actions())
            out << (act->isSeparator() ? QStringLiteral("-") : act->text());
        return out;
    }

    QAction *act(const char *name) { return win->findChild<QAction *>(name); }

    QList<QAction *> table_acts() { return win->table_actions(); }
    QList<QAction *> field_acts() { return win->field_actions(); }
    // Database-level actions that never follow the selection.
    QList<QAction *> db_acts()
    {
        return {win->refresh_act, win->create_table_act, win->reconnect_act, win->backup_act,
                win->restore_act, win->exec_sql_act,     win->load_act};
    }

    void expect_enabled(const QList<QAction *> &acts, bool enabled)
    {
        for (auto *a : acts) EXPECT_EQ(a->isEnabled(), enabled) << a->text().toStdString();
    }

    void add_tab(const QString &title) { tabs->addTab(new QWidget, title); }

    sys_config saved;
    std::unique_ptr<MainWindow> win;
    QTreeWidget *tree = nullptr;
    QTabWidget *tabs = nullptr;
};

TEST_F(main_window_test, shortcuts_parse_and_icons_load)
{
    // Shortcuts are written in lower case; they must still mean the keys.
    EXPECT_EQ(win->new_file_act->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));
    EXPECT_EQ(win->save_all_act->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    EXPECT_EQ(win->refresh_act->shortcut(), QKeySequence(Qt::Key_F5));
    EXPECT_EQ(win->exec_cur_act->shortcut(), QKeySequence(Qt::Key_F7));
    EXPECT_EQ(act("fullscreen_act")->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F11));

    // Every tool bar entry, every tree icon and every icon of the menus is a real picture.
    auto *bar = win->findChild<QToolBar *>("toolBar");
    int buttons = 0;
    for (auto *a : bar->actions()) {
        if (a->isSeparator()) continue;
        ++buttons;
        EXPECT_FALSE(a->icon().pixmap(32).isNull()) << a->text().toStdString();
    }
    EXPECT_EQ(buttons, 23);
    for (const char *path :
         {":/img/db.svg", ":/img/tab.svg", ":/img/col.svg", ":/img/connect.svg",
          ":/img/disconnect.svg", ":/img/correct.svg", ":/img/error.svg", ":/img/icon.svg",
          ":/img/language.svg", ":/img/close.png", ":/img/logo.png"})
        EXPECT_FALSE(QIcon(path).pixmap(24).isNull()) << path;
    for (auto *a : win->findChildren<QAction *>()) {
        if (!a->icon().isNull()) {
            EXPECT_FALSE(a->icon().pixmap(24).isNull()) << a->objectName().toStdString();
        }
    }
}

TEST_F(main_window_test, start_state)
{
    // Without a connection the tree holds only the database.
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    EXPECT_EQ(root()->text(0), "vela_db");
    EXPECT_EQ(root()->childCount(), 0);
    EXPECT_TRUE(win->table_list().isEmpty());
    EXPECT_TRUE(win->isMaximized());
    EXPECT_EQ(tabs->currentIndex(), -1);

    expect_enabled(db_acts(), true);
    expect_enabled(win->edit_actions(), false);
    EXPECT_TRUE(act("normal_act")->isChecked());
    EXPECT_FALSE(act("big_act")->isChecked());
    EXPECT_TRUE(act("en_act")->isChecked()); // language 1 in a fresh configuration
    EXPECT_FALSE(act("zh_act")->isChecked());
}

TEST_F(main_window_test, enabling_follows_the_tree_item)
{
    fill_tree();

    tree->setCurrentItem(table());
    expect_enabled(table_acts(), true);
    expect_enabled(field_acts(), false);
    EXPECT_EQ(context_menu(), QStringList({"drop(&d)", "truncate(&t)", "create field(&c)",
                                           "view field(&v)", "view data(&v)", "-", "import(&i)",
                                           "export(&e)", "-", "save table(&s)"}));

    tree->setCurrentItem(field());
    expect_enabled(table_acts(), false);
    expect_enabled(field_acts(), true);
    EXPECT_EQ(context_menu(), QStringList({"delete(&d)", "rename(&r)", "modify(&m)"}));

    tree->setCurrentItem(root());
    expect_enabled(table_acts() + field_acts(), false);
    EXPECT_EQ(context_menu(),
              QStringList({"refresh(&r)", "create table(&c)", "load table(&l)", "-", "backup(&b)",
                           "restore(&r)", "-", "execute sql(&e)", "-", "status(&s)"}));

    tree->setCurrentItem(table());
    tree->setCurrentItem(nullptr);
    expect_enabled(table_acts() + field_acts(), false);
    EXPECT_TRUE(context_menu().isEmpty());

    // Whatever was selected, the database actions stay on and status stays off.
    for (auto *item : {root(), table(), field()}) {
        tree->setCurrentItem(item);
        expect_enabled(db_acts(), true);
        EXPECT_FALSE(win->status_act->isEnabled());
    }
}

TEST_F(main_window_test, refresh_never_leaves_actions_for_a_vanished_item)
{
    // The selected table is not on the (unreachable) server any more.
    fill_tree();
    tree->setCurrentItem(table());
    ASSERT_TRUE(win->drop_act->isEnabled());
    win->refresh();
    EXPECT_EQ(tree->currentItem(), nullptr);
    expect_enabled(table_acts() + field_acts(), false);
    EXPECT_TRUE(context_menu().isEmpty());

    // The database item itself survives a refresh and stays current.
    tree->setCurrentItem(root());
    win->refresh();
    ASSERT_NE(tree->currentItem(), nullptr);
    EXPECT_EQ(tree->currentItem()->text(0), "vela_db");
    EXPECT_TRUE(tree->currentItem()->isExpanded());
}

TEST_F(main_window_test, refresh_opens_the_database_item_even_when_it_was_closed)
{
    // The database item was current and closed: it comes back current, and open.
    tree->setCurrentItem(root());
    root()->setExpanded(false);
    win->refresh();
    ASSERT_NE(tree->currentItem(), nullptr);
    EXPECT_EQ(tree->currentItem(), root());
    EXPECT_TRUE(root()->isExpanded());
}

TEST_F(main_window_test, every_configured_language_is_checked_at_start)
{
    const char *names[] = {"zh_act", "en_act", "fr_act", "jp_act"};
    for (int lang = 0; lang < 4; ++lang) {
        win.reset();
        g_config.language = lang;
        win = std::make_unique<MainWindow>();
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(act(names[i])->isChecked(), i == lang)
                << "language " << lang << " " << names[i];
    }
}

TEST_F(main_window_test, refresh_closes_table_forms_of_missing_tables)
{
    // No table exists on an unreachable server: forms titled "...: table" go, other tabs stay.
    add_tab("notes");
    add_tab("data of table: people");
    add_tab("view fields of table: orders");
    QPointer<QWidget> form = tabs->widget(1);
    win->refresh();
    ASSERT_EQ(tabs->count(), 1);
    EXPECT_EQ(tabs->tabText(0), "notes");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(form.isNull()); // the form's widget is deleted, not leaked
}

TEST_F(main_window_test, close_tab_deletes_and_moves_to_the_neighbour)
{
    add_tab("a: 1");
    add_tab("b: 2");
    add_tab("c: 3");
    QPointer<QWidget> last = tabs->widget(2);
    tabs->setCurrentIndex(2);
    win->close_tab(2); // last tab: the one before becomes current
    EXPECT_TRUE(last.isNull());
    EXPECT_EQ(tabs->count(), 2);
    EXPECT_EQ(tabs->currentIndex(), 1);

    tabs->setCurrentIndex(0);
    win->close_tab(0); // the tab that slides into its place becomes current
    EXPECT_EQ(tabs->count(), 1);
    EXPECT_EQ(tabs->tabText(tabs->currentIndex()), "b: 2");

    win->close_tab(5); // out of range: nothing happens
    win->close_tab(-1);
    EXPECT_EQ(tabs->count(), 1);

    // The close button of a tab goes the same way.
    emit tabs->tabCloseRequested(0);
    EXPECT_EQ(tabs->count(), 0);
}

TEST_F(main_window_test, accepted_and_rejected_forms_leave)
{
    add_tab("keep");
    add_tab("form: x");
    tabs->setCurrentIndex(1);
    win->tab_rejected();
    ASSERT_EQ(tabs->count(), 1);
    EXPECT_EQ(tabs->tabText(0), "keep");

    add_tab("form: y");
    tabs->setCurrentIndex(1);
    win->tab_accepted();
    ASSERT_EQ(tabs->count(), 1);
    EXPECT_EQ(tabs->tabText(0), "keep");
}

// A table form that leaves from inside one of its own slots (its OK button) is still
// running when the main window removes it; it must outlive that call.
class leaving_form : public QWidget {
    Q_OBJECT
public:
    bool leave(bool accepted)
    {
        QPointer<leaving_form> self(this);
        if (accepted)
            emit done_ok();
        else
            emit done_cancel();
        return !self.isNull();
    }
signals:
    void done_ok();
    void done_cancel();
};

TEST_F(main_window_test, a_form_leaving_from_its_own_slot_outlives_the_call)
{
    for (bool accepted : {true, false}) {
        auto *form = new leaving_form;
        QObject::connect(form, &leaving_form::done_ok, win.get(), &MainWindow::tab_accepted);
        QObject::connect(form, &leaving_form::done_cancel, win.get(), &MainWindow::tab_rejected);
        tabs->addTab(form, "data of table: t");
        tabs->setCurrentWidget(form);
        QPointer<QWidget> guard(form);
        EXPECT_TRUE(form->leave(accepted)) << accepted;
        EXPECT_EQ(tabs->count(), 0) << accepted;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(guard.isNull()) << accepted; // and it is gone afterwards, not leaked
    }

    // A form of a table that is gone asks for a refresh (no table exists without a server).
    auto *form = new leaving_form;
    QObject::connect(form, &leaving_form::done_ok, win.get(), &MainWindow::refresh);
    tabs->addTab(form, "data of table: gone");
    QPointer<QWidget> guard(form);
    EXPECT_TRUE(form->leave(true));
    EXPECT_EQ(tabs->count(), 0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(guard.isNull());
}

TEST_F(main_window_test, table_form_tab_turns_editor_actions_off)
{
    for (auto *a : win->edit_actions() + QList<QAction *>{win->save_file_act, win->save_as_act,
                                                          win->print_act, win->close_file_act})
        a->setEnabled(true);
    add_tab("data of table: t");
    win->currentChanged(0);
    expect_enabled(win->edit_actions(), false);
    expect_enabled({win->save_file_act, win->save_as_act, win->print_act, win->close_file_act,
                    win->close_all_act, win->close_except_act},
                   false);
    EXPECT_TRUE(win->open_file_act->isEnabled());
    EXPECT_FALSE(tabs->tabBar()->actions().contains(win->close_file_act));
}

TEST_F(main_window_test, double_click_on_the_tab_strip_asks_for_a_new_file)
{
    QSignalSpy spy(win->new_file_act, &QAction::triggered);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(win.get()));

    // Empty tab area, right at the top: the strip where tabs would be.
    QTest::mouseDClick(tabs, Qt::LeftButton, Qt::NoModifier, QPoint(tabs->width() / 2, 5));
    EXPECT_EQ(spy.count(), 1);

    // Far below the strip, in the page area: consumed, but no new file.
    QTest::mouseDClick(tabs, Qt::LeftButton, Qt::NoModifier,
                       QPoint(tabs->width() / 2, tabs->height() - 10));
    EXPECT_EQ(spy.count(), 1);

    // On a tab, and beside the last tab.
    add_tab("data of table: t");
    QTabBar *bar = tabs->tabBar();
    QTest::mouseDClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(0).center());
    EXPECT_EQ(spy.count(), 2);
    QTest::mouseDClick(tabs, Qt::LeftButton, Qt::NoModifier,
                       QPoint(tabs->width() - 20, bar->geometry().center().y()));
    EXPECT_EQ(spy.count(), 3);
    EXPECT_EQ(tabs->count(), 1);
}

TEST_F(main_window_test, icon_size_views_are_exclusive_and_stored)
{
    auto *bar = win->findChild<QToolBar *>("toolBar");
    act("big_act")->trigger();
    EXPECT_EQ(g_config.icon_size, 48);
    EXPECT_EQ(bar->iconSize(), QSize(48, 48));
    EXPECT_EQ(tree->iconSize(), QSize(48, 48));
    EXPECT_TRUE(act("big_act")->isChecked());
    EXPECT_FALSE(act("normal_act")->isChecked());

    // Triggering a checked entry again must not leave all three unchecked.
    act("small_act")->trigger();
    act("small_act")->trigger();
    EXPECT_EQ(g_config.icon_size, 24);
    EXPECT_TRUE(act("small_act")->isChecked());
    EXPECT_FALSE(act("big_act")->isChecked());
    EXPECT_EQ(tree->iconSize(), QSize(24, 24));
}

TEST_F(main_window_test, stored_icon_size_and_panels_apply_at_start)
{
    win.reset();
    g_config.icon_size = 48;
    g_config.show_log = false;
    win = std::make_unique<MainWindow>();
    EXPECT_TRUE(act("big_act")->isChecked());
    EXPECT_FALSE(act("normal_act")->isChecked());
    EXPECT_EQ(win->findChild<QToolBar *>("toolBar")->iconSize(), QSize(48, 48));
    EXPECT_FALSE(act("log_act")->isChecked());
    EXPECT_TRUE(win->findChild<QTextEdit *>("textEdit")->isHidden());

    // A value the menu never writes leaves the form as it is.
    win.reset();
    g_config.icon_size = 7;
    win = std::make_unique<MainWindow>();
    EXPECT_TRUE(act("normal_act")->isChecked());
    EXPECT_EQ(win->findChild<QTreeWidget *>("treeWidget")->iconSize(), QSize(24, 24));
}

TEST_F(main_window_test, panel_views_store_and_show)
{
    ASSERT_TRUE(QTest::qWaitForWindowExposed(win.get()));
    act("db_act")->trigger();
    EXPECT_FALSE(g_config.show_db);
    EXPECT_FALSE(tree->isVisible());
    act("db_act")->trigger();
    EXPECT_TRUE(g_config.show_db);
    EXPECT_TRUE(tree->isVisible());

    act("statusbar_act")->trigger();
    EXPECT_FALSE(g_config.show_status);
    EXPECT_FALSE(win->statusBar()->isVisible());

    // Hiding the tool bar by any way unchecks its entry.
    auto *bar = win->findChild<QToolBar *>("toolBar");
    act("toolbar_act")->trigger();
    EXPECT_FALSE(g_config.show_toolbar);
    EXPECT_FALSE(bar->isVisible());
    bar->show();
    EXPECT_TRUE(act("toolbar_act")->isChecked());
    bar->hide();
    EXPECT_FALSE(act("toolbar_act")->isChecked());
}

TEST_F(main_window_test, fullscreen_toggles_back_to_the_previous_state)
{
    ASSERT_TRUE(QTest::qWaitForWindowExposed(win.get()));
    act("fullscreen_act")->trigger();
    EXPECT_TRUE(win->windowState() & Qt::WindowFullScreen);
    EXPECT_TRUE(act("fullscreen_act")->isChecked());
    act("fullscreen_act")->trigger();
    EXPECT_FALSE(win->windowState() & Qt::WindowFullScreen);
    EXPECT_TRUE(win->windowState() & Qt::WindowMaximized);
    EXPECT_FALSE(act("fullscreen_act")->isChecked());
}

TEST_F(main_window_test, syntax_button_follows_goto_error)
{
    auto *btn = win->findChild<QPushButton *>("syntax_btn");
    ASSERT_NE(btn, nullptr);
    auto same = [](const QIcon &a, const char *path) {
        return a.pixmap(16).toImage() == QIcon(path).pixmap(16).toImage();
    };
    EXPECT_TRUE(same(btn->icon(), ":/img/correct.svg"));
    win->goto_err_act->setEnabled(true);
    EXPECT_TRUE(same(btn->icon(), ":/img/error.svg"));
    win->goto_err_act->setEnabled(false);
    EXPECT_TRUE(same(btn->icon(), ":/img/correct.svg"));
}

} // namespace

#include "mainwindow_test.moc"
