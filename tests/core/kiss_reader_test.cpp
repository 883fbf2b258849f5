#include "kiss/kiss_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/support/log_builder.h"

namespace orvex {
namespace {

using test::Bytes;
using Frames = std::vector<std::string>;

std::string Bytes(const Frame& frame) {
    return {reinterpret_cast<const char*>(frame.bytes.data()), frame.length};
}

// The frames a log's bytes give, each as the bytes at offsets 0..length-1.
// Tiny blocks make every byte a block boundary.
Frames FramesOf(const std::string& log, std::size_t blockSize = 1 << 20) {
    MemoryLogSource source(log);
    KissReader reader(source, blockSize);
    Frame frame;
    Frames frames;
    while (reader.ReadNextFrame(frame)) {
        frames.push_back(Bytes(frame));
    }
    return frames;
}

void ExpectFrames(const std::string& log, const Frames& expected) {
    for (const std::size_t block : {std::size_t{1}, std::size_t{3}, std::size_t{1} << 20}) {
        EXPECT_EQ(FramesOf(log, block), expected) << "with blocks of " << block << " bytes";
    }
}

TEST(KissReader, FramingAndEscapes) {
    ExpectFrames(Bytes({0xC0, 0x00, 0x11, 0x22, 0xC0}), {Bytes({0xC0, 0x00, 0x11, 0x22})});
    ExpectFrames(Bytes({0xC0, 0x00, 0xDB, 0xDC, 0x41, 0xC0}), {Bytes({0xC0, 0x00, 0xC0, 0x41})});
    ExpectFrames(Bytes({0xC0, 0x00, 0xDB, 0xDD, 0x41, 0xC0}), {Bytes({0xC0, 0x00, 0xDB, 0x41})});
    // Without a preceding FESC these are ordinary bytes.
    ExpectFrames(Bytes({0xC0, 0x00, 0xDC, 0xDD, 0xC0}), {Bytes({0xC0, 0x00, 0xDC, 0xDD})});
    ExpectFrames(Bytes({0xC0, 0xC0}), {Bytes({0xC0})});
}

TEST(KissReader, LineFeedAfterStoredCarriageReturnIsDropped) {
    ExpectFrames(Bytes({0xC0, 0x00, 0x41, 0x0D, 0x0A, 0x42, 0xC0}),
                 {Bytes({0xC0, 0x00, 0x41, 0x0D, 0x42})});
    ExpectFrames(Bytes({0xC0, 0x00, 0x41, 0x0A, 0x42, 0xC0}),
                 {Bytes({0xC0, 0x00, 0x41, 0x0A, 0x42})});
    // The second LF still follows the stored CR.
    ExpectFrames(Bytes({0xC0, 0x0D, 0x0A, 0x0A, 0x41, 0xC0}), {Bytes({0xC0, 0x0D, 0x41})});
    // Offset 0 holds C0, so an LF right after the FEND is stored.
    ExpectFrames(Bytes({0xC0, 0x0A, 0xC0}), {Bytes({0xC0, 0x0A})});
}

TEST(KissReader, BytesOutsideFramesAreSkipped) {
    ExpectFrames("junk" + Bytes({0xC0, 0x01, 0xC0}) + "between" + Bytes({0xC0, 0x02, 0xC0}) + "end",
                 {Bytes({0xC0, 0x01}), Bytes({0xC0, 0x02})});
    // Frames sharing one FEND, B too short to be a frame: B lies between frames.
    ExpectFrames(Bytes({0xC0, 'A', 0xC0, 'B', 0xC0, 'C', 0xC0}),
                 {Bytes({0xC0, 'A'}), Bytes({0xC0, 'C'})});
}

// The content of a TIME frame: command 0, four unused bytes, type 1, a text.
std::string TimeContent(const std::string& text) {
    return Bytes({0x00, 0, 0, 0, 0, 0x01}) + text;
}

TEST(KissReader, BytesBetweenFramesThatFormADataFrameAreThatFrame) {
    // A TNC that shares FENDs: C0 A C0 B C0 C C0.
    const std::string a = TimeContent("a"), b = TimeContent("b"), c = TimeContent("c");
    ExpectFrames("\xC0" + a + "\xC0" + b + "\xC0" + c + "\xC0",
                 {"\xC0" + a, "\xC0" + b, "\xC0" + c});
    // A log that begins inside a frame: its tail is no frame, its closing FEND
    // opens an empty one, and the next frame, whose opening FEND that took,
    // is found among the bytes after it.
    ExpectFrames("ail of a frame" + ("\xC0\xC0" + b) + ("\xC0\xC0" + c + "\xC0"),
                 {"\xC0", "\xC0" + b, "\xC0" + c});
    // Read as a frame is: escapes resolved, the LF of a CR LF dropped.
    ExpectFrames(Bytes({0xC0, 0xC0, 0x00, 0x0D, 0x0A, 0, 0, 0, 0x01, 0xDB, 0xDC, 0xC0}),
                 {Bytes({0xC0}), Bytes({0xC0, 0x00, 0x0D, 0, 0, 0, 0x01, 0xC0})});
}

// Each frame's bytes after the FEND as the TNC delivered them: escapes
// resolved, every LF the reader dropped in its place again.
Frames DeliveredOf(const std::string& log) {
    MemoryLogSource source(log);
    KissReader reader(source, 3);
    Frame frame;
    Frames frames;
    while (reader.ReadNextFrame(frame)) {
        frames.push_back(frame.Delivered(1));
    }
    return frames;
}

TEST(KissReader, AFrameGivesItsBytesAsDeliveredWithTheDroppedLineFeeds) {
    const std::string crLf = TimeContent("a\r\n\r\n\rb\n");
    const std::string plain = TimeContent("plain");
    // With its own FENDs, found between frames, and frames without CR LF
    // after each, which keep none of the LFs before them.
    EXPECT_EQ(DeliveredOf("\xC0" + crLf + "\xC0\xC0" + plain + "\xC0" + crLf + "\xC0\xC0" + plain +
                          "\xC0"),
              (Frames{crLf, plain, crLf, plain}));
    EXPECT_EQ(DeliveredOf(Bytes({0xC0, 0x00, 0xDB, 0xDC, 0x0D, 0x0A, 0xDB, 0xDD, 0xC0})),
              (Frames{Bytes({0x00, 0xC0, 0x0D, 0x0A, 0xDB})}));
}

TEST(KissReader, BytesBetweenFramesThatFormNoDataFrameAreSkippedAsBefore) {
    const std::string b = TimeContent("b");
    for (const std::string& between : {
             Bytes({0x00, 0, 0, 0, 0, 0x01}).substr(0, 5),  // shorter than the header
             Bytes({0x05, 0, 0, 0, 0, 0x01, 'x'}),          // not a data frame
             Bytes({0x00, 0, 0, 0, 0, 0x0E, 'x'}),          // a type the satellite lacks
             Bytes({0x00, 0, 0, 0, 0, 0x00, 'x'}),
             Bytes({0x00, 0, 0x0D, 0x0A, 0, 0x01}),  // the dropped LF leaves it short
             Bytes({0x00, 0, 0, 0, 0xDB, 0x01}),     // so does a dangling escape
         }) {
        ExpectFrames("\xC0" + b + "\xC0" + between + "\xC0" + b + "\xC0", {"\xC0" + b, "\xC0" + b});
    }
}

TEST(KissReader, OnlyAFrameTakenIsWrittenIntoTheBuffer) {
    // A 40-byte frame, bytes between frames that are none, a FEND pair.
    const std::string junk = Bytes({0x05, 0, 0, 0, 0, 0x01}) + std::string(30, 'j');
    MemoryLogSource source("\xC0" + TimeContent(std::string(33, 'L')) + "\xC0" + junk + "\xC0\xC0");
    KissReader reader(source);
    Frame frame;
    ASSERT_TRUE(reader.ReadNextFrame(frame));
    ASSERT_TRUE(reader.ReadNextFrame(frame));
    EXPECT_EQ(frame.length, 1);
    EXPECT_FALSE(frame.openingFendSharedOrLost);
    EXPECT_EQ(Bytes(frame), "\xC0");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(frame.bytes.data()) + 7, 33),
              std::string(33, 'L'));
    EXPECT_EQ(reader.CountsSoFar().bytesOutsideFrames, junk.size());
    EXPECT_FALSE(reader.ReadNextFrame(frame));
}

