#include "telemetry/record_display.h"

#include <vector>

#include "input/field_helpers.h"

namespace orvex {

void AppendStatusText(std::string& out, double value) {
    AppendDecimal(out, static_cast<std::int64_t>(value));
}

void AppendEclipseText(std::string& out, double value) {
    if (value == 0) {
        out += "NO [0]";
        return;
    }
    out += "YES [";
    AppendStatusText(out, value);
    out += ']';
}

void ShowRecord(DecoderState& state, int index) {
    WindowPort& window = state.window;
    if (!state.records.HasRecord(index)) {
        for (int i = 0; i < kChannelCount; ++i) {
            window.SetText1(i, "");
        }
        window.SetText3(3, "");
        return;
    }
    const TelemetryRecord& record = state.records[index];
    std::string text;
    for (int i = 0; i < kChannelCount; ++i) {
        text.clear();
        if (i <= kFirstStatusChannel) {
            state.format.AppendFixed(text, record.Value[i], 3);
        } else if (i == kEclipseChannel) {
            AppendEclipseText(text, record.Value[i]);
        } else {
            AppendStatusText(text, record.Value[i]);
        }
        window.SetText1(i, text);
    }
    window.SetText3(3, state.format.DateTimeText(UnixTimeToDate(record.Timestamp)));
}

void ShowChannelChart(DecoderState& state, int channel) {
    const Channel& described = state.channels[channel];
    const std::string caption = described.Name + " [ " + described.Unit + " ] ";
    std::vector<ChartPoint> points;
    points.reserve(state.records.RecordCount());
    for (int r = 1; r <= state.records.RecordCount(); ++r) {
        const TelemetryRecord& record = state.records[r];
        std::string label;
        if (const DateValue date = UnixTimeToDate(record.Timestamp)) {
            state.format.AppendTimeOfDay(label, *date);
        }
        points.push_back({record.Value[channel], std::move(label)});
    }
    state.window.ShowChart(caption, points);
}

}  // namespace orvex
