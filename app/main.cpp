// orvex: the telemetry decoder's window.
#include <QApplication>

#include "app/form1.h"
#include "input/locale_format.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const orvex::LocaleFormat format = orvex::LocaleFormat::FromSystem();
    orvex::Form1 window(format);
    window.show();
    return QApplication::exec();
}
