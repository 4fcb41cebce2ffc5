#pragma once
// Runs statement texts of the dialect against the storage. One executor per server; the
// caller serialises calls (statements never interleave).
#include "result_table.h"
#include "storage.h"

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
    statement_outcome run(const std::string &text);

private:
    storage &st_;
};

} // namespace vela
