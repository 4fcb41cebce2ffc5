// Hand-built result payloads and values for the client tests.
#ifndef VELA_TEST_PAYLOAD_BUILDER_H
#define VELA_TEST_PAYLOAD_BUILDER_H

#include <cstdint>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "scripted_peer.h"

namespace vela_test {

struct column_desc {
    std::string name;
    uint8_t width_code;
    uint8_t unsigned_flag;
    uint8_t kind;
};

// One row: its sid and the already encoded values.
using row_bytes = std::pair<uint64_t, std::string>;

inline std::string make_payload(const std::vector<column_desc> &cols,
                                const std::vector<row_bytes> &rows)
{
    std::string p = le_u64(cols.size());
    for (const column_desc &c : cols) p += le_u64(c.name.size()) + c.name;
    p += le_u64(rows.size());
    if (rows.empty()) return p;
    for (const column_desc &c : cols) {
        p += static_cast<char>(c.width_code);
        p += static_cast<char>(c.unsigned_flag);
        p += static_cast<char>(c.kind);
    }
    for (const row_bytes &r : rows) p += le_u64(r.first) + r.second;
    return p;
}

inline std::string v_int(uint64_t v, int bytes)
{
    return le_u64(v).substr(0, static_cast<size_t>(bytes));
}
inline std::string v_float(float f)
{
    uint32_t b;
    std::memcpy(&b, &f, 4);
    return le_u32(b);
}
inline std::string v_double(double d)
{
    uint64_t b;
    std::memcpy(&b, &d, 8);
    return le_u64(b);
}
inline std::string v_str(const std::string &s)
{
    return le_u16(static_cast<uint16_t>(s.size())) + s;
}
inline std::string v_date(int y, int m, int d)
{
    return le_u16(static_cast<uint16_t>(y)) + static_cast<char>(m) + static_cast<char>(d);
}
inline std::string v_time(int h, int mi, int s, uint32_t frac)
{
    return std::string{static_cast<char>(h), static_cast<char>(mi), static_cast<char>(s)} +
           le_u32(frac);
}
inline std::string v_datetime(int y, int m, int d, int h, int mi, int s, uint32_t frac)
{
    return v_date(y, m, d) + v_time(h, mi, s, frac);
}

} // namespace vela_test

#endif
