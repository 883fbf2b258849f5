#include "cli/summary_json.h"

#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include <QFile>

namespace orvex {
namespace {

using JsonWriter = rapidjson::Writer<rapidjson::StringBuffer>;

void Key(JsonWriter& json, std::string_view key) {
    json.Key(key.data(), static_cast<rapidjson::SizeType>(key.size()));
}

// A path or a message that holds one, in the file system's encoding.
void Path(JsonWriter& json, const std::string& path) {
    const QByteArray utf8 =
        QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size()))).toUtf8();
    json.String(utf8.constData(), static_cast<rapidjson::SizeType>(utf8.size()));
}

void Count(JsonWriter& json, std::string_view key, std::uint64_t count) {
    Key(json, key);
    json.Uint64(count);
}

}  // namespace

std::string SummaryJson(const std::string& logPath, const LoadOutcome& outcome) {
    rapidjson::StringBuffer buffer;
    JsonWriter json(buffer);
    json.StartObject();
    Key(json, "log");
    Path(json, logPath);
    Count(json, "frames_read", outcome.framesRead);
    Count(json, "frames", outcome.framesDecoded);
    Count(json, "tlm_records", outcome.records);
    Count(json, "wod_rows", outcome.wodRows);
    if (outcome.wodRowsExported) {
        Count(json, "wod_rows_exported", *outcome.wodRowsExported);
    }
    Key(json, "bad_bytes");
    json.StartObject();
    for (const LogAccountItem& item : LogAccountItems(outcome.account)) {
        Count(json, item.key, item.count);
    }
    json.EndObject();
    if (outcome.reportPath) {
        Key(json, "report");
        Path(json, *outcome.reportPath);
    }
    if (outcome.exportPath) {
        Key(json, "wod_export");
        Path(json, *outcome.exportPath);
    }
    if (!outcome.dataPaths.empty()) {
        Key(json, "data_files");
        json.StartArray();
        for (const std::string& path : outcome.dataPaths) {
            Path(json, path);
        }
        json.EndArray();
    }
    if (outcome.archived) {
        Key(json, "archive");
        json.StartObject();
        Count(json, "frames", outcome.archived->frames);
        Count(json, "new_frames", outcome.archived->newFrames);
        Count(json, "new_receptions", outcome.archived->newReceptions);
        json.EndObject();
    }
    Key(json, "problems");
    json.StartArray();
    for (const FileProblem& problem : outcome.problems) {
        Path(json, problem.Message());
    }
    json.EndArray();
    json.EndObject();
    return {buffer.GetString(), buffer.GetSize()};
}

}  // namespace orvex
