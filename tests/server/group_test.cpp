// The group clause runs its aggregates as the rows go by (also the rows a join makes), and so
// does a selection that sums up a whole table. Every case is checked against step_group_held over
// the same rows, which collects each group's rows and runs the expression over them: the values,
// their types and the first failure must be the same, whichever way the rows come.
#include "query_steps.h"
#include "scratch_db.h"
#include "tree_reader.h"

using namespace vela;

namespace {

std::string cells_text(const result_table &t)
{
    std::string out;
    for (const auto &row : t.rows)
        for (const auto &v : row.cells) out += value_text(v) + ":" + type_name(v.type) + " ";
    return out;
}

std::string outcome_text(const statement_outcome &r)
{
    return r.ok ? cells_text(r.table) : "fails: " + r.error;
}

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
    // "group e by key" (no key: one group of all rows) over the rows of select, run over the
    // rows held.
    std::string held(const std::string &select, const std::string &e, const std::string &key)
    {
        statement_outcome src = run(select);
        EXPECT_TRUE(src.ok) << src.error;
        lang::statement_list list;
        const auto &engine = lang::sql_engine::instance();
        std::string text = "select k from g group " + e + " by k";
        engine.parse_all(text, list);
        const parse_node *group =
            list.empty() ? nullptr : engine.find_first_node(list[0], id::group);
        EXPECT_NE(group, nullptr) << text;
        if (!group) return "does not parse";
        expr_scope scope;
        scope.columns = &src.table.names;
        expr ex;
        std::string err;
        if (!compile_expr(item(group, id::expr), scope, ex, err)) return "fails: " + err;
        std::vector<size_t> keys;
        for (size_t c = 0; c < src.table.names.size(); ++c)
            if (src.table.names[c] == key) keys.push_back(c);
        if (!step_group_held(src.table, keys, ex, "v", err)) return "fails: " + err;
        return cells_text(src.table);
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
        {"k * 100 + sum(n)", "k"}, // a key outside the aggregate reads the group's first row
    };
    const std::string all = "select k, x, u, r, s, n from g";
    const std::string where = "select n, s, r, u, x, k from g where k > 0";
    const std::string joined = "select k, x, u, r, s, n from g join (select k, n from g on k == k)";
    for (const auto &c : cases) {
        std::string group = std::string(" group ") + c.e + " by " + c.key;
        // Straight from the scan of the table, from a result held (after a first clause), and
        // with a where-condition.
        std::string want = held(all, c.e, c.key);
        EXPECT_EQ(outcome_text(run(all + group)), want) << c.e << " by " << c.key;
        EXPECT_EQ(outcome_text(run(all + " first 100" + group)), want) << c.e << " by " << c.key;
        EXPECT_EQ(outcome_text(run(where + group)), held(where, c.e, c.key))
            << c.e << " by " << c.key;
        // After a join, from the joined rows as they are made.
        EXPECT_EQ(outcome_text(run(joined + group)), held(joined, c.e, c.key))
            << c.e << " by " << c.key << " after a join";
        // A selection that sums up the whole table is one group of every row.
        if (std::string(c.e).find('k') == std::string::npos) {
            for (const char *rows : {"", " where k > 0"}) {
                EXPECT_EQ(outcome_text(run(std::string("select ") + c.e + " from g" + rows)),
                          held(all, c.e, ""))
                    << c.e << rows;
            }
        }
    }
}

TEST_F(group_test, a_condition_tested_as_the_rows_are_read_keeps_what_one_over_rows_held_keeps)
{
    // "&& last 1000" keeps every row, but makes the condition one that needs the rows held.
    // Over rows held the condition fails before a computed column (s + 1) does, and on every
    // row, also past the first k kept.
    for (const char *cond :
         {"x > 0", "k == 20 && n > 0", "s in (\"a\", \"z\")", "r == 0", "x > n / (k - 10)",
          "k == 10 || x > n / (k - 10)", "first 2 && x > 0", "n > 0 && first 3 && first 2",
          "first 0 && x > 0", "first 1 && x > n / (k - 10)"})
        for (const char *sql : {"select k, x from g where %s",
                                "select x, k, n from g where %s group "
                                "count() + sum(n) by k",
                                "select sum(n), max(s) from g where %s", "select * from g where %s",
                                "select s + 1 from g where %s"}) {
            char streamed[200], held_rows[200];
            std::snprintf(streamed, sizeof streamed, sql, cond);
            std::snprintf(held_rows, sizeof held_rows, sql,
                          (std::string(cond) + " && last 1000").c_str());
            EXPECT_EQ(outcome_text(run(streamed)), outcome_text(run(held_rows))) << streamed;
            printf("%s => %s\n", streamed, outcome_text(run(streamed)).c_str());
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
