#include "outputs/data/csv_record_format.h"

#include "outputs/data/channel_data_values.h"
#include "outputs/data/status_fields.h"
#include "text/digits.h"
#include "text/iso_time.h"

namespace orvex {
namespace {

// "time_utc,unix_time" of a time, or two empty fields.
void AppendTime(std::string& out, const std::optional<std::uint32_t>& time) {
    if (time) {
        AppendIsoUtc(out, *time);
        out.push_back(',');
        AppendDecimal(out, *time);
    } else {
        out.push_back(',');
    }
}

template <class Number>
void AppendOptional(std::string& out, const std::optional<Number>& value) {
    if (value) {
        AppendDecimal(out, *value);
    }
}

}  // namespace

void AppendCsvField(std::string& out, std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        out += text;
        return;
    }
    out.push_back('"');
    for (const char c : text) {
        if (c == '"') {
            out.push_back('"');
        }
        out.push_back(c);
    }
    out.push_back('"');
}

std::string CsvRecordFormat::Header(DataFile file) const {
    std::string header;
    std::vector<std::string_view> names = DataColumns(file);
    if (file == DataFile::Frames && NamesSources()) {
        names.insert(names.end(), {column::kStation, column::kLog});
    }
    for (std::string_view name : names) {
        if (!header.empty()) {
            header.push_back(',');
        }
        AppendCsvField(header, name);
    }
    header.push_back('\n');
    return header;
}

void CsvRecordFormat::AppendTlm(std::string& out, const TlmRecord& record) {
    const ChannelDataValues& values = ChannelDataValues::Table();
    AppendTime(out, record.time);
    out.push_back(',');
    AppendOptional(out, record.softwareVersion);
    for (int channel = 0; channel < record.channelsHeld; ++channel) {
        out += values.Field(channel, record.raw[static_cast<std::size_t>(channel)]);
    }
    out.append(static_cast<std::size_t>(kChannelCount - record.channelsHeld), ',');
    out.push_back('\n');
}

void CsvRecordFormat::AppendWod(std::string& out, const WodRecord& record) {
    const ChannelDataValues& values = ChannelDataValues::Table();
    AppendTime(out, record.time);
    for (int slot = 0; slot < kWodSlotCount; ++slot) {
        out += values.Field(WodSlotChannelIndex(slot), record.raw[static_cast<std::size_t>(slot)]);
    }
    out.push_back('\n');
}

void CsvRecordFormat::AppendStatus(std::string& out, const StatusRecord& record) {
    AppendTime(out, record.time);
    out.push_back(',');
    AppendDecimal(out, static_cast<std::int64_t>(record.offset));
    out.push_back(',');
    out += FrameTypeName(record.type);
    // The other types' columns stay empty.
    const std::size_t first = StatusColumnStart(record.type);
    out.append(first, ',');
    for (const StatusField& field : record.fields) {
        out.push_back(',');
        if (!field.held) {
            continue;
        }
        if (field.IsText()) {
            AppendCsvField(out, field.text);
        } else {
            AppendDecimal(out, field.number);
        }
    }
    out.append(StatusColumnNames().size() - first - record.fields.size(), ',');
    out.push_back('\n');
}

void CsvRecordFormat::AppendFrame(std::string& out, const FrameRecord& record) {
    const Frame& frame = record.frame;
    AppendDecimal(out, static_cast<std::int64_t>(frame.logOffset));
    out.push_back(',');
    AppendDecimal(out, static_cast<std::int64_t>(frame.logBytes));
    out.push_back(',');
    AppendDecimal(out, frame.length);
    out.push_back(',');
    AppendOptional(out, record.Command());
    out.push_back(',');
    AppendOptional(out, record.TypeByte());
    out.push_back(',');
    AppendCsvField(out, record.TypeName());
    out.push_back(',');
    out += record.OutcomeName();
    out += frame.cut ? ",true," : ",false,";
    AppendTime(out, record.time);
    out.push_back(',');
    AppendOptional(out, record.LengthNeeded());
    out += frame.openingFendSharedOrLost ? ",true" : ",false";
    if (NamesSources()) {
        const FrameSource none;
        const FrameSource& source = record.source != nullptr ? *record.source : none;
        out.push_back(',');
        AppendCsvField(out, source.station);
        out.push_back(',');
        AppendCsvField(out, source.log);
    }
    out.push_back('\n');
}

}  // namespace orvex
