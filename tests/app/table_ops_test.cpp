// The main window's table operations against velaserver with the demo database: the forms
// in tabs, the questions, the transfer commands and the refresh after each of them.
#include <gtest/gtest.h>

#include "data_view.h"
#include "db_access.h"
#include "mainwindow.h"
#include "msg_box.h"
#include "server_fixture.h"
#include "shot.h"
#include "sys_config.h"
#include "tab_data_model.h"

#include <QAction>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

namespace {

class table_ops : public ::testing::Test {
protected:
    static void SetUpTestSuite() { server = new server_fixture(true); }
    static void TearDownTestSuite()
    {
        delete server;
        server = nullptr;
    }
    void SetUp() override
    {
        ASSERT_TRUE(server->running());
        saved = g_config;
        g_config = sys_config::initial();
        ASSERT_TRUE(db_access::login("127.0.0.1", server->port(), "admin", "admin"));
        win = std::make_unique<MainWindow>("127.0.0.1", server->port(), "admin", "admin");
        tree = win->findChild<QTreeWidget *>("treeWidget");
        tabs = win->findChild<QTabWidget *>("tabWidget");
    }
    void TearDown() override
    {
        win.reset();
        db_access::logout();
        g_config = saved;
    }
    QTreeWidgetItem *item(const QString &table, const QString &field = QString())
    {
        auto *root = tree->topLevelItem(0);
        for (int i = 0; i < root->childCount(); ++i) {
            QTreeWidgetItem *t = root->child(i);
            if (t->text(0) != table) continue;
            if (field.isEmpty()) return t;
            for (int j = 0; j < t->childCount(); ++j)
                if (t->child(j)->text(0) == field) return t->child(j);
        }
        return nullptr;
    }
    void select(const QString &table, const QString &field = QString())
    {
        QTreeWidgetItem *it = item(table, field);
        ASSERT_TRUE(it) << table.toStdString();
        tree->setCurrentItem(it);
    }
    QStringList titles() const
    {
        QStringList out;
        for (int i = 0; i < tabs->count(); ++i) out << tabs->tabText(i);
        return out;
    }

    static server_fixture *server;
    sys_config saved;
    std::unique_ptr<MainWindow> win;
    QTreeWidget *tree = nullptr;
    QTabWidget *tabs = nullptr;
};
server_fixture *table_ops::server = nullptr;

} // namespace

TEST_F(table_ops, ViewDataOpensOneTabAndAsksBeforeClosingEdits)
{
    EXPECT_FALSE(win->view_data_act->isEnabled());
    select("people");
    ASSERT_TRUE(win->view_data_act->isEnabled());
    win->view_data_act->trigger();
    win->view_data_act->trigger();
    ASSERT_EQ(titles(), QStringList({"data of table: people"}));
    auto *view = qobject_cast<data_view *>(tabs->widget(0));
    ASSERT_TRUE(view);
    EXPECT_EQ(view->model()->rowCount(), 1000);
    EXPECT_EQ(view->status_text(), "1000 rows (limit reached)");
    win->showNormal();
    win->resize(1280, 800);
    QTest::qWait(20);
    save_shot(win.get(), "main_window_view_data");

    ASSERT_TRUE(view->model()->setData(view->model()->index(0, 1), QString("changed")));
    msg_recorder rec;
    rec.queue_answer(QMessageBox::Cancel);
    emit tabs->tabCloseRequested(0);
    EXPECT_EQ(tabs->count(), 1);
    EXPECT_EQ(rec.last().text, "apply the pending changes?");
    rec.queue_answer(QMessageBox::Discard);
    emit tabs->tabCloseRequested(0);
    EXPECT_EQ(tabs->count(), 0);
}
