#pragma once

#include <cstddef>
#include <cstdint>

#include "archive/archive_database.h"
#include "archive/digest_table.h"

namespace orvex {

// Every frame the archive holds, as a program run's writers need it: each
// frame's digest, taken from its stored bytes, and number. Kept in memory and brought up to date at
// each block, under the write lock, from the frames stored since, so that a frame another station
// stored a moment ago is found: looking each frame up in the database instead cost a random index
// page per frame. Kept from one load to the next, which then reads only the frames stored since:
// read again for each of a thousand pass logs, the digests of the ones before made adding them take
// time that grew with their square.
//
// New frames are numbered on from the highest number the archive holds:
// under the write lock no other writer numbers frames meanwhile.
class KnownFrames {
public:
    // Reads the frames stored since the last call; false (the database's
    // error noted) when they cannot be read.
    bool CatchUp(ArchiveDatabase& database);

    // The frame with `digest`; a frame not known yet takes the next number.
    FrameLookup FindOrAdd(const FrameDigest& digest);
    // Room for a block of `frames` new frames; false when a writer could not
    // tell that many frames apart.
    bool Reserve(std::size_t frames);
    // A lookup announced some frames ahead of its FindOrAdd, so that the
    // lookups overlap.
    void Prefetch(const FrameDigest& digest) const { frames_.Prefetch(digest); }

    // The frames numbered since the last call were stored.
    void Stored() { lastStored_ = nextId_ - 1; }
    // They were not: what was taken from the block, and so everything, is
    // forgotten, and the next catch-up reads the archive whole.
    void Forget() { *this = KnownFrames(); }

private:
    DigestTable frames_;
    std::int64_t lastStored_ = 0;  // the highest number the archive holds, as far as known
    std::int64_t nextId_ = 1;
};

}  // namespace orvex
