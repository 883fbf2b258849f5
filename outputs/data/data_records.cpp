#include "outputs/data/data_records.h"

namespace orvex {
namespace {

// The row of the frame's type, when it holds a type byte that names one.
const FrameTypeInfo* TypeOf(const FrameRecord& record) {
    const std::optional<std::uint8_t> type = record.TypeByte();
    return type ? FindFrameType(*type) : nullptr;
}

}  // namespace

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
    const FrameTypeInfo* info = TypeOf(*this);
    return info != nullptr ? info->name : std::string_view();
}

std::optional<std::uint16_t> FrameRecord::LengthNeeded() const {
    const FrameTypeInfo* info = TypeOf(*this);
    return info != nullptr ? std::optional(info->length) : std::nullopt;
}

std::string_view FrameRecord::OutcomeName() const {
    switch (outcome) {
        case FrameOutcome::Decoded:
            switch (FillOf(frame)) {
                case FrameFill::Whole:
                    return "decoded";
                case FrameFill::ShortForType:
                    return "short for its type";
                case FrameFill::CutAtEnd:
                    return "cut at the end of the log";
            }
            return {};
        case FrameOutcome::TooShort:
            return "too short";
        case FrameOutcome::NotData:
            return "non-data command";
        case FrameOutcome::UnknownType:
            return "unknown type";
        case FrameOutcome::ReceptionTime:
            return "reception time";
    }
    return {};
}

}  // namespace orvex
