#include "text/unix_time.h"

#include <cmath>

namespace orvex {
namespace {

constexpr double kFirstSecond = -62135596800.0;  // 0001-01-01 00:00:00
constexpr double kLastSecond = 253402300799.0;   // 9999-12-31 23:59:59
constexpr std::int64_t kSecondsPerDay = 86400;

// Gregorian civil date of a day count since 1970-01-01 (Howard Hinnant's
// days-to-civil algorithm, exact over the whole proleptic calendar).
void CivilFromDays(std::int64_t days, DateTime& dt) {
    const std::int64_t z = days + 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    dt.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    dt.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    dt.year = static_cast<int>(yoe + era * 400 + (dt.month <= 2 ? 1 : 0));
}

}  // namespace

DateValue UnixTimeToDate(double seconds) {
    if (!(seconds >= kFirstSecond && seconds <= kLastSecond)) {
        return std::nullopt;  // also catches NaN
    }
    const auto whole = static_cast<std::int64_t>(std::floor(seconds));
    std::int64_t days = whole / kSecondsPerDay;
    std::int64_t secondOfDay = whole % kSecondsPerDay;
    if (secondOfDay < 0) {
        secondOfDay += kSecondsPerDay;
        --days;
    }
    // Timestamps of a log come day after day: keep the last day's calendar.
    thread_local DateTime lastDay = [] {
        DateTime first;
        CivilFromDays(0, first);
        return first;
    }();
    if (lastDay.dayNumber != days) {
        lastDay.dayNumber = days;
        CivilFromDays(days, lastDay);
    }
    DateTime dt = lastDay;
    dt.hour = static_cast<int>(secondOfDay / 3600);
    dt.minute = static_cast<int>(secondOfDay / 60 % 60);
    dt.second = static_cast<int>(secondOfDay % 60);
    const std::int64_t weekdayFromMonday = ((days % 7) + 7 + 3) % 7;  // day 0 is a Thursday
    dt.weekday = static_cast<int>(weekdayFromMonday + 1);
    return dt;
}

}  // namespace orvex
