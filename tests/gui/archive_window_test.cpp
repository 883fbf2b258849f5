#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QDir>
#include <QLineSeries>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStandardItemModel>
#include <QSysInfo>
#include <QTimeZone>
#include <algorithm>

#include "app/chart/archive_channel_history.h"
#include "app/chart/history_chart.h"
#include "app/dialogs/archive_dialog.h"
#include "app/window/object_names.h"
#include "archive/archive_database.h"
#include "telemetry/calibration.h"
#include "tests/gui/main_window_fixture.h"
#include "tests/gui/stored_sample.h"

namespace orvex::test {
namespace {

const std::string kSample = ReadFile(ORVEX_SAMPLES_DIR "/orvex-pass.kss");

class ArchiveWindowTest : public MainWindowTest {
protected:
    ArchiveWindowTest() {
        window.SetArchiveChooser([this](const ArchiveChoice& last) {
            offered_ = last;
            return chosen;
        });
        window.SetSpanChooser([this](const ArchiveSpan&) { return span_; });
    }

    // Settings > Archive, with the archive at `location` turned on.
    void TurnArchiveOn(const std::string& location) {
        chosen = ArchiveChoice{true, QString::fromStdString(location), QStringLiteral("north")};
        Action(object_name::kArchiveAction)->trigger();
    }
    // What Settings > Archive's dialog opens with.
    ArchiveChoice OfferedChoice() {
        chosen.reset();
        Action(object_name::kArchiveAction)->trigger();
        return offered_;
    }

    std::string OpenSample() { return OpenLog(kSample, "orvex-pass.kss"); }

    QComboBox* RangeBox() const { return Find<QComboBox>(object_name::kChartRange); }
    // Picks the range as the user would; a span asked for is `span`.
    void ChooseRange(const QString& text, std::optional<ArchiveSpan> span = std::nullopt) {
        span_ = span;
        const int index = RangeBox()->findText(text);
        ASSERT_GE(index, 0) << text;
        RangeBox()->setCurrentIndex(index);
        emit RangeBox()->activated(index);
    }
    bool RangeEnabled(const QString& text) const {
        const auto* items = qobject_cast<QStandardItemModel*>(RangeBox()->model());
        return items->item(RangeBox()->findText(text))->isEnabled();
    }
    HistoryChart* Chart() const { return Find<HistoryChart>(object_name::kChart); }
    QList<QPointF> Points() const { return Chart()->PointsOf(0); }

