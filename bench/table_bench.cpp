// The grid model over a 200,000-row, 5-column result from velaserver (VELA_BENCH_ROWS sets
// another count): load time, resident memory per cell, peak memory of a load, sorting by a
// string and an integer column, one screen of display texts and committing 10,000 edited
// cells. The same rows fetched from PostgreSQL through psql are the reference of what a
// user waits for.
#include "db_access.h"
#include "editor/run_progress_wt.h"
#include "editor/sql_script_editor.h"
#include "msg_box.h"
#include "server_fixture.h"
#include "tab_data_model.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QTabWidget>
#include <QHeaderView>
#include <QTableView>

#include <arpa/inet.h>
#include <malloc.h>
#include <sys/resource.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

int rows_total = 200000;
constexpr int cols_total = 5;
constexpr int edits = 10000;

db_access *db = nullptr;
std::string pg_dir;
int pg_port = 0;

long resident_bytes()
{
    long pages = 0, resident = 0;
    if (FILE *f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(f);
    }
    return resident * sysconf(_SC_PAGESIZE);
}

int free_port()
{
    const int s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    int port = 0;
    if (bind(s, reinterpret_cast<sockaddr *>(&a), sizeof a) == 0 &&
        getsockname(s, reinterpret_cast<sockaddr *>(&a), &len) == 0)
        port = ntohs(a.sin_port);
    close(s);
    return port;
}

bool run(const QByteArray &sql)
{
    result_set *rs = db->run_sql(sql);
    if (!rs) return false;
    db_access::release(rs);
    return true;
}

// The rows of table big: id, qty, price, name (string32), at (datetime).
bool fill_big()
{
    if (!db->make_table("big", {"id", "qty", "price", "name", "at"},
                        {"i64", "i32", "double", "string32", "datetime"},
                        {"false", "true", "true", "true", "true"}))
        return false;
    const QDateTime base(QDate(2019, 4, 23), QTime(10, 11, 12));
    const int batch = 2000;
    for (int first = 1; first <= rows_total; first += batch) {
        QByteArray sql = "insert into big ( id, qty, price, name, at ) values";
        for (int g = first; g < first + batch && g <= rows_total; ++g) {
            sql += " ( " + QByteArray::number(g) + ", " + QByteArray::number(g % 1000) + ", " +
                   QByteArray::number(g * 0.25, 'f', 2) + ", \"name-" +
                   QByteArray::number(qlonglong(g) * 7919 % 200000) + "\", \"" +
                   base.addSecs(g).toString("yyyy-MM-dd HH:mm:ss").toUtf8() + "\" )";
        }
        if (!run(sql + ";")) return false;
    }
    return true;
}

const QByteArray query = "select * from big";

void BM_load(benchmark::State &state)
{
    tab_data_model m("big", db);
    for (auto _ : state) {
        if (!m.load_rows(query, true) || m.rowCount() != rows_total) {
            state.SkipWithError("load failed");
            return;
        }
    }
    state.counters["rows"] = m.rowCount();
}
BENCHMARK(BM_load)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

// The server's and the client library's share of a load: the query, its transfer and the
// decoded result set, nothing converted.
void BM_exec_only(benchmark::State &state)
{
    for (auto _ : state) {
        QString log;
        result_set *rs = db->run_sql(query, log, true);
        if (!rs) {
            state.SkipWithError("query failed");
            return;
        }
        db_access::release(rs);
    }
}
BENCHMARK(BM_exec_only)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

// The query and its conversion to rows of variants, as other callers of the database layer
// still get it.
void BM_query_only(benchmark::State &state)
{
    for (auto _ : state) {
        QStringList names, types;
        table_rows rows;
        QString log;
        std::vector<uint64_t> ids;
        if (!db->run_sql_table(query, names, rows, types, log, true, &ids)) {
            state.SkipWithError("query failed");
            return;
        }
    }
}
BENCHMARK(BM_query_only)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

// Memory held by the model once loaded, with what the load freed given back first.
void BM_load_memory(benchmark::State &state)
{
    for (auto _ : state) {
        malloc_trim(0);
        const long before = resident_bytes();
        auto m = std::make_unique<tab_data_model>("big", db);
        m->load_rows(query, true);
        malloc_trim(0);
        const long after = resident_bytes();
        state.counters["bytes_per_cell"] =
            double(after - before) / (double(rows_total) * cols_total);
    }
}

long peak_resident_bytes()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss * 1024L;
}

// How far one load lifts the process's peak memory above what it held before, per cell.
// Run first (filtered by name) for a figure that no earlier benchmark has set higher.
void BM_load_peak(benchmark::State &state)
{
    for (auto _ : state) {
        malloc_trim(0);
        const long before = resident_bytes();
        auto m = std::make_unique<tab_data_model>("big", db);
        m->load_rows(query, true);
        state.counters["peak_bytes_per_cell"] =
            double(peak_resident_bytes() - before) / (double(rows_total) * cols_total);
        state.counters["peak_MiB"] = double(peak_resident_bytes()) / (1 << 20);
    }
}
BENCHMARK(BM_load_peak)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_load_memory)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_sort_string(benchmark::State &state)
{
    tab_data_model m("big", db);
    m.load_rows(query, true);
    bool descending = false;
    for (auto _ : state) {
        // Alternate the order so that every pass moves every row.
        m.sort(3, descending ? Qt::DescendingOrder : Qt::AscendingOrder);
        descending = !descending;
    }
}
BENCHMARK(BM_sort_string)->Unit(benchmark::kMillisecond)->Iterations(6);

