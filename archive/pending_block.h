#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvex {

struct Frame;

// When and where a frame was heard: its time (its own, or the latest its
// log had given before it), its place in the log, and the moment it
// arrived, for a stream.
struct FrameHeard {
    std::optional<std::uint32_t> time;
    bool ownTime = false;
    std::uint64_t offset = 0;
    std::optional<std::uint32_t> arrival;
};

// Decoded frames waiting to be written to the archive as one block: their
// bytes and how each was heard. The bytes lie in one buffer rather than one
// allocation a frame.
class PendingBlock {
public:
    struct Entry {
        std::size_t at = 0;  // where its bytes begin among the block's
        std::uint16_t length = 0;
        FrameHeard heard;
    };

    void AddFrame(const Frame& frame, const FrameHeard& heard);

    std::size_t FrameCount() const { return entries_.size(); }
    bool Empty() const { return entries_.empty(); }
    const std::vector<Entry>& Entries() const { return entries_; }
    std::string_view BytesOf(const Entry& entry) const {
        return std::string_view(bytes_).substr(entry.at, entry.length);
    }

private:
    std::vector<Entry> entries_;
    std::string bytes_;
};

}  // namespace orvex
