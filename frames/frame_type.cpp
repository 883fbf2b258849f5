#include "frames/frame_type.h"

#include <array>

#include "frames/frame_handler.h"

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
    {FrameType::Time, "TIME", DecodeText},
    {FrameType::Tlm, "TLM", DecodeTlm},
    {FrameType::Bcr, "BCR", DecodeText},
    {FrameType::Hws, "HWS", DecodeHws},
    {FrameType::Sws, "SWS", DecodeSws},
    {FrameType::Message, "MESSAGE", DecodeText},
    {FrameType::Inf, "INF", DecodeText},
    {FrameType::Wod, "WOD", DecodeWod},
    {FrameType::Err, "ERR", DecodeText},
    {FrameType::Coef, "COEF", DecodeText},
    {FrameType::WodFormat, "WOD FORMAT", DecodeText},
    {FrameType::TlmControl, "TLM CONTROL", DecodeText},
    {FrameType::Topr, "TOPR", DecodeTopr},
}};

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
    if (frame.length < kShortestDecodedFrame) {
        return FrameOutcome::TooShort;
    }
    if (frame[kCommandOffset] != 0) {
        return FrameOutcome::NotData;
    }
    const FrameTypeInfo* type = FindFrameType(frame[kTypeOffset]);
    if (type == nullptr) {
        return FrameOutcome::UnknownType;
    }
    type->decode(frame, handler);
    return FrameOutcome::Decoded;
}

std::optional<std::uint32_t> CarriedTime(const Frame& frame) {
    switch (static_cast<FrameType>(frame[kTypeOffset])) {
        case FrameType::Tlm:
        case FrameType::Hws:
        case FrameType::Wod:
            return frame.TimestampAt(kBodyOffset);
        default:
            return std::nullopt;
    }
}

}  // namespace orvex
