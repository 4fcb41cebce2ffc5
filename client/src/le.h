// Little-endian integer access to unaligned bytes.
#ifndef VELALINK_LE_H
#define VELALINK_LE_H

#include <cstdint>

namespace velalink {

inline uint16_t le16(const uint8_t *p)
{
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
inline uint32_t le32(const uint8_t *p)
{
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}
inline uint64_t le64(const uint8_t *p)
{
    return le32(p) | static_cast<uint64_t>(le32(p + 4)) << 32;
}

inline void put_le32(uint8_t *p, uint32_t v)
{
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
    p[2] = static_cast<uint8_t>(v >> 16);
    p[3] = static_cast<uint8_t>(v >> 24);
}

} // namespace velalink

#endif
