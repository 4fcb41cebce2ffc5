#pragma once
// Runs statement texts of the dialect against the storage. One executor per server; the
// caller serialises calls (statements never interleave).
#include "result_table.h"
#include "storage.h"

#include "lang/parser.h"

#include <chrono>
#include <string>

namespace vela {

struct statement_outcome {
    bool ok = false;
    bool has_table = false; // false: the reply carries an empty payload
    result_table table;
    std::string error;   // the reason when !ok
    std::string encoded; // the reply payload already, when the rows went straight into it
};

class files_dir;
class user_store;

// What the statements reach beyond the database.
struct executor_env {
    const files_dir *files = nullptr; // file statements are refused without one
    user_store *users = nullptr;      // backup and restore carry the users
    // A plain select of a table is encoded into the reply as it is read (statement_outcome::
    // encoded) instead of coming back as a table.
    bool stream_replies = false;
};

class executor {
public:
    explicit executor(storage &st, executor_env env = {}) : st_(st), env_(env) {}
    // Parses the whole text (one or more statements) and runs it for user in one transaction:
    // everything is written or, on the first failure, nothing. A statement the user lacks a
    // privilege for fails before it reads or writes anything.
    // A request running longer than timeout (zero: no limit) fails and is rolled back; its
    // regular expressions may take regex_time of matching in all (zero: no limit).
    void set_limits(std::chrono::milliseconds timeout, std::chrono::milliseconds regex_time)
    {
        timeout_ = timeout;
        regex_time_ = regex_time;
    }
    statement_outcome run(const std::string &text, const std::string &user = "admin");
    // Whether the user may log in.
    bool may_connect(const std::string &user);

private:
    statement_outcome run_parsed(const std::string &text, const std::string &user);
    statement_outcome run_alone(const lang::parse_node *s, const std::string &user);

    storage &st_;
    executor_env env_;
    std::chrono::milliseconds timeout_{0}, regex_time_{0};
};

} // namespace vela
