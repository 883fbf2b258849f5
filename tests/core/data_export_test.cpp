// The data for other tools: a log's bytes in, the four files' exact bytes
// out, in either locale and either form.
#include <QJsonDocument>
#include <QJsonObject>

#include <unistd.h>

#include "outputs/data/csv_record_format.h"
#include "outputs/data/dated_wod_rows.h"
#include "tests/support/load_fixture.h"

namespace orvex {
namespace {

using test::Bytes;
using test::KissFrame;

constexpr std::uint32_t kNoon = 1772366400;         // 2026-03-01 12:00:00 UTC
constexpr std::uint32_t kMorning = 1772359200;      // 2026-03-01 10:00:00 UTC
constexpr std::uint32_t kNextMorning = 1772445600;  // 2026-03-02 10:00:00 UTC

// A log built piece by piece, with the frames file's line of each frame.
struct LogPieces {
    std::string log;
    std::string frames =
        "offset,log_bytes,length,command,frame_type,frame_type_name,outcome,cut_at_512,time_utc,"
        "unix_time,length_needed,opening_fend_shared_or_lost\n";

    // `fields`: command to outcome; `time`: time_utc and unix_time; `last`:
    // the length the type needs and whether the opening FEND was shared.
    std::uint64_t Frame(const std::string& bytes, int length, const std::string& fields,
                        const std::string& time, const std::string& last) {
        const std::uint64_t offset = log.size();
        frames += std::to_string(offset) + ',' + std::to_string(bytes.size()) + ',' +
                  std::to_string(length) + ',' + fields + ",false," + time + ',' + last + '\n';
        log += bytes;
        return offset;
    }
};

std::string HwsBody() {
    return test::LittleEndian32(kNoon + 9) +
           Bytes({0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B, 0x0C});
}

std::string SwsBody() {
    return test::BodyWith(
        73,
        {{7, 1},   {8, 3},    {9, 60},  {27, 30}, {28, 1},   {38, 16}, {39, 6},  {40, 0},  {43, 18},
         {44, 71}, {45, 123}, {46, 81}, {47, 83}, {48, 85},  {49, 87}, {50, 89}, {51, 91}, {52, 65},
         {53, 73}, {54, 12},  {55, 10}, {60, 45}, {61, 131}, {62, 20}, {63, 25}, {64, 30}, {65, 35},
         {66, 40}, {67, 45},  {74, 3},  {75, 2},  {76, 2},   {77, 1},  {78, 1},  {79, 0}});
}

// State k: the value 100 k, the mode k - 1; state 7 with the unknown mode 9.
std::string ToprBody() {
    std::string body;
    for (int state = 1; state <= 7; ++state) {
        body += static_cast<char>(100 * state % 256);
        body += static_cast<char>(100 * state / 256);
    }
    return body + Bytes({0, 1, 2, 3, 4, 5, 9});
}

class DataExport : public test::LoadFixture {
protected:
    explicit DataExport(const char* locale = "en_GB") : LoadFixture(locale) {
        options.dataExport = DataExportOptions{folder.Path(), DataFormat::Csv};
    }

