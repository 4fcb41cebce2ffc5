#include "frames.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "base/utf8.h"
#include "base/wire.h"

namespace velalink {

namespace {

uint32_t text_len(const char *text)
{
    return text ? static_cast<uint32_t>(std::strlen(text)) : 0;
}

// Writes a 4-byte length and the text's bytes at p; returns the end.
uint8_t *put_text(uint8_t *p, const char *text, uint32_t len)
{
    wire::put_le32(p, len);
    if (len) std::memcpy(p + 4, text, len);
    return p + 4 + len;
}

} // namespace

std::vector<uint8_t> login_frame(const char *user, const char *pwd)
{
    uint32_t u = text_len(user), p = text_len(pwd);
    std::vector<uint8_t> out(12 + static_cast<size_t>(u) + p);
    wire::put_le32(out.data(), 8 + u + p);
    put_text(put_text(out.data() + 4, user, u), pwd, p);
    return out;
}

std::vector<uint8_t> statement_frame(const char *sql, uint32_t len)
{
    if (!sql) len = 0;
    std::vector<uint8_t> out(4 + static_cast<size_t>(len));
    put_text(out.data(), sql, len);
    return out;
}

std::vector<uint8_t> logout_frame()
{
    std::vector<uint8_t> out(wire::length_size);
    wire::put_le32(out.data(), wire::logout_marker);
    return out;
}

reply_assembler::~reply_assembler()
{
    std::free(buf_);
}

void reply_assembler::append(const uint8_t *data, size_t size)
{
    if (size_ + size > cap_) {
        size_t cap = (size_ + size) * 2;
        void *p = std::realloc(buf_, cap);
        if (!p) throw std::bad_alloc();
        buf_ = static_cast<uint8_t *>(p);
        cap_ = cap;
    }
    std::memcpy(buf_ + size_, data, size);
    size_ += size;
}

reply_state reply_assembler::state() const
{
    if (size_ < 4) return reply_state::incomplete;
    uint32_t len = wire::le32(buf_);
    // No length announces a reply of its own: 0 has no room for the status byte and
    // 0xFFFFFFFF is the logout marker.
    if (len == 0 || len == wire::logout_marker) return reply_state::bad;
    if (size_ >= 5 && buf_[4] > 1) return reply_state::bad;
    if (size_ - 4 < len) return reply_state::incomplete;
    return reply_state::complete;
}

std::string reason_text(const uint8_t *data, size_t size)
{
    const char *s = reinterpret_cast<const char *>(data);
    std::string out;
    size_t i = 0;
    while (i < size) {
        const int len = utf8::seq_len(s, size, i);
        if (out.size() + (len ? static_cast<size_t>(len) : 3) > reason_cap) break;
        if (len == 0) {
            out += utf8::replacement_bytes;
            ++i;
        } else if (len == 1) {
            const unsigned char c = data[i++];
            out += (c < 0x20 && c != '\t') || c == 0x7F ? ' ' : static_cast<char>(c);
        } else {
            out.append(s + i, static_cast<size_t>(len));
            i += static_cast<size_t>(len);
        }
    }
    return out;
}

login_verdict judge_login_reply(const uint8_t *data, size_t size)
{
    if (size < 4) return login_verdict::bad_length;
    uint32_t len = wire::le32(data);
    // L = 0 carries no status byte to judge.
    if (len == 0 || len == wire::logout_marker || size - 4 < len) return login_verdict::bad_length;
    return data[4] == 1 ? login_verdict::refused : login_verdict::accepted;
}

} // namespace velalink
