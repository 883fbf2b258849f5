// A log or a stream that replaces the one shown leaves nothing of it on
// screen: no value, time, version, count, text or line of the earlier log.
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <string>

#include "app/chart/history_chart.h"
#include "app/window/object_names.h"
#include "telemetry/channel_table.h"
#include "tests/gui/main_window_fixture.h"
#include "tests/support/event_wait.h"
#include "tests/support/kiss_server.h"
#include "tests/support/log_builder.h"

namespace orvex::test {
namespace {

class ReplacedLoad : public MainWindowTest {
protected:
    // 203 frames: 200 records, the last cut short so that its later values
    // are greyed with a tooltip, a text frame, a time frame.
    void ShowEarlierLog() {
        std::string log = TimeFrame("12:00:00") + TextFrame("HELLO");
        for (int i = 0; i < 200; ++i) {
            log += TlmFrame(kDecemberAfternoon + i, static_cast<std::uint8_t>(i), 12);
        }
        log += KissFrame(2, TlmBody(kDecemberAfternoon + 300, 7).substr(0, 70));
        OpenLog(log, "earlier.kss");
        Find<QScrollBar>(object_name::kRecordScrollBar)->setValue(201);
        ASSERT_EQ(Counter()->text(), "203 frames");
        ASSERT_FALSE(Find<QLineEdit>("Text1_37")->toolTip().isEmpty());
    }

    QLabel* Counter() const { return Find<QLabel>(object_name::kFrameCounter); }

    // What of the earlier log the window still shows; empty when nothing.
    QStringList Leftovers() const {
        QStringList left;
        for (int row = 0; row < kChannelCount; ++row) {
            const auto* field = Find<QLineEdit>(QString("Text1_%1").arg(row));
            if (!field->text().isEmpty() || !field->toolTip().isEmpty()) {
                left << QString("value %1 \"%2\"").arg(row).arg(field->text());
            }
        }
        for (const char* name : {object_name::kRecordTime, object_name::kSoftwareVersion}) {
            if (!Text(name).isEmpty()) {
                left << Text(name);
            }
        }
        if (Counter()->text().contains("203") || Counter()->toolTip().contains("203")) {
            left << Counter()->text() + " / " + Counter()->toolTip();
        }
        if (!FrameListItems().isEmpty()) {
            left << FrameListItems().join(", ");
        }
        if (Find<QScrollBar>(object_name::kRecordScrollBar)->maximum() > 0 &&
            Find<QScrollBar>(object_name::kRecordScrollBar)->isEnabled()) {
            left << "the record scroll bar";
        }
        const auto* chart = Find<HistoryChart>(object_name::kChart);
        if (!chart->Channels().empty() && !chart->PointsOf(0).isEmpty()) {
            left << QString("%1 points charted").arg(chart->PointsOf(0).size());
        }
        return left;
    }
};

TEST_F(ReplacedLoad, AConnectToAPortThatRefusesLeavesNothingOfTheLogShown) {
    ShowEarlierLog();
    const ClosedPort closed;
    window.SetLinkChooser([&](const LinkChoice&) {
        LinkChoice choice;
        choice.kind = LinkChoice::Kind::Tcp;
        choice.host = QStringLiteral("127.0.0.1");
        choice.port = closed.Port();
        choice.recordFolder = QString::fromStdString(folder.Path());
        return std::optional(choice);
    });
    Action(object_name::kConnectAction)->trigger();
    QStringList whileRefused;
    EXPECT_TRUE(HandleEventsUntil([&] {
        if (!Status().startsWith("Reconnecting")) {
            return false;
        }
        whileRefused = Leftovers();
        return true;
    }));
    EXPECT_TRUE(whileRefused.isEmpty()) << whileRefused.join("; ");
    EXPECT_EQ(Counter()->text(), "0 frames");

    Action(object_name::kDisconnectAction)->trigger();
    WaitForLoads();
    EXPECT_TRUE(Leftovers().isEmpty()) << Leftovers().join("; ");
}

TEST_F(ReplacedLoad, AnEmptyLogCountsNoFramesAndTellsItsOwnCounts) {
    ShowEarlierLog();
    OpenLog("", "empty.kss");
    EXPECT_EQ(Counter()->text(), "0 frames");
    EXPECT_EQ(Counter()->toolTip(), "0 frames read, 0 decoded");
    EXPECT_TRUE(Leftovers().isEmpty()) << Leftovers().join("; ");

    // Bytes that hold no frame: the new log's own counts.
    OpenLog("\x01\x02\x03", "noise.kss");
    EXPECT_EQ(Counter()->text(), "0 frames");
    EXPECT_EQ(Counter()->toolTip(), "0 frames read, 0 decoded\n3 bytes outside frames");
}

// The record the user had reached stays the place the next log is shown at.
TEST_F(ReplacedLoad, TheNextLogIsShownAtThePositionReached) {
    ShowEarlierLog();
    std::string log;
    for (int i = 0; i < 300; ++i) {
        log += TlmFrame(kDecemberAfternoon + i, 1);
    }
    OpenLog(log, "next.kss");
    EXPECT_EQ(Text(object_name::kRecordPosition), "#201 / 300");
    EXPECT_TRUE(Find<QScrollBar>(object_name::kRecordScrollBar)->isEnabled());
    EXPECT_EQ(ValueText(37), "1");
}

}  // namespace
}  // namespace orvex::test
