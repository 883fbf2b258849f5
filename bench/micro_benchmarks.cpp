// The inner loops of a load, one at a time: the KISS reader, a whole load
// with the outputs off, one TLM frame with its report block, one WOD frame,
// one TLM record as a line of the data export, the record of a point the
// user clicks on the chart.
#include <benchmark/benchmark.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>

#include <memory>
#include <random>
#include <string>

#include "frames/frame_type.h"
#include "kiss/kiss_reader.h"
#include "load/log_load.h"
#include "outputs/data/channel_data_values.h"
#include "outputs/data/csv_record_format.h"
#include "outputs/data/json_lines_record_format.h"
#include "outputs/report_writer.h"
#include "session/record_view.h"
#include "telemetry/calibration.h"
#include "telemetry/telemetry_history.h"
#include "text/locale_format.h"

namespace orvex {
namespace {

// A log of frames of every kind with random bodies, escaped as a TNC writes it.
std::string MixedLog(std::size_t frames) {
    std::mt19937 random(7);
    const std::uint8_t types[] = {2, 2, 8, 8, 8, 4, 5, 13, 1, 7};
    const std::size_t sizes[] = {133, 133, 52, 52, 52, 23, 80, 28, 30, 60};
    std::string log;
    for (std::size_t i = 0; i < frames; ++i) {
        const std::size_t kind = i % std::size(types);
        std::string body = {'\0', '\0', '\0', '\0', '\0', static_cast<char>(types[kind])};
        while (body.size() + 1 < sizes[kind]) {
            body += static_cast<char>(random() & 0xFF);
        }
        log += '\xC0';
        for (const char c : body) {
            if (c == '\xC0') {
                log += "\xDB\xDC";
            } else if (c == '\xDB') {
                log += "\xDB\xDD";
            } else {
                log += c;
            }
        }
        log += '\xC0';
    }
    return log;
}

const std::string& SharedLog() {
    static const std::string kLog = MixedLog(200000);
    return kLog;
}

const LocaleFormat& Format() {
    static const LocaleFormat kFormat{QLocale(QStringLiteral("en_GB"))};
    return kFormat;
}

void KissReaderFrames(benchmark::State& state) {
    const std::string& log = SharedLog();
    Frame frame;
    std::int64_t frames = 0;
    for (auto _ : state) {
        MemoryLogSource source(log);
        KissReader reader(source);
        while (reader.ReadNextFrame(frame)) {
            ++frames;
        }
        benchmark::DoNotOptimize(frame.length);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(log.size()));
    state.counters["frames/s"] =
        benchmark::Counter(static_cast<double>(frames), benchmark::Counter::kIsRate);
}
BENCHMARK(KissReaderFrames)->Unit(benchmark::kMillisecond);

void LoadWithOutputsOff(benchmark::State& state) {
    const std::string& log = SharedLog();
    const OutputOptions options{.writeReport = false, .writeWodExport = false, .dataExport = {}};
    const LoadContext context(Format(), options);
    Frame frame;
    std::uint64_t frames = 0;
    for (auto _ : state) {
        MemoryLogSource source(log);
        LogLoad load("/nonexistent/bench.kss", context, frame);
        frames += load.Run(source, {}, nullptr).framesDecoded;
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(log.size()));
    state.counters["frames/s"] =
        benchmark::Counter(static_cast<double>(frames), benchmark::Counter::kIsRate);
}
BENCHMARK(LoadWithOutputsOff)->Unit(benchmark::kMillisecond);

// One frame in the buffer, decoded again and again by a load's handlers; the
// report goes to /dev/null through the same buffered writer a load uses.
struct SingleFrame {
    OutputOptions options;
    LoadContext context{Format(), options};
    Frame frame;
    LogLoad load{"/dev/null", context, frame};
    ReportFile report{"/dev/null", {}};
    ReportWriter reportWriter{report, options, Format(), context.TlmLines()};
    FrameHandlers handlers;

