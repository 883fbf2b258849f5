#pragma once

#include <cstdint>
#include <memory>

#include "kiss/frame.h"
#include "kiss/log_source.h"

namespace orvex {

inline constexpr std::uint8_t kFend = 0xC0;
inline constexpr std::uint8_t kFesc = 0xDB;
inline constexpr std::uint8_t kTfend = 0xDC;
inline constexpr std::uint8_t kTfesc = 0xDD;

// Turns a log's bytes into KISS frames, one at a time, in a Frame. Reads the
// source in large blocks; nothing is allocated per byte or per frame.
//
// A frame runs from an opening FEND to the next FEND or the end of the data;
// bytes between a closing FEND and the next opening FEND are skipped. FESC
// TFEND stands for C0 and FESC TFESC for DB; an FESC followed by anything else
// is dropped. An LF right after a stored CR is dropped. A frame that would
// need more than 512 positions keeps its first 512 and loses the rest.
//
// What these rules took from the log is counted as it happens, in the rare
// branches that take it, so that a log's bad bytes can be told.
class KissReader {
public:
    explicit KissReader(LogSource& source, std::size_t blockSize = 1 << 20);

    // What the reader dropped or cut so far.
    struct Counts {
        std::uint64_t bytesOutsideFrames = 0;  // before, between and after frames
        std::uint64_t framesCut = 0;           // longer than 512 positions
        std::uint64_t lineFeedsDropped = 0;    // the LF of a CR LF pair
        std::uint64_t danglingEscapes = 0;     // an FESC followed by neither TFEND nor TFESC
    };

    // True with the next frame in `frame`, and where it lay in the log; false
    // at the end of the data.
    bool ReadNextFrame(Frame& frame);

    // errno of a read that failed; the data then ended there.
    int ReadError() const { return readError_; }
    std::uint64_t BytesConsumed() const { return consumed_ + position_; }
    Counts CountsSoFar() const;

private:
    bool Refill();
    // Consumes the data up to and including the next FEND; false when the
    // data ends first.
    bool SkipPastFend();
    // Copies bytes that need no rule of their own (all but FEND, FESC and
    // LF) into `to`, at most `room`, from the current block.
    std::size_t CopyOrdinaryRun(std::uint8_t* to, std::size_t room);

    LogSource& source_;
    std::size_t blockSize_;
    // Not zeroed: every load would otherwise clear a block it overwrites.
    std::unique_ptr<std::uint8_t[]> block_;
    std::size_t position_ = 0;
    std::size_t end_ = 0;
    std::uint64_t consumed_ = 0;
    bool exhausted_ = false;
    int readError_ = 0;
    bool escapePending_ = false;

    std::uint64_t frameBytes_ = 0;  // log bytes of the frames delivered
    Counts counts_;
};

}  // namespace orvex
