// File statements end to end: the command texts the client builds, CSV in both formats with
// every separator, the files folder's borders, backup and restore, exec, and privileges.
#include "server_fixture.h"
#include "vela_session.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

using rows_t = std::vector<std::vector<std::string>>;

// The client's quoting of names and paths in command texts.
std::string hex_all(const std::string &s)
{
    std::string out;
    char hex[8];
    for (unsigned char c : s) {
        std::snprintf(hex, sizeof hex, "\\x%02x", c);
        out += hex;
    }
    return out;
}
std::string quote_name(const std::string &n)
{
    if (n.find_first_of("\n[]\\") != std::string::npos) return "[" + hex_all(n) + "]";
    for (char c : n)
        if (!isalnum((unsigned char)c) && c != '_') return "[" + n + "]";
    return isdigit((unsigned char)n[0]) ? "[" + n + "]" : n;
}
std::string quote_str(const std::string &s)
{
    return "\"" + (s.find_first_of("\n\"\\") != std::string::npos ? hex_all(s) : s) + "\"";
}

rows_t rows(const std::string &sql)
{
    query_table t;
    EXPECT_TRUE(query(sql, t)) << sql;
    return t.cells;
}

std::string slurp(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

bool exists(const std::string &path)
{
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0;
}

bool add_user(const server_fixture &srv, const std::string &name, const std::string &password)
{
    std::string cmd = std::string(server_fixture::binary()) + " --data '" + srv.data_dir() +
                      "' --add-user " + name + " 2>/dev/null";
    FILE *p = ::popen(cmd.c_str(), "w");
    if (!p) return false;
    std::fputs((password + "\n").c_str(), p);
    return ::pclose(p) == 0;
}

const char *const all_types =
    "create table %s ( a u08(), b i08(), c u16(), d i16(), e u32(), f i32(), g u64(), h i64(), "
    "i float(), j double(), k string04(), l string08(), m string16(), n string32(), o string64(), "
    "p string128(), q string256(), r date(), s time(), t datetime() )";

std::string create_all(const std::string &name)
{
    char buf[512];
    std::snprintf(buf, sizeof buf, all_types, name.c_str());
    return buf;
}

class files : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(srv_.running());
        dir_ = srv_.data_dir() + "/files";
        ASSERT_TRUE(login(srv_.port()));
    }
    void TearDown() override { logout(); }
    server_fixture srv_;
    std::string dir_;
};

TEST_F(files, the_client_command_texts_run_with_hostile_names_and_paths)
{
    const std::string name = "we\"ird ]\nname", path = "a \"b\"\\c\n.txt";
    const std::string t = quote_name(name), p = quote_str(path);
    ASSERT_TRUE(run("create table " + t + " ( id u32( false ), s string32( true ) );"));
    ASSERT_TRUE(run("insert into " + t + " ( id, s ) values ( 1, \"x,\\\"y\\\"\" ), ( 2, \"\" )"));

    ASSERT_TRUE(run("select * from " + t + " export as csvs split by \";\" path=" + p + ";"));
    EXPECT_EQ(slurp(dir_ + "/" + path), "id;s\n1;\"x,\"\"y\"\"\"\n2;\n");
    EXPECT_FALSE(run("select * from " + t + " export as csvs split by \";\" path=" + p + ";"))
        << "path= does not overwrite";
    ASSERT_TRUE(run("select * from " + t + " export as csv split by \",\" path+=" + p + ";"));
    EXPECT_EQ(slurp(dir_ + "/" + path), "1,\"x,\"\"y\"\"\"\n2,\n");
    ASSERT_TRUE(run("truncate table " + t + ";"));
    ASSERT_TRUE(run("import " + t + " from csv split by \",\" path=" + p + ";"));
    EXPECT_EQ(rows("rows_of " + t), (rows_t{{"2"}}));

    ASSERT_TRUE(run("save " + t + " as sql path=" + quote_str("saved.sql") + ";"));
    ASSERT_TRUE(run("drop table " + t + ";"));
    ASSERT_TRUE(run("load ignored_table_name from sql path=" + quote_str("saved.sql") + ";"));
    EXPECT_EQ(rows("select id, s from " + t), (rows_t{{"1", "x,\"y\""}, {"2", ""}}));
    EXPECT_EQ(rows("fields_of " + t), (rows_t{{"id", "u32", "No"}, {"s", "string32", "Yes"}}));

    ASSERT_TRUE(run("backup as sql path=" + quote_str("vela_db_1.vbk") + ";"));
    ASSERT_TRUE(run("drop table " + t + ";"));
    ASSERT_TRUE(run("restore from sql path=" + quote_str("vela_db_1.vbk") + ";"));
    EXPECT_EQ(rows("rows_of " + t), (rows_t{{"2"}}));
    EXPECT_FALSE(run("backup as sql path=" + quote_str("vela_db_1.vbk") + ";"));
    EXPECT_TRUE(run("backup as sql path+=" + quote_str("vela_db_1.vbk") + ";"));
}

