#include "telemetry/value_texts.h"

#include "input/field_helpers.h"
#include "input/locale_format.h"
#include "telemetry/calibration.h"
#include "telemetry/record_display.h"

namespace orvex {
namespace {

void AppendTlmReportLine(std::string& line, const Channel& channel, int index, double value,
                         std::string_view threeDecimals) {
    line += channel.Name;
    line += "  : ";
    if (index <= kFirstStatusChannel) {
        line += threeDecimals;
        line += "  ";
        line += channel.Unit;
    } else if (index == kEclipseChannel) {
        AppendEclipseText(line, value);
    } else {
        AppendStatusText(line, value);
    }
    EndLine(line);
}

}  // namespace

void ValueTexts::TextTable::Reserve(std::size_t count, std::size_t bytes) {
    starts_.reserve(count + 1);
    bytes_.reserve(bytes);
}

void ValueTexts::TextTable::Add(std::string_view text) {
    bytes_ += text;
    starts_.push_back(static_cast<std::uint32_t>(bytes_.size()));
}

ValueTexts::ValueTexts(const LocaleFormat& format, const ChannelTable& channels) {
    const std::size_t count = std::size_t{kChannelCount} * 256;
    three_.Reserve(count, count * 8);
    two_.Reserve(count, count * 7);
    tlmLines_.Reserve(count, count * 32);
    const auto& values = CalibrationTable();
    std::string text;
    for (int channel = 0; channel < kChannelCount; ++channel) {
        for (int raw = 0; raw < 256; ++raw) {
            const double value = values[channel][raw];
            text.clear();
            format.AppendFixed(text, value, 3);
            three_.Add(text);
            text.clear();
            format.AppendFixed(text, value, 2);
            two_.Add(text);
            text.clear();
            AppendTlmReportLine(text, channels[channel], channel, value,
                                ThreeDecimals(channel, static_cast<std::uint8_t>(raw)));
            tlmLines_.Add(text);
        }
    }
}

}  // namespace orvex
