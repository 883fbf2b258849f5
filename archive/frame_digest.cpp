#include "archive/frame_digest.h"

#include <algorithm>

#include <xxhash.h>

namespace orvex {

// XXH3's 128 bits: many times faster than Qt's SHA-256 or SHA-1 over a
// long log's frames (bench/README.md). The digest tells frames
// apart and finds damage by chance, not by malice: at 128 bits two
// different frames share one with a chance below 1 in 10^20 even among a
// billion of them; nothing rests on it being hard to forge.
FrameDigest FrameDigest::Of(std::string_view frameBytes) {
    const XXH128_hash_t hash = XXH3_128bits(frameBytes.data(), frameBytes.size());
    FrameDigest digest;
    XXH128_canonical_t canonical;
    XXH128_canonicalFromHash(&canonical, hash);
    std::copy(std::begin(canonical.digest), std::end(canonical.digest), digest.bytes.begin());
    return digest;
}

bool FrameDigest::Read(const QByteArray& stored, FrameDigest& digest) {
    if (stored.size() != static_cast<qsizetype>(digest.bytes.size())) {
        return false;
    }
    std::copy(stored.begin(), stored.end(), digest.bytes.begin());
    return true;
}

std::int32_t FrameDigest::Check() const {
    std::uint32_t check = 0;
    for (std::size_t at = 0; at < 4; ++at) {
        check = (check << 8U) | bytes[at];
    }
    return static_cast<std::int32_t>(check);
}

}  // namespace orvex
