// Generated scripts for the parse benchmark: a realistic mix in the dialect, and pairs of
// dialect and SQLite statements that say the same thing.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

struct bench_scripts {
    std::string mixed;               // every kind of statement, comments, escapes
    std::string comparable;          // only statements SQLite has an equivalent for
    std::vector<std::string> sqlite; // the SQLite equivalents of comparable, one each
};

// Scripts of at least target bytes, the same for the same target.
bench_scripts make_bench_scripts(size_t target);

// Tables the SQLite statements refer to.
extern const char *const sqlite_schema;
