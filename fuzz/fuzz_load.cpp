// Arbitrary bytes as a log through the whole headless load: reader, dispatch,
// every decoder, the report and the WOD export, written to a scratch folder.
// The control bytes play the user: they switch "Write TLM File" between
// frames, move the scroll bar, pick channels and end the program mid-load.
#include <unistd.h>

#include <QLocale>

#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "fuzz/fuzz_input.h"
#include "input/headless_window.h"
#include "input/kiss_reader.h"
#include "input/load_pipeline.h"
#include "input/locale_format.h"

namespace {

using namespace orvex;

// One folder for the whole run; every input overwrites the same two files.
class ScratchFolder {
public:
    ScratchFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "orvex-fuzz-XXXXXX");
        ORVEX_FUZZ_CHECK(::mkdtemp(pattern.data()) != nullptr);
        path_ = pattern;
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    std::string operator/(const char* name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

const ScratchFolder& Scratch() {
    static const ScratchFolder folder;
    return folder;
}

// A program run per locale. Building one makes the value texts of every
// channel, which would take most of each input's time, so the runs are kept
// and brought back to their start-up state before each input.
struct ProgramRun {
    explicit ProgramRun(const QLocale& locale) : format(locale), session(window, format) {}

    DecoderSession& Restart() {
        window = HeadlessWindow();
        session.State().frame = Frame();
        session.Start();
        return session;
    }

    LocaleFormat format;
    HeadlessWindow window;
    DecoderSession session;
};

ProgramRun& RunFor(std::uint8_t choice) {
    static std::array<ProgramRun, 4> runs{
        ProgramRun(QLocale(QStringLiteral("en_GB"))),
        ProgramRun(QLocale(QStringLiteral("de_DE"))),
        ProgramRun(QLocale(QStringLiteral("en_US"))),
        ProgramRun(QLocale::c()),
    };
    return runs[choice % runs.size()];
}

std::string ReadWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool StartsWith(const std::string& path, std::string_view prefix) {
    std::string head(prefix.size(), '\0');
    std::ifstream in(path, std::ios::binary);
    return in.read(head.data(), static_cast<std::streamsize>(head.size())) && head == prefix;
}

// Frames the dispatch hands to a decoder, counted without the pipeline.
std::uint64_t RecognisedFrames(std::string_view log) {
    MemoryByteSource source{std::string(log)};
    KissReader reader(source, 4096);
    Frame frame;
    std::uint64_t count = 0;
    while (reader.ReadNextFrame(frame)) {
        const int type = frame[kTypeOffset];
        count += frame.FrameLength >= 7 && frame[kCommandOffset] == 0 && type >= 1 && type <= 13;
    }
    return count;
}

// The export holds its header, then distinct rows in ascending byte order.
void CheckExport(const std::string& path, std::uint64_t rows) {
    const std::string csv = ReadWhole(path);
    ORVEX_FUZZ_CHECK(csv.rfind("Time;", 0) == 0);
    std::size_t start = csv.find("\r\n");
    ORVEX_FUZZ_CHECK(start != std::string::npos);
    start += 2;
    std::string_view previous;
    std::uint64_t lines = 0;
    while (start < csv.size()) {
        const std::size_t end = csv.find("\r\n", start);
        ORVEX_FUZZ_CHECK(end != std::string::npos);
        const std::string_view row(csv.data() + start, end - start);
        ORVEX_FUZZ_CHECK(lines == 0 || previous < row);
        previous = row;
        ++lines;
        start = end + 2;
    }
    ORVEX_FUZZ_CHECK(lines == rows);
}

struct UserActions {
    std::uint8_t reportToggles;  // bit k % 8: switch "Write TLM File" after frame k
    bool browse;                 // move the scroll bar and pick channels between frames
    bool stop;
    std::uint64_t stopAfter;
};

void Drive(HeadlessWindow& window, DecoderSession& session, const UserActions& actions) {
    window.onHScroll1Change = [&session](int position) { session.RecordPositionChanged(position); };
    window.onYield = [&window, &session, actions](std::uint64_t) {
        const std::uint64_t k = window.yields - 1;
        if (actions.reportToggles >> (k % 8) & 1) {
            window.writeTlmFile = !window.writeTlmFile;
        }
        if (actions.browse) {
            session.RecordPositionChanged(static_cast<int>(k % 102));
            session.ShowChannelChart(static_cast<int>(k % 38));
        }
        if (actions.stop && k == actions.stopAfter) {
            window.stopRequested = true;
        }
    };
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fuzz::FuzzInput input = fuzz::SplitInput(data, size);
    const std::uint8_t options = input.control[1];
    const std::string log = Scratch() / "orbit.kss";
    const std::string report = Scratch() / "orbit.tlm";
    const std::string csv = Scratch() / "orbit.csv";
    ::unlink(report.c_str());
    ::unlink(csv.c_str());

    ProgramRun& run = RunFor(options);
    DecoderSession& session = run.Restart();
    HeadlessWindow& window = run.window;
    Drive(window, session,
          {input.control[0], (options & 4) != 0, (options & 8) != 0, std::uint64_t{options} >> 4});
    MemoryByteSource source{std::string(input.log)};
    const LoadOutcome outcome = session.OpenLog(log, source);

    ORVEX_FUZZ_CHECK(outcome.decoded);
    ORVEX_FUZZ_CHECK(!session.Loading() && !window.busy);
    ORVEX_FUZZ_CHECK(outcome.problems.empty());
    ORVEX_FUZZ_CHECK(outcome.records >= 0 && outcome.records <= 100);
    ORVEX_FUZZ_CHECK(outcome.reportPath.has_value());  // the mark is on at Open
    ORVEX_FUZZ_CHECK(StartsWith(report, "Orvex Telemetry Decoder by Tamlo\r\n"));
    if (outcome.stopped) {
        ORVEX_FUZZ_CHECK(!window.hScroll1Enabled && !outcome.exportPath);
        return 0;
    }
    ORVEX_FUZZ_CHECK(outcome.frames == RecognisedFrames(input.log));
    ORVEX_FUZZ_CHECK(window.hScroll1Enabled);
    ORVEX_FUZZ_CHECK(window.hScroll1Maximum == outcome.records);
    ORVEX_FUZZ_CHECK(outcome.exportPath == csv && outcome.wodRowsExported.has_value());
    ORVEX_FUZZ_CHECK(*outcome.wodRowsExported <= outcome.wodRows);
    CheckExport(csv, *outcome.wodRowsExported);
    return 0;
}
