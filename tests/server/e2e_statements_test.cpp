// The statements of the dialect end to end, results checked cell by cell with their types.
#include "server_fixture.h"
#include "vela_session.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

using rows_t = std::vector<std::vector<std::string>>;

class statements : public ::testing::Test {
protected:
    static void SetUpTestSuite() { srv_ = new server_fixture; }
    static void TearDownTestSuite()
    {
        delete srv_;
        srv_ = nullptr;
    }
    void SetUp() override
    {
        ASSERT_TRUE(srv_->running());
        ASSERT_TRUE(login(srv_->port()));
        query_table t;
        ASSERT_TRUE(query("show tables", t));
        for (const auto &name : t.column(0)) {
            std::string quoted = "[";
            char hex[8];
            for (unsigned char ch : name) {
                std::snprintf(hex, sizeof hex, "\\x%02x", ch);
                quoted += hex;
            }
            ASSERT_TRUE(run("drop table " + quoted + "]")) << name;
        }
    }
    void TearDown() override { logout(); }

    static rows_t rows(const std::string &sql)
    {
        query_table t;
        EXPECT_TRUE(query(sql, t)) << sql;
        return t.cells;
    }
    static std::vector<std::string> types(const std::string &sql)
    {
        query_table t;
        EXPECT_TRUE(query(sql, t)) << sql;
        return t.types;
    }
    static server_fixture *srv_;
};
server_fixture *statements::srv_ = nullptr;

TEST_F(statements, catalogue_commands_describe_tables_and_fields)
{
    ASSERT_TRUE(run("create table t ( id u32( true ), name string16( false ) );"));
    ASSERT_TRUE(run("create table [my table] ( x i08() )"));
    EXPECT_FALSE(run("create table t ( a i32() )")) << "a table name is unique";
    EXPECT_FALSE(run("create table u ( a i32(), a u08() )")) << "field names are unique";
    EXPECT_FALSE(run("create table u ( __id i32() )")) << "__id is reserved";
    EXPECT_EQ(rows("show tables;"), (rows_t{{"t"}, {"my table"}}));
    query_table f;
    ASSERT_TRUE(query("fields_of t;", f));
    EXPECT_EQ(f.names, (std::vector<std::string>{"name", "type", "repeat"}));
    EXPECT_EQ(f.cells, (rows_t{{"id", "u32", "Yes"}, {"name", "string16", "No"}}));
    EXPECT_EQ(rows("cols_of t"), (rows_t{{"2"}}));
    EXPECT_EQ(types("rows_of t"), (std::vector<std::string>{"u64"}));
    EXPECT_FALSE(run("fields_of missing"));

    ASSERT_TRUE(run("alter table t add age u08 ( true );"));
    ASSERT_TRUE(run("alter table t rename name full_name;"));
    ASSERT_TRUE(run("alter table t drop id;"));
    EXPECT_EQ(rows("fields_of t"),
              (rows_t{{"full_name", "string16", "No"}, {"age", "u08", "Yes"}}));
    ASSERT_TRUE(run("drop table [my table];"));
    EXPECT_EQ(rows("show tables"), (rows_t{{"t"}}));
}

TEST_F(statements, every_column_type_round_trips_with_its_type)
{
    ASSERT_TRUE(
        run("create table a ( u1 u08(), i1 i08(), u2 u16(), i2 i16(), u4 u32(), i4 i32(), u8 "
            "u64(), i8 i64(), "
            "f float(), d double(), s4 string04(), s8 string08(), s16 string16(), s32 string32(), "
            "s64 string64(), s128 string128(), s256 string256(), dt date(), tm time(), ts "
            "datetime() )"));
    ASSERT_TRUE(
        run("insert into a ( u1, i1, u2, i2, u4, i4, u8, i8, f, d, s4, s8, s16, s32, s64, s128, "
            "s256, dt, tm, ts ) "
            "values ( 255, -128, 65535, -32768, 4294967295, -2147483648, 18446744073709551615, "
            "-9223372036854775808, 1.5f, 0.1, \"abc\", \"\\u00e9t\\u00e9\", \"tab\\there\", "
            "@\"(raw\"str)\", "
            "\"a\" \"b\", \"x\", \"\", \"2024-02-29\", \"23:59:59.123456789\", "
            "\"2019-04-23T10:11:12.5\" )"));
    query_table t;
    ASSERT_TRUE(query("select * from a", t));
    EXPECT_EQ(t.types, (std::vector<std::string>{"u08",       "i08",      "u16",      "i16",
                                                 "u32",       "i32",      "u64",      "i64",
                                                 "float",     "double",   "string04", "string08",
                                                 "string16",  "string32", "string64", "string128",
                                                 "string256", "date",     "time",     "datetime"}));
    ASSERT_EQ(t.rows(), 1u);
    EXPECT_EQ(t.cells[0], (std::vector<std::string>{"255",
                                                    "-128",
                                                    "65535",
                                                    "-32768",
                                                    "4294967295",
                                                    "-2147483648",
                                                    "18446744073709551615",
                                                    "-9223372036854775808",
                                                    "1.5",
                                                    "0.10000000000000001",
                                                    "abc",
                                                    "\xc3\xa9t\xc3\xa9",
                                                    "tab\there",
                                                    "raw\"str",
                                                    "ab",
                                                    "x",
                                                    "",
                                                    "2024-02-29",
                                                    "23:59:59.123456789",
                                                    "2019-04-23 10:11:12.500000000"}));
}

