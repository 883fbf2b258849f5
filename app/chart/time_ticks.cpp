#include "app/chart/time_ticks.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "text/locale_format.h"
#include "text/unix_time.h"

namespace orvex {
namespace {

constexpr double kDay = 86400;

constexpr std::array<double, 18> kSteps = {
    1, 2, 5, 10, 15, 30, 60, 120, 300, 600, 900, 1800, 3600, 7200, 10800, 21600, 43200, kDay,
};

}  // namespace

TimeTicks ChooseTimeTicks(const TimeSpan& span, double width, double minPitch) {
    if (span.Length() <= 0) {
        return {span.first, 1};
    }
    // However narrow the plot, a tick or two: never millions.
    const double minStep = minPitch * span.Length() / std::max(width, 1.0);
    double step = kSteps.back();
    for (const double candidate : kSteps) {
        if (candidate >= minStep) {
            step = candidate;
            break;
        }
    }
    if (step == kDay && minStep > kDay) {
        step = 2 * kDay;
        if (step < minStep) {
            step = 7 * kDay;
        }
        while (step < minStep) {
            step *= 2;
        }
    }
    return {std::ceil(span.first / step) * step, step};
}

bool CrossesMidnight(const TimeSpan& span) {
    return std::floor(span.first / kDay) != std::floor(span.last / kDay);
}

std::string TickLabel(const LocaleFormat& format, double time, const TimeTicks& ticks,
                      bool withDate) {
    const DateValue date = UnixTimeToDate(time);
    if (!date) {
        return {};
    }
    if (ticks.step >= kDay) {
        return format.DateText(*date);
    }
    std::string label = format.TimeOfDayText(*date);
    if (withDate) {
        label += '\n';
        label += format.DateText(*date);
    }
    return label;
}

}  // namespace orvex
