#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QChart>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QLegend>
#include <QLineSeries>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QToolTip>
#include <QValueAxis>
#include <algorithm>
#include <map>

#include "app/chart/history_chart.h"
#include "app/chart/time_ticks.h"
#include "app/chart/value_ticks.h"
#include "app/window/object_names.h"
#include "telemetry/calibration.h"
#include "tests/gui/main_window_fixture.h"
#include "tests/support/generated_log.h"
#include "text/unix_time.h"

namespace orvex::test {
namespace {

// 2026-03-01 22:00:00 UTC: three passes from there run past midnight.
constexpr const char* kLateEvening = "1772402400";

// The time and the raw byte of channel 0 of each TLM frame of a log.
std::vector<std::pair<double, std::uint8_t>> TlmSamples(const std::string& log) {
    std::vector<std::pair<double, std::uint8_t>> samples;
    for (const std::string& frame : synth::test::FramesOf(log)) {
        if (synth::test::TypeOf(frame) == 2) {
            std::uint32_t time = 0;
            for (int i = 3; i >= 0; --i) {
                time = time << 8 | static_cast<std::uint8_t>(frame[7 + i]);
            }
            samples.emplace_back(time, static_cast<std::uint8_t>(frame[56]));
        }
    }
    return samples;
}

// Counts the tooltip events Qt sends a widget once the mouse rests on it.
class RestingMouse : public QObject {
public:
    explicit RestingMouse(QWidget* widget) { widget->installEventFilter(this); }
    int toolTipEvents = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        toolTipEvents += event->type() == QEvent::ToolTip ? 1 : 0;
        return QObject::eventFilter(watched, event);
    }
};

// Whether Qt's tooltip is about to hide: asked to hide, the tip's label
// starts a short timer and hides when it fires. Its other timer, the tip's
// time on screen, is the one the chart gives it: minutes.
bool ToolTipHidePending() {
    constexpr int kLongerThanAHide = 5000;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (!widget->inherits("QTipLabel") || !widget->isVisible()) {
            continue;
        }
        for (const auto& timer : QAbstractEventDispatcher::instance()->registeredTimers(widget)) {
            if (timer.interval < kLongerThanAHide) {
                return true;
            }
        }
    }
    return false;
}

class HistoryChartTest : public MainWindowTest {
protected:
    HistoryChart* Chart() const { return Find<HistoryChart>(object_name::kChart); }
    QList<QPointF> Points(int slot = 0) const { return Chart()->PointsOf(slot); }
    QList<QValueAxis*> ValueAxes() const {
        QList<QValueAxis*> axes;
        for (QAbstractAxis* axis : Chart()->chart()->axes(Qt::Vertical)) {
            axes.append(qobject_cast<QValueAxis*>(axis));
        }
        return axes;
    }
    void Hover(const QPoint& at) {
        QTest::mouseMove(Chart()->viewport(), at);
        QCoreApplication::processEvents();
    }
    // Where the point lies once the plot is laid out: the value axis fits
    // the plot then, which takes a few passes of events, as each fit may
    // narrow the plot again.
    QPoint SettledPosition(int slot, int index) const {
        QPoint position;
        int unchanged = 0;
        EXPECT_TRUE(QTest::qWaitFor(
            [&] {
                const QPoint before = position;
                position = Chart()->PointPosition(slot, index);
                unchanged = position == before ? unchanged + 1 : 0;
                return unchanged == 3;
            },
            5000));
        return position;
    }
    QScrollBar* RecordScrollBar() const { return Find<QScrollBar>(object_name::kRecordScrollBar); }
};