TEST_F(files, csv_round_trips_every_type_in_both_formats_with_every_separator)
{
    ASSERT_TRUE(run(create_all("src")));
    ASSERT_TRUE(run(
        "insert into src ( a, b, c, d, e, f, g, h, i, j, k, l, m, n, o, p, q, r, s, t ) values "
        "( 255, -128, 65535, -32768, 4294967295, -2147483648, 18446744073709551615, "
        "-9223372036854775808, 0.1, -1.5e300, \"abc\", \"a,b;c\", \"q\\\"uo\\\"te\", "
        "\"line\\nbreak\", \"tab\\there\", \"sp ace-dash:colon\", \"\xe4\xb8\xad\xe6\x96\x87\", "
        "\"2024-02-29\", \"23:59:59.123456789\", \"1999-12-31 00:00:00.5\" ), "
        "( 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, \"\", \"\", \"\", \"\", \"\", \"\", \"\", \"1970-01-01\", "
        "\"00:00:00\", \"1970-01-01 00:00:00\" )"));
    const rows_t want = rows("select * from src");
    ASSERT_EQ(want.size(), 2u);
    int n = 0;
    for (const char *sep : {",", ";", " ", "-", ":", "\t"})
        for (const char *format : {"csv", "csvs"}) {
            std::string file = "rt" + std::to_string(++n) + ".csv", dst = "dst" + std::to_string(n);
            std::string split = std::string(" split by \"") + sep + "\" ";
            ASSERT_TRUE(run("select * from src export as " + std::string(format) + split +
                            "path=\"" + file + "\""))
                << format << " [" << sep << "]";
            ASSERT_TRUE(run(create_all(dst)));
            ASSERT_TRUE(run("import " + dst + " from " + format + split + "path=\"" + file + "\""))
                << format << " [" << sep << "]\n"
                << slurp(dir_ + "/" + file);
            EXPECT_EQ(rows("select * from " + dst), want) << format << " [" << sep << "]";
        }
}

TEST_F(files, import_is_all_or_nothing_and_csvs_matches_by_name)
{
    ASSERT_TRUE(run("create table t ( a u08(), b string08() )"));
    std::ofstream(dir_ + "/good.csv") << "b,a\nx,1\n\"y\nz\",2\n";
    ASSERT_TRUE(run("import t from csvs path=\"good.csv\""));
    EXPECT_EQ(rows("select a, b from t"), (rows_t{{"1", "x"}, {"2", "y\nz"}}));
    for (const char *bad : {"a,b\n3,p\n300,q\n", "a,b\n3,p\n4\n", "a,zz\n1,2\n", "a,b\n\"1,x\n"}) {
        std::ofstream(dir_ + "/bad.csv", std::ios::trunc) << bad;
        EXPECT_FALSE(run("import t from csvs path=\"bad.csv\"")) << bad;
        EXPECT_EQ(rows("rows_of t"), (rows_t{{"2"}})) << bad;
    }
    EXPECT_FALSE(run("import missing from csv path=\"good.csv\""));
    // load from csv creates a missing table: string256 columns named by the header.
    ASSERT_TRUE(run("load fresh from csvs path=\"good.csv\""));
    EXPECT_EQ(rows("fields_of fresh"),
              (rows_t{{"b", "string256", "Yes"}, {"a", "string256", "Yes"}}));
    ASSERT_TRUE(run("load fresh from big_csvs path=\"good.csv\""));
    EXPECT_EQ(rows("rows_of fresh"), (rows_t{{"4"}}));
}

