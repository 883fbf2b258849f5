// The chart at the window's first size: every channel's axis labels whole,
// no two texts over each other.
#include <QTest>

#include "app/chart/history_chart.h"
#include "app/window/object_names.h"
#include "telemetry/channel_table.h"
#include "tests/gui/chart_labels.h"
#include "tests/gui/main_window_fixture.h"
#include "tests/support/generated_log.h"

namespace orvex::test {
namespace {

class ChartReadability : public MainWindowTest {
protected:
    ChartReadability() { window.show(); }
    HistoryChart* Chart() const { return Find<HistoryChart>(object_name::kChart); }

    // The channels whose chart, alone, shows a label cut short or texts
    // over each other once laid out; each with what it showed.
    QStringList UnreadableCharts() {
        QStringList unreadable;
        for (int channel = 0; channel < kChannelCount; ++channel) {
            QTest::mouseClick(Find(object_name::ChannelSelector(channel)), Qt::LeftButton);
            const std::vector<ShownText> shown = SettledTexts(*Chart());
            if (AnyElided(shown) || !FirstOverlap(shown).isEmpty()) {
                unreadable.append(QString::fromLatin1(TelemetryChannels()[channel].name) + ": " +
                                  TextsOf(shown).join(" | ") + " overlap: " + FirstOverlap(shown));
            }
        }
        return unreadable;
    }
};

TEST_F(ChartReadability, EveryChannelOverItsWholeRangeShowsWholeLabels) {
    std::string log;
    for (int raw = 0; raw < 256; raw += 15) {
        log += TlmFrame(kDecemberAfternoon + raw * 60, static_cast<std::uint8_t>(raw));
    }
    OpenLog(log);
    const QStringList unreadable = UnreadableCharts();
    EXPECT_TRUE(unreadable.empty()) << unreadable.join('\n');
}

TEST_F(ChartReadability, EveryChannelOfPassesShowsWholeLabels) {
    OpenLog(synth::test::GenerateLog({"--passes", "4", "--seed", "9"}));
    const QStringList unreadable = UnreadableCharts();
    EXPECT_TRUE(unreadable.empty()) << unreadable.join('\n');
}

TEST_F(ChartReadability, NeighbouringRawValuesShowWholeLabels) {
    // The narrowest span a channel can have: ticks of the finest steps.
    OpenLog(TlmFrame(kDecemberAfternoon, 200) + TlmFrame(kDecemberAfternoon + 60, 201));
    const QStringList unreadable = UnreadableCharts();
    EXPECT_TRUE(unreadable.empty()) << unreadable.join('\n');
}

}  // namespace
}  // namespace orvex::test
