#include <QImage>
#include <QSpinBox>
#include <QSvgRenderer>
#include <QTest>
#include <cmath>

#include "app/chart/history_chart.h"
#include "app/dialogs/picture_size_dialog.h"
#include "app/window/object_names.h"
#include "tests/gui/main_window_fixture.h"

namespace orvex::test {
namespace {

class ChartExport : public MainWindowTest {
protected:
    void SetUp() override {
        window.SetImageChooser([this](ImageFormat format) {
            chosenFormats.push_back(format);
            return QString::fromStdString(chosenPath);
        });
        window.SetPictureSizeChooser([this](const QSize& start) -> std::optional<QSize> {
            offeredSizes.push_back(start);
            if (chosenSize == QSize(0, 0)) {
                return std::nullopt;
            }
            return chosenSize.isValid() ? chosenSize : start;
        });
        window.show();
        OpenLog(TlmFrame(kDecemberAfternoon, 0) + TlmFrame(kDecemberAfternoon + 60, 100));
        QCoreApplication::processEvents();
    }
    QSize ChartSize() const { return Find<HistoryChart>(object_name::kChart)->viewport()->size(); }

    std::string chosenPath;
    std::vector<ImageFormat> chosenFormats;
    QSize chosenSize;  // invalid: the size offered; 0 x 0: cancelled
    std::vector<QSize> offeredSizes;
};

TEST_F(ChartExport, SavesThePngPictureOfTheChartAsShown) {
    chosenPath = folder / "chart.png";
    Action(object_name::kSavePngAction)->trigger();
    EXPECT_EQ(chosenFormats, std::vector<ImageFormat>{ImageFormat::Png});
    const QImage image(QString::fromStdString(chosenPath));
    ASSERT_FALSE(image.isNull());
    // The chart as shown, under its caption, as the size offered first.
    EXPECT_EQ(image.width(), ChartSize().width());
    EXPECT_GT(image.height(), ChartSize().height());
    EXPECT_EQ(offeredSizes, std::vector<QSize>{image.size()});
    EXPECT_EQ(image.pixelColor(1, 1), QColor(Qt::white));
    EXPECT_EQ(Status(), QString::fromStdString("Chart saved to " + chosenPath + "."));
}

TEST_F(ChartExport, SavesTheSvgDrawingOfTheChartAsShown) {
    chosenPath = folder / "chart.svg";
    Action(object_name::kSaveSvgAction)->trigger();
    QSvgRenderer drawing(QString::fromStdString(chosenPath));
    ASSERT_TRUE(drawing.isValid());
    EXPECT_EQ(drawing.viewBox().width(), ChartSize().width());
    EXPECT_TRUE(ReadFile(chosenPath).find("<title>Battery 0       [ V ]</title>") !=
                std::string::npos);
}

// The picture says what it shows: the channels with their units, the span
// drawn in UTC and the log.
TEST_F(ChartExport, TheSavedPictureNamesItsChannelsUnitsSpanAndLog) {
    QTest::mouseClick(Find(object_name::ChannelSelector(28)), Qt::LeftButton, Qt::ControlModifier);
    chosenPath = folder / "chart.svg";
    Action(object_name::kSaveSvgAction)->trigger();
    const std::string drawing = ReadFile(chosenPath);
    const TimeSpan span = Find<HistoryChart>(object_name::kChart)->VisibleSpan();
    EXPECT_EQ(std::lround(span.first), kDecemberAfternoon - 1);  // a margin either side
    for (const char* shown : {"Battery 0 [ V ], TX A RF Output [ mW ]",
                              "07/12/2026 14:03:04 to 07/12/2026 14:04:06 (UTC), orbit.kss"}) {
        EXPECT_NE(drawing.find(shown), std::string::npos) << shown;
    }
}

TEST_F(ChartExport, NothingChartedCannotBeSaved) {
    MainWindow fresh(format);
    EXPECT_FALSE(fresh.findChild<QAction*>(object_name::kSavePngAction)->isEnabled());
    EXPECT_FALSE(fresh.findChild<QAction*>(object_name::kSaveSvgAction)->isEnabled());
    EXPECT_TRUE(Action(object_name::kSavePngAction)->isEnabled());
    // A log without telemetry charts nothing.
    OpenLog(TextFrame("HELLO"), "text.kss");
    EXPECT_FALSE(Action(object_name::kSavePngAction)->isEnabled());
    EXPECT_FALSE(Action(object_name::kSaveSvgAction)->isEnabled());
}

TEST_F(ChartExport, AFileThatCannotBeWrittenIsToldAndNothingIsLeft) {
    chosenPath = folder / "no such folder/chart.png";
    Action(object_name::kSavePngAction)->trigger();
    EXPECT_TRUE(Status().startsWith(
        QString::fromStdString("Cannot save the chart to " + chosenPath + ": ")));
    EXPECT_FALSE(FileExists(chosenPath));
}

// Both forms are drawn at the size chosen, the caption within it, and the
// next picture of the run is offered that size.
TEST_F(ChartExport, SavesThePictureAtTheSizeChosenAndOffersItNextTime) {
    chosenSize = QSize(1000, 600);
    chosenPath = folder / "chart.png";
    Action(object_name::kSavePngAction)->trigger();
    const QImage image(QString::fromStdString(chosenPath));
    EXPECT_EQ(image.size(), QSize(1000, 600));
    // The chart is laid out for the picture: its plot's white reaches near
    // the bottom-right corner, where the shown chart's would end far sooner.
    EXPECT_EQ(image.pixelColor(900, 520), QColor(Qt::white));

    chosenSize = QSize(500, 700);
    chosenPath = folder / "chart.svg";
    Action(object_name::kSaveSvgAction)->trigger();
    EXPECT_EQ(offeredSizes.back(), QSize(1000, 600));
    QSvgRenderer drawing(QString::fromStdString(chosenPath));
    EXPECT_EQ(drawing.viewBox(), QRect(0, 0, 500, 700));
    EXPECT_NE(ReadFile(chosenPath).find("Battery 0       [ V ]"), std::string::npos);

    // A size beyond reason is brought within the sizes a picture may have.
    chosenSize = QSize(20000, 10);
    chosenPath = folder / "huge.png";
    Action(object_name::kSavePngAction)->trigger();
    EXPECT_EQ(QImage(QString::fromStdString(chosenPath)).size(),
              QSize(kLargestPicture.width(), kSmallestPicture.height()));
}

TEST_F(ChartExport, ACancelledDialogSavesNothing) {
    const QString before = Status();
    chosenPath.clear();
    Action(object_name::kSaveSvgAction)->trigger();
    EXPECT_EQ(Status(), before);
    // Cancelled at the size, the file is not asked for.
    chosenSize = QSize(0, 0);
    chosenPath = folder / "chart.svg";
    Action(object_name::kSaveSvgAction)->trigger();
    EXPECT_EQ(chosenFormats.size(), 1u);
    EXPECT_FALSE(FileExists(chosenPath));
}

TEST(PictureSizeDialog, OffersTheSizeGivenWithinTheSizesAPictureMayHave) {
    PictureSizeDialog dialog(QSize(700, 330), nullptr);
    auto* width = dialog.findChild<QSpinBox*>(object_name::kPictureWidth);
    auto* height = dialog.findChild<QSpinBox*>(object_name::kPictureHeight);
    ASSERT_NE(width, nullptr);
    ASSERT_NE(height, nullptr);
    EXPECT_EQ(dialog.Size(), QSize(700, 330));
    width->setValue(1);
    height->setValue(99999);
    EXPECT_EQ(dialog.Size(), QSize(kSmallestPicture.width(), kLargestPicture.height()));
}

}  // namespace
}  // namespace orvex::test
