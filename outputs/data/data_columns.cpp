#include "outputs/data/data_columns.h"

#include "outputs/data/channel_data_values.h"
#include "outputs/data/status_fields.h"

namespace orvex {

int WodSlotChannelIndex(int slot) {
    return ChannelIndexOfNumber(WodChannels()[static_cast<std::size_t>(slot) + 1]);
}

std::string_view DataFileKind(DataFile file) {
    switch (file) {
        case DataFile::Telemetry:
            return "telemetry";
        case DataFile::Wod:
            return "wod";
        case DataFile::Status:
            return "status";
        case DataFile::Frames:
            return "frames";
    }
    return {};
}

std::string_view DataFileExtension(DataFormat format) {
    return format == DataFormat::JsonLines ? "jsonl" : "csv";
}

std::vector<std::string_view> DataColumns(DataFile file) {
    const ChannelDataValues& values = ChannelDataValues::Table();
    std::vector<std::string_view> columns;
    switch (file) {
        case DataFile::Telemetry:
            columns = {column::kTimeUtc, column::kUnixTime, column::kSoftwareVersion};
            for (int channel = 0; channel < kChannelCount; ++channel) {
                columns.emplace_back(values.ColumnName(channel));
            }
            break;
        case DataFile::Wod:
            columns = {column::kTimeUtc, column::kUnixTime};
            for (int slot = 0; slot < kWodSlotCount; ++slot) {
                columns.emplace_back(values.ColumnName(WodSlotChannelIndex(slot)));
            }
            break;
        case DataFile::Status:
            columns = {column::kTimeUtc, column::kUnixTime, column::kOffset,
                       column::kFrameTypeName};
            for (std::string_view name : StatusColumnNames()) {
                columns.push_back(name);
            }
            break;
        case DataFile::Frames:
            // The columns added later come last, so that a reader by
            // position finds the earlier ones where they were.
            columns = {column::kOffset,   column::kLogBytes,     column::kLength,
                       column::kCommand,  column::kFrameType,    column::kFrameTypeName,
                       column::kOutcome,  column::kCutAt512,     column::kTimeUtc,
                       column::kUnixTime, column::kLengthNeeded, column::kOpeningFendSharedOrLost};
            break;
    }
    return columns;
}

}  // namespace orvex
