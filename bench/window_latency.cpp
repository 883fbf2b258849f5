// orvex-window-latency [FRAMES [PER_SECOND [SHARE_ANSWER_MS]]]: the window's
// File > Connect follows a KISS TCP port on 127.0.0.1 that sends a generated
// pass at a steady rate (1000 frames at 100 per second by default); with
// SHARE_ANSWER_MS, Settings > Share Frames shares every frame with a server
// on 127.0.0.1 that answers each post only after that many milliseconds. Prints, in
// milliseconds, the time from the last byte of each TLM frame leaving the
// port to the window painting the record time of that frame (or of a later
// one) in the panel's strip: median, 90th and 99th percentile, and the
// longest. Run it offscreen (QT_QPA_PLATFORM=offscreen) or under Xvfb.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QHash>
#include <QLineEdit>
#include <QLocale>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/settings/share_choice.h"
#include "app/settings/station_choice.h"
#include "app/window/main_window.h"
#include "app/window/object_names.h"
#include "bench/slow_server.h"
#include "bench/steady_stream.h"
#include "kiss/log_source.h"
#include "load/log_load.h"
#include "text/locale_format.h"
#include "text/unix_time.h"

namespace {

using orvex::bench::Clock;

// The record time each TLM frame of the pass shows, by the frame's place.
class TlmTimes : public orvex::FrameHandler {
public:
    explicit TlmTimes(const orvex::LocaleFormat& format) : format_(format) {}
    void OnTlmFrame(const orvex::TlmFrame& frame) override {
        texts[QString::fromLatin1(format_.DateTimeText(orvex::UnixTimeToDate(frame.Timestamp())))] =
            framesRead_;
        tlmFrames.push_back(framesRead_);
    }
    void OnFrameRead(const orvex::Frame& /*frame*/, orvex::FrameOutcome /*outcome*/) override {
        ++framesRead_;
    }
    QHash<QString, std::size_t> texts;  // the last frame showing each text
    std::vector<std::size_t> tlmFrames;

private:
    const orvex::LocaleFormat& format_;
    std::size_t framesRead_ = 0;
};

// Notes when the record time field is painted, and which frame it shows.
class PaintWatch : public QObject {
public:
    PaintWatch(const TlmTimes& times, std::size_t frames) : times_(times), shownAt_(frames) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            const auto shown = times_.texts.find(static_cast<QLineEdit*>(watched)->text());
            if (shown != times_.texts.end()) {
                for (std::size_t i = marked_; i <= *shown; ++i) {
                    shownAt_[i] = Clock::now();
                }
                marked_ = std::max(marked_, *shown + 1);
            }
        }
        return false;
    }
    std::size_t Marked() const { return marked_; }
    const std::vector<Clock::time_point>& ShownAt() const { return shownAt_; }

private:
    const TlmTimes& times_;
    std::vector<Clock::time_point> shownAt_;
    std::size_t marked_ = 0;
};

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const std::uint64_t count = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 1000;
    const int perSecond = argc > 2 ? std::atoi(argv[2]) : 100;
    const int shareAnswerMs = argc > 3 ? std::atoi(argv[3]) : -1;
    const std::vector<std::string> frames = orvex::bench::FramesOfPass(count);
    // The window's settings, the recording and the queue of frames to share
    // go to a scratch folder.
    const QTemporaryDir scratch;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, scratch.path());
    qputenv("XDG_DATA_HOME", scratch.path().toLocal8Bit());
    std::unique_ptr<orvex::bench::SlowServer> server;
    if (shareAnswerMs >= 0) {
        server =
            std::make_unique<orvex::bench::SlowServer>(std::chrono::milliseconds(shareAnswerMs));
        orvex::StationChoice{QStringLiteral("BENCH"), QStringLiteral("52.5,13.4"),
                             QStringLiteral("99999")}
            .Remember();
        orvex::ShareChoice{true, {QString::fromStdString(server->Url())}}.Remember();
    }

    const orvex::LocaleFormat format(QLocale(QStringLiteral("en_GB")));
    TlmTimes times(format);
    {
        std::string pass;
        for (const std::string& frame : frames) {
            pass += frame;
        }
        orvex::MemoryLogSource source(pass);
        orvex::OutputOptions off;
        off.writeReport = false;
        off.writeWodExport = false;
        const orvex::LoadContext context(format, off);
        orvex::Frame frame;
        orvex::LogLoad load("pass.kss", context, frame);
        load.AddFrameHandler(times);
        load.Run(source, {}, nullptr);
    }

    orvex::MainWindow window(format);
    orvex::LinkChoice choice;
    orvex::bench::SteadySender sender;
    choice.kind = orvex::LinkChoice::Kind::Tcp;
    choice.host = QStringLiteral("127.0.0.1");
    choice.port = sender.Port();
    choice.recordFolder = scratch.path();
    window.SetLinkChooser([&](const orvex::LinkChoice& /*last*/) { return choice; });
    window.show();
    QApplication::processEvents();

    PaintWatch watch(times, frames.size());
    window.findChild<QLineEdit*>(orvex::object_name::kRecordTime)->installEventFilter(&watch);
    QElapsedTimer sinceDone;
    QTimer end;
    QObject::connect(&end, &QTimer::timeout, [&] {
        if (sender.Done() && !sinceDone.isValid()) {
            sinceDone.start();
        }
        const bool allShown = !times.tlmFrames.empty() && watch.Marked() > times.tlmFrames.back();
        if (sinceDone.isValid() && (allShown || sinceDone.elapsed() > 2000)) {
            window.findChild<QAction*>(orvex::object_name::kDisconnectAction)->trigger();
        }
    });
    end.start(50);
    sender.Start(frames, perSecond);
    window.findChild<QAction*>(orvex::object_name::kConnectAction)->trigger();

    std::vector<double> latencies;
    for (const std::size_t i : times.tlmFrames) {
        if (i < watch.Marked()) {
            latencies.push_back(
                orvex::bench::Milliseconds(watch.ShownAt()[i] - sender.SentAt()[i]));
        }
    }
    std::printf("panel, TLM frames: ");
    orvex::bench::PrintLatencies(latencies, frames.size(), perSecond, latencies.size());
    if (server) {
        std::printf("shared with a server answering after %d ms; it answered %llu\n", shareAnswerMs,
                    static_cast<unsigned long long>(server->Answered()));
    }
    return latencies.size() == times.tlmFrames.size() ? 0 : 1;
}
