// Durability: what a reply confirmed is on disk, whatever happens to the process after.
#include "server_fixture.h"
#include "vela_session.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

TEST(server_durability, committed_rows_survive_kill9)
{
    server_fixture srv;
    ASSERT_TRUE(srv.running());
    ASSERT_TRUE(login(srv.port()));
    ASSERT_TRUE(run("create table t ( a i32(), b string16() )"));
    for (int i = 0; i < 50; ++i)
        ASSERT_TRUE(run("insert into t ( a, b ) values ( " + std::to_string(i) + ", \"row\" )"));
    ASSERT_TRUE(run("atom_exec update t set b = \"changed\" where a == 7; delete from t where a == "
                    "8; commit;"));
    // Killed at once, the session still open: the reply alone promised the rows.
    srv.kill9();
    ASSERT_TRUE(srv.restart()) << srv.log();
    ASSERT_TRUE(login(srv.port()));
    query_table t;
    ASSERT_TRUE(query("rows_of t", t));
    EXPECT_EQ(t.cells[0][0], "49");
    ASSERT_TRUE(query("select b from t where a == 7", t));
    ASSERT_EQ(t.rows(), 1u);
    EXPECT_EQ(t.cells[0][0], "changed");
    logout();
}

TEST(server_durability, sigterm_stops_cleanly_and_row_ids_are_never_reused)
{
    server_fixture srv;
    ASSERT_TRUE(srv.running());
    struct stat st;
    EXPECT_EQ(::stat((srv.data_dir() + "/vela.db").c_str(), &st), 0);
    ASSERT_TRUE(login(srv.port()));
    ASSERT_TRUE(run("create table t ( a i32() )"));
    ASSERT_TRUE(run("insert into t ( a ) values ( 1 ), ( 2 ), ( 3 )"));
    ASSERT_TRUE(run("delete from t where a >= 2"));
    logout();
    ASSERT_TRUE(srv.restart());
    EXPECT_NE(srv.log().find("stopped"), std::string::npos);
    ASSERT_TRUE(login(srv.port()));
    ASSERT_TRUE(run("truncate table t"));
    ASSERT_TRUE(run("insert into t ( a ) values ( 4 )"));
    query_table t;
    ASSERT_TRUE(query("select a from t", t));
    ASSERT_EQ(t.rows(), 1u);
    EXPECT_EQ(t.sids[0], 4u); // ids 2 and 3 were deleted, 1 truncated: none comes back
    logout();
}

TEST(server_durability, demo_data_fills_only_an_empty_database)
{
    server_fixture srv(true);
    ASSERT_TRUE(srv.running()) << srv.log();
    ASSERT_TRUE(login(srv.port()));
    query_table t;
    ASSERT_TRUE(query("show tables", t));
    EXPECT_GE(t.rows(), 3u);
    ASSERT_TRUE(query("select * from all_types where first 1", t));
    std::vector<std::string> want = {"u08",       "i08",       "u16",      "i16",      "u32",
                                     "i32",       "u64",       "i64",      "float",    "double",
                                     "string04",  "string08",  "string16", "string32", "string64",
                                     "string128", "string256", "date",     "time",     "datetime"};
    EXPECT_EQ(t.types, want);
    ASSERT_TRUE(query("select count() from people", t));
    EXPECT_GE(std::stoull(t.cells[0][0]), 1000u);
    logout();
}

} // namespace

namespace {

TEST(server_users, add_user_reads_the_password_from_standard_input_and_a_running_server_sees_it)
{
    server_fixture srv;
    ASSERT_TRUE(srv.running());
    std::string cmd = std::string(server_fixture::binary()) + " --data " + srv.data_dir() +
                      " --add-user bob 2>/dev/null";
    FILE *p = ::popen(cmd.c_str(), "w");
    ASSERT_NE(p, nullptr);
    std::fputs("s3cret\n", p);
    EXPECT_EQ(::pclose(p), 0);
    EXPECT_TRUE(login(srv.port(), "bob", "s3cret"));
    logout();
    EXPECT_FALSE(login(srv.port(), "bob", "s3cret\n"));
    ASSERT_TRUE(srv.restart());
    EXPECT_TRUE(login(srv.port(), "bob", "s3cret"));
    logout();
    EXPECT_TRUE(login(srv.port(), "admin", "admin")) << "existing users stay";
    logout();
}

} // namespace