TEST_F(statements, values_that_do_not_fit_fail_and_write_nothing)
{
    ASSERT_TRUE(run("create table t ( a u08(), s string08(), d date(), f float() )"));
    ASSERT_TRUE(run("insert into t ( a ) values ( 1 )"));
    const char *bad[] = {
        "insert into t ( a ) values ( 2 ), ( 256 )", // the second list is out of range
        "insert into t ( a ) values ( -1 )",
        "insert into t ( a ) values ( 2.5 )",
        "insert into t ( s ) values ( \"12345678\" )", // string08 holds 7 bytes
        "insert into t ( d ) values ( \"2023-02-29\" )",
        "insert into t ( d ) values ( \"yesterday\" )",
        "insert into t ( f ) values ( 1e300 )",
        "insert into t ( a, a ) values ( 1, 2 )",
        "insert into t ( a, s ) values ( 1 )",
        "insert into t ( nope ) values ( 1 )",
        "update t set a = 300",
        "update t set a -= 2",
    };
    for (const char *sql : bad) EXPECT_FALSE(run(sql)) << sql;
    EXPECT_EQ(rows("select a, s from t"), (rows_t{{"1", ""}}));
    EXPECT_TRUE(run("insert into t ( s ) values ( \"1234567\" )"));
    EXPECT_TRUE(run("insert into t ( a ) values ( 0x0f ), ( 0b0101 ), ( 7u1 )"));
    EXPECT_EQ(rows("select a from t"), (rows_t{{"1"}, {"0"}, {"15"}, {"5"}, {"7"}}));
}

TEST_F(statements, repeat_false_refuses_duplicates_and_auto_increment_counts_up)
{
    ASSERT_TRUE(run("create table t ( id u32( false, true ), name string16( false ) )"));
    ASSERT_TRUE(run("insert into t ( name ) values ( \"a\" ), ( \"b\" )"));
    EXPECT_FALSE(run("insert into t ( name ) values ( \"a\" )"));
    EXPECT_FALSE(run("insert into t ( id, name ) values ( 1, \"c\" )"));
    EXPECT_EQ(rows("select id, name from t"), (rows_t{{"1", "a"}, {"2", "b"}}));
    EXPECT_FALSE(run("create table u ( s string16( true, true ) )")) << "only integers count up";
}

TEST_F(statements, atom_exec_is_all_or_nothing)
{
    ASSERT_TRUE(run("create table t ( id i32(), name string08() )"));
    ASSERT_TRUE(run("insert into t ( id, name ) values ( 1, \"one\" ), ( 2, \"two\" )"));
    EXPECT_FALSE(run("atom_exec insert into t ( id, name ) values ( 3, \"three\" ); update t set "
                     "name = \"x\" where id == 1; "
                     "update t set name = \"far too long\" where id == 2; commit;"));
    EXPECT_EQ(rows("select id, name from t"), (rows_t{{"1", "one"}, {"2", "two"}}));
    // The text the table model generates for Apply: inserts, updates and deletes by __id.
    query_table t;
    ASSERT_TRUE(query("select id, name from t where first 1000;", t));
    std::string first_id = std::to_string(t.sids[0]), second_id = std::to_string(t.sids[1]);
    ASSERT_TRUE(run("atom_exec  insert into t ( id, name ) values ( 0, \"abc\" ); update t set "
                    "name = \"x\" where __id == " +
                    first_id + ";delete from t where __id == " + second_id + "; commit;"));
    EXPECT_EQ(rows("select id, name from t"), (rows_t{{"1", "x"}, {"0", "abc"}}));
    // Immediate mode: one update without a trailing ";".
    ASSERT_TRUE(run("update t set name = \"y\" where __id == " + first_id));
    EXPECT_EQ(rows("select name from t where __id == " + first_id), (rows_t{{"y"}}));
    EXPECT_EQ(rows("select name from t where __id == 999999"), rows_t{});
}