TEST_F(HistoryChartTest, ChartsAndReachesEveryTlmFrameOfAGeneratedLog) {
    const std::string log = synth::test::GenerateLog(
        {"--passes", "3", "--mix", "tlm", "--start", kLateEvening, "--seed", "4"});
    const auto samples = TlmSamples(log);
    ASSERT_GT(samples.size(), 300u);
    window.show();
    OpenLog(log);
    EXPECT_EQ(Text(object_name::kRecordPosition),
              QString("#1 / %1").arg(static_cast<qsizetype>(samples.size())));

    const QList<QPointF> points = Points();
    ASSERT_FALSE(points.empty());
    const auto [earliest, latest] = std::minmax_element(samples.begin(), samples.end());
    EXPECT_EQ(points.front().x(), earliest->first);
    EXPECT_EQ(points.back().x(), latest->first);
    // Thinned to the chart's width, the line still reaches every extreme.
    const auto [low, high] = std::minmax_element(
        samples.begin(), samples.end(), [](auto& a, auto& b) { return a.second < b.second; });
    const auto [lowest, highest] = std::minmax_element(
        points.begin(), points.end(), [](auto& a, auto& b) { return a.y() < b.y(); });
    EXPECT_EQ(lowest->y(), Calibrate(0, high->second));  // a cell's value falls as its byte rises
    EXPECT_EQ(highest->y(), Calibrate(0, low->second));
    for (const QPointF& point : points) {
        EXPECT_TRUE(std::any_of(samples.begin(), samples.end(),
                                [&](auto& sample) { return sample.first == point.x(); }));
    }
}

TEST_F(HistoryChartTest, TheTimeAxisShowsDatesWhenTheSpanCrossesMidnight) {
    window.show();
    OpenLog(synth::test::GenerateLog({"--passes", "3", "--mix", "tlm", "--start", kLateEvening}));
    const QStringList labels = Chart()->TickLabels();
    ASSERT_GE(labels.size(), 4);
    for (const QString& label : labels) {
        EXPECT_TRUE(label.endsWith("\n01/03/2026") || label.endsWith("\n02/03/2026")) << label;
    }
    EXPECT_TRUE(labels.front().startsWith("22:"));

    OpenLog(TlmFrame(kDecemberAfternoon, 0) + TlmFrame(kDecemberAfternoon + 600, 9));
    for (const QString& label : Chart()->TickLabels()) {
        EXPECT_TRUE(label.startsWith("14:")) << label;
        EXPECT_FALSE(label.contains('\n')) << label;
    }
}

TEST(TimeTicks, FallOnWholeStepsOfUtcTimeAtLeastTheGivenPitchApart) {
    const double midnight = 1796601600;  // 2026-12-07 00:00:00 UTC
    // Four days on 700 pixels, labels at least 30 pixels apart: six hours.
    TimeTicks ticks = ChooseTimeTicks({midnight + 100, midnight + 4 * 86400}, 700, 30);
    EXPECT_EQ(ticks.step, 21600);
    EXPECT_EQ(ticks.first, midnight + 21600);
    // Ten minutes: half a minute.
    ticks = ChooseTimeTicks({midnight + 20, midnight + 620}, 700, 30);
    EXPECT_EQ(ticks.step, 30);
    EXPECT_EQ(ticks.first, midnight + 30);
    // Sixty days: a week, then weeks doubling.
    EXPECT_EQ(ChooseTimeTicks({midnight, midnight + 60 * 86400}, 700, 60).step, 7 * 86400);
    EXPECT_EQ(ChooseTimeTicks({midnight, midnight + 600 * 86400}, 700, 30).step, 28 * 86400);
    EXPECT_EQ(ChooseTimeTicks({midnight, midnight + 1200 * 86400}, 700, 30).step, 56 * 86400);

    // A plot of no width yet has a tick or two, not one a second for years.
    EXPECT_GE(ChooseTimeTicks({0, midnight}, 0, 30).step, midnight / 2);

    const LocaleFormat gb{QLocale(QLocale::English, QLocale::UnitedKingdom)};
    EXPECT_EQ(TickLabel(gb, midnight + 3600, {midnight, 3600}, false), "01:00:00");
    EXPECT_EQ(TickLabel(gb, midnight + 3600, {midnight, 3600}, true), "01:00:00\n07/12/2026");
    EXPECT_EQ(TickLabel(gb, midnight, {midnight, 86400}, true), "07/12/2026");
    EXPECT_TRUE(CrossesMidnight({midnight - 1, midnight + 1}));
    EXPECT_FALSE(CrossesMidnight({midnight, midnight + 86399}));
}

