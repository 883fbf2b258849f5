// File > Connect: the window follows a KISS TCP port on 127.0.0.1 while the
// test's server sends a generated pass, and Disconnect or closing the window
// leaves the files that opening the recorded log gives.

#include <QComboBox>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <set>

#include "app/chart/history_chart.h"
#include "app/dialogs/connect_dialog.h"
#include "app/window/object_names.h"
#include "tests/gui/chart_labels.h"
#include "tests/gui/main_window_fixture.h"
#include "tests/support/generated_log.h"
#include "tests/support/kiss_server.h"
#include "tests/support/small_disk.h"

namespace orvex::test {
namespace {

using std::chrono::milliseconds;

const std::string& Pass() {
    static const std::string kLog =
        synth::test::GenerateLog(std::vector<std::string>{"--seed", "21", "--frames", "300"});
    return kLog;
}

// What the window showed at one moment of the session.
struct Glimpse {
    QString frameCounter;
    QString firstValue;
    QString recordPosition;
    QString status;
    bool openEnabled;
    bool disconnectEnabled;
};

class LiveWindow : public MainWindowTest {
protected:
    LiveWindow() {
        window.show();
        window.SetLinkChooser([this](const LinkChoice& last) {
            offered.push_back(last);
            return chosen;
        });
    }

    // Connects to the server and runs `whileConnected` every 10 ms while the
    // session runs, until it ended; after 20 s the session is ended whatever
    // happened.
    void Connect(const std::function<void()>& whileConnected) {
        ConnectTo(server.Port(), whileConnected);
    }
    void ConnectTo(std::uint16_t port, const std::function<void()>& whileConnected) {
        chosen.kind = LinkChoice::Kind::Tcp;
        chosen.host = QStringLiteral("127.0.0.1");
        chosen.port = port;
        chosen.recordFolder = QString::fromStdString(recordIn.empty() ? folder.Path() : recordIn);
        QElapsedTimer bound;
        bound.start();
        QTimer tick;
        tick.setInterval(10);
        QObject::connect(&tick, &QTimer::timeout, [&] {
            glimpses.push_back({Find<QLabel>(object_name::kFrameCounter)->text(), ValueText(0),
                                Text(object_name::kRecordPosition), Status(),
                                Action(object_name::kOpenAction)->isEnabled(),
                                Action(object_name::kDisconnectAction)->isEnabled()});
            if (bound.elapsed() > 20000) {
                ADD_FAILURE() << "the session did not end";
                Action(object_name::kDisconnectAction)->trigger();
            }
            whileConnected();
        });
        tick.start();
        Action(object_name::kConnectAction)->trigger();
        WaitForLoads();
    }

    // What is wrong with the chart now: a value axis too many, or texts
    // over each other; "" if nothing is.
    QString ChartFault() const {
        const auto* chart = Find<HistoryChart>(object_name::kChart);
        const auto axes = chart->chart()->axes(Qt::Vertical).size();
        if (axes > 1) {
            return QString("%1 value axes").arg(axes);
        }
        return FirstOverlap(ShownTexts(*chart));
    }

    bool AllSent() const { return server.Done() && RecordedSize() == server.BytesSent(); }
    std::string RecordedPath() const {
        for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
            if (entry.path().extension() == ".kss") {
                return entry.path();
            }
        }
        return {};
    }
    std::uint64_t RecordedSize() const {
        const std::string path = RecordedPath();
        return path.empty() ? 0 : std::filesystem::file_size(path);
    }
    std::string Beside(const std::string& log, const char* extension) const {
        return std::filesystem::path(log).replace_extension(extension);
    }

