#include "server_fixture.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

#ifndef VELA_SERVER_BIN
#error "VELA_SERVER_BIN must name the velaserver binary"
#endif

server_fixture::server_fixture(bool demo, std::vector<std::string> extra) : extra_(std::move(extra))
{
    char tmpl[] = "/tmp/vela_test_XXXXXX";
    if (!::mkdtemp(tmpl)) {
        std::fprintf(stderr, "server_fixture: mkdtemp failed: %s\n", std::strerror(errno));
        return;
    }
    root_ = tmpl;
    data_dir_ = root_ + "/data";
    if (!launch(demo, 0))
        std::fprintf(stderr, "server_fixture: velaserver did not start:\n%s\n", log().c_str());
}

server_fixture::~server_fixture()
{
    stop();
    if (!root_.empty()) {
        std::error_code ec;
        std::filesystem::remove_all(root_, ec);
    }
}

const char *server_fixture::binary()
{
    return VELA_SERVER_BIN;
}

std::string server_fixture::log() const
{
    std::ifstream in(log_path());
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

bool server_fixture::launch(bool demo, int port)
{
    int out[2];
    if (::pipe2(out, O_CLOEXEC) != 0) return false;
    std::string port_text = std::to_string(port), log_file = log_path();
    pid_t pid = ::fork();
    if (pid < 0) {
        ::close(out[0]);
        ::close(out[1]);
        return false;
    }
    if (pid == 0) {
        ::dup2(out[1], 1);
        int log_fd = ::open(log_file.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
        if (log_fd >= 0) ::dup2(log_fd, 2);
        std::vector<const char *> args = {VELA_SERVER_BIN,   "--bind", "127.0.0.1",      "--port",
                                          port_text.c_str(), "--data", data_dir_.c_str()};
        if (demo) args.push_back("--demo");
        for (const auto &e : extra_) args.push_back(e.c_str());
        args.push_back(nullptr);
        ::execv(VELA_SERVER_BIN, const_cast<char *const *>(args.data()));
        ::_exit(127);
    }
    ::close(out[1]);
    pid_ = pid;
    // Wait for "velaserver listening on 127.0.0.1:PORT" (the demo data may take a while).
    std::string line;
    for (int waited = 0; waited < 600 && line.find('\n') == std::string::npos;) {
        pollfd p{out[0], POLLIN, 0};
        int r = ::poll(&p, 1, 100);
        if (r == 0) {
            ++waited;
            continue;
        }
        if (r < 0 && errno == EINTR) continue;
        char buf[256];
        ssize_t n = ::read(out[0], buf, sizeof buf);
        if (n <= 0) break;
        line.append(buf, size_t(n));
    }
    ::close(out[0]);
    size_t colon = line.rfind(':');
    if (line.find("listening on") == std::string::npos || colon == std::string::npos) {
        kill9();
        return false;
    }
    port_ = std::atoi(line.c_str() + colon + 1);
    return port_ > 0;
}

void server_fixture::stop()
{
    if (pid_ <= 0) return;
    ::kill(pid_, SIGTERM);
    int status = 0;
    // A server that does not stop within 30 s is killed, so that a test never hangs on it.
    bool ended = false;
    for (int waited = 0; waited < 300 && !ended; ++waited) {
        pid_t r = ::waitpid(pid_, &status, WNOHANG);
        if (r == pid_ || (r < 0 && errno != EINTR))
            ended = true;
        else
            ::usleep(100000);
    }
    if (!ended) {
        std::fprintf(
            stderr,
            "server_fixture: velaserver did not stop within 30 s after SIGTERM; killing it\n");
        ::kill(pid_, SIGKILL);
        while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {}
    }
    pid_ = -1;
    // A clean stop exits with 0; anything else (a crash, a sanitizer report, a server that
    // had to be killed) fails the test, with the log, which goes away with the folder.
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        ADD_FAILURE() << "velaserver ended badly ("
                      << (WIFSIGNALED(status) ? "signal " + std::to_string(WTERMSIG(status))
                                              : "exit " + std::to_string(WEXITSTATUS(status)))
                      << "); its log:\n"
                      << log();
}

void server_fixture::kill9()
{
    if (pid_ <= 0) return;
    ::kill(pid_, SIGKILL);
    int status;
    while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {}
    pid_ = -1;
}

bool server_fixture::restart()
{
    stop();
    // Same port when it is still free, so that clients can reconnect with what they know.
    if (port_ > 0 && launch(false, port_)) return true;
    return launch(false, 0);
}
