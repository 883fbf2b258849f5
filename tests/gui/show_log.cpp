// orvex-show-log LOG [CHANNEL...]: the window with LOG open, as `orvex LOG`
// opens it, and each CHANNEL (0..37) added to the chart as a Ctrl+click adds
// it, left open. For screenshots of more than one channel.
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QTimer>
#include <iostream>

#include "app/settings/window_language.h"
#include "app/widgets/channel_panel.h"
#include "app/window/main_window.h"
#include "text/locale_format.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    if (argc < 2) {
        std::cerr << "usage: orvex-show-log LOG [CHANNEL...]\n";
        return 2;
    }
    const orvex::WindowLanguage language(QLocale::system());
    const orvex::LocaleFormat format = orvex::LocaleFormat::FromSystem();
    orvex::MainWindow window(format);
    const QString log = QFileInfo(QFile::decodeName(argv[1])).absoluteFilePath();
    window.show();
    const QStringList channels = QApplication::arguments().mid(2);
    QTimer::singleShot(0, &window, [&window, log, channels] {
        window.OpenLogFile(log);
        for (const QString& channel : channels) {
            window.findChild<orvex::ChannelPanel*>()->Toggle(channel.toInt());
        }
    });
    return QApplication::exec();
}
