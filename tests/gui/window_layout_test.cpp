#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QScrollBar>
#include <QTest>

#include "app/window/object_names.h"
#include "tests/gui/main_window_fixture.h"

namespace orvex::test {
namespace {

class WindowLayout : public MainWindowTest {
protected:
    QWidget* Row(int row) const { return Find(QString("Text1_%1").arg(row)); }
    QRect RowField(int row) const { return Row(row)->geometry(); }
    QString FrameOf(int row) const { return Row(row)->parentWidget()->objectName(); }
};

TEST_F(WindowLayout, OpensAtTheDesignsSizeWithTheStatusLineBelow) {
    EXPECT_EQ(window.windowTitle(), "Velta Orvex Telemetry Decoder");
    window.show();
    EXPECT_EQ(window.centralWidget()->size(), QSize(734, 607));
    EXPECT_EQ(Find(object_name::kChartFrame)->geometry(), QRect(8, 320, 721, 257));
    EXPECT_EQ(Find(object_name::kChart)->geometry(), QRect(8, 16, 705, 225));
    EXPECT_EQ(Find(object_name::kRecordScrollBar)->geometry(), QRect(574, 8, 80, 17));
    EXPECT_EQ(Find(object_name::kRecordPosition)->geometry(), QRect(661, 8, 68, 19));
    EXPECT_EQ(Find(object_name::kFrameCounter)->geometry(), QRect(609, 584, 120, 17));
    EXPECT_GE(Find(object_name::kStatusLine)->mapTo(&window, QPoint()).y(),
              window.centralWidget()->geometry().bottom());
    EXPECT_EQ(window.findChild<QWidget*>("List2"), nullptr);
}

TEST_F(WindowLayout, TheChartTakesTheRoomOfALargerWindow) {
    window.show();
    const QRect panel = Find(object_name::kCurrentFrame)->geometry();
    window.resize(window.size() + QSize(300, 200));
    // A window manager resizes in its own time.
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.centralWidget()->width() == 1034; }));
    EXPECT_EQ(window.centralWidget()->size(), QSize(1034, 807));
    EXPECT_EQ(Find(object_name::kCurrentFrame)->geometry(), panel);
    EXPECT_EQ(Find(object_name::kRecordScrollBar)->geometry(), QRect(574, 8, 80, 17));
    EXPECT_EQ(Find(object_name::kChartFrame)->geometry(), QRect(8, 320, 1021, 457));
    EXPECT_EQ(Find(object_name::kChart)->geometry(), QRect(8, 16, 1005, 425));
    EXPECT_EQ(Find(object_name::kLogPath)->geometry(), QRect(8, 784, 894, 19));
    EXPECT_EQ(Find(object_name::kFrameCounter)->geometry(), QRect(909, 784, 120, 17));
    EXPECT_EQ(Find(object_name::kBottomLine)->width(), 1034);

    // Never smaller than the layout's least size.
    window.resize(300, 200);
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.centralWidget()->width() == 734; }));
    EXPECT_EQ(window.centralWidget()->size(), QSize(734, 607));
}

TEST_F(WindowLayout, RemembersItsSizeForTheNextRun) {
    window.show();
    window.resize(window.size() + QSize(120, 80));
    const QSize grown = window.size();
    window.close();
    MainWindow next(format);
    EXPECT_EQ(next.size(), grown);
}

TEST_F(WindowLayout, RowsFollowTheDisplayOrderNotTheIndexOrder) {
    EXPECT_EQ(RowField(0), QRect(136, 24, 67, 19));
    EXPECT_EQ(FrameOf(12), object_name::kTemperatureFrame);
    EXPECT_EQ(RowField(12).top(), 24);
    EXPECT_EQ(FrameOf(24), object_name::kCurrentFrame);
    // Two gaps of 120 twips: before the EDAC counter and before the RF outputs.
    EXPECT_EQ(RowField(34).top(), RowField(33).top() + 16 + 8);
    EXPECT_EQ(RowField(28).top(), RowField(34).top() + 16 + 8);
    EXPECT_EQ(RowField(29).top(), RowField(28).top() + 16);
    EXPECT_EQ(FrameOf(37), object_name::kStatusFrame);
    EXPECT_EQ(RowField(36).left() - RowField(35).left(), 248);
    EXPECT_EQ(RowField(37).left() - RowField(35).left(), 488);
    EXPECT_EQ(Find<QGroupBox>(object_name::kTemperatureFrame)->title(), "Temperature");
}

