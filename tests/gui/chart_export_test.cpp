#include <QImage>
#include <QSvgRenderer>

#include "app/chart/history_chart.h"
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
        window.show();
        OpenLog(TlmFrame(kDecemberAfternoon, 0) + TlmFrame(kDecemberAfternoon + 60, 100));
        QCoreApplication::processEvents();
    }
    QSize ChartSize() const { return Find<HistoryChart>(object_name::kChart)->viewport()->size(); }

    std::string chosenPath;
    std::vector<ImageFormat> chosenFormats;
};

TEST_F(ChartExport, SavesThePngPictureOfTheChartAsShown) {
    chosenPath = folder / "chart.png";
    Action(object_name::kSavePngAction)->trigger();
    EXPECT_EQ(chosenFormats, std::vector<ImageFormat>{ImageFormat::Png});
    const QImage image(QString::fromStdString(chosenPath));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), ChartSize());
    EXPECT_EQ(image.pixelColor(1, 1), QColor(Qt::white));
    EXPECT_EQ(Status(), QString::fromStdString("Chart saved to " + chosenPath + "."));
}

TEST_F(ChartExport, SavesTheSvgDrawingOfTheChartAsShown) {
    chosenPath = folder / "chart.svg";
    Action(object_name::kSaveSvgAction)->trigger();
    QSvgRenderer drawing(QString::fromStdString(chosenPath));
    ASSERT_TRUE(drawing.isValid());
    EXPECT_EQ(drawing.viewBox().size(), ChartSize());
    EXPECT_TRUE(ReadFile(chosenPath).find("<title>Battery 0       [ V ]</title>") !=
                std::string::npos);
}

TEST_F(ChartExport, AFileThatCannotBeWrittenIsToldAndNothingIsLeft) {
    chosenPath = folder / "no such folder/chart.png";
    Action(object_name::kSavePngAction)->trigger();
    EXPECT_TRUE(Status().startsWith(
        QString::fromStdString("Cannot save the chart to " + chosenPath + ": ")));
    EXPECT_FALSE(FileExists(chosenPath));
}

TEST_F(ChartExport, ACancelledDialogSavesNothing) {
    const QString before = Status();
    chosenPath.clear();
    Action(object_name::kSaveSvgAction)->trigger();
    EXPECT_EQ(Status(), before);
}

}  // namespace
}  // namespace orvex::test
