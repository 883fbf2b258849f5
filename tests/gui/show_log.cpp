// orvex-show-log LOG [CHANNEL...]: the window with LOG open, as `orvex LOG`
// opens it, and each CHANNEL (0..37) added to the chart as a Ctrl+click adds
// it, left open. For screenshots of more than one channel.
// orvex-show-log tcp:PORT [CHANNEL...]: the same for a live session, as
// File > Connect... to a KISS TCP port on this machine starts it, recorded
// into a scratch folder.
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QTemporaryDir>
#include <QTimer>
#include <iostream>

#include "app/settings/link_choice.h"
#include "app/settings/window_language.h"
#include "app/widgets/channel_panel.h"
#include "app/window/main_window.h"
#include "app/window/object_names.h"
#include "text/locale_format.h"

namespace {

constexpr char kTcp[] = "tcp:";

void Connect(orvex::MainWindow& window, int port, const QString& recordFolder) {
    orvex::LinkChoice choice;
    choice.host = QStringLiteral("127.0.0.1");
    choice.port = port;
    choice.recordFolder = recordFolder;
    window.SetLinkChooser([choice](const orvex::LinkChoice&) { return choice; });
    window.findChild<QAction*>(QLatin1String(orvex::object_name::kConnectAction))->trigger();
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    if (argc < 2) {
        std::cerr << "usage: orvex-show-log LOG|tcp:PORT [CHANNEL...]\n";
        return 2;
    }
    const orvex::WindowLanguage language(QLocale::system());
    const orvex::LocaleFormat format = orvex::LocaleFormat::FromSystem();
    orvex::MainWindow window(format);
    const QString source = QFile::decodeName(argv[1]);
    const QTemporaryDir recordings;
    window.show();
    const QStringList channels = QApplication::arguments().mid(2);
    const auto addChannels = [&] {
        for (const QString& channel : channels) {
            window.findChild<orvex::ChannelPanel*>()->Toggle(channel.toInt());
        }
    };
    // A log's channels are added once it is loaded: its end selects the
    // first channel alone, as after every load.
    QTimer untilLoaded;
    QObject::connect(&untilLoaded, &QTimer::timeout, &window, [&] {
        if (window.Idle()) {
            untilLoaded.stop();
            addChannels();
        }
    });
    QTimer::singleShot(0, &window, [&] {
        if (source.startsWith(QLatin1String(kTcp))) {
            Connect(window, source.mid(4).toInt(), recordings.path());
            addChannels();
        } else {
            window.OpenLogFile(QFileInfo(source).absoluteFilePath());
            untilLoaded.start(50);
        }
    });
    return QApplication::exec();
}
