// Reading the dotted IPv4 texts that callers pass to connect_to_server.
#ifndef VELALINK_ADDRESS_H
#define VELALINK_ADDRESS_H

#include <cstdint>

namespace velalink {

// Four decimal parts of one to three digits, each 0 to 255, separated by dots; leading
// zeros are allowed and still decimal. The address comes back in host byte order.
// False for anything else (null included).
bool parse_ipv4(const char *text, uint32_t &address);

} // namespace velalink

#endif
