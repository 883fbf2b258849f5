#pragma once

#include <array>
#include <cstdint>

namespace orvex::synth {

// One transmitter operation state: how long it lasts and the mode it runs.
struct ToprState {
    std::uint16_t seconds = 0;
    std::uint8_t mode = 0;  // 0 off, 1..3 digital, 4..6 analogue, 7 and up unknown
};
using ToprTable = std::array<ToprState, 7>;

// The transmitter schedule. The command team uploads a new table each day;
// the satellite runs its states in turn, skipping those of zero length, so the
// transmitter mode (and with it the RF output and the HPA flags) holds for an
// hour or so and then changes.
class TxSchedule {
public:
    explicit TxSchedule(std::uint64_t seed) : seed_(seed) {}

    ToprTable TableAt(std::uint32_t time) const;
    std::uint8_t ModeAt(std::uint32_t time) const;

private:
    std::uint64_t seed_;
};

// The RF output that a mode asks of the transmitter, in mW.
double ModePowerMilliwatts(std::uint8_t mode);

}  // namespace orvex::synth
