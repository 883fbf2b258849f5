#pragma once

#include <array>
#include <string_view>
#include <vector>

#include "outputs/data/data_options.h"

namespace orvex {

// The four files of the data export, one per kind of record.
enum class DataFile { Telemetry, Wod, Status, Frames };
inline constexpr std::array<DataFile, 4> kDataFiles = {DataFile::Telemetry, DataFile::Wod,
                                                       DataFile::Status, DataFile::Frames};

// "telemetry", "wod", "status", "frames": the file's name between the log's
// name and the extension.
std::string_view DataFileKind(DataFile file);
// "csv", "jsonl".
std::string_view DataFileExtension(DataFormat format);

// The names of the data files' fields: the CSV columns, and the keys of the
// JSON objects.
namespace column {
inline constexpr std::string_view kTimeUtc = "time_utc";  // ISO 8601, "Z"
inline constexpr std::string_view kUnixTime = "unix_time";
inline constexpr std::string_view kSoftwareVersion = "software_version";
// Of the frame's opening FEND in the log; of its first byte when it had none
// of its own.
inline constexpr std::string_view kOffset = "offset";
inline constexpr std::string_view kLogBytes = "log_bytes";
inline constexpr std::string_view kLength = "length";
inline constexpr std::string_view kCommand = "command";
inline constexpr std::string_view kFrameType = "frame_type";
inline constexpr std::string_view kFrameTypeName = "frame_type_name";
inline constexpr std::string_view kOutcome = "outcome";
inline constexpr std::string_view kCutAt512 = "cut_at_512";
inline constexpr std::string_view kLengthNeeded = "length_needed";  // by the frame's type
inline constexpr std::string_view kOpeningFendSharedOrLost = "opening_fend_shared_or_lost";
inline constexpr std::string_view kStation = "station";  // of a frame from the archive
inline constexpr std::string_view kLog = "log";
}  // namespace column

// The channel of WOD slot 0..9 in the channel table.
int WodSlotChannelIndex(int slot);

// Every column of the file, in order.
std::vector<std::string_view> DataColumns(DataFile file);

}  // namespace orvex
