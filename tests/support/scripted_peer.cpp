#include "scripted_peer.h"

#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace vela_test {

namespace {
constexpr int poll_ms = 20;
}

scripted_peer::scripted_peer()
{
    listen_fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
    if (listen_fd_ < 0) throw std::runtime_error("scripted_peer: socket failed");
    int one = 1;
    ::setsockopt(listen_fd_, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;
    if (::bind(listen_fd_, reinterpret_cast<sockaddr *>(&addr), sizeof addr) != 0 ||
        ::listen(listen_fd_, 4) != 0) {
        ::close(listen_fd_);
        throw std::runtime_error("scripted_peer: bind/listen failed");
    }
    socklen_t len = sizeof addr;
    ::getsockname(listen_fd_, reinterpret_cast<sockaddr *>(&addr), &len);
    port_ = ntohs(addr.sin_port);
    thread_ = std::thread([this] { run(); });
}

bound_port::bound_port()
{
    fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd_ < 0) throw std::runtime_error("bound_port: socket failed");
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    if (::bind(fd_, reinterpret_cast<sockaddr *>(&addr), sizeof addr) != 0 ||
        ::getsockname(fd_, reinterpret_cast<sockaddr *>(&addr), &len) != 0) {
        ::close(fd_);
        throw std::runtime_error("bound_port: bind failed");
    }
    port_ = ntohs(addr.sin_port);
}

bound_port::~bound_port()
{
    ::close(fd_);
}

scripted_peer::~scripted_peer()
{
    {
        std::lock_guard<std::mutex> lock(mu_);
        stop_ = true;
    }
    cv_.notify_all();
    thread_.join();
    ::close(listen_fd_);
}

void scripted_peer::answer(const std::string &bytes)
{
    queue(peer_answer{{bytes}, 0, false});
}

void scripted_peer::answer_in_pieces(std::vector<std::string> pieces, int pause_ms)
{
    queue(peer_answer{std::move(pieces), pause_ms, false});
}

void scripted_peer::answer_and_close(const std::string &bytes)
{
    queue(peer_answer{{bytes}, 0, true});
}

void scripted_peer::close_on_next_frame()
{
    queue(peer_answer{{}, 0, true});
}

void scripted_peer::close_on_accept()
{
    std::lock_guard<std::mutex> lock(mu_);
    ++close_on_accept_;
}

void scripted_peer::queue(peer_answer a)
{
    std::lock_guard<std::mutex> lock(mu_);
    script_.push_back(std::move(a));
}

std::vector<std::string> scripted_peer::frames() const
{
    std::lock_guard<std::mutex> lock(mu_);
    return frames_;
}

bool scripted_peer::wait_frames(size_t n, int timeout_ms) const
{
    std::unique_lock<std::mutex> lock(mu_);
    return cv_.wait_for(lock, std::chrono::milliseconds(timeout_ms),
                        [&] { return frames_.size() >= n; });
}

bool scripted_peer::wait_disconnect(int timeout_ms) const
{
    std::unique_lock<std::mutex> lock(mu_);
    return cv_.wait_for(lock, std::chrono::milliseconds(timeout_ms), [&] { return !connected_; });
}

bool scripted_peer::stopping() const
{
    std::lock_guard<std::mutex> lock(mu_);
    return stop_;
}

void scripted_peer::run()
{
    while (!stopping()) {
        pollfd p{listen_fd_, POLLIN, 0};
        if (::poll(&p, 1, poll_ms) <= 0) continue;
        int fd = ::accept(listen_fd_, nullptr, nullptr);
        if (fd < 0) continue;
        bool hang_up = false;
        {
            std::lock_guard<std::mutex> lock(mu_);
            connected_ = true;
            if (close_on_accept_ > 0) {
                --close_on_accept_;
                hang_up = true;
            }
        }
        if (!hang_up && serve(fd)) {
            linger lg{1, 0};
            ::setsockopt(fd, SOL_SOCKET, SO_LINGER, &lg, sizeof lg);
        }
        ::close(fd);
        {
            std::lock_guard<std::mutex> lock(mu_);
            connected_ = false;
            ++disconnects_;
        }
        cv_.notify_all();
    }
}

bool scripted_peer::read_exact(int fd, char *buf, size_t size)
{
    while (size > 0) {
        if (stopping()) return false;
        pollfd p{fd, POLLIN, 0};
        int rc = ::poll(&p, 1, poll_ms);
        if (rc < 0 && errno != EINTR) return false;
        if (rc <= 0) continue;
        ssize_t n = ::recv(fd, buf, size, 0);
        if (n == 0) return false;
        if (n < 0) {
            if (errno == EINTR || errno == EAGAIN) continue;
            return false;
        }
        buf += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

bool scripted_peer::send_all(int fd, const std::string &bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::send(fd, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
        if (n < 0) {
            if (errno == EINTR || errno == EAGAIN) continue;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

bool scripted_peer::serve(int fd)
{
    for (;;) {
        char head[4];
        if (!read_exact(fd, head, 4)) return false;
        uint32_t len = static_cast<uint8_t>(head[0]) | static_cast<uint8_t>(head[1]) << 8 |
                       static_cast<uint8_t>(head[2]) << 16 |
                       static_cast<uint32_t>(static_cast<uint8_t>(head[3])) << 24;
        std::string frame(head, 4);
        if (len != 0xFFFFFFFFu) {
            frame.resize(4 + static_cast<size_t>(len));
            if (len && !read_exact(fd, &frame[4], len)) return false;
        }
        peer_answer a;
        bool have = false;
        {
            std::lock_guard<std::mutex> lock(mu_);
            frames_.push_back(frame);
            // Nobody answers a logout, so it takes nothing from the script.
            if (len != 0xFFFFFFFFu && !script_.empty()) {
                a = std::move(script_.front());
                script_.pop_front();
                have = true;
            }
        }
        cv_.notify_all();
        if (!have) continue;
        for (size_t i = 0; i < a.pieces.size(); ++i) {
            if (i > 0 && a.pause_ms > 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(a.pause_ms));
            if (!send_all(fd, a.pieces[i])) return false;
        }
        if (a.close_after) return a.reset;
    }
}

std::string le_u16(uint16_t v)
{
    return std::string{static_cast<char>(v), static_cast<char>(v >> 8)};
}

std::string le_u32(uint32_t v)
{
    std::string s(4, '\0');
    for (int i = 0; i < 4; ++i) s[i] = static_cast<char>(v >> (8 * i));
    return s;
}

std::string le_u64(uint64_t v)
{
    std::string s(8, '\0');
    for (int i = 0; i < 8; ++i) s[i] = static_cast<char>(v >> (8 * i));
    return s;
}

std::string reply_frame(uint8_t status, const std::string &payload)
{
    return le_u32(static_cast<uint32_t>(payload.size() + 1)) + static_cast<char>(status) + payload;
}

} // namespace vela_test
