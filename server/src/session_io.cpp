#include "session_io.h"

#include "result_table.h"

#include <cerrno>
#include <sys/socket.h>
#include <unistd.h>

namespace vela {

bool read_exact(int fd, void *buf, size_t n)
{
    char *p = static_cast<char *>(buf);
    while (n > 0) {
        ssize_t r = ::recv(fd, p, n, 0);
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) return false;
        p += r;
        n -= size_t(r);
    }
    return true;
}

bool write_all(int fd, const void *buf, size_t n)
{
    const char *p = static_cast<const char *>(buf);
    while (n > 0) {
        ssize_t r = ::send(fd, p, n, MSG_NOSIGNAL);
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) return false;
        p += r;
        n -= size_t(r);
    }
    return true;
}

namespace {
// Reads a body of n bytes in slices, so that a peer announcing a large frame and then
// sending little costs memory only for what actually arrived.
bool read_body(int fd, uint32_t n, std::string &out)
{
    out.clear();
    const size_t slice = 1 << 20;
    while (out.size() < n) {
        size_t take = std::min<size_t>(slice, n - out.size());
        size_t old = out.size();
        out.resize(old + take);
        if (!read_exact(fd, &out[old], take)) return false;
    }
    return true;
}
} // namespace

frame_status read_statement(int fd, uint32_t max_len, std::string &text)
{
    uint8_t len_bytes[4];
    if (!read_exact(fd, len_bytes, 4)) return frame_status::closed;
    uint32_t n = get_u32(len_bytes);
    if (n == 0xFFFFFFFFu) return frame_status::logout;
    if (n > max_len) return frame_status::too_long;
    if (!read_body(fd, n, text)) return frame_status::closed;
    return frame_status::ok;
}

bool parse_login_body(const std::string &body, login_request &out)
{
    const uint8_t *p = reinterpret_cast<const uint8_t *>(body.data());
    size_t n = body.size();
    if (n < 8) return false;
    uint64_t u = get_u32(p);
    if (4 + u + 4 > n) return false;
    uint64_t pw = get_u32(p + 4 + u);
    if (8 + u + pw != n) return false;
    out.user.assign(body, 4, size_t(u));
    out.password.assign(body, size_t(8 + u), size_t(pw));
    return true;
}

frame_status read_login(int fd, uint32_t max_len, login_request &out)
{
    uint8_t len_bytes[4];
    if (!read_exact(fd, len_bytes, 4)) return frame_status::closed;
    uint32_t n = get_u32(len_bytes);
    if (n == 0xFFFFFFFFu) return frame_status::logout;
    // A login never needs more than two short texts (a user name of at most 255 bytes and
    // a password of at most 1024); anything much longer is not a login.
    if (n > max_len || n > 4096) return frame_status::too_long;
    std::string body;
    if (!read_body(fd, n, body)) return frame_status::closed;
    if (!parse_login_body(body, out)) return frame_status::malformed;
    return frame_status::ok;
}

std::string valid_utf8(const std::string &text)
{
    std::string out;
    out.reserve(text.size());
    const auto *p = reinterpret_cast<const uint8_t *>(text.data());
    size_t n = text.size(), i = 0;
    auto cont = [&](size_t k) { return i + k < n && (p[i + k] & 0xC0) == 0x80; };
    while (i < n) {
        uint8_t b = p[i];
        size_t len = 0;
        if (b < 0x80)
            len = 1;
        else if (b >= 0xC2 && b <= 0xDF && cont(1))
            len = 2;
        else if (b >= 0xE0 && b <= 0xEF && cont(1) && cont(2)) {
            uint8_t b1 = p[i + 1];
            if ((b != 0xE0 || b1 >= 0xA0) && (b != 0xED || b1 <= 0x9F)) len = 3;
        } else if (b >= 0xF0 && b <= 0xF4 && cont(1) && cont(2) && cont(3)) {
            uint8_t b1 = p[i + 1];
            if ((b != 0xF0 || b1 >= 0x90) && (b != 0xF4 || b1 <= 0x8F)) len = 4;
        }
        if (len == 0) {
            out += "\xEF\xBF\xBD";
            ++i;
        } else {
            out.append(text, i, len);
            i += len;
        }
    }
    return out;
}

bool send_reply(int fd, uint8_t status, const std::string &payload)
{
    std::string head;
    uint64_t l = uint64_t(payload.size()) + 1;
    if (l >= 0xFFFFFFFFu) return false;
    put_u32(head, uint32_t(l));
    head.push_back(char(status));
    if (payload.size() < 65536) {
        head += payload;
        return write_all(fd, head.data(), head.size());
    }
    return write_all(fd, head.data(), head.size()) && write_all(fd, payload.data(), payload.size());
}

} // namespace vela
