#include "tools/synth/smooth_math.h"

#include <cmath>

namespace orvex::synth {

double CosTurns(double turns) {
    constexpr double kTwoPi = 6.283185307179586;
    double r = turns - std::floor(turns);  // 0..1
    if (r > 0.5) {
        r = 1.0 - r;  // cos is even: 0..0.5
    }
    double sign = 1.0;
    if (r > 0.25) {
        r = 0.5 - r;  // cos(pi - x) = -cos(x): 0..0.25
        sign = -1.0;
    }
    const double x = kTwoPi * r;
    const double x2 = x * x;
    // Taylor series to x^12 in Horner form: below 1e-9 off on 0..pi/2.
    constexpr double kC12 = 1.0 / 479001600, kC10 = -1.0 / 3628800, kC8 = 1.0 / 40320,
                     kC6 = -1.0 / 720, kC4 = 1.0 / 24, kC2 = -1.0 / 2;
    const double sum =
        1 + x2 * (kC2 + x2 * (kC4 + x2 * (kC6 + x2 * (kC8 + x2 * (kC10 + x2 * kC12)))));
    return sign * sum;
}

}  // namespace orvex::synth
