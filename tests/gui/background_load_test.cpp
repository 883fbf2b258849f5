// The window's loads run beside it: during a long load its timers keep
// firing and its counter moves; while a log still arrives, a channel clicked
// is charted, Write TLM File takes effect at the next frame, and Open,
// Connect and closing the window end the load at its next frame, with its
// report whole up to its last block, before they go on.
#include <time.h>

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <filesystem>
#include <future>
#include <memory>

#include "app/chart/history_chart.h"
#include "app/window/object_names.h"
#include "tests/gui/long_load.h"
#include "tests/gui/main_window_fixture.h"
#include "tests/support/event_wait.h"
#include "tests/support/generated_log.h"
#include "tests/support/kiss_server.h"
#include "tests/support/piped_log.h"

namespace orvex::test {
namespace {

using std::chrono::milliseconds;

// ThreadSanitizer makes every step several times slower: the bounds a user
// would notice are those of the program as built without it.
#ifdef __SANITIZE_THREAD__
constexpr int kInstrumentedSlowdown = 10;
#else
constexpr int kInstrumentedSlowdown = 1;
#endif

// The thread's own processor time: what the window's thread spent working,
// whatever else the machine ran meanwhile.
qint64 ThreadMilliseconds() {
    timespec now{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<qint64>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

class BackgroundLoad : public MainWindowTest {
protected:
    BackgroundLoad() { window.show(); }

    // Opens long.kss, a pipe through which a log arrives: its first part,
    // then, once the test has acted and resumed it, the rest. Returns once
    // the first part is on its way: the load runs, and cannot end before
    // the test resumes it.
    std::string StartLongLoad() {
        pipe_ = std::make_unique<PipedLog>(folder / "long.kss");
        const std::string& log = MidLoadLog();
        const std::size_t half = log.size() / 2;
        auto firstPart = std::make_shared<std::promise<void>>();
        std::future<void> firstPartSent = firstPart->get_future();
        pipe_->Start({{log.substr(0, half),
                       [firstPart, resumed = resume_.get_future().share()] {
                           firstPart->set_value();
                           resumed.wait();
                       }},
                      {log.substr(half), {}}});
        StartOpen(pipe_->Path());
        EXPECT_TRUE(HandleEventsUntil(
            [&] { return firstPartSent.wait_for(milliseconds(0)) == std::future_status::ready; }));
        EXPECT_FALSE(window.Idle());
        return pipe_->Path();
    }
    void Resume() { resume_.set_value(); }
    QString FrameCounter() const { return Find<QLabel>(object_name::kFrameCounter)->text(); }
    std::string Blocks(const std::string& log) const {
        return ReportBlocks(ReadFile(std::filesystem::path(log).replace_extension(".tlm")));
    }
    static const std::string& WholeBlocks() { return MidLoadReportBlocks(); }
    // As after Ctrl+C on the command line: the report whole up to a block
    // short of the end, the earlier export kept, no file left half-written.
    void ExpectEndedAsAStop(const std::string& path) const {
        const std::string written = Blocks(path);
        EXPECT_FALSE(written.empty());
        EXPECT_TRUE(EndsAtABlockOf(written, WholeBlocks()));
        EXPECT_LT(written.size(), WholeBlocks().size());
        EXPECT_EQ(ReadFile(folder / "long.csv"), "earlier export");
        EXPECT_EQ(FolderEntries(folder.Path()),
                  (std::vector<std::string>{"long.csv", "long.kss", "long.tlm"}));
    }

private:
    std::promise<void> resume_;
    std::unique_ptr<PipedLog> pipe_;
};

TEST_F(BackgroundLoad, TheWindowsTimersKeepFiringAndItsCounterMovesDuringALongLoad) {
    qint64 longestWait = 0;
    qint64 longestWork = 0;
    QElapsedTimer sinceTick;
    qint64 workAtTick = 0;
    QStringList counts;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        if (window.Idle()) {
            return;  // the end of the load's steps are no part of it
        }
        longestWait = std::max(longestWait, sinceTick.restart());
        const qint64 work = ThreadMilliseconds();
        longestWork = std::max(longestWork, work - workAtTick);
        workAtTick = work;
        if (counts.isEmpty() || counts.back() != FrameCounter()) {
            counts.append(FrameCounter());
        }
    });
    const std::string path = folder.Write("long.kss", LongLog());
    QElapsedTimer load;
    load.start();
    sinceTick.start();
    workAtTick = ThreadMilliseconds();
    tick.start(5);
    Open(path);
    tick.stop();
    RecordProperty("load_ms", static_cast<int>(load.elapsed()));
    RecordProperty("longest_timer_wait_ms", static_cast<int>(longestWait));
    RecordProperty("longest_work_between_ticks_ms", static_cast<int>(longestWork));
    std::printf(
        "load %lld ms; longest wait of the 5 ms timer %lld ms, of which the window's "
        "own work %lld ms\n",
        static_cast<long long>(load.elapsed()), static_cast<long long>(longestWait),
        static_cast<long long>(longestWork));
    // The waits beyond the window's own work are the machine's other threads.
    EXPECT_LT(longestWork, 50 * kInstrumentedSlowdown);
    EXPECT_GT(counts.size(), 3) << counts.join(' ').toStdString();
    EXPECT_TRUE(
        Status().startsWith(QString::number(synth::test::FramesOf(LongLog()).size()) + " frames"))
        << Status();
}

TEST_F(BackgroundLoad, AChannelClickedMidLoadIsChartedAtOnce) {
    StartLongLoad();
    Find<QAbstractButton>(object_name::ChannelSelector(5))->click();
    EXPECT_TRUE(Find<QGroupBox>(object_name::kChartFrame)->title().startsWith("Battery 5"));
    EXPECT_GT(Find<HistoryChart>(object_name::kChart)->SeriesOf(0)->count(), 0);
    Resume();
    WaitForLoads();
}

TEST_F(BackgroundLoad, WriteTlmFileSwitchedOffMidLoadEndsTheReportAtTheNextFrame) {
    const std::string path = StartLongLoad();
    EXPECT_FALSE(Action(object_name::kArchiveAction)->isEnabled());
    EXPECT_FALSE(Action(object_name::kExportDataAction)->isEnabled());
    Action(object_name::kWriteReportAction)->trigger();
    Resume();
    WaitForLoads();
    const std::string written = Blocks(path);
    EXPECT_TRUE(EndsAtABlockOf(written, WholeBlocks()));
    EXPECT_LT(written.size(), WholeBlocks().size());
    // The load went on to the end of the log: the export is written.
    EXPECT_TRUE(FileExists(folder / "long.csv"));
    EXPECT_TRUE(Action(object_name::kArchiveAction)->isEnabled());
}

TEST_F(BackgroundLoad, ClosingTheWindowMidLoadEndsItWithinHalfASecondWithItsReportWhole) {
    folder.Write("long.csv", "earlier export");
    const std::string path = StartLongLoad();
    QElapsedTimer closing;
    closing.start();
    window.close();
    Resume();
    ASSERT_TRUE(HandleEventsUntil([this] { return !window.isVisible(); }));
    const qint64 closed = closing.elapsed();
    RecordProperty("close_ms", static_cast<int>(closed));
    EXPECT_LT(closed, 500 * kInstrumentedSlowdown);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    ExpectEndedAsAStop(path);
}

TEST_F(BackgroundLoad, OpenMidLoadEndsTheFirstThenLoadsTheSecond) {
    const std::string first = StartLongLoad();
    const std::string second =
        folder.Write("second.kss", TextFrame("SECOND") + TlmFrame(kDecemberAfternoon, 7));
    EXPECT_TRUE(Action(object_name::kOpenAction)->isEnabled());
    StartOpen(second);
    Resume();
    WaitForLoads();

    const std::string written = Blocks(first);
    EXPECT_TRUE(EndsAtABlockOf(written, WholeBlocks()));
    EXPECT_LT(written.size(), WholeBlocks().size());
    EXPECT_FALSE(FileExists(folder / "long.csv"));
    // The second load is whole, and shows nothing of the first.
    EXPECT_EQ(ReportBlocks(ReadFile(folder / "second.tlm")),
              WholeReportBlocks(ReadFile(second), format));
    EXPECT_TRUE(FileExists(folder / "second.csv"));
    EXPECT_EQ(Text(object_name::kLogPath), QString::fromStdString(second));
    EXPECT_EQ(FrameListItems(), QStringList{"SECOND"});
    EXPECT_EQ(Text(object_name::kRecordPosition), "#1 / 1");
    EXPECT_EQ(FrameCounter(), "2 frames");
    EXPECT_TRUE(Status().startsWith("2 frames, 1 telemetry record.")) << Status();
}

// Escape in the window cancels the load as Exit stops it: the report whole
// up to its last block, and the earlier WOD export kept.
TEST_F(BackgroundLoad, EscapeCancelsTheLoadWhichEndsAsAStopDoes) {
    folder.Write("long.csv", "earlier export");
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    const std::string path = StartLongLoad();
    auto* cancel = Find<QPushButton>(object_name::kCancelLoadButton);
    EXPECT_TRUE(cancel->isVisible());
    QTest::keyClick(&window, Qt::Key_Escape);
    Resume();
    WaitForLoads();

    ExpectEndedAsAStop(path);
    EXPECT_TRUE(Status().startsWith("Reading cancelled. ")) << Status();
    EXPECT_TRUE(
        Status().contains(QString::fromStdString("Report written to " + (folder / "long.tlm"))))
        << Status();
    EXPECT_FALSE(Status().contains("WOD export")) << Status();
    EXPECT_FALSE(cancel->isVisible());
}

// The status line follows a log's load in per cent of its bytes, from the
// snapshots the load sends, and the Cancel button beside it stops it.
TEST_F(BackgroundLoad, TheStatusLineTellsHowMuchWasReadUntilCancelled) {
    const std::string path = folder.Write("long.kss", LongLog());
    const QString reading = QString::fromStdString("Reading " + path + "...");
    const QRegularExpression progress(QRegularExpression::escape(reading) + " (\\d+)% read");
    QStringList shown;
    StartOpen(path);
    ASSERT_TRUE(HandleEventsUntil([&] {
        if (shown.isEmpty() || shown.back() != Status()) {
            shown.append(Status());
        }
        return progress.match(Status()).hasMatch();
    })) << shown.join('\n');
    Find<QPushButton>(object_name::kCancelLoadButton)->click();
    WaitForLoads();

    EXPECT_EQ(shown.front(), reading);
    std::vector<int> percents;
    for (const QString& text : shown.mid(1)) {
        const QRegularExpressionMatch match = progress.match(text);
        ASSERT_TRUE(match.hasMatch()) << text;
        percents.push_back(match.captured(1).toInt());
    }
    EXPECT_TRUE(std::is_sorted(percents.begin(), percents.end()));
    EXPECT_LT(percents.back(), 100);
    EXPECT_TRUE(Status().startsWith("Reading cancelled. ")) << Status();
    const std::string written = Blocks(path);
    EXPECT_TRUE(written.empty() || written.ends_with("\r\n\r\n"));
    EXPECT_FALSE(FileExists(folder / "long.csv"));
}

TEST_F(BackgroundLoad, ConnectMidLoadEndsTheLoadThenFollowsTheStream) {
    const std::string pass =
        synth::test::GenerateLog(std::vector<std::string>{"--seed", "8", "--frames", "120"});
    KissServer server;
    server.Serve({{RandomChunks(pass, 8, 400, milliseconds(2)), {}, true}});
    LinkChoice choice;
    choice.kind = LinkChoice::Kind::Tcp;
    choice.host = QStringLiteral("127.0.0.1");
    choice.port = server.Port();
    choice.recordFolder = QString::fromStdString(folder / "live");
    std::filesystem::create_directory(folder / "live");
    window.SetLinkChooser([&](const LinkChoice& /*last*/) { return choice; });

    const std::string first = StartLongLoad();
    Action(object_name::kConnectAction)->trigger();
    Resume();
    ASSERT_TRUE(HandleEventsUntil([&] {
        return Action(object_name::kDisconnectAction)->isEnabled() && server.Done() &&
               FrameCounter() == QString::number(synth::test::FramesOf(pass).size()) + " frames";
    }));
    Action(object_name::kDisconnectAction)->trigger();
    WaitForLoads();

    const std::string written = Blocks(first);
    EXPECT_TRUE(EndsAtABlockOf(written, WholeBlocks()));
    EXPECT_LT(written.size(), WholeBlocks().size());
    EXPECT_FALSE(FileExists(folder / "long.csv"));
    const std::vector<std::string> recorded = FolderEntries(folder / "live");
    ASSERT_EQ(recorded.size(), 3U);  // the export, the recording and its report
    const std::string recording = folder / ("live/" + recorded[1]);
    EXPECT_EQ(ReadFile(recording), pass);
    EXPECT_EQ(Blocks(recording), WholeReportBlocks(pass, format));
}

}  // namespace
}  // namespace orvex::test
