// Arbitrary bytes as a log through the whole headless load: reader, dispatch,
// every decoder, the report and the WOD export, written to a scratch folder,
// on the session's loading thread. The control bytes play the user: they
// switch "Write TLM File" between frames and end the program mid-load, and
// once the load has ended they move the scroll bar and pick channels.
#include <unistd.h>

#include <QCoreApplication>
#include <QLocale>

#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "frames/frame_type.h"
#include "fuzz/fuzz_input.h"
#include "kiss/kiss_reader.h"
#include "session/decoder_session.h"
#include "tests/support/display_stand_in.h"
#include "text/locale_format.h"

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

// The locale's texts and tables per locale. Making them takes most of an
// input's time, so they are kept; each input gets a fresh program run.
struct LocaleSetup {
    explicit LocaleSetup(const QLocale& locale) : format(locale), context(format, options) {}

    LocaleFormat format;
    OutputOptions options;
    LoadContext context;
};

LocaleSetup& SetupFor(std::uint8_t choice) {
    static std::array<LocaleSetup, 4> setups{
        LocaleSetup(QLocale(QStringLiteral("en_GB"))),
        LocaleSetup(QLocale(QStringLiteral("de_DE"))),
        LocaleSetup(QLocale(QStringLiteral("en_US"))),
        LocaleSetup(QLocale::c()),
    };
    return setups[choice % setups.size()];
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
    MemoryLogSource source{std::string(log)};
    KissReader reader(source, 4096);
    Frame frame;
    std::uint64_t count = 0;
    while (reader.ReadNextFrame(frame)) {
        const int type = frame[layout::kType];
        count +=
            frame.length >= 7 && frame[layout::kCommand] == 0 && type >= 1 && type <= 13 ? 1 : 0;
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
    bool browse;                 // move the scroll bar and pick channels afterwards
    bool stop;
    std::uint64_t stopAfter;
};

// Plays the user's actions during the load, on the loading thread, where
// the session's handlers see each frame.
class UserDuringLoad : public FrameHandler {
public:
    UserDuringLoad(OutputOptions& options, DecoderSession& session, const UserActions& actions)
        : options_(options), session_(session), actions_(actions) {}

    void OnFrameRead(const Frame& /*frame*/, FrameOutcome /*outcome*/) override {
        const std::uint64_t k = frames_++;
        if (actions_.reportToggles >> (k % 8) & 1) {
            options_.writeReport = !options_.writeReport;
        }
        if (actions_.stop && k == actions_.stopAfter) {
            session_.Stop();
        }
    }

private:
    OutputOptions& options_;
    DecoderSession& session_;
    UserActions actions_;
    std::uint64_t frames_ = 0;
};

void Browse(test::DisplayStandIn& display, DecoderSession& session) {
    for (int k = 0; k < 102; ++k) {
        display.MoveRecordScrollBar(k);
        session.ShowChannelChart({k % 38, (k * 7) % 38});
    }
}

}  // namespace

// The session hands what its loads find to this thread's event loop.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static const QCoreApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fuzz::FuzzInput input = fuzz::SplitInput(data, size);
    const std::uint8_t options = input.control[1];
    const std::string log = Scratch() / "orbit.kss";
    const std::string report = Scratch() / "orbit.tlm";
    const std::string csv = Scratch() / "orbit.csv";
    ::unlink(report.c_str());
    ::unlink(csv.c_str());

    LocaleSetup& setup = SetupFor(options);
    setup.options.writeReport = true;
    setup.options.writeWodExport = true;
    test::DisplayStandIn display;
    // A narrow chart, so that its columns each thin many samples: the
    // stand-in's column per second of a day cost each chart megabytes of
    // columns, most of an input's time.
    display.chartColumns = 64;
    DecoderSession session(display, setup.context);
    display.onRecordPositionChanged = [&session](int position) {
        session.RecordPositionChanged(position);
    };
    display.onChannelSelected = [&session](int channel) { session.ShowChannelChart({channel}); };
    session.ShowChannelDescriptions();
    const UserActions actions{input.control[0], (options & 4) != 0, (options & 8) != 0,
                              std::uint64_t{options} >> 4};
    UserDuringLoad user(setup.options, session, actions);
    session.AddLoadHandler(user);
    std::optional<LoadOutcome> ended;
    session.OpenLog(log, std::make_unique<MemoryLogSource>(std::string(input.log)),
                    [&ended](const LoadOutcome& outcome) { ended = outcome; });
    while (!ended) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    const LoadOutcome& outcome = *ended;
    if (actions.browse) {
        Browse(display, session);
    }

    ORVEX_FUZZ_CHECK(outcome.ran);
    ORVEX_FUZZ_CHECK(!session.Loading() && !display.busy);
    ORVEX_FUZZ_CHECK(outcome.problems.empty());
    ORVEX_FUZZ_CHECK(session.History().Count() == outcome.records);
    ORVEX_FUZZ_CHECK(outcome.reportPath.has_value());  // the mark is on at Open
    ORVEX_FUZZ_CHECK(StartsWith(report, "Orvex Telemetry Decoder by Tamlo\r\n"));
    if (outcome.stopped) {
        ORVEX_FUZZ_CHECK(!display.recordNavigationEnabled && !outcome.exportPath);
        return 0;
    }
    ORVEX_FUZZ_CHECK(outcome.framesDecoded == RecognisedFrames(input.log));
    ORVEX_FUZZ_CHECK(display.recordNavigationEnabled);
    ORVEX_FUZZ_CHECK(static_cast<std::uint64_t>(display.recordScrollMaximum) == outcome.records);
    ORVEX_FUZZ_CHECK(outcome.exportPath == csv && outcome.wodRowsExported.has_value());
    ORVEX_FUZZ_CHECK(*outcome.wodRowsExported <= outcome.wodRows);
    CheckExport(csv, *outcome.wodRowsExported);
    return 0;
}
