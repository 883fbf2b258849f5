#include "session/record_view.h"

#include "telemetry/channel_value_text.h"
#include "text/locale_format.h"
#include "text/unix_time.h"

namespace orvex {

void ShowRecord(DecoderDisplay& display, const LocaleFormat& format, const RecordStore& records,
                int number) {
    if (!records.HasRecord(number)) {
        for (int channel = 0; channel < kChannelCount; ++channel) {
            display.ShowChannelValue(channel, "");
        }
        display.ShowRecordTime("");
        return;
    }
    const TelemetryRecord& record = records[number];
    std::string text;
    for (int channel = 0; channel < kChannelCount; ++channel) {
        text.clear();
        AppendChannelValue(text, format, TelemetryChannels()[channel], record.values[channel]);
        display.ShowChannelValue(channel, text);
    }
    display.ShowRecordTime(format.DateTimeText(UnixTimeToDate(record.timestamp)));
}

std::string ChartCaption(const std::vector<int>& channels) {
    if (channels.size() == 1) {
        const Channel& described = TelemetryChannels()[channels[0]];
        return described.name + " [ " + described.unit + " ] ";
    }
    std::string caption;
    for (const int channel : channels) {
        const Channel& described = TelemetryChannels()[channel];
        if (!caption.empty()) {
            caption += ", ";
        }
        caption.append(described.name, 0, described.name.find_last_not_of(' ') + 1);
        caption += " [ " + described.unit + " ]";
    }
    return caption;
}

}  // namespace orvex
