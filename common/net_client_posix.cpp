#include "net_client.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <memory>
#include <mutex>
#include <thread>

namespace net {

namespace {

int ms_left(clock::time_point deadline)
{
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - clock::now());
    return static_cast<int>(std::max<long long>(0, left.count()));
}

bool ends_with(const std::string &s, const char *tail)
{
    const std::size_t n = std::strlen(tail);
    return s.size() >= n && s.compare(s.size() - n, n, tail) == 0;
}

// Waits until fd is ready for `events` or the deadline passes; EINTR is retried.
bool wait_for(int fd, short events, clock::time_point deadline, std::string &error)
{
    for (;;) {
        pollfd p{fd, events, 0};
        int r = ::poll(&p, 1, ms_left(deadline));
        if (r > 0) return true;
        if (r == 0) {
            error = "timed out";
            return false;
        }
        if (errno != EINTR) {
            error = std::strerror(errno);
            return false;
        }
    }
}

} // namespace

bool resolve_ipv4(const std::string &host, uint32_t &addr, clock::time_point deadline)
{
    std::string name = host;
    if (!name.empty() && name.back() == '.') name.pop_back();
    for (char &c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (name.empty() || name == "invalid" || ends_with(name, ".invalid")) return false;
    in_addr a{};
    if (::inet_pton(AF_INET, name.c_str(), &a) == 1) {
        addr = a.s_addr;
        return true;
    }

    // The resolver has no time-out of its own that we control, so it runs aside; when the
    // deadline passes first the answer is dropped whenever it comes.
    struct state {
        std::mutex mu;
        std::condition_variable cv;
        bool done = false;
        bool ok = false;
        uint32_t addr = 0;
    };
    auto st = std::make_shared<state>();
    std::thread([st, name] {
        addrinfo hints{};
        hints.ai_family = AF_INET;
        hints.ai_socktype = SOCK_STREAM;
        addrinfo *res = nullptr;
        bool ok = ::getaddrinfo(name.c_str(), nullptr, &hints, &res) == 0 && res;
        uint32_t found = ok ? reinterpret_cast<sockaddr_in *>(res->ai_addr)->sin_addr.s_addr : 0;
        if (res) ::freeaddrinfo(res);
        std::lock_guard<std::mutex> lock(st->mu);
        st->done = true;
        st->ok = ok;
        st->addr = found;
        st->cv.notify_all();
    }).detach();
    std::unique_lock<std::mutex> lock(st->mu);
    if (!st->cv.wait_until(lock, deadline, [&] { return st->done; }) || !st->ok) return false;
    addr = st->addr;
    return true;
}

connection::~connection()
{
    close();
}

void connection::close()
{
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

bool connection::open(uint32_t addr, uint16_t port, clock::time_point deadline)
{
    close();
    fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd_ < 0) {
        error_ = std::strerror(errno);
        return false;
    }
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_port = htons(port);
    sa.sin_addr.s_addr = addr;
    if (::connect(fd_, reinterpret_cast<sockaddr *>(&sa), sizeof sa) != 0) {
        if (errno != EINPROGRESS && errno != EINTR) {
            error_ = std::strerror(errno);
            close();
            return false;
        }
        if (!wait_for(fd_, POLLOUT, deadline, error_)) {
            close();
            return false;
        }
        int err = 0;
        socklen_t len = sizeof err;
        if (::getsockopt(fd_, SOL_SOCKET, SO_ERROR, &err, &len) != 0 || err != 0) {
            error_ = std::strerror(err ? err : errno);
            close();
            return false;
        }
    }
    return true;
}

bool connection::send_all(const void *data, std::size_t size, clock::time_point deadline)
{
    const char *p = static_cast<const char *>(data);
    while (size > 0) {
        if (fd_ < 0) return false;
        ssize_t n = ::send(fd_, p, size, MSG_NOSIGNAL);
        if (n > 0) {
            p += n;
            size -= static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (!wait_for(fd_, POLLOUT, deadline, error_)) return false;
            continue;
        }
        error_ = std::strerror(errno);
        return false;
    }
    return true;
}

bool connection::recv_exact(void *data, std::size_t size, clock::time_point deadline)
{
    char *p = static_cast<char *>(data);
    while (size > 0) {
        if (fd_ < 0) return false;
        ssize_t n = ::recv(fd_, p, size, 0);
        if (n > 0) {
            p += n;
            size -= static_cast<std::size_t>(n);
            continue;
        }
        if (n == 0) {
            error_ = "connection closed";
            return false;
        }
        if (errno == EINTR) continue;
        if (errno == EAGAIN || errno == EWOULDBLOCK) {
            if (!wait_for(fd_, POLLIN, deadline, error_)) return false;
            continue;
        }
        error_ = std::strerror(errno);
        return false;
    }
    return true;
}

} // namespace net
