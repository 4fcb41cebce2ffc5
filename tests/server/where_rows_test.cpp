// Statements that pick rows by a where-condition without holding the table: a select reads
// only the rows in a range of row ids the condition begins with, an update or a delete holds
// only the ids of the rows it changes. Every case is checked against the same condition
// wrapped so that it runs over every row held ("&& x max 1000" keeps every row it gets, but
// needs them all at hand): the outcome, the first failure and the table after must be the
// same.
#include "scratch_db.h"

#include <sqlite3.h>

#include <cstdio>

using namespace vela;

namespace {

std::string outcome_text(const statement_outcome &r)
{
    if (!r.ok) return "fails: " + r.error;
    std::string out;
    for (const auto &row : r.table.rows) {
        for (const auto &v : row.cells) out += value_text(v) + " ";
        out += "; ";
    }
    return out;
}

class where_rows_test : public scratch_db {
protected:
    void SetUp() override
    {
        scratch_db::SetUp();
        reset();
        initial_ = table();
    }
    // Table g afresh: ids 1 to 8 but 3. k == 10 on rows 2 and 5; u repeats nowhere and may not.
    void reset()
    {
        run("drop table g");
        statement_outcome r = run(
            "create table g ( k i16(), x i64(), n i32(), s string16(), u i32 ( false ) ); "
            "insert into g ( k, x, n, s, u ) values (20, 5, 3, \"b\", 1), (10, 9, 2, \"a\", 2), "
            "(99, 0, 0, \"gone\", 3), (20, -7, -1, \"a\", 4), (10, 100, 4, \"c\", 5), "
            "(30, 1, 0, \"b\", 6), (20, 2, 6, \"b\", 7), (40, 8, 5, \"z\", 8); "
            "delete from g where __id == 3");
        ASSERT_TRUE(r.ok) << r.error;
    }
    std::string table() { return outcome_text(run("select __id, k, x, n, s, u from g")); }
    // The outcome of sql on a fresh table, and the table after it.
    std::string after(const std::string &sql)
    {
        reset();
        statement_outcome r = run(sql);
        std::string t = table();
        if (!r.ok) {
            EXPECT_EQ(t, initial_) << "a failed statement changed the table: " << sql;
        }
        return outcome_text(r) + " | " + t;
    }
    // The reply payload of a select as the server sends it: encoded as the rows are read when
    // the select is plain enough.
    std::string reply_of(const std::string &sql)
    {
        executor_env env;
        env.stream_replies = true;
        statement_outcome r = executor(st_, env).run(sql);
        if (!r.ok) return "fails: " + r.error;
        std::string out = r.encoded;
        if (out.empty()) encode_result(r.table, out);
        return out;
    }
    std::string initial_;
};

std::string with(const char *sql, const std::string &cond)
{
    char out[300];
    std::snprintf(out, sizeof out, sql, cond.c_str());
    return out;
}

TEST_F(where_rows_test, rows_picked_without_holding_them_match_rows_picked_over_rows_held)
{
    const char *conds[] = {
        "__id > 4", "__id >= 2 && __id <= 6", "__id < 4", "__id <= 0", "__id > -5",
        "__id > 18446744073709551615", "__id == 3", "__id == 4 && x < 0", "2 < __id <= 6",
        "6 >= __id > 1", "__id > 1 && __id < 1", "__id > 2 && first 2", "__id > 2 && last 2",
        "__id > 1 && x > 0 || n == 3", "__id != 4", "__id > 5.5", "__id > \"3\"",
        "__id >= 2 && s == \"b\" && __id < 8",
        // A condition that fails on rows 2 and 5 fails only when it is tested there.
        "x > n / (k - 10)", "__id < 3 && x > n / (k - 10)", "__id > 5 && x > n / (k - 10)",
        "x > n / (k - 10) && __id > 5", "__id >= 2 && x > n / (k - 10)",
        // Each part of an || runs over the whole table in turn.
        "x > 5 || n < 0", "__id > 6 || x < 0 || __id == 1", "first 2 || last 2",
        "x > 0 && last 2 || __id == 1", "nth 2 || range 4 5", "x > n / (k - 10) || n > 5",
        "n > 5 || x > n / (k - 10)", "x > n / (k - 10) || __id > \"3\"", "x max 2 || n == 3"};
    const char *statements[] = {
        "select * from g where %s", "select __id, s from g where %s", "select s, k from g where %s",
        "select sum(n), count() from g where %s", "update g set n = n * 10, s = \"w\" where %s",
        // Fails on the first row it changes unless that is a row of k == 10.
        "update g set k = k * 2000 where %s",
        // Fails as soon as it changes a second row.
        "update g set u = 7 where %s", "delete from g where %s"};
    for (const char *cond : conds) {
        statement_outcome picked = run(with("select * from g where %s", cond));
        for (const char *sql : statements) {
            std::string direct = with(sql, cond),
                        held = with(sql, "(" + std::string(cond) + ") && x max 1000");
            std::string got = after(direct);
            EXPECT_EQ(got, after(held)) << direct;
            if (direct.compare(0, 6, "select") == 0) {
                EXPECT_EQ(reply_of(direct), reply_of(held)) << direct;
            }
            // A condition that fails does so before any row changes.
            if (!picked.ok) {
                EXPECT_EQ(got, "fails: " + picked.error + " | " + initial_) << direct;
            }
        }
    }
}

TEST_F(where_rows_test, a_range_of_ids_finds_rows_stored_past_the_signed_range)
{
    // An id past the signed 64-bit range is stored negative and comes first in the table.
    const table_def *t = st_.find_table("g");
    ASSERT_NE(t, nullptr);
    const std::string d = "d" + std::to_string(t->tid);
    ASSERT_EQ(sqlite3_exec(st_.handle(),
                           ("UPDATE " + d + " SET __id = -2 WHERE __id = 2; UPDATE " + d +
                            " SET __id = -8 WHERE __id = 8")
                               .c_str(),
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    struct {
        const char *cond, *ids;
    } cases[] = {
        {"__id > 4", "18446744073709551608 18446744073709551614 5 6 7 "},
        {"__id > 18446744073709551610", "18446744073709551614 "},
        {"__id >= 18446744073709551608 && __id < 18446744073709551614", "18446744073709551608 "},
        {"__id < 5", "1 4 "},
        {"__id > 6 && first 2", "18446744073709551608 18446744073709551614 "},
    };
    for (const auto &c : cases) {
        statement_outcome r = run(with("select __id from g where %s", c.cond));
        ASSERT_TRUE(r.ok) << c.cond << ": " << r.error;
        std::string ids;
        for (const auto &row : r.table.rows) ids += value_text(row.cells[0]) + " ";
        EXPECT_EQ(ids, c.ids) << c.cond;
    }
    // The parts of an || found apart are merged in the same order, each row once.
    statement_outcome up = run("update g set n = n + 1 where __id > 6 || __id == 7");
    ASSERT_TRUE(up.ok) << up.error;
    EXPECT_EQ(outcome_text(run("select n from g where __id == 7")), "7 ; ");
    statement_outcome gone =
        run("delete from g where __id > 18446744073709551610 || __id < 2 || __id == 5");
    ASSERT_TRUE(gone.ok) << gone.error;
    EXPECT_EQ(outcome_text(run("select __id from g")), "18446744073709551608 ; 4 ; 6 ; 7 ; ");
}

TEST_F(where_rows_test, rows_fetched_one_by_one_may_be_changed_while_statements_come_and_go)
{
    // Each row's work prepares more statements of its own than the storage keeps at once.
    ASSERT_TRUE(
        run("create table w ( a i32(), b i32(), c i32(), d i32(), e i32(), f i32(), "
            "g i32(), h i32(), i i32(), j i32() ); insert into w ( a ) values (1), (2), (3)")
            .ok);
    const table_def *t = st_.find_table("w");
    ASSERT_NE(t, nullptr);
    std::string err;
    std::vector<uint64_t> seen;
    auto each = [&](stored_row &row) {
        seen.push_back(row.id);
        for (unsigned mask = 1; mask < 700; ++mask) {
            std::vector<bool> need(10);
            for (size_t f = 0; f < need.size(); ++f) need[f] = mask >> f & 1;
            if (!st_.scan_each(
                    *t, 1, [](stored_row &) { return true; }, err, &need))
                return false;
        }
        row.cells[1] = value::of_int(int64_t(row.id) * 10, col_type::i32);
        return st_.update_row(*t, row.id, row.cells, err);
    };
    ASSERT_TRUE(st_.fetch_each(*t, {3, 1, 4, 2, 3}, each, err)) << err;
    EXPECT_EQ(seen, (std::vector<uint64_t>{3, 1, 2, 3}));
    EXPECT_EQ(outcome_text(run("select a, b from w")), "1 10 ; 2 20 ; 3 30 ; ");
}

} // namespace
