#include "archive/frame_block.h"

#include <QtEndian>

#include <algorithm>
#include <cstring>

#include <xxhash.h>

namespace orvex {
namespace {

// A stored frame: time (u32), flags (u8), first offset (u64), length (u16),
// then the bytes; a hearing: offset (u64), block (i64), index (u32). All
// little-endian, whatever the machine.
constexpr std::size_t kFrameHeadBytes = 4 + 1 + 8 + 2;
constexpr std::size_t kHearingBytes = 8 + 8 + 4;
constexpr std::uint8_t kHasTime = 1;
constexpr std::uint8_t kTimeExact = 2;

// Grows `out` by `count` bytes and gives where they begin. The values are
// written in place rather than appended piece by piece: the appends were a
// third of a block's packing.
char* Extend(QByteArray& out, std::size_t count) {
    const qsizetype at = out.size();
    out.resize(at + static_cast<qsizetype>(count));
    return out.data() + at;
}

template <class T>
char* Put(char* out, T value) {
    const T little = qToLittleEndian(value);
    std::memcpy(out, &little, sizeof little);
    return out + sizeof little;
}

// Reads values off the front of a packed value.
class Reader {
public:
    explicit Reader(const QByteArray& packed) : at_(packed.constData()), left_(packed.size()) {}

    bool AtEnd() const { return left_ == 0; }
    template <class T>
    bool Get(T& value) {
        if (left_ < static_cast<qsizetype>(sizeof(T))) {
            return false;
        }
        value = qFromLittleEndian<T>(at_);
        Skip(sizeof(T));
        return true;
    }
    bool Get(std::string_view& bytes, std::size_t length) {
        if (left_ < static_cast<qsizetype>(length)) {
            return false;
        }
        bytes = std::string_view(at_, length);
        Skip(length);
        return true;
    }

private:
    void Skip(std::size_t count) {
        at_ += count;
        left_ -= static_cast<qsizetype>(count);
    }

    const char* at_;
    qsizetype left_;
};

}  // namespace

// XXH3's 128 bits: Qt's SHA-256, and even its SHA-1, took a large part of an
// archived decode's whole time, XXH3 almost none (bench/README.md, the
// archive). The digest only tells frames apart, and
// at 128 bits two different frames share one with a chance below 1 in 10^20
// even among a billion of them; nothing rests on it being hard to forge.
FrameDigest FrameDigest::Of(std::string_view frameBytes) {
    const XXH128_hash_t hash = XXH3_128bits(frameBytes.data(), frameBytes.size());
    FrameDigest digest;
    XXH128_canonical_t canonical;
    XXH128_canonicalFromHash(&canonical, hash);
    std::copy(std::begin(canonical.digest), std::end(canonical.digest), digest.bytes.begin());
    return digest;
}

FrameBlock::FrameBlock(std::size_t frames, std::size_t bytes) {
    const std::size_t frameBytes = bytes + frames * kFrameHeadBytes;
    const std::size_t digestBytes = frames * sizeof(FrameDigest::bytes);
    const std::size_t hearingBytes = frames * kHearingBytes;
    frames_.reserve(static_cast<qsizetype>(frameBytes));
    digests_.reserve(static_cast<qsizetype>(digestBytes));
    hearings_.reserve(static_cast<qsizetype>(hearingBytes));
}

void FrameBlock::AddFrame(const StoredFrame& frame, const FrameDigest& digest) {
    std::uint8_t flags = 0;
    if (frame.time) {
        flags |= kHasTime;
        timeFrom_ = std::min(timeFrom_.value_or(*frame.time), *frame.time);
        timeTo_ = std::max(timeTo_.value_or(*frame.time), *frame.time);
    }
    if (frame.timeExact) {
        flags |= kTimeExact;
    }
    char* out = Extend(frames_, kFrameHeadBytes + frame.bytes.size());
    out = Put<std::uint32_t>(out, frame.time.value_or(0));
    out = Put<std::uint8_t>(out, flags);
    out = Put<std::uint64_t>(out, frame.firstOffset);
    out = Put<std::uint16_t>(out, static_cast<std::uint16_t>(frame.bytes.size()));
    std::memcpy(out, frame.bytes.data(), frame.bytes.size());
    std::memcpy(Extend(digests_, digest.bytes.size()), digest.bytes.data(), digest.bytes.size());
    ++frameCount_;
}

void FrameBlock::AddHearing(const Hearing& hearing) {
    char* out = Extend(hearings_, kHearingBytes);
    out = Put<std::uint64_t>(out, hearing.offset);
    out = Put<std::int64_t>(out, hearing.frame.block);
    Put<std::uint32_t>(out, hearing.frame.index);
    ++hearingCount_;
}

bool ForEachStoredFrame(const QByteArray& frames,
                        const std::function<void(const StoredFrame&)>& visit) {
    Reader reader(frames);
    while (!reader.AtEnd()) {
        std::uint32_t time = 0;
        std::uint8_t flags = 0;
        std::uint16_t length = 0;
        StoredFrame frame;
        if (!reader.Get(time) || !reader.Get(flags) || !reader.Get(frame.firstOffset) ||
            !reader.Get(length) || !reader.Get(frame.bytes, length)) {
            return false;
        }
        if ((flags & kHasTime) != 0) {
            frame.time = time;
        }
        frame.timeExact = (flags & kTimeExact) != 0;
        visit(frame);
    }
    return true;
}

bool ForEachDigest(const QByteArray& digests,
                   const std::function<void(const FrameDigest&)>& visit) {
    Reader reader(digests);
    while (!reader.AtEnd()) {
        std::string_view bytes;
        if (!reader.Get(bytes, sizeof(FrameDigest::bytes))) {
            return false;
        }
        FrameDigest digest;
        std::copy(bytes.begin(), bytes.end(), digest.bytes.begin());
        visit(digest);
    }
    return true;
}

bool ForEachHearing(const QByteArray& hearings, const std::function<void(const Hearing&)>& visit) {
    if (hearings.size() % static_cast<qsizetype>(kHearingBytes) != 0) {
        return false;
    }
    Reader reader(hearings);
    while (!reader.AtEnd()) {
        Hearing hearing;
        reader.Get(hearing.offset);
        reader.Get(hearing.frame.block);
        reader.Get(hearing.frame.index);
        visit(hearing);
    }
    return true;
}

}  // namespace orvex
