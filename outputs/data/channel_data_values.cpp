#include "outputs/data/channel_data_values.h"

#include "telemetry/calibration.h"
#include "text/digits.h"
#include "text/utf8.h"

namespace orvex {
namespace {

std::string ColumnNameOf(const Channel& channel) {
    std::string name = channel.name.substr(0, channel.name.find_last_not_of(' ') + 1);
    if (!channel.unit.empty()) {
        name += " [" + channel.unit + "]";
    }
    return Latin1ToUtf8(name);
}

}  // namespace

const ChannelDataValues& ChannelDataValues::Table() {
    static const ChannelDataValues kTable;
    return kTable;
}

ChannelDataValues::ChannelDataValues() {
    const std::size_t count = std::size_t{kChannelCount} * 256;
    fields_.Reserve(count, count * 9);
    const auto& values = CalibrationTable();
    std::string text;
    for (int index = 0; index < kChannelCount; ++index) {
        const Channel& channel = TelemetryChannels()[index];
        columnNames_[static_cast<std::size_t>(index)] = ColumnNameOf(channel);
        for (int raw = 0; raw < 256; ++raw) {
            const double value = values[index][raw];
            text.clear();
            text.push_back(',');
            if (channel.form.kind == ValueForm::Kind::Fixed) {
                AppendFixedPoint(text, value, channel.form.decimals);
            } else {
                AppendDecimal(text, static_cast<std::int64_t>(value));
            }
            fields_.Add(text);
        }
    }
}

}  // namespace orvex