TEST(ValueTicks, AreRoundAndNoMoreThanTheRoomAllows) {
    ValueTicks ticks = ChooseValueTicks(-6.19, 4036.7, 5);
    EXPECT_EQ(ticks.low, -2000);
    EXPECT_EQ(ticks.high, 6000);
    EXPECT_EQ(ticks.count, 5);
    EXPECT_EQ(ticks.decimals, 0);
    // Steps of 0.0005 would need ten ticks: 0.001 then.
    ticks = ChooseValueTicks(1.3958, 1.4, 9);
    EXPECT_NEAR(ticks.low, 1.395, 1e-12);
    EXPECT_NEAR(ticks.high, 1.4, 1e-12);
    EXPECT_EQ(ticks.count, 6);
    EXPECT_EQ(ticks.decimals, 3);
    // One value alone gets a unit either side.
    ticks = ChooseValueTicks(3, 3, 3);
    EXPECT_EQ(ticks.low, 2);
    EXPECT_EQ(ticks.high, 4);
    EXPECT_EQ(ticks.count, 3);
}

TEST_F(HistoryChartTest, OneChannelLooksAsItAlwaysDid) {
    OpenLog(TlmFrame(kDecemberAfternoon, 0) + TlmFrame(kDecemberAfternoon + 60, 100));
    ASSERT_EQ(Chart()->chart()->series().size(), 1);
    EXPECT_EQ(Chart()->SeriesOf(0)->color(), QColor(0x209fdf));
    EXPECT_TRUE(Chart()->SeriesOf(0)->pointsVisible());
    EXPECT_EQ(Chart()->SeriesOf(0)->pen().width(), 2);
    EXPECT_TRUE(Chart()->renderHints().testFlag(QPainter::Antialiasing));
    EXPECT_FALSE(Chart()->chart()->legend()->isVisible());
    ASSERT_EQ(ValueAxes().size(), 1);
    EXPECT_EQ(ValueAxes()[0]->alignment(), Qt::AlignLeft);
    EXPECT_EQ(ValueAxes()[0]->titleText(), "");
}

TEST_F(HistoryChartTest, ASecondChannelOfAnotherUnitGetsItsOwnColourAndAxis) {
    OpenLog(TlmFrame(kDecemberAfternoon, 0) + TlmFrame(kDecemberAfternoon + 60, 100));
    QTest::mouseClick(Find(object_name::ChannelSelector(28)), Qt::LeftButton, Qt::ControlModifier);
    EXPECT_EQ(Chart()->Channels(), (std::vector<int>{0, 28}));
    ASSERT_EQ(Chart()->chart()->series().size(), 2);
    EXPECT_NE(Chart()->SeriesOf(1)->color(), Chart()->SeriesOf(0)->color());
    EXPECT_EQ(Points(1).at(1).y(), Calibrate(28, 100));
    EXPECT_TRUE(Chart()->chart()->legend()->isVisible());
    ASSERT_EQ(ValueAxes().size(), 2);
    EXPECT_EQ(ValueAxes()[0]->titleText(), "V");
    EXPECT_EQ(ValueAxes()[1]->titleText(), "mW");
    EXPECT_EQ(ValueAxes()[1]->alignment(), Qt::AlignRight);
    EXPECT_EQ(ValueAxes()[1]->labelsColor(), Chart()->SeriesOf(1)->color());
    EXPECT_EQ(Chart()->PointToolTip(1, 1), "TX A RF Output\n07/12/2026 14:04:05\n1303.577 mW");

    // A third channel of a unit already shown shares its axis.
    QTest::mouseClick(Find(object_name::ChannelSelector(5)), Qt::LeftButton, Qt::ControlModifier);
    EXPECT_EQ(Chart()->chart()->series().size(), 3);
    EXPECT_EQ(ValueAxes().size(), 2);
}

