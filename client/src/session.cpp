// The calling thread's connection: login, statements, logout.
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "decoder.h"
#include "base/wire.h"
#include "frames.h"
#include "platform.h"
#include "velalink.h"

namespace velalink {
namespace {

struct conn_info {
    plat::sock_t sock = plat::bad_sock;
    uint8_t *recv_buf = nullptr;
    // The text of the last failure, for last_error(); empty after a success.
    std::string last_error;

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

std::string format(const char *fmt, va_list args)
{
    char small[256];
    va_list again;
    va_copy(again, args);
    int n = std::vsnprintf(small, sizeof small, fmt, args);
    std::string out;
    if (n < 0) {
        out = fmt;
    } else if (static_cast<size_t>(n) < sizeof small) {
        out.assign(small, static_cast<size_t>(n));
    } else {
        out.resize(static_cast<size_t>(n) + 1);
        std::vsnprintf(&out[0], out.size(), fmt, again);
        out.resize(static_cast<size_t>(n));
    }
    va_end(again);
    return out;
}

// Prints a line that does not end the call.
void say(const char *fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    std::string text = format(fmt, args);
    va_end(args);
    std::printf("%s\n", text.c_str());
}

// Prints the line of a failure and keeps its words for last_error().
void fail(conn_info &ci, const char *fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    std::string text = format(fmt, args);
    va_end(args);
    std::printf("%s\n", text.c_str());
    ci.last_error = std::move(text);
}

void print_send_error(conn_info &ci, int code)
{
    fail(ci, "send error %s", plat::error_text(code));
}

bool send_frame(conn_info &ci, const std::vector<uint8_t> &frame)
{
    if (ci.sock == plat::bad_sock) {
        print_send_error(ci, EBADF);
        return false;
    }
    if (plat::sock_send(ci.sock, frame.data(), frame.size())) return true;
    print_send_error(ci, plat::last_error());
    return false;
}

bool login(conn_info &ci, const char *ip, int port, const char *user, const char *pwd)
{
    if (!plat::net_startup()) {
        fail(ci, "WSAStartup error %s!", plat::error_text(plat::last_error()));
        return false;
    }
    ci.sock = plat::sock_open();
    if (ci.sock == plat::bad_sock) {
        int err = plat::last_error();
        fail(ci, "connect error(last err = %d) %s!", err, plat::error_text(err));
        return false;
    }
    if (!plat::sock_set(ci.sock, plat::sock_opt::reuse_addr, 0))
        say("setsockopt reuseaddr with error info %s!", plat::error_text(plat::last_error()));
    if (!plat::sock_set(ci.sock, plat::sock_opt::rcv_buf, 65536))
        say("setsockopt rcvbuf with error info %s!", plat::error_text(plat::last_error()));
    if (!plat::sock_set(ci.sock, plat::sock_opt::snd_buf, 65536))
        say("setsockopt sndbuf with error info %s!", plat::error_text(plat::last_error()));
    if (!plat::sock_set(ci.sock, plat::sock_opt::keep_alive, 0))
        say("setsockopt keepalive with error info %s!", plat::error_text(plat::last_error()));

    if (!plat::sock_connect(ci.sock, ip, static_cast<uint16_t>(port & 0xFFFF))) {
        int err = plat::last_error();
        fail(ci, "connect error(last err = %d) %s!", err, plat::error_text(err));
        return false;
    }
    if (!send_frame(ci, login_frame(user, pwd))) return false;

    // The login reply is judged on what the first receive brings.
    long n = plat::sock_recv(ci.sock, ci.recv_buf, recv_buf_size);
    if (n <= 0) {
        fail(ci, "login failed(network).");
        return false;
    }
    switch (judge_login_reply(ci.recv_buf, static_cast<size_t>(n))) {
    case login_verdict::bad_length:
        fail(ci, "login failed(bad length).");
        return false;
    case login_verdict::refused:
        fail(ci, "login failed.");
        // The server's own words, when it gave any, say more than the printed line.
        // (A refused reply is whole within the n bytes and its length counts the status.)
        if (size_t why = wire::le32(ci.recv_buf) - 1u)
            ci.last_error = reason_text(ci.recv_buf + wire::length_size + 1, why);
        return false;
    case login_verdict::accepted:
        break;
    }
    return true;
}

result_set *run(conn_info &ci, const char *sql, int len)
{
    if (len < 0) {
        fail(ci, "exec error(negative length %d).", len);
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
            fail(ci, "recv error %s", plat::error_text(plat::last_error()));
            ci.close_sock();
            return nullptr;
        }
        if (n == 0) {
            // End of stream: the server is gone, whatever errno happens to say.
            fail(ci, "rsz == 0 and error is: %s", plat::error_text(plat::last_error()));
            ci.close_sock();
            return nullptr;
        }
        reply.append(ci.recv_buf, static_cast<size_t>(n));
        reply_state st = reply.state();
        if (st == reply_state::bad) {
            // The rest of this reply cannot be told from the next one: the connection is
            // out of step and is closed.
            fail(ci, "exec failed(bad reply).");
            ci.close_sock();
            return nullptr;
        }
        if (st == reply_state::complete) break;
    }
    if (reply.status() != wire::status_ok) {
        ci.last_error = reply.payload_size() ? reason_text(reply.payload(), reply.payload_size())
                                             : std::string("the server refused the statement");
        return nullptr;
    }

    result_set *rs = new result_set;
    const char *why = "";
    if (!decode_payload(reply.payload(), reply.payload_size(), *rs, &why)) {
        fail(ci, "exec failed(bad payload: %s).", why);
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
    ci.last_error.clear();
    if (!ci.recv_buf) {
        velalink::fail(ci, "login failed(network).");
        return false;
    }
    bool ok = false;
    try {
        ok = velalink::login(ci, ip, port, user, pwd);
    } catch (const std::bad_alloc &) {
        velalink::fail(ci, "login failed(out of memory).");
    }
    // A refused or broken login leaves nothing usable open.
    if (!ok) ci.close_sock();
    return ok;
}

result_set *exec(const char *sql, int len)
{
    conn_info &ci = conn();
    ci.last_error.clear();
    try {
        return velalink::run(ci, sql, len);
    } catch (const std::bad_alloc &) {
        // A reply cut off half-way leaves the stream out of step.
        velalink::fail(ci, "exec failed(out of memory).");
        ci.close_sock();
        return nullptr;
    }
}

const char *last_error(void)
{
    return conn().last_error.c_str();
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
