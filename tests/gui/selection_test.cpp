#include <QGroupBox>
#include <QLineSeries>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

#include "app/chart/history_chart.h"
#include "app/window/object_names.h"
#include "tests/gui/main_window_fixture.h"

namespace orvex::test {
namespace {

class Selection : public MainWindowTest {
protected:
    QRadioButton* Option(int row) const {
        return Find<QRadioButton>(QString("Option1_%1").arg(row));
    }
    QColor Highlight(int row) const {
        return Find(QString("Text1_%1").arg(row))->palette().color(QPalette::Base);
    }
    int SetSelectors() const {
        int set = 0;
        for (int row = 0; row < kChannelCount; ++row) {
            set += Option(row)->isChecked() ? 1 : 0;
        }
        return set;
    }
    QString Caption() const { return Find<QGroupBox>(object_name::kChartFrame)->title(); }
    const QColor kWhite{255, 255, 255};
    const QColor kLightYellow{255, 255, 192};
};

std::string TwoRecords() {
    return TlmFrame(kDecemberAfternoon, 0) + TlmFrame(kDecemberAfternoon + 61, 100);
}

TEST_F(Selection, MovesTheHighlightAcrossFramesAndChartsTheRow) {
    OpenLog(TwoRecords());
    EXPECT_EQ(Highlight(0), kLightYellow);
    EXPECT_EQ(Caption(), "Battery 0       [ V ] ");

    QTest::mouseClick(Option(37), Qt::LeftButton);
    EXPECT_EQ(Highlight(0), kWhite);
    EXPECT_EQ(Highlight(37), kLightYellow);
    EXPECT_FALSE(Option(0)->isChecked());
    EXPECT_EQ(SetSelectors(), 1);
    EXPECT_EQ(Caption(), "TEPR State      [  ] ");

    QTest::mouseClick(Option(5), Qt::LeftButton);
    EXPECT_EQ(Highlight(37), kWhite);
    EXPECT_EQ(Highlight(5), kLightYellow);
    EXPECT_EQ(SetSelectors(), 1);
    EXPECT_EQ(Caption(), "Battery 5       [ V ] ");
}

TEST_F(Selection, CtrlClickAddsAChannelAndTakesItOffAPlainClickLeavesOne) {
    OpenLog(TwoRecords());
    QTest::mouseClick(Option(28), Qt::LeftButton, Qt::ControlModifier);
    EXPECT_TRUE(Option(0)->isChecked());
    EXPECT_TRUE(Option(28)->isChecked());
    EXPECT_EQ(Highlight(0), kLightYellow);
    EXPECT_EQ(Highlight(28), kLightYellow);
    EXPECT_EQ(Caption(), "Battery 0 [ V ], TX A RF Output [ mW ]");

    QTest::mouseClick(Option(0), Qt::LeftButton, Qt::ControlModifier);
    EXPECT_FALSE(Option(0)->isChecked());
    EXPECT_EQ(Highlight(0), kWhite);
    EXPECT_EQ(Caption(), "TX A RF Output  [ mW ] ");
    // The last charted channel stays.
    QTest::mouseClick(Option(28), Qt::LeftButton, Qt::ControlModifier);
    EXPECT_TRUE(Option(28)->isChecked());

    QTest::mouseClick(Option(3), Qt::LeftButton, Qt::ControlModifier);
    QTest::mouseClick(Option(5), Qt::LeftButton);
    EXPECT_EQ(SetSelectors(), 1);
    EXPECT_EQ(Highlight(28), kWhite);
    EXPECT_EQ(Caption(), "Battery 5       [ V ] ");
}

TEST_F(Selection, AClickOnTheSetSelectorLeavesItSet) {
    OpenLog(TwoRecords());
    QTest::mouseClick(Option(0), Qt::LeftButton);
    EXPECT_TRUE(Option(0)->isChecked());
    EXPECT_EQ(Highlight(0), kLightYellow);
}

TEST_F(Selection, WorksBeforeAnyLogWithAnEmptyChart) {
    QTest::mouseClick(Option(24), Qt::LeftButton);
    EXPECT_EQ(Highlight(24), kLightYellow);
    EXPECT_EQ(Caption(), "BCR Output Cur  [  ] ");
    auto* chart = Find<HistoryChart>(object_name::kChart);
    EXPECT_EQ(chart->PointsOf(0).size(), 0);
    EXPECT_TRUE(chart->TickLabels().isEmpty());
}

TEST_F(Selection, TheEndOfALoadSelectsRowZeroAgain) {
    OpenLog(TwoRecords());
    QTest::mouseClick(Option(12), Qt::LeftButton);
    OpenLog(TwoRecords());
    EXPECT_TRUE(Option(0)->isChecked());
    EXPECT_EQ(SetSelectors(), 1);
    EXPECT_EQ(Highlight(12), kWhite);
    EXPECT_EQ(Caption(), "Battery 0       [ V ] ");
}

TEST_F(Selection, TheScrollBarStepsThroughRecordsAndLeavesTheChart) {
    OpenLog(TwoRecords());
    QTest::mouseClick(Option(28), Qt::LeftButton);
    auto* scrollBar = Find<QScrollBar>(object_name::kRecordScrollBar);
    scrollBar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(Text(object_name::kRecordPosition), "#2 / 2");
    EXPECT_EQ(ValueText(28), "1303.577");
    EXPECT_EQ(Text(object_name::kRecordTime), "07/12/2026 14:04:06");
    EXPECT_EQ(Highlight(28), kLightYellow);
    EXPECT_EQ(Caption(), "TX A RF Output  [ mW ] ");

    scrollBar->triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_EQ(Text(object_name::kRecordPosition), "#1 / 2");
    EXPECT_EQ(ValueText(0), "1.900");
}

TEST_F(Selection, ADraggedThumbShowsItsRecordOnlyWhenReleased) {
    OpenLog(TwoRecords());
    auto* scrollBar = Find<QScrollBar>(object_name::kRecordScrollBar);
    scrollBar->setSliderDown(true);
    scrollBar->setSliderPosition(2);
    EXPECT_EQ(Text(object_name::kRecordPosition), "#1 / 2");
    scrollBar->setSliderDown(false);
    EXPECT_EQ(Text(object_name::kRecordPosition), "#2 / 2");
}

}  // namespace
}  // namespace orvex::test
