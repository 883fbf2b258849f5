#include "app/window/command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>

namespace orvex {
namespace {

QString Translate(const char* text) {
    return QCoreApplication::translate("orvex::CommandLine", text);
}

WindowArguments Answer(WindowArguments::Action action, const QString& text) {
    WindowArguments arguments;
    arguments.action = action;
    arguments.text = text;
    return arguments;
}

}  // namespace

void NameApplication() {
    QCoreApplication::setApplicationName(QStringLiteral("orvex"));
    QCoreApplication::setOrganizationName(QStringLiteral("orvex"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ORVEX_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("orvex"));
}

WindowArguments ParseWindowArguments(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        Translate("Decodes a ground station's KISS log of the Orvex satellite's downlink and "
                  "shows its telemetry."));
    // Not addHelpOption(): its --help-all lists the window system's options
    // only through process(), which exits on its own.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  Translate("Displays this help."));
    parser.addOption(help);
    const QCommandLineOption version = parser.addVersionOption();
    parser.addPositionalArgument(
        QStringLiteral("log"),
        Translate("A KISS log (.kss) to open at start, as File > Open would open it."),
        QStringLiteral("[log]"));

    const bool parsed = parser.parse(arguments);
    if (parser.isSet(help)) {
        return Answer(WindowArguments::Action::PrintHelp, parser.helpText());
    }
    if (parser.isSet(version)) {
        return Answer(WindowArguments::Action::PrintVersion,
                      QCoreApplication::applicationName() + QLatin1Char(' ') +
                          QCoreApplication::applicationVersion() + QLatin1Char('\n'));
    }
    const QStringList logs = parser.positionalArguments();
    QString error;
    if (!parsed) {
        error = parser.errorText();
    } else if (logs.size() > 1) {
        error = Translate("one log at a time, not %1").arg(logs.size());
    }
    if (!error.isEmpty()) {
        return Answer(WindowArguments::Action::UsageError,
                      QCoreApplication::applicationName() + QStringLiteral(": ") + error +
                          QLatin1Char('\n') + parser.helpText());
    }
    WindowArguments open;
    if (!logs.isEmpty()) {
        // The file dialog gives absolute paths; the log path field and the
        // recent files show what it would have shown.
        open.log = QFileInfo(logs.front()).absoluteFilePath();
    }
    return open;
}

}  // namespace orvex