TEST_F(WindowLayout, StartsWithNamesAndUnitsButNoValues) {
    EXPECT_EQ(Find<QLabel>(object_name::ChannelName(24))->text(), "BCR Output Cur ");
    EXPECT_EQ(Find<QLabel>(object_name::ChannelUnit(24))->text(), "");
    EXPECT_EQ(Find<QLabel>(object_name::ChannelName(35))->text(), "Eclipse        ");
    EXPECT_EQ(Find<QLabel>(object_name::ChannelUnit(12))->text(), QString::fromUtf8("°C"));
    for (int row = 0; row < kChannelCount; ++row) {
        EXPECT_EQ(ValueText(row), "") << row;
    }
    auto* scrollBar = Find<QScrollBar>(object_name::kRecordScrollBar);
    EXPECT_FALSE(scrollBar->isEnabled());
    EXPECT_EQ(scrollBar->value(), 1);
    EXPECT_TRUE(Action(object_name::kWriteReportAction)->isChecked());
    EXPECT_TRUE(Action(object_name::kWriteWodExportAction)->isChecked());
    EXPECT_EQ(Find<QGroupBox>(object_name::kChartFrame)->title(), "");
}

TEST_F(WindowLayout, GivesEachFieldItsFontAndColours) {
    const QFont version = Find(object_name::kSoftwareVersion)->font();
    EXPECT_TRUE(version.bold());
    EXPECT_EQ(version.pointSizeF(), 8.25);
    EXPECT_EQ(Find(object_name::kSoftwareVersion)->palette().color(QPalette::Text),
              QColor(0, 0, 192));
    EXPECT_EQ(Find(object_name::kRecordTime)->palette().color(QPalette::Base),
              QColor(224, 224, 224));
    EXPECT_EQ(Find(object_name::kFrameCounter)->palette().color(QPalette::WindowText),
              QColor(64, 64, 64));
    EXPECT_EQ(Find<QLabel>(object_name::kFrameCounter)->alignment() & Qt::AlignRight,
              Qt::AlignRight);
    EXPECT_EQ(Find(object_name::kChartFrame)->font().pointSizeF(), 9.75);
    EXPECT_FALSE(Find(object_name::ChannelName(0))->font().bold());
}

TEST_F(WindowLayout, MenusCarryTheirCommandsAndShortcuts) {
    QStringList menus;
    for (QAction* action : window.menuBar()->actions()) {
        menus << action->text();
    }
    EXPECT_EQ(menus, QStringList({"&File", "&Settings", "&Info"}));
    EXPECT_EQ(Action(object_name::kOpenAction)->text(), "&Open");
    EXPECT_EQ(Action(object_name::kOpenAction)->shortcut(), QKeySequence("Ctrl+O"));
    EXPECT_EQ(Action(object_name::kExitAction)->shortcut(), QKeySequence("Ctrl+Q"));
}

TEST_F(WindowLayout, BothCheckMarksToggleAndDecideTheFiles) {
    Action(object_name::kWriteReportAction)->trigger();
    Action(object_name::kWriteReportAction)->trigger();
    EXPECT_TRUE(Action(object_name::kWriteReportAction)->isChecked());

    Action(object_name::kWriteReportAction)->trigger();
    Action(object_name::kWriteWodExportAction)->trigger();
    EXPECT_FALSE(Action(object_name::kWriteWodExportAction)->isChecked());
    OpenLog(TlmFrame(0, 0));
    EXPECT_FALSE(FileExists(folder / "orbit.tlm"));
    EXPECT_FALSE(FileExists(folder / "orbit.csv"));

    Action(object_name::kWriteReportAction)->trigger();
    Action(object_name::kWriteWodExportAction)->trigger();
    OpenLog(TlmFrame(0, 0));
    EXPECT_TRUE(FileExists(folder / "orbit.tlm"));
    EXPECT_TRUE(FileExists(folder / "orbit.csv"));
}

}  // namespace
}  // namespace orvex::test
