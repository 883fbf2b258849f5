// orvex-window-load LOG: times the window's Open command on LOG (both outputs
// on), from the command to the end of its load, and shows that the window
// lives during the load: the longest wait of a timer on the window's thread,
// how often Label3 changed, whether a channel selected mid-load was charted
// at once, and when the status line's per cent of the log read moved.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QRegularExpression>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <utility>
#include <vector>

#include "app/window/main_window.h"
#include "app/window/object_names.h"
#include "text/locale_format.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: orvex-window-load LOG\n");
        return 2;
    }
    const orvex::LocaleFormat format = orvex::LocaleFormat::FromSystem();
    orvex::MainWindow window(format);
    QString log = QFileInfo(QFile::decodeName(argv[1])).absoluteFilePath();
    window.SetFileChooser([log] { return log; });
    window.show();
    QApplication::processEvents();

    auto* label3 = window.findChild<QLabel*>(orvex::object_name::kFrameCounter);
    auto* frame1 = window.findChild<QGroupBox*>(orvex::object_name::kChartFrame);
    auto* selector = window.findChild<QAbstractButton*>(orvex::object_name::ChannelSelector(5));
    std::set<QString> counts;
    // The status line's per cent of bytes read, at the time it changed.
    const QRegularExpression percentRead(QStringLiteral(" (\\d+)% read$"));
    std::vector<std::pair<double, int>> progress;
    bool selectedDuringLoad = false;
    QEventLoop loaded;
    QElapsedTimer clock;
    QElapsedTimer sinceTick;
    qint64 longestGap = 0;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        const qint64 gap = sinceTick.restart();
        if (gap > 30 && std::getenv("ORVEX_GAPS") != nullptr) {
            std::fprintf(stderr, "gap %lld ms at %.3f s, idle %d, %s\n",
                         static_cast<long long>(gap), clock.nsecsElapsed() / 1e9,
                         window.Idle() ? 1 : 0, label3->text().toLatin1().constData());
        }
        longestGap = std::max(longestGap, gap);
        counts.insert(label3->text());
        const QRegularExpressionMatch read = percentRead.match(window.StatusText());
        if (read.hasMatch() &&
            (progress.empty() || progress.back().second != read.captured(1).toInt())) {
            progress.emplace_back(clock.nsecsElapsed() / 1e9, read.captured(1).toInt());
        }
        if (!selectedDuringLoad && counts.size() > 3) {
            selector->click();
            selectedDuringLoad = frame1->title().startsWith(QLatin1String("Battery 5"));
        }
        if (window.Idle()) {
            loaded.quit();
        }
    });

    clock.start();
    window.findChild<QAction*>(orvex::object_name::kOpenAction)->trigger();
    sinceTick.start();
    watch.start(5);
    loaded.exec();
    const double seconds = clock.nsecsElapsed() / 1e9;
    watch.stop();

    std::printf(
        "%.3f s, final %s, Label3 changed %zu times, longest timer wait %lld ms, selection "
        "during the load %s\n",
        seconds, label3->text().toLatin1().constData(), counts.size(),
        static_cast<long long>(longestGap), selectedDuringLoad ? "charted at once" : "not seen");
    std::printf("per cent read at (s):");
    for (const auto& [at, percent] : progress) {
        std::printf(" %d%%@%.2f", percent, at);
    }
    std::printf("\n");
    return 0;
}
