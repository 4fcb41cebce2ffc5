#pragma once
// One velaserver per test program, logged in once; each test makes its own tables.
#include "db_access.h"
#include "server_fixture.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <ostream>

// Readable failures for texts.
inline void PrintTo(const QString &s, std::ostream *os)
{
    *os << '"' << s.toStdString() << '"';
}

class live_table_test : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    void SetUp() override { ASSERT_TRUE(connected_); }

    bool run(const QByteArray &sql)
    {
        result_set *rs = db_.run_sql(sql);
        if (!rs) return false;
        db_access::release(rs);
        return true;
    }
    // Makes `table` with the given fields and types and inserts `rows` (value literals as
    // they stand in SQL, one list per row).
    void make(const QString &table, const QStringList &fields, const QStringList &types,
              const QList<QStringList> &rows)
    {
        QStringList repeats;
        for (int i = 0; i < fields.size(); ++i) repeats << "true";
        ASSERT_TRUE(db_.make_table(table, fields, types, repeats));
        for (const QStringList &r : rows)
            ASSERT_TRUE(run(("insert into " + table + " ( " + fields.join(", ") + " ) values ( " +
                             r.join(", ") + " );")
                                .toUtf8()));
    }

public:
    static server_fixture *server_;
    static bool connected_;
    db_access db_;
};
