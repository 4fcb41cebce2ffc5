// The wire protocol between velalink and velaserver, as both ends read and write it.
//
// Every frame is a 4-byte little-endian length and then that many bytes.
//   login     client: length, then user and password, each a 4-byte length and its bytes
//   statement client: length, then the statement's bytes
//   logout    client: the length field alone, set to the logout marker
//   reply     server: length L = 1 + payload size, a status byte, the payload
// A reply with status ok carries a result set (empty for a statement without one); a
// refusal carries the reason as UTF-8 text.
#pragma once

#include <cstddef>
#include <cstdint>

namespace wire {

constexpr size_t length_size = 4;
constexpr uint32_t logout_marker = 0xFFFFFFFFu;

constexpr uint8_t status_ok = 0;
constexpr uint8_t status_refused = 1;

// Value kinds as they appear in a column descriptor (width code, unsigned flag, kind).
enum kind : uint8_t {
    kind_int = 0,
    kind_real = 1,
    kind_string = 2,
    kind_date = 3,
    kind_time = 4,
    kind_datetime = 5
};

// Width codes: an integer's 0..3 are 1, 2, 4 and 8 bytes; a real's 2 is a float and 3 a
// double; a string's 4..10 are string04 to string256.
constexpr uint8_t width_string04 = 4;
constexpr uint8_t width_string256 = 10;

// Bytes of an integer or real of this width code.
inline int width_bytes(uint8_t width_code)
{
    return width_code == 0 ? 1 : width_code == 1 ? 2 : width_code == 2 ? 4 : 8;
}

// Bytes of the other values on the wire: a date is year (2 bytes), month and day; a time
// is hour, minute, second and nanoseconds (4 bytes); a datetime is both. A string is a
// 2-byte length and then its bytes.
constexpr size_t date_bytes = 4;
constexpr size_t time_bytes = 7;
constexpr size_t datetime_bytes = 11;
constexpr size_t string_length_bytes = 2;

// The type codes the client library hands out per cell (val_type).
enum type_code : int {
    type_other = -1,
    type_integer = 0,
    type_real = 1,
    type_string04 = 2, // .. type_string256
    type_string256 = 8,
    type_date = 9,
    type_time = 10,
    type_datetime = 11
};

// The column type's name ("u08", "double", "string32", ...) for a type code with its byte
// size and signedness; null for a code no column has.
inline const char *type_name(int code, int size, bool is_unsigned)
{
    static const char *const ints[2][4] = {{"i08", "i16", "i32", "i64"},
                                           {"u08", "u16", "u32", "u64"}};
    static const char *const strings[] = {"string04", "string08",  "string16", "string32",
                                          "string64", "string128", "string256"};
    switch (code) {
    case type_integer:
        return ints[is_unsigned ? 1 : 0][size == 1 ? 0 : size == 2 ? 1 : size == 4 ? 2 : 3];
    case type_real:
        return size == 4 ? "float" : "double";
    case type_date:
        return "date";
    case type_time:
        return "time";
    case type_datetime:
        return "datetime";
    default:
        return code >= type_string04 && code <= type_string256 ? strings[code - type_string04]
                                                               : nullptr;
    }
}

// Little-endian integers at unaligned addresses.
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

} // namespace wire