TEST(KissReader, AFrameFoundBetweenFramesIsCutAt512LikeAnyOther) {
    const std::string content = TimeContent(std::string(600, 'x'));
    const Frames frames = FramesOf("\xC0\xC0" + content + "\xC0", 7);
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[1], "\xC0" + content.substr(0, 511));
}

TEST(KissReader, EndOfDataInsideAndOutsideFrames) {
    ExpectFrames(Bytes({0xC0, 0x00, 0x41, 0x42}), {Bytes({0xC0, 0x00, 0x41, 0x42})});
    ExpectFrames("no frame delimiter at all", {});
    ExpectFrames("", {});
    ExpectFrames(Bytes({0xC0}), {Bytes({0xC0})});
}

// A frame the data ends inside is delivered, and said to be unfinished:
// nothing after it can tell whether the rest was lost or is still coming.
TEST(KissReader, FrameTheDataEndsInsideIsUnfinished) {
    MemoryLogSource source(Bytes({0xC0, 0x00, 0x41, 0xC0, 0xC0, 0x00, 0x42}));
    KissReader reader(source);
    Frame frame;
    ASSERT_TRUE(reader.ReadNextFrame(frame));
    EXPECT_FALSE(frame.unfinished);
    ASSERT_TRUE(reader.ReadNextFrame(frame));
    EXPECT_TRUE(frame.unfinished);
    EXPECT_EQ(Bytes(frame), Bytes({0xC0, 0x00, 0x42}));
}

