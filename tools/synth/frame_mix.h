#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace orvex::synth {

// The frame types a log may hold.
class FrameMix {
public:
    // All thirteen types, as a station logs them.
    static FrameMix Realistic();
    // "realistic", or a comma-separated list of tlm, wod, hws, sws, topr,
    // time and text (the seven text types); nothing when a name is unknown.
    static std::optional<FrameMix> Parse(std::string_view text);

    bool Has(std::uint8_t type) const { return type < 16 && (types_ >> type & 1) != 0; }

private:
    explicit FrameMix(std::uint16_t types) : types_(types) {}
    std::uint16_t types_;
};

}  // namespace orvex::synth
