#pragma once

#include <QByteArray>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

namespace orvex {

// A frame's identity in the archive: the XXH3 128-bit hash of its bytes. Every hearing of the same
// bytes finds the same frame.
struct FrameDigest {
    std::array<unsigned char, 16> bytes{};

    static FrameDigest Of(std::string_view frameBytes);
    bool operator==(const FrameDigest&) const = default;
};

// Where the archive keeps a frame: the block that first stored it and its
// place among that block's frames. Block 0 is the block being written.
struct FrameRef {
    std::int64_t block = 0;
    std::uint32_t index = 0;
};

// A frame as the archive stores it: its bytes, its time (its own, or the
// latest one its log had given before it), and where it was first heard.
struct StoredFrame {
    std::string_view bytes;
    std::optional<std::uint32_t> time;
    bool timeExact = false;
    std::uint64_t firstOffset = 0;
};

// One hearing of a frame: where in its log it lay.
struct Hearing {
    std::uint64_t offset = 0;
    FrameRef frame;
};

// A block's new frames, their digests and its hearings, each packed into
// one value. A row per block rather than per frame: a 100 MB log's million
// rows, each with its index entries, cost some 50 times the decode; a few
// hundred rows of packed values cost less than it.
class FrameBlock {
public:
    FrameBlock() = default;
    // Room for `frames` frames of `bytes` bytes in all, and as many hearings.
    FrameBlock(std::size_t frames, std::size_t bytes);

    void AddFrame(const StoredFrame& frame, const FrameDigest& digest);
    void AddHearing(const Hearing& hearing);

    std::uint32_t FrameCount() const { return frameCount_; }
    std::uint32_t HearingCount() const { return hearingCount_; }
    const QByteArray& Frames() const { return frames_; }
    const QByteArray& Digests() const { return digests_; }
    const QByteArray& Hearings() const { return hearings_; }
    // The earliest and latest frame time; nothing when no frame has one.
    std::optional<std::uint32_t> TimeFrom() const { return timeFrom_; }
    std::optional<std::uint32_t> TimeTo() const { return timeTo_; }

private:
    QByteArray frames_;
    QByteArray digests_;
    QByteArray hearings_;
    std::uint32_t frameCount_ = 0;
    std::uint32_t hearingCount_ = 0;
    std::optional<std::uint32_t> timeFrom_;
    std::optional<std::uint32_t> timeTo_;
};

// Each packed value read back in the order it was written. False when the
// value is cut short, as a damaged archive's could be.
bool ForEachStoredFrame(const QByteArray& frames,
                        const std::function<void(const StoredFrame&)>& visit);
bool ForEachDigest(const QByteArray& digests, const std::function<void(const FrameDigest&)>& visit);
bool ForEachHearing(const QByteArray& hearings, const std::function<void(const Hearing&)>& visit);

}  // namespace orvex
