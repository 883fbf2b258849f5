#include "app/chart/value_ticks.h"

#include <algorithm>
#include <cmath>

namespace orvex {
namespace {

// The round number nearest to `step` of 1, 2, 5 and 10 times its power of
// ten.
double RoundStep(double step) {
    const double power = std::pow(10, std::floor(std::log10(step)));
    const double fraction = step / power;
    if (fraction < 1.5) {
        return power;
    }
    if (fraction < 3) {
        return 2 * power;
    }
    return fraction < 7 ? 5 * power : 10 * power;
}

}  // namespace

ValueTicks ChooseValueTicks(double low, double high, int mostTicks) {
    if (!(high > low)) {
        low -= 1;
        high += 1;
    }
    mostTicks = std::max(mostTicks, 2);
    ValueTicks ticks;
    for (int asked = mostTicks; asked >= 2; --asked) {
        const double step = RoundStep((high - low) / (asked - 1));
        ticks.low = std::floor(low / step) * step;
        ticks.high = std::ceil(high / step) * step;
        ticks.count = static_cast<int>(std::lround((ticks.high - ticks.low) / step)) + 1;
        ticks.decimals = std::max(0, -static_cast<int>(std::floor(std::log10(step))));
        if (ticks.count <= mostTicks) {
            break;
        }
    }
    return ticks;
}

}  // namespace orvex
