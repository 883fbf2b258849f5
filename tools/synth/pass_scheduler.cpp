#include "tools/synth/pass_scheduler.h"

#include "tools/synth/orbit_model.h"
#include "tools/synth/smooth_math.h"

namespace orvex::synth {
namespace {

constexpr auto kOrbit = static_cast<std::int64_t>(OrbitModel::kPeriodSeconds);

}  // namespace

PassScheduler::PassScheduler(std::uint64_t firstStart, std::uint64_t seed)
    : random_(Mix64(seed ^ 0xA55)), nextStart_(firstStart), leftInGroup_(random_.Between(3, 5)) {}

Pass PassScheduler::Next() {
    const Pass pass{nextStart_, static_cast<std::uint32_t>(random_.Between(300, 780))};
    std::int64_t gap = kOrbit + random_.Between(-240, 240);
    if (--leftInGroup_ == 0) {
        leftInGroup_ = random_.Between(3, 5);
        gap = random_.Between(6, 8) * kOrbit + random_.Between(-600, 600);
    }
    nextStart_ += static_cast<std::uint64_t>(gap);
    return pass;
}

double PassScheduler::ReceptionChance(const Pass& pass, std::uint32_t second) {
    const double elevation = SinTurns(0.5 * second / pass.seconds);
    return 0.72 + 0.26 * elevation;
}

}  // namespace orvex::synth
