// The calling thread's connection: login, statements, logout.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "decoder.h"
#include "frames.h"
#include "platform.h"
#include "velalink.h"

namespace velalink {
namespace {

struct conn_info {
    plat::sock_t sock = plat::bad_sock;
    uint8_t *recv_buf = nullptr;

    void close_sock()
    {
        plat::sock_close(sock);
        sock = plat::bad_sock;
    }
    ~conn_info()
    {
        // A thread that ends without logging out still gives back its socket and buffer.
        close_sock();
        std::free(recv_buf);
    }
};

conn_info &conn()
{
    thread_local conn_info ci;
    return ci;
}

void print_send_error(int code)
{
    std::printf("send error %s\n", plat::error_text(code));
}

bool send_frame(conn_info &ci, const std::vector<uint8_t> &frame)
{
    if (ci.sock == plat::bad_sock) {
        print_send_error(EBADF);
        return false;
    }
    if (plat::sock_send(ci.sock, frame.data(), frame.size())) return true;
    print_send_error(plat::last_error());
    return false;
}

bool login(conn_info &ci, const char *ip, int port, const char *user, const char *pwd)
{
    if (!plat::net_startup()) {
        std::printf("WSAStartup error %s!\n", plat::error_text(plat::last_error()));
        return false;
    }
    ci.sock = plat::sock_open();
    if (ci.sock == plat::bad_sock) {
        int err = plat::last_error();
        std::printf("connect error(last err = %d) %s!\n", err, plat::error_text(err));
        return false;
    }
    if (!plat::sock_set(ci.sock, plat::sock_opt::reuse_addr, 0))
        std::printf("setsockopt reuseaddr with error info %s!\n",
                    plat::error_text(plat::last_error()));
    if (!plat::sock_set(ci.sock, plat::sock_opt::rcv_buf, 65536))
        std::printf("setsockopt rcvbuf with error info %s!\n",
                    plat::error_text(plat::last_error()));
    if (!plat::sock_set(ci.sock, plat::sock_opt::snd_buf, 65536))
        std::printf("setsockopt sndbuf with error info %s!\n",
                    plat::error_text(plat::last_error()));
    if (!plat::sock_set(ci.sock, plat::sock_opt::keep_alive, 0))
        std::printf("setsockopt keepalive with error info %s!\n",
                    plat::error_text(plat::last_error()));

    if (!plat::sock_connect(ci.sock, ip, static_cast<uint16_t>(port & 0xFFFF))) {
        int err = plat::last_error();
        std::printf("connect error(last err = %d) %s!\n", err, plat::error_text(err));
        return false;
    }
    if (!send_frame(ci, login_frame(user, pwd))) return false;

    // The login reply is judged on what the first receive brings.
    long n = plat::sock_recv(ci.sock, ci.recv_buf, recv_buf_size);
    if (n <= 0) {
        std::printf("login failed(network).\n");
        return false;
    }
    switch (judge_login_reply(ci.recv_buf, static_cast<size_t>(n))) {
    case login_verdict::bad_length:
        std::printf("login failed(bad length).\n");
        return false;
    case login_verdict::refused:
        std::printf("login failed.\n");
        return false;
    case login_verdict::accepted:
        break;
    }
    return true;
}

result_set *run(conn_info &ci, const char *sql, int len)
{
    if (len < 0) {
        std::printf("exec error(negative length %d).\n", len);
        return nullptr;
    }
    if (!ci.recv_buf) ci.close_sock();
    if (!send_frame(ci, statement_frame(sql, static_cast<uint32_t>(len)))) {
        ci.close_sock();
        return nullptr;
    }

    reply_assembler reply;
    for (;;) {
        long n = plat::sock_recv(ci.sock, ci.recv_buf, recv_buf_size);
        if (n < 0) {
            std::printf("recv error %s\n", plat::error_text(plat::last_error()));
            ci.close_sock();
            return nullptr;
        }
        if (n == 0) {
            // End of stream: the server is gone, whatever errno happens to say.
            std::printf("rsz == 0 and error is: %s\n", plat::error_text(plat::last_error()));
            ci.close_sock();
            return nullptr;
        }
        reply.append(ci.recv_buf, static_cast<size_t>(n));
        reply_state st = reply.state();
        if (st == reply_state::bad) {
            // The rest of this reply cannot be told from the next one: the connection is
            // out of step and is closed.
            std::printf("exec failed(bad reply).\n");
            ci.close_sock();
            return nullptr;
        }
        if (st == reply_state::complete) break;
    }
    if (reply.status() != 0) return nullptr;

    result_set *rs = new result_set;
    const char *why = "";
    if (!decode_payload(reply.payload(), reply.payload_size(), *rs, &why)) {
        std::printf("exec failed(bad payload: %s).\n", why);
        delete rs;
        return nullptr;
    }
    return rs;
}

} // namespace
} // namespace velalink

using velalink::conn;
using velalink::conn_info;

extern "C" {

bool connect_to_server(const char *ip, int port, const char *user, const char *pwd)
{
    conn_info &ci = conn();
    // Connecting again without logging out first drops the old socket rather than
    // leaking it.
    ci.close_sock();
    if (!ci.recv_buf)
        ci.recv_buf = static_cast<uint8_t *>(std::calloc(1, velalink::recv_buf_size));
    else
        std::memset(ci.recv_buf, 0, velalink::recv_buf_size);
    if (!ci.recv_buf) {
        std::printf("login failed(network).\n");
        return false;
    }
    bool ok = false;
    try {
        ok = velalink::login(ci, ip, port, user, pwd);
    } catch (const std::bad_alloc &) {
        std::printf("login failed(out of memory).\n");
    }
    // A refused or broken login leaves nothing usable open.
    if (!ok) ci.close_sock();
    return ok;
}

result_set *exec(const char *sql, int len)
{
    conn_info &ci = conn();
    try {
        return velalink::run(ci, sql, len);
    } catch (const std::bad_alloc &) {
        // A reply cut off half-way leaves the stream out of step.
        std::printf("exec failed(out of memory).\n");
        ci.close_sock();
        return nullptr;
    }
}

bool exit_to_server(void)
{
    conn_info &ci = conn();
    velalink::send_frame(ci, velalink::logout_frame());
    ci.close_sock();
    std::free(ci.recv_buf);
    ci.recv_buf = nullptr;
    velalink::plat::net_cleanup();
    return true;
}

} // extern "C"
