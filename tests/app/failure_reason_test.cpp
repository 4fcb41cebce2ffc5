// A statement the server refuses says why: in the client library, in the log line and in the
// script tab's failure box, with the box's own texts unchanged.
#include <gtest/gtest.h>

#include "db_access.h"
#include "editor/editor.h"
#include "editor/run_progress_wt.h"
#include "editor/sql_script_editor.h"
#include "exec_log.h"
#include "msg_box.h"
#include "server_fixture.h"
#include "sys_config.h"

#include "velalink.h"

#include <QPushButton>
#include <QTest>

TEST(failure_reason, an_out_of_range_insert_names_its_column_everywhere)
{
    server_fixture server(true);
    ASSERT_TRUE(server.running());
    const sys_config saved = g_config;
    g_config = sys_config::initial();
    ASSERT_TRUE(db_access::login("127.0.0.1", server.port(), "admin", "admin"));
    exec_log log;
    db_access db("vela_db", &log);
    msg_recorder boxes;
    {
        sql_script_editor ed(&db, QStringLiteral("insert into people (age) values (300);"));
        ed.resize(700, 500);
        ed.show();
        ed.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&ed));
        ed.editor_widget()->setFocus();
        QTest::keyClick(ed.editor_widget(), Qt::Key_Return, Qt::ControlModifier);
        (void)QTest::qWaitFor([&] { return !ed.exec_button()->isDown() && !boxes.empty(); }, 5000);
    }
    const QString reason = QString::fromUtf8(last_error());
    EXPECT_TRUE(reason.contains("age")) << reason.toStdString();
    EXPECT_EQ(db_access::last_reason(), reason);
    EXPECT_TRUE(log.html().contains("failed    </span> (" + reason.toHtmlEscaped() + ")"))
        << log.html().toStdString();
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.last().title, "execute infomation");
    EXPECT_EQ(boxes.last().text,
              "the sql \"insert into people (age) values (300);\" execute failed!");
    EXPECT_EQ(boxes.last().detail, reason);
    db_access::logout();
    g_config = saved;
}
