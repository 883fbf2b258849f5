#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "archive/frame_digest.h"

namespace orvex {

// What a lookup of a frame found: the frame's number in the archive, and
// whether it was new, taking the number it was offered.
struct FrameLookup {
    std::int64_t id = 0;
    bool isNew = false;
};

// Every frame digest a writer knows and its frame's number. Hand-made
// rather than a QHash, for speed: a QHash's lookups are a miss in memory
// each, and took several times as long on a long log (bench/README.md, the
// archive). The digests and numbers are kept in the order they came; the table
// that finds them holds 8 bytes a slot, the digest's first bits and where
// it lies, so that it mostly stays in the cache, a block's lookups are
// announced ahead (Prefetch) and overlap, and a frame the table does not
// hold, the usual case, is told without reading the digests at all.
class DigestTable {
public:
    // The most digests it holds: a slot counts its entry in 32 bits.
    static constexpr std::size_t kMaxDigests = 0xFFFFFFFFU;

    DigestTable();

    // The frame of `digest`; a digest not held yet is added with `id`.
    FrameLookup FindOrAdd(const FrameDigest& digest, std::int64_t id);
    // Starts bringing the slot of `digest` into the cache.
    void Prefetch(const FrameDigest& digest) const;
    // Whether `more` digests may be added.
    bool HasRoomFor(std::size_t more) const;
    // Room for `more` digests without moving the slots while they are added,
    // so that slots prefetched before then stay where they were.
    void Reserve(std::size_t more);

    std::size_t Size() const { return entries_.size(); }

private:
    struct Entry {
        FrameDigest digest;
        std::int64_t id = 0;
    };
    // The digest's first 32 bits, which also pick the slot, and its entry
    // counted from 1; 0 marks a free slot.
    struct Slot {
        std::uint32_t leading = 0;
        std::uint32_t entry = 0;
    };

    std::size_t SlotOf(std::uint32_t leading) const;
    void Resize(int bits);

    std::vector<Entry> entries_;
    std::vector<Slot> slots_;
    int bits_ = 0;
};

}  // namespace orvex
