// The ways a desktop user opens a log besides File > Open: a drop on the
// window, File > Recent Files, and the file dialog's start.
#include <QApplication>
#include <QDropEvent>
#include <QFileDialog>
#include <QMenu>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <filesystem>

#include "app/window/object_names.h"
#include "tests/gui/main_window_fixture.h"

namespace orvex::test {
namespace {

class DesktopOpen : public MainWindowTest {
protected:
    // Drags `urls` over the window and drops them there; true when the
    // window took the drop. The load starts once the drop has ended.
    bool Drop(const QList<QUrl>& urls) {
        QMimeData data;
        data.setUrls(urls);
        const QPoint at = window.rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&window, &enter);
        if (!enter.isAccepted()) {
            return false;
        }
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&window, &drop);
        QApplication::processEvents();
        WaitForLoads();
        return drop.isAccepted();
    }
    static QUrl FileUrl(const std::string& path) {
        return QUrl::fromLocalFile(QString::fromStdString(path));
    }
    QMenu* RecentMenu() const { return Find<QMenu>(object_name::kRecentFilesMenu); }
    QStringList RecentItems() const {
        QStringList items;
        for (const QAction* action : RecentMenu()->actions()) {
            items << action->text();
        }
        return items;
    }
    QString Item(int number, const std::string& path) const {
        return QStringLiteral("&%1 %2").arg(number).arg(QString::fromStdString(path));
    }
};

TEST_F(DesktopOpen, ADroppedLogIsOpenedAsFileOpenWould) {
    const std::string path = folder.Write("orbit.kss", TlmFrame(kDecemberAfternoon, 0));
    EXPECT_TRUE(Drop({FileUrl(path)}));
    EXPECT_EQ(Text(object_name::kLogPath), QString::fromStdString(path));
    EXPECT_EQ(Text(object_name::kRecordPosition), "#1 / 1");
    EXPECT_EQ(ValueText(0), "1.900");
    EXPECT_TRUE(FileExists(folder / "orbit.tlm"));
    EXPECT_EQ(RecentItems(), QStringList{Item(1, path)});
}

TEST_F(DesktopOpen, DropsOfAnythingButOneFileAreRefused) {
    const std::string a = folder.Write("a.kss", TlmFrame(0, 0));
    const std::string b = folder.Write("b.kss", TlmFrame(0, 0));
    std::filesystem::create_directory(folder / "logs");
    EXPECT_FALSE(Drop({FileUrl(a), FileUrl(b)}));
    EXPECT_FALSE(Drop({FileUrl(folder / "logs")}));
    EXPECT_FALSE(Drop({QUrl("https://example.org/orbit.kss")}));
    EXPECT_FALSE(Drop({}));
    EXPECT_EQ(Text(object_name::kLogPath), "");
    EXPECT_FALSE(FileExists(folder / "a.tlm"));
}

TEST_F(DesktopOpen, RecentFilesListTheLastLogsNewestFirstAndOpenThem) {
    EXPECT_FALSE(RecentMenu()->isEnabled());
    const std::string a = OpenLog(TlmFrame(0, 0), "a.kss");
    const std::string b = OpenLog(TlmFrame(0, 0), "b & c.kss");
    EXPECT_EQ(RecentItems(), QStringList({Item(1, folder / "b && c.kss"), Item(2, a)}));

    RecentMenu()->actions().at(1)->trigger();
    WaitForLoads();
    EXPECT_EQ(Text(object_name::kLogPath), QString::fromStdString(a));
    EXPECT_EQ(RecentItems(), QStringList({Item(1, a), Item(2, folder / "b && c.kss")}));

    Open("");  // a cancelled dialog changes nothing
    EXPECT_EQ(RecentItems().size(), 2);
    for (int i = 0; i < 10; ++i) {
        OpenLog(TlmFrame(0, 0), "log" + std::to_string(i) + ".kss");
    }
    const QStringList items = RecentItems();
    ASSERT_EQ(items.size(), 8);
    EXPECT_EQ(items.front(), Item(1, folder / "log9.kss"));
    EXPECT_EQ(items.back(), Item(8, folder / "log2.kss"));
    EXPECT_TRUE(RecentMenu()->isEnabled());
}

TEST_F(DesktopOpen, ALogThatIsGoneLeavesTheListOneThatCannotBeReadStays) {
    const std::string gone = OpenLog(TlmFrame(0, 0), "gone.kss");
    const std::string locked = OpenLog(TlmFrame(0, 0), "locked.kss");
    std::filesystem::remove(gone);
    std::filesystem::remove(locked);
    std::filesystem::create_directory(locked);  // exists, but no log can be read from it
    RecentMenu()->actions().at(1)->trigger();
    WaitForLoads();
    EXPECT_TRUE(window.StatusText().startsWith("Cannot open the log ")) << window.StatusText();
    RecentMenu()->actions().at(0)->trigger();
    WaitForLoads();
    EXPECT_TRUE(window.StatusText().startsWith("Cannot ")) << window.StatusText();
    EXPECT_EQ(RecentItems(), QStringList{Item(1, locked)});
}

TEST_F(DesktopOpen, TheNextRunKeepsRecentFilesAndFolderButNothingElse) {
    const std::string log = OpenLog(TlmFrame(0, 0), "orbit.kss");
    Action(object_name::kWriteReportAction)->trigger();
    Action(object_name::kWriteWodExportAction)->trigger();

    MainWindow next(format);
    auto* recent = next.findChild<QMenu*>(object_name::kRecentFilesMenu);
    ASSERT_NE(recent, nullptr);
    ASSERT_EQ(recent->actions().size(), 1);
    EXPECT_EQ(recent->actions().front()->text(), Item(1, log));
    EXPECT_TRUE(next.findChild<QAction*>(object_name::kWriteReportAction)->isChecked());
    EXPECT_TRUE(next.findChild<QAction*>(object_name::kWriteWodExportAction)->isChecked());

    // The file dialog starts in the last log's folder and shows KISS logs
    // first, or every file (also those without a dot in their name).
    QString startFolder;
    QStringList filters;
    QTimer::singleShot(0, &next, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        startFolder = dialog->directory().absolutePath();
        filters = dialog->nameFilters();
        dialog->reject();
    });
    next.findChild<QAction*>(object_name::kOpenAction)->trigger();
    EXPECT_EQ(startFolder, QString::fromStdString(folder.Path()));
    EXPECT_EQ(filters, QStringList({"KISS logs (*.kss)", "All files (*)"}));
}

}  // namespace
}  // namespace orvex::test
