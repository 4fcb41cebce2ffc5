#pragma once
// Local date-times to milliseconds since the epoch, as QDateTime in local time gives
// them, without asking the time zone for every value. The zone's offset is looked up
// once per day and kept; a day whose offset is not the same at its first and its last
// millisecond (a daylight-saving change) is left to QDateTime value by value.

#include <cstdint>
#include <unordered_map>

class local_time_cache {
public:
    // `julian_day` and `msecs` (since midnight) of a valid date and time; INT64_MIN for a
    // local time that does not exist (skipped by a change to summer time).
    int64_t epoch_msecs(int32_t julian_day, int32_t msecs);

    // Whether every local time of the day exists once, at one offset from UTC.
    bool plain_day(int32_t julian_day);
    void clear() { *this = local_time_cache(); }

private:
    int64_t offset_of(int32_t julian_day);
    static int64_t by_zone(int32_t julian_day, int32_t msecs);

    static constexpr int64_t mixed = INT64_MIN;    // the offset changes within the day
    std::unordered_map<int32_t, int64_t> offsets_; // local minus UTC, by day
    bool have_last_ = false;
    int32_t last_day_ = 0;
    int64_t last_offset_ = mixed;
};
