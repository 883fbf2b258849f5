#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "frames/frame_layout.h"
#include "kiss/frame.h"

namespace orvex {

class FrameHandler;

// The value of the type byte.
enum class FrameType : std::uint8_t {
    Time = 1,
    Tlm = 2,
    Bcr = 3,
    Hws = 4,
    Sws = 5,
    Message = 6,
    Inf = 7,
    Wod = 8,
    Err = 9,
    Coef = 10,
    WodFormat = 11,
    TlmControl = 12,
    Topr = 13,
};

// One row of the table of frame types: its name ("TLM", "WOD FORMAT"), the
// decoder that hands its fields to a FrameHandler, and the length a frame
// needs to hold every field its view reads (see frame_layout.h).
struct FrameTypeInfo {
    FrameType type;
    std::string_view name;
    void (*decode)(const Frame& frame, FrameHandler& handler);
    std::uint16_t length;
};

// The row of a type byte; nullptr for a type the satellite does not send.
const FrameTypeInfo* FindFrameType(std::uint8_t typeByte);
std::string_view FrameTypeName(FrameType type);

// What became of a frame the reader delivered.
enum class FrameOutcome {
    Decoded,
    TooShort,       // shorter than the header: its type byte is an earlier frame's
    NotData,        // a KISS command byte other than 0
    UnknownType,    // a type byte outside the table
    ReceptionTime,  // the reception time of the next frame (see reception_time.h)
};

// How much of its type's fields a decoded frame holds itself.
enum class FrameFill {
    Whole,
    ShortForType,  // closed before its type's length: its last fields are an earlier frame's bytes
    CutAtEnd,      // the data ended inside it: a log still being written, or one cut short
};
FrameFill FillOf(const Frame& frame);

// The time a decoded frame carries at its body's start: TLM, HWS and WOD
// frames (a WOD frame its first sample's); nothing for the other types, nor
// for a frame too short to hold the time itself.
std::optional<std::uint32_t> CarriedTime(const Frame& frame);

// Checks the frame's header and hands it to its type's decoder.
FrameOutcome DecodeFrame(const Frame& frame, FrameHandler& handler);

}  // namespace orvex
