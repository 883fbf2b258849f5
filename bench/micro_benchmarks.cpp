// The inner loops of a load, one at a time: the KISS reader, a whole load
// with the outputs off, one TLM frame with its report block, one WOD frame.
#include <benchmark/benchmark.h>

#include <QLocale>

#include <random>
#include <string>

#include "input/headless_window.h"
#include "input/kiss_reader.h"
#include "input/load_pipeline.h"
#include "input/locale_format.h"
#include "telemetry/telemetry_decoders.h"

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
    static const std::string log = MixedLog(200000);
    return log;
}

const LocaleFormat& Format() {
    static const LocaleFormat format{QLocale(QStringLiteral("en_GB"))};
    return format;
}

void KissReaderFrames(benchmark::State& state) {
    const std::string& log = SharedLog();
    Frame frame;
    std::int64_t frames = 0;
    for (auto _ : state) {
        MemoryByteSource source(log);
        KissReader reader(source);
        while (reader.ReadNextFrame(frame)) {
            ++frames;
        }
        benchmark::DoNotOptimize(frame.FrameLength);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(log.size()));
    state.counters["frames/s"] =
        benchmark::Counter(static_cast<double>(frames), benchmark::Counter::kIsRate);
}
BENCHMARK(KissReaderFrames)->Unit(benchmark::kMillisecond);

void LoadWithOutputsOff(benchmark::State& state) {
    const std::string& log = SharedLog();
    HeadlessWindow window(false);
    window.writeTlmFile = false;
    window.writeWodFile = false;
    DecoderSession session(window, Format());
    session.Start();
    std::uint64_t frames = 0;
    for (auto _ : state) {
        MemoryByteSource source(log);
        frames += session.OpenLog("/nonexistent/bench.kss", source).frames;
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(log.size()));
    state.counters["frames/s"] =
        benchmark::Counter(static_cast<double>(frames), benchmark::Counter::kIsRate);
}
BENCHMARK(LoadWithOutputsOff)->Unit(benchmark::kMillisecond);

// One frame in the buffer, decoded again and again; the report goes to
// /dev/null through the same buffered writer a load uses.
struct SingleFrame {
    HeadlessWindow window{false};
    DecoderState decoder{window, Format()};

    explicit SingleFrame(std::uint8_t type, bool report) {
        window.writeTlmFile = report;
        std::mt19937 random(3);
        for (auto& byte : decoder.frame.FrameBuffer) {
            byte = static_cast<std::uint8_t>(random());
        }
        decoder.frame.FrameBuffer[1] = 0;
        decoder.frame.FrameBuffer[6] = type;
        decoder.frame.FrameLength = type == 2 ? 133 : 52;
        decoder.channels = StandardChannelTable();
        decoder.report.StartLoad("/dev/null", 0, 0);
    }
    ~SingleFrame() { decoder.report.FinishLoad(); }
};

void TlmFrameWithReportBlock(benchmark::State& state) {
    SingleFrame single(2, true);
    for (auto _ : state) {
        single.decoder.records.Clear();
        DecodeTlmFrame(single.decoder);
    }
}
BENCHMARK(TlmFrameWithReportBlock);

void WodFrameRows(benchmark::State& state) {
    SingleFrame single(8, state.range(0) != 0);
    std::int64_t frames = 0;
    for (auto _ : state) {
        if (++frames % 100000 == 0) {
            single.decoder.List2.Clear();
        }
        DecodeWodFrame(single.decoder);
    }
}
BENCHMARK(WodFrameRows)->Arg(0)->Arg(1)->ArgName("report");

}  // namespace
}  // namespace orvex

BENCHMARK_MAIN();
