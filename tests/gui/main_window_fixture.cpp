#include "tests/gui/main_window_fixture.h"

#include <QFile>
#include <QListView>
#include <QSettings>

#include "app/window/object_names.h"
#include "tests/support/event_wait.h"
#include "tests/support/log_builder.h"

namespace orvex::test {

PrivateSettings::PrivateSettings() {
    for (const auto format : {QSettings::NativeFormat, QSettings::IniFormat}) {
        QSettings::setPath(format, QSettings::UserScope, QString::fromStdString(folder_.Path()));
    }
}

MainWindowTest::MainWindowTest() {
    window.SetFileChooser([this] { return chosenPath_; });
}

void MainWindowTest::Open(const std::string& path) {
    StartOpen(path);
    WaitForLoads();
}

void MainWindowTest::StartOpen(const std::string& path) {
    chosenPath_ = QFile::decodeName(path.c_str());
    Action(object_name::kOpenAction)->trigger();
}

void MainWindowTest::WaitForLoads() {
    EXPECT_TRUE(HandleEventsUntil([this] { return window.Idle(); })) << "the load did not end";
}

std::string MainWindowTest::OpenLog(std::string_view bytes, std::string_view name) {
    std::string path = folder.Write(name, bytes);
    Open(path);
    return path;
}

QStringList MainWindowTest::FrameListItems() const {
    const QAbstractItemModel* model = Find<QListView>(object_name::kFrameList)->model();
    QStringList items;
    for (int row = 0; row < model->rowCount(); ++row) {
        items << model->index(row, 0).data().toString();
    }
    return items;
}

std::string TlmFrame(std::uint32_t timestamp, std::uint8_t raw, std::uint8_t version) {
    return KissFrame(2, TlmBody(timestamp, raw, version));
}

std::string TextFrame(std::string_view text) {
    return KissFrame(7, text);
}

std::string TimeFrame(std::string_view text) {
    return KissFrame(1, text);
}

}  // namespace orvex::test
