#pragma once

#include <QHash>

#include <cstdint>
#include <vector>

#include "archive/archive_database.h"
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
    // Whether an earlier load of the log, or another writer of it, stored
    // a hearing at `offset`. A load's own hearings are not kept: its
    // offsets only grow.
    bool Heard(std::uint64_t offset) const;

    // The block being written was stored as `block`; the next one begins.
    void Stored(std::int64_t block);

private:
    bool ReadBlock(std::int64_t block, const QByteArray& digests, const QByteArray& hearings);

    // One lookup a frame, in a QHash rather than std::unordered_map: a node
    // per frame and a second table for the block being written made the
    // lookups of a 100 MB log a third of its archived decode. A frame of a
    // block this writer wrote holds minus the block's count among them
    // until the database has given it its number.
    QHash<FrameDigest, FrameRef> frames_;
    std::vector<std::int64_t> storedBlocks_;  // this writer's, by count
    std::vector<std::uint64_t> heard_;        // sorted
    std::int64_t lastBlock_ = 0;
};

}  // namespace orvex
