#include <QLabel>
#include <QTest>
#include <random>

#include "app/window/load_status.h"
#include "app/window/object_names.h"
#include "tests/gui/main_window_fixture.h"

namespace orvex::test {
namespace {

class StatusLine : public MainWindowTest {
protected:
    QString Written() const {
        return QString::fromStdString(" Report written to " + (folder / "orbit.tlm") +
                                      ". WOD export written to " + (folder / "orbit.csv") + ".");
    }
    QString LogPath() const { return QString::fromStdString(folder / "orbit.kss"); }
};

TEST_F(StatusLine, AnEmptyLogHasNoFrame) {
    OpenLog("");
    EXPECT_EQ(Status(), "No frame found in " + LogPath() + "." + Written());
}

TEST_F(StatusLine, ALogOfRandomBytesHasNoFrame) {
    std::mt19937 random(1);
    std::string noise(std::size_t{64} * 1024, '\0');
    for (char& byte : noise) {
        byte = static_cast<char>(random());
    }
    OpenLog(noise);
    // What was skipped is told between what the log held and the outputs.
    EXPECT_TRUE(Status().startsWith("No frame found in " + LogPath() + ". Skipped: "))
        << Status().toStdString();
    EXPECT_TRUE(Status().contains(" bytes outside frames, ")) << Status().toStdString();
    EXPECT_TRUE(Status().endsWith("." + Written())) << Status().toStdString();
}

TEST_F(StatusLine, ALogWithoutTelemetryCountsItsFrames) {
    OpenLog(TimeFrame("12:00:00") + TextFrame("HELLO"));
    EXPECT_EQ(Status(), "2 frames, no telemetry record." + Written());
    OpenLog(TextFrame("HELLO"));
    EXPECT_EQ(Status(), "1 frame, no telemetry record." + Written());
}

TEST_F(StatusLine, SaysOnlyWhatWasWritten) {
    Action(object_name::kWriteWodExportAction)->trigger();
    OpenLog(TlmFrame(kDecemberAfternoon, 0));
    EXPECT_EQ(Status(), QString::fromStdString("1 frame, 1 telemetry record. Report written to " +
                                               (folder / "orbit.tlm") + "."));
    Action(object_name::kWriteReportAction)->trigger();
    OpenLog(TlmFrame(kDecemberAfternoon, 0));
    EXPECT_EQ(Status(), "1 frame, 1 telemetry record.");
}

TEST_F(StatusLine, IsKeptByACancelledDialogAndToldWholeOnHover) {
    OpenLog(TextFrame("HELLO"));
    const QString shown = Status();
    Open("");
    EXPECT_EQ(Status(), shown);
    EXPECT_EQ(Find<QLabel>(object_name::kStatusLine)->toolTip(), shown);
    // However long, it does not widen the window.
    window.show();
    const int width = window.width();
    OpenLog(TextFrame("HELLO"), std::string(300, 'n') + ".kss");
    EXPECT_EQ(window.width(), width);
}

TEST_F(StatusLine, ShowsAShortFormAtTheFirstSizeAndTheWholeTextOnHover) {
    window.show();
    OpenLog(TlmFrame(kDecemberAfternoon, 0), "pass-of-2026-12-07-at-the-club-station.kss");
    const auto* line = Find<QLabel>(object_name::kStatusLine);
    const QString shown = line->text();
    ASSERT_NE(shown, Status()) << "the whole text fits: the test's path is too short";
    EXPECT_LE(line->fontMetrics().horizontalAdvance(shown), line->contentsRect().width()) << shown;
    EXPECT_TRUE(shown.startsWith("1 frame, 1 telemetry record. Report written to ")) << shown;
    EXPECT_TRUE(shown.endsWith("/pass-of-2026-12-07-at-the-club-station.csv.")) << shown;
    EXPECT_EQ(line->toolTip(), Status());
    EXPECT_TRUE(Status().endsWith(
        QString::fromStdString(" WOD export written to " +
                               (folder / "pass-of-2026-12-07-at-the-club-station.csv") + ".")));

    // Room enough: the whole text again.
    window.resize(4000, window.height());
    QTRY_COMPARE(line->text(), Status());
}

TEST(LoadStatus, NamesEveryProblemFirst) {
    LoadOutcome outcome;
    outcome.ran = true;
    outcome.framesDecoded = 3;
    outcome.records = 102;
    outcome.tlmFramesNotCharted = 1;
    outcome.problems.push_back({FileProblem::Action::WriteReport, "/logs/a.tlm", "Disk full"});
    outcome.problems.push_back({FileProblem::Action::ReadLog, "/logs/a.kss", "I/O error"});
    outcome.exportPath = "/logs/a.csv";
    EXPECT_EQ(LoadStatus::Text(outcome, "/logs/a.kss"),
              "Cannot write the report /logs/a.tlm: Disk full. "
              "Cannot read the log /logs/a.kss: I/O error. "
              "3 frames, 102 telemetry records; "
              "memory ran out: the chart and the panel lack the last 1. "
              "WOD export written to /logs/a.csv.");

    LoadOutcome refused;
    refused.problems.push_back({FileProblem::Action::OpenLog, "/logs/b.kss", "Permission denied"});
    EXPECT_EQ(LoadStatus::Text(refused, "/logs/b.kss"),
              "Cannot open the log /logs/b.kss: Permission denied.");
}

}  // namespace
}  // namespace orvex::test
