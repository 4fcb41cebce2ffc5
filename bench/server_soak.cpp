// Soak: velaserver on loopback for a minute under 64 honest clients mixing reads and writes
// and 8 hostile peers (login tricklers, clients that never read their replies, regular
// expression bombs). Reports throughput, the slowest honest statement, and the server's
// resident memory over time, before the peers came and after they left.
//   soak_server [SECONDS] [HONEST_CLIENTS]
#include "server_fixture.h"

#include "velalink.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

using clock_type = std::chrono::steady_clock;
std::atomic<bool> g_stop{false}, g_hostile_stop{false};
int g_port = 0;

uint64_t rss_mib(pid_t pid)
{
    FILE *f = std::fopen(("/proc/" + std::to_string(pid) + "/statm").c_str(), "r");
    if (!f) return 0;
    unsigned long long v = 0, r = 0;
    if (std::fscanf(f, "%llu %llu", &v, &r) != 2) r = 0;
    std::fclose(f);
    return r * uint64_t(::sysconf(_SC_PAGESIZE)) >> 20;
}

bool run(const std::string &sql)
{
    result_set *rs = exec(sql.data(), int(sql.size()));
    if (!rs) return false;
    del_datas(rs);
    return true;
}

int connect_raw()
{
    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(uint16_t(g_port));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(fd, reinterpret_cast<sockaddr *>(&a), sizeof a) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

std::string u32(uint32_t v)
{
    return std::string(reinterpret_cast<const char *>(&v), 4);
}

std::string login_frame()
{
    return u32(18) + u32(5) + "admin" + u32(5) + "admin";
}

bool send_all(int fd, const std::string &b)
{
    return ::send(fd, b.data(), b.size(), MSG_NOSIGNAL) == ssize_t(b.size());
}

void sleep_ms(int ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

struct honest_stats {
    std::mutex mu;
    uint64_t statements = 0, failures = 0;
    double slowest = 0;
    std::string slowest_sql;
};

void honest(int id, honest_stats &st)
{
    while (!g_stop && !connect_to_server("127.0.0.1", g_port, "admin", "admin")) sleep_ms(100);
    uint64_t n = 0, bad = 0;
    double worst = 0;
    std::string worst_sql;
    for (int i = 0; !g_stop; ++i) {
        std::string sql;
        switch (i % 4) {
        case 0:
            sql = "insert into soak ( client, n, s ) values ( " + std::to_string(id) + ", " +
                  std::to_string(i) + ", \"honest row\" )";
            break;
        case 1:
            sql = "select n, s from soak where client == " + std::to_string(id);
            break;
        case 2:
            sql = "rows_of soak";
            break;
        default:
            sql = "update soak set s = \"seen\" where client == " + std::to_string(id) +
                  " && n == " + std::to_string(i - 3);
        }
        auto t0 = clock_type::now();
        bool ok = run(sql);
        double secs = std::chrono::duration<double>(clock_type::now() - t0).count();
        ++n;
        if (!ok) ++bad;
        if (secs > worst) worst = secs, worst_sql = sql;
        sleep_ms(20);
    }
    exit_to_server();
    std::lock_guard<std::mutex> lock(st.mu);
    st.statements += n;
    st.failures += bad;
    if (worst > st.slowest) st.slowest = worst, st.slowest_sql = worst_sql;
}

// Sends its login a byte at a time, never finishing; reconnects when dropped.
void trickler()
{
    while (!g_hostile_stop) {
        int fd = connect_raw();
        if (fd < 0) {
            sleep_ms(200);
            continue;
        }
        std::string f = login_frame();
        for (size_t i = 0; i + 1 < f.size() && !g_hostile_stop; ++i) {
            if (::send(fd, &f[i], 1, MSG_NOSIGNAL) != 1) break;
            sleep_ms(1500);
        }
        ::close(fd);
    }
}

// Logs in, asks for the whole big table and never reads; starts over every 45 s.
void non_reader()
{
    while (!g_hostile_stop) {
        int fd = connect_raw();
        if (fd < 0) {
            sleep_ms(200);
            continue;
        }
        int small = 4096;
        ::setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &small, sizeof small);
        std::string sql = "select * from big";
        char head[5];
        if (send_all(fd, login_frame()) && ::recv(fd, head, 5, MSG_WAITALL) == 5)
            send_all(fd, u32(uint32_t(sql.size())) + sql);
        for (int i = 0; i < 450 && !g_hostile_stop; ++i) sleep_ms(100);
        ::close(fd);
    }
}

// Logs in and runs catastrophic regular expressions over every row, again and again.
void bomber(std::atomic<int> &refused)
{
    while (!g_hostile_stop && !connect_to_server("127.0.0.1", g_port, "admin", "admin"))
        sleep_ms(100);
    const std::string bomb =
        "select reg_match(s, \"^(a+)+$\"), reg_match(s, \"^(a+)+$\") from bombs";
    while (!g_hostile_stop)
        if (!run(bomb)) ++refused;
    exit_to_server();
}

} // namespace

