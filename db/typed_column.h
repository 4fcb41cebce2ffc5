#pragma once
// One column of a loaded result, stored for its type: numbers in an array of their own
// width, the texts of a string column in one byte block with an offset per value. A
// million-row result then costs about what its values take, instead of an object per
// cell. Filled once at load and read-only afterwards; edits live beside it in the model.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

enum class cell_type : uint8_t {
    u8,
    i8,
    u16,
    i16,
    u32,
    i32,
    u64,
    i64,
    f32,
    f64,
    str,
    date,     // julian day as int32, date_invalid for a date that does not exist
    time,     // milliseconds since midnight as int32, -1 for a time that does not exist
    datetime, // wall-clock local date and time: julian day in the high half, msecs below
};

class typed_column {
public:
    static constexpr int32_t date_invalid = INT32_MIN;

    explicit typed_column(cell_type type);

    cell_type type() const { return type_; }
    size_t size() const { return rows_; }
    // Bytes held for values (for the memory figures).
    size_t bytes() const;

    // Room for `rows` values and, in a string column, `string_bytes` bytes of text.
    void reserve(size_t rows, size_t string_bytes = 0);
    // A fixed-width value: `width()` bytes in host order.
    void push_fixed(const void *value)
    {
        const size_t at = fixed_.size();
        fixed_.resize(at + width_);
        std::memcpy(&fixed_[at], value, width_);
        ++rows_;
    }
    void push_string(const char *bytes, size_t size);
    void push_date(int32_t julian_day) { push_fixed(&julian_day); }
    void push_time(int32_t msecs) { push_fixed(&msecs); }
    void push_datetime(int32_t julian_day, int32_t msecs)
    {
        const int64_t packed = pack(julian_day, msecs);
        push_fixed(&packed);
    }

    size_t width() const { return width_; }
    template <typename T> T fixed(size_t row) const
    {
        T v;
        static_assert(sizeof(T) <= 8, "fixed values are at most 8 bytes");
        std::memcpy(&v, &fixed_[row * width_], sizeof v);
        return v;
    }
    // The bytes of a string value (never null).
    std::pair<const char *, size_t> string_at(size_t row) const
    {
        const uint32_t from = offsets_[row], to = offsets_[row + 1];
        return {arena_.data() + from, size_t(to - from)};
    }
    static int64_t pack(int32_t julian_day, int32_t msecs)
    {
        return int64_t(uint64_t(uint32_t(julian_day)) << 32 | uint32_t(msecs));
    }
    static int32_t day_of(int64_t packed) { return int32_t(uint64_t(packed) >> 32); }
    static int32_t msecs_of(int64_t packed) { return int32_t(uint32_t(uint64_t(packed))); }

private:
    cell_type type_;
    size_t width_;
    size_t rows_ = 0;
    std::vector<unsigned char> fixed_;
    // String columns: value i is arena_[offsets_[i], offsets_[i + 1]). A result comes in
    // one frame with a 32-bit length, so its strings never outgrow 32-bit offsets.
    std::vector<uint32_t> offsets_;
    std::vector<char> arena_;
};