// Beside each charted channel's selector, its line's colour; none beside
// the others.
TEST_F(HistoryChartTest, EachChartedChannelShowsItsLineColourBesideItsSelector) {
    window.show();
    OpenLog(TlmFrame(kDecemberAfternoon, 0) + TlmFrame(kDecemberAfternoon + 60, 100));
    const auto swatchesShown = [this] {
        std::map<int, QColor> shown;
        for (int row = 0; row < kChannelCount; ++row) {
            const QWidget* swatch = Find(object_name::ChannelSwatch(row));
            if (swatch->isVisible()) {
                shown.emplace(row, swatch->palette().color(QPalette::Window));
            }
        }
        return shown;
    };
    QTest::mouseClick(Find(object_name::ChannelSelector(28)), Qt::LeftButton, Qt::ControlModifier);
    EXPECT_EQ(swatchesShown(), (std::map<int, QColor>{{0, Chart()->SeriesOf(0)->color()},
                                                      {28, Chart()->SeriesOf(1)->color()}}));
    EXPECT_NE(Chart()->SeriesOf(0)->color(), Chart()->SeriesOf(1)->color());
    // Beside the selector, not over it or the channel's name.
    const QWidget* swatch = Find(object_name::ChannelSwatch(28));
    EXPECT_LT(swatch->geometry().right(),
              Find(object_name::ChannelSelector(28))->geometry().left());

    // Taken off, channel 0 loses its swatch; channel 28 now draws in the
    // first colour, and its swatch follows.
    QTest::mouseClick(Find(object_name::ChannelSelector(0)), Qt::LeftButton, Qt::ControlModifier);
    EXPECT_EQ(swatchesShown(), (std::map<int, QColor>{{28, QColor(0x209fdf)}}));
    EXPECT_EQ(Chart()->SeriesOf(0)->color(), QColor(0x209fdf));
}

TEST_F(HistoryChartTest, NoAxisLabelIsCutShortInTheWindowAsItOpens) {
    window.show();
    OpenLog(synth::test::GenerateLog({"--passes", "12", "--start", kLateEvening}));
    QTest::mouseClick(Find(object_name::ChannelSelector(28)), Qt::LeftButton, Qt::ControlModifier);
    // The axes are fitted again once the legend's row has narrowed the plot:
    // a loaded machine may need more than one pass of events to get there.
    QStringList shown;
    const auto settled = [&] {
        shown.clear();
        for (QGraphicsItem* item : Chart()->scene()->items()) {
            const auto* text = dynamic_cast<QGraphicsTextItem*>(item);
            if (text != nullptr && text->isVisible()) {
                shown.append(text->toPlainText());
            }
        }
        return shown.size() >= 8 && !shown.join(QString()).contains(QStringLiteral("..."));
    };
    EXPECT_TRUE(QTest::qWaitFor(settled, 5000)) << shown.join(QStringLiteral(" | ")).toStdString();
}

TEST_F(HistoryChartTest, TheTooltipOfAPointStaysWhileTheMouseStaysOnIt) {
    window.show();
    OpenLog(TlmFrame(kDecemberAfternoon, 0) + TlmFrame(kDecemberAfternoon + 1, 100));
    QTest::mouseClick(Find(object_name::ChannelSelector(28)), Qt::LeftButton);
    const QPoint onPoint = SettledPosition(0, 1);
    const RestingMouse resting(Chart()->viewport());
    Hover(onPoint + QPoint(2, -1));
    ASSERT_TRUE(QTest::qWaitFor([] { return QToolTip::isVisible(); }, 2000));
    EXPECT_EQ(QToolTip::text(), "07/12/2026 14:03:06\n1303.577 mW");
    // The view's own tooltip event, once the mouse rests, finds no item
    // with a tooltip in the scene and must not hide the point's.
    ASSERT_TRUE(QTest::qWaitFor([&] { return resting.toolTipEvents > 0; }, 5000));
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_FALSE(ToolTipHidePending());
    const int restsBefore = resting.toolTipEvents;
    Hover(onPoint + QPoint(-1, 2));
    ASSERT_TRUE(QTest::qWaitFor([&] { return resting.toolTipEvents > restsBefore; }, 5000));
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_FALSE(ToolTipHidePending());

    Hover(Chart()->PointPosition(0, 0) + QPoint(0, 60));
    EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 2000));
}

