#include "session_io.h"

#include "result_table.h"

#include "base/utf8.h"
#include "base/wire.h"

#include <cerrno>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace vela {

namespace {
// Waits until fd is ready for events or the deadline passes. false: timed out.
bool wait_for(int fd, short events, deadline_clock::time_point deadline)
{
    for (;;) {
        int ms = -1;
        if (deadline != no_deadline()) {
            auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - deadline_clock::now());
            if (left.count() <= 0) return false;
            ms = int(std::min<long long>(left.count() + 1, 60 * 60 * 1000));
        }
        pollfd p{fd, events, 0};
        int r = ::poll(&p, 1, ms);
        if (r > 0) return true;
        if (r < 0 && errno != EINTR) return true; // the following call reports the error
    }
}
} // namespace

io_status receive_frame(int fd, frame_reader &reader, deadline_clock::time_point deadline)
{
    char buf[64 * 1024];
    for (;;) {
        size_t want = reader.wanted();
        if (want == 0) return io_status::ok;
        if (!wait_for(fd, POLLIN, deadline)) return io_status::timed_out;
        ssize_t r = ::recv(fd, buf, std::min(want, sizeof buf), MSG_DONTWAIT);
        if (r < 0 && (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK)) continue;
        if (r <= 0) return io_status::closed;
        reader.feed(buf, size_t(r));
    }
}

io_status write_all(int fd, const void *buf, size_t n, deadline_clock::time_point deadline)
{
    const char *p = static_cast<const char *>(buf);
    while (n > 0) {
        if (!wait_for(fd, POLLOUT, deadline)) return io_status::timed_out;
        ssize_t r = ::send(fd, p, n, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (r < 0 && (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK)) continue;
        if (r <= 0) return io_status::closed;
        p += r;
        n -= size_t(r);
    }
    return io_status::ok;
}

bool parse_login_body(const std::string &body, login_request &out)
{
    const uint8_t *p = reinterpret_cast<const uint8_t *>(body.data());
    size_t n = body.size();
    if (n < 8) return false;
    uint64_t u = wire::le32(p);
    if (4 + u + 4 > n) return false;
    uint64_t pw = wire::le32(p + 4 + u);
    if (8 + u + pw != n) return false;
    out.user.assign(body, 4, size_t(u));
    out.password.assign(body, size_t(8 + u), size_t(pw));
    return true;
}

std::string log_text(const std::string &text, size_t max_bytes)
{
    // Only the head is ever shown, so only the head is converted.
    std::string line = utf8::sanitise(text.substr(0, max_bytes + 4));
    for (char &c : line)
        if ((unsigned char)c < 0x20 || c == 0x7f) c = ' ';
    if (line.size() <= max_bytes) return line;
    line.resize(utf8::cut_point(line.data(), line.size(), max_bytes));
    return line + "...";
}

io_status send_reply(int fd, uint8_t status, const std::string &payload,
                     deadline_clock::time_point deadline)
{
    std::string head;
    uint64_t l = uint64_t(payload.size()) + 1;
    if (l >= wire::logout_marker) return io_status::closed;
    put_u32(head, uint32_t(l));
    head.push_back(char(status));
    if (payload.size() < 65536) {
        head += payload;
        return write_all(fd, head.data(), head.size(), deadline);
    }
    io_status s = write_all(fd, head.data(), head.size(), deadline);
    return s != io_status::ok ? s : write_all(fd, payload.data(), payload.size(), deadline);
}

} // namespace vela
