#pragma once
// Socket side of one client session: moves bytes between the socket and the frame reader,
// each wait bounded by a deadline. Nothing here knows about statements.
#include "frame_reader.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

namespace vela {

using deadline_clock = std::chrono::steady_clock;
// No deadline at all.
inline deadline_clock::time_point no_deadline()
{
    return deadline_clock::time_point::max();
}

enum class io_status { ok, closed, timed_out };

// Receives until the reader holds something other than a partial frame (a whole frame,
// the logout frame or a refusal), the peer closes, or the deadline passes.
io_status receive_frame(int fd, frame_reader &reader, deadline_clock::time_point deadline);

// Writes all bytes by the deadline; closed on error or a peer gone. Never raises SIGPIPE.
io_status write_all(int fd, const void *buf, size_t n, deadline_clock::time_point deadline);

struct login_request {
    std::string user, password;
};
// A login frame's body: user and password, each with a 4-byte length. The inner lengths
// must add up to the body length exactly.
bool parse_login_body(const std::string &body, login_request &out);
// A login never needs more than two short texts (a user name of at most 255 bytes and a
// password of at most 1024); a longer frame is not a login.
const uint32_t max_login_frame = 4096;

// One log line from any text: valid UTF-8, control bytes as blanks, and at most max_bytes
// (cut on a character boundary, "..." added), whatever a peer put into names or reasons.
std::string log_text(const std::string &text, size_t max_bytes = 400);

// Sends a reply: length L = 1 + payload size, status byte, payload.
io_status send_reply(int fd, uint8_t status, const std::string &payload,
                     deadline_clock::time_point deadline);

} // namespace vela
