// The archive read by no program of ours: a generated log of two days heard
// by two stations, queried with plain SQL through the engine's own client
// (the sqlite3 shell, psql), gives the times and values of the log's own
// data export field by field and each station's hearings; pandas reads the
// telemetry into a datetime column and float channels.
#include <gtest/gtest.h>

#include <QProcess>
#include <QStandardPaths>

#include <algorithm>
#include <charconv>
#include <map>

#include "archive/archive_columns.h"
#include "archive/archive_location.h"
#include "telemetry/channel_table.h"
#include "tests/archive/archive_engine.h"
#include "tests/support/temp_folder.h"
#include "text/digits.h"

namespace orvex::test {
namespace {

struct Ran {
    int code = -1;
    std::string out;
    std::string err;
};

Ran RunProgram(const QString& program, const QStringList& args) {
    QProcess process;
    process.start(program, args);
    Ran ran;
    if (process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit) {
        ran.code = process.exitCode();
    }
    ran.out = process.readAllStandardOutput().toStdString();
    ran.err = process.readAllStandardError().toStdString();
    return ran;
}

Ran RunDecode(const QStringList& args) {
    return RunProgram(QStringLiteral(ORVEX_DECODE_PATH), args);
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        lines.push_back(text.substr(start, end - start));
    }
    return lines;
}

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t end; (end = line.find(',', start)) != std::string::npos; start = end + 1) {
        fields.push_back(line.substr(start, end - start));
    }
    fields.push_back(line.substr(start));
    return fields;
}

