#pragma once

#include <cstdint>
#include <optional>

namespace orvex {

// A UTC calendar date and time with one-second resolution.
struct DateTime {
    std::int64_t dayNumber = 0;  // days since 1970-01-01
    int year = 1970;
    int month = 1;  // 1..12
    int day = 1;    // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
    int weekday = 4;  // 1 = Monday .. 7 = Sunday; 1970-01-01 was a Thursday

    int SecondOfDay() const { return hour * 3600 + minute * 60 + second; }
    bool IsMidnight() const { return SecondOfDay() == 0; }
    bool operator==(const DateTime&) const = default;
};

// The date value: empty when the seconds fall outside the years 1..9999.
using DateValue = std::optional<DateTime>;

// Seconds since 1970-01-01 00:00:00 UTC to a date; never fails, and every
// whole count from 0 to 4294967295 (the frames' unsigned timestamps) gives a
// date, up to 2106-02-07 06:28:15.
DateValue UnixTimeToDate(double seconds);

}  // namespace orvex
