// Queries as pipelines: each clause over the result so far, and clauses in combination. Runs
// the executor on a storage in a temporary folder; cells are compared as their texts.
#include "executor.h"
#include "storage.h"

#include "lang/functions.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

using namespace vela;

namespace {

using rows_t = std::vector<std::vector<std::string>>;

class query_test : public ::testing::Test {
protected:
    void SetUp() override
    {
        char tmpl[] = "/tmp/vela_query_XXXXXX";
        ASSERT_NE(::mkdtemp(tmpl), nullptr);
        dir_ = tmpl;
        std::string err;
        ASSERT_TRUE(st_.open(dir_ + "/vela.db", err)) << err;
        ok("create table n ( x i32() ); insert into n ( x ) values (1), (5), (3), (4)");
        ok("create table m ( x i32() ); insert into m ( x ) values (1), (2), (1), (3)");
        ok("create table p ( id u32(), name string16(), k i16() ); insert into p ( id, name, k ) "
           "values (1, \"a\", 10), (2, \"b\", 20), (3, \"c\", 10), (4, \"d\", 30)");
        ok("create table q ( id i64(), name string08(), v double() ); insert into q ( id, name, v "
           ") values (3, \"x\", 0.5), (1, \"y\", 1.5), (3, \"z\", 2.5), (9, \"w\", 3.5)");
    }
    void TearDown() override
    {
        st_.close();
        std::filesystem::remove_all(dir_);
    }
    statement_outcome run(const std::string &sql) { return executor(st_).run(sql); }
    void ok(const std::string &sql)
    {
        statement_outcome r = run(sql);
        ASSERT_TRUE(r.ok) << sql << ": " << r.error;
    }
    rows_t rows(const std::string &sql, std::vector<std::string> *names = nullptr,
                std::vector<std::string> *types = nullptr)
    {
        statement_outcome r = run(sql);
        EXPECT_TRUE(r.ok) << sql << ": " << r.error;
        rows_t out;
        for (const auto &row : r.table.rows) {
            out.emplace_back();
            for (const auto &v : row.cells) out.back().push_back(value_text(v));
        }
        if (names) *names = r.table.names;
        if (types)
            for (col_type t : r.table.types) types->push_back(type_name(t));
        return out;
    }
    std::string error(const std::string &sql)
    {
        statement_outcome r = run(sql);
        EXPECT_FALSE(r.ok) << sql;
        return r.error;
    }

