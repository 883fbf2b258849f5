#include "outputs/data/data_records.h"

namespace orvex {

std::optional<std::uint8_t> FrameRecord::Command() const {
    if (frame.length <= layout::kCommand) {
        return std::nullopt;
    }
    return frame[layout::kCommand];
}

std::optional<std::uint8_t> FrameRecord::TypeByte() const {
    if (frame.length <= layout::kType) {
        return std::nullopt;
    }
    return frame[layout::kType];
}

std::string_view FrameRecord::TypeName() const {
    const std::optional<std::uint8_t> type = TypeByte();
    const FrameTypeInfo* info = type ? FindFrameType(*type) : nullptr;
    return info != nullptr ? info->name : std::string_view();
}

std::string_view FrameOutcomeName(FrameOutcome outcome) {
    switch (outcome) {
        case FrameOutcome::Decoded:
            return "decoded";
        case FrameOutcome::TooShort:
            return "too short";
        case FrameOutcome::NotData:
            return "non-data command";
        case FrameOutcome::UnknownType:
            return "unknown type";
    }
    return {};
}

}  // namespace orvex