    SingleFrame(std::uint8_t type, bool withReport) {
        options.writeReport = withReport;
        std::mt19937 random(3);
        for (auto& byte : frame.bytes) {
            byte = static_cast<std::uint8_t>(random());
        }
        frame.bytes[1] = 0;
        frame.bytes[6] = type;
        frame.length = type == 2 ? 133 : 52;
        handlers.Add(load);
        handlers.Add(reportWriter);
    }
    ~SingleFrame() { report.Finish(); }
};

void TlmFrameWithReportBlock(benchmark::State& state) {
    SingleFrame single(2, true);
    for (auto _ : state) {
        DecodeFrame(single.frame, single.handlers);
    }
}
BENCHMARK(TlmFrameWithReportBlock);

void WodFrameRows(benchmark::State& state) {
    auto single = std::make_unique<SingleFrame>(8, state.range(0) != 0);
    std::int64_t frames = 0;
    for (auto _ : state) {
        if (++frames % 100000 == 0) {
            state.PauseTiming();
            single = std::make_unique<SingleFrame>(8, state.range(0) != 0);
            state.ResumeTiming();
        }
        DecodeFrame(single->frame, single->handlers);
    }
}
BENCHMARK(WodFrameRows)->Arg(0)->Arg(1)->ArgName("report");

TlmRecord RandomTlmRecord() {
    std::mt19937 random(5);
    TlmRecord record;
    record.time = 1772366400;
    record.softwareVersion = 12;
    for (auto& raw : record.raw) {
        raw = static_cast<std::uint8_t>(random());
    }
    return record;
}

// A TLM record as a line of the data export: 0 CSV, 1 JSON Lines.
void TlmRecordLine(benchmark::State& state) {
    const TlmRecord record = RandomTlmRecord();
    const std::unique_ptr<RecordFormat> format =
        RecordFormat::Make(state.range(0) == 0 ? DataFormat::Csv : DataFormat::JsonLines);
    std::string out;
    for (auto _ : state) {
        out.clear();
        format->AppendTlm(out, record);
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(TlmRecordLine)->Arg(0)->Arg(1)->ArgName("jsonl");

// The same JSON object through Qt's QJsonDocument, the library the JSON
// Lines did not take: its cost per record against RapidJSON's above.
void TlmRecordThroughQJsonDocument(benchmark::State& state) {
    const TlmRecord record = RandomTlmRecord();
    const ChannelDataValues& values = ChannelDataValues::Table();
    std::vector<QString> keys;
    keys.reserve(kChannelCount);
    for (int channel = 0; channel < kChannelCount; ++channel) {
        keys.push_back(QString::fromStdString(values.ColumnName(channel)));
    }
    std::string out;
    for (auto _ : state) {
        QJsonObject object;
        object.insert(QStringLiteral("type"), QStringLiteral("telemetry"));
        object.insert(QStringLiteral("time_utc"), QStringLiteral("2026-03-01T12:00:00Z"));
        object.insert(QStringLiteral("unix_time"), static_cast<qint64>(*record.time));
        object.insert(QStringLiteral("software_version"), *record.softwareVersion);
        for (int channel = 0; channel < kChannelCount; ++channel) {
            const std::string_view text =
                values.Text(channel, record.raw[static_cast<std::size_t>(channel)]);
            object.insert(keys[static_cast<std::size_t>(channel)], std::stod(std::string(text)));
        }
        const QByteArray line = QJsonDocument(object).toJson(QJsonDocument::Compact);
        out.assign(line.constData(), static_cast<std::size_t>(line.size()));
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(TlmRecordThroughQJsonDocument);

// The worst case: the clicked point is the last of a million records.
void RecordOfClickedPoint(benchmark::State& state) {
    constexpr std::uint32_t kRecords = 1000000;
    TelemetryHistory history;
    TelemetryHistory::RawChannels raw{};
    for (std::uint32_t i = 0; i < kRecords; ++i) {
        raw.fill(static_cast<std::uint8_t>(i));
        history.Add(1796652185 + i * 4, raw);
    }
    const HistoryPoint last{1796652185.0 + (kRecords - 1) * 4.0,
                            CalibrationTable()[0][static_cast<std::uint8_t>(kRecords - 1)]};
    for (auto _ : state) {
        benchmark::DoNotOptimize(RecordNumberOf(history, 0, last));
    }
}
BENCHMARK(RecordOfClickedPoint)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace orvex

BENCHMARK_MAIN();
