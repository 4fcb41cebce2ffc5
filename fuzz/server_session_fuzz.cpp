#include "vela_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

namespace {

vela::vela_server *server()
{
    static vela::vela_server *s = [] {
        char tmpl[] = "/tmp/vela_fuzz_session_XXXXXX";
        if (!::mkdtemp(tmpl)) std::abort();
        vela::server_options opt;
        opt.port = 0;
        opt.data_dir = tmpl;
        opt.demo = true;
        opt.max_frame = 1u << 20;
        opt.login_timeout_s = 2;
        opt.statement_timeout_s = 2;
        opt.send_timeout_s = 2;
        auto *srv = new vela::vela_server;
        std::string err;
        if (!srv->start(opt, err)) std::abort();
        std::thread([srv] { srv->run(); }).detach();
        return srv;
    }();
    return s;
}

std::string u32(uint32_t v)
{
    return std::string(reinterpret_cast<const char *>(&v), 4);
}

// Reads until the server closes the connection or goes quiet for the given time.
void drain(int fd, int quiet_ms)
{
    char buf[65536];
    for (;;) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, quiet_ms) <= 0) return;
        if (::recv(fd, buf, sizeof buf, 0) <= 0) return;
    }
}

} // namespace

// Input: pieces of two length bytes and that many bytes, each sent as one statement frame
// after a login as admin; a piece announced with 0xFFFF sends the rest of the input raw.
// Wrong logins are left to fuzz_server_exec: here they would only slow the address down.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    int port = server()->port();
    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(uint16_t(port));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(fd, reinterpret_cast<sockaddr *>(&a), sizeof a) != 0) std::abort();
    const char *p = reinterpret_cast<const char *>(data);
    const char *end = p + size;
    const std::string user = "admin", pw = "admin";
    std::string out = u32(uint32_t(8 + user.size() + pw.size())) + u32(uint32_t(user.size())) +
                      user + u32(uint32_t(pw.size())) + pw;
    while (end - p >= 2) {
        size_t n = size_t(uint8_t(p[0])) | size_t(uint8_t(p[1])) << 8;
        p += 2;
        if (n == 0xFFFF) {
            out.append(p, end);
            p = end;
            break;
        }
        n = std::min(n, size_t(end - p));
        out += u32(uint32_t(n)) + std::string(p, n);
        p += n;
    }
    out += u32(0xFFFFFFFFu);
    for (size_t sent = 0; sent < out.size();) {
        ssize_t r = ::send(fd, out.data() + sent, out.size() - sent, MSG_NOSIGNAL);
        if (r <= 0) break;
        sent += size_t(r);
    }
    drain(fd, 3000);
    ::close(fd);
    return 0;
}
