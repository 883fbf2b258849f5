#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QLineEdit>
#include <QLocale>
#include <QSettings>
#include <QString>
#include <string>
#include <string_view>
#include <vector>

#include "app/window/main_window.h"
#include "tests/support/temp_folder.h"
#include "text/locale_format.h"

// Readable failures.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
inline std::ostream& operator<<(std::ostream& out, const QString& text) {
    return out << text.toStdString();
}

namespace orvex::test {

// Settings read and written in a folder of the test's own, never in the
// user's home, and none remembered from another test.
class PrivateSettings {
public:
    PrivateSettings();

private:
    TempFolder folder_;
};

// A main window in a pinned locale. Its Open command opens the log the test
// names instead of running the file dialog.
class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest();

    // The Open command with `path` chosen in the dialog, to the load's end;
    // "" cancels it.
    void Open(const std::string& path);
    // The same, leaving the load to run.
    void StartOpen(const std::string& path);
    // Handles the window's events until no load runs or waits.
    void WaitForLoads();
    // Writes a log into the test's folder and opens it; returns its path.
    std::string OpenLog(std::string_view bytes, std::string_view name = "orbit.kss");

    template <class Widget = QWidget>
    Widget* Find(const QString& name) const {
        auto* widget = window.findChild<Widget*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }
    QString Text(const QString& fieldName) const { return Find<QLineEdit>(fieldName)->text(); }
    QString ValueText(int row) const { return Text(QString("Text1_%1").arg(row)); }
    QAction* Action(const QString& name) const { return Find<QAction>(name); }
    QStringList FrameListItems() const;
    QString Status() const { return window.StatusText(); }

    LocaleFormat format{QLocale(QLocale::English, QLocale::UnitedKingdom)};
    TempFolder folder;
    PrivateSettings settings;
    MainWindow window{format};

private:
    QString chosenPath_;
};

// A TLM frame with every channel's raw byte `raw`.
std::string TlmFrame(std::uint32_t timestamp, std::uint8_t raw, std::uint8_t version = 12);
std::string TextFrame(std::string_view text);  // an INF frame
std::string TimeFrame(std::string_view text);

// 2026-12-07 14:03:05 UTC
inline constexpr std::uint32_t kDecemberAfternoon = 1796652185;

}  // namespace orvex::test
