// The few operating-system services the library needs, one small layer so that
// another platform is one file. All calls report errors through errno-style codes.
#ifndef VELALINK_PLATFORM_H
#define VELALINK_PLATFORM_H

#include <cstddef>
#include <cstdint>

namespace velalink {
namespace plat {

using sock_t = int;
constexpr sock_t bad_sock = -1;

enum class sock_opt { reuse_addr, rcv_buf, snd_buf, keep_alive };

// Start-up and clean-up of the socket library; nothing to do on POSIX.
bool net_startup();
void net_cleanup();

// The error code of the last failing call, and its text.
int last_error();
const char *error_text(int code);
// True when code means "try again later" rather than a failure.
bool would_block(int code);

sock_t sock_open();
bool sock_set(sock_t s, sock_opt opt, int value);
// Connects to a dotted decimal IPv4 address (see parse_ipv4; anything else fails).
// Blocking.
bool sock_connect(sock_t s, const char *ip, uint16_t port);
// Sends all bytes (retrying interrupted and partial sends). A peer that has gone
// away yields an error, never a signal. Returns false on failure.
bool sock_send(sock_t s, const void *data, size_t size);
// One receive of at most size bytes: > 0 bytes read, 0 end of stream, -1 error.
// Interrupted and would-block results are retried here.
long sock_recv(sock_t s, void *buf, size_t size);
void sock_close(sock_t s);

// Memory for the big arrays of a result set. Large blocks are laid out so that the
// system can back them with huge pages, which saves most of the page faults of a
// million-row result. Null when out of memory; release with free_large.
void *alloc_large(size_t size);
void free_large(void *p);

// Writes bytes to the console (standard output), bypassing and flushing the C
// library's buffer so that the order with printf output is kept.
void console_write(const char *data, size_t size);

} // namespace plat
} // namespace velalink

#endif
