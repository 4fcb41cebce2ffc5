// velaserver with little memory: its address space is capped (as prlimit does) a few hundred
// MiB above what it uses idle. Statements it cannot afford fail on their own, the server
// goes on, and an idle connection holds little whatever it did before.
#include "server_fixture.h"
#include "vela_session.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>

namespace {

#if defined(__SANITIZE_ADDRESS__)
#define VELA_NO_AS_LIMIT 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VELA_NO_AS_LIMIT 1
#endif
#endif

// Virtual size and resident size of a process, in bytes.
bool sizes_of(pid_t pid, uint64_t &virt, uint64_t &rss)
{
    FILE *f = std::fopen(("/proc/" + std::to_string(pid) + "/statm").c_str(), "r");
    if (!f) return false;
    unsigned long long v = 0, r = 0;
    bool ok = std::fscanf(f, "%llu %llu", &v, &r) == 2;
    std::fclose(f);
    uint64_t page = uint64_t(::sysconf(_SC_PAGESIZE));
    virt = v * page;
    rss = r * page;
    return ok;
}

class memory_test : public ::testing::Test {
protected:
    void SetUp() override
    {
#ifdef VELA_NO_AS_LIMIT
        GTEST_SKIP() << "an address-space limit means nothing under AddressSanitizer";
#endif
        ASSERT_TRUE(srv_.running()) << srv_.log();
        ASSERT_TRUE(login(srv_.port()));
        ASSERT_TRUE(run("show tables"));
        cap(384u << 20);
    }
    // Lets the server take only this much more address space than it has now.
    void cap(uint64_t extra)
    {
        uint64_t virt = 0, rss = 0;
        ASSERT_TRUE(sizes_of(srv_.pid(), virt, rss));
        rlimit lim{virt + extra, virt + extra};
        ASSERT_EQ(::prlimit(srv_.pid(), RLIMIT_AS, &lim, nullptr), 0);
    }
    void TearDown() override
    {
        logout();
    }
    server_fixture srv_;
};

TEST_F(memory_test, a_statement_too_large_to_parse_fails_alone_and_the_server_goes_on)
{
    std::string huge = "select 1" + std::string(60u << 20, ' ');
    EXPECT_FALSE(run(huge));
    huge = std::string();
    EXPECT_NE(std::string(last_error()).find("too large"), std::string::npos) << last_error();
    ASSERT_TRUE(run("show tables")) << srv_.log();
    EXPECT_EQ(::kill(srv_.pid(), 0), 0);
}

TEST_F(memory_test, a_frame_too_large_to_hold_is_refused_and_the_session_goes_on)
{
    cap(48u << 20);
    EXPECT_FALSE(run("select 1" + std::string(60u << 20, ' ')));
    EXPECT_NE(std::string(last_error()).find("memory"), std::string::npos) << last_error();
    EXPECT_TRUE(run("show tables")) << srv_.log();
}

TEST_F(memory_test, a_result_text_too_long_is_refused_at_its_first_row)
{
    ASSERT_TRUE(run("create table t ( s string16() )"));
    std::string ins = "insert into t ( s ) values ( \"abcdefgh\" )";
    for (int i = 0; i < 1999; ++i) ins += ", ( \"abcdefgh\" )";
    for (int i = 0; i < 20; ++i) ASSERT_TRUE(run(ins));
    std::string sel = "select concat(s";
    for (int i = 0; i < 2000; ++i) sel += ", s";
    sel += ") from t";
    EXPECT_FALSE(run(sel));
    EXPECT_NE(std::string(last_error()).find("string256"), std::string::npos) << last_error();
    EXPECT_TRUE(run("rows_of t"));
}

TEST_F(memory_test, an_idle_connection_keeps_little_after_a_refused_large_statement)
{
    uint64_t virt = 0, idle = 0, after = 0;
    ASSERT_TRUE(sizes_of(srv_.pid(), virt, idle));
    EXPECT_FALSE(run("select 1 +" + std::string(50u << 20, ' ')));
    ASSERT_TRUE(run("show tables"));
    ASSERT_TRUE(sizes_of(srv_.pid(), virt, after));
    EXPECT_LT(after, idle + (16u << 20))
        << "resident before " << (idle >> 20) << " MiB, after " << (after >> 20) << " MiB";
}

} // namespace