    KissServer server;
    std::string recordIn;  // the folder given to Connect, if not the test's
    LinkChoice chosen;
    std::vector<LinkChoice> offered;
    std::vector<Glimpse> glimpses;
};

TEST_F(LiveWindow, ShowsFramesAsTheyArriveAndDisconnectLeavesTheFilesOfTheRecordedLog) {
    server.Serve({{RandomChunks(Pass(), 21, 400, milliseconds(4)), {}, true}});

    Connect([this] {
        if (AllSent()) {
            Action(object_name::kDisconnectAction)->trigger();
        }
    });

    ASSERT_GT(glimpses.size(), 3U);
    const Glimpse& during = glimpses[glimpses.size() / 2];
    EXPECT_TRUE(during.openEnabled);
    EXPECT_TRUE(during.disconnectEnabled);
    EXPECT_TRUE(during.status.startsWith(QString("Connected to 127.0.0.1:%1: ").arg(server.Port())))
        << during.status;
    // The counter counted, and the panel showed records, before the end.
    std::set<QString> counts;
    std::set<QString> positions;
    for (const Glimpse& glimpse : glimpses) {
        counts.insert(glimpse.frameCounter);
        positions.insert(glimpse.recordPosition);
    }
    EXPECT_GT(counts.size(), 3U);
    EXPECT_GT(positions.size(), 3U);
    EXPECT_FALSE(glimpses.back().firstValue.isEmpty());

    const std::string recorded = RecordedPath();
    EXPECT_EQ(ReadFile(recorded), Pass());
    const std::string report = ReadFile(Beside(recorded, ".tlm"));
    const std::string wodExport = ReadFile(Beside(recorded, ".csv"));
    EXPECT_FALSE(wodExport.empty());
    EXPECT_TRUE(Action(object_name::kOpenAction)->isEnabled());
    EXPECT_FALSE(Action(object_name::kDisconnectAction)->isEnabled());
    EXPECT_TRUE(Status().contains("WOD export written to")) << Status();
    const QString frames = Find<QLabel>(object_name::kFrameCounter)->text();
    const QString shownValue = ValueText(0);

    Open(recorded);
    EXPECT_EQ(ReadFile(Beside(recorded, ".tlm")), report);
    EXPECT_EQ(ReadFile(Beside(recorded, ".csv")), wodExport);
    EXPECT_EQ(Find<QLabel>(object_name::kFrameCounter)->text(), frames);

    // The choice is offered again at the next Connect.
    EXPECT_EQ(LinkChoice::Remembered().port, server.Port());
    EXPECT_EQ(offered.size(), 1U);
}

// The counter and the status line count the same frames at every moment,
// from the first: before the first frame, the counter showed the log
// opened before the session.
TEST_F(LiveWindow, TheCounterAndTheStatusLineCountTheSameFrames) {
    OpenLog(TlmFrame(kDecemberAfternoon, 1) + TextFrame("HELLO"), "earlier.log");
    server.Serve({{RandomChunks(Pass(), 25, 400, milliseconds(4)), {}, true}});
    Connect([this] {
        if (AllSent()) {
            Action(object_name::kDisconnectAction)->trigger();
        }
    });
    const QRegularExpression counted(QStringLiteral("(\\d+) frames?"));
    int compared = 0;
    for (const Glimpse& glimpse : glimpses) {
        if (!glimpse.status.startsWith("Connected")) {
            continue;
        }
        ++compared;
        EXPECT_EQ(counted.match(glimpse.status).captured(1),
                  counted.match(glimpse.frameCounter).captured(1))
            << glimpse.status << " / " << glimpse.frameCounter;
    }
    EXPECT_GT(compared, 3);
}

// With Settings > Archive on, the stream's frames go to the archive as they
// are received, as its recorded log's: opening the recording adds none.
TEST_F(LiveWindow, AddsTheStreamToTheArchiveAsItsRecording) {
    window.SetArchiveChooser([this](const ArchiveChoice&) {
        return ArchiveChoice{true, QString::fromStdString(folder / "archive.sqlite"), "north"};
    });
    Action(object_name::kArchiveAction)->trigger();
    server.Serve({{RandomChunks(Pass(), 5, 400, milliseconds(2)), {}, true}});
    Connect([this] {
        if (AllSent()) {
            Action(object_name::kDisconnectAction)->trigger();
        }
    });
    const QRegularExpression archived(QStringLiteral("Archive: (\\d+) frames, (\\d+) new\\."));
    const QRegularExpressionMatch live = archived.match(Status());
    ASSERT_TRUE(live.hasMatch()) << Status();
    EXPECT_GT(live.captured(2).toInt(), 0);

    Open(RecordedPath());
    const QRegularExpressionMatch again = archived.match(Status());
    ASSERT_TRUE(again.hasMatch()) << Status();
    EXPECT_EQ(again.captured(1), live.captured(1));
    EXPECT_EQ(again.captured(2), "0");
}

TEST_F(LiveWindow, ClosingTheWindowEndsTheSessionWithItsFilesWritten) {
    server.Serve({{RandomChunks(Pass(), 22, 400, milliseconds(4)), {}, true}});
    bool closed = false;

    Connect([&] {
        if (!closed && RecordedSize() > 2000) {
            closed = true;
            window.close();
        }
    });

    EXPECT_FALSE(window.isVisible());
    const std::string recorded = RecordedPath();
    const std::string recordedBytes = ReadFile(recorded);
    EXPECT_GE(recordedBytes.size(), 2000U);
    EXPECT_EQ(recordedBytes, Pass().substr(0, recordedBytes.size()));
    EXPECT_TRUE(FileExists(Beside(recorded, ".csv")));
    EXPECT_TRUE(FileExists(Beside(recorded, ".tlm")));
}

// A recording the disk cannot hold is said in the status line while the
// stream still flows, not when it ends.
TEST_F(LiveWindow, ARecordingTheDiskCannotHoldIsSaidAtOnce) {
    const SmallDisk disk(folder / "full", std::uint64_t{16} * 1024);
    if (!disk.Mounted()) {
        GTEST_SKIP() << "no small file system can be mounted here";
    }
    recordIn = folder / "full";
    server.Serve({{RandomChunks(Pass(), 24, 400, milliseconds(4)), {}, true}});
    bool said = false;
    Connect([&] {
        if (!said && Status().contains("no longer recorded")) {
            said = true;
            EXPECT_TRUE(Status().startsWith("Cannot record the log ")) << Status().toStdString();
            EXPECT_TRUE(Action(object_name::kDisconnectAction)->isEnabled());
            Action(object_name::kDisconnectAction)->trigger();
        }
    });
    EXPECT_TRUE(said);
}

TEST_F(LiveWindow, ARefusedPortIsShownAsReconnecting) {
    const ClosedPort closed;
    const std::uint16_t closedPort = closed.Port();
    QString reconnecting;
    ConnectTo(closedPort, [&] {
        if (Status().startsWith("Reconnecting")) {
            reconnecting = Status();
            Action(object_name::kDisconnectAction)->trigger();
        }
    });
    EXPECT_TRUE(
        reconnecting.startsWith(QString("Reconnecting to 127.0.0.1:%1 in ").arg(closedPort)))
        << reconnecting;
    EXPECT_TRUE(reconnecting.endsWith(": 0 bytes, 0 frames.")) << reconnecting;
}

// Axes replaced while the session runs must not stay behind in the picture.
TEST_F(LiveWindow, TheChartShowsOneValueAxisWithNoTextOverAnotherWhileFramesArrive) {
    window.show();
    server.Serve({{RandomChunks(Pass(), 23, 200, milliseconds(20)), {}, true}});
    QStringList faults;
    Connect([&] {
        const QString fault = ChartFault();
        if (!fault.isEmpty()) {
            faults.append(fault);
        }
        if (AllSent()) {
            Action(object_name::kDisconnectAction)->trigger();
        }
    });
    EXPECT_TRUE(faults.empty()) << faults.size() << " times, first " << faults.value(0);
}

TEST(ConnectDialog, StartsFromTheChoiceGivenAndAllowsOkOnlyWithEveryFieldNeeded) {
    const PrivateSettings settings;
    const LinkChoice fresh = LinkChoice::Remembered();
    EXPECT_EQ(fresh.kind, LinkChoice::Kind::Tcp);
    EXPECT_EQ(fresh.host, "localhost");
    EXPECT_EQ(fresh.port, 8001);
    EXPECT_EQ(fresh.baudRate, 9600);
    EXPECT_FALSE(fresh.recordFolder.isEmpty());

    LinkChoice serial = fresh;
    serial.kind = LinkChoice::Kind::Serial;
    serial.device = QStringLiteral("/dev/ttyUSB0");
    serial.baudRate = 19200;
    serial.Remember();
    ConnectDialog dialog(LinkChoice::Remembered(), nullptr);
    EXPECT_EQ(dialog.Choice().kind, LinkChoice::Kind::Serial);
    EXPECT_EQ(dialog.Choice().device, "/dev/ttyUSB0");
    EXPECT_EQ(dialog.Choice().baudRate, 19200);
    EXPECT_FALSE(dialog.findChild<QLineEdit*>(object_name::kConnectHost)->isEnabled());

    QPushButton* ok = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
    EXPECT_TRUE(ok->isEnabled());
    dialog.findChild<QComboBox*>(object_name::kConnectDevice)->setEditText(QString());
    EXPECT_FALSE(ok->isEnabled());
    // Over TCP the device is not needed, the host is.
    dialog.findChild<QRadioButton*>(object_name::kConnectTcp)->setChecked(true);
    EXPECT_TRUE(ok->isEnabled());
    dialog.findChild<QLineEdit*>(object_name::kConnectHost)->clear();
    EXPECT_FALSE(ok->isEnabled());
}

}  // namespace
}  // namespace orvex::test
