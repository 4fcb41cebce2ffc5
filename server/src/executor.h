#pragma once
// Runs statement texts of the dialect against the storage. One executor per server; the
// caller serialises calls (statements never interleave).
#include "result_table.h"
#include "storage.h"

#include <chrono>
#include <string>

namespace vela {

struct statement_outcome {
    bool ok = false;
    bool has_table = false; // false: the reply carries an empty payload
    result_table table;
    std::string error; // the reason when !ok
};

class executor {
public:
    explicit executor(storage &st) : st_(st) {}
    // Parses the whole text (one or more statements) and runs it in one transaction:
    // everything is written or, on the first failure, nothing.
    // A request running longer than timeout (zero: no limit) fails and is rolled back; its
    // regular expressions may take regex_time of matching in all (zero: no limit).
    void set_limits(std::chrono::milliseconds timeout, std::chrono::milliseconds regex_time)
    {
        timeout_ = timeout;
        regex_time_ = regex_time;
    }
    statement_outcome run(const std::string &text);

private:
    statement_outcome run_parsed(const std::string &text);
    storage &st_;
    std::chrono::milliseconds timeout_{0}, regex_time_{0};
};

} // namespace vela