int main(int argc, char **argv)
{
    int seconds = argc > 1 ? std::atoi(argv[1]) : 60;
    int clients = argc > 2 ? std::atoi(argv[2]) : 64;
    // Short send and login deadlines, so that the hostile peers are dropped within the run.
    server_fixture server(false, {"--send-timeout", "5", "--login-timeout", "5"});
    if (!server.running()) {
        std::fprintf(stderr, "soak_server: velaserver did not start\n%s\n", server.log().c_str());
        return 1;
    }
    g_port = server.port();
    if (!connect_to_server("127.0.0.1", g_port, "admin", "admin")) return 1;
    bool ok = run("create table soak ( client u08(), n u32(), s string32() )") &&
              run("create table big ( a i32(), s string256() )") &&
              run("create table bombs ( s string64() )");
    std::string row = "( 1, \"" + std::string(240, 'x') + "\" )";
    for (int b = 0; ok && b < 100; ++b) {
        std::string sql = "insert into big ( a, s ) values " + row;
        for (int i = 1; i < 1000; ++i) sql += ", " + row;
        ok = run(sql);
    }
    std::string bombs = "insert into bombs ( s ) values ( \"aaaaaaaaaaaaaaaaaa!\" )";
    for (int i = 0; i < 200; ++i) bombs += ", ( \"aaaaaaaaaaaaaaaaaa!\" )";
    ok = ok && run(bombs);
    exit_to_server();
    if (!ok) {
        std::fprintf(stderr, "soak_server: preparing the tables failed\n");
        return 1;
    }
    honest_stats st;
    std::atomic<int> bombs_refused{0};
    std::vector<std::thread> honest_threads, hostile_threads;
    for (int i = 0; i < clients; ++i) honest_threads.emplace_back(honest, i, std::ref(st));
    // The honest clients alone first: their working size is the server's idle size here.
    sleep_ms(5000);
    uint64_t idle = rss_mib(server.pid());
    std::printf("soak_server: %d s, %d honest clients, 8 hostile peers; RSS with the honest "
                "clients alone %llu MiB\n",
                seconds, clients, (unsigned long long)idle);
    std::fflush(stdout);
    for (int i = 0; i < 3; ++i) hostile_threads.emplace_back(trickler);
    for (int i = 0; i < 3; ++i) hostile_threads.emplace_back(non_reader);
    for (int i = 0; i < 2; ++i) hostile_threads.emplace_back(bomber, std::ref(bombs_refused));
    uint64_t peak = 0;
    std::string timeline;
    auto t0 = clock_type::now();
    for (int s = 1; s <= seconds; ++s) {
        std::this_thread::sleep_until(t0 + std::chrono::seconds(s));
        uint64_t r = rss_mib(server.pid());
        peak = std::max(peak, r);
        if (s % 5 == 0) timeline += " " + std::to_string(s) + "s:" + std::to_string(r);
    }
    g_hostile_stop = true;
    for (auto &t : hostile_threads) t.join();
    // The honest clients go on a little: the memory the peers cost must be given back.
    sleep_ms(5000);
    uint64_t after = rss_mib(server.pid());
    g_stop = true;
    for (auto &t : honest_threads) t.join();
    double elapsed = std::chrono::duration<double>(clock_type::now() - t0).count() + 5;
    sleep_ms(3000);
    uint64_t alone = rss_mib(server.pid());
    std::printf("RSS MiB over time:%s\n", timeline.c_str());
    std::printf("honest statements: %llu (%.0f/s), failed %llu; slowest %.3f s (%s)\n",
                (unsigned long long)st.statements, double(st.statements) / elapsed,
                (unsigned long long)st.failures, st.slowest, st.slowest_sql.c_str());
    auto count = [](const std::string &text, const std::string &what) {
        int n = 0;
        for (size_t at = 0; (at = text.find(what, at)) != std::string::npos; ++at) ++n;
        return n;
    };
    std::string log = server.log();
    std::printf("hostile: tricklers dropped %d times, non-readers dropped %d times, bomb "
                "statements stopped %d times\n",
                count(log, "no login within"), count(log, "did not take its reply"),
                bombs_refused.load());
    std::printf("RSS MiB: honest alone %llu, peak %llu, 5 s after the peers left %llu (%.2fx), "
                "after every client left %llu\n",
                (unsigned long long)idle, (unsigned long long)peak, (unsigned long long)after,
                idle ? double(after) / double(idle) : 0.0, (unsigned long long)alone);
    // Where the memory that stayed is: the largest resident mappings.
    if (FILE *f = std::fopen(("/proc/" + std::to_string(server.pid()) + "/smaps").c_str(), "r")) {
        char line[512];
        std::string name;
        std::vector<std::pair<unsigned long, std::string>> maps;
        while (std::fgets(line, sizeof line, f)) {
            unsigned long kb = 0;
            if (std::sscanf(line, "Rss: %lu kB", &kb) == 1)
                maps.emplace_back(kb, name);
            else if (std::strchr(line, '-') && std::strchr(line, ' ') &&
                     std::isxdigit(static_cast<unsigned char>(line[0])))
                name = line;
        }
        std::fclose(f);
        std::sort(maps.rbegin(), maps.rend());
        for (size_t i = 0; i < maps.size() && i < 6; ++i)
            std::printf("  %6lu kB  %s", maps[i].first, maps[i].second.c_str());
    }
    return 0;
}
