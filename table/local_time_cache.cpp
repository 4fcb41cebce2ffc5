#include "local_time_cache.h"

#include <QDateTime>

namespace {

constexpr int64_t day_msecs = 86400000;
constexpr int64_t epoch_day = 2440588; // julian day of 1970-01-01

int64_t local_msecs(int32_t julian_day, int32_t msecs)
{
    return (int64_t(julian_day) - epoch_day) * day_msecs + msecs;
}

} // namespace

int64_t local_time_cache::by_zone(int32_t julian_day, int32_t msecs)
{
    const QDateTime at(QDate::fromJulianDay(julian_day), QTime::fromMSecsSinceStartOfDay(msecs),
                       Qt::LocalTime);
    return at.isValid() ? at.toMSecsSinceEpoch() : INT64_MIN;
}

int64_t local_time_cache::offset_of(int32_t julian_day)
{
    if (!have_last_ || julian_day != last_day_) {
        auto found = offsets_.find(julian_day);
        if (found == offsets_.end()) {
            const int32_t end = int32_t(day_msecs - 1);
            const int64_t at_first = by_zone(julian_day, 0), at_last = by_zone(julian_day, end);
            int64_t offset = mixed;
            if (at_first != INT64_MIN && at_last != INT64_MIN &&
                local_msecs(julian_day, 0) - at_first == local_msecs(julian_day, end) - at_last)
                offset = local_msecs(julian_day, 0) - at_first;
            found = offsets_.emplace(julian_day, offset).first;
        }
        have_last_ = true;
        last_day_ = julian_day;
        last_offset_ = found->second;
    }
    return last_offset_;
}

bool local_time_cache::plain_day(int32_t julian_day)
{
    return offset_of(julian_day) != mixed;
}

int64_t local_time_cache::epoch_msecs(int32_t julian_day, int32_t msecs)
{
    const int64_t offset = offset_of(julian_day);
    if (offset == mixed) return by_zone(julian_day, msecs);
    return local_msecs(julian_day, msecs) - offset;
}
