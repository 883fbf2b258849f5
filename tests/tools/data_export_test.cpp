// The data export of generated logs of several days, with bad frames of
// every kind among the good ones, checked field by field against what the
// decoders make of each frame.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QLocale>
#include <algorithm>
#include <map>
#include <set>
#include <sstream>

#include "frames/transmitter_modes.h"
#include "load/log_load.h"
#include "telemetry/calibration.h"
#include "tests/support/generated_log.h"
#include "tests/support/log_builder.h"
#include "tests/support/temp_folder.h"
#include "text/locale_format.h"

namespace orvex::synth::test {
namespace {

using orvex::test::Bytes;
using orvex::test::KissFrame;
using Row = std::vector<std::string>;

// Every kind of bad frame, and bytes between frames.
std::string BadFrames() {
    return "noise between frames" + Bytes({0xC0, 0x00, 0xC0}) +     // too short
           KissFrame(2, orvex::test::TlmBody(0, 7), 1) +            // a non-data command
           KissFrame(14, "?") +                                     // an unknown type
           "\xC0" + std::string(600, 'x') + "\xC0" +                // cut at 512
           Bytes({0xC0, 0, 0, 0, 0, 0, 6, 'A', 0xDB, 'B', 0xC0}) +  // a dangling escape
           KissFrame(6, "two\r\nlines");                            // an LF dropped
}

// What the decoders hand on, kept as the test's reference.
struct Decoded : FrameHandler {
    struct Tlm {
        std::uint32_t time;
        std::uint8_t version;
        std::array<std::uint8_t, kChannelCount> raw;
    };
    struct Status {
        std::string type;
        std::uint64_t offset;
        std::map<std::string, std::string> named;  // fields by column name; "time" for unix_time
    };
    struct Read {
        std::uint64_t offset, logBytes;
        std::uint16_t length;
        bool cut;
        FrameOutcome outcome;
    };

    void OnTlmFrame(const TlmFrame& frame) override {
        Tlm& record = tlm.emplace_back(Tlm{frame.Timestamp(), frame.SoftwareVersion(), {}});
        for (int channel = 0; channel < kChannelCount; ++channel) {
            record.raw[static_cast<std::size_t>(channel)] = frame.RawChannel(channel);
        }
    }
    void OnWodFrame(const WodFrame& frame) override {
        for (int k = 0; k < WodFrame::kSampleCount; ++k) {
            const WodFrame::Sample sample = frame.SampleAt(k);
            wod.emplace(sample.timestamp, sample.raw);
        }
    }
    void OnHwsFrame(const HwsFrame& frame) override {
        Status& hws = AddStatus("HWS", frame.Bytes());
        hws.named["time"] = std::to_string(frame.Timestamp());
        for (const ByteField& group : HwsFrame::kRegisterGroups) {
            hws.named[std::string(group.name)] = std::to_string(frame.RegisterGroup(group));
        }
        for (const HwsFrame::Flag& flag : HwsFrame::kTransmitterFlags) {
            hws.named[std::string(flag.name)] = frame.IsSet(flag) ? "1" : "0";
        }
    }
    void OnSwsFrame(const SwsFrame& frame) override {
        Status& sws = AddStatus("SWS", frame.Bytes());
        sws.named["Digi"] = std::to_string(frame.Byte(SwsFrame::kSettings[0]));
        sws.named["WDOG2"] = std::to_string(frame.Byte(SwsFrame::kWatchdogs[2]));
        sws.named["WOD Channel 10"] = std::to_string(frame.WodChannel(9));
        sws.named["EVCO"] = std::to_string(frame.Byte(SwsFrame::kSetPoints[3]));
        sws.named["TEPR6 second"] = std::to_string(frame.TeprSecond(6));
    }
    void OnToprFrame(const ToprFrame& frame) override {
        Status& topr = AddStatus("TOPR", frame.Bytes());
        for (int state = 1; state <= ToprFrame::kStateCount; ++state) {
            const std::string name = "TOPR State " + std::to_string(state);
            topr.named[name] = std::to_string(frame.StateValue(state));
            topr.named[name + " mode"] = std::to_string(frame.StateMode(state));
            topr.named[name + " mode text"] = TxModeText(frame.StateMode(state));
        }
    }
    void OnFrameRead(const Frame& frame, FrameOutcome outcome) override {
        reads.push_back({frame.logOffset, frame.logBytes, frame.length, frame.cut, outcome});
    }

    Status& AddStatus(const std::string& type, const Frame& frame) {
        return status.emplace_back(Status{type, frame.logOffset, {}});
    }

