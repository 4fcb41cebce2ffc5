// The program's windows in each interface language: no caption of the preferences, the about
// box or the login form is cut off, and with VELA_SHOTS set a picture of those and of the main
// window with a data view is saved for a person to look at.
#include <gtest/gtest.h>

#include "about_dlg.h"
#include "db_access.h"
#include "editor/editor.h"
#include "editor/run_progress_wt.h"
#include "editor/sql_script_editor.h"
#include "login_dlg.h"
#include "mainwindow.h"
#include "msg_box.h"
#include "server_fixture.h"
#include "startup.h"
#include "support/shot.h"
#include "sys_config.h"
#include "sys_pre_dlg.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QAction>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>
#include <QTranslator>

#include <memory>

namespace {

// Buttons, one-line labels and list entries whose text needs more room than they were given.
std::string cut_captions(QWidget &w)
{
    QStringList out;
    for (QListWidget *lw : w.findChildren<QListWidget *>()) {
        if (!lw->isVisibleTo(&w)) continue;
        for (int i = 0; i < lw->count(); ++i)
            if (lw->visualItemRect(lw->item(i)).right() >= lw->viewport()->width() ||
                lw->sizeHintForColumn(0) > lw->viewport()->width())
                out << lw->item(i)->text();
    }
    for (QAbstractButton *b : w.findChildren<QAbstractButton *>()) {
        if (!b->isVisibleTo(&w) || b->text().isEmpty()) continue;
        if (b->width() < b->sizeHint().width()) out << b->text();
    }
    for (QLabel *l : w.findChildren<QLabel *>()) {
        if (!l->isVisibleTo(&w) || l->text().isEmpty()) continue;
        if (l->wordWrap() ? l->height() < l->heightForWidth(l->width())
                          : l->width() < l->sizeHint().width())
            out << l->text();
    }
    return out.join(QStringLiteral(" | ")).toStdString();
}

struct language_shots : ::testing::TestWithParam<int> {
    static void SetUpTestSuite() { server = new server_fixture(true); }
    static void TearDownTestSuite()
    {
        delete server;
        server = nullptr;
    }
    void SetUp() override
    {
        saved = g_config;
        g_config = sys_config::initial();
        for (int t = 0; t < theme_count; ++t) g_config.reset_theme(t);
        g_config.language = GetParam();
        auto *app = static_cast<QApplication *>(QCoreApplication::instance());
        install_translators(*app, GetParam(), toolkit, program);
    }
    void TearDown() override
    {
        QCoreApplication::removeTranslator(&toolkit);
        QCoreApplication::removeTranslator(&program);
        g_config = saved;
    }
    QString name(const char *what) const
    {
        static const char *codes[] = {"zh", "en", "fr", "jp"};
        return QStringLiteral("%1_%2").arg(QLatin1String(what), QLatin1String(codes[GetParam()]));
    }
    sys_config saved;
    QTranslator toolkit, program;
    static server_fixture *server;
};
server_fixture *language_shots::server = nullptr;

TEST_P(language_shots, login_preferences_about_and_main_window_show_their_whole_captions)
{
    {
        sys_pre_dlg dlg;
        dlg.show();
        auto *lw = dlg.findChild<QListWidget *>("theme_lw");
        lw->setCurrentRow(5);
        EXPECT_EQ(cut_captions(dlg), std::string()) << "preferences";
        save_shot(&dlg, name("prefs_style"));
        auto *tabs = dlg.findChild<QTabWidget *>("tabWidget");
        for (int i = 1; i < tabs->count(); ++i) {
            tabs->setCurrentIndex(i);
            EXPECT_EQ(cut_captions(dlg), std::string()) << "preferences tab " << i;
        }
        tabs->setCurrentIndex(1);
        save_shot(&dlg, name("prefs_edit"));
    }
    {
        about_dlg about;
        about.show();
        EXPECT_EQ(cut_captions(about), std::string()) << "about";
        save_shot(&about, name("about"));
    }
    {
        login_dlg login;
        login.show();
        EXPECT_EQ(cut_captions(login), std::string()) << "login";
        save_shot(&login, name("login"));
    }
    {
        ASSERT_TRUE(server->running());
        ASSERT_TRUE(db_access::login("127.0.0.1", server->port(), "admin", "admin"));
        MainWindow win("127.0.0.1", server->port(), "admin", "admin");
        win.showNormal();
        win.resize(1280, 800);
        QTest::qWait(20);
        save_shot(&win, name("main"));
        // The data view of the demo's people table, in a tab of its own.
        auto *tree = win.findChild<QTreeWidget *>("treeWidget");
        const auto found = tree->findItems("people", Qt::MatchExactly | Qt::MatchRecursive);
        ASSERT_EQ(found.size(), 1);
        tree->setCurrentItem(found[0]);
        win.view_data_act->trigger();
        auto *tabs = win.findChild<QTabWidget *>("tabWidget");
        ASSERT_EQ(tabs->count(), 1);
        QTest::qWait(20);
        save_shot(&win, name("main_data_view"));
        // A script form with a run's result (its boxes answered, never shown).
        msg_recorder boxes;
        sql_script_editor script(
            win.database(),
            QStringLiteral("// people of Rome\nselect name, age, city from people where "
                           "city == \"Rome\" first 5;"));
        script.resize(1000, 600);
        script.show();
        script.exec_sql();
        QTest::qWait(50);
        save_shot(&script, name("script"));
        win.close();
        db_access::logout();
    }
}

INSTANTIATE_TEST_SUITE_P(each_language, language_shots, ::testing::Values(0, 1, 2, 3));

} // namespace
