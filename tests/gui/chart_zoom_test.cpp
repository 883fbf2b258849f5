#include <QLineSeries>
#include <QTest>
#include <QValueAxis>
#include <QWheelEvent>
#include <algorithm>

#include "app/chart/history_chart.h"
#include "app/window/object_names.h"
#include "tests/gui/main_window_fixture.h"

namespace orvex::test {
namespace {

// A sample a minute for a day, the raw byte climbing by one each minute.
std::string ADayOfMinutes() {
    std::string log;
    for (int minute = 0; minute < 1440; ++minute) {
        log += TlmFrame(kDecemberAfternoon + 60 * minute, static_cast<std::uint8_t>(minute));
    }
    return log;
}

class ChartZoom : public MainWindowTest {
protected:
    void SetUp() override {
        window.show();
        OpenLog(ADayOfMinutes());
        QCoreApplication::processEvents();
        whole = Chart()->VisibleSpan();
    }
    HistoryChart* Chart() const { return Find<HistoryChart>(object_name::kChart); }
    QWidget* Plot() const { return Chart()->viewport(); }
    QRect PlotArea() const { return Chart()->chart()->plotArea().toRect(); }
    int XOf(double time) const {
        const TimeSpan span = Chart()->VisibleSpan();
        return PlotArea().left() + qRound((time - span.first) / span.Length() * PlotArea().width());
    }
    void Wheel(const QPoint& at, int degrees, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWheelEvent wheel(at, Plot()->mapToGlobal(at), QPoint(), QPoint(0, degrees * 8),
                          Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(Plot(), &wheel);
    }
    TimeSpan whole;
};

TEST_F(ChartZoom, StartsWithTheWholeDay) {
    EXPECT_LE(whole.first, kDecemberAfternoon);
    EXPECT_GE(whole.last, kDecemberAfternoon + 1439 * 60);
    EXPECT_LT(whole.Length(), 1.05 * 1439 * 60);
}

TEST_F(ChartZoom, TheWheelZoomsAroundTheMouse) {
    const double noon = kDecemberAfternoon + 720 * 60;
    const QPoint at(XOf(noon), PlotArea().center().y());
    Wheel(at, 15 * 4);  // four notches closer
    const TimeSpan zoomed = Chart()->VisibleSpan();
    EXPECT_NEAR(zoomed.Length(), whole.Length() / std::pow(1.25, 4), 1);
    EXPECT_NEAR(XOf(noon), at.x(), 1);

    Wheel(at, -15 * 40);  // far out: no farther than the whole day
    EXPECT_EQ(Chart()->VisibleSpan(), whole);
}

TEST_F(ChartZoom, ADragAcrossThePlotZoomsToItsSpanAndShowsItsDetail) {
    const int y = PlotArea().center().y();
    const double from = kDecemberAfternoon + 100 * 60;
    const double to = kDecemberAfternoon + 130 * 60;
    const QPoint start(XOf(from), y);
    const QPoint end(XOf(to), y);
    QTest::mousePress(Plot(), Qt::LeftButton, {}, start);
    QTest::mouseMove(Plot(), end);
    QTest::mouseRelease(Plot(), Qt::LeftButton, {}, end);
    const TimeSpan zoomed = Chart()->VisibleSpan();
    const double pixel = whole.Length() / PlotArea().width();
    EXPECT_NEAR(zoomed.first, from, pixel);
    EXPECT_NEAR(zoomed.last, to, pixel);

    // Every minute of the half hour is a point now, and the value axis fits
    // them: raw 100 to 130 of a battery cell.
    const QList<QPointF> points = Chart()->PointsOf(0);
    EXPECT_GE(std::count_if(points.begin(), points.end(),
                            [&](const QPointF& p) { return p.x() >= from && p.x() <= to; }),
              29);
    auto* axis = qobject_cast<QValueAxis*>(Chart()->chart()->axes(Qt::Vertical).at(0));
    EXPECT_GE(axis->min(), 1.9 - 0.0041666 * 255);
    EXPECT_LT(axis->max() - axis->min(), 0.5);

    // A double-click shows the whole day again.
    QTest::mouseDClick(Plot(), Qt::LeftButton, {}, PlotArea().center());
    EXPECT_EQ(Chart()->VisibleSpan(), whole);
}

TEST_F(ChartZoom, PanningKeepsTheSpanWithinTheHistory) {
    Chart()->ShowSpan({kDecemberAfternoon + 3600, kDecemberAfternoon + 7200});
    const QPoint middle = PlotArea().center();
    QTest::mousePress(Plot(), Qt::LeftButton, Qt::ShiftModifier, middle);
    QTest::mouseMove(Plot(), middle + QPoint(PlotArea().width() / 4, 0));
    QTest::mouseRelease(Plot(), Qt::LeftButton, Qt::ShiftModifier,
                        middle + QPoint(PlotArea().width() / 4, 0));
    EXPECT_NEAR(Chart()->VisibleSpan().first, kDecemberAfternoon + 3600 - 900, 60);
    EXPECT_NEAR(Chart()->VisibleSpan().Length(), 3600, 1e-6);

    Chart()->setFocus();
    for (int i = 0; i < 20; ++i) {
        QTest::keyClick(Chart(), Qt::Key_Left);
    }
    EXPECT_EQ(Chart()->VisibleSpan().first, whole.first);
    QTest::keyClick(Chart(), Qt::Key_Home);
    EXPECT_EQ(Chart()->VisibleSpan(), whole);
}

TEST_F(ChartZoom, AnotherChannelKeepsTheZoomAndANewLogResetsIt) {
    Chart()->ShowSpan({kDecemberAfternoon + 3600, kDecemberAfternoon + 7200});
    QTest::mouseClick(Find(object_name::ChannelSelector(28)), Qt::LeftButton, Qt::ControlModifier);
    EXPECT_EQ(Chart()->VisibleSpan().first, kDecemberAfternoon + 3600);
    OpenLog(ADayOfMinutes(), "again.kss");
    EXPECT_EQ(Chart()->VisibleSpan(), whole);
}

}  // namespace
}  // namespace orvex::test
