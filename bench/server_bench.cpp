// Statements per second against velaserver over loopback through velalink: single-row
// inserts (one statement, one commit each) and "select *" of a 100,000-row table, each from
// 1 and from 8 clients at once; and "in" / "== any" over a sub-select of 20,000 values, which
// a row-by-value scan would turn into two billion comparisons. The server runs with a fresh
// data folder.
#include "server_fixture.h"

#include <benchmark/benchmark.h>
#include "velalink.h"

#include <atomic>
#include <cstdio>
#include <string>

namespace {

server_fixture *g_server = nullptr;
constexpr int k_select_rows = 100000;

bool run(const std::string &sql, uint64_t *rows = nullptr)
{
    result_set *rs = exec(sql.data(), int(sql.size()));
    if (!rs) return false;
    if (rows) *rows = rows_of(rs);
    del_datas(rs);
    return true;
}

bool prepare()
{
    if (!connect_to_server("127.0.0.1", g_server->port(), "admin", "admin")) return false;
    bool ok = run("create table bench_rows ( a i32(), b string32(), c double() )") &&
              run("create table bench_big ( a i32(), b string32(), c double() )");
    for (int batch = 0; ok && batch < k_select_rows / 1000; ++batch) {
        std::string sql = "insert into bench_big ( a, b, c ) values";
        for (int i = 0; i < 1000; ++i) {
            int n = batch * 1000 + i;
            sql += std::string(i ? "," : "") + " ( " + std::to_string(n) + ", \"row number " +
                   std::to_string(n) + "\", " + std::to_string(n) + ".5 )";
        }
        ok = run(sql);
    }
    exit_to_server();
    return ok;
}

std::atomic<int> g_next{0};

void insert_single_row(benchmark::State &state)
{
    if (!connect_to_server("127.0.0.1", g_server->port(), "admin", "admin")) {
        state.SkipWithError("login failed");
        return;
    }
    for (auto _ : state) {
        int n = g_next++;
        if (!run("insert into bench_rows ( a, b, c ) values ( " + std::to_string(n) +
                 ", \"row number " + std::to_string(n) + "\", " + std::to_string(n) + ".5 )")) {
            state.SkipWithError("insert failed");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations());
    exit_to_server();
}

void select_100k_rows(benchmark::State &state)
{
    if (!connect_to_server("127.0.0.1", g_server->port(), "admin", "admin")) {
        state.SkipWithError("login failed");
        return;
    }
    for (auto _ : state) {
        uint64_t rows = 0;
        if (!run("select * from bench_big", &rows) || rows != uint64_t(k_select_rows)) {
            state.SkipWithError("select failed");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations());
    exit_to_server();
}

// Every row of the 100,000 is tested against the 20,000 values of the sub-select.
void in_over_20000_values(benchmark::State &state)
{
    if (!connect_to_server("127.0.0.1", g_server->port(), "admin", "admin")) {
        state.SkipWithError("login failed");
        return;
    }
    const std::string sql = state.range(0) == 0
                                ? "select a from bench_big where a in (select a from bench_big "
                                  "where a < 20000)"
                                : "select a from bench_big where a == any (select a from "
                                  "bench_big where a < 20000)";
    for (auto _ : state) {
        uint64_t rows = 0;
        if (!run(sql, &rows) || rows != 20000) {
            state.SkipWithError("select failed");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations());
    exit_to_server();
}

BENCHMARK(in_over_20000_values)->Arg(0)->Arg(1)->ArgName("any")->UseRealTime()->MinTime(2.0);
BENCHMARK(insert_single_row)->Threads(1)->Threads(8)->UseRealTime()->MinTime(3.0);
BENCHMARK(select_100k_rows)->Threads(1)->Threads(8)->UseRealTime()->MinTime(3.0);

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    server_fixture server;
    if (!server.running()) {
        std::fprintf(stderr, "bench_server: velaserver did not start\n%s\n", server.log().c_str());
        return 1;
    }
    g_server = &server;
    if (!prepare()) {
        std::fprintf(stderr, "bench_server: preparing the tables failed\n");
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_server = nullptr;
    return 0;
}
