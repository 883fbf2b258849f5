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

}  // namespace

KissReader::KissReader(LogSource& source, std::size_t blockSize)
    : source_(source),
      blockSize_(std::max<std::size_t>(blockSize, 1)),
      block_(std::make_unique_for_overwrite<std::uint8_t[]>(blockSize_)) {}

bool KissReader::Refill() {
    if (exhausted_) {
        return false;
    }
    consumed_ += end_;
    position_ = end_ = 0;
    const LogSource::Result result = source_.Read(block_.get(), blockSize_);
    if (result.count == 0) {
        exhausted_ = true;
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

bool KissReader::ReadNextFrame(Frame& frame) {
    if (!SkipPastFend()) {
        return false;
    }
    frame.logOffset = BytesConsumed() - 1;
    frame.cut = false;
    frame.unfinished = true;  // until its closing FEND is read
    std::uint8_t* buffer = frame.bytes.data();
    buffer[0] = kFend;
    std::size_t c = 1;
    escapePending_ = false;
    auto take = [&](std::uint8_t value) {
        if (c == kFrameCapacity) {
            return false;
        }
        buffer[c++] = value;
        return true;
    };
    auto cutHere = [&] {
        frame.cut = true;
        ++counts_.framesCut;
        // The rest of an oversized frame is lost.
        frame.unfinished = !SkipPastFend();
    };

    for (;;) {
        if (position_ == end_ && !Refill()) {
            break;
        }
        if (!escapePending_) {
            c += CopyOrdinaryRun(buffer + c, kFrameCapacity - c);
            if (position_ == end_) {
                continue;
            }
        }
        std::uint8_t b = block_[position_++];
        if (b == kFend) {
            frame.unfinished = false;
            break;
        }
        if (escapePending_) {
            escapePending_ = false;
            if (b == kTfend || b == kTfesc) {
                if (!take(b == kTfend ? kFend : kFesc)) {
                    cutHere();
                    break;
                }
                continue;
            }
            ++counts_.danglingEscapes;
        }
        if (b == kFesc) {
            escapePending_ = true;
        } else if (b == kLf && buffer[c - 1] == kCr) {
            // The LF of a CR LF pair inside a frame is not kept.
            ++counts_.lineFeedsDropped;
        } else if (!take(b)) {
            cutHere();
            break;
        }
    }
    if (escapePending_) {
        ++counts_.danglingEscapes;  // the frame ended right after its FESC
        escapePending_ = false;
    }
    frame.length = static_cast<std::uint16_t>(c);
    frame.logBytes = BytesConsumed() - frame.logOffset;
    frameBytes_ += frame.logBytes;
    return true;
}

KissReader::Counts KissReader::CountsSoFar() const {
    Counts counts = counts_;
    counts.bytesOutsideFrames = BytesConsumed() - frameBytes_;
    return counts;
}

}  // namespace orvex