TEST_F(statements, where_positions_apply_after_value_conditions)
{
    ASSERT_TRUE(run("create table t ( a i32(), b string08() )"));
    ASSERT_TRUE(run("insert into t ( a, b ) values ( 1, \"p\" ), ( 7, \"q\" ), ( 3, \"r\" ), ( 9, "
                    "\"s\" ), ( 6, \"t\" ), ( 8, \"u\" )"));
    EXPECT_EQ(rows("select a from t where first 2 && a > 5"), (rows_t{{"7"}, {"9"}}));
    EXPECT_EQ(rows("select a from t where a > 5 && first 2"), (rows_t{{"7"}, {"9"}}));
    EXPECT_EQ(rows("select a from t where first 2 && last 1"), (rows_t{{"7"}}));
    EXPECT_EQ(rows("select a from t where last 2"), (rows_t{{"6"}, {"8"}}));
    EXPECT_EQ(rows("select a from t where first"), (rows_t{{"1"}}));
    EXPECT_EQ(rows("select a from t where nth 3"), (rows_t{{"3"}}));
    EXPECT_EQ(rows("select a from t where nth 0"), rows_t{});
    EXPECT_EQ(rows("select a from t where range 2 4"), (rows_t{{"7"}, {"3"}, {"9"}}));
    EXPECT_EQ(rows("select a from t where range 5 99"), (rows_t{{"6"}, {"8"}}));
    EXPECT_EQ(rows("select a from t where a min 2"), (rows_t{{"1"}, {"3"}}));
    EXPECT_EQ(rows("select a from t where a max"), (rows_t{{"9"}}));
    EXPECT_EQ(rows("select a from t where a < 5 || a max 1"), (rows_t{{"1"}, {"3"}, {"9"}}));
    EXPECT_EQ(rows("select a from t where (a > 5 && first 1) || b == \"u\""),
              (rows_t{{"7"}, {"8"}}));
    EXPECT_EQ(rows("select a from t where 3 <= a < 8"), (rows_t{{"7"}, {"3"}, {"6"}}));
    EXPECT_EQ(rows("select a from t where 8 > a > 3"), (rows_t{{"7"}, {"6"}}));
    EXPECT_EQ(rows("select a from t where a in (1, 9, 42)"), (rows_t{{"1"}, {"9"}}));
    EXPECT_EQ(rows("select a from t where a not in (1, 9)"), (rows_t{{"7"}, {"3"}, {"6"}, {"8"}}));
    EXPECT_EQ(rows("select a from t where a > all (5, 7)"), (rows_t{{"9"}, {"8"}}));
    EXPECT_EQ(rows("select a from t where a < any (2, 4)"), (rows_t{{"1"}, {"3"}}));
    EXPECT_EQ(rows("select a from t where a in (select a from t where a > 7)"),
              (rows_t{{"9"}, {"8"}}));
    EXPECT_EQ(rows("select a from t where b != \"q\" && a != 1 && a <= 6"), (rows_t{{"3"}, {"6"}}));
    EXPECT_FALSE(run("select a from t where b > 5")) << "a text is not compared with a number";
    // delete and update with positional conditions use the same row sets
    ASSERT_TRUE(run("delete from t where a > 2 && first 2"));
    EXPECT_EQ(rows("select a from t"), (rows_t{{"1"}, {"9"}, {"6"}, {"8"}}));
    ASSERT_TRUE(run("update t set a *= 10, b = \"z\" where last 1"));
    EXPECT_EQ(rows("select a, b from t where last 1"), (rows_t{{"80", "z"}}));
}

