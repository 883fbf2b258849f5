#include "frames/frame_type.h"

#include <array>

#include "frames/frame_handler.h"
#include "frames/reception_time.h"

namespace orvex {
namespace {

void DecodeText(const Frame& frame, FrameHandler& handler) {
    handler.OnTextFrame(TextFrame(frame));
}
void DecodeTlm(const Frame& frame, FrameHandler& handler) {
    handler.OnTlmFrame(TlmFrame(frame));
}
void DecodeWod(const Frame& frame, FrameHandler& handler) {
    handler.OnWodFrame(WodFrame(frame));
}
void DecodeHws(const Frame& frame, FrameHandler& handler) {
    handler.OnHwsFrame(HwsFrame(frame));
}
void DecodeSws(const Frame& frame, FrameHandler& handler) {
    handler.OnSwsFrame(SwsFrame(frame));
}
void DecodeTopr(const Frame& frame, FrameHandler& handler) {
    handler.OnToprFrame(ToprFrame(frame));
}

// In the order of the type byte, 1..13.
constexpr std::array<FrameTypeInfo, 13> kFrameTypes = {{
    {FrameType::Time, "TIME", DecodeText, layout::kHeaderLength},
    {FrameType::Tlm, "TLM", DecodeTlm, layout::tlm::kLength},
    {FrameType::Bcr, "BCR", DecodeText, layout::kHeaderLength},
    {FrameType::Hws, "HWS", DecodeHws, layout::hws::kLength},
    {FrameType::Sws, "SWS", DecodeSws, layout::sws::kLength},
    {FrameType::Message, "MESSAGE", DecodeText, layout::kHeaderLength},
    {FrameType::Inf, "INF", DecodeText, layout::kHeaderLength},
    {FrameType::Wod, "WOD", DecodeWod, layout::wod::kLength},
    {FrameType::Err, "ERR", DecodeText, layout::kHeaderLength},
    {FrameType::Coef, "COEF", DecodeText, layout::kHeaderLength},
    {FrameType::WodFormat, "WOD FORMAT", DecodeText, layout::kHeaderLength},
    {FrameType::TlmControl, "TLM CONTROL", DecodeText, layout::kHeaderLength},
    {FrameType::Topr, "TOPR", DecodeTopr, layout::topr::kLength},
}};
static_assert(kFrameTypes.size() == layout::kTypeCount,
              "the reader knows the types by their count");

}  // namespace

const FrameTypeInfo* FindFrameType(std::uint8_t typeByte) {
    if (typeByte < 1 || typeByte > kFrameTypes.size()) {
        return nullptr;
    }
    return &kFrameTypes[typeByte - 1];
}

std::string_view FrameTypeName(FrameType type) {
    return FindFrameType(static_cast<std::uint8_t>(type))->name;
}

FrameOutcome DecodeFrame(const Frame& frame, FrameHandler& handler) {
    if (frame.length < layout::kHeaderLength) {
        return FrameOutcome::TooShort;
    }
    if (frame[layout::kCommand] != 0) {
        return CarriedReceptionTime(frame) ? FrameOutcome::ReceptionTime : FrameOutcome::NotData;
    }
    const FrameTypeInfo* type = FindFrameType(frame[layout::kType]);
    if (type == nullptr) {
        return FrameOutcome::UnknownType;
    }
    type->decode(frame, handler);
    return FrameOutcome::Decoded;
}

FrameFill FillOf(const Frame& frame) {
    if (frame.unfinished) {
        return FrameFill::CutAtEnd;
    }
    const FrameTypeInfo* type = FindFrameType(frame[layout::kType]);
    return type != nullptr && frame.length < type->length ? FrameFill::ShortForType
                                                          : FrameFill::Whole;
}

std::optional<std::uint32_t> CarriedTime(const Frame& frame) {
    if (!frame.Holds(layout::kBody, layout::kTimeBytes)) {
        return std::nullopt;
    }
    switch (static_cast<FrameType>(frame[layout::kType])) {
        case FrameType::Tlm:
        case FrameType::Hws:
        case FrameType::Wod:
            return frame.TimestampAt(layout::kBody);
        default:
            return std::nullopt;
    }
}

}  // namespace orvex
