#include <sys/stat.h>
#include <QLabel>
#include <QMenu>

#include "app/window/object_names.h"
#include "tests/gui/main_window_fixture.h"
#include "tests/support/log_builder.h"

namespace orvex::test {
namespace {

class ExportData : public MainWindowTest {
protected:
    ExportData() {
        window.SetFolderChooser([this](const QString& start) {
            startFolders.push_back(start);
            return chosenFolder;
        });
    }

    QString chosenFolder;
    QStringList startFolders;
};

TEST_F(ExportData, IsOffUntilALogIsOpen) {
    QAction* exportData = Action(object_name::kExportDataAction);
    EXPECT_FALSE(exportData->isEnabled());
    EXPECT_TRUE(Find<QMenu>(object_name::kFileMenu)->actions().contains(exportData));
    OpenLog(TimeFrame("12:00:00"));
    EXPECT_TRUE(exportData->isEnabled());
    // The Open command writes no data of its own.
    EXPECT_FALSE(FileExists(folder / "orbit.frames.csv"));
}

TEST_F(ExportData, WritesEveryRecordOfTheShownLogIntoTheChosenFolder) {
    std::string log;
    for (int i = 0; i < 150; ++i) {
        log += TlmFrame(kDecemberAfternoon + i, 100);
    }
    OpenLog(log);
    const std::string data = folder / "data";
    ASSERT_EQ(::mkdir(data.c_str(), 0755), 0);
    chosenFolder = QString::fromStdString(data);
    Action(object_name::kExportDataAction)->trigger();
    WaitForLoads();
    EXPECT_EQ(startFolders, QStringList{QString::fromStdString(folder.Path())});
    const std::string telemetry = ReadFile(data + "/orbit.telemetry.csv");
    EXPECT_EQ(std::count(telemetry.begin(), telemetry.end(), '\n'), 151);
    EXPECT_EQ(window.StatusText(),
              QString::fromStdString("Data of the log written to " + data + "."));
    // The window still shows its load, and the folder is offered again.
    EXPECT_EQ(Find<QLabel>(object_name::kFrameCounter)->text(), "150 frames");
    Action(object_name::kExportDataAction)->trigger();
    WaitForLoads();
    EXPECT_EQ(startFolders.back(), chosenFolder);
}

TEST_F(ExportData, ACancelledDialogWritesNothingAndAFailureIsTold) {
    OpenLog(TimeFrame("12:00:00"));
    const QString afterOpen = window.StatusText();
    Action(object_name::kExportDataAction)->trigger();
    EXPECT_EQ(window.StatusText(), afterOpen);
    EXPECT_FALSE(FileExists(folder / "orbit.frames.csv"));
    chosenFolder = QString::fromStdString(folder / "missing");
    Action(object_name::kExportDataAction)->trigger();
    WaitForLoads();
    EXPECT_TRUE(window.StatusText().startsWith("Cannot write the data file "))
        << window.StatusText();
}

TEST_F(ExportData, TheFrameCounterTellsTheBadBytesOnHover) {
    std::string log = "junk" + TimeFrame("a") + KissFrame(14, "b");
    for (int i = 0; i < 102; ++i) {
        log += TlmFrame(kDecemberAfternoon + i, 0);
    }
    OpenLog(log);
    EXPECT_EQ(Find<QLabel>(object_name::kFrameCounter)->toolTip(),
              "104 frames read, 103 decoded\n"
              "4 bytes outside frames\n"
              "1 frame of unknown type");
}

}  // namespace
}  // namespace orvex::test
