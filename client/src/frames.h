// Request frames and the reply assembler: bytes only, no sockets.
#ifndef VELALINK_FRAMES_H
#define VELALINK_FRAMES_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace velalink {

constexpr size_t recv_buf_size = 524288;

// Length-prefixed user and password (a null pointer is an empty text).
std::vector<uint8_t> login_frame(const char *user, const char *pwd);
// The 4-byte length and then exactly len bytes of sql; a null sql sends length 0.
std::vector<uint8_t> statement_frame(const char *sql, uint32_t len);
// Four 0xFF bytes.
std::vector<uint8_t> logout_frame();

enum class reply_state {
    incomplete, // more bytes are needed
    complete,   // status and payload are available
    bad,        // the length field or status byte can never make a valid reply
};

// Collects the pieces of one reply. It grows with the bytes that actually arrive,
// never with what the length field announces.
class reply_assembler {
public:
    reply_assembler() = default;
    ~reply_assembler();
    reply_assembler(const reply_assembler &) = delete;
    reply_assembler &operator=(const reply_assembler &) = delete;

    // Throws std::bad_alloc when the memory runs out.
    void append(const uint8_t *data, size_t size);
    reply_state state() const;
    // Valid once complete.
    uint8_t status() const { return buf_[4]; }
    // Every byte after the status byte, including any that followed the reply.
    const uint8_t *payload() const { return buf_ + 5; }
    size_t payload_size() const { return size_ - 5; }
    size_t size() const { return size_; }

private:
    // Grown with realloc: a large block is moved by remapping its pages, so growing neither
    // copies the bytes so far nor fills the new room with zeros first.
    uint8_t *buf_ = nullptr;
    size_t size_ = 0, cap_ = 0;
};

// The longest reason last_error() hands out, in bytes.
constexpr size_t reason_cap = 4096;

// A refusal's payload as a reason fit to show: bytes of no well-formed UTF-8 sequence
// become U+FFFD, control bytes other than tab become blanks (a NUL included, so the text
// ends where it seems to), and the text is cut to reason_cap bytes between characters.
// Reads no more of data than it keeps.
std::string reason_text(const uint8_t *data, size_t size);

// How a single-piece login reply is judged.
enum class login_verdict { accepted, refused, bad_length };
login_verdict judge_login_reply(const uint8_t *data, size_t size);

} // namespace velalink

#endif
