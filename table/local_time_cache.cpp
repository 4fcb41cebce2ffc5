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
    return QDateTime(QDate::fromJulianDay(julian_day), QTime::fromMSecsSinceStartOfDay(msecs),
                     Qt::LocalTime)
        .toMSecsSinceEpoch();
}

int64_t local_time_cache::epoch_msecs(int32_t julian_day, int32_t msecs)
{
    if (!have_last_ || julian_day != last_day_) {
        auto found = offsets_.find(julian_day);
        if (found == offsets_.end()) {
            const int64_t first = local_msecs(julian_day, 0) - by_zone(julian_day, 0);
            const int64_t last = local_msecs(julian_day, int32_t(day_msecs - 1)) -
                                 by_zone(julian_day, int32_t(day_msecs - 1));
            found = offsets_.emplace(julian_day, first == last ? first : mixed).first;
        }
        have_last_ = true;
        last_day_ = julian_day;
        last_offset_ = found->second;
    }
    if (last_offset_ == mixed) return by_zone(julian_day, msecs);
    return local_msecs(julian_day, msecs) - last_offset_;
}