TEST_F(statements, expressions_functions_and_result_types)
{
    query_table t;
    ASSERT_TRUE(query("select 1 + 2 * 3, (1 + 2) * 3, 7 / 2, 7 % 3, -7 / 2.0, 1 << 4, 0xff & "
                      "~0x0f, 5 ^ 1, 2 | 4, "
                      "3 > 2, 2 == 3, !0, 1 && 0, 0 || 2",
                      t));
    EXPECT_EQ(t.cells[0], (std::vector<std::string>{"7", "9", "3", "1", "-3.5", "16", "240", "4",
                                                    "6", "1", "0", "1", "0", "1"}));
    EXPECT_EQ(t.types[0], "i64");
    EXPECT_EQ(t.types[4], "double");
    EXPECT_EQ(t.types[9], "u08");
    ASSERT_TRUE(
        query("select concat(\"a\", 1, 2.5), length(\"h\\u00e9\"), substr(\"hello\", 1, 3), "
              "ucase(\"abc\"), "
              "trim(\"  x \"), replace(\"aXbX\", \"X\", \"-\"), find_first(\"abcabc\", \"c\"), "
              "find_last(\"abcabc\", \"c\"), starts(\"abc\", \"ab\"), reg_match(\"a1\", "
              "\"^[a-z][0-9]$\"), "
              "x2str08(12), x2i16(\"-5\"), x2u08(3.9), raw2hex(\"AB\"), hex2raw(\"4142\") as h",
              t));
    EXPECT_EQ(t.cells[0], (std::vector<std::string>{"a12.5", "3", "ell", "ABC", "x", "a-b-", "2",
                                                    "5", "1", "1", "12", "-5", "3", "4142", "AB"}));
    EXPECT_EQ(t.types[10], "string08");
    EXPECT_EQ(t.types[11], "i16");
    EXPECT_EQ(t.names.back(), "h");
    ASSERT_TRUE(
        query("select add_day(\"2024-02-28\", 2), day_diff(\"2024-03-01\", \"2024-02-01\"), "
              "weekday(\"2024-01-01\"), weekday_name(\"2024-01-07\"), is_leap(1900), "
              "last_day(\"2023-02-10\"), "
              "year_of(\"2019-04-23 10:11:12\"), second_of(\"10:11:12\"), "
              "add_nanosec(x2time(\"23:59:59\"), 2000000000), abs(-3), round(2.5), pow(2, 10), "
              "sqrt(16.0)",
              t));
    EXPECT_EQ(t.cells[0],
              (std::vector<std::string>{"2024-03-01", "29", "1", "Sunday", "0", "2023-02-28",
                                        "2019", "12", "00:00:01", "3", "3", "1024", "4"}));
    EXPECT_EQ(t.types[0], "date");
    EXPECT_FALSE(run("select 1 / 0"));
    EXPECT_FALSE(run("select 9223372036854775807 + 1"));
    EXPECT_FALSE(run("select no_such_field"));
}

TEST_F(statements, aggregates_and_post_processing)
{
    ASSERT_TRUE(run("create table t ( k string08(), v i32(), w double() )"));
    ASSERT_TRUE(run("insert into t ( k, v, w ) values ( \"b\", 3, 1.5 ), ( \"a\", 1, 2.5 ), ( "
                    "\"c\", 2, 0.5 ), ( \"a\", 4, 1.0 )"));
    query_table t;
    ASSERT_TRUE(query(
        "select count(), count(v), sum(v), avg(v), min(k), max(w), sum(w) from t where v > 1", t));
    EXPECT_EQ(t.cells, (rows_t{{"3", "3", "9", "3", "a", "1.5", "3"}}));
    EXPECT_EQ(t.types, (std::vector<std::string>{"u64", "u64", "i64", "double", "string08",
                                                 "double", "double"}));
    EXPECT_FALSE(run("select k, sum(v) from t")) << "mixing rows and sums needs group";
    EXPECT_EQ(rows("select k, v from t order by k, v asc"),
              (rows_t{{"a", "1"}, {"a", "4"}, {"b", "3"}, {"c", "2"}}));
    EXPECT_EQ(rows("select k, v from t order by v desc first 2"), (rows_t{{"a", "4"}, {"b", "3"}}));
    EXPECT_EQ(rows("select * from t project except w, k range 2 3"), (rows_t{{"1"}, {"2"}}));
    EXPECT_EQ(rows("select * from t project w, k last"), (rows_t{{"1", "a"}}));
    ASSERT_TRUE(query("select k, v + 1 as n from t nth 2 rename n m", t));
    EXPECT_EQ(t.names, (std::vector<std::string>{"k", "m"}));
    EXPECT_EQ(t.cells, (rows_t{{"a", "2"}}));
    EXPECT_EQ(rows("select k from t order by k rand").size(), 4u);
    EXPECT_FALSE(run("select k from t order by nope asc"));
    ASSERT_TRUE(run("select k, v into t2 from t where v >= 3"));
    EXPECT_EQ(rows("fields_of t2"), (rows_t{{"k", "string08", "Yes"}, {"v", "i32", "Yes"}}));
    EXPECT_EQ(rows("select * from t2"), (rows_t{{"b", "3"}, {"a", "4"}}));
    ASSERT_TRUE(run("insert into t2 ( k, v ) select k, v * 10 from t where v == 1"));
    EXPECT_EQ(rows("select v from t2"), (rows_t{{"3"}, {"4"}, {"10"}}));
}

