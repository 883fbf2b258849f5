// Generated logs with every frame type, cut, with shared FENDs and with
// bytes between frames: the reader finds its way back into step at the next
// frame boundary, and a log whose frames have their own FENDs decodes as it
// always has.
#include <gtest/gtest.h>

#include <QLocale>
#include <map>
#include <set>

#include "kiss/kiss_reader.h"
#include "load/log_load.h"
#include "tests/support/generated_log.h"
#include "tests/support/log_builder.h"
#include "tests/support/temp_folder.h"
#include "text/locale_format.h"

namespace orvex::synth::test {
namespace {

using orvex::test::KissEscape;

// A frame as the reader delivered it, and where it lay.
struct ReadFrame {
    std::string bytes;  // offsets 0..length-1
    std::uint64_t offset = 0;
    std::uint64_t logBytes = 0;
};

std::vector<ReadFrame> ReadAll(const std::string& log) {
    MemoryLogSource source(log);
    KissReader reader(source);
    Frame frame;
    std::vector<ReadFrame> frames;
    while (reader.ReadNextFrame(frame)) {
        frames.push_back(
            {std::string(reinterpret_cast<const char*>(frame.bytes.data()), frame.length),
             frame.logOffset, frame.logBytes});
    }
    return frames;
}

std::vector<std::string> BytesOf(const std::vector<ReadFrame>& frames, std::size_t from = 0) {
    std::vector<std::string> bytes;
    for (std::size_t i = from; i < frames.size(); ++i) {
        bytes.push_back(frames[i].bytes);
    }
    return bytes;
}

const std::string& PassLog() {
    static const std::string kLog = GenerateLog({"--seed", "11", "--frames", "500"});
    return kLog;
}

// The outputs one load leaves: the report, the WOD export and the data files
// by kind; the log is always "orbit.kss" in the same folder, so that the
// report names it alike.
struct Outputs {
    LoadOutcome outcome;
    std::string report;
    std::string wodExport;
    std::map<std::string, std::string> data;
};

class FrameBoundaryLoads : public ::testing::Test {
protected:
    Outputs Decode(const std::string& log) {
        const std::string path = folder.Write("orbit.kss", log);
        options.dataExport = DataExportOptions{folder.Path(), DataFormat::Csv};
        Frame frame;
        LogLoad load(path, context, frame);
        MemoryLogSource source(log);
        Outputs outputs;
        outputs.outcome = load.Run(source, {}, nullptr);
        EXPECT_TRUE(outputs.outcome.problems.empty());
        outputs.report = orvex::test::ReadFile(folder / "orbit.tlm");
        outputs.wodExport = orvex::test::ReadFile(folder / "orbit.csv");
        for (const char* kind : {"telemetry", "wod", "status", "frames"}) {
            outputs.data[kind] =
                orvex::test::ReadFile(folder / ("orbit." + std::string(kind) + ".csv"));
        }
        return outputs;
    }

