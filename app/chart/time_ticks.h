#pragma once

#include <string>

#include "telemetry/channel_history.h"

namespace orvex {

class LocaleFormat;

// The ticks of a time axis: every `step` seconds from `first`, on whole steps
// of UTC time, so that ticks a day apart fall on midnights.
struct TimeTicks {
    double first = 0;
    double step = 1;
};

// The shortest of the usual steps (1, 2, 5, 10, 15, 30 seconds, as many
// minutes, 1, 2, 3, 6, 12 hours, 1, 2 days, then weeks doubling) that keeps
// ticks at least `minPitch` pixels apart on a plot `width` pixels wide.
TimeTicks ChooseTimeTicks(const TimeSpan& span, double width, double minPitch);

// Whether the span holds a midnight (UTC) and its labels need dates.
bool CrossesMidnight(const TimeSpan& span);

// A tick's label: the time of day, then on a line of its own the date when
// the span crosses midnight; the date alone when ticks are a day or more
// apart.
std::string TickLabel(const LocaleFormat& format, double time, const TimeTicks& ticks,
                      bool withDate);

}  // namespace orvex
