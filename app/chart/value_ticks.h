#pragma once

namespace orvex {

// A value axis's range and ticks on round numbers: a step of 1, 2 or 5 times
// a power of ten, the range widened to whole steps.
struct ValueTicks {
    double low = 0;
    double high = 1;
    int count = 2;
    int decimals = 0;  // as many as the step needs
};

// The finest round ticks over [low, high] that are no more than `mostTicks`.
ValueTicks ChooseValueTicks(double low, double high, int mostTicks);

}  // namespace orvex
