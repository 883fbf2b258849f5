// orvex-show-log LOG [CHANNEL...]: the window, with LOG opened through its
// Open command in place of the file dialog, and each CHANNEL (0..37) added
// to the chart as a Ctrl+click adds it, left open. For screenshots and
// trying the window on a known log; the program itself takes no arguments.
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QTimer>
#include <iostream>

#include "app/channel_panel.h"
#include "app/main_window.h"
#include "app/window_language.h"
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
    QString log = QFileInfo(QFile::decodeName(argv[1])).absoluteFilePath();
    window.SetFileChooser([log] { return log; });
    window.show();
    const QStringList channels = QApplication::arguments().mid(2);
    QTimer::singleShot(0, &window, [&window, channels] {
        window.findChild<QAction*>("MenuFileOpen")->trigger();
        for (const QString& channel : channels) {
            window.findChild<orvex::ChannelPanel*>()->Toggle(channel.toInt());
        }
    });
    return QApplication::exec();
}
