#include "outputs/data/status_fields.h"

#include <vector>

#include "frames/transmitter_modes.h"

namespace orvex {
namespace {

constexpr std::array<std::string_view, SwsFrame::kWodChannelCount> kWodChannelNames = {
    "WOD Channel 1", "WOD Channel 2", "WOD Channel 3", "WOD Channel 4", "WOD Channel 5",
    "WOD Channel 6", "WOD Channel 7", "WOD Channel 8", "WOD Channel 9", "WOD Channel 10",
};
// Each pair's first and second byte.
constexpr std::array<std::string_view, std::size_t{2}* SwsFrame::kTeprCount> kTeprNames = {
    "TEPR1 first", "TEPR1 second", "TEPR2 first", "TEPR2 second", "TEPR3 first", "TEPR3 second",
    "TEPR4 first", "TEPR4 second", "TEPR5 first", "TEPR5 second", "TEPR6 first", "TEPR6 second",
};
// Each state's value, mode and mode text.
constexpr std::array<std::string_view, std::size_t{3}* ToprFrame::kStateCount> kToprNames = {
    "TOPR State 1", "TOPR State 1 mode", "TOPR State 1 mode text",
    "TOPR State 2", "TOPR State 2 mode", "TOPR State 2 mode text",
    "TOPR State 3", "TOPR State 3 mode", "TOPR State 3 mode text",
    "TOPR State 4", "TOPR State 4 mode", "TOPR State 4 mode text",
    "TOPR State 5", "TOPR State 5 mode", "TOPR State 5 mode text",
    "TOPR State 6", "TOPR State 6 mode", "TOPR State 6 mode text",
    "TOPR State 7", "TOPR State 7 mode", "TOPR State 7 mode text",
};

struct ColumnTable {
    std::vector<std::string_view> names;
    std::size_t swsFirst = 0;
    std::size_t toprFirst = 0;
};

const ColumnTable& Columns() {
    static const ColumnTable kTable = [] {
        const Frame empty;
        ColumnTable table;
        auto add = [&table](const StatusFields& fields) {
            for (const StatusField& field : fields.All()) {
                table.names.push_back(field.name);
            }
        };
        add(StatusFields(HwsFrame(empty)));
        table.swsFirst = table.names.size();
        add(StatusFields(SwsFrame(empty)));
        table.toprFirst = table.names.size();
        add(StatusFields(ToprFrame(empty)));
        return table;
    }();
    return kTable;
}

}  // namespace

StatusFields::StatusFields(const HwsFrame& frame) {
    for (const ByteField& group : HwsFrame::kRegisterGroups) {
        AddNumber(group.name, frame.RegisterGroup(group), frame.Holds(group));
    }
    for (const HwsFrame::Flag& flag : HwsFrame::kTransmitterFlags) {
        AddNumber(flag.name, frame.IsSet(flag) ? 1 : 0, frame.Holds(flag));
    }
}

StatusFields::StatusFields(const SwsFrame& frame) {
    auto addByte = [&](const ByteField& field) {
        AddNumber(field.name, frame.Byte(field), frame.Holds(field));
    };
    for (const ByteField& field : SwsFrame::kSettings) {
        addByte(field);
    }
    for (const ByteField& field : SwsFrame::kWatchdogs) {
        addByte(field);
    }
    addByte(SwsFrame::kWodVersion);
    for (int index = 0; index < SwsFrame::kWodChannelCount; ++index) {
        AddNumber(kWodChannelNames[static_cast<std::size_t>(index)], frame.WodChannel(index),
                  frame.HoldsWodChannel(index));
    }
    for (const ByteField& field : SwsFrame::kSetPoints) {
        addByte(field);
    }
    for (int pair = 1; pair <= SwsFrame::kTeprCount; ++pair) {
        const std::size_t at = 2 * static_cast<std::size_t>(pair - 1);
        AddNumber(kTeprNames[at], frame.TeprFirst(pair), frame.HoldsTeprFirst(pair));
        AddNumber(kTeprNames[at + 1], frame.TeprSecond(pair), frame.HoldsTeprSecond(pair));
    }
}

StatusFields::StatusFields(const ToprFrame& frame) {
    for (int state = 1; state <= ToprFrame::kStateCount; ++state) {
        const std::size_t at = 3 * static_cast<std::size_t>(state - 1);
        const std::uint8_t mode = frame.StateMode(state);
        const bool modeHeld = frame.HoldsStateMode(state);
        AddNumber(kToprNames[at], frame.StateValue(state), frame.HoldsStateValue(state));
        AddNumber(kToprNames[at + 1], mode, modeHeld);
        fields_[count_++] = {kToprNames[at + 2], mode, TxModeText(mode), modeHeld};
    }
}

std::span<const std::string_view> StatusColumnNames() {
    return Columns().names;
}

std::size_t StatusColumnStart(FrameType type) {
    if (type == FrameType::Sws) {
        return Columns().swsFirst;
    }
    return type == FrameType::Topr ? Columns().toprFirst : 0;
}

}  // namespace orvex
