#pragma once

namespace orvex::synth {

// Cosine of an angle given in turns (1 = 360 degrees), by range reduction and
// a fixed polynomial: plain arithmetic rounds the same on every IEEE machine,
// while the C library's cos may differ in the last bit between versions and
// tip a raw byte over.
double CosTurns(double turns);
inline double SinTurns(double turns) {
    return CosTurns(turns - 0.25);
}

}  // namespace orvex::synth
