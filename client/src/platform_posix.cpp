#include <arpa/inet.h>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <netinet/in.h>
#include <poll.h>
#include <sys/mman.h>
#include <sys/socket.h>
#include <unistd.h>

#include "address.h"
#include "platform.h"

namespace velalink {
namespace plat {

bool net_startup()
{
    return true;
}
void net_cleanup() {}

int last_error()
{
    return errno;
}
const char *error_text(int code)
{
    return std::strerror(code);
}
bool would_block(int code)
{
    return code == EAGAIN || code == EWOULDBLOCK;
}

sock_t sock_open()
{
    return ::socket(AF_INET, SOCK_STREAM, 0);
}

bool sock_set(sock_t s, sock_opt opt, int value)
{
    int name = SO_REUSEADDR;
    switch (opt) {
    case sock_opt::reuse_addr:
        name = SO_REUSEADDR;
        break;
    case sock_opt::rcv_buf:
        name = SO_RCVBUF;
        break;
    case sock_opt::snd_buf:
        name = SO_SNDBUF;
        break;
    case sock_opt::keep_alive:
        name = SO_KEEPALIVE;
        break;
    }
    return ::setsockopt(s, SOL_SOCKET, name, &value, sizeof value) == 0;
}

bool sock_connect(sock_t s, const char *ip, uint16_t port)
{
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(port);
    uint32_t host = 0;
    if (!parse_ipv4(ip, host)) {
        errno = EINVAL;
        return false;
    }
    addr.sin_addr.s_addr = htonl(host);
    if (::connect(s, reinterpret_cast<const sockaddr *>(&addr), sizeof addr) == 0) return true;
    if (errno != EINTR) return false;
    // An interrupted connect goes on in the background: wait for its outcome.
    pollfd p{s, POLLOUT, 0};
    int rc;
    do {
        rc = ::poll(&p, 1, -1);
    } while (rc < 0 && errno == EINTR);
    if (rc < 0) return false;
    int err = 0;
    socklen_t len = sizeof err;
    if (::getsockopt(s, SOL_SOCKET, SO_ERROR, &err, &len) != 0) return false;
    errno = err;
    return err == 0;
}

bool sock_send(sock_t s, const void *data, size_t size)
{
    const char *p = static_cast<const char *>(data);
    size_t left = size;
    do {
        ssize_t n = ::send(s, p, left, MSG_NOSIGNAL);
        if (n < 0) {
            if (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK) continue;
            return false;
        }
        p += n;
        left -= static_cast<size_t>(n);
    } while (left > 0);
    return true;
}

long sock_recv(sock_t s, void *buf, size_t size)
{
    for (;;) {
        ssize_t n = ::recv(s, buf, size, 0);
        if (n >= 0) return static_cast<long>(n);
        if (errno != EINTR && errno != EAGAIN && errno != EWOULDBLOCK) return -1;
    }
}

void sock_close(sock_t s)
{
    if (s != bad_sock) ::close(s);
}

void *alloc_large(size_t size)
{
    constexpr size_t huge = size_t(2) << 20;
    if (size < 2 * huge) return std::malloc(size ? size : 1);
    size_t rounded = (size + huge - 1) / huge * huge;
    void *p = std::aligned_alloc(huge, rounded);
#ifdef MADV_HUGEPAGE
    if (p) ::madvise(p, rounded, MADV_HUGEPAGE);
#endif
    return p;
}

void free_large(void *p)
{
    std::free(p);
}

void console_write(const char *data, size_t size)
{
    std::fflush(stdout);
    while (size > 0) {
        ssize_t n = ::write(STDOUT_FILENO, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            break;
        }
        data += n;
        size -= static_cast<size_t>(n);
    }
    std::fflush(stdout);
}

} // namespace plat
} // namespace velalink
