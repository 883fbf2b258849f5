#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "archive/hourly_extremes.h"

namespace orvex {

struct Frame;
class TlmFrame;

// Decoded frames waiting to be written to the archive as one block: their
// bytes, where and when each was heard, and their TLM values' hourly
// extremes. The bytes lie in one buffer rather than one allocation a frame.
class PendingBlock {
public:
    struct Entry {
        std::size_t at = 0;  // where its bytes begin among the block's
        std::uint16_t length = 0;
        std::optional<std::uint32_t> time;
        bool timeExact = false;
        std::uint64_t offset = 0;
    };

    // `time` is the frame's own, when `timeExact`, or the latest its log had
    // given before it.
    void AddFrame(const Frame& frame, std::optional<std::uint32_t> time, bool timeExact);
    void AddTlm(const TlmFrame& frame) { extremes_.Add(frame); }

    std::size_t FrameCount() const { return entries_.size(); }
    bool Empty() const { return entries_.empty(); }
    const std::vector<Entry>& Entries() const { return entries_; }
    std::string_view BytesOf(const Entry& entry) const {
        return std::string_view(bytes_).substr(entry.at, entry.length);
    }
    std::size_t ByteCount() const { return bytes_.size(); }
    const HourlyExtremes& Extremes() const { return extremes_; }

private:
    std::vector<Entry> entries_;
    std::string bytes_;
    HourlyExtremes extremes_;
};

}  // namespace orvex
