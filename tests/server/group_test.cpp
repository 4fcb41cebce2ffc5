// The group clause runs its aggregates as the rows go by. Every case here is checked against
// the same expression run as a whole-table aggregate over each group's rows alone (a where
// picks them), which holds the rows and runs the aggregates over them: the values, their
// types and the first failure must be the same, on every way a group is run.
#include "scratch_db.h"

#include <set>

using namespace vela;

namespace {

class group_test : public scratch_db {
protected:
    void SetUp() override
    {
        scratch_db::SetUp();
        // Groups appear in the order 20, 10, 30, 40. Group 10 overflows sum(x) and holds a u
        // past the range of i64; group 40 has one row.
        ok("create table g ( k i16(), x i64(), u u64(), r double(), s string16(), n i32() )");
        ok("insert into g ( k, x, u, r, s, n ) values "
           "(20, 5, 1, 0.5, \"b\", 3), (10, 9223372036854775800, 18446744073709551615, -0.0, "
           "\"a\", 2), (20, -7, 2, 2.25, \"a\", -1), (10, 100, 3, 0.0, \"c\", 4), "
           "(30, 1, 4, 1.5, \"b\", 0), (20, 2, 5, -3.5, \"b\", 6), (40, 8, 6, 7.0, \"z\", 5)");
    }
    void ok(const std::string &sql)
    {
        statement_outcome r = run(sql);
        ASSERT_TRUE(r.ok) << sql << ": " << r.error;
    }
    // "ok" and the cells with their types, or the reason of the failure.
    static std::string outcome_text(const statement_outcome &r, size_t from_column = 0)
    {
        if (!r.ok) return "fails: " + r.error;
        std::string out;
        for (const auto &row : r.table.rows)
            for (size_t c = from_column; c < row.cells.size(); ++c)
                out += value_text(row.cells[c]) + ":" + type_name(row.cells[c].type) + " ";
        return out;
    }
    // What the group gives, worked out group by group from whole-table aggregates.
    std::string expected(const std::string &e, const std::string &key)
    {
        statement_outcome keys = run("select " + key + " from g");
        EXPECT_TRUE(keys.ok) << keys.error;
        std::string out;
        std::set<std::string> seen;
        for (const auto &row : keys.table.rows) {
            std::string k = value_text(row.cells[0]);
            if (!seen.insert(k == "-0" ? "0" : k).second) continue; // one key, as they compare
            std::string quoted = is_str(row.cells[0].type) ? "\"" + k + "\"" : k;
            statement_outcome one = run("select " + e + " from g where " + key + " == " + quoted);
            if (!one.ok) return "fails: " + one.error;
            out += k + ":" + type_name(row.cells[0].type) + " " + outcome_text(one);
        }
        return out;
    }
};

TEST_F(group_test, aggregates_as_the_rows_go_by_match_aggregates_over_rows_held)
{
    struct {
        const char *e, *key;
    } cases[] = {
        {"count()", "k"},
        {"count(s)", "k"},
        {"sum(x)", "k"}, // group 10 overflows
        {"sum(x)", "s"}, // and so does group "a"
        {"sum(n)", "r"}, // 0 and -0 are one key
        {"sum(u)", "s"}, // past the range of i64 in group "a"
        {"sum(n)", "k"},
        {"sum(r)", "k"},
        {"sum(x + 0.5)", "k"},
        {"sum(s)", "k"},
        {"sum(x * 2)", "s"},
        {"sum(n / (k - 10))", "k"},
        {"product(n)", "k"},
        {"avg(x)", "k"},
        {"avg(r)", "s"},
        {"var(r)", "k"},
        {"stddev(n)", "s"},
        {"min(s)", "k"},
        {"max(r)", "s"},
        {"min(n * -1)", "k"},
        {"first(s)", "k"},
        {"last(x)", "k"},
        {"nth(x, 1)", "s"},
        {"nth(n, 2)", "k"}, // group 40 has one row
        {"nth(n, 1 + 1)", "s"},
        {"count_unique(s)", "k"},
        {"count_unique(r)", "s"},
        {"sum(n) * 10 + count() - max(n)", "k"},
        {"count() < 2 && sum(x) > 0", "k"},     // group 10 never reaches its overflow
        {"sum(n / (x - 2)) + sum(x * 2)", "k"}, // group 20 fails first, on a later row
        {"min(sum(n), 4)", "s"},
    };
    for (const auto &c : cases) {
        std::string want = expected(c.e, c.key);
        std::string group = std::string(" group ") + c.e + " by " + c.key;
        // Straight from the scan of the table, from a result held (after a first clause), and
        // with a where-condition.
        for (std::string sql : {"select k, x, u, r, s, n from g" + group,
                                "select k, x, u, r, s, n from g first 100" + group,
                                "select n, s, r, u, x, k from g where k > 0" + group}) {
            statement_outcome r = run(sql);
            std::string got;
            if (!r.ok) {
                got = "fails: " + r.error;
            } else {
                for (const auto &row : r.table.rows)
                    got += value_text(row.cells[0]) + ":" + type_name(row.cells[0].type) + " " +
                           value_text(row.cells[1]) + ":" + type_name(row.cells[1].type) + " ";
            }
            EXPECT_EQ(got, want) << sql;
        }
    }
}

TEST_F(group_test, many_groups_keep_their_order_and_keys_outside_aggregates_read_the_first_row)
{
    // 3001 distinct keys in a scrambled order, each twice, so that the index of groups grows
    // several times while rows keep coming back to old groups.
    std::string sql = "create table many ( k i32(), v i32() ); insert into many ( k, v ) values ";
    const int n = 3001;
    for (int i = 0; i < 2 * n; ++i)
        sql += (i ? ", (" : "(") + std::to_string(i * 7919 % n) + ", " + std::to_string(i) + ")";
    ok(sql);
    statement_outcome r = run("select k, v from many group v + sum(v) by k");
    ASSERT_TRUE(r.ok) << r.error;
    ASSERT_EQ(r.table.rows.size(), size_t(n));
    for (int i = 0; i < n; ++i) {
        // Group i holds rows i and i + n; v outside the aggregate is the first row's.
        EXPECT_EQ(r.table.rows[size_t(i)].cells[0].i, i * 7919 % n);
        EXPECT_EQ(r.table.rows[size_t(i)].cells[1].i, i + (i + i + n)) << i;
    }
}

} // namespace
