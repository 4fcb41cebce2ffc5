#include <gtest/gtest.h>

#include <csignal>

int main(int argc, char **argv)
{
    // A test that talks to a peer which hangs up must see EPIPE, not die of SIGPIPE.
    std::signal(SIGPIPE, SIG_IGN);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
