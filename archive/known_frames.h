#pragma once

#include <cstdint>
#include <vector>

#include "archive/archive_database.h"
#include "archive/digest_table.h"
#include "archive/frame_block.h"

namespace orvex {

// What the archive holds, as one writer needs it: every frame's digest and
// where it lies, and the byte offsets of its own log already heard. Kept in
// memory and brought up to date at each block from the blocks written
// since, under the write lock, so that a frame another station stored a
// moment ago is found: looking each frame up in the database instead cost
// a random index page per frame.
class KnownFrames {
public:
    // Reads the blocks written since the last call; false (the database's
    // error noted) when they cannot be read.
    bool CatchUp(ArchiveDatabase& database, std::int64_t logId);

    // Where the frame with `digest` lies. A frame not known yet is taken as
    // the next frame, `nextIndex`, of the block being written, block 0.
    struct Place {
        FrameRef where;
        bool isNew = false;
    };
    Place FindOrAdd(const FrameDigest& digest, std::uint32_t nextIndex);
    // Room for a block of `frames` new frames; false when a writer could not
    // tell that many frames apart.
    bool Reserve(std::size_t frames);
    // A lookup announced some frames ahead of its FindOrAdd, so that the
    // lookups overlap.
    void Prefetch(const FrameDigest& digest) const { frames_.Prefetch(digest); }
    // Whether an earlier load of the log, or another writer of it, stored
    // a hearing at `offset`. A load's own hearings are not kept: its
    // offsets only grow.
    bool Heard(std::uint64_t offset) const;

    // The block being written was stored as `block`; the next one begins.
    void Stored(std::int64_t block);

private:
    bool ReadBlock(std::int64_t block, const QByteArray& digests, const QByteArray& hearings);

    // A frame of a block this writer wrote holds minus the block's count
    // among them until the database has given it its number.
    DigestTable frames_;
    std::vector<std::int64_t> storedBlocks_;  // this writer's, by count
    std::vector<std::uint64_t> heard_;        // sorted
    std::int64_t lastBlock_ = 0;
};

}  // namespace orvex