    // One frame of every type and every kind of bad frame; the WOD frame's
    // samples come out of order, on two days at the same time of day, and
    // one twice.
    void BuildLog() {
        std::array<std::uint8_t, 38> raw{};
        raw[kEclipseChannel] = 255;
        pieces.Frame(KissFrame(2, test::TlmBody(kNoon, raw, 12)), 133, "0,2,TLM,decoded",
                     "2026-03-01T12:00:00Z,1772366400", "133,false");
        const test::WodSampleBytes later{kNextMorning, 0, {}};
        const test::WodSampleBytes earlier{kMorning, 0, {}};
        pieces.Frame(KissFrame(8, test::WodBody(later, earlier, later)), 52, "0,8,WOD,decoded",
                     "2026-03-02T10:00:00Z,1772445600", "52,false");
        hwsOffset = pieces.Frame(KissFrame(4, HwsBody()), 23, "0,4,HWS,decoded",
                                 "2026-03-01T12:00:09Z,1772366409", "23,false");
        swsOffset = pieces.Frame(KissFrame(5, SwsBody()), 80, "0,5,SWS,decoded", ",", "80,false");
        toprOffset =
            pieces.Frame(KissFrame(13, ToprBody()), 28, "0,13,TOPR,decoded", ",", "28,false");
        pieces.log += "junk\r\n";
        // An escaped FEND: the frame takes one log byte more than its length.
        pieces.Frame(KissFrame(6,
                               "A\xC0"
                               "B"),
                     10, "0,6,MESSAGE,decoded", ",", "7,false");
        pieces.Frame(Bytes({0xC0, 0x00, 0xC0}), 2, "0,,,too short", ",", ",false");
        pieces.Frame(KissFrame(1, "x", 1), 8, "1,1,TIME,non-data command", ",", "7,false");
        pieces.Frame(KissFrame(14, "y"), 8, "0,14,,unknown type", ",", ",false");
    }

    std::string DataFile(std::string_view kind, std::string_view extension = "csv") const {
        return test::ReadFile(folder /
                              ("orbit." + std::string(kind) + "." + std::string(extension)));
    }

