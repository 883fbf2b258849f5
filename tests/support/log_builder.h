#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

namespace orvex::test {

// Bytes written as numbers: Bytes({0xC0, 0x00, 0x41}).
std::string Bytes(std::initializer_list<int> values);

// The bytes of one frame from offset 1 on (command byte, four unused bytes,
// type, body), KISS-escaped and between two FENDs.
std::string KissFrame(std::uint8_t type, std::string_view body, std::uint8_t command = 0);

// gr-satellites' timestamp frame: KISS command 9 and the milliseconds since
// 1970 UTC in eight bytes, big-endian, the reception time of the next frame.
std::string TimestampFrame(std::uint64_t milliseconds);

// Escapes C0 and DB; no FENDs added.
std::string KissEscape(std::string_view bytes);

std::string LittleEndian32(std::uint32_t value);

// Bodies (from offset 7) of the frame types with fields.
std::string TlmBody(std::uint32_t timestamp, const std::array<std::uint8_t, 38>& raw,
                    std::uint8_t version = 0);
std::string TlmBody(std::uint32_t timestamp, std::uint8_t everyChannel, std::uint8_t version = 0);

struct WodSampleBytes {
    std::uint32_t timestamp = 0;
    std::uint8_t extra = 0;  // the byte shown in hex only
    std::array<std::uint8_t, 10> raw{};
};
std::string WodBody(const WodSampleBytes& a, const WodSampleBytes& b, const WodSampleBytes& c);

// A body of `size` bytes with the given bytes at frame offsets (offset 7 is
// the body's first byte); the rest zero.
std::string BodyWith(std::size_t size,
                     std::initializer_list<std::pair<std::size_t, std::uint8_t>> at);

}  // namespace orvex::test
