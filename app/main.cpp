// orvex: the telemetry decoder's window.
#include <QApplication>
#include <QLocale>

#include "app/main_window.h"
#include "app/window_language.h"
#include "text/locale_format.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const orvex::WindowLanguage language(QLocale::system());
    const orvex::LocaleFormat format = orvex::LocaleFormat::FromSystem();
    orvex::MainWindow window(format);
    window.show();
    return QApplication::exec();
}
