// How fast the dialect engine splits and checks scripts, and how that compares with SQLite
// preparing the equivalent statements.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <map>

#include "lang/sql_engine.h"
#include "parse_scripts.h"

namespace {

const bench_scripts &scripts(size_t target)
{
    static std::map<size_t, bench_scripts> cache;
    auto it = cache.find(target);
    if (it == cache.end()) it = cache.emplace(target, make_bench_scripts(target)).first;
    return it->second;
}

void run_parse_all(benchmark::State &state, const std::string &text, lang::parse_options opts)
{
    const lang::grammar &g = lang::sql_engine::instance().sql_grammar();
    size_t statements = 0;
    for (auto _ : state) {
        lang::statement_list list;
        int32_t stop = lang::parse_all(g, text.data(), text.size(), list, opts);
        if (static_cast<size_t>(stop) != text.size()) {
            state.SkipWithError("the benchmark script does not parse");
            return;
        }
        statements = list.size();
        benchmark::DoNotOptimize(list);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
    state.counters["statements"] = static_cast<double>(statements);
}

void BM_parse_mixed(benchmark::State &state)
{
    run_parse_all(state, scripts(static_cast<size_t>(state.range(0))).mixed, {});
}

void BM_parse_mixed_no_first_byte_skip(benchmark::State &state)
{
    lang::parse_options plain;
    plain.skip_by_first_byte = false;
    run_parse_all(state, scripts(static_cast<size_t>(state.range(0))).mixed, plain);
}

void BM_parse_comparable(benchmark::State &state)
{
    run_parse_all(state, scripts(static_cast<size_t>(state.range(0))).comparable, {});
}

// The same statements, each prepared and finalised by SQLite against an in-memory schema.
void BM_sqlite_prepare_comparable(benchmark::State &state)
{
    const bench_scripts &s = scripts(static_cast<size_t>(state.range(0)));
    sqlite3 *db = nullptr;
    sqlite3_open(":memory:", &db);
    sqlite3_exec(db, sqlite_schema, nullptr, nullptr, nullptr);
    size_t bytes = 0;
    for (const std::string &st : s.sqlite) bytes += st.size();
    for (auto _ : state) {
        for (const std::string &st : s.sqlite) {
            sqlite3_stmt *stmt = nullptr;
            if (sqlite3_prepare_v2(db, st.data(), static_cast<int>(st.size()), &stmt, nullptr) !=
                SQLITE_OK) {
                state.SkipWithError(sqlite3_errmsg(db));
                sqlite3_close(db);
                return;
            }
            sqlite3_finalize(stmt);
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
    state.counters["statements"] = static_cast<double>(s.sqlite.size());
    sqlite3_close(db);
}

} // namespace

BENCHMARK(BM_parse_mixed)->Arg(128 << 10)->Arg(1 << 20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_parse_mixed_no_first_byte_skip)
    ->Arg(128 << 10)
    ->Arg(1 << 20)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_parse_comparable)->Arg(128 << 10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_sqlite_prepare_comparable)->Arg(128 << 10)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
