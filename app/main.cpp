// orvex: the telemetry decoder's window.
#include <QApplication>
#include <QCoreApplication>
#include <QLocale>
#include <QTimer>
#include <iostream>

#include "app/settings/window_language.h"
#include "app/window/command_line.h"
#include "app/window/main_window.h"
#include "text/locale_format.h"

namespace {

int Print(std::ostream& out, const QString& text, int status) {
    out << text.toLocal8Bit().constData() << std::flush;
    return status;
}

}  // namespace

int main(int argc, char* argv[]) {
    using Action = orvex::WindowArguments::Action;
    orvex::NameApplication();
    {
        // Help and version need no display: answered by a core application,
        // before the window system is reached, they work on any terminal.
        const QCoreApplication core(argc, argv);
        const orvex::WindowArguments asked =
            orvex::ParseWindowArguments(QCoreApplication::arguments());
        if (asked.action == Action::PrintHelp || asked.action == Action::PrintVersion) {
            return Print(std::cout, asked.text, 0);
        }
    }

    QApplication application(argc, argv);
    const orvex::WindowLanguage language(QLocale::system());
    const orvex::WindowArguments arguments =
        orvex::ParseWindowArguments(QCoreApplication::arguments());
    if (arguments.action == Action::UsageError) {
        return Print(std::cerr, arguments.text, 2);
    }
    const orvex::LocaleFormat format = orvex::LocaleFormat::FromSystem();
    orvex::MainWindow window(format);
    window.show();
    if (!arguments.log.isEmpty()) {
        QTimer::singleShot(0, &window, [&] { window.OpenLogFile(arguments.log); });
    }
    return QApplication::exec();
}
