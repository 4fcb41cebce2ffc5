// The user store on its own: what a login costs, and which names and passwords it takes.
#include "sha256.h"
#include "user_store.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

using namespace vela;

namespace {

class user_store_test : public ::testing::Test {
protected:
    void SetUp() override
    {
        char tmpl[] = "/tmp/vela_users_XXXXXX";
        ASSERT_NE(::mkdtemp(tmpl), nullptr);
        dir_ = tmpl;
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    // Hash blocks one check costs.
    static uint64_t work_of(const user_store &u, const std::string &name, const std::string &pw)
    {
        uint64_t before = sha256_blocks_done();
        u.check(name, pw);
        return sha256_blocks_done() - before;
    }
    std::string dir_;
};

TEST_F(user_store_test, unknown_and_known_names_cost_the_same_work_for_every_password_length)
{
    user_store u(dir_ + "/users");
    std::string err;
    ASSERT_TRUE(u.set_user("admin", "secret", err)) << err;
    for (size_t len : {0, 1, 8, 23, 24, 40, 55, 56, 64, 120, 1024}) {
        std::string pw(len, 'p');
        uint64_t known = work_of(u, "admin", pw);
        EXPECT_GT(known, 0u);
        EXPECT_EQ(work_of(u, "nobody", pw), known) << "password of " << len << " bytes";
    }
}

TEST_F(user_store_test, a_password_over_the_limit_is_refused_before_any_hashing)
{
    user_store u(dir_ + "/users");
    std::string err;
    std::string longest(user_store::k_max_password, 'x');
    ASSERT_TRUE(u.set_user("admin", longest, err)) << err;
    EXPECT_TRUE(u.check("admin", longest));
    std::string over = longest + "x";
    EXPECT_EQ(work_of(u, "admin", over), 0u);
    EXPECT_FALSE(u.check("admin", over));
    EXPECT_FALSE(u.set_user("other", over, err));
    EXPECT_FALSE(err.empty());
}

TEST_F(user_store_test, the_new_file_is_created_private_never_reusing_what_lies_there)
{
    // A stale users.tmp, here a link to a file anyone may read, is not written through.
    std::ofstream(dir_ + "/victim").flush();
    ::chmod((dir_ + "/victim").c_str(), 0644);
    ASSERT_EQ(::symlink((dir_ + "/victim").c_str(), (dir_ + "/users.tmp").c_str()), 0);
    user_store u(dir_ + "/users");
    std::string err;
    ASSERT_TRUE(u.set_user("admin", "secret", err)) << err;
    EXPECT_EQ(std::filesystem::file_size(dir_ + "/victim"), 0u);
    struct stat st;
    ASSERT_EQ(::lstat((dir_ + "/users").c_str(), &st), 0);
    EXPECT_TRUE(S_ISREG(st.st_mode));
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    EXPECT_TRUE(u.check("admin", "secret"));
}

TEST_F(user_store_test, names_are_printable_valid_utf8)
{
    user_store u(dir_ + "/users");
    std::string err;
    EXPECT_TRUE(u.set_user("\xe7\x8e\x8b\xe4\xba\x94", "pw", err)) << err;
    for (const std::string &bad :
         {std::string("a\0b", 3), std::string("lone\xed\xa0\x80surrogate"), std::string("x\xff"),
          std::string("cut\xe7\x8e"), std::string("two words"), std::string(256, 'n')}) {
        EXPECT_FALSE(u.set_user(bad, "pw", err)) << bad;
        EXPECT_FALSE(u.has_user(bad));
    }
}

} // namespace
