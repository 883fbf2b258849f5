#pragma once

#include <QString>
#include <QStringList>

namespace orvex {

// Names the program for the command line, the settings and the desktop:
// called first in main, before any of them is read.
void NameApplication();

// What the window's command line asks for.
struct WindowArguments {
    enum class Action { OpenWindow, PrintHelp, PrintVersion, UsageError };
    Action action = Action::OpenWindow;
    QString log;   // the log to open at start, as an absolute path; empty: none
    QString text;  // the help, the version line or the error, to be printed
};

// Parses the program's arguments (its own name first). The help and the
// version are answered even when other arguments are wrong: main asks for
// them before it connects to a window system, while the arguments still hold
// the window system's own options, which only the application takes out.
WindowArguments ParseWindowArguments(const QStringList& arguments);

}  // namespace orvex
