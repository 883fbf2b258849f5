#include "outputs/tlm_report_lines.h"

#include <string>

#include "outputs/line_end.h"
#include "telemetry/calibration.h"
#include "telemetry/channel_table.h"
#include "telemetry/channel_value_text.h"

namespace orvex {

TlmReportLines::TlmReportLines(const LocaleFormat& format) {
    const std::size_t count = std::size_t{kChannelCount} * 256;
    lines_.Reserve(count, count * 32);
    const auto& values = CalibrationTable();
    std::string line;
    for (int index = 0; index < kChannelCount; ++index) {
        const Channel& channel = TelemetryChannels()[index];
        for (int raw = 0; raw < 256; ++raw) {
            line = channel.name;
            line += "  : ";
            AppendChannelValue(line, format, channel, values[index][raw]);
            if (channel.form.kind == ValueForm::Kind::Fixed) {
                line += "  ";
                line += channel.unit;
            }
            EndLine(line);
            lines_.Add(line);
        }
    }
}

}  // namespace orvex
