#pragma once

#include <gtest/gtest.h>

#include <QLocale>

#include <functional>
#include <memory>
#include <string>

#include "session/decoder_session.h"
#include "tests/support/display_stand_in.h"
#include "tests/support/event_wait.h"
#include "tests/support/log_builder.h"
#include "tests/support/temp_folder.h"
#include "text/locale_format.h"

namespace orvex::test {

// Sees every frame the session's loads read, on the loading thread: a test
// stops a load, or switches an option, at a frame of its choice there.
class FrameHook : public FrameHandler {
public:
    void OnFrameRead(const Frame& /*frame*/, FrameOutcome /*outcome*/) override {
        ++framesRead;
        if (onFrame) {
            onFrame(framesRead);
        }
    }

    std::function<void(std::uint64_t framesRead)> onFrame;
    std::uint64_t framesRead = 0;  // by the last load; read it once it ended
};

// A program run with the window held in memory, a pinned locale and a
// scratch folder: write a log's bytes, load it, read the files it left.
class LoadFixture : public ::testing::Test {
protected:
    explicit LoadFixture(const char* locale = "en_GB")
        : format(QLocale(QString::fromLatin1(locale))), session(display, context) {
        display.onRecordPositionChanged = [this](int position) {
            session.RecordPositionChanged(position);
        };
        display.onChannelSelected = [this](int channel) { session.ShowChannelChart({channel}); };
        session.AddLoadHandler(hook);
        session.ShowChannelDescriptions();
    }

    LoadOutcome Load(const std::string& bytes, const std::string& name = "orbit.kss") {
        logPath = folder.Write(name, bytes);
        return Open(logPath);
    }
    // The Open command on `path`, to the load's end.
    LoadOutcome Open(const std::string& path) {
        return WaitFor([&](const DecoderSession::Done& done) { session.OpenLog(path, done); });
    }
    // Runs `start` with the `done` of a load and waits for the load's end.
    LoadOutcome WaitFor(const std::function<void(const DecoderSession::Done& done)>& start) {
        auto ended = std::make_shared<std::optional<LoadOutcome>>();
        hook.framesRead = 0;
        start([ended](const LoadOutcome& outcome) { *ended = outcome; });
        EXPECT_TRUE(HandleEventsUntil([&] { return ended->has_value(); }))
            << "the load did not end";
        return ended->value_or(LoadOutcome{});
    }
    std::string Report() const { return ReadFile(folder / "orbit.tlm"); }
    std::string Export() const { return ReadFile(folder / "orbit.csv"); }
    // The report after its 18 header lines.
    std::string ReportBody() const {
        const std::string report = Report();
        const auto end = report.find("Batt #5 Temp   \r\n\r\n");
        return end == std::string::npos ? report : report.substr(end + 19);
    }
    // The export after its header line.
    std::string ExportRows() const {
        const std::string csv = Export();
        const auto end = csv.find("\r\n");
        return end == std::string::npos ? csv : csv.substr(end + 2);
    }
    // The WOD rows of the last load, in their order, with any repeats.
    std::vector<std::string> WodRows() { return session.CurrentLoad()->WodRows().Items(); }

    TempFolder folder;
    LocaleFormat format;
    OutputOptions options;
    LoadContext context{format, options};
    DisplayStandIn display;
    FrameHook hook;
    DecoderSession session;
    std::string logPath;
};

}  // namespace orvex::test