// Serves the log in parts of `partSize` bytes, then says the load stopped it.
class StoppedSource : public LogSource {
public:
    StoppedSource(std::string log, std::size_t partSize) : log_(std::move(log)), part_(partSize) {}
    Result Read(std::uint8_t* buffer, std::size_t capacity) override {
        if (position_ == log_.size()) {
            return {.stopped = true};
        }
        const std::size_t count = std::min({capacity, part_, log_.size() - position_});
        std::copy_n(log_.begin() + static_cast<std::ptrdiff_t>(position_), count, buffer);
        position_ += count;
        return {.count = count};
    }

private:
    std::string log_;
    std::size_t part_;
    std::size_t position_ = 0;
};

// A stop ends the data between two reads, wherever a frame lies: a frame it
// cut was whole in the log, so it is not delivered as unfinished, and its
// bytes and its escapes are not counted as the log's.
TEST(KissReader, AFrameAStopCutsIsLeftUnread) {
    const std::string whole = Bytes({0xC0, 0x00, 0x41, 0xC0});
    for (const std::string& cut : {Bytes({0xC0, 0x00, 0x0D, 0x0A, 0x42, 0xDB}),  // own FEND
                                   Bytes({0x00, 0x01, 0x02, 0x03, 0x04}),        // between frames
                                   "\xC0" + std::string(600, 'x')}) {            // past 512
        SCOPED_TRACE(cut.size());
        StoppedSource source(whole + cut, whole.size());
        KissReader reader(source, 1);
        Frame frame;
        ASSERT_TRUE(reader.ReadNextFrame(frame));
        EXPECT_EQ(Bytes(frame), Bytes({0xC0, 0x00, 0x41}));
        EXPECT_FALSE(reader.ReadNextFrame(frame));
        const KissCounts counts = reader.CountsSoFar();
        EXPECT_EQ(counts.bytesOutsideFrames, 0u);
        EXPECT_EQ(counts.lineFeedsDropped, 0u);
        EXPECT_EQ(counts.danglingEscapes, 0u);
        EXPECT_EQ(counts.framesCut, 0u);
    }
}

