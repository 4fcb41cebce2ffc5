// How fast the dialect engine splits and checks scripts, and how that compares with SQLite
// preparing the equivalent statements.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <map>

#include "lang/incremental_parse.h"
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

// Bytes of tree per byte of script: the nodes, their child arrays and the arena's slack.
size_t tree_bytes(const lang::parse_node *n)
{
    size_t b = sizeof(lang::parse_node) + n->child_count() * sizeof(void *);
    for (const lang::parse_node *c : *n) b += tree_bytes(c);
    return b;
}

void BM_parse_tree_memory(benchmark::State &state)
{
    const std::string &text = scripts(static_cast<size_t>(state.range(0))).mixed;
    const lang::grammar &g = lang::sql_engine::instance().sql_grammar();
    size_t bytes = 0;
    for (auto _ : state) {
        lang::statement_list list;
        lang::parse_all(g, text.data(), text.size(), list);
        bytes = 0;
        for (const lang::parse_node *st : list) bytes += tree_bytes(st);
    }
    state.counters["tree_bytes_per_byte"] = static_cast<double>(bytes) / text.size();
}

// One byte typed into the mixed script (at the start, the middle or the end) and taken out
// again: the re-parse alone (two edits per iteration).
void run_keystroke(benchmark::State &state, int where)
{
    std::string text = scripts(static_cast<size_t>(state.range(0))).mixed;
    lang::incremental_parse inc(lang::sql_engine::instance().sql_grammar());
    inc.reset(text);
    const size_t at = where == 0 ? 0 : where == 1 ? text.size() / 2 : text.size();
    uint64_t reparsed = 0;
    for (auto _ : state) {
        state.PauseTiming(); // moving the text's bytes is the buffer's cost, not the parse's
        text.insert(at, 1, 'x');
        state.ResumeTiming();
        inc.apply(text, at, 0, 1);
        reparsed += inc.reparsed_bytes();
        state.PauseTiming();
        text.erase(at, 1);
        state.ResumeTiming();
        inc.apply(text, at, 1, 0);
        reparsed += inc.reparsed_bytes();
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * 2));
    state.counters["reparsed_per_edit"] =
        static_cast<double>(reparsed) / static_cast<double>(state.iterations() * 2);
}

void BM_reparse_key_at_start(benchmark::State &state)
{
    run_keystroke(state, 0);
}
void BM_reparse_key_in_middle(benchmark::State &state)
{
    run_keystroke(state, 1);
}
void BM_reparse_key_at_end(benchmark::State &state)
{
    run_keystroke(state, 2);
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
BENCHMARK(BM_parse_tree_memory)->Arg(128 << 10)->Iterations(1);
BENCHMARK(BM_reparse_key_at_start)->Arg(1 << 20)->Arg(4 << 20)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_reparse_key_in_middle)->Arg(1 << 20)->Arg(4 << 20)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_reparse_key_at_end)->Arg(1 << 20)->Arg(4 << 20)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_parse_comparable)->Arg(128 << 10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_sqlite_prepare_comparable)->Arg(128 << 10)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
