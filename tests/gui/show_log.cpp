// orvex-show-log LOG: the window, with LOG opened through its Open command
// in place of the file dialog, left open. For screenshots and trying the
// window on a known log; the program itself takes no arguments.
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QTimer>
#include <iostream>

#include "app/main_window.h"
#include "text/locale_format.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    if (argc != 2) {
        std::cerr << "usage: orvex-show-log LOG\n";
        return 2;
    }
    const orvex::LocaleFormat format = orvex::LocaleFormat::FromSystem();
    orvex::MainWindow window(format);
    QString log = QFileInfo(QFile::decodeName(argv[1])).absoluteFilePath();
    window.SetFileChooser([log] { return log; });
    window.show();
    QTimer::singleShot(0, window.findChild<QAction*>("MenuFileOpen"), &QAction::trigger);
    return QApplication::exec();
}
