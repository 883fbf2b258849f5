#pragma once

#include <QByteArray>

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

namespace orvex {

// The packed values of an archive of version 3, which kept a block of frames
// in one row, read back for its move to this version's tables.

// A frame as version 3 packed it: its time (its own, or the latest its log
// had given before it), its first hearing's byte offset and its bytes.
struct PackedFrame {
    std::optional<std::uint32_t> time;
    bool timeExact = false;
    std::uint64_t firstOffset = 0;
    std::string_view bytes;
};

// A hearing: where in its log it lay, and the frame it heard, as its block
// (0: the block that holds the hearing) and its place among that block's
// frames.
struct PackedHearing {
    std::uint64_t offset = 0;
    std::int64_t block = 0;
    std::uint32_t index = 0;
};

// Each packed value in the order it was written; false when one is cut
// short, as a damaged archive's could be.
bool ForEachPackedFrame(const QByteArray& frames,
                        const std::function<bool(const PackedFrame&)>& visit);
bool ForEachPackedHearing(const QByteArray& hearings,
                          const std::function<bool(const PackedHearing&)>& visit);

}  // namespace orvex