    std::optional<ArchiveChoice> chosen;  // what the dialog gives back

private:
    std::optional<ArchiveSpan> span_;
    ArchiveChoice offered_;
};

// "Archive: 120 frames, 3 new." in the status line: the two numbers.
std::optional<std::pair<int, int>> ArchivedCounts(const QString& status) {
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("Archive: (\\d+) frames, (\\d+) new\\.")).match(status);
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    return std::pair{match.captured(1).toInt(), match.captured(2).toInt()};
}

TEST_F(ArchiveWindowTest, IsOffUntilTurnedOnThenAddsEachFrameOfALogOnce) {
    const ArchiveChoice first = OfferedChoice();
    EXPECT_FALSE(first.enabled);
    EXPECT_EQ(first.location, QString::fromLocal8Bit(DefaultArchiveLocation().Shown().c_str()));
    EXPECT_EQ(first.station, QSysInfo::machineHostName());
    OpenSample();
    EXPECT_FALSE(ArchivedCounts(Status())) << Status();
    EXPECT_FALSE(RangeEnabled("Archive: all"));

    TurnArchiveOn(folder / "archive.sqlite");
    EXPECT_TRUE(Status().contains("added to the archive")) << Status();
    EXPECT_TRUE(RangeEnabled("Archive: all"));
    OpenSample();
    const auto added = ArchivedCounts(Status());
    ASSERT_TRUE(added) << Status();
    // Every decoded frame, the pass's own repeats stored once.
    EXPECT_TRUE(Status().startsWith(QString("%1 frames, ").arg(added->first))) << Status();
    EXPECT_GT(added->second, 0);
    EXPECT_LT(added->second, added->first);
    EXPECT_TRUE(Status().contains("Report written to")) << Status();

    OpenSample();
    const auto again = ArchivedCounts(Status());
    ASSERT_TRUE(again) << Status();
    EXPECT_EQ(*again, std::pair(added->first, 0));
    // A frame heard twice in a log is new once.
    const std::string twice = TlmFrame(kDecemberAfternoon, 7);
    OpenLog(twice + TlmFrame(kDecemberAfternoon + 1, 8) + twice, "twice.kss");
    EXPECT_EQ(ArchivedCounts(Status()), std::pair(3, 2)) << Status();

    // Turned off, the archive is left alone and its ranges go.
    ChooseRange("Archive: all");
    chosen = ArchiveChoice{false, QString::fromStdString(folder / "archive.sqlite"), "north"};
    Action(object_name::kArchiveAction)->trigger();
    EXPECT_EQ(RangeBox()->currentText(), "This log");
    EXPECT_FALSE(RangeEnabled("Archive: last day"));
    OpenSample();
    EXPECT_FALSE(ArchivedCounts(Status())) << Status();
}

// A folder that is not there, or a file that is no database: the status line
// says so, and the log is read and its files written as without an archive.
TEST_F(ArchiveWindowTest, ThatCannotBeOpenedLeavesTheLogsFilesAsTheyAre) {
    folder.Write("notes.sqlite", "These are not the tables you are looking for.\n");
    for (const std::string& location :
         {folder / "missing/archive.sqlite", folder / "notes.sqlite"}) {
        SCOPED_TRACE(location);
        TurnArchiveOn(location);
        EXPECT_TRUE(Status().startsWith(
            QString::fromStdString("Cannot open the archive " + location + ": ")))
            << Status();
        EXPECT_FALSE(RangeEnabled("Archive: all"));

        const std::string log = folder.Write("orvex-pass.kss", kSample);
        Open(log);
        EXPECT_TRUE(Status().startsWith(
            QString::fromStdString("Cannot add the log to the archive " + location + ": ")))
            << Status();
        EXPECT_TRUE(Status().contains("Report written to")) << Status();
        EXPECT_FALSE(ArchivedCounts(Status())) << Status();
        EXPECT_TRUE(ReadFile(folder / "orvex-pass.tlm") == StoredSampleReport("en_GB", log));
        EXPECT_TRUE(ReadFile(folder / "orvex-pass.csv") == StoredSampleExport("en_GB"));
    }
    // Once the folder is there, the next log finds the archive.
    QDir().mkpath(QString::fromStdString(folder / "missing"));
    TurnArchiveOn(folder / "missing/archive.sqlite");
    OpenSample();
    EXPECT_TRUE(ArchivedCounts(Status())) << Status();
}

TEST_F(ArchiveWindowTest, ChartsAllTheArchiveHoldsAsItsExtremes) {
    const std::string location = folder / "archive.sqlite";
    TurnArchiveOn(location);
    window.show();
    OpenSample();
    const QList<QPointF> logPoints = Points();

    ArchiveDatabase database(ParseArchiveLocation(location));
    ASSERT_TRUE(database.Open()) << database.LastError();
    std::string problem;
    const auto held = ArchivedTelemetrySpan(database, std::nullopt, problem);
    ASSERT_TRUE(held) << problem;
    const auto whole = ArchivedExtremes(database, 0, *held, 1, problem);
    ASSERT_TRUE(whole && whole->size() == 1) << problem;

    ChooseRange("Archive: all");
    EXPECT_TRUE(Status().startsWith("Charted from the archive")) << Status();
    const QList<QPointF> points = Points();
    ASSERT_FALSE(points.empty());
    EXPECT_LE(Chart()->VisibleSpan().first, held->from);
    EXPECT_GE(Chart()->VisibleSpan().last, held->to);
    const auto [lowest, highest] = std::minmax_element(
        points.begin(), points.end(), [](auto& a, auto& b) { return a.y() < b.y(); });
    EXPECT_EQ(lowest->y(), whole->front().min);
    EXPECT_EQ(highest->y(), whole->front().max);
    EXPECT_TRUE(std::is_sorted(points.begin(), points.end(),
                               [](auto& a, auto& b) { return a.x() < b.x(); }));
    // Each point is the lowest or the highest of its bucket, which the
    // archive gives for the span at any count of buckets: at one per second,
    // each of the pass's TLM frames alone.
    const auto seconds = static_cast<int>(held->to - held->from + 1);
    const auto buckets = ArchivedExtremes(database, 0, *held, seconds, problem);
    ASSERT_TRUE(buckets) << problem;
    for (const QPointF& point : points) {
        EXPECT_TRUE(std::any_of(buckets->begin(), buckets->end(), [&](const HistoryBucket& bucket) {
            return point.y() == bucket.min || point.y() == bucket.max;
        })) << point.x();
    }

    // A span chosen that holds none charts nothing, and says so.
    ChooseRange("Archive: span...", ArchiveSpan{held->to + 3600, held->to + 7200});
    EXPECT_TRUE(Points().empty());
    EXPECT_TRUE(Status().contains("holds no telemetry from")) << Status();
    // A span dialog cancelled keeps the range shown.
    ChooseRange("Archive: span...");
    EXPECT_EQ(RangeBox()->currentText(), "Archive: span...");
    ChooseRange("Archive: span...", *held);
    EXPECT_EQ(Points().size(), points.size());

    ChooseRange("This log");
    EXPECT_EQ(Points(), logPoints);
}

// Two frames heard in one second and another two days later, the chart a
// few minutes a pixel: the first bucket gives its lowest and its highest
// value, the lone frame's its own, whatever the archive's finest grain.
TEST_F(ArchiveWindowTest, ChartsEachBucketsLowestAndHighestValue) {
    TurnArchiveOn(folder / "archive.sqlite");
    window.show();
    const std::uint32_t t = kDecemberAfternoon;
    const std::uint32_t later = t + 2 * 24 * 3600;
    OpenLog(TlmFrame(t, 10) + TlmFrame(t, 200) + TlmFrame(later, 50));
    ChooseRange("Archive: all");
    const QList<QPointF> points = Points();
    ASSERT_EQ(points.size(), 3);
    // A cell's value falls as its byte rises.
    EXPECT_EQ(points[0].y(), Calibrate(0, 200));
    EXPECT_EQ(points[1].y(), Calibrate(0, 10));
    EXPECT_EQ(points[2].y(), Calibrate(0, 50));
    EXPECT_EQ(points[0].x(), points[1].x());
    EXPECT_NEAR(points[2].x() - points[0].x(), later - t, 2 * 3600);
}

// The span first offered is the last day the archive holds telemetry of,
// not the last day before now, which is usually empty.
TEST_F(ArchiveWindowTest, SpanIsFirstOfferedOnTheLastDayWithTelemetry) {
    TurnArchiveOn(folder / "archive.sqlite");
    std::vector<ArchiveSpan> offered;
    window.SetSpanChooser([&](const ArchiveSpan& last) {
        offered.push_back(last);
        return std::nullopt;
    });
    const std::int64_t before = QDateTime::currentSecsSinceEpoch();
    ChooseRange("Archive: span...");
    const std::int64_t after = QDateTime::currentSecsSinceEpoch();
    ASSERT_EQ(offered.size(), 1U);
    EXPECT_GE(offered[0].to, before);
    EXPECT_LE(offered[0].to, after);
    EXPECT_EQ(offered[0].to - offered[0].from, 24 * 3600);

    const auto utc = [](int day, int hour, int minute) {
        return static_cast<std::uint32_t>(
            QDateTime(QDate(2026, 12, day), QTime(hour, minute), QTimeZone::utc())
                .toSecsSinceEpoch());
    };
    OpenLog(TlmFrame(utc(7, 14, 3), 10) + TlmFrame(utc(9, 0, 10), 20) +
            TlmFrame(utc(9, 23, 30), 50) + TlmFrame(utc(8, 12, 0), 30));
    ChooseRange("Archive: span...");
    ASSERT_EQ(offered.size(), 2U);
    EXPECT_EQ(offered[1].from, utc(9, 0, 0));
    EXPECT_EQ(offered[1].to, utc(10, 0, 0));
}

TEST_F(ArchiveWindowTest, OfEmptyDaysChartsNothingAndSaysSo) {
    TurnArchiveOn(folder / "archive.sqlite");
    window.show();
    ChooseRange("Archive: all");
    EXPECT_TRUE(Status().contains("holds no telemetry yet")) << Status();
    EXPECT_TRUE(Points().empty());
    OpenSample();  // a pass of long ago
    ChooseRange("Archive: last day");
    EXPECT_TRUE(Points().empty());
    EXPECT_TRUE(Status().contains("holds no telemetry from")) << Status();
}

TEST_F(ArchiveWindowTest, SettingIsRememberedByTheNextWindow) {
    // A server's socket folder where none listens: refused at once.
    const ArchiveChoice shared{
        true, QString::fromStdString("postgresql:host=" + folder.Path() + " dbname=orvex"),
        "G4ABC"};
    chosen = shared;
    Action(object_name::kArchiveAction)->trigger();
    EXPECT_TRUE(Status().startsWith("Cannot open the archive postgresql:host=")) << Status();

    MainWindow next(format);
    ArchiveChoice offered;
    next.SetArchiveChooser([&](const ArchiveChoice& last) {
        offered = last;
        return std::nullopt;
    });
    next.findChild<QAction*>(object_name::kArchiveAction)->trigger();
    EXPECT_TRUE(offered.enabled);
    EXPECT_EQ(offered.location, shared.location);
    EXPECT_EQ(offered.station, shared.station);
}

// The dialog gives back what it opened with, on either engine, and asks for
// a file or a database and a station only while the archive is on.
TEST_F(ArchiveWindowTest, DialogGivesBackWhatItShows) {
    for (const ArchiveChoice& start :
         {ArchiveChoice{true, QString::fromStdString(folder / "a.sqlite"), "north"},
          ArchiveChoice{false, "postgresql:host=db.club.org dbname=orvex", "G4ABC"}}) {
        ArchiveDialog dialog(start, &window);
        const ArchiveChoice given = dialog.Choice();
        EXPECT_EQ(given.enabled, start.enabled);
        EXPECT_EQ(given.location, start.location);
        EXPECT_EQ(given.station, start.station);
    }
    ArchiveDialog dialog(ArchiveChoice{true, "a.sqlite", "north"}, &window);
    auto* ok = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
    dialog.findChild<QLineEdit*>(object_name::kArchiveStation)->clear();
    EXPECT_FALSE(ok->isEnabled());
    dialog.findChild<QCheckBox*>(object_name::kArchiveEnabled)->setChecked(false);
    EXPECT_TRUE(ok->isEnabled());
    dialog.findChild<QCheckBox*>(object_name::kArchiveEnabled)->setChecked(true);
    dialog.findChild<QLineEdit*>(object_name::kArchiveStation)->setText("north");
    dialog.findChild<QRadioButton*>(object_name::kArchivePostgres)->setChecked(true);
    EXPECT_FALSE(ok->isEnabled());
    dialog.findChild<QLineEdit*>(object_name::kArchiveParameters)->setText("dbname=orvex");
    EXPECT_TRUE(ok->isEnabled());
    EXPECT_EQ(dialog.Choice().location, "postgresql:dbname=orvex");
}

}  // namespace
}  // namespace orvex::test