TEST_F(statements, alter_modify_converts_values_or_fails_whole)
{
    ASSERT_TRUE(run("create table t ( a i32(), s string16() )"));
    ASSERT_TRUE(run("insert into t ( a, s ) values ( 5, \"12\" ), ( 300, \"x\" )"));
    EXPECT_FALSE(run("alter table t modify a u08 ( true );")) << "300 does not fit u08";
    EXPECT_EQ(rows("fields_of t"), (rows_t{{"a", "i32", "Yes"}, {"s", "string16", "Yes"}}));
    EXPECT_FALSE(run("alter table t modify s i32 ( true )")) << "\"x\" is not a number";
    ASSERT_TRUE(run("alter table t modify a string08 ( true );"));
    EXPECT_EQ(rows("select a from t"), (rows_t{{"5"}, {"300"}}));
    EXPECT_EQ(types("select a from t"), (std::vector<std::string>{"string08"}));
    ASSERT_TRUE(run("alter table t modify a double ( false )"));
    EXPECT_EQ(rows("select a from t"), (rows_t{{"5"}, {"300"}}));
    EXPECT_FALSE(run("insert into t ( a ) values ( 5.0 )")) << "repeat false now";
}

TEST_F(statements, names_literals_and_comments_are_read_as_the_dialect_writes_them)
{
    ASSERT_TRUE(run("create table [odd \\x5b name] ( [first field] i32(), [1st] string16() ) // "
                    "trailing comment"));
    EXPECT_EQ(rows("show tables"), (rows_t{{"odd [ name"}}));
    ASSERT_TRUE(
        run("insert into [odd \\x5b name] ( [first field], [1st] ) /* block /* nested */ */ values "
            "( 1, \"a\\\"b\" ) ( 2, 'c' ), ( 3, \"\\x41\\U0001F600\" )"));
    EXPECT_EQ(rows("select [1st] from [odd \\x5b name]"),
              (rows_t{{"a\"b"}, {"c"}, {"A\xf0\x9f\x98\x80"}}));
    EXPECT_EQ(
        rows("# a line comment\nselect [first field] from [odd \\x5b name] where [1st] == 'c'"),
        (rows_t{{"2"}}));
    EXPECT_FALSE(run("select 1\r\n")) << "a carriage return is not white space";
    EXPECT_FALSE(run("create table [] ( a i32() )")) << "an empty name";
}

TEST_F(statements, several_statements_in_one_request_are_one_transaction)
{
    ASSERT_TRUE(run("create table t ( a i32() ); insert into t ( a ) values ( 1 )"));
    query_table t;
    ASSERT_TRUE(query("insert into t ( a ) values ( 2 ); select a from t", t))
        << "the last result is the reply";
    EXPECT_EQ(t.cells, (rows_t{{"1"}, {"2"}}));
    EXPECT_FALSE(
        run("insert into t ( a ) values ( 3 ); insert into t ( a ) values ( 99999999999 )"));
    EXPECT_FALSE(run("drop table t; select nope"));
    EXPECT_EQ(rows("select a from t"), (rows_t{{"1"}, {"2"}}));
    EXPECT_FALSE(run("select a from t;;")) << "an empty statement does not parse";
}

