#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "frames/frame_type.h"
#include "kiss/frame.h"
#include "telemetry/channel_table.h"

namespace orvex {

// The records of a log that other tools get: one per frame the reader
// delivered, one per TLM frame, one per WOD sample and one per status frame,
// each with what the decoders make of it. A record lives only for the call
// that hands it on, like the frame it comes from.
//
// A record holds only what the frame itself held: a field past a short
// frame's end, which the report shows from an earlier frame's bytes, is
// empty here, and a WOD sample the frame did not hold whole is no record.

// Who first heard a frame, and in which log: for frames read back from an
// archive that holds several stations' logs.
struct FrameSource {
    std::string_view station;
    std::string_view log;
};

// A frame as the reader delivered it, and what became of it.
struct FrameRecord {
    const Frame& frame;  // its bytes, its place in the log, whether it was cut
    FrameOutcome outcome;
    std::optional<std::uint32_t> time;  // the time a decoded TLM, HWS or WOD frame carries
    const FrameSource* source = nullptr;

    // Only what the frame holds: a frame of one byte has no command, one
    // under 7 bytes no type.
    std::optional<std::uint8_t> Command() const;
    std::optional<std::uint8_t> TypeByte() const;
    // "TLM", "WOD FORMAT"; empty when the type byte names no type.
    std::string_view TypeName() const;
    // The length a frame of its type needs to hold every field; nothing when
    // the type byte names no type.
    std::optional<std::uint16_t> LengthNeeded() const;
    // "decoded", "short for its type", "cut at the end of the log", "too
    // short", "non-data command", "unknown type", "reception time".
    std::string_view OutcomeName() const;
};

struct TlmRecord {
    std::uint64_t offset = 0;  // of the frame in the log
    std::optional<std::uint32_t> time;
    std::optional<std::uint8_t> softwareVersion;
    std::array<std::uint8_t, kChannelCount> raw{};  // each channel's raw byte
    int channelsHeld = kChannelCount;               // from channel 0; the rest are empty
};

// One of a WOD frame's three samples.
struct WodRecord {
    std::uint32_t time = 0;
    std::array<std::uint8_t, kWodSlotCount> raw{};  // the WOD channels' raw bytes
};

// A named field of a status frame: a number, or a text such as a
// transmitter mode.
struct StatusField {
    std::string_view name;
    std::int64_t number = 0;
    std::string_view text;  // set for a text field only
    bool held = true;       // false: empty, the frame ended before it

    bool IsText() const { return !text.empty(); }
};

// An HWS, SWS or TOPR frame's fields, named as in the report.
struct StatusRecord {
    std::uint64_t offset = 0;
    FrameType type = FrameType::Hws;
    std::optional<std::uint32_t> time;  // HWS frames only: the others carry none
    std::span<const StatusField> fields;
};

// Who takes the records: the data export's files, and whatever else wants a
// log's decoded frames as data.
class DataSink {
public:
    virtual ~DataSink() = default;
    virtual void OnTlmRecord(const TlmRecord& record) = 0;
    virtual void OnWodRecord(const WodRecord& record) = 0;
    virtual void OnStatusRecord(const StatusRecord& record) = 0;
    virtual void OnFrameRecord(const FrameRecord& record) = 0;
};

}  // namespace orvex