    std::vector<Tlm> tlm;
    std::set<std::pair<std::uint32_t, std::array<std::uint8_t, kWodSlotCount>>> wod;
    std::vector<Status> status;
    std::vector<Read> reads;
};

// A CSV file as its header and rows; these files quote no field.
struct Csv {
    Row columns;
    std::vector<Row> rows;

    std::size_t Column(const std::string& name) const {
        const auto at = std::find(columns.begin(), columns.end(), name);
        EXPECT_NE(at, columns.end()) << name;
        return static_cast<std::size_t>(at - columns.begin());
    }
};

Row Split(const std::string& line) {
    Row fields;
    std::size_t start = 0;
    for (std::size_t comma; (comma = line.find(',', start)) != std::string::npos;
         start = comma + 1) {
        fields.push_back(line.substr(start, comma - start));
    }
    fields.push_back(line.substr(start));
    return fields;
}

Csv ReadCsv(const std::string& path) {
    std::istringstream file(orvex::test::ReadFile(path));
    Csv csv;
    std::string line;
    std::getline(file, line);
    csv.columns = Split(line);
    while (std::getline(file, line)) {
        csv.rows.push_back(Split(line));
        EXPECT_EQ(csv.rows.back().size(), csv.columns.size()) << line;
    }
    return csv;
}

std::string IsoTime(std::uint32_t seconds) {
    return QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC).toString(Qt::ISODate).toStdString();
}

// The channel's value for the raw byte as the window shows it, read back.
void ExpectChannelValue(int channel, std::uint8_t raw, const std::string& text) {
    const double value = CalibrationTable()[channel][raw];
    const ValueForm& form = TelemetryChannels()[channel].form;
    if (form.kind == ValueForm::Kind::Fixed) {
        EXPECT_EQ(text.size() - text.find('.') - 1, static_cast<std::size_t>(form.decimals))
            << text;
        EXPECT_NEAR(std::stod(text), value, 0.0005 + 1e-9) << channel;
    } else {
        EXPECT_EQ(text, std::to_string(static_cast<std::int64_t>(value))) << channel;
    }
}

class DataOfGeneratedLogs : public ::testing::Test {
protected:
    void SetUp() override {
        // Twenty passes over four days, the bad frames, then three more passes
        // a week later.
        log = GenerateLog({"--passes", "20", "--seed", "4"}) + BadFrames() +
              GenerateLog({"--passes", "3", "--seed", "5", "--start", "1773000000"});
        const std::string path = folder.Write("days.kss", log);
        options.dataExport = DataExportOptions{folder.Path(), DataFormat::Csv};
        Frame frame;
        LogLoad load(path, context, frame);
        load.AddFrameHandler(decoded);
        MemoryLogSource source(log);
        outcome = load.Run(source, {}, nullptr);
        ASSERT_TRUE(outcome.problems.empty());
    }

    Csv Data(const std::string& kind) const { return ReadCsv(folder / ("days." + kind + ".csv")); }

