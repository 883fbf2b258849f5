#include "outputs/data/json_lines_record_format.h"

#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include <optional>

#include "outputs/data/channel_data_values.h"
#include "text/iso_time.h"

namespace orvex {

// One JSON object, written by RapidJSON into a buffer of its own (which puts
// characters faster than a string's push_back would), then appended to the
// file's buffer and ended with a line feed.
class JsonLinesRecordFormat::Line {
public:
    Line() : writer_(buffer_) {}

    void Start(std::string& out, std::string_view type) {
        out_ = &out;
        buffer_.Clear();
        writer_.Reset(buffer_);
        writer_.StartObject();
        Text("type", type);
    }
    void End() {
        writer_.EndObject();
        out_->append(buffer_.GetString(), buffer_.GetSize());
        out_->push_back('\n');
    }

    void Text(std::string_view key, std::string_view value) {
        Key(key);
        writer_.String(value.data(), static_cast<rapidjson::SizeType>(value.size()));
    }
    void Number(std::string_view key, std::int64_t value) {
        Key(key);
        writer_.Int64(value);
    }
    // A number already written as the CSV writes it.
    void Digits(std::string_view key, std::string_view digits) {
        Key(key);
        writer_.RawValue(digits.data(), digits.size(), rapidjson::kNumberType);
    }
    void Flag(std::string_view key, bool value) {
        Key(key);
        writer_.Bool(value);
    }
    // "time_utc" and "unix_time", or nothing.
    void Time(const std::optional<std::uint32_t>& time) {
        if (!time) {
            return;
        }
        iso_.clear();
        AppendIsoUtc(iso_, *time);
        Text(column::kTimeUtc, iso_);
        Number(column::kUnixTime, *time);
    }

private:
    void Key(std::string_view key) {
        writer_.Key(key.data(), static_cast<rapidjson::SizeType>(key.size()));
    }

    rapidjson::StringBuffer buffer_;
    rapidjson::Writer<rapidjson::StringBuffer> writer_;
    std::string* out_ = nullptr;
    std::string iso_;
};

JsonLinesRecordFormat::JsonLinesRecordFormat() : line_(std::make_unique<Line>()) {}

JsonLinesRecordFormat::~JsonLinesRecordFormat() = default;

void JsonLinesRecordFormat::AppendTlm(std::string& out, const TlmRecord& record) {
    const ChannelDataValues& values = ChannelDataValues::Table();
    line_->Start(out, "telemetry");
    line_->Time(record.time);
    if (record.softwareVersion) {
        line_->Number(column::kSoftwareVersion, *record.softwareVersion);
    }
    for (int channel = 0; channel < record.channelsHeld; ++channel) {
        line_->Digits(values.ColumnName(channel),
                      values.Text(channel, record.raw[static_cast<std::size_t>(channel)]));
    }
    line_->End();
}

void JsonLinesRecordFormat::AppendWod(std::string& out, const WodRecord& record) {
    const ChannelDataValues& values = ChannelDataValues::Table();
    line_->Start(out, "wod");
    line_->Time(record.time);
    for (int slot = 0; slot < kWodSlotCount; ++slot) {
        const int channel = WodSlotChannelIndex(slot);
        line_->Digits(values.ColumnName(channel),
                      values.Text(channel, record.raw[static_cast<std::size_t>(slot)]));
    }
    line_->End();
}

void JsonLinesRecordFormat::AppendStatus(std::string& out, const StatusRecord& record) {
    line_->Start(out, "status");
    line_->Time(record.time);
    line_->Number(column::kOffset, static_cast<std::int64_t>(record.offset));
    line_->Text(column::kFrameTypeName, FrameTypeName(record.type));
    for (const StatusField& field : record.fields) {
        if (!field.held) {
            continue;
        }
        if (field.IsText()) {
            line_->Text(field.name, field.text);
        } else {
            line_->Number(field.name, field.number);
        }
    }
    line_->End();
}

void JsonLinesRecordFormat::AppendFrame(std::string& out, const FrameRecord& record) {
    const Frame& frame = record.frame;
    line_->Start(out, "frame");
    line_->Number(column::kOffset, static_cast<std::int64_t>(frame.logOffset));
    line_->Number(column::kLogBytes, static_cast<std::int64_t>(frame.logBytes));
    line_->Number(column::kLength, frame.length);
    if (const auto command = record.Command()) {
        line_->Number(column::kCommand, *command);
    }
    if (const auto type = record.TypeByte()) {
        line_->Number(column::kFrameType, *type);
    }
    if (const std::string_view name = record.TypeName(); !name.empty()) {
        line_->Text(column::kFrameTypeName, name);
    }
    line_->Text(column::kOutcome, record.OutcomeName());
    line_->Flag(column::kCutAt512, frame.cut);
    line_->Time(record.time);
    if (const auto needed = record.LengthNeeded()) {
        line_->Number(column::kLengthNeeded, *needed);
    }
    line_->Flag(column::kOpeningFendSharedOrLost, frame.openingFendSharedOrLost);
    if (NamesSources() && record.source != nullptr) {
        line_->Text(column::kStation, record.source->station);
        line_->Text(column::kLog, record.source->log);
    }
    line_->End();
}

}  // namespace orvex