TEST_F(statements, update_applies_every_assignment_operator_to_the_old_row)
{
    ASSERT_TRUE(run("create table t ( a i64(), b i64(), s string16(), r double() )"));
    ASSERT_TRUE(run("insert into t ( a, b, s, r ) values ( 12, 5, \"x\", 1.5 )"));
    const std::pair<const char *, const char *> cases[] = {
        {"a += 3", "15"},  {"a -= 3", "9"},  {"a *= 3", "36"},    {"a /= 5", "2"},
        {"a %= 5", "2"},   {"a &= 6", "4"},  {"a |= 3", "15"},    {"a ^= 5", "9"},
        {"a <<= 2", "48"}, {"a >>= 2", "3"}, {"a = b * 2", "10"}, {"a = a + b", "17"}};
    for (const auto &c : cases) {
        ASSERT_TRUE(run("update t set a = 12")) << c.first;
        ASSERT_TRUE(run(std::string("update t set ") + c.first)) << c.first;
        EXPECT_EQ(rows("select a from t"), (rows_t{{c.second}})) << c.first;
    }
    ASSERT_TRUE(run("update t set a = 1, b = a, s += \"y\", r *= 2"));
    EXPECT_EQ(rows("select a, b, s, r from t"), (rows_t{{"1", "17", "xy", "3"}}))
        << "b takes the old a";
    EXPECT_FALSE(run("update t set a /= 0"));
    EXPECT_FALSE(run("update t set __id = 5"));
    EXPECT_FALSE(run("update t set s -= \"y\""));
    EXPECT_EQ(rows("select a, b, s from t"), (rows_t{{"1", "17", "xy"}}));
}

TEST_F(statements, data_view_filter_pieces_work_on_every_type)
{
    ASSERT_TRUE(run(
        "create table t ( d date(), tm time(), ts datetime(), u u08(), f float(), s string08() )"));
    ASSERT_TRUE(run(
        "insert into t ( d, tm, ts, u, f, s ) values "
        "( \"2019-04-23\", \"18:00:00.000\", \"2019-04-23 10:11:12.000\", 0b1010, 1.5, \"abc\" ), "
        "( \"2020-01-01\", \"08:30:00\", \"2020-01-01T00:00:00\", 0x10, 2.25, \"xyz\" )"));
    EXPECT_EQ(rows("select s from t where first 1000 && d == \"2019-04-23\";"), (rows_t{{"abc"}}));
    EXPECT_EQ(rows("select s from t where first 1000 && tm < \"12:00:00\";"), (rows_t{{"xyz"}}));
    EXPECT_EQ(
        rows("select s from t where \"2019-01-01 00:00:00\" < ts <= \"2019-12-31 23:59:59\";"),
        (rows_t{{"abc"}}));
    EXPECT_EQ(rows("select s from t where u >= 16"), (rows_t{{"xyz"}}));
    EXPECT_EQ(rows("select s from t where f != 1.5 && s in (\"xyz\", \"q\")"), (rows_t{{"xyz"}}));
    EXPECT_EQ(rows("select s from t where first 1000 && range 2 5 order by s desc"),
              (rows_t{{"xyz"}}));
    EXPECT_EQ(rows("select s from t where d max 1 project s"), (rows_t{{"xyz"}}));
    EXPECT_FALSE(run("select s from t where d == \"2019-02-30\"")) << "not a date";
    // a date compared with a datetime is midnight of that day
    EXPECT_EQ(rows("select s from t where ts == x2date(\"2020-01-01\")"), (rows_t{{"xyz"}}));
}

TEST_F(statements, select_into_refuses_an_existing_table_and_keeps_types)
{
    ASSERT_TRUE(run("create table t ( a u16(), b datetime() )"));
    ASSERT_TRUE(run("insert into t ( a, b ) values ( 7, \"2021-05-06 07:08:09\" )"));
    ASSERT_TRUE(run("select a, b, a * 2 as c into u from t"));
    EXPECT_EQ(rows("fields_of u"),
              (rows_t{{"a", "u16", "Yes"}, {"b", "datetime", "Yes"}, {"c", "i64", "Yes"}}));
    EXPECT_FALSE(run("select a into u from t"));
    EXPECT_FALSE(run("select a, a into v from t")) << "column names repeat";
    EXPECT_EQ(rows("show tables"), (rows_t{{"t"}, {"u"}}));
    EXPECT_EQ(rows("select c from u"), (rows_t{{"14"}}));
}

// File commands reach only the server's files folder: absolute paths elsewhere are refused
// before anything is read or written, and nothing changes.
TEST_F(statements, file_commands_outside_the_files_folder_are_refused)
{
    ASSERT_TRUE(run("create table t ( a i32() )"));
    const char *refused[] = {
        "select a from t export as csv path=\"/tmp/x.csv\"",
        "save t as sql path=\"/tmp/x\"",
        "backup as sql path=\"/tmp/x\"",
        "restore from sql path=\"/tmp/x\"",
        "import t from csv path=\"/tmp/x.csv\"",
        "exec \"/tmp/x.sql\"",
    };
    for (const char *sql : refused) EXPECT_FALSE(run(sql)) << sql;
    EXPECT_EQ(rows("show tables"), (rows_t{{"t"}}));
}

} // namespace