TEST(KissReader, EscapeFollowedByAnOrdinaryByteIsDropped) {
    ExpectFrames(Bytes({0xC0, 0x00, 0xDB, 0x41, 0xC0}), {Bytes({0xC0, 0x00, 0x41})});
    // The dropped escape's byte follows the usual rules: FEND ends the frame...
    ExpectFrames(Bytes({0xC0, 0x00, 0xDB, 0xC0, 0x41}), {Bytes({0xC0, 0x00})});
    // ...another FESC starts a new escape...
    ExpectFrames(Bytes({0xC0, 0xDB, 0xDB, 0xDC, 0xC0}), {Bytes({0xC0, 0xC0})});
    // ...and an LF after a stored CR is dropped.
    ExpectFrames(Bytes({0xC0, 0x0D, 0xDB, 0x0A, 0x41, 0xC0}), {Bytes({0xC0, 0x0D, 0x41})});
}

TEST(KissReader, PendingEscapeDoesNotOutliveItsFrame) {
    // A frame ends with its escape unresolved; the next frame's TFEND is data.
    ExpectFrames(Bytes({0xC0, 0x00, 0xDB, 0xC0, 0xC0, 0xDC, 0xC0}),
                 {Bytes({0xC0, 0x00}), Bytes({0xC0, 0xDC})});
    ExpectFrames(Bytes({0xC0, 0x00, 0x41, 0xDB}), {Bytes({0xC0, 0x00, 0x41})});
}

TEST(KissReader, OversizedFrameKeepsItsFirst512Positions) {
    std::string body;
    for (int i = 0; i < 700; ++i) {
        body += static_cast<char>('a' + i % 26);
    }
    const Frames frames = FramesOf("\xC0" + body + "\xC0" + Bytes({0xC0, 0x05, 0xC0}), 7);
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0], "\xC0" + body.substr(0, 511));
    // Escaped FENDs in the discarded part do not end the frame early.
    EXPECT_EQ(frames[1], Bytes({0xC0, 0x05}));

    const std::string escapedTail = "\xC0" + body.substr(0, 600) + Bytes({0xDB, 0xDC, 0x41}) +
                                    "\xC0" + Bytes({0xC0, 0x06, 0xC0});
    const Frames cut = FramesOf(escapedTail);
    ASSERT_EQ(cut.size(), 2u);
    EXPECT_EQ(cut[0].size(), 512u);
    EXPECT_EQ(cut[1], Bytes({0xC0, 0x06}));
}

TEST(KissReader, EscapeResolvedIntoTheLastPosition) {
    const std::string body(510, 'x');
    const Frames frames = FramesOf("\xC0" + body + Bytes({0xDB, 0xDC, 0xDB, 0xDD, 0xC0}));
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0], "\xC0" + body + "\xC0");
}

TEST(KissReader, ShortFrameLeavesEarlierBytesBehindItsEnd) {
    MemoryLogSource source(std::string("\xC0") + std::string(39, 'L') + "\xC0" + "\xC0" +
                           std::string(9, 's') + "\xC0");
    KissReader reader(source);
    Frame frame;
    ASSERT_TRUE(reader.ReadNextFrame(frame));
    ASSERT_TRUE(reader.ReadNextFrame(frame));
    EXPECT_EQ(frame.length, 10);
    EXPECT_EQ(frame[9], 's');
    for (std::size_t offset = 10; offset < 40; ++offset) {
        EXPECT_EQ(frame[offset], 'L') << offset;
    }
    EXPECT_EQ(frame[40], 0);
}

// Where each frame lay in the log, and the reader's counts, read with blocks
// of every size: what a frame took plus the bytes outside frames is the log.
struct FrameSpan {
    std::uint64_t offset;
    std::uint64_t logBytes;
    std::uint16_t length;
    bool cut;
    bool operator==(const FrameSpan&) const = default;
};

