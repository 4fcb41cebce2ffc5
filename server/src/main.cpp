// velaserver [--bind ADDR] [--port N] [--data DIR] [--files DIR] [--demo] [--max-frame BYTES]
//            [--login-timeout SECONDS] [--statement-timeout SECONDS] [--send-timeout SECONDS]
// velaserver [--data DIR] --add-user NAME   (password read from standard input)
#include "user_store.h"
#include "vela_server.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <malloc.h>
#include <string>
#include <sys/stat.h>

namespace {
vela::vela_server *g_server = nullptr;

void on_signal(int)
{
    if (g_server) g_server->request_stop();
}

int usage()
{
    std::fprintf(stderr,
                 "usage: velaserver [--bind ADDR] [--port N] [--data DIR] [--files DIR] [--demo]\n"
                 "                  [--max-frame BYTES]\n"
                 "                  [--login-timeout SECONDS] [--statement-timeout SECONDS]\n"
                 "                  [--send-timeout SECONDS]\n"
                 "       velaserver [--data DIR] --add-user NAME   (password on standard input)\n");
    return 2;
}

bool parse_number(const char *text, long long lo, long long hi, long long &out)
{
    char *end = nullptr;
    long long v = std::strtoll(text, &end, 10);
    if (!*text || *end || v < lo || v > hi) return false;
    out = v;
    return true;
}
} // namespace

int main(int argc, char **argv)
{
    // Everything the server creates (database, journal, users) is for its user's eyes only.
    ::umask(077);
    // Every session thread would otherwise get an allocator arena of its own, and memory
    // freed in one arena stays with it: after a burst of clients the process would keep it.
    ::mallopt(M_ARENA_MAX, 2);
    // Large buffers (statements, results, replies) get pages of their own that go back to the
    // system when freed. Fixed thresholds also stop the allocator from raising them after each
    // large free, which would keep every later large buffer in the heap for good.
    ::mallopt(M_MMAP_THRESHOLD, 1 << 20);
    ::mallopt(M_TRIM_THRESHOLD, 1 << 20);
    vela::server_options opt;
    std::string add_user;
    bool adding = false;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        auto next = [&]() -> const char * { return i + 1 < argc ? argv[++i] : nullptr; };
        long long n = 0;
        if (a == "--bind") {
            const char *v = next();
            if (!v) return usage();
            opt.bind = v;
        } else if (a == "--port") {
            const char *v = next();
            if (!v || !parse_number(v, 0, 65535, n)) return usage();
            opt.port = int(n);
        } else if (a == "--data") {
            const char *v = next();
            if (!v) return usage();
            opt.data_dir = v;
        } else if (a == "--files") {
            const char *v = next();
            if (!v) return usage();
            opt.files_dir = v;
        } else if (a == "--demo") {
            opt.demo = true;
        } else if (a == "--max-frame") {
            const char *v = next();
            if (!v || !parse_number(v, 16, 1ll << 30, n))
                return usage(); // the parser counts in int32
            opt.max_frame = uint32_t(n);
        } else if (a == "--login-timeout") {
            const char *v = next();
            if (!v || !parse_number(v, 1, 3600, n)) return usage();
            opt.login_timeout_s = int(n);
        } else if (a == "--statement-timeout") {
            const char *v = next();
            if (!v || !parse_number(v, 0, 24 * 3600, n)) return usage();
            opt.statement_timeout_s = int(n);
        } else if (a == "--send-timeout") {
            const char *v = next();
            if (!v || !parse_number(v, 1, 3600, n)) return usage();
            opt.send_timeout_s = int(n);
        } else if (a == "--add-user") {
            const char *v = next();
            if (!v) return usage();
            add_user = v;
            adding = true;
        } else {
            return usage();
        }
    }

    if (adding) {
        ::mkdir(opt.data_dir.c_str(), 0700);
        vela::user_store users(opt.data_dir + "/users");
        std::string err, password;
        if (!users.load(err)) {
            std::fprintf(stderr, "velaserver: %s\n", err.c_str());
            return 1;
        }
        std::getline(std::cin, password);
        if (!password.empty() && password.back() == '\r') password.pop_back();
        if (!users.set_user(add_user, password, err)) {
            std::fprintf(stderr, "velaserver: %s\n", err.c_str());
            return 1;
        }
        std::fprintf(stderr, "velaserver: user %s saved\n", add_user.c_str());
        return 0;
    }

    vela::vela_server server;
    std::string err;
    if (!server.start(opt, err)) {
        std::fprintf(stderr, "velaserver: %s\n", err.c_str());
        return 1;
    }
    g_server = &server;
    struct sigaction sa {};
    sa.sa_handler = on_signal;
    sigemptyset(&sa.sa_mask);
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGTERM, &sa, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
    std::printf("velaserver listening on %s:%d\n", opt.bind.c_str(), server.port());
    std::fflush(stdout);
    server.run();
    g_server = nullptr;
    return 0;
}
