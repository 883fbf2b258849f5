#include "kiss/kiss_reader.h"

#include <algorithm>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace orvex {
namespace {

constexpr std::uint8_t kCr = 0x0D;
constexpr std::uint8_t kLf = 0x0A;
// The block starts this small and doubles while the source fills it, up to
// the block size asked for: a short log or a stream that trickles in never
// takes the whole block, which AddressSanitizer maps anew for every load
// (fuzz/README.md).
constexpr std::size_t kFirstBlockSize = std::size_t{64} << 10;

}  // namespace

KissReader::KissReader(LogSource& source, std::size_t blockSize)
    : source_(source),
      blockSize_(std::max<std::size_t>(blockSize, 1)),
      capacity_(std::min(blockSize_, kFirstBlockSize)),
      block_(std::make_unique_for_overwrite<std::uint8_t[]>(capacity_)) {}

bool KissReader::Refill() {
    if (exhausted_) {
        return false;
    }
    if (end_ == capacity_ && capacity_ < blockSize_) {
        capacity_ = std::min(capacity_ * 2, blockSize_);
        block_ = std::make_unique_for_overwrite<std::uint8_t[]>(capacity_);
    }
    consumed_ += end_;
    position_ = end_ = 0;
    const LogSource::Result result = source_.Read(block_.get(), capacity_);
    if (result.count == 0) {
        exhausted_ = true;
        stopped_ = result.stopped;
        readError_ = result.error;
        return false;
    }
    end_ = result.count;
    return true;
}

bool KissReader::SkipPastFend() {
    for (;;) {
        if (position_ == end_ && !Refill()) {
            return false;
        }
        const auto* start = block_.get() + position_;
        const auto* fend =
            static_cast<const std::uint8_t*>(std::memchr(start, kFend, end_ - position_));
        if (fend != nullptr) {
            position_ += static_cast<std::size_t>(fend - start) + 1;
            return true;
        }
        position_ = end_;
    }
}

namespace {

// The length of the run of bytes from `from` that need no rule of their own
// (all but FEND, FESC and LF), at most `limit`.
std::size_t OrdinaryRunLength(const std::uint8_t* from, std::size_t limit) {
    std::size_t count = 0;
#ifdef __SSE2__
    // Sixteen bytes at a time: most of a frame is ordinary data.
    const __m128i fend = _mm_set1_epi8(static_cast<char>(kFend));
    const __m128i fesc = _mm_set1_epi8(static_cast<char>(kFesc));
    const __m128i lf = _mm_set1_epi8(static_cast<char>(kLf));
    for (; count + 16 <= limit; count += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + count));
        const __m128i special =
            _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(bytes, fend), _mm_cmpeq_epi8(bytes, fesc)),
                         _mm_cmpeq_epi8(bytes, lf));
        if (const int mask = _mm_movemask_epi8(special)) {
            return count + static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(mask)));
        }
    }
#endif
    while (count < limit && from[count] != kFend && from[count] != kFesc && from[count] != kLf) {
        ++count;
    }
    return count;
}

}  // namespace

std::size_t KissReader::CopyOrdinaryRun(std::uint8_t* to, std::size_t room) {
    const std::uint8_t* from = block_.get() + position_;
    const std::size_t count = OrdinaryRunLength(from, std::min(room, end_ - position_));
    std::memcpy(to, from, count);
    position_ += count;
    return count;
}

namespace {

// Whether bytes read as a frame begin with a data frame's header.
bool HasDataHeader(const std::uint8_t* bytes, std::size_t length) {
    return length >= layout::kHeaderLength && bytes[layout::kCommand] == 0 &&
           bytes[layout::kType] >= 1 && bytes[layout::kType] <= layout::kTypeCount;
}

}  // namespace