    orvex::test::TempFolder folder;
    LocaleFormat format{QLocale(QStringLiteral("en_GB"))};
    OutputOptions options;
    LoadContext context{format, options};
};

// Each line of a CSV file without its field `column` (0 for the first).
std::string WithoutColumn(const std::string& csv, std::size_t column) {
    std::string out;
    std::size_t start = 0;
    while (start < csv.size()) {
        const std::size_t end = csv.find('\n', start);
        const std::string line = csv.substr(start, end - start);
        std::size_t from = 0;
        for (std::size_t i = 0; i < column; ++i) {
            from = line.find(',', from) + 1;
        }
        const std::size_t to = line.find(',', from);
        out += line.substr(0, from) + line.substr(to + 1) + '\n';
        start = end + 1;
    }
    return out;
}

TEST(FrameBoundaries, TheGeneratedLogHoldsEveryTypeEachWithItsOwnFends) {
    std::set<int> types;
    for (const ReadFrame& frame : ReadAll(PassLog())) {
        types.insert(TypeOf(frame.bytes));
        EXPECT_EQ(PassLog()[frame.offset], '\xC0');
    }
    EXPECT_EQ(types.size(), 13u);
}

// A log that begins at any of a frame's first 20 bytes: every later frame is
// read whole. Of the frame cut, its tail may be a frame of its own, and its
// closing FEND opens an empty one before the reader is back in step.
TEST(FrameBoundaries, ALogCutInsideAFrameLosesAtMostThatFrame) {
    const std::vector<ReadFrame> frames = ReadAll(PassLog());
    std::set<int> typesCut;
    for (std::size_t i = 1; i < frames.size(); ++i) {
        if (!typesCut.insert(TypeOf(frames[i].bytes)).second) {
            continue;
        }
        SCOPED_TRACE("frame " + std::to_string(i) + " of type " +
                     std::to_string(TypeOf(frames[i].bytes)));
        const std::vector<std::string> whole = BytesOf(frames, i + 1);
        for (std::uint64_t into = 0; into < std::min<std::uint64_t>(20, frames[i].logBytes);
             ++into) {
            const std::vector<std::string> read =
                BytesOf(ReadAll(PassLog().substr(frames[i].offset + into)));
            if (into == 0) {
                EXPECT_EQ(read, BytesOf(frames, i));
                continue;
            }
            ASSERT_GE(read.size(), whole.size()) << into;
            EXPECT_LE(read.size() - whole.size(), 2u) << into;
            EXPECT_TRUE(std::equal(whole.begin(), whole.end(), read.end() - whole.size())) << into;
        }
    }
    EXPECT_EQ(typesCut.size(), 13u);
}

// A TNC that writes one FEND between frames: C0 A C0 B C0 C C0.
TEST_F(FrameBoundaryLoads, SharedFendsThroughoutLoseNoFrame) {
    const std::vector<ReadFrame> frames = ReadAll(PassLog());
    std::string shared = "\xC0";
    for (const ReadFrame& frame : frames) {
        shared += KissEscape(frame.bytes.substr(1)) + '\xC0';
    }
    const Outputs paired = Decode(PassLog());
    const Outputs single = Decode(shared);

    EXPECT_EQ(BytesOf(ReadAll(shared)), BytesOf(frames));
    EXPECT_EQ(single.outcome.framesDecoded, paired.outcome.framesDecoded);
    EXPECT_EQ(single.outcome.account.read.framesOpeningFendSharedOrLost, frames.size() - 1);
    EXPECT_EQ(single.report, paired.report);
    EXPECT_EQ(single.wodExport, paired.wodExport);
    EXPECT_EQ(single.data.at("telemetry"), paired.data.at("telemetry"));
    EXPECT_EQ(single.data.at("wod"), paired.data.at("wod"));
}

// Bytes between frames that are no frame read as a frame would be: too
// short, not data, no type of the satellite's, or short once their escapes
// and line ends are resolved.
const std::vector<std::string>& JunkThatFormsNoFrame() {
    static const std::vector<std::string> kJunk = {
        "\r\n",
        "cmd:",
        "long prompt text of a TNC, far longer than a frame's header\r\n",
        orvex::test::Bytes({0x00, 0, 0, 0, 0, 0x0E, 'x', 'y'}),
        orvex::test::Bytes({0x00, 0, 0, 0, 0, 0x00, 'x'}),
        orvex::test::Bytes({0x00, 0, 0x0D, 0x0A, 0, 0x02}),
        orvex::test::Bytes({0x00, 0, 0, 0xDB, 0xDC, 0x02}),
        orvex::test::Bytes({0x00, 0xDB, 0, 0, 0, 0x04}),
        std::string(700, '\x07'),
    };
    return kJunk;
}

// `insert(n)` between the n-th pair of frames with nothing between them, for
// every 7th such pair: the generated log's own stray bytes would otherwise
// run on into what is inserted.
template <class Insert>
std::string WithBetweenFrames(const std::vector<ReadFrame>& frames, Insert insert) {
    const std::string& log = PassLog();
    std::string out;
    std::uint64_t copied = 0;
    std::size_t pairs = 0;
    for (std::size_t i = 0; i + 1 < frames.size(); ++i) {
        const std::uint64_t end = frames[i].offset + frames[i].logBytes;
        if (end != frames[i + 1].offset || pairs++ % 7 != 0) {
            continue;
        }
        out += log.substr(copied, end - copied) + insert(pairs / 7);
        copied = end;
    }
    return out + log.substr(copied);
}

TEST_F(FrameBoundaryLoads, BytesBetweenFramesThatFormNoFrameChangeNothing) {
    const std::vector<ReadFrame> frames = ReadAll(PassLog());
    const std::vector<std::string>& junk = JunkThatFormsNoFrame();
    const std::string withJunk =
        WithBetweenFrames(frames, [&](std::size_t n) { return junk[n % junk.size()]; });
    const Outputs clean = Decode(PassLog());
    const Outputs junky = Decode(withJunk);

    EXPECT_EQ(junky.outcome.account.read.framesOpeningFendSharedOrLost, 0u);
    EXPECT_GT(junky.outcome.account.read.bytesOutsideFrames,
              clean.outcome.account.read.bytesOutsideFrames + 700);
    EXPECT_EQ(junky.report, clean.report);
    EXPECT_EQ(junky.wodExport, clean.wodExport);
    EXPECT_EQ(junky.data.at("telemetry"), clean.data.at("telemetry"));
    EXPECT_EQ(junky.data.at("wod"), clean.data.at("wod"));
    // Only the frames' places in the log moved.
    EXPECT_EQ(WithoutColumn(junky.data.at("status"), 2), WithoutColumn(clean.data.at("status"), 2));
    EXPECT_EQ(WithoutColumn(junky.data.at("frames"), 0), WithoutColumn(clean.data.at("frames"), 0));
}

// A frame's content without its opening FEND, between two frames: it is a
// frame, closed by the next frame's opening FEND, whose content the reader
// then finds the same way; the frame after is read as always.
TEST_F(FrameBoundaryLoads, BytesBetweenFramesThatFormAFrameAreTakenAndSaid) {
    const std::vector<ReadFrame> frames = ReadAll(PassLog());
    const std::string hello = orvex::test::KissFrame(1, "hello").substr(1);
    const std::string withFrame = WithBetweenFrames(frames, [&](std::size_t n) {
        return n == 5 ? hello.substr(0, hello.size() - 1) : std::string();
    });
    const Outputs clean = Decode(PassLog());
    const Outputs taken = Decode(withFrame);

    EXPECT_EQ(taken.outcome.framesDecoded, clean.outcome.framesDecoded + 1);
    EXPECT_EQ(taken.outcome.account.read.framesOpeningFendSharedOrLost, 2u);
    std::string report = taken.report;
    const std::size_t block = report.find("[TIME] hello\r\n\r\n");
    ASSERT_NE(block, std::string::npos);
    EXPECT_EQ(report.erase(block, 16), clean.report);
    EXPECT_EQ(taken.wodExport, clean.wodExport);
    const std::string& rows = taken.data.at("frames");
    std::size_t said = 0;
    for (std::size_t at = rows.find(",true\n"); at != std::string::npos;
         at = rows.find(",true\n", at + 1)) {
        ++said;
    }
    EXPECT_EQ(said, 2u);
    EXPECT_NE(rows.find(",0,1,TIME,decoded,false,,,7,true\n"), std::string::npos);
}

}  // namespace
}  // namespace orvex::synth::test
