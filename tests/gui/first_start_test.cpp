#include <QLabel>
#include <QSet>

#include "app/window/object_names.h"
#include "tests/gui/main_window_fixture.h"

namespace orvex::test {
namespace {

using FirstStart = MainWindowTest;

TEST_F(FirstStart, TheEmptyChartSaysHowToGetALogUntilOneIsOpened) {
    window.show();
    auto* hint = Find<QLabel>(object_name::kFirstStartHint);
    ASSERT_TRUE(hint->isVisible());
    EXPECT_EQ(hint->text(),
              "Open a log (Ctrl+O), drop one here, or File \u25b8 Connect\u2026 to a TNC");
    const QWidget* chart = Find(object_name::kChart);
    EXPECT_TRUE(chart->rect().contains(hint->geometry().center() + hint->parentWidget()->pos()));

    // An empty log is open too: nothing to chart, but nothing to tell either.
    OpenLog("");
    EXPECT_FALSE(hint->isVisible());
}

TEST_F(FirstStart, EachBoxAboveThePanelSaysWhatItHolds) {
    QSet<QString> tips;
    for (const char* box :
         {object_name::kRecordTime, object_name::kFrameList, object_name::kSoftwareVersion,
          object_name::kRecordScrollBar, object_name::kRecordPosition}) {
        const QString tip = Find(box)->toolTip();
        EXPECT_FALSE(tip.isEmpty()) << box;
        tips.insert(tip);
    }
    EXPECT_EQ(tips.size(), 5);
}

}  // namespace
}  // namespace orvex::test
