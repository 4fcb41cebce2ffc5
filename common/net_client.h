// Outgoing TCP connections for the program itself (the update check), with every step
// bounded by one deadline. One small layer so that another platform is one file. Qt-free.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

namespace net {

using clock = std::chrono::steady_clock;

// Resolves a host name (or dotted address) to an IPv4 address in network byte order.
// Names under ".invalid" never resolve and are not asked of any name server. False on
// failure or when the deadline passes first.
bool resolve_ipv4(const std::string &host, uint32_t &addr, clock::time_point deadline);

// A connected socket, closed on destruction.
class connection {
public:
    connection() = default;
    ~connection();
    connection(const connection &) = delete;
    connection &operator=(const connection &) = delete;

    // Connects to addr:port; false on refusal, error or when the deadline passes.
    bool open(uint32_t addr, uint16_t port, clock::time_point deadline);
    // Sends all bytes before the deadline.
    bool send_all(const void *data, std::size_t size, clock::time_point deadline);
    // Receives exactly size bytes before the deadline; false on end of stream, error or
    // time-out.
    bool recv_exact(void *data, std::size_t size, clock::time_point deadline);
    void close();

    // Text of the last failure ("timed out", or the system's text).
    const std::string &error() const { return error_; }

private:
    int fd_ = -1;
    std::string error_;
};

} // namespace net