    LogPieces pieces;
    std::uint64_t hwsOffset = 0, swsOffset = 0, toprOffset = 0;
};

TEST_F(DataExport, WritesEveryRecordOfASmallLogExactly) {
    BuildLog();
    const LoadOutcome outcome = Load(pieces.log);
    EXPECT_TRUE(outcome.problems.empty());
    EXPECT_EQ(outcome.dataPaths,
              std::vector<std::string>({folder / "orbit.telemetry.csv", folder / "orbit.wod.csv",
                                        folder / "orbit.status.csv", folder / "orbit.frames.csv"}));

    const std::string telemetry = DataFile("telemetry");
    EXPECT_EQ(telemetry.substr(telemetry.find('\n') + 1),
              "2026-03-01T12:00:00Z,1772366400,12,"
              "1.900,1.900,1.900,1.900,1.900,1.900,1.900,1.900,7.965,7.047,3.750,8.170,145.080,"
              "-8.577,-0.264,-1.601,2.539,3.878,1.945,0.838,-5.171,3.719,-1.315,9.861,0.000,"
              "145.080,145.080,145.080,-21.996,-111.610,140.692,140.692,140.692,140.692,0.000,"
              "255,0,0\n");

    EXPECT_EQ(DataFile("wod"),
              "time_utc,unix_time,10 Volts Bus [V],TEPR State,X- Array Cur [mA],X+ Array Cur "
              "[mA],Y- Array Cur [mA],Y+ Array Cur [mA],Z- Array Cur [mA],Z+ Array Cur "
              "[mA],Solar Array [V],Batt #5 Temp [\xC2\xB0"
              "C]\n"
              "2026-03-01T10:00:00Z,1772359200,8.170,0,2.539,3.878,1.945,0.838,-5.171,3.719,"
              "7.965,145.080\n"
              "2026-03-02T10:00:00Z,1772445600,8.170,0,2.539,3.878,1.945,0.838,-5.171,3.719,"
              "7.965,145.080\n");

    const std::string status = DataFile("status");
    const std::string hws = "2026-03-01T12:00:09Z,1772366409," + std::to_string(hwsOffset) +
                            ",HWS,197121,394500,591879,789258,0,1,0,1" + std::string(35 + 21, ',');
    const std::string sws = ",," + std::to_string(swsOffset) + ",SWS" + std::string(8, ',') +
                            ",1,3,60,30,1,16,6,0,18,71,123,81,83,85,87,89,91,65,73,12,10,45,131,"
                            "20,3,25,2,30,2,35,1,40,1,45,0" +
                            std::string(21, ',');
    const std::string topr =
        ",," + std::to_string(toprOffset) + ",TOPR" + std::string(8 + 35, ',') +
        ",100,0,OFF = Transmitters are turned off"
        ",200,1,Digital Low   = NO Uplink  ==>  10mW 436.797MHz AFSK Downlink"
        ",300,2,Digital Med   = NO Uplink  ==> 500mW 436.797MHz AFSK Downlink"
        ",400,3,Digital High  = NO Uplink  ==>   4W  436.797MHz AFSK Downlink"
        ",500,4,Analogue Low  = 145.850MHz Uplink <==>  10mW 436.797MHz Downlink"
        ",600,5,Analogue Med  = 145.850MHz Uplink <==> 500mW 436.797MHz Downlink"
        ",700,9,UNKOWN";
    EXPECT_EQ(status.substr(status.find('\n') + 1), hws + '\n' + sws + '\n' + topr + '\n');

    EXPECT_EQ(DataFile("frames"), pieces.frames);
}

TEST_F(DataExport, HeadersNameEveryColumnOnce) {
    Load("");
    const std::string telemetry = DataFile("telemetry");
    EXPECT_EQ(telemetry.substr(0, 80),
              "time_utc,unix_time,software_version,Battery 0 [V],Battery 4 [V],Battery 2 [V],Ba");
    EXPECT_NE(telemetry.find(",Batt #5 Temp [\xC2\xB0"
                             "C],"),
              std::string::npos);
    EXPECT_NE(telemetry.find(",BCR Output Cur,"), std::string::npos);
    EXPECT_TRUE(telemetry.ends_with(",Eclipse,Set Point,TEPR State\n"));
    EXPECT_EQ(std::count(telemetry.begin(), telemetry.end(), ','), 40);
    const std::string status = DataFile("status");
    EXPECT_EQ(std::count(status.begin(), status.end(), ','), 67);
    EXPECT_NE(status.find(",TEPR6 second,TOPR State 1,TOPR State 1 mode,TOPR State 1 mode text,"),
              std::string::npos);
}

class DataExportInGerman : public DataExport {
protected:
    DataExportInGerman() : DataExport("de_DE") {}
};

TEST_F(DataExportInGerman, IsTheSameWhateverTheLocale) {
    BuildLog();
    Load(pieces.log);
    EXPECT_NE(Export().find("8,17;"), std::string::npos);  // the WOD export follows the locale
    const std::string wod = DataFile("wod");
    EXPECT_NE(wod.find("\n2026-03-01T10:00:00Z,1772359200,8.170,0,2.539,"), std::string::npos);
    EXPECT_EQ(DataFile("frames"), pieces.frames);
}

// The JSON Lines hold the CSV's records: the same keys in the same order,
// the same values, and a type.
TEST_F(DataExport, JsonLinesHoldTheSameRecords) {
    BuildLog();
    Load(pieces.log);
    options.dataExport->format = DataFormat::JsonLines;
    Load(pieces.log);
    for (const auto& [kind, type] : {std::pair{"telemetry", "telemetry"},
                                     {"wod", "wod"},
                                     {"status", "status"},
                                     {"frames", "frame"}}) {
        SCOPED_TRACE(kind);
        std::istringstream csv(DataFile(kind)), json(DataFile(kind, "jsonl"));
        std::string header, row, line;
        std::getline(csv, header);
        const QStringList columns = QString::fromUtf8(header).split(',');
        int records = 0;
        while (std::getline(csv, row) && std::getline(json, line)) {
            ++records;
            const QJsonObject object =
                QJsonDocument::fromJson(QByteArray::fromStdString(line)).object();
            ASSERT_FALSE(object.isEmpty()) << line;
            EXPECT_EQ(object.value("type").toString(), type);
            // Without quoted fields in these rows, a comma splits them.
            const QStringList fields = QString::fromUtf8(row).split(',');
            ASSERT_EQ(fields.size(), columns.size());
            int present = 0;
            for (qsizetype i = 0; i < columns.size(); ++i) {
                const QJsonValue value = object.value(columns[i]);
                if (fields[i].isEmpty()) {
                    EXPECT_TRUE(value.isUndefined()) << columns[i].toStdString();
                    continue;
                }
                ++present;
                const QString text =
                    value.isString() ? value.toString()
                    : value.isBool()
                        ? (value.toBool() ? "true" : "false")
                        : QString::number(value.toDouble(), 'f', fields[i].section('.', 1).size());
                EXPECT_EQ(text, fields[i]) << columns[i].toStdString();
            }
            EXPECT_EQ(object.size(), present + 1);
            std::size_t previous = 0;
            for (const QString& column : columns) {
                const std::size_t at = line.find('"' + column.toStdString() + "\":");
                if (at != std::string::npos) {
                    EXPECT_GT(at, previous) << column.toStdString() << " out of order";
                    previous = at;
                }
            }
        }
        EXPECT_GT(records, 0);
        EXPECT_FALSE(std::getline(json, line)) << "more JSON lines than CSV rows";
    }
    // Numbers keep the window's decimals, not the double's digits.
    EXPECT_NE(DataFile("telemetry", "jsonl").find("\"Battery 0 [V]\":1.900,"), std::string::npos);
}

// The values of channels 0..21 for raw bytes of 0, as the data holds them.
constexpr const char* kFirst22ChannelsAtZero =
    "1.900,1.900,1.900,1.900,1.900,1.900,1.900,1.900,7.965,7.047,3.750,8.170,145.080,-8.577,"
    "-0.264,-1.601,2.539,3.878,1.945,0.838,-5.171,3.719";

// Frames closed before their type's length, each after a whole frame whose
// bytes lie behind its end: the report and the WOD export read the missing
// fields from those bytes, as they always have; the data leaves them empty
// and makes no WOD sample of them.
TEST_F(DataExport, FieldsPastAShortFramesEndAreEmptyWhileTheReportKeepsTheEarlierBytes) {
    const std::string whole = test::TlmBody(kNoon, 0, 12);
    const std::string tlm = test::TlmBody(kNoon + 60, 0).substr(0, 53);  // 60 positions
    const test::WodSampleBytes sample{kNextMorning, 0, {}};
    const std::string wod = test::WodBody(sample, sample, sample).substr(0, 23);  // 30 positions
    const std::string hws = HwsBody();
    const std::string shortHws = test::LittleEndian32(kNoon + 99) + Bytes({1, 0x22, 3, 4, 5});

    const std::string log = KissFrame(2, whole) + KissFrame(2, tlm) + KissFrame(8, wod) +
                            KissFrame(4, hws) + KissFrame(4, shortHws);
    // The TLM and WOD frames made whole with the bytes the buffer held behind
    // them. (An HWS block shows the frame's own bytes in hex, so the short one
    // is kept as it is.)
    const std::string heard = KissFrame(2, whole) + KissFrame(2, tlm + whole.substr(53)) +
                              KissFrame(8, wod + tlm.substr(23, 22)) + KissFrame(4, hws) +
                              KissFrame(4, shortHws);
    Load(heard);
    const std::string report = Report();
    const std::string wodExport = Export();
    const LoadOutcome outcome = Load(log);
    EXPECT_EQ(Report(), report);
    EXPECT_EQ(Export(), wodExport);
    EXPECT_NE(ExportRows().find("00:00:00;"), std::string::npos);  // a sample of no time
    EXPECT_TRUE(ReportBody().ends_with(
        "[HWS]Timestamp: 01/03/2026 12:01:39 - 01 22 03 04 05 \r\n"
        "[HWS]RXAART: 032201  |  TXAART: 060504  |  BCAART: 090807  |  ModemAART: 0C0B0A\r\n"
        "[HWS]TXC Exciter ON\r\n[HWS]TXC 5V HPA ON\r\n[HWS]TXC 10V HPA ON\r\n\r\n"));
    EXPECT_EQ(outcome.account.framesShortForType[2], 1u);
    EXPECT_EQ(outcome.account.framesShortForType[8], 1u);
    EXPECT_EQ(outcome.account.framesShortForType[4], 1u);

    const std::string telemetry = DataFile("telemetry");
    EXPECT_TRUE(telemetry.ends_with("\n2026-03-01T12:01:00Z,1772366460,,1.900,1.900" +
                                    std::string(36, ',') + '\n'))
        << telemetry;
    const std::string wodData = DataFile("wod");
    EXPECT_EQ(wodData.substr(wodData.find('\n') + 1),
              "2026-03-02T10:00:00Z,1772445600,8.170,0,2.539,3.878,1.945,0.838,-5.171,3.719,"
              "7.965,145.080\n");
    const std::string status = DataFile("status");
    EXPECT_TRUE(status.ends_with(",HWS,205313,,,,1,,," + std::string(35 + 21, ',') + '\n'))
        << status;
    const std::string frames = DataFile("frames");
    for (const char* row : {",60,0,2,TLM,short for its type,false,2026-03-01T12:01:00Z,1772366460,"
                            "133,false\n",
                            ",30,0,8,WOD,short for its type,false,2026-03-02T10:00:00Z,1772445600,"
                            "52,false\n",
                            ",16,0,4,HWS,short for its type,false,2026-03-01T12:01:39Z,1772366499,"
                            "23,false\n"}) {
        EXPECT_NE(frames.find(row), std::string::npos) << row;
    }

    options.dataExport->format = DataFormat::JsonLines;
    Load(log);
    const std::string json = DataFile("telemetry", "jsonl");
    const std::string shortLine = json.substr(json.rfind("{\"type\""));
    EXPECT_EQ(shortLine.find("software_version"), std::string::npos);
    EXPECT_NE(shortLine.find("\"Battery 4 [V]\":1.900}"), std::string::npos) << shortLine;
    EXPECT_EQ(DataFile("wod", "jsonl").find("1970"), std::string::npos);
    const std::string statusJson = DataFile("status", "jsonl");
    EXPECT_TRUE(statusJson.ends_with("\"HWS\",\"RXAART\":205313,\"TXC Exciter\":1}\n"))
        << statusJson;
}

// The data ended inside a frame: the report has it as read so far, the data
// says it was cut and leaves what it did not reach empty.
TEST_F(DataExport, AFrameTheLogEndsInsideIsCutAtTheEndOfTheLog) {
    const std::string cut = KissFrame(2, test::TlmBody(kNoon, 0)).substr(0, 100);
    const LoadOutcome outcome = Load(KissFrame(2, test::TlmBody(kNoon - 60, 0)) + cut);
    EXPECT_EQ(outcome.framesDecoded, 2u);
    EXPECT_EQ(outcome.account.framesCutAtEnd, 1u);
    const std::string report = ReportBody();
    EXPECT_NE(report.find("[TLM]", report.find("[TLM]") + 1), std::string::npos);
    EXPECT_TRUE(DataFile("telemetry")
                    .ends_with(std::string("\n2026-03-01T12:00:00Z,1772366400,,") +
                               kFirst22ChannelsAtZero + std::string(16, ',') + '\n'));
    EXPECT_TRUE(DataFile("frames").ends_with(
        "\n134,100,100,0,2,TLM,cut at the end of the log,false,2026-03-01T12:00:00Z,1772366400,133,"
        "false\n"));
}

TEST_F(DataExport, NeedsAFolderThatExistsAndLeavesTheOtherOutputsAlone) {
    options.dataExport->folder = folder / "missing";
    const LoadOutcome outcome = Load(KissFrame(1, "x"));
    ASSERT_EQ(outcome.problems.size(), 4u);
    EXPECT_EQ(outcome.problems[0].Message(), "Cannot write the data file " +
                                                 (folder / "missing/orbit.telemetry.csv") +
                                                 ": No such file or directory");
    EXPECT_TRUE(outcome.dataPaths.empty());
    EXPECT_EQ(ReportBody(), "[TIME] x\r\n\r\n");
    EXPECT_TRUE(outcome.exportPath.has_value());
}

// Dated logs of one folder: "orbit.2026-03-01.kss" and "orbit.2026-03-02.kss"
// must not share their data files, as they share their report.
TEST_F(DataExport, FilesAreNamedByTheLogsNameLessItsLastExtension) {
    const LoadOutcome outcome = Load(KissFrame(1, "x"), "orbit.2026-03-01.kss");
    EXPECT_EQ(outcome.dataPaths,
              (std::vector<std::string>{
                  folder / "orbit.2026-03-01.telemetry.csv", folder / "orbit.2026-03-01.wod.csv",
                  folder / "orbit.2026-03-01.status.csv", folder / "orbit.2026-03-01.frames.csv"}));
}

TEST_F(DataExport, NeverReplacesTheLog) {
    const std::string bytes = KissFrame(1, "x");
    logPath = folder.Write("orbit.kss", bytes);
    ASSERT_EQ(::symlink("orbit.kss", (folder / "orbit.frames.csv").c_str()), 0);
    const LoadOutcome outcome = Open(logPath);
    ASSERT_EQ(outcome.problems.size(), 1u);
    EXPECT_EQ(outcome.problems[0].path, folder / "orbit.frames.csv");
    EXPECT_EQ(test::ReadFile(logPath), bytes);
    EXPECT_TRUE(test::FileExists(folder / "orbit.telemetry.csv"));
}

TEST_F(DataExport, AStoppedLoadLeavesEarlierFilesAsTheyWere) {
    Load(KissFrame(1, "first"));
    const std::string frames = DataFile("frames");
    hook.onFrame = [this](std::uint64_t) { session.Stop(); };
    const LoadOutcome outcome = Load(KissFrame(1, "a") + KissFrame(1, "b"));
    EXPECT_TRUE(outcome.stopped);
    EXPECT_TRUE(outcome.dataPaths.empty());
    EXPECT_EQ(DataFile("frames"), frames);
}

TEST(DatedWodRows, KeepsEachSampleOnceInTimeOrderOnDiskAsInMemory) {
    using Seen = std::vector<std::pair<std::uint32_t, int>>;
    for (const std::size_t keysInMemory : {std::size_t{2}, std::size_t{1} << 20}) {
        SCOPED_TRACE(keysInMemory);
        DatedWodRows rows(keysInMemory);
        rows.Add({kNextMorning, {5}});
        rows.Add({kMorning, {2}});
        rows.Add({kNextMorning, {5}});
        rows.Add({kNoon, {3}});
        rows.Add({kMorning, {2}});
        rows.Add({kMorning, {1}});  // the same time with other values is kept
        Seen seen;
        rows.ForEachDistinct(
            [&](const WodRecord& sample) { seen.emplace_back(sample.time, sample.raw[0]); });
        EXPECT_EQ(seen, (Seen{{kMorning, 1}, {kMorning, 2}, {kNoon, 3}, {kNextMorning, 5}}));
    }
}

TEST(CsvField, IsQuotedOnlyWhenItMustBe) {
    std::string out;
    for (const std::string_view text : {"plain", "a,b", "say \"hi\"", "two\nlines", ""}) {
        AppendCsvField(out, text);
        out += '|';
    }
    EXPECT_EQ(out, "plain|\"a,b\"|\"say \"\"hi\"\"\"|\"two\nlines\"||");
}

}  // namespace
}  // namespace orvex