bool KissReader::ReadNextFrame(Frame& frame) {
    if (position_ == end_ && !Refill()) {
        return false;
    }
    if (block_[position_] != kFend) {
        const std::uint64_t firstByte = BytesConsumed();
        KissCounts counts;
        const ContentEnd end = ReadContent(between_.data(), counts, betweenLineFeedsDropped_);
        if (!end.closed) {
            // They stay bytes outside frames, unless the stop cut them.
            return stopped_ ? LeaveUnreadAtStop(firstByte) : false;
        }
        if (HasDataHeader(between_.data(), end.length)) {
            std::memcpy(frame.bytes.data(), between_.data(), end.length);
            frame.lineFeedsDroppedAfter.swap(betweenLineFeedsDropped_);
            ++counts.framesOpeningFendSharedOrLost;
            counts_ += counts;
            Deliver(frame, firstByte, end, /*ownOpeningFend=*/false);
            return true;
        }
        // Bytes between frames after all: the FEND after them opens a frame.
    } else {
        ++position_;
    }
    const std::uint64_t openingFend = BytesConsumed() - 1;
    KissCounts counts;
    const ContentEnd end = ReadContent(frame.bytes.data(), counts, frame.lineFeedsDroppedAfter);
    if (!end.closed && stopped_) {
        return LeaveUnreadAtStop(openingFend);
    }
    counts_ += counts;
    Deliver(frame, openingFend, end, /*ownOpeningFend=*/true);
    return true;
}

bool KissReader::LeaveUnreadAtStop(std::uint64_t contentStart) {
    unreadAtStop_ = BytesConsumed() - contentStart;
    return false;
}

KissReader::ContentEnd KissReader::ReadContent(std::uint8_t* buffer, KissCounts& counts,
                                               std::vector<std::uint16_t>& lineFeedsDropped) {
    lineFeedsDropped.clear();
    buffer[0] = kFend;
    std::size_t taken = 1;  // positions of the frame taken so far
    bool escapePending = false;
    ContentEnd end;
    auto take = [&](std::uint8_t value) {
        if (taken == kFrameCapacity) {
            return false;
        }
        buffer[taken++] = value;
        return true;
    };
    auto cutHere = [&] {
        end.cut = true;
        ++counts.framesCut;
        // The rest of an oversized frame is lost.
        end.closed = SkipPastFend();
    };

    for (;;) {
        if (position_ == end_ && !Refill()) {
            break;
        }
        if (!escapePending) {
            taken += CopyOrdinaryRun(buffer + taken, kFrameCapacity - taken);
            if (position_ == end_) {
                continue;
            }
        }
        const std::uint8_t b = block_[position_++];
        if (b == kFend) {
            end.closed = true;
            break;
        }
        if (escapePending) {
            escapePending = false;
            if (b == kTfend || b == kTfesc) {
                if (!take(b == kTfend ? kFend : kFesc)) {
                    cutHere();
                    break;
                }
                continue;
            }
            ++counts.danglingEscapes;
        }
        if (b == kFesc) {
            escapePending = true;
        } else if (b == kLf && buffer[taken - 1] == kCr) {
            // The LF of a CR LF pair inside a frame is not kept.
            ++counts.lineFeedsDropped;
            lineFeedsDropped.push_back(static_cast<std::uint16_t>(taken - 1));
        } else if (!take(b)) {
            cutHere();
            break;
        }
    }
    if (escapePending) {
        ++counts.danglingEscapes;  // the frame ended right after its FESC
    }
    end.length = static_cast<std::uint16_t>(taken);
    return end;
}

void KissReader::Deliver(Frame& frame, std::uint64_t logOffset, const ContentEnd& end,
                         bool ownOpeningFend) {
    frame.length = end.length;
    frame.cut = end.cut;
    frame.unfinished = !end.closed;
    frame.openingFendSharedOrLost = !ownOpeningFend;
    frame.logOffset = logOffset;
    frame.logBytes = BytesConsumed() - logOffset;
    frameBytes_ += frame.logBytes;
}

KissCounts KissReader::CountsSoFar() const {
    KissCounts counts = counts_;
    counts.bytesOutsideFrames = BytesConsumed() - unreadAtStop_ - frameBytes_;
    return counts;
}

}  // namespace orvex
