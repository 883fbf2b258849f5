#include "tools/synth/tx_schedule.h"

#include "tools/synth/random.h"

namespace orvex::synth {
namespace {

constexpr std::uint32_t kSecondsPerDay = 86400;
constexpr std::uint8_t kUnusedMode = 7;

}  // namespace

ToprTable TxSchedule::TableAt(std::uint32_t time) const {
    Random random(Mix64(seed_ ^ 0x70D2) + time / kSecondsPerDay);
    ToprTable table;
    for (ToprState& state : table) {
        state.seconds = static_cast<std::uint16_t>(300 * random.Between(2, 12));
        state.mode = static_cast<std::uint8_t>(random.Between(1, 6));
    }
    // Some days leave the last state unused, and rarely one more is switched
    // off; such states last no time at all.
    if (random.Chance(0.35)) {
        table[6] = {0, kUnusedMode};
    }
    if (random.Chance(0.1)) {
        table[random.Between(0, 5)] = {0, 0};
    }
    return table;
}

std::uint8_t TxSchedule::ModeAt(std::uint32_t time) const {
    const ToprTable table = TableAt(time);
    std::uint32_t cycle = 0;
    for (const ToprState& state : table) {
        cycle += state.seconds;
    }
    std::uint32_t position = time % cycle;
    std::size_t state = 0;
    while (position >= table[state].seconds) {
        position -= table[state].seconds;
        ++state;
    }
    return table[state].mode;
}

double ModePowerMilliwatts(std::uint8_t mode) {
    switch (mode) {
        case 1:
        case 4:
            return 10;
        case 2:
        case 5:
            return 500;
        case 3:
        case 6:
            return 4000;
        default:
            return 0;
    }
}

}  // namespace orvex::synth
