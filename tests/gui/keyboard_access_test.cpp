#include <QAccessible>
#include <QGroupBox>
#include <QHelpEvent>
#include <QLabel>
#include <QListView>
#include <QMenuBar>
#include <QScrollBar>
#include <QStyleOptionSlider>
#include <QTest>
#include <QToolTip>

#include "app/chart/history_chart.h"
#include "app/widgets/focus_mark.h"
#include "app/window/object_names.h"
#include "tests/gui/main_window_fixture.h"
#include "tests/support/log_builder.h"

namespace orvex::test {
namespace {

class KeyboardAccess : public MainWindowTest {
protected:
    QScrollBar* ScrollBar() const { return Find<QScrollBar>(object_name::kRecordScrollBar); }
    std::string Records(int count) {
        std::string log;
        for (int i = 0; i < count; ++i) {
            log += TlmFrame(kDecemberAfternoon + i, static_cast<std::uint8_t>(i));
        }
        return log;
    }
};

TEST_F(KeyboardAccess, EveryMenuHasAMnemonic) {
    for (QAction* menu : window.menuBar()->actions()) {
        EXPECT_FALSE(QKeySequence::mnemonic(menu->text()).isEmpty()) << menu->text();
    }
    EXPECT_EQ(QKeySequence::mnemonic(window.menuBar()->actions().at(0)->text()),
              QKeySequence(Qt::ALT | Qt::Key_F));
    EXPECT_EQ(QKeySequence::mnemonic(window.menuBar()->actions().at(1)->text()),
              QKeySequence(Qt::ALT | Qt::Key_S));
    EXPECT_EQ(QKeySequence::mnemonic(window.menuBar()->actions().at(2)->text()),
              QKeySequence(Qt::ALT | Qt::Key_I));
}

TEST_F(KeyboardAccess, TabReachesTheRecordScrollBarAndKeysStepTheRecords) {
    window.show();
    OpenLog(Records(40));
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    Find(object_name::kRecordTime)->setFocus();
    int tabs = 0;
    while (QApplication::focusWidget() != ScrollBar() && tabs < 10) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ++tabs;
    }
    ASSERT_EQ(QApplication::focusWidget(), ScrollBar());

    QTest::keyClick(ScrollBar(), Qt::Key_Right);
    EXPECT_EQ(Text(object_name::kRecordPosition), "#2 / 40");
    EXPECT_EQ(ValueText(24), "1.000");
    QTest::keyClick(ScrollBar(), Qt::Key_PageDown);
    EXPECT_EQ(Text(object_name::kRecordPosition), "#12 / 40");
    QTest::keyClick(ScrollBar(), Qt::Key_End);
    EXPECT_EQ(Text(object_name::kRecordPosition), "#40 / 40");
    EXPECT_EQ(ValueText(24), "39.000");
    QTest::keyClick(ScrollBar(), Qt::Key_Left);
    EXPECT_EQ(Text(object_name::kRecordPosition), "#39 / 40");
    QTest::keyClick(ScrollBar(), Qt::Key_PageUp);
    EXPECT_EQ(Text(object_name::kRecordPosition), "#29 / 40");
    QTest::keyClick(ScrollBar(), Qt::Key_Home);
    EXPECT_EQ(Text(object_name::kRecordPosition), "#1 / 40");
}

TEST_F(KeyboardAccess, TheThumbIsShortAndHasRoomToRun) {
    window.show();
    OpenLog(Records(100));
    QStyleOptionSlider option;
    option.initFrom(ScrollBar());
    option.orientation = Qt::Horizontal;
    option.minimum = ScrollBar()->minimum();
    option.maximum = ScrollBar()->maximum();
    option.pageStep = ScrollBar()->pageStep();
    option.sliderPosition = ScrollBar()->sliderPosition();
    QStyle* style = ScrollBar()->style();
    const QRect groove = style->subControlRect(QStyle::CC_ScrollBar, &option,
                                               QStyle::SC_ScrollBarGroove, ScrollBar());
    const QRect thumb = style->subControlRect(QStyle::CC_ScrollBar, &option,
                                              QStyle::SC_ScrollBarSlider, ScrollBar());
    EXPECT_LE(thumb.width(), 10);
    // A pixel of travel is at most three records.
    EXPECT_GE(3 * (groove.width() - thumb.width()), ScrollBar()->maximum() - 1);
}

TEST_F(KeyboardAccess, TabReachesTheChartWhichShowsItsFocusAndAnswersItsKeys) {
    window.show();
    OpenLog(Records(40));
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    auto* chart = Find<HistoryChart>(object_name::kChart);
    auto* mark = chart->findChild<FocusMark*>();
    ASSERT_NE(mark, nullptr);
    EXPECT_FALSE(mark->isVisible());
    Find(object_name::kRecordTime)->setFocus();
    int tabs = 0;
    while (QApplication::focusWidget() != chart && tabs < 200) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ++tabs;
    }
    ASSERT_EQ(QApplication::focusWidget(), chart);
    EXPECT_TRUE(mark->isVisible());

