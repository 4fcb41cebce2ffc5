#pragma once
// Blocking socket helpers and the frame reader of one client session. Nothing here knows
// about statements: it moves bytes and checks lengths.
#include <cstddef>
#include <cstdint>
#include <string>

namespace vela {

// Reads exactly n bytes; false on end of stream or error (EINTR is retried).
bool read_exact(int fd, void *buf, size_t n);
// Writes all bytes; false on error. Never raises SIGPIPE.
bool write_all(int fd, const void *buf, size_t n);

enum class frame_status { ok, closed, logout, too_long, malformed };

// Reads one statement frame: a 4-byte length, then that many bytes. 0xFFFFFFFF is the
// logout frame; a length over max_len is refused before anything is allocated.
frame_status read_statement(int fd, uint32_t max_len, std::string &text);

struct login_request {
    std::string user, password;
};
// Reads the login frame (body length, then user and password each with a 4-byte length).
// The inner lengths must add up to the body length exactly.
frame_status read_login(int fd, uint32_t max_len, login_request &out);
bool parse_login_body(const std::string &body, login_request &out);

// The text with every byte that is not part of a well-formed UTF-8 sequence replaced by
// U+FFFD: a refusal's reason quotes names and values, which may hold any byte.
std::string valid_utf8(const std::string &text);

// Sends a reply: length L = 1 + payload size, status byte, payload.
bool send_reply(int fd, uint8_t status, const std::string &payload);

} // namespace vela
