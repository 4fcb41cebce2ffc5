// Times velaserver over loopback through velalink on the larger work of the dialect and prints
// one line per measure, "name value unit" (medians of the runs). bench/server_compare.sh runs
// PostgreSQL on the same data beside it. The data is written as CSV files into the server's
// files folder and imported, so the import is measured too.
//   bench_server_dialect [RUNS]
#include "server_fixture.h"

#include "velalink.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <unistd.h>
#include <string>
#include <vector>

namespace {

bool run(const std::string &sql, uint64_t *rows = nullptr)
{
    result_set *rs = exec(sql.data(), int(sql.size()));
    if (!rs) {
        std::fprintf(stderr, "bench: failed: %s\n", sql.substr(0, 120).c_str());
        return false;
    }
    if (rows) *rows = rows_of(rs);
    del_datas(rs);
    return true;
}

double seconds_of(const std::string &sql, uint64_t *rows = nullptr)
{
    auto t0 = std::chrono::steady_clock::now();
    if (!run(sql, rows)) std::exit(1);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

// CPU seconds the server process has used so far: on a loaded machine the wall time says
// little, the CPU time still compares.
pid_t g_server_pid = 0;
double server_cpu()
{
    std::ifstream in("/proc/" + std::to_string(g_server_pid) + "/stat");
    std::string line;
    std::getline(in, line);
    size_t close = line.rfind(')');
    if (close == std::string::npos) return 0;
    std::istringstream rest(line.substr(close + 2));
    std::string field;
    unsigned long long utime = 0, stime = 0;
    for (int i = 3; i <= 15 && rest >> field; ++i) {
        if (i == 14) utime = std::stoull(field);
        if (i == 15) stime = std::stoull(field);
    }
    return double(utime + stime) / double(sysconf(_SC_CLK_TCK));
}

// Runs sql runs times; reports the median wall time and the median server CPU time.
void measure(const char *name, const std::string &sql, int runs, uint64_t *rows = nullptr,
             const std::string &before_each = std::string());

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

long peak_kib(pid_t pid)
{
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    std::string key;
    long v = 0;
    while (in >> key) {
        if (key == "VmHWM:") {
            in >> v;
            return v;
        }
        in.ignore(1 << 10, '\n');
    }
    return -1;
}

// 1,000,000 rows of five columns: k (1,000 groups), x, a text, a real, n.
std::string row_text(long i)
{
    return std::to_string(i % 1000) + "," + std::to_string(i * 7 % 100003) + ",text number " +
           std::to_string(i) + "," + std::to_string(i) + ".25," + std::to_string(i);
}

void report(const char *name, double value, const char *unit)
{
    std::printf("%s %.4f %s\n", name, value, unit);
    std::fflush(stdout);
}

void measure(const char *name, const std::string &sql, int runs, uint64_t *rows,
             const std::string &before_each)
{
    std::vector<double> wall, cpu;
    for (int i = 0; i < runs; ++i) {
        if (!before_each.empty() && !run(before_each)) std::exit(1);
        double c0 = server_cpu();
        wall.push_back(seconds_of(sql, rows));
        cpu.push_back(server_cpu() - c0);
    }
    report(name, median(wall), "s");
    report((std::string(name) + "_server_cpu").c_str(), median(cpu), "s");
}

} // namespace

int main(int argc, char **argv)
{
    int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    const long big_rows = 1000000, join_rows = 100000, select_rows = 200000;
    server_fixture srv;
    if (!srv.running()) return 1;
    std::string files = srv.data_dir() + "/files";
    {
        std::ofstream big(files + "/big.csv"), left(files + "/left.csv"),
            right(files + "/right.csv");
        for (long i = 0; i < big_rows; ++i) big << row_text(i) << '\n';
        // Keys 0..99999 on the left, each once; on the right in another order, each once.
        for (long i = 0; i < join_rows; ++i) {
            left << i << ',' << i * 3 << '\n';
            right << (i * 7919) % join_rows << ',' << i << '\n';
        }
    }
    if (!connect_to_server("127.0.0.1", srv.port(), "admin", "admin")) return 1;
    const std::string schema = " ( k i64(), x i64(), a string32(), d double(), n i64() )";
    if (!run("create table big" + schema) || !run("create table big2" + schema) ||
        !run("create table l ( id i64(), v i64() )") ||
        !run("create table r ( id i64(), w i64() )"))
        return 1;

    g_server_pid = srv.pid();
    measure("import_csv_1M_x5", "import big2 from csv path=\"big.csv\"", runs, nullptr,
            "truncate table big2");
    seconds_of("import big from csv path=\"big.csv\"");
    seconds_of("import l from csv path=\"left.csv\"");
    seconds_of("import r from csv path=\"right.csv\"");

    // The first selects after the bulk load, one after the other.
    for (int i = 1; i <= 3; ++i)
        report(("select_200k_after_load_" + std::to_string(i)).c_str(),
               seconds_of("select * from big where first 200000"), "s");

    measure("export_csv_1M_x5", "select * from big export as csv path+=\"out.csv\"", runs);
    uint64_t rows = 0;
    measure("join_100k_x_100k", "select id, v from l join (select id, w from r on id == id)", runs,
            &rows);
    if (rows != uint64_t(join_rows))
        std::fprintf(stderr, "bench: the join gave %llu rows\n", (unsigned long long)rows);
    measure("group_sum_1M_1000_groups", "select k, x from big group sum(x) by k", runs, &rows);
    if (rows != 1000)
        std::fprintf(stderr, "bench: the group gave %llu rows\n", (unsigned long long)rows);
    measure("sum_1M", "select sum(x) from big", runs);

    // Memory: a fresh server process, one select of 200,000 x 5, its peak against the reply.
    if (!run("select * into sel from big where first " + std::to_string(select_rows))) return 1;
    exit_to_server();
    if (!srv.restart() || !connect_to_server("127.0.0.1", srv.port(), "admin", "admin")) return 1;
    g_server_pid = srv.pid();
    long before = peak_kib(srv.pid());
    seconds_of("select * from sel", &rows);
    long after = peak_kib(srv.pid());
    // The reply: per row its id and five cells (three 8-byte numbers, a real, a text with its
    // 2-byte length), plus the names and descriptors.
    double reply = 0;
    for (long i = 0; i < select_rows; ++i)
        reply += 8 + 8 + 8 + 2 + double(("text number " + std::to_string(i)).size()) + 8 + 8;
    report("select_200k_x5_reply", reply / 1048576.0, "MiB");
    report("select_200k_x5_server_peak_before", double(before) / 1024.0, "MiB");
    report("select_200k_x5_server_peak_after", double(after) / 1024.0, "MiB");
    report("select_200k_x5_peak_growth_over_reply", double(after - before) * 1024.0 / reply, "x");

    // Memory of statements that pick rows of the 1M table by a condition, each in a fresh
    // server process: a range of row ids, then an update and a delete (last: they change big).
    const struct {
        const char *name, *sql;
    } picks[] = {
        {"select_id_range_1_of_1M", "select * from big where __id > 999999"},
        {"select_id_range_10k_of_1M", "select * from big where __id >= 500001 && __id <= 510000"},
        {"select_where_half_of_1M", "select * from big where x < 50000"},
        {"select_computed_where_1000_of_1M", "select x * 2, a from big where k == 5"},
        {"select_computed_where_all_of_1M", "select x * 2, a from big where x >= 0"},
        {"select_where_or_of_1M", "select * from big where k == 5 || n > 999990"},
        {"join_1M_x_1M_group_1000", "select n, k from big join (select n, x from big2 on n == n) "
                                    "group sum(x) by k"},
        {"update_where_all_of_1M", "update big set n = n + 1 where x >= 0"},
        {"update_where_1pct_of_1M", "update big set n = n - 1 where x < 1000"},
        {"delete_where_half_of_1M", "delete from big where x < 50000"},
        {"delete_where_or_of_1M", "delete from big where x < 50005 || n > 999990"},
    };
    for (const auto &p : picks) {
        exit_to_server();
        if (!srv.restart() || !connect_to_server("127.0.0.1", srv.port(), "admin", "admin"))
            return 1;
        g_server_pid = srv.pid();
        before = peak_kib(srv.pid());
        report(p.name, seconds_of(p.sql), "s");
        report((std::string(p.name) + "_server_peak_growth").c_str(),
               double(peak_kib(srv.pid()) - before) / 1024.0, "MiB");
    }
    exit_to_server();
    return 0;
}
