#include <QApplication>
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "app/dialogs/about_box.h"
#include "app/widgets/artwork.h"
#include "app/window/object_names.h"
#include "tests/gui/main_window_fixture.h"

namespace orvex::test {
namespace {

using AboutBoxTest = MainWindowTest;

void DeleteClosedWindows() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST_F(AboutBoxTest, IsOneModelessWindowWithTheVersionLine) {
    Action(object_name::kAboutAction)->trigger();
    Action(object_name::kAboutAction)->trigger();
    ASSERT_EQ(window.findChildren<orvex::AboutBox*>().size(), 1);
    orvex::AboutBox* info = window.findChild<orvex::AboutBox*>();
    EXPECT_TRUE(info->isVisible());
    EXPECT_FALSE(info->isModal());
    EXPECT_EQ(info->windowTitle(), "Info");
    EXPECT_EQ(info->findChild<QLabel*>(object_name::kAboutVersion)->text(),
              "Version 2.4    (May 31, 2009)");
    EXPECT_EQ(info->findChild<QLabel*>(object_name::kAboutCallSign)->text(), "Tamlo");
}

TEST_F(AboutBoxTest, IsCreatedAgainAfterItWasClosed) {
    Action(object_name::kAboutAction)->trigger();
    window.findChild<orvex::AboutBox*>()->close();
    DeleteClosedWindows();
    EXPECT_EQ(window.findChild<orvex::AboutBox*>(), nullptr);
    Action(object_name::kAboutAction)->trigger();
    ASSERT_NE(window.findChild<orvex::AboutBox*>(), nullptr);
    EXPECT_TRUE(window.findChild<orvex::AboutBox*>()->isVisible());
}

TEST_F(AboutBoxTest, ExitClosesItWithTheMainWindow) {
    window.show();
    Action(object_name::kAboutAction)->trigger();
    Action("MenuFileExit")->trigger();
    EXPECT_FALSE(window.isVisible());
    DeleteClosedWindows();
    EXPECT_EQ(window.findChild<orvex::AboutBox*>(), nullptr);
}

TEST_F(AboutBoxTest, ClosesWithEscapeEnterAndItsCloseButton) {
    window.show();
    const auto shown = [this] {
        Action(object_name::kAboutAction)->trigger();
        auto* info = window.findChild<orvex::AboutBox*>();
        EXPECT_TRUE(QTest::qWaitForWindowActive(info));
        return info;
    };
    orvex::AboutBox* info = shown();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_FALSE(info->isVisible());
    DeleteClosedWindows();

    info = shown();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_FALSE(info->isVisible());
    DeleteClosedWindows();

    info = shown();
    auto* close = info->findChild<QPushButton*>(object_name::kAboutClose);
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(close->text(), "Close");
    // Wholly inside the box.
    EXPECT_TRUE(info->rect().contains(close->geometry()));
    QTest::mouseClick(close, Qt::LeftButton);
    EXPECT_FALSE(info->isVisible());
}

TEST(AboutPicture, IsBlackOnTransparent) {
    const QImage picture = AboutPicture();
    ASSERT_EQ(picture.size(), QSize(183, 230));
    int black = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb pixel = picture.pixel(x, y);
            if (qAlpha(pixel) == 0) {
                continue;
            }
            ASSERT_EQ(pixel, qRgba(0, 0, 0, 255)) << x << "," << y;
            ++black;
        }
    }
    EXPECT_GT(black, 100);
}

}  // namespace
}  // namespace orvex::test