void BM_sort_int(benchmark::State &state)
{
    tab_data_model m("big", db);
    m.load_rows(query, true);
    bool descending = false;
    for (auto _ : state) {
        m.sort(1, descending ? Qt::DescendingOrder : Qt::AscendingOrder);
        descending = !descending;
    }
}
BENCHMARK(BM_sort_int)->Unit(benchmark::kMillisecond)->Iterations(6);

// What painting one screen asks of the model: the display texts of 50 rows by 5 columns.
void BM_screen_texts(benchmark::State &state)
{
    tab_data_model m("big", db);
    m.load_rows(query, true);
    int first = 0;
    for (auto _ : state) {
        for (int r = first; r < first + 50; ++r)
            for (int c = 0; c < cols_total; ++c)
                benchmark::DoNotOptimize(m.data(m.index(r, c), Qt::DisplayRole));
        first = (first + 997) % (rows_total - 50);
    }
}
BENCHMARK(BM_screen_texts)->Unit(benchmark::kMicrosecond);

// A grid view over the whole result, as a result tab shows it: the view made, shown and
// painted, then scrolled to the last row and painted again.
void BM_view_open(benchmark::State &state)
{
    tab_data_model m("big", db);
    m.load_rows(query, true);
    for (auto _ : state) {
        QTableView view;
        view.resize(1000, 700);
        view.setModel(&m);
        for (int c = 0; c < m.columnCount(); ++c)
            view.setItemDelegateForColumn(c, m.column_delegate(c));
        view.show();
        view.grab();
        view.scrollToBottom();
        view.grab();
        benchmark::DoNotOptimize(view.verticalHeader()->count());
    }
}
BENCHMARK(BM_view_open)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

// What a user waits for in a script tab: the statement run and its result tab made and
// painted, then a click on the name column's header and a jump to the last row. Each step
// is one freeze of the window; the counters give the longest.
void BM_script_tab(benchmark::State &state)
{
    msg_recorder boxes; // the run's closing message box is answered at once
    double run_ms = 0, sort_ms = 0, jump_ms = 0;
    for (auto _ : state) {
        sql_script_editor ed(db, QString::fromUtf8(query + ";"));
        ed.resize(1200, 800);
        ed.show();
        QElapsedTimer clock;
        clock.start();
        if (!ed.exec({query})) {
            state.SkipWithError("run failed");
            return;
        }
        auto *view = qobject_cast<QTableView *>(ed.result_tabs()->currentWidget());
        if (!view || view->model()->rowCount() != rows_total) {
            state.SkipWithError("no result tab");
            return;
        }
        ed.grab();
        run_ms = double(clock.restart());
        view->horizontalHeader()->setSortIndicator(3, Qt::AscendingOrder);
        ed.grab();
        sort_ms = double(clock.restart());
        view->scrollToBottom();
        ed.grab();
        jump_ms = double(clock.restart());
    }
    state.counters["run_ms"] = run_ms;
    state.counters["sort_ms"] = sort_ms;
    state.counters["jump_ms"] = jump_ms;
}
BENCHMARK(BM_script_tab)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

void BM_commit_10k(benchmark::State &state)
{
    tab_data_model m("big", db);
    m.load_rows(query, true);
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        ++round;
        for (int r = 0; r < edits; ++r)
            m.setData(m.index(r * (rows_total / edits), 3),
                      QString("edit-%1-%2").arg(round).arg(r));
        state.ResumeTiming();
        if (!m.commit_changes()) {
            state.SkipWithError("commit failed");
            return;
        }
        state.PauseTiming();
        m.load_rows(query, true);
        state.ResumeTiming();
    }
    state.counters["cells"] = edits;
}
BENCHMARK(BM_commit_10k)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_psql_fetch(benchmark::State &state)
{
    if (pg_port == 0) {
        state.SkipWithError("PostgreSQL reference not started");
        return;
    }
    const std::string cmd =
        std::string(VELA_TABLE_PG_SCRIPT) + " fetch " + pg_dir + " " + std::to_string(pg_port);
    for (auto _ : state) {
        if (std::system(cmd.c_str()) != 0) {
            state.SkipWithError("psql failed");
            return;
        }
    }
}
BENCHMARK(BM_psql_fetch)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char **argv)
{
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);

    if (const char *rows = std::getenv("VELA_BENCH_ROWS"))
        rows_total = std::max(100, std::atoi(rows));
    server_fixture server;
    if (!db_access::login("127.0.0.1", server.port(), "admin", "admin")) {
        std::fprintf(stderr, "bench_table: cannot log in to velaserver\n");
        return 1;
    }
    db_access access;
    db = &access;
    if (!fill_big()) {
        std::fprintf(stderr, "bench_table: filling table big failed\n");
        return 1;
    }

    char tmpl[] = "/tmp/vela_bench_pg_XXXXXX";
    if (mkdtemp(tmpl)) {
        pg_dir = tmpl;
        const int port = free_port();
        const std::string cmd = std::string(VELA_TABLE_PG_SCRIPT) + " start " + pg_dir + " " +
                                std::to_string(port) + " " + std::to_string(rows_total);
        if (std::system(cmd.c_str()) == 0)
            pg_port = port;
        else
            std::fprintf(stderr, "bench_table: PostgreSQL reference not available\n");
    }

    benchmark::RunSpecifiedBenchmarks();

    if (!pg_dir.empty())
        std::system((std::string(VELA_TABLE_PG_SCRIPT) + " stop " + pg_dir).c_str());
    db_access::logout();
    return 0;
}