TEST_F(files, a_bad_row_anywhere_in_a_long_file_is_named_and_nothing_goes_in)
{
    // Rows are stored many to a statement; a failure still names its own line and column.
    ASSERT_TRUE(run("create table t ( a u08(), b string08(), u i32( false ) )"));
    auto file = [](int rows, int bad_line, const std::string &bad_row, int u_from = 0) {
        std::string text = "a,b,u\n";
        for (int line = 2; line < rows + 2; ++line)
            text +=
                line == bad_line ? bad_row + "\n" : "1,x," + std::to_string(u_from + line) + "\n";
        return text;
    };
    std::ofstream(dir_ + "/first.csv") << file(5, 0, "", 1000);
    ASSERT_TRUE(run("import t from csvs path=\"first.csv\""));
    const struct {
        int bad_line;
        const char *row, *reason;
    } cases[] = {
        {70, "300,x,0", "line 70, column 1 (a): 300 is out of range for u08"},
        {3, "1,eightbyte,0", "line 3, column 2 (b): text of 9 bytes does not fit string08"},
        {41, "1,x,30", "line 41: a value repeats"},   // a line of an earlier statement
        {35, "1,x,36", "line 36: a value repeats"},   // the next line of the same statement
        {99, "1,x,1003", "line 99: a value repeats"}, // a row stored before the import
        {101, "1,x,50", "line 101: a value repeats"}, // among the last rows, stored singly
    };
    for (const auto &c : cases) {
        std::ofstream(dir_ + "/bad.csv", std::ios::trunc) << file(100, c.bad_line, c.row);
        EXPECT_FALSE(run("import t from csvs path=\"bad.csv\"")) << c.row;
        EXPECT_EQ(std::string(last_error()).rfind(c.reason, 0), 0u) << last_error();
        EXPECT_EQ(rows("rows_of t"), (rows_t{{"5"}})) << c.row;
    }
    // A field the file leaves out counts up from row to row.
    ASSERT_TRUE(run("create table c ( a u08(), n u32( true, true ) )"));
    std::string counted = "a\n";
    for (int i = 0; i < 70; ++i) counted += "7\n";
    std::ofstream(dir_ + "/count.csv", std::ios::trunc) << counted;
    ASSERT_TRUE(run("import c from csvs path=\"count.csv\""));
    ASSERT_TRUE(run("import c from csvs path=\"count.csv\""));
    rows_t got = rows("select n from c");
    ASSERT_EQ(got.size(), 140u);
    for (size_t i = 0; i < got.size(); ++i) EXPECT_EQ(got[i][0], std::to_string(i + 1));
    // ... up to the end of its type.
    ASSERT_TRUE(run("create table o ( a u08(), n u08( true, true ) )"));
    for (int i = 70; i < 300; ++i) counted += "7\n";
    std::ofstream(dir_ + "/count.csv", std::ios::trunc) << counted;
    EXPECT_FALSE(run("import o from csvs path=\"count.csv\""));
    EXPECT_EQ(std::string(last_error()),
              "line 257: auto-increment of n: 256 is out of range for u08");
    EXPECT_EQ(rows("rows_of o"), (rows_t{{"0"}}));
}

TEST_F(files, a_plain_export_read_as_it_goes_writes_what_a_computed_one_does)
{
    // A select of fields goes to the file row by row as it is read; one with a clause is
    // computed whole first. Both write the same text.
    ASSERT_TRUE(run("create table t ( a i32(), s string32(), d double(), w date() )"));
    ASSERT_TRUE(run("insert into t ( a, s, d, w ) values ( -5, \"x-y\", 0.1, \"2024-02-29\" ), "
                    "( 7, \"\", -2.5e-300, \"1999-12-31\" ), ( 0, \"q\\\"\", 1e22, "
                    "\"2000-01-01\" )"));
    const std::string tail = " export as csvs split by \"-\" path+=\"";
    for (const char *cols : {"*", "s, a", "w, __id, d", "a, a"})
        for (const char *limit : {"", " where first 2"}) {
            std::string sel = std::string("select ") + cols + " from t" + limit;
            ASSERT_TRUE(run(sel + tail + "plain.csv\"")) << sel;
            ASSERT_TRUE(run(sel + " inner on 1 == 1" + tail + "computed.csv\"")) << sel;
            EXPECT_EQ(slurp(dir_ + "/plain.csv"), slurp(dir_ + "/computed.csv")) << sel;
        }
    EXPECT_EQ(slurp(dir_ + "/plain.csv"), "a-a\n\"-5\"-\"-5\"\n7-7\n");
}

