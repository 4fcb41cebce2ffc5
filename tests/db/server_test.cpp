// db_access against a running velaserver: the command texts it builds must be ones the
// server runs, and what comes back must convert into the right names, types and values.
#include "db_access.h"
#include "exec_log.h"
#include "velalink.h"
#include "server_fixture.h"

#include <QDate>
#include <QTime>
#include <gtest/gtest.h>

#include <cstdio>

namespace {

class db_access_server : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        server_ = new server_fixture;
        connected_ =
            server_->running() && db_access::login("127.0.0.1", server_->port(), "admin", "admin");
    }
    static void TearDownTestSuite()
    {
        exit_to_server();
        delete server_;
        server_ = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(connected_); }

    bool run(const QByteArray &sql)
    {
        result_set *rs = db_.run_sql(sql);
        del_datas(rs);
        return rs != nullptr;
    }

    static server_fixture *server_;
    static bool connected_;
    exec_log log_;
    db_access db_{"vela_db", &log_};
};

server_fixture *db_access_server::server_ = nullptr;
bool db_access_server::connected_ = false;

} // namespace

TEST_F(db_access_server, tables_with_awkward_names_are_created_listed_and_dropped)
{
    const QStringList names = {"plain_t", "my table", "1st", "a]b", QString::fromUtf8("表格")};
    for (const QString &t : names)
        ASSERT_TRUE(db_.make_table(t, {"id", "the name"}, {"u32", "string16"}, {"true", "false"}))
            << t.toStdString();
    QStringList tables;
    ASSERT_TRUE(db_.table_names(tables));
    for (const QString &t : names) EXPECT_TRUE(tables.contains(t)) << t.toStdString();

    QStringList fields, types, repeats;
    ASSERT_TRUE(db_.table_fields("a]b", fields, types, repeats));
    EXPECT_EQ(fields, (QStringList{"id", "the name"}));
    EXPECT_EQ(types, (QStringList{"u32", "string16"}));
    ASSERT_EQ(repeats.size(), 2);

    EXPECT_TRUE(db_.add_field("my table", "age", "u08", "false"));
    EXPECT_TRUE(db_.rename_field("my table", "age", "new age"));
    EXPECT_TRUE(db_.modify_field("my table", "new age", "u16", "false"));
    QStringList after;
    ASSERT_TRUE(db_.field_names("my table", after));
    EXPECT_EQ(after, (QStringList{"id", "the name", "new age"}));
    EXPECT_TRUE(db_.drop_field("my table", "new age"));
    EXPECT_TRUE(db_.empty_table("1st"));

    for (const QString &t : names) EXPECT_TRUE(db_.remove_table(t)) << t.toStdString();
    QStringList left;
    db_.table_names(left);
    for (const QString &t : names) EXPECT_FALSE(left.contains(t)) << t.toStdString();
    EXPECT_FALSE(db_.remove_table("plain_t")) << "a second drop fails";
    EXPECT_TRUE(log_.html().contains("failed"));
}

TEST_F(db_access_server, query_results_convert_to_typed_rows)
{
    ASSERT_TRUE(db_.make_table("typed", {"n", "s", "d", "f", "tm"},
                               {"i32", "string32", "date", "double", "time"},
                               {"false", "false", "false", "false", "false"}));
    ASSERT_TRUE(run("insert into typed (n, s, d, f, tm) values (-5, \"x \\\"y\\\"\", "
                    "\"2024-02-29\", 2.5, \"12:34:56.789\");"))
        << log_.html().toStdString();
    ASSERT_TRUE(run(QByteArray("insert into typed (n, s, d, f, tm) values (7, ") +
                    db_access::quote_str(QByteArray("a\"b\\c\n")) +
                    ", \"1999-12-31\", -0.5, \"00:00:01\");"));

    QStringList names, types;
    table_rows rows;
    std::vector<uint64_t> ids;
    QString line;
    ASSERT_TRUE(db_.run_sql_table("select * from typed;", names, rows, types, line, true, &ids));
    EXPECT_EQ(names, (QStringList{"n", "s", "d", "f", "tm"}));
    EXPECT_EQ(types, (QStringList{"i32", "string32", "date", "double", "time"}));
    ASSERT_EQ(rows.size(), 2);
    ASSERT_EQ(ids.size(), 2u);
    EXPECT_NE(ids[0], ids[1]);
    EXPECT_EQ(rows[0][0], QVariant(-5));
    EXPECT_EQ(rows[0][2], QVariant(QDate(2024, 2, 29)));
    EXPECT_EQ(rows[0][3], QVariant(2.5));
    EXPECT_EQ(rows[0][4], QVariant(QTime(12, 34, 56, 789)));
    EXPECT_EQ(rows[1][1], QVariant(QString("a\"b\\c\n"))) << "an escaped literal arrives unchanged";
    EXPECT_FALSE(log_.html().contains("select * from typed")) << "no-log kept it out of the view";

    // A result with columns and no rows.
    ASSERT_TRUE(run("truncate table typed;"));
    names.clear();
    types.clear();
    rows.clear();
    ASSERT_TRUE(db_.run_sql_table("select * from typed;", names, rows, types, line));
    EXPECT_EQ(names.size(), 5);
    EXPECT_TRUE(types.isEmpty());
    EXPECT_TRUE(rows.isEmpty());
    EXPECT_TRUE(db_.remove_table("typed"));
}

