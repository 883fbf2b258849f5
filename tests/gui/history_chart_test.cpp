#include <QChart>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QLineSeries>
#include <QTest>
#include <QToolTip>

#include "app/history_chart.h"
#include "app/time_axis_labels.h"
#include "tests/gui/main_window_fixture.h"

namespace orvex::test {
namespace {

class HistoryChartTest : public MainWindowTest {
protected:
    HistoryChart* Chart() const { return Find<HistoryChart>("MSChart1"); }
    QList<QPointF> Points() const {
        return static_cast<QLineSeries*>(Chart()->chart()->series().at(0))->points();
    }
    std::vector<QRectF> ShownLabels() const {
        std::vector<QRectF> shown;
        for (QGraphicsItem* item : Chart()->scene()->items(Qt::AscendingOrder)) {
            if (item->type() == QGraphicsSimpleTextItem::Type && item->isVisible()) {
                shown.push_back(item->sceneBoundingRect());
            }
        }
        return shown;
    }
};

TEST_F(HistoryChartTest, KeepsEveryRecordInOrderEvenWhenTimesRepeatOrRunBack) {
    OpenLog(TlmFrame(36000, 0) + TlmFrame(36000, 100) + TlmFrame(35999, 0) + TlmFrame(0, 0));
    const QList<QPointF> points = Points();
    ASSERT_EQ(points.size(), 4);
    EXPECT_EQ(points[0].x(), 0);
    EXPECT_NEAR(points[0].y(), 1.9, 1e-9);
    EXPECT_NE(points[1].y(), points[0].y());
    EXPECT_EQ(points[3].x(), 3);
    EXPECT_EQ(Chart()->Labels(), QStringList({"10:00:00", "10:00:00", "09:59:59", "00:00:00"}));
}

TEST_F(HistoryChartTest, HoveringAPointTellsItsTimeAndValue) {
    OpenLog(TlmFrame(36000, 0) + TlmFrame(36001, 100));
    QTest::mouseClick(Find(QString("Option1_28")), Qt::LeftButton);
    EXPECT_EQ(Chart()->PointToolTip(1), "10:00:01\n1303.577");

    window.show();
    QCoreApplication::processEvents();
    QChart* chart = Chart()->chart();
    const QPointF onPoint = chart->mapToPosition(Points().at(1), chart->series().at(0));
    QTest::mouseMove(Chart()->viewport(), Chart()->mapFromScene(chart->mapToScene(onPoint)));
    QCoreApplication::processEvents();
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), "10:00:01\n1303.577");
}

TEST(HistoryChartLocale, TooltipShowsThePointsOwnTexts) {
    const LocaleFormat german{QLocale(QLocale::German, QLocale::Germany)};
    HistoryChart chart(german, nullptr);
    chart.ShowPoints({{3.8125, "3,813", "14:03:05"}});
    EXPECT_EQ(chart.PointToolTip(0), "14:03:05\n3,813");
}

TEST_F(HistoryChartTest, AHundredLabelsAreThinnedSoThatNoneTouch) {
    std::string log;
    for (int i = 0; i < 100; ++i) {
        log += TlmFrame(36000 + i, static_cast<std::uint8_t>(i));
    }
    window.show();
    OpenLog(log);
    QCoreApplication::processEvents();
    ASSERT_EQ(Points().size(), 100);
    ASSERT_EQ(Chart()->Labels().size(), 100);
    const std::vector<QRectF> shown = ShownLabels();
    EXPECT_GE(shown.size(), 10u);
    EXPECT_LT(shown.size(), 100u);
    for (std::size_t i = 1; i < shown.size(); ++i) {
        EXPECT_FALSE(shown[i - 1].intersects(shown[i])) << i;
    }
}

TEST(LabelStep, ThinsOnlyWhenLabelsWouldTouch) {
    EXPECT_EQ(LabelStep(20, 12), 1);
    EXPECT_EQ(LabelStep(7, 12), 3);
    EXPECT_EQ(LabelStep(0, 12), 1);
}

}  // namespace
}  // namespace orvex::test