// The panel's record and the chart's points, both ways, over a log of
// several passes.
TEST_F(HistoryChartTest, AClickOnAPointShowsItsRecordAndTheRecordIsMarked) {
    const std::string log = synth::test::GenerateLog(
        {"--passes", "2", "--mix", "tlm", "--start", kLateEvening, "--seed", "7"});
    const auto samples = TlmSamples(log);
    window.show();
    OpenLog(log);
    // A minute of the first pass, its points far enough apart to click one.
    const double start = Points().at(0).x();
    Chart()->ShowSpan({start, start + 60});
    const QList<QPointF> points = Points();
    ASSERT_GT(points.size(), 10);
    // The record of a point: the first TLM frame of its time and value.
    const auto recordOf = [&](const QPointF& point) {
        const auto at = std::find_if(samples.begin(), samples.end(), [&](const auto& sample) {
            return sample.first == point.x() && Calibrate(0, sample.second) == point.y();
        });
        return static_cast<int>(at - samples.begin()) + 1;
    };
    const auto expectMarkOn = [&](int index) {
        const std::optional<int> mark = Chart()->RecordMarkX();
        ASSERT_TRUE(mark.has_value());
        EXPECT_NEAR(*mark, SettledPosition(0, index).x(), 1);
    };

    for (const int index : {8, 3}) {
        // A few pixels off the point, as a hand would click.
        QTest::mouseClick(Chart()->viewport(), Qt::LeftButton, {},
                          SettledPosition(0, index) + QPoint(2, -2));
        EXPECT_EQ(RecordScrollBar()->value(), recordOf(points.at(index)));
        EXPECT_EQ(
            Text(object_name::kRecordTime),
            QString::fromStdString(format.DateTimeText(UnixTimeToDate(points.at(index).x()))));
        expectMarkOn(index);
    }
    // Far from every point a click chooses no record.
    const int before = RecordScrollBar()->value();
    QTest::mouseClick(Chart()->viewport(), Qt::LeftButton, {},
                      SettledPosition(0, 5) + QPoint(0, 40));
    EXPECT_EQ(RecordScrollBar()->value(), before);

    // The mark follows the scroll bar, and leaves the plot with a span that
    // does not hold the record.
    RecordScrollBar()->setValue(recordOf(points.at(6)));
    expectMarkOn(6);
    Chart()->ShowSpan({start + 3600, start + 3660});
    EXPECT_EQ(Chart()->RecordMarkX(), std::nullopt);
    Chart()->ShowSpan({start, start + 60});
    expectMarkOn(6);

    // A log without telemetry shows no record, and marks none.
    OpenLog(TextFrame("HELLO"), "text.kss");
    EXPECT_EQ(Chart()->RecordMarkX(), std::nullopt);
}

TEST(HistoryChartLocale, TooltipsWriteTheLocalesDatesAndNumbers) {
    const LocaleFormat german{QLocale(QLocale::German, QLocale::Germany)};
    auto history = std::make_shared<TelemetryHistory>();
    TelemetryHistory::RawChannels raw{};
    raw.fill(5);
    history->Add(kDecemberAfternoon, raw);
    HistoryChart chart(german, nullptr);
    chart.ShowChannels({10, kEclipseChannel}, history);
    EXPECT_EQ(chart.PointToolTip(0, 0), "5 Volts Bus\n07.12.2026 14:03:05\n3,813 V");
    EXPECT_EQ(chart.PointToolTip(1, 0), "Eclipse\n07.12.2026 14:03:05\nYES [5]");
}

}  // namespace
}  // namespace orvex::test
