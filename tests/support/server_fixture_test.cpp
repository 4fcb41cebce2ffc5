// The fixture itself: a server that ends badly must fail the test that ran it.
#include "server_fixture.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <csignal>

namespace {

server_fixture *crashed = nullptr;

TEST(server_fixture, a_server_that_crashed_fails_the_test)
{
    server_fixture server;
    ASSERT_TRUE(server.running());
    ::kill(server.pid(), SIGSEGV);
    crashed = &server;
    EXPECT_NONFATAL_FAILURE(crashed->stop(), "velaserver ended badly (signal 11)");
}

TEST(server_fixture, a_clean_stop_passes)
{
    server_fixture server;
    ASSERT_TRUE(server.running());
    server.stop();
    EXPECT_FALSE(server.running());
}

} // namespace