TEST_F(files, paths_that_leave_the_files_folder_are_refused)
{
    ASSERT_TRUE(run("create table t ( a i32() ); insert into t ( a ) values ( 1 )"));
    std::string outside = srv_.data_dir() + "/outside";
    ASSERT_EQ(::mkdir(outside.c_str(), 0700), 0);
    std::ofstream(outside + "/secret.csv") << "7\n";
    ASSERT_EQ(::symlink(outside.c_str(), (dir_ + "/out").c_str()), 0);
    ASSERT_EQ(::symlink((outside + "/secret.csv").c_str(), (dir_ + "/link.csv").c_str()), 0);
    ASSERT_EQ(::symlink((outside + "/new.csv").c_str(), (dir_ + "/dangling.csv").c_str()), 0);
    for (const std::string &p :
         {std::string("../outside/x.csv"), std::string("sub/../../x.csv"), outside + "/x.csv",
          std::string("out/x.csv"), std::string("dangling.csv"), std::string("/etc/passwd"),
          std::string("a\\x00b.csv"), std::string("")}) {
        EXPECT_FALSE(run("select a from t export as csv path+=\"" + p + "\"")) << p;
        EXPECT_FALSE(run("import t from csv path=\"" + p + "\"")) << p;
    }
    EXPECT_FALSE(run("import t from csv path=\"link.csv\""));
    EXPECT_FALSE(run("import t from csv path=\"out/secret.csv\""));
    EXPECT_FALSE(exists(outside + "/x.csv"));
    EXPECT_FALSE(exists(outside + "/new.csv"));
    EXPECT_EQ(rows("rows_of t"), (rows_t{{"1"}}));
    // Inside is fine, relative or absolute.
    EXPECT_TRUE(run("select a from t export as csv path=\"" + dir_ + "/abs.csv\""));
    EXPECT_TRUE(run("select a from t export as csv path=\"./rel.csv\""));
    EXPECT_EQ(slurp(dir_ + "/rel.csv"), "1\n");
}

TEST_F(files, exec_runs_a_script_as_one_transaction_with_a_depth_limit)
{
    ASSERT_TRUE(run("create table t ( a i32() )"));
    std::ofstream(dir_ + "/ok.sql") << "insert into t ( a ) values ( 1 );\nselect count() from t";
    EXPECT_EQ(rows("exec \"ok.sql\""), (rows_t{{"1"}}));
    std::ofstream(dir_ + "/half.sql") << "insert into t ( a ) values ( 2 ); insert into t ( q ) "
                                         "values ( 3 )";
    EXPECT_FALSE(run("exec \"half.sql\""));
    std::ofstream(dir_ + "/loop.sql") << "insert into t ( a ) values ( 9 ); exec \"loop.sql\"";
    EXPECT_FALSE(run("exec \"loop.sql\""));
    std::ofstream(dir_ + "/deep.sql") << "exec \"ok.sql\"";
    EXPECT_TRUE(run("exec \"deep.sql\""));
    EXPECT_EQ(rows("select a from t"), (rows_t{{"1"}, {"1"}}));
    EXPECT_FALSE(run("exec \"missing.sql\""));
}