TEST(KissReader, AccountsForEveryByteOfTheLog) {
    const std::string oversized = "\xC0" + std::string(600, 'x') + "\xC0";
    // Found between frames: counted with its escape and its LF, from its first byte.
    const std::string shared = Bytes({0x00, 0, 0, 0, 0, 0x01, 0xDB, 0xDC, 0x0D, 0x0A, 0xC0});
    // No frame: nothing in it is counted but its bytes.
    const std::string between = Bytes({0x00, 0x0D, 0x0A, 0xDB, 0x41});
    const std::string log = "junk" +                                       // 4 bytes outside
                            Bytes({0xC0, 0x00, 0xDB, 0xDC, 0xC0}) +        // an escape
                            "\r\n" +                                       // 2 bytes outside
                            Bytes({0xC0, 0x0D, 0x0A, 0x0A, 0x41, 0xC0}) +  // two LFs dropped
                            Bytes({0xC0, 0xDB, 0x41, 0xDB, 0xC0}) +        // two dangling escapes
                            shared +                                       // one LF dropped
                            between +                                      // 5 bytes outside
                            oversized +                                    // cut at 512
                            Bytes({0xC0, 0x00, 0x41});                     // cut by the end
    const std::vector<FrameSpan> expected = {
        {4, 5, 3, false},   {11, 6, 3, false},    {17, 5, 2, false},
        {22, 11, 9, false}, {38, 602, 512, true}, {640, 3, 3, false},
    };
    for (const std::size_t block : {std::size_t{1}, std::size_t{3}, std::size_t{1} << 20}) {
        SCOPED_TRACE(block);
        MemoryLogSource source(log);
        KissReader reader(source, block);
        Frame frame;
        std::vector<FrameSpan> spans;
        std::uint64_t frameBytes = 0;
        while (reader.ReadNextFrame(frame)) {
            spans.push_back({frame.logOffset, frame.logBytes, frame.length, frame.cut});
            frameBytes += frame.logBytes;
        }
        EXPECT_EQ(spans, expected);
        const KissCounts counts = reader.CountsSoFar();
        EXPECT_EQ(counts.bytesOutsideFrames, 11u);
        EXPECT_EQ(frameBytes + counts.bytesOutsideFrames, log.size());
        EXPECT_EQ(counts.framesCut, 1u);
        EXPECT_EQ(counts.lineFeedsDropped, 3u);
        EXPECT_EQ(counts.danglingEscapes, 2u);
        EXPECT_EQ(counts.framesOpeningFendSharedOrLost, 1u);
    }
}

TEST(KissReader, EscapeLeftOpenAtTheEndOfAFrameOrOfTheDataIsDangling) {
    for (const std::string& log : {Bytes({0xC0, 0x41, 0xDB, 0xC0}), Bytes({0xC0, 0x41, 0xDB})}) {
        MemoryLogSource source(log);
        KissReader reader(source);
        Frame frame;
        while (reader.ReadNextFrame(frame)) {
        }
        EXPECT_EQ(reader.CountsSoFar().danglingEscapes, 1u);
    }
}

class FailingSource : public LogSource {
public:
    explicit FailingSource(std::string head) : head_(std::move(head)) {}
    Result Read(std::uint8_t* buffer, std::size_t capacity) override {
        if (served_) {
            return {0, EIO};
        }
        served_ = true;
        const std::size_t count = std::min(capacity, head_.size());
        std::copy_n(head_.begin(), count, buffer);
        return {count, 0};
    }

private:
    std::string head_;
    bool served_ = false;
};

TEST(KissReader, ReadErrorEndsTheDataAndIsKept) {
    FailingSource source(Bytes({0xC0, 0x00, 0x41, 0xC0, 0xC0, 0x00}));
    KissReader reader(source);
    Frame frame;
    ASSERT_TRUE(reader.ReadNextFrame(frame));
    EXPECT_EQ(reader.ReadError(), 0);
    ASSERT_TRUE(reader.ReadNextFrame(frame));
    EXPECT_EQ(Bytes(frame), Bytes({0xC0, 0x00}));
    EXPECT_FALSE(reader.ReadNextFrame(frame));
    EXPECT_EQ(reader.ReadError(), EIO);
}

}  // namespace
}  // namespace orvex