    std::string dir_;
    storage st_;
};

TEST_F(query_test, each_clause_over_the_result_so_far)
{
    struct {
        const char *sql;
        rows_t want;
    } cases[] = {
        {"select x from n inner on x > 2", {{"5"}, {"3"}, {"4"}}},
        {"select x from n adj on x > _x", {{"1"}, {"5"}, {"4"}}},
        {"select x from m all_each on x != _x", {{"1"}, {"2"}, {"3"}}},
        {"select x from m all_each on distinct", {{"1"}, {"2"}, {"3"}}},
        {"select x from n first", {{"1"}}},
        {"select x from n first 2", {{"1"}, {"5"}}},
        {"select x from n last 2", {{"3"}, {"4"}}},
        {"select x from n last 9", {{"1"}, {"5"}, {"3"}, {"4"}}},
        {"select x from n nth 3", {{"3"}}},
        {"select x from n nth 9", {}},
        {"select x from n range 2 3", {{"5"}, {"3"}}},
        {"select x from n range 3 2", {}},
        {"select x from n order by x desc first 2", {{"5"}, {"4"}}},
        {"select x from n first 2 order by x desc", {{"5"}, {"1"}}},
        {"select x from n recompute x *= 10", {{"10"}, {"50"}, {"30"}, {"40"}}},
        {"select id, k from p group count() by k", {{"10", "2"}, {"20", "1"}, {"30", "1"}}},
        {"select k, id from p group sum(id) as s by k", {{"10", "4"}, {"20", "2"}, {"30", "4"}}},
        {"select id from p exists (select x from n where x == id)", {{"1"}, {"3"}, {"4"}}},
        {"select id from p not exists (select x from n where x == id)", {{"2"}}},
        {"select name from p union (select name from q where id == 9)",
         {{"a"}, {"b"}, {"c"}, {"d"}, {"w"}}},
    };
    for (const auto &c : cases) EXPECT_EQ(rows(c.sql), c.want) << c.sql;
}

TEST_F(query_test, join_matches_by_hash_and_renames_taken_names)
{
    std::vector<std::string> names, types;
    rows_t got =
        rows("select id, name from p join (select id, name, v from q on id == id)", &names, &types);
    EXPECT_EQ(names, (std::vector<std::string>{"id", "name", "id_2", "name_2", "v"}));
    EXPECT_EQ(types, (std::vector<std::string>{"u32", "string16", "i64", "string08", "double"}));
    // Left order first, then the right rows of each left row in their own order.
    EXPECT_EQ(got, (rows_t{{"1", "a", "1", "y", "1.5"},
                           {"3", "c", "3", "x", "0.5"},
                           {"3", "c", "3", "z", "2.5"}}));
    EXPECT_EQ(rows("select id from p join (select id from q on id == id) join (select id from q "
                   "on id == id) project id_3",
                   &names),
              (rows_t{{"1"}, {"3"}, {"3"}, {"3"}, {"3"}}));
    EXPECT_NE(error("select id from p join (select id from q on nope == id)").find("nope"),
              std::string::npos);
}

TEST_F(query_test, clauses_after_a_join_apply_to_the_joined_result_in_order)
{
    // join, then group, then order, then project.
    EXPECT_EQ(rows("select id, k from p join (select id as qid, v from q on id == qid) group "
                   "sum(v) as total by k order by total desc project total"),
              (rows_t{{"4.5"}}));
    EXPECT_EQ(rows("select id, k from p join (select id as qid, v from q on id == qid) inner on "
                   "v > 1 recompute k += qid project k"),
              (rows_t{{"11"}, {"13"}}));
}

TEST_F(query_test, union_widens_without_loss_or_fails)
{
    std::vector<std::string> types;
    rows("select id from p union (select id from q)", nullptr, &types);
    EXPECT_EQ(types, (std::vector<std::string>{"i64"})) << "u32 widens into i64";
    types.clear();
    rows("select name from q union (select name from p)", nullptr, &types);
    EXPECT_EQ(types, (std::vector<std::string>{"string16"}));
    EXPECT_NE(error("select id from q union (select name from p)").find("neither widens"),
              std::string::npos);
    EXPECT_NE(error("select id, k from p union (select id from q)").find("columns"),
              std::string::npos);
    EXPECT_NE(error("select v from q union (select id from q)").find("neither widens"),
              std::string::npos)
        << "i64 does not fit a double exactly";
}

TEST_F(query_test, recompute_changes_the_result_not_the_table_and_checks_the_type)
{
    EXPECT_EQ(rows("select k from p first 1 recompute k = k * 2"), (rows_t{{"20"}}));
    EXPECT_EQ(rows("select k from p first 1"), (rows_t{{"10"}}));
    EXPECT_NE(error("select k from p recompute k = 40000").find("out of range for i16"),
              std::string::npos);
    EXPECT_NE(error("select name from p recompute name = \"a text far too long\"").find("name"),
              std::string::npos);
}

TEST_F(query_test, aggregates_over_no_rows)
{
    EXPECT_EQ(rows("select count() from n where x > 100"), (rows_t{{"0"}}));
    EXPECT_EQ(rows("select count_unique(x) from n where x > 100"), (rows_t{{"0"}}));
    for (const char *fn : {"sum", "avg", "min", "max", "var", "stddev", "product", "first"})
        EXPECT_NE(error(std::string("select ") + fn + "(x) from n where x > 100").find("no rows"),
                  std::string::npos)
            << fn;
    EXPECT_EQ(rows("select sort(x) from n where x > 100"), rows_t{});
}

TEST_F(query_test, column_operations_give_their_values_as_rows)
{
    struct {
        const char *sql;
        rows_t want;
    } cases[] = {
        {"select sort(x) from n", {{"1"}, {"3"}, {"4"}, {"5"}}},
        {"select unique(x) from m", {{"1"}, {"2"}, {"3"}}},
        {"select count_unique(x) from m", {{"3"}}},
        {"select min_k(x, 2) from n", {{"1"}, {"3"}}},
        {"select max_k(x, 2) from n", {{"5"}, {"4"}}},
        {"select first_k(x, 3) from n", {{"1"}, {"5"}, {"3"}}},
        {"select last_k(x, 2) from n", {{"3"}, {"4"}}},
        {"select range(x, 2, 3) from n", {{"5"}, {"3"}}},
        {"select first(x), last(x), nth(x, 2) from n", {{"1", "4", "5"}}},
        {"select sort(x), count() from n", {{"1", "4"}, {"3", "4"}, {"4", "4"}, {"5", "4"}}},
        {"select seq(1, 3)", {{"1"}, {"2"}, {"3"}}},
        {"select seq(10, 1, -4)", {{"10"}, {"6"}, {"2"}}},
        {"select constants(\"pi\") > 3.14", {{"1"}}},
    };
    for (const auto &c : cases) EXPECT_EQ(rows(c.sql), c.want) << c.sql;
    EXPECT_FALSE(run("select sort(x), first_k(x, 2) from n").ok) << "different row counts";
    EXPECT_FALSE(run("select sort(x) + 1 from n").ok);
    EXPECT_FALSE(run("select seq(1, 100000000)").ok);
    EXPECT_FALSE(run("select nth(x, 9) from n").ok);
}

TEST_F(query_test, every_function_of_the_catalogue_is_known_to_the_server)
{
    // Called with no arguments each fails for its arguments or runs; none is unknown.
    for (std::string_view name : lang::function_names()) {
        statement_outcome r = run("select " + std::string(name) + "() from n");
        EXPECT_EQ(r.error.find("not supported"), std::string::npos) << name << ": " << r.error;
        EXPECT_EQ(r.error.find("does not parse"), std::string::npos) << name << ": " << r.error;
    }
}

} // namespace
