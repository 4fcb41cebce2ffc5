// Results that must be right whatever the values: lists searched by halving against the
// same test written out, NaN, names, and reasons that speak of the user's own tables.
#include "files_dir.h"
#include "scratch_db.h"

#include <fstream>

#include <gtest/gtest.h>

using namespace vela;

namespace {

class results_test : public scratch_db {
protected:
    // Row ids the condition picks from t, or "refused" when the statement fails.
    std::string picked(const std::string &where)
    {
        statement_outcome r = run("select f from t where " + where);
        if (!r.ok) return "refused";
        std::string out;
        for (const auto &row : r.table.rows) out += std::to_string(row.sid) + " ";
        return out;
    }
};

struct type_case {
    const char *type;
    std::vector<std::string> rows;  // literals stored in f
    std::vector<std::string> lists; // literal lists compared with f
};

// Every column type, with lists that mix the forms a value of it may be written in.
const type_case type_cases[] = {
    {"u08()", {"0", "7", "255"}, {"7, 0", "255, 3, 7", "7.0, 1", "\"7\", 0", "300, 7"}},
    {"i08()", {"-128", "-1", "5"}, {"5, -1", "-128, 127", "-1.0, 2.5"}},
    {"u16()", {"1", "65535"}, {"65535, 1", "2, 1"}},
    {"i16()", {"-300", "300"}, {"300, -300", "-300.0"}},
    {"u32()", {"4000000000", "3"}, {"3, 4000000000", "4e9, 3"}},
    {"i32()", {"-7", "0", "7"}, {"7, -7", "0, 0", "-7, 1.5, 7"}},
    {"u64()", {"18446744073709551615", "1"}, {"18446744073709551615, 1", "1, 2"}},
    {"i64()",
     {"-9223372036854775808", "9007199254740993"},
     {"9007199254740993, 0", "9007199254740992.0, -9223372036854775808"}},
    {"float()", {"0.1", "-2.5", "1e30"}, {"0.1, -2.5", "1e30, 0.1, 7", "-2.5, 2"}},
    {"double()", {"0.1", "-2.5", "1e300"}, {"0.1, 1e300", "-2.5, 3, 0.1", "0.30000000000000004"}},
    {"string04()", {"\"a\"", "\"Z\"", "\"ab\""}, {"\"ab\", \"a\"", "\"Z\", \"zz\"", "\"a\", 1"}},
    {"string64()",
     {"\"2024-01-01\"", "\"b\"", "\"2024-01-01 23:00:00\""},
     {"\"2024-01-01 23:00:00\", \"2024-01-01\"", "\"b\", \"a\""}},
    {"date()",
     {"\"2024-01-01\"", "\"2023-12-31\"", "\"2024-02-29\""},
     {"\"2024-02-29\", \"2023-12-31\"", "\"2024-01-01 00:00:00\", \"2024-02-29T00:00:00\"",
      "\"2024-01-01T00:00:00\", \"2023-12-31 10:00:00\"", "\"not a date\", \"2024-01-01\""}},
    {"time()",
     {"\"00:00:00\"", "\"23:00:00\"", "\"12:30:00.5\""},
     {"\"23:00:00\", \"00:00:00\"", "\"12:30:00.500\", \"9:00:00\"", "\"12:30:00.5\", 1"}},
    {"datetime()",
     {"\"2024-01-01 00:00:00\"", "\"2024-01-01 23:00:00\"", "\"2024-01-01T12:00:00\""},
     {"\"2024-01-01 23:00:00\", \"2024-01-01T00:00:00\"", "\"2024-01-01\", \"2024-01-01T23:00:00\"",
      "\"2024-01-01 12:00:00.0\", \"2025-01-01\""}},
};

std::string chain(const std::vector<std::string> &items, const std::string &op,
                  const std::string &join)
{
    std::string out;
    for (size_t i = 0; i < items.size(); ++i) out += (i ? join : "") + "f " + op + " " + items[i];
    return out;
}

std::vector<std::string> split_list(const std::string &list)
{
    std::vector<std::string> out;
    std::string cur;
    bool quoted = false;
    for (char c : list) {
        if (c == '"') quoted = !quoted;
        if (c == ',' && !quoted) {
            out.push_back(cur);
            cur.clear();
        } else if (c != ' ' || quoted) {
            cur += c;
        }
    }
    out.push_back(cur);
    return out;
}

TEST_F(results_test, in_and_any_find_what_the_written_out_test_finds_for_every_type)
{
    for (const auto &tc : type_cases) {
        SCOPED_TRACE(tc.type);
        ASSERT_TRUE(run(std::string("create table t ( f ") + tc.type + " )").ok);
        for (const auto &r : tc.rows)
            ASSERT_TRUE(run("insert into t ( f ) values ( " + r + " )").ok) << r;
        for (const auto &list : tc.lists) {
            SCOPED_TRACE(list);
            auto items = split_list(list);
            const std::string l = "(" + list + ")";
            EXPECT_EQ(picked("f in " + l), picked(chain(items, "==", " || ")));
            EXPECT_EQ(picked("f == any " + l), picked(chain(items, "==", " || ")));
            EXPECT_EQ(picked("f not in " + l), picked(chain(items, "!=", " && ")));
            EXPECT_EQ(picked("f != all " + l), picked(chain(items, "!=", " && ")));
            EXPECT_EQ(picked("f < any " + l), picked(chain(items, "<", " || ")));
            EXPECT_EQ(picked("f >= all " + l), picked(chain(items, ">=", " && ")));
            // The same texts out of a sub-select.
            bool texts = true;
            for (const auto &i : items) texts = texts && i[0] == '"';
            if (!texts) continue;
            ASSERT_TRUE(run("create table u ( g string256() )").ok);
            for (const auto &i : items)
                ASSERT_TRUE(run("insert into u ( g ) values ( " + i + " )").ok);
            EXPECT_EQ(picked("f in (select g from u)"), picked(chain(items, "==", " || ")));
            ASSERT_TRUE(run("drop table u").ok);
        }
        ASSERT_TRUE(run("drop table t").ok);
    }
}

TEST_F(results_test, nan_is_refused_wherever_a_value_is_stored)
{
    files_dir files;
    std::string err;
    ASSERT_TRUE(files.open(dir_, err)) << err;
    std::ofstream(dir_ + "/nan.csv") << "d,f\n4,4\nnan,5\n";
    executor ex(st_, executor_env{&files, nullptr, false});
    ASSERT_TRUE(run("create table t ( d double( false ), f float() )").ok);
    ASSERT_TRUE(run("insert into t ( d, f ) values ( 1, 1 )").ok);
    for (const char *sql :
         {"insert into t ( d, f ) values ( \"nan\", 2 )",
          "insert into t ( d, f ) values ( 3, \"NaN\" )",
          "insert into t ( d, f ) values ( x2dbl(\"nan\"), 2 )", "update t set d = \"nan\"",
          "update t set f = \"-nan\"", "select d from t recompute d = \"nan\"",
          "import t from csvs path=\"nan.csv\""}) {
        statement_outcome r = ex.run(sql);
        EXPECT_FALSE(r.ok) << sql;
        EXPECT_NE(r.error.find("NaN"), std::string::npos) << sql << ": " << r.error;
    }
    statement_outcome all = run("select d, f from t");
    ASSERT_TRUE(all.ok);
    ASSERT_EQ(all.table.rows.size(), 1u);
    EXPECT_EQ(all.table.rows[0].cells[0].d, 1.0);
}

TEST_F(results_test, names_with_nul_or_broken_utf8_are_refused_and_text_values_kept)
{
    for (const char *sql :
         {"create table [a\\x00b] ( f i32() )", "create table [a\\xffb] ( f i32() )",
          "create table t ( [f\\x00] i32() )", "create table t ( [\\xc3] i32() )"})
        EXPECT_FALSE(run(sql).ok) << sql;
    EXPECT_TRUE(run("show tables").table.rows.empty());
    ASSERT_TRUE(run("create table [\\u4e2d] ( [\\U0001F600] string16() )").ok);
    ASSERT_TRUE(
        run("insert into [\\u4e2d] ( [\\U0001F600] ) values ( \"\\u00e9\\U0001F600\" )").ok);
    statement_outcome r = run("select [\\U0001F600] from [\\u4e2d]");
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.table.rows[0].cells[0].s, "\xc3\xa9\xf0\x9f\x98\x80");
}

} // namespace

namespace {

TEST_F(results_test, the_field_limit_is_refused_in_the_words_of_the_users_tables)
{
    auto fields = [](int n) {
        std::string s;
        for (int i = 0; i < n; ++i) s += (i ? ", f" : "f") + std::to_string(i) + " u08()";
        return s;
    };
    auto internal = [](const std::string &reason) {
        return reason.find("sqlite") != std::string::npos ||
               reason.find("column") != std::string::npos ||
               reason.find(" d1") != std::string::npos;
    };
    statement_outcome r = run("create table wide ( " + fields(int(storage::max_fields) + 1) + " )");
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.error.find(std::to_string(storage::max_fields)), std::string::npos) << r.error;
    EXPECT_FALSE(internal(r.error)) << r.error;
    ASSERT_TRUE(run("create table wide ( " + fields(int(storage::max_fields)) + " )").ok);
    ASSERT_TRUE(run("insert into wide ( f0 ) values ( 1 )").ok);
    r = run("alter table wide add extra u08 ( true )");
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(internal(r.error)) << r.error;
    EXPECT_NE(r.error.find("wide"), std::string::npos) << r.error;
    EXPECT_TRUE(run("alter table wide drop f5").ok) << "a wide table stays usable";
}

} // namespace