    const TimeSpan whole = chart->VisibleSpan();
    QTest::keyClick(chart, Qt::Key_Plus);
    EXPECT_NEAR(chart->VisibleSpan().Length(), whole.Length() / 2, 1e-6);
    const TimeSpan zoomed = chart->VisibleSpan();
    QTest::keyClick(chart, Qt::Key_Right);
    EXPECT_GT(chart->VisibleSpan().first, zoomed.first);
    QTest::keyClick(chart, Qt::Key_Left);
    EXPECT_NEAR(chart->VisibleSpan().first, zoomed.first, 1e-6);
    QTest::keyClick(chart, Qt::Key_Minus);
    EXPECT_NEAR(chart->VisibleSpan().Length(), whole.Length(), 1e-6);
    QTest::keyClick(chart, Qt::Key_Plus);
    QTest::keyClick(chart, Qt::Key_Home);
    EXPECT_EQ(chart->VisibleSpan(), whole);

    QTest::keyClick(chart, Qt::Key_Tab);
    EXPECT_FALSE(mark->isVisible());
}

TEST_F(KeyboardAccess, TheRecordScrollBarShowsItsFocus) {
    window.show();
    OpenLog(Records(3));
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    auto* mark = ScrollBar()->findChild<FocusMark*>();
    ASSERT_NE(mark, nullptr);
    EXPECT_FALSE(mark->isVisible());
    ScrollBar()->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(mark->isVisible());
    EXPECT_EQ(mark->geometry(), ScrollBar()->rect());
}

TEST_F(KeyboardAccess, EveryChannelSelectorAndValueFieldHasItsName) {
    for (int row = 0; row < kChannelCount; ++row) {
        const QString name = Find<QLabel>(QString("Label1_%1").arg(row))->text().trimmed();
        EXPECT_EQ(Find(QString("Option1_%1").arg(row))->accessibleName(), name);
        EXPECT_EQ(Find(QString("Text1_%1").arg(row))->accessibleName(), name + " value");
    }
    EXPECT_EQ(Find(object_name::ChannelValue(0))->accessibleName(), "Battery 0 value");
    auto* selector = QAccessible::queryAccessibleInterface(Find(object_name::ChannelSelector(28)));
    ASSERT_NE(selector, nullptr);
    EXPECT_EQ(selector->text(QAccessible::Name), "TX A RF Output");
    for (const char* named :
         {object_name::kRecordScrollBar, object_name::kRecordPosition,
          object_name::kSoftwareVersion, object_name::kRecordTime, object_name::kFrameList,
          object_name::kLogPath, object_name::kFrameCounter, object_name::kChart,
          object_name::kStatusLine}) {
        EXPECT_FALSE(Find(named)->accessibleName().isEmpty()) << named;
    }
}

TEST_F(KeyboardAccess, CtrlSpaceOnASelectorAddsItsChannel) {
    window.show();
    OpenLog(Records(2));
    QWidget* selector = Find(object_name::ChannelSelector(9));
    selector->setFocus();
    QTest::keyClick(selector, Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(Find<QGroupBox>(object_name::kChartFrame)->title(),
              "Battery 0 [ V ], 8 Volts Bus [ V ]");
    QTest::keyClick(selector, Qt::Key_Space);
    EXPECT_EQ(Find<QGroupBox>(object_name::kChartFrame)->title(), "8 Volts Bus     [ V ] ");
}

TEST_F(KeyboardAccess, ALongFrameListItemTellsItsWholeTextOnHover) {
    window.show();
    const std::string longText(120, 'W');
    OpenLog(TextFrame(longText) + TextFrame("SHORT"));
    auto* list = Find<QListView>(object_name::kFrameList);
    const QPoint first = list->visualRect(list->model()->index(0, 0)).center();
    QHelpEvent hover(QEvent::ToolTip, first, list->viewport()->mapToGlobal(first));
    QCoreApplication::sendEvent(list->viewport(), &hover);
    ASSERT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), QString::fromStdString(longText));

    list->scrollTo(list->model()->index(1, 0));
    const QPoint second = list->visualRect(list->model()->index(1, 0)).center();
    QHelpEvent shortHover(QEvent::ToolTip, second, list->viewport()->mapToGlobal(second));
    QCoreApplication::sendEvent(list->viewport(), &shortHover);
    EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 2000));
}

// The widest texts each field can show keep the font they were given.
TEST_F(KeyboardAccess, NoValueTextIsNarrowedOrCutAtTheDefaultFont) {
    window.show();
    std::array<std::uint8_t, 38> widest{};
    widest.fill(255);
    OpenLog(KissFrame(2, TlmBody(kDecemberAfternoon, widest, 255)) +
            TlmFrame(kDecemberAfternoon, 0));
    for (int position = 1; position <= 2; ++position) {
        Find<QScrollBar>(object_name::kRecordScrollBar)->setValue(position);
        for (int row = 0; row < kChannelCount; ++row) {
            const QFont font = Find(QString("Text1_%1").arg(row))->font();
            EXPECT_TRUE(font.stretch() == 0 || font.stretch() == 100) << ValueText(row);
        }
    }
    window.ShowRecordPosition("#100 / 100");
    window.ShowFrameCount(4294967295U);
    for (const char* field : {object_name::kRecordPosition, object_name::kSoftwareVersion,
                              object_name::kRecordTime, object_name::kFrameCounter}) {
        const int stretch = Find(field)->font().stretch();
        EXPECT_TRUE(stretch == 0 || stretch == 100) << field;
    }
    // The status row's fields lie within their frame.
    auto* status = Find<QGroupBox>(object_name::kStatusFrame);
    for (int row : {kEclipseChannel, kSetPointChannel, kTeprStateChannel}) {
        EXPECT_LT(Find(QString("Text1_%1").arg(row))->geometry().bottom(), status->height() - 2)
            << row;
    }
}

}  // namespace
}  // namespace orvex::test
