#include "address.h"

namespace velalink {

// The login form lets "192.168.001.010" through. The socket library's own readers
// either refuse such parts or take a leading zero for octal and connect somewhere
// else, so the parts are read here, as the decimal numbers the user typed.
bool parse_ipv4(const char *text, uint32_t &address)
{
    if (!text) return false;
    uint32_t out = 0;
    const char *p = text;
    for (int part = 0; part < 4; ++part) {
        if (part > 0 && *p++ != '.') return false;
        unsigned value = 0;
        int digits = 0;
        while (*p >= '0' && *p <= '9' && digits < 4) {
            value = value * 10 + static_cast<unsigned>(*p++ - '0');
            ++digits;
        }
        if (digits == 0 || digits > 3 || value > 255) return false;
        out = out << 8 | value;
    }
    if (*p != '\0') return false;
    address = out;
    return true;
}

} // namespace velalink