TEST_F(files, privileges_hold_across_reconnect_and_restart_and_travel_in_a_backup)
{
    ASSERT_TRUE(run("create table t ( a i32() ); insert into t ( a ) values ( 1 )"));
    ASSERT_TRUE(add_user(srv_, "bob", "pw"));
    logout();
    auto as_bob = [&](const std::string &sql) {
        if (!login(srv_.port(), "bob", "pw")) return -1;
        bool ok = run(sql);
        logout();
        return ok ? 1 : 0;
    };
    auto as_admin = [&](const std::string &sql) {
        EXPECT_TRUE(login(srv_.port()));
        bool ok = run(sql);
        logout();
        return ok;
    };
    // A new user reads every table and changes none.
    EXPECT_EQ(as_bob("select a from t"), 1);
    EXPECT_EQ(as_bob("insert into t ( a ) values ( 2 )"), 0);
    EXPECT_EQ(as_bob("grant insert on t to\"bob\""), 0) << "only admin grants";
    EXPECT_EQ(as_bob("select a from t export as csv path=\"x.csv\""), 0) << "no execute";
    EXPECT_TRUE(as_admin("grant insert on t to\"bob\""));
    EXPECT_EQ(as_bob("insert into t ( a ) values ( 2 )"), 1);
    EXPECT_TRUE(as_admin("deny select on t to\"bob\""));
    EXPECT_EQ(as_bob("select a from t"), 0);
    EXPECT_EQ(as_bob("insert into t ( a ) select a from t"), 0) << "the inner select is checked";
    EXPECT_FALSE(as_admin("deny select on t to\"admin\""));
    EXPECT_TRUE(as_admin("backup path=\"priv.vbk\""));
    EXPECT_TRUE(as_admin("grant select on t to\"bob\""));

    ASSERT_TRUE(srv_.restart());
    EXPECT_EQ(as_bob("select a from t"), 1);
    EXPECT_TRUE(as_admin("restore path=\"priv.vbk\""));
    EXPECT_EQ(as_bob("select a from t"), 0) << "the backup's privileges came back";
    EXPECT_TRUE(as_admin("deny connect on t to\"bob\""));
    EXPECT_EQ(as_bob("show tables"), -1);
    ASSERT_TRUE(srv_.restart());
    EXPECT_EQ(as_bob("show tables"), -1);
    EXPECT_TRUE(login(srv_.port()));
}

TEST_F(files, a_refusal_reaches_the_client_with_the_servers_reason)
{
    ASSERT_TRUE(run("create table t ( a i32() ); insert into t ( a ) values ( 1 ); "
                    "create table u ( s string08() ); insert into u ( s ) values ( \"x\" )"));
    ASSERT_TRUE(add_user(srv_, "bob", "pw"));
    std::ofstream(dir_ + "/bad.csv") << "7\n8\neight\n";
    const struct {
        const char *user, *sql, *reason;
    } cases[] = {
        {"bob", "insert into t ( a ) values ( 2 )",
         "user bob lacks the insert privilege on table t"},
        {"admin", "select a from t export as csv path=\"../x.csv\"",
         "the path ../x.csv leaves the files folder"},
        {"admin", "import t from csv path=\"bad.csv\"",
         "line 3, column 1 (a): \"eight\" is not an integer for i32"},
        {"admin", "select sum(a) from t where a > 100", "sum: no rows"},
        {"admin", "select a from t union (select s from u)",
         "union: column a is i32 in the first part and string08 in the second, and neither "
         "widens into the other"},
    };
    logout();
    for (const auto &c : cases) {
        ASSERT_TRUE(login(srv_.port(), c.user, std::string(c.user) == "bob" ? "pw" : "admin"));
        EXPECT_FALSE(run(c.sql)) << c.sql;
        EXPECT_EQ(std::string(last_error()), c.reason) << c.sql;
        logout();
    }
    ASSERT_TRUE(login(srv_.port()));
    EXPECT_EQ(rows("select a from t"), (rows_t{{"1"}})) << "nothing was written";
}

TEST_F(files, a_backup_taken_while_eight_clients_insert_holds_a_consistent_prefix)
{
    ASSERT_TRUE(run("create table t ( client u08(), n u32() )"));
    std::atomic<bool> stop{false};
    std::atomic<int> failures{0}, done{0};
    std::vector<std::thread> clients;
    for (int c = 0; c < 8; ++c)
        clients.emplace_back([&, c] {
            if (!login(srv_.port())) return (void)++failures;
            for (int n = 0; !stop; ++n)
                if (run("insert into t ( client, n ) values ( " + std::to_string(c) + ", " +
                        std::to_string(n) + " )"))
                    ++done;
                else
                    ++failures;
            logout();
        });
    // Back up once the inserts are under way, however slow the machine, and let more
    // follow while and after it runs.
    auto wait_for = [&](int n) {
        for (int i = 0; i < 3000 && done < n && failures == 0; ++i) ::usleep(10000);
    };
    wait_for(40);
    const bool backed_up = run("backup path=\"busy.vbk\"");
    wait_for(done + 40);
    stop = true;
    for (auto &t : clients) t.join();
    ASSERT_TRUE(backed_up);
    EXPECT_EQ(failures, 0);
    ASSERT_TRUE(run("restore path=\"busy.vbk\""));
    rows_t got = rows("select client, n from t");
    EXPECT_GT(got.size(), 0u);
    std::vector<int> next(8, 0);
    for (const auto &r : got) {
        int c = std::stoi(r[0]);
        EXPECT_EQ(std::stoi(r[1]), next[size_t(c)]) << "client " << c;
        next[size_t(c)] = std::stoi(r[1]) + 1;
    }
}

