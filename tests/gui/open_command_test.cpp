#include <QApplication>
#include <QChart>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QListView>
#include <QRadioButton>
#include <QScrollBar>
#include <filesystem>

#include "app/chart/history_chart.h"
#include "app/window/object_names.h"
#include "tests/gui/main_window_fixture.h"
#include "tests/support/log_builder.h"

namespace orvex::test {
namespace {

class OpenCommand : public MainWindowTest {
protected:
    int ChartedPoints() const {
        auto* chart = Find<HistoryChart>(object_name::kChart);
        return chart->Channels().empty() ? 0 : chart->PointsOf(0).size();
    }
};

std::string ThreeRecords() {
    std::array<std::uint8_t, 38> eclipse{};
    eclipse[kEclipseChannel] = 255;
    return TimeFrame("12:00:00") + TlmFrame(kDecemberAfternoon, 0, 11) + TextFrame("HELLO") +
           TlmFrame(kDecemberAfternoon + 1, 100) + KissFrame(2, TlmBody(0, eclipse, 12));
}

TEST_F(OpenCommand, ShowsTheFirstRecordAndTheLogsTexts) {
    const std::string path = OpenLog(ThreeRecords());
    EXPECT_EQ(ValueText(0), "1.900");
    EXPECT_EQ(ValueText(13), "-8.577");
    EXPECT_EQ(ValueText(34), "0.000");
    EXPECT_EQ(ValueText(35), "NO [0]");
    EXPECT_EQ(ValueText(37), "0");
    EXPECT_EQ(Text(object_name::kRecordTime), "07/12/2026 14:03:05");
    EXPECT_EQ(Text(object_name::kSoftwareVersion), "Software Version 12");
    EXPECT_EQ(Text(object_name::kRecordPosition), "#1 / 3");
    EXPECT_EQ(Text(object_name::kLogPath), QString::fromStdString(path));
    EXPECT_EQ(Find<QLabel>(object_name::kFrameCounter)->text(), "5 frames");
    EXPECT_EQ(FrameListItems(), QStringList({"12:00:00", "HELLO"}));
    auto* scrollBar = Find<QScrollBar>(object_name::kRecordScrollBar);
    EXPECT_TRUE(scrollBar->isEnabled());
    EXPECT_EQ(scrollBar->maximum(), 3);
    EXPECT_TRUE(Find<QRadioButton>(object_name::ChannelSelector(0))->isChecked());
    EXPECT_EQ(ChartedPoints(), 3);
    EXPECT_EQ(Status(), QString::fromStdString("5 frames, 3 telemetry records. Report written to " +
                                               (folder / "orbit.tlm") + ". WOD export written to " +
                                               (folder / "orbit.csv") + "."));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(OpenCommand, ACancelledDialogKeepsTheLoadButEmptiesTheFirstFourValues) {
    OpenLog(ThreeRecords());
    Open("");
    EXPECT_EQ(Text(object_name::kLogPath), "");
    EXPECT_EQ(ValueText(3), "");
    EXPECT_EQ(ValueText(4), "1.900");
    EXPECT_EQ(FrameListItems().size(), 2);
    EXPECT_EQ(ChartedPoints(), 3);
}

TEST_F(OpenCommand, ALogWithoutRecordsShowsNoStaleRecord) {
    OpenLog(ThreeRecords());
    Find<QScrollBar>(object_name::kRecordScrollBar)->setValue(3);
    OpenLog(TimeFrame("12:00:00"), "quiet.kss");
    auto* scrollBar = Find<QScrollBar>(object_name::kRecordScrollBar);
    EXPECT_EQ(scrollBar->minimum(), 0);
    EXPECT_EQ(scrollBar->maximum(), 0);
    EXPECT_EQ(Text(object_name::kRecordPosition), "#0 / 0");
    for (int row = 0; row < kChannelCount; ++row) {
        EXPECT_EQ(ValueText(row), "") << row;
    }
    EXPECT_EQ(Text(object_name::kRecordTime), "");
    EXPECT_EQ(ChartedPoints(), 0);

    OpenLog(ThreeRecords());
    EXPECT_EQ(Text(object_name::kRecordPosition), "#1 / 3");
    EXPECT_EQ(ValueText(0), "1.900");
}

TEST_F(OpenCommand, AShorterLogMovesThePositionToItsLastRecord) {
    OpenLog(ThreeRecords());
    Find<QScrollBar>(object_name::kRecordScrollBar)->setValue(3);
    OpenLog(TlmFrame(0, 0) + TlmFrame(kDecemberAfternoon, 100), "short.kss");
    EXPECT_EQ(Text(object_name::kRecordPosition), "#2 / 2");
    EXPECT_EQ(ValueText(28), "1303.577");
}

// A short TLM frame's later channels hold the bytes an earlier frame left:
// shown as the report shows them, but greyed, and saying so on hover.
TEST_F(OpenCommand, ValuesAShortFrameDidNotHoldAreMarkedAsAnEarlierFrames) {
    const std::string cut = TlmBody(kDecemberAfternoon + 1, 50).substr(0, 70);
    OpenLog(TlmFrame(kDecemberAfternoon, 100) + KissFrame(2, cut));
    const QString earlierLast = ValueText(37);
    const auto tip = [this](int row) {
        return Find<QLineEdit>(QString("Text1_%1").arg(row))->toolTip();
    };
    EXPECT_TRUE(tip(37).isEmpty());

    Find<QScrollBar>(object_name::kRecordScrollBar)->setValue(2);
    EXPECT_EQ(Text(object_name::kRecordPosition), "#2 / 2");
    EXPECT_TRUE(tip(0).isEmpty());
    EXPECT_FALSE(tip(37).isEmpty());
    EXPECT_EQ(ValueText(37), earlierLast);
    EXPECT_NE(Find<QLineEdit>("Text1_37")->palette().color(QPalette::Text),
              Find<QLineEdit>("Text1_0")->palette().color(QPalette::Text));

    Find<QScrollBar>(object_name::kRecordScrollBar)->setValue(1);
    EXPECT_TRUE(tip(37).isEmpty());
}

TEST_F(OpenCommand, AMissingLogIsNamedAndTheLastLoadStays) {
    OpenLog(ThreeRecords());
    Open(folder / "gone.kss");
    EXPECT_EQ(Status(), QString::fromStdString("Cannot open the log " + (folder / "gone.kss") +
                                               ": No such file or directory."));
    EXPECT_EQ(FrameListItems().size(), 2);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(OpenCommand, AReportThatCannotBeWrittenIsNamedAndTheLogStillShows) {
    std::filesystem::create_directory(folder / "orbit.tlm");
    OpenLog(ThreeRecords());
    EXPECT_TRUE(Status().startsWith(
        QString::fromStdString("Cannot write the report " + (folder / "orbit.tlm") + ": ")));
    EXPECT_TRUE(Status().endsWith(QString::fromStdString(
        "5 frames, 3 telemetry records. WOD export written to " + (folder / "orbit.csv") + ".")));
    EXPECT_EQ(Text(object_name::kRecordPosition), "#1 / 3");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(OpenCommand, TheScrollBarReachesEveryRecordAndTheChartShowsThemAll) {
    std::string log;
    for (int i = 0; i < 103; ++i) {
        log += TlmFrame(kDecemberAfternoon + i, static_cast<std::uint8_t>(i));
    }
    OpenLog(log);
    EXPECT_EQ(Text(object_name::kRecordPosition), "#1 / 103");
    EXPECT_TRUE(Status().startsWith("103 frames, 103 telemetry records. Report written to "))
        << Status();
    EXPECT_EQ(ChartedPoints(), 103);
    Find<QScrollBar>(object_name::kRecordScrollBar)->setValue(103);
    EXPECT_EQ(Text(object_name::kRecordPosition), "#103 / 103");
    EXPECT_EQ(Text(object_name::kRecordTime), "07/12/2026 14:04:47");
    EXPECT_EQ(ValueText(37), "102");
}

TEST_F(OpenCommand, ThePanelReachesTheLastRecordOfALongLog) {
    constexpr int kRecords = 20000;
    std::string log;
    for (int i = 0; i < kRecords; ++i) {
        log += TlmFrame(kDecemberAfternoon + i, static_cast<std::uint8_t>(i));
    }
    OpenLog(log);
    EXPECT_EQ(Text(object_name::kRecordPosition), "#1 / 20000");
    Find<QScrollBar>(object_name::kRecordScrollBar)->setValue(kRecords);
    EXPECT_EQ(Text(object_name::kRecordPosition), "#20000 / 20000");
    EXPECT_EQ(Text(object_name::kRecordTime), "07/12/2026 19:36:24");
    EXPECT_EQ(ValueText(37), QString::number((kRecords - 1) % 256));
}

TEST_F(OpenCommand, ShowsTheBusyCursorOnlyWhileTheLoadRuns) {
    StartOpen(folder.Write("orbit.kss", ThreeRecords()));
    EXPECT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(Action(object_name::kOpenAction)->isEnabled());
    WaitForLoads();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(OpenCommand, ListsHundredsOfThousandsOfTextFrames) {
    std::string log;
    for (int i = 0; i < 200000; ++i) {
        log += TextFrame("PING");
    }
    OpenLog(log);
    EXPECT_EQ(Find<QListView>(object_name::kFrameList)->model()->rowCount(), 200000);
    EXPECT_EQ(Find<QLabel>(object_name::kFrameCounter)->text(), "200000 frames");
}

}  // namespace
}  // namespace orvex::test
