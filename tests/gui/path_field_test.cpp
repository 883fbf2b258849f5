#include <gtest/gtest.h>

#include <QDialog>
#include <QTest>

#include "app/dialogs/archive_dialog.h"
#include "app/dialogs/connect_dialog.h"
#include "app/dialogs/path_field.h"
#include "app/window/object_names.h"

namespace orvex::test {
namespace {

const QString kLongFolder = QStringLiteral(
    "/home/operator/amateur-radio/satellite-passes/club-station-north/recordings/2026/december");

// Until edited, the path shows both its start and its end, cut in the middle,
// and tells itself whole on hover; what the dialog gives back is untouched.
void ExpectCutInTheMiddle(QDialog& dialog, const char* name, const QString& path) {
    dialog.show();
    auto* field = dialog.findChild<PathField*>(name);
    ASSERT_NE(field, nullptr) << name;
    const QString shown = field->ShownText();
    EXPECT_TRUE(shown.contains(QChar(0x2026))) << shown.toStdString();
    EXPECT_TRUE(shown.startsWith("/home/")) << shown.toStdString();
    EXPECT_TRUE(shown.endsWith(path.right(4))) << shown.toStdString();
    EXPECT_LE(field->fontMetrics().horizontalAdvance(shown), field->width());
    EXPECT_EQ(field->toolTip(), path);
    EXPECT_EQ(field->text(), path);

    field->setText(path + "/more");
    EXPECT_EQ(field->toolTip(), path + "/more");
    dialog.activateWindow();
    field->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([field] { return field->hasFocus(); }, 2000));
    EXPECT_EQ(field->ShownText(), path + "/more");
}

TEST(PathField, TheArchivesFileIsCutInTheMiddle) {
    const QString file = kLongFolder + "/orvex-archive.sqlite";
    ArchiveDialog dialog(ArchiveChoice{true, file, "north"}, nullptr);
    ExpectCutInTheMiddle(dialog, object_name::kArchiveFile, file);
}

TEST(PathField, TheRecordingFolderIsCutInTheMiddle) {
    LinkChoice start;
    start.host = "localhost";
    start.port = 8001;
    start.baudRate = 9600;
    start.recordFolder = kLongFolder;
    ConnectDialog dialog(start, nullptr);
    ExpectCutInTheMiddle(dialog, object_name::kConnectFolder, kLongFolder);
}

}  // namespace
}  // namespace orvex::test