TEST_F(files, kill9_during_a_restore_leaves_one_whole_database)
{
    ASSERT_TRUE(run("create table big ( a i64(), s string64() )"));
    for (int b = 0; b < 20; ++b) {
        std::string sql = "insert into big ( a, s ) values ";
        for (int i = 0; i < 2000; ++i)
            sql += std::string(i ? ", " : "") + "( " + std::to_string(b * 2000 + i) +
                   ", \"some text to make the pages fill up\" )";
        ASSERT_TRUE(run(sql));
    }
    ASSERT_TRUE(run("backup path=\"big.vbk\""));
    ASSERT_TRUE(run("drop table big; create table marker ( a i32() )"));
    std::thread restorer([&] {
        login(srv_.port());
        run("restore path=\"big.vbk\"");
        logout();
    });
    ::usleep(20000);
    srv_.kill9();
    restorer.join();
    ASSERT_TRUE(srv_.restart());
    logout();
    ASSERT_TRUE(login(srv_.port()));
    rows_t tables = rows("show tables");
    if (tables == rows_t{{"big"}})
        EXPECT_EQ(rows("rows_of big"), (rows_t{{"40000"}}));
    else
        EXPECT_EQ(tables, (rows_t{{"marker"}}));
}

} // namespace

namespace {

// Every piece the data view's filter and post-processing menus write, on a demo table, as the
// data view sends it: the fields, the table, the row limit, then the piece.
TEST(builder_pieces, every_piece_runs_on_a_demo_table)
{
    server_fixture srv(true);
    ASSERT_TRUE(srv.running());
    ASSERT_TRUE(login(srv.port()));
    ASSERT_TRUE(run("create table tab ( id u32() ); insert into tab ( id ) values (2), (4)"));
    const std::string base = "select * from people where first 1000";
    struct {
        std::string text;
        long rows; // -1: any number
    } filters[] = {
        {"age == 30", -1},
        {"age != 30", -1},
        {"age < 30", -1},
        {"age <= 30", -1},
        {"age > 30", -1},
        {"age >= 30", -1},
        {"1 < age < 3", 0},
        {"1 < age <= 3", 0},
        {"1 <= age < 3", 0},
        {"1 <= age <= 3", 0},
        {"age min", -1},
        {"age max", -1},
        {"age min 3", -1},
        {"age max 3", -1},
        {"age in (1, 2, 3)", 0},
        {"id in (select id from tab where id min 3)", 2},
        {"first", 1},
        {"last", 1},
        {"first 3", 3},
        {"last 3", 3},
        {"nth 3", 1},
        {"range 2 5", 4},
    };
    for (const auto &f : filters) {
        query_table t;
        ASSERT_TRUE(query(base + " && " + f.text, t)) << f.text;
        if (f.rows >= 0) {
            EXPECT_EQ(long(t.rows()), f.rows) << f.text;
        }
        EXPECT_GT(t.rows() + (f.rows == 0 ? 1 : 0), 0u) << f.text;
    }
    struct {
        std::string text;
        long rows;
    } posts[] = {
        {"order by age asc", 1000},
        {"order by age desc", 1000},
        {"project age", 1000},
        {"project except age", 1000},
        {"rename age newname", 1000},
        {"recompute age += 1", 1000},
        {"group sum(age) by id, name", 1000},
        {"first", 1},
        {"last", 1},
        {"first 3", 3},
        {"last 3", 3},
        {"nth 2", 1},
        {"range 2 5", 4},
        {"inner on age== 10", 0},
        {"adj on age > _age + 10", -1},
        {"all_each on age== _age", -1}, // the rows of the first row's age
        {"rename id nid exists (select id from tab where id == nid)", 2},
        {"rename id nid not exists (select id from tab where id == nid)", 998},
        {"order by age asc project age", 1000},
    };
    for (const auto &p : posts) {
        query_table t;
        ASSERT_TRUE(query(base + " " + p.text, t)) << p.text;
        if (p.rows >= 0) {
            EXPECT_EQ(long(t.rows()), p.rows) << p.text;
        }
    }
    logout();
}

} // namespace
