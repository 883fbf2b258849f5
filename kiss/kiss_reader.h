#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "kiss/frame.h"
#include "kiss/kiss_counts.h"
#include "kiss/log_source.h"

namespace orvex {

inline constexpr std::uint8_t kFend = 0xC0;
inline constexpr std::uint8_t kFesc = 0xDB;
inline constexpr std::uint8_t kTfend = 0xDC;
inline constexpr std::uint8_t kTfesc = 0xDD;

// Turns a log's bytes into KISS frames, one at a time, in a Frame. Reads the
// source in large blocks; nothing is allocated per byte or per frame.
//
// A frame runs from an opening FEND to the next FEND or the end of the data.
// FESC TFEND stands for C0 and FESC TFESC for DB; an FESC followed by
// anything else is dropped. An LF right after a stored CR is dropped. A frame
// that would need more than 512 positions keeps its first 512 and loses the
// rest.
//
// Bytes between a closing FEND and the next FEND are read as a frame's
// content would be. When they form a data frame (at least the header, KISS
// command 0, a type of the satellite's), they are that frame, closed by the
// FEND after them: its opening FEND was shared with the frame before, or
// lost. Otherwise they are skipped, and that FEND opens the next frame. So a
// TNC that shares FENDs loses no frame, and a log that begins inside a frame
// is back in step after it; a log whose frames each have their own FENDs
// reads as if the rule did not exist.
//
// What these rules took from the log is counted as it happens, in the rare
// branches that take it, so that a log's bad bytes can be told.
//
// When the load stops the data (rather than the data ending), content it was
// inside of is neither delivered nor counted: the frame was whole in the log,
// and only the stop cut it.
class KissReader {
public:
    explicit KissReader(LogSource& source, std::size_t blockSize = 1 << 20);

    // True with the next frame in `frame`, and where it lay in the log; false
    // at the end of the data. Only a frame delivered, or one a stop cut, is
    // written into `frame`: beyond its length the buffer keeps what earlier
    // frames left.
    bool ReadNextFrame(Frame& frame);

    // errno of a read that failed; the data then ended there.
    int ReadError() const { return readError_; }
    std::uint64_t BytesConsumed() const { return consumed_ + position_; }
    // What the reader dropped or cut so far.
    KissCounts CountsSoFar() const;

private:
    // How a frame's content ended.
    struct ContentEnd {
        std::uint16_t length = 0;  // positions taken, the opening FEND's included
        bool cut = false;          // at 512 positions
        bool closed = false;       // by a FEND, rather than by the end of the data
    };

    bool Refill();
    // Leaves content the data was stopped inside of unread: false.
    bool LeaveUnreadAtStop(std::uint64_t contentStart);
    // Consumes the data up to and including the next FEND; false when the
    // data ends first.
    bool SkipPastFend();
    // Copies bytes that need no rule of their own (all but FEND, FESC and
    // LF) into `to`, at most `room`, from the current block.
    std::size_t CopyOrdinaryRun(std::uint8_t* to, std::size_t room);
    // Reads a frame's content into `buffer` after the FEND at its offset 0,
    // up to and including the FEND that closes it, counting what its rules
    // took into `counts` and noting where it dropped an LF in
    // `lineFeedsDropped`.
    ContentEnd ReadContent(std::uint8_t* buffer, KissCounts& counts,
                           std::vector<std::uint16_t>& lineFeedsDropped);
    void Deliver(Frame& frame, std::uint64_t logOffset, const ContentEnd& end, bool ownOpeningFend);

    LogSource& source_;
    std::size_t blockSize_;  // the largest block
    std::size_t capacity_;   // the block's size now
    // Not zeroed: every load would otherwise clear a block it overwrites.
    std::unique_ptr<std::uint8_t[]> block_;
    std::size_t position_ = 0;
    std::size_t end_ = 0;
    std::uint64_t consumed_ = 0;
    bool exhausted_ = false;
    bool stopped_ = false;
    std::uint64_t unreadAtStop_ = 0;  // bytes of content a stop cut, at the end
    int readError_ = 0;
    // Bytes between frames, read as a frame's content until they prove to be
    // one: a frame's buffer holds only frames.
    std::array<std::uint8_t, kFrameCapacity> between_{};
    std::vector<std::uint16_t> betweenLineFeedsDropped_;

    std::uint64_t frameBytes_ = 0;  // log bytes of the frames delivered
    KissCounts counts_;
};

}  // namespace orvex
