#pragma once
// A storage in a fresh temporary folder for tests that run statements without a network.
#include "executor.h"
#include "storage.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

class scratch_db : public ::testing::Test {
protected:
    void SetUp() override
    {
        char tmpl[] = "/tmp/vela_scratch_XXXXXX";
        ASSERT_NE(::mkdtemp(tmpl), nullptr);
        dir_ = tmpl;
        std::string err;
        ASSERT_TRUE(st_.open(dir_ + "/vela.db", err)) << err;
    }
    void TearDown() override
    {
        st_.close();
        std::filesystem::remove_all(dir_);
    }
    vela::statement_outcome run(const std::string &sql) { return vela::executor(st_).run(sql); }

    std::string dir_;
    vela::storage st_;
};
