#pragma once
// Tests of a suite share one velaserver (with the demo tables or without); each test starts
// from the initial settings, logged in as admin, and leaves the settings as it found them.
#include "db_access.h"
#include "server_fixture.h"
#include "sys_config.h"

#include <gtest/gtest.h>

template <bool demo> class server_suite : public ::testing::Test {
protected:
    static void SetUpTestSuite() { server = new server_fixture(demo); }
    static void TearDownTestSuite()
    {
        delete server;
        server = nullptr;
    }
    void SetUp() override
    {
        ASSERT_TRUE(server->running());
        saved = g_config;
        g_config = sys_config::initial();
        ASSERT_TRUE(db_access::login("127.0.0.1", server->port(), "admin", "admin"));
    }
    void TearDown() override
    {
        db_access::logout();
        g_config = saved;
    }

    static inline server_fixture *server = nullptr;
    sys_config saved;
};
