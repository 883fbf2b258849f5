#include "tools/synth/frame_mix.h"

#include <array>
#include <utility>

#include "tools/synth/status_frames.h"
#include "tools/synth/telemetry_frames.h"
#include "tools/synth/text_frames.h"

namespace orvex::synth {
namespace {

constexpr std::uint16_t Bit(std::uint8_t type) {
    return static_cast<std::uint16_t>(1u << type);
}

constexpr std::uint16_t kTextTypes = Bit(kBcrType) | Bit(kMessageType) | Bit(kInfType) |
                                     Bit(kErrType) | Bit(kCoefType) | Bit(kWodFormatType) |
                                     Bit(kTlmControlType);

constexpr std::array<std::pair<std::string_view, std::uint16_t>, 7> kNames = {{
    {"tlm", Bit(kTlmType)},
    {"wod", Bit(kWodType)},
    {"hws", Bit(kHwsType)},
    {"sws", Bit(kSwsType)},
    {"topr", Bit(kToprType)},
    {"time", Bit(kTimeType)},
    {"text", kTextTypes},
}};

std::optional<std::uint16_t> TypesNamed(std::string_view name) {
    for (const auto& [known, types] : kNames) {
        if (name == known) {
            return types;
        }
    }
    return std::nullopt;
}

}  // namespace

FrameMix FrameMix::Realistic() {
    std::uint16_t types = 0;
    for (const auto& entry : kNames) {
        types |= entry.second;
    }
    return FrameMix(types);
}

std::optional<FrameMix> FrameMix::Parse(std::string_view text) {
    if (text == "realistic") {
        return Realistic();
    }
    std::uint16_t types = 0;
    while (true) {
        const std::size_t comma = text.find(',');
        const std::optional<std::uint16_t> named = TypesNamed(text.substr(0, comma));
        if (!named) {
            return std::nullopt;
        }
        types |= *named;
        if (comma == std::string_view::npos) {
            return FrameMix(types);
        }
        text.remove_prefix(comma + 1);
    }
}

}  // namespace orvex::synth
