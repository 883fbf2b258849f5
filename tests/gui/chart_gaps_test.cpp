// The hours between passes are drawn as gaps, not as lines across them.
#include <QLineSeries>
#include <QTest>

#include "app/chart/history_chart.h"
#include "app/chart/line_gaps.h"
#include "app/window/object_names.h"
#include "tests/gui/main_window_fixture.h"
#include "tests/support/generated_log.h"

namespace orvex::test {
namespace {

QList<QPointF> EvenLine(double from, int count, double step) {
    QList<QPointF> line;
    for (int i = 0; i < count; ++i) {
        line.append(QPointF(from + i * step, i % 7));
    }
    return line;
}

TEST(LineGaps, BreakOnlyWhereTheLineLeavesHoursOutNotAMissedFrame) {
    QList<QPointF> line = EvenLine(0, 50, 10);
    line.removeAt(20);  // one frame missed: a step of 20 s
    EXPECT_TRUE(GapStarts(line, 1).empty());

    line += EvenLine(6000, 50, 10);  // the next pass, an orbit later
    line += EvenLine(12000, 50, 10);
    const std::vector<qsizetype> starts = GapStarts(line, 1);
    EXPECT_EQ(starts, (std::vector<qsizetype>{49, 99}));
    const std::vector<QList<QPointF>> pieces = LinePieces(line, starts);
    ASSERT_EQ(pieces.size(), 3U);
    EXPECT_EQ(pieces[0].size(), 49);
    EXPECT_EQ(pieces[1].front().x(), 6000);
    EXPECT_EQ(pieces[2].back().x(), 12490);

    // Thinned to columns wider than the gaps, the line stays whole.
    EXPECT_TRUE(GapStarts(line, 3000).empty());
    // Too few steps to know the usual one.
    EXPECT_TRUE(GapStarts(EvenLine(0, 2, 5000), 1).empty());
}

class ChartGaps : public MainWindowTest {
protected:
    HistoryChart* Chart() const { return Find<HistoryChart>(object_name::kChart); }
};

TEST_F(ChartGaps, ALogOfThreePassesIsDrawnInThreePiecesEachWithinItsPass) {
    window.show();
    OpenLog(synth::test::GenerateLog({"--passes", "3", "--mix", "tlm", "--seed", "5"}));
    ASSERT_EQ(Chart()->PiecesOf(0), 3);
    for (QAbstractSeries* series : Chart()->chart()->series()) {
        const auto* piece = qobject_cast<QLineSeries*>(series);
        if (piece->isVisible()) {
            // A pass lasts minutes; passes are about an orbit apart.
            EXPECT_LT(piece->at(piece->count() - 1).x() - piece->at(0).x(), 20 * 60);
        }
    }
    // Only the first piece names the channel in the legend.
    EXPECT_EQ(Chart()->SeriesOf(0)->name(), "Battery 0 [V]");

    // Zoomed into the first pass, the line is whole again, the hidden pieces
    // stay out of sight.
    const QList<QPointF> points = Chart()->PointsOf(0);
    Chart()->ShowSpan({points.front().x(), points.front().x() + 300});
    EXPECT_EQ(Chart()->PiecesOf(0), 1);
}

}  // namespace
}  // namespace orvex::test