TEST_F(db_access_server, export_import_save_load_backup_restore)
{
    // Paths are on the server, inside its files folder.
    ASSERT_TRUE(db_.make_table("moved", {"id", "name"}, {"u32", "string16"}, {"false", "false"}));
    ASSERT_TRUE(run("insert into moved (id, name) values (1, \"one\");"));
    ASSERT_TRUE(run("insert into moved (id, name) values (2, \"two\");"));

    const QString csv = "out \"quoted\".csv";
    ASSERT_TRUE(db_.export_table("moved", csv, true, ",", false));
    EXPECT_FALSE(db_.export_table("moved", csv, true, ",", false))
        << "an existing file is kept without replace";
    EXPECT_TRUE(db_.export_table("moved", csv, true, ",", true));
    EXPECT_TRUE(db_.export_query("select id from moved where id > 1", "q.csv", false, ";", false));
    EXPECT_TRUE(db_.save_table("moved", "moved.sql", false));
    EXPECT_TRUE(db_.backup_db("all.vbk", false));

    ASSERT_TRUE(db_.empty_table("moved"));
    EXPECT_TRUE(db_.import_table("moved", csv, true, ","));
    QStringList names, types;
    table_rows rows;
    QString line;
    ASSERT_TRUE(db_.run_sql_table("select * from moved;", names, rows, types, line));
    EXPECT_EQ(rows.size(), 2);

    EXPECT_TRUE(db_.remove_table("moved"));
    EXPECT_TRUE(db_.load_table("moved", "moved.sql"));
    rows.clear();
    ASSERT_TRUE(db_.run_sql_table("select * from moved;", names, rows, types, line));
    EXPECT_EQ(rows.size(), 2);

    EXPECT_TRUE(db_.remove_table("moved"));
    EXPECT_TRUE(db_.restore_db("all.vbk"));
    QStringList tables;
    db_.table_names(tables);
    EXPECT_TRUE(tables.contains("moved"));
    db_.remove_table("moved");
}

TEST_F(db_access_server, a_refused_insert_says_why_in_the_reason_and_the_log_line)
{
    ASSERT_TRUE(db_.make_table("people_r", {"age"}, {"u08"}, {"false"}));
    QString line;
    EXPECT_EQ(db_.run_sql("insert into people_r (age) values (300);", line), nullptr);
    const QString reason = db_access::last_reason();
    EXPECT_TRUE(reason.contains("age")) << reason.toStdString();
    EXPECT_EQ(QString::fromUtf8(last_error()), reason);
    EXPECT_TRUE(
        line.contains("<span style='color:red'>failed    </span> (" + reason.toHtmlEscaped() + ")"))
        << line.toStdString();
    EXPECT_TRUE(log_.html().contains(reason.toHtmlEscaped()));
    EXPECT_TRUE(db_.remove_table("people_r"));
}

TEST_F(db_access_server, reconnect_logs_in_again_with_the_same_values)
{
    ASSERT_TRUE(db_access::reconnect());
    EXPECT_TRUE(run("show tables;"));
    EXPECT_EQ(db_access::last_reason(), "");
}
