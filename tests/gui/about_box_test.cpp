#include <QCoreApplication>
#include <QLabel>

#include "app/about_box.h"
#include "app/artwork.h"
#include "tests/gui/form_fixture.h"

namespace orvex::test {
namespace {

using AboutBox = FormTest;

void DeleteClosedWindows() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST_F(AboutBox, IsOneModelessWindowWithTheVersionLine) {
    Action("MnuInfo")->trigger();
    Action("MnuInfo")->trigger();
    ASSERT_EQ(form.findChildren<Info*>().size(), 1);
    Info* info = form.findChild<Info*>();
    EXPECT_TRUE(info->isVisible());
    EXPECT_FALSE(info->isModal());
    EXPECT_EQ(info->windowTitle(), "Info");
    EXPECT_EQ(info->findChild<QLabel*>("Label2")->text(), "Version 2.4    (May 31, 2009)");
    EXPECT_EQ(info->findChild<QLabel*>("Label8")->text(), "Tamlo");
}

TEST_F(AboutBox, IsCreatedAgainAfterItWasClosed) {
    Action("MnuInfo")->trigger();
    form.findChild<Info*>()->close();
    DeleteClosedWindows();
    EXPECT_EQ(form.findChild<Info*>(), nullptr);
    Action("MnuInfo")->trigger();
    ASSERT_NE(form.findChild<Info*>(), nullptr);
    EXPECT_TRUE(form.findChild<Info*>()->isVisible());
}

TEST_F(AboutBox, ExitClosesItWithTheMainWindow) {
    form.show();
    Action("MnuInfo")->trigger();
    Action("MenuFileExit")->trigger();
    EXPECT_FALSE(form.isVisible());
    DeleteClosedWindows();
    EXPECT_EQ(form.findChild<Info*>(), nullptr);
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
