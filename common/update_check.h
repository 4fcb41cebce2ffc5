// Asking the update host whether a newer version exists: a 20-byte request (kind 100, our
// version, the CRC-32 of the program's file) and a reply of the same layout. The whole
// exchange is bounded, so a silent host cannot freeze the program. Qt-free.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

namespace update {

constexpr uint32_t message_kind = 100;
constexpr std::size_t message_size = 20;
constexpr uint16_t port = 13556;
constexpr uint32_t major = 0, minor = 2, patch = 0;
// Whole exchange, from resolving the name to the last reply byte.
constexpr std::chrono::milliseconds time_limit{5000};

// CRC-32 with the reflected polynomial 0xEDB88320; `crc` continues an earlier value.
uint32_t crc32(const void *data, std::size_t size, uint32_t crc = 0);
// CRC-32 of a whole file; false when it cannot be read.
bool file_crc32(const std::string &path, uint32_t &crc);

std::string request(uint32_t check);

enum class verdict { failed, newer, latest };
// What a reply means; anything but 20 bytes of kind 100 is a failure.
verdict judge(const std::string &reply);

// Where to ask: VELA_UPDATE_HOST ("name" or "name:port") when set, else a name of ours that
// never resolves, so that nothing leaves the machine. The port defaults to `port`.
struct endpoint {
    std::string host;
    uint16_t port;
};
endpoint where();

// The full exchange with host:port. Failures print one line to standard output.
verdict check(const std::string &host, uint16_t port, uint32_t check_value,
              std::chrono::milliseconds limit = time_limit);

} // namespace update
