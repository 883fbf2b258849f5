#include "load/record_view.h"

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

std::string ChartCaption(int channel) {
    const Channel& described = TelemetryChannels()[channel];
    return described.name + " [ " + described.unit + " ] ";
}

std::vector<ChartPoint> ChartPoints(const LocaleFormat& format, const RecordStore& records,
                                    int channel) {
    std::vector<ChartPoint> points(static_cast<std::size_t>(records.Count()));
    for (int number = 1; number <= records.Count(); ++number) {
        const TelemetryRecord& record = records[number];
        ChartPoint& point = points[static_cast<std::size_t>(number - 1)];
        point.value = record.values[channel];
        AppendChannelValue(point.valueText, format, TelemetryChannels()[channel], point.value);
        if (const DateValue date = UnixTimeToDate(record.timestamp)) {
            format.AppendTimeOfDay(point.label, *date);
        }
    }
    return points;
}

}  // namespace orvex