    orvex::test::TempFolder folder;
    LocaleFormat format{QLocale(QStringLiteral("en_GB"))};
    OutputOptions options;
    LoadContext context{format, options};
    Decoded decoded;
    std::string log;
    LoadOutcome outcome;
};

TEST_F(DataOfGeneratedLogs, TelemetryHoldsEveryTlmFrameWithItsDecodedValues) {
    const Csv csv = Data("telemetry");
    ASSERT_EQ(csv.rows.size(), decoded.tlm.size());
    ASSERT_GT(csv.rows.size(), 2000u);  // far beyond the window's 100
    for (std::size_t i = 0; i < csv.rows.size(); ++i) {
        const Row& row = csv.rows[i];
        const Decoded::Tlm& tlm = decoded.tlm[i];
        ASSERT_EQ(row[0], IsoTime(tlm.time));
        ASSERT_EQ(row[1], std::to_string(tlm.time));
        ASSERT_EQ(row[2], std::to_string(tlm.version));
        for (int channel = 0; channel < kChannelCount; ++channel) {
            ExpectChannelValue(channel, tlm.raw[static_cast<std::size_t>(channel)],
                               row[3 + static_cast<std::size_t>(channel)]);
        }
    }
}

TEST_F(DataOfGeneratedLogs, WodHoldsEachDistinctSampleOnceByItsFullTime) {
    const Csv csv = Data("wod");
    ASSERT_EQ(csv.rows.size(), decoded.wod.size());
    EXPECT_LT(csv.rows.size(), outcome.wodRows);  // samples sent more than once
    std::set<std::string> timesOfDay;
    std::size_t timesOfDaySeenBefore = 0;
    auto sample = decoded.wod.begin();
    for (const Row& row : csv.rows) {
        ASSERT_EQ(row[1], std::to_string(sample->first));
        ASSERT_EQ(row[0], IsoTime(sample->first));
        timesOfDaySeenBefore += timesOfDay.insert(row[0].substr(11)).second ? 0 : 1;
        for (int slot = 0; slot < kWodSlotCount; ++slot) {
            const int channel = ChannelIndexOfNumber(WodChannels()[slot + 1]);
            ExpectChannelValue(channel, sample->second[static_cast<std::size_t>(slot)],
                               row[2 + static_cast<std::size_t>(slot)]);
        }
        ++sample;
    }
    // Days apart, the same times of day come back; each keeps its own row.
    EXPECT_GT(timesOfDaySeenBefore, 100u);
    EXPECT_GT(std::stoul(csv.rows.back()[1]) - std::stoul(csv.rows.front()[1]), 4u * 86400);
}

TEST_F(DataOfGeneratedLogs, StatusHoldsEveryStatusFrameWithItsFields) {
    const Csv csv = Data("status");
    ASSERT_EQ(csv.rows.size(), decoded.status.size());
    std::set<std::string> types;
    for (std::size_t i = 0; i < csv.rows.size(); ++i) {
        const Row& row = csv.rows[i];
        const Decoded::Status& frame = decoded.status[i];
        types.insert(frame.type);
        EXPECT_EQ(row[csv.Column("frame_type_name")], frame.type);
        EXPECT_EQ(row[csv.Column("offset")], std::to_string(frame.offset));
        for (const auto& [name, value] : frame.named) {
            const std::string column = name == "time" ? "unix_time" : name;
            EXPECT_EQ(row[csv.Column(column)], value) << frame.type << ' ' << name;
        }
        if (frame.type != "HWS") {
            EXPECT_EQ(row[csv.Column("time_utc")], "");
        }
    }
    EXPECT_EQ(types, (std::set<std::string>{"HWS", "SWS", "TOPR"}));
}

TEST_F(DataOfGeneratedLogs, FramesAccountForEveryByteOfTheLog) {
    const Csv csv = Data("frames");
    ASSERT_EQ(csv.rows.size(), outcome.framesRead);
    ASSERT_EQ(csv.rows.size(), decoded.reads.size());
    const std::size_t offset = csv.Column("offset"), logBytes = csv.Column("log_bytes"),
                      length = csv.Column("length"), cut = csv.Column("cut_at_512"),
                      outcomeColumn = csv.Column("outcome");
    std::uint64_t frameBytes = 0, unescaped = 0;
    std::map<std::string, std::uint64_t> outcomes;
    for (std::size_t i = 0; i < csv.rows.size(); ++i) {
        const Row& row = csv.rows[i];
        const Decoded::Read& read = decoded.reads[i];
        ASSERT_EQ(row[offset], std::to_string(read.offset));
        ASSERT_EQ(row[logBytes], std::to_string(read.logBytes));
        ASSERT_EQ(row[length], std::to_string(read.length));
        ASSERT_EQ(row[cut], read.cut ? "true" : "false");
        ASSERT_EQ(log[read.offset], '\xC0');
        ++outcomes[row[outcomeColumn]];
        frameBytes += read.logBytes;
        if (!read.cut) {
            // A frame's log bytes are its length, one byte per escape, the
            // closing FEND, and the LFs dropped.
            const std::string span = log.substr(read.offset, read.logBytes);
            const bool closed = span.size() > 1 && span.back() == '\xC0';
            unescaped += read.logBytes - read.length - (closed ? 1 : 0) -
                         static_cast<std::uint64_t>(std::count(span.begin(), span.end(), '\xDB'));
        }
    }
    EXPECT_EQ(frameBytes + outcome.account.read.bytesOutsideFrames, log.size());
    EXPECT_EQ(unescaped, outcome.account.read.lineFeedsDropped);

    const LogAccount& account = outcome.account;
    EXPECT_EQ(outcomes["decoded"], outcome.framesDecoded);
    EXPECT_EQ(outcomes["too short"], account.framesTooShort);
    EXPECT_EQ(outcomes["non-data command"], account.framesNotData);
    EXPECT_EQ(outcomes["unknown type"], account.framesUnknownType);
    // One of each bad frame, and the generated logs' own text line breaks.
    EXPECT_EQ(account.framesTooShort, 1u);
    EXPECT_EQ(account.framesNotData, 2u);  // the cut frame's command byte is 'x'
    EXPECT_EQ(account.framesUnknownType, 1u);
    EXPECT_EQ(account.read.framesCut, 1u);
    EXPECT_EQ(account.read.danglingEscapes, 1u);
    EXPECT_GT(account.read.lineFeedsDropped, 1u);
    EXPECT_GT(account.read.bytesOutsideFrames, 20u);
}

}  // namespace
}  // namespace orvex::synth::test