// The rows of a data file, without its header, each once, sorted.
std::vector<std::string> DistinctRows(const std::string& csv) {
    std::vector<std::string> rows = Lines(csv);
    rows.erase(rows.begin());
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

// A value as the data export writes its channel: the report's decimals, or
// a whole number.
std::string AsExported(const std::string& value, int channel) {
    if (value.empty() || value == "NULL") {
        return {};
    }
    double number = 0;
    std::from_chars(value.data(), value.data() + value.size(), number);
    const ValueForm& form = TelemetryChannels()[static_cast<std::size_t>(channel)].form;
    std::string text;
    if (form.kind == ValueForm::Kind::Fixed) {
        AppendFixedPoint(text, number, form.decimals);
    } else {
        AppendDecimal(text, static_cast<std::int64_t>(number));
    }
    return text;
}

// A client's row as a data file's: the time in the export's ISO form
// (psql writes "2026-03-01 12:00:04", the sqlite3 shell quotes its text),
// then the channels from the `firstChannel` field on.
std::string AsExportedRow(const std::string& line, const std::vector<int>& channels,
                          std::size_t firstChannel) {
    std::vector<std::string> fields = Fields(line);
    std::string& time = fields[0];
    time.erase(std::remove(time.begin(), time.end(), '\''), time.end());
    if (time.size() == 19 && time[10] == ' ') {
        time = time.substr(0, 10) + "T" + time.substr(11) + "Z";
    }
    for (std::size_t at = firstChannel; at < fields.size(); ++at) {
        fields[at] = AsExported(fields[at], channels[at - firstChannel]);
    }
    std::string row;
    for (const std::string& field : fields) {
        row += (row.empty() ? "" : ",") + field;
    }
    return row;
}

std::vector<int> TelemetryChannelList() {
    std::vector<int> channels(kChannelCount);
    for (int channel = 0; channel < kChannelCount; ++channel) {
        channels[static_cast<std::size_t>(channel)] = channel;
    }
    return channels;
}

std::vector<int> WodChannelIndices() {
    std::vector<int> channels;
    channels.reserve(kWodSlotCount);
    for (int slot = 0; slot < kWodSlotCount; ++slot) {
        channels.push_back(ChannelIndexOfNumber(WodChannels()[static_cast<std::size_t>(slot) + 1]));
    }
    return channels;
}

std::string ColumnList(const std::vector<int>& channels) {
    std::string list;
    for (const int channel : channels) {
        list += ", " + std::string(ChannelColumn(channel));
    }
    return list;
}

class ArchiveClientsTest : public ::testing::TestWithParam<Engine> {
protected:
    void SetUp() override {
        if (const std::string why = WhyNotOn(GetParam()); !why.empty()) {
            GTEST_SKIP() << why;
        }
        archive = NewArchive(GetParam(), folder);
        client =
            GetParam() == Engine::Postgres ? QStringLiteral("psql") : QStringLiteral("sqlite3");
        if (QStandardPaths::findExecutable(client).isEmpty()) {
            GTEST_SKIP() << client.toStdString() << " is not installed";
        }
        // Thirty passes, two days; the south station heard the first ten.
        for (const auto& [station, passes] : {std::pair{"north", "30"}, std::pair{"south", "10"}}) {
            const std::string log = folder / (std::string(station) + ".kss");
            ASSERT_EQ(
                RunProgram(QStringLiteral(ORVEX_SYNTH_PATH),
                           {"--seed", "5", "--passes", passes, "-o", QString::fromStdString(log)})
                    .code,
                0);
            const Ran archived =
                RunDecode({"--archive", QString::fromStdString(archive), "--station", station,
                           "--no-report", "--no-wod", "--data",
                           QString::fromStdString(folder.Path()), QString::fromStdString(log)});
            ASSERT_EQ(archived.code, 0) << archived.err;
            framesOf[station] = std::stoll(archived.out.substr(archived.out.find(": ") + 2));
        }
    }

    // The client's answer to `sql`: one line a row, fields between commas.
    std::vector<std::string> Query(const std::string& sql) {
        const ArchiveLocation location = ParseArchiveLocation(archive);
        const QStringList args =
            GetParam() == Engine::Postgres
                ? QStringList{"-X",
                              "-q",
                              "-A",
                              "-t",
                              "-F",
                              ",",
                              "-c",
                              QString::fromStdString(sql),
                              QString::fromStdString(location.target)}
                : QStringList{"-quote", QString::fromStdString(location.target),
                              QString::fromStdString(sql)};
        const Ran ran = RunProgram(client, args);
        EXPECT_EQ(ran.code, 0) << ran.err;
        return Lines(ran.out);
    }

    TempFolder folder;
    std::string archive;
    QString client;
    std::map<std::string, std::int64_t> framesOf;
};

TEST_P(ArchiveClientsTest, TelemetryIsTheLogsDataExportFieldByField) {
    const std::vector<int> channels = TelemetryChannelList();
    std::vector<std::string> rows;
    for (const std::string& line :
         Query("SELECT time_utc, unix_time, software_version" + ColumnList(channels) +
               " FROM telemetry WHERE frame_id IN (SELECT frame_id FROM receptions WHERE "
               "station = 'north') AND time_utc >= '2026-03-01' ORDER BY time_utc")) {
        rows.push_back(AsExportedRow(line, channels, 3));
    }
    std::sort(rows.begin(), rows.end());
    const std::vector<std::string> expected =
        DistinctRows(ReadFile(folder / "north.telemetry.csv"));
    ASSERT_EQ(rows.size(), expected.size());
    for (std::size_t at = 0; at < rows.size(); ++at) {
        ASSERT_EQ(rows[at], expected[at]) << "row " << at;
    }
}

TEST_P(ArchiveClientsTest, WodSamplesAreTheLogsDataExportFieldByField) {
    const std::vector<int> channels = WodChannelIndices();
    std::vector<std::string> rows;
    for (const std::string& line : Query("SELECT time_utc, unix_time" + ColumnList(channels) +
                                         " FROM wod ORDER BY time_utc")) {
        rows.push_back(AsExportedRow(line, channels, 2));
    }
    std::sort(rows.begin(), rows.end());
    EXPECT_EQ(rows, DistinctRows(ReadFile(folder / "north.wod.csv")));
}

TEST_P(ArchiveClientsTest, EachStationsHearingsAreCounted) {
    std::vector<std::string> counts =
        Query("SELECT station, COUNT(*) FROM receptions GROUP BY station ORDER BY station");
    for (std::string& line : counts) {
        line.erase(std::remove(line.begin(), line.end(), '\''), line.end());
    }
    EXPECT_EQ(counts, (std::vector<std::string>{"north," + std::to_string(framesOf["north"]),
                                                "south," + std::to_string(framesOf["south"])}));
}

TEST_P(ArchiveClientsTest, PandasReadsTheTelemetryIntoTimesAndFloats) {
    const ArchiveLocation location = ParseArchiveLocation(archive);
    const Ran ran = RunProgram(QStringLiteral(ORVEX_DEBIAN_PYTHON3),
                               {QStringLiteral(ORVEX_ARCHIVE_TEST_DIR "/pandas_reads_archive.py"),
                                GetParam() == Engine::Postgres ? "postgresql" : "sqlite",
                                QString::fromStdString(location.target)});
    if (ran.code == 77) {
        GTEST_SKIP() << ran.out;
    }
    EXPECT_EQ(ran.code, 0) << ran.out << ran.err;
}

std::string EngineName(const ::testing::TestParamInfo<Engine>& info) {
    return info.param == Engine::Sqlite ? "Sqlite" : "Postgres";
}

INSTANTIATE_TEST_SUITE_P(Engines, ArchiveClientsTest,
                         ::testing::Values(Engine::Sqlite, Engine::Postgres), EngineName);

}  // namespace
}  // namespace orvex::test
