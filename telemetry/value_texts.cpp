#include "telemetry/value_texts.h"

#include "input/field_helpers.h"
#include "input/locale_format.h"
#include "telemetry/calibration.h"
#include "telemetry/record_display.h"

namespace orvex {
namespace {

void AppendTlmReportLine(std::string& line, const LocaleFormat& format, const Channel& channel,
                         int index, double value) {
    line += channel.Name;
    line += "  : ";
    if (index <= kFirstStatusChannel) {
        format.AppendFixed(line, value, 3);
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

ValueTexts::ValueTexts(const LocaleFormat& format, const ChannelTable& channels) {
    const std::size_t count = std::size_t{kChannelCount} * 256;
    two_.Reserve(count, count * 7);
    tlmLines_.Reserve(count, count * 32);
    const auto& values = CalibrationTable();
    std::string text;
    for (int channel = 0; channel < kChannelCount; ++channel) {
        for (int raw = 0; raw < 256; ++raw) {
            const double value = values[channel][raw];
            text.clear();
            format.AppendFixed(text, value, 2);
            two_.Add(text);
            text.clear();
            AppendTlmReportLine(text, format, channels[channel], channel, value);
            tlmLines_.Add(text);
        }
    }
}

}  // namespace orvex
