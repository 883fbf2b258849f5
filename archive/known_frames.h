#pragma once

#include <cstdint>
#include <vector>

#include "archive/archive_database.h"
#include "archive/digest_table.h"
#include "archive/frame_block.h"

namespace orvex {

// Every frame the archive holds, as a program run's writers need it: each
// frame's digest and where it lies. Kept in memory and brought up to date
// at each block from the blocks written since, under the write lock, so
// that a frame another station stored a moment ago is found: looking each
// frame up in the database instead cost a random index page per frame.
// Kept from one load to the next, which then reads only the blocks written
// since: read again for each of a thousand pass logs, the digests of the
// ones before made adding them take time that grew with their square.
class KnownFrames {
public:
    // Reads the blocks written since the last call; false (the database's
    // error noted) when they cannot be read.
    bool CatchUp(ArchiveDatabase& database);

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

    // The block being written was stored as `block`; the next one begins.
    void Stored(std::int64_t block);
    // The block being written was not stored: what was taken from it, and
    // so everything, is forgotten, and the next catch-up reads the archive
    // whole.
    void Forget();

private:
    bool ReadBlock(std::int64_t block, const QByteArray& digests);

    // A frame of a block written through this table holds minus the block's
    // count among them until the database has given it its number.
    DigestTable frames_;
    std::vector<std::int64_t> storedBlocks_;  // by count
    std::int64_t lastBlock_ = 0;
};

}  // namespace orvex
