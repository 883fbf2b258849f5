#include "app/widgets/top_strip.h"

#include "app/widgets/focus_mark.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QProxyStyle>
#include <QScrollBar>

#include "app/dialogs/elided_item_tool_tips.h"
#include "app/widgets/anchored_layout.h"
#include "app/widgets/window_style.h"
#include "app/window/object_names.h"

namespace orvex {
namespace {

// The strip's places at its right, in twips, widened where the platform
// font's widest text did not fit: the record time and the version in bold
// (128 and 133 pixels of DejaVu Sans at 8.25 points), "#100 / 100" (62).
// The frame list gives up the room.
constexpr int kStripWidth = 11010;
constexpr int kRecordPositionLeft = 9915;
constexpr int kScrollBarLeft = 8610;
constexpr int kVersionLeft = 6405;

// The scroll bar was once 57 pixels long: Fusion's arrows and its
// shortest thumb (26 pixels) left the thumb 3 pixels to run, 30 records a
// pixel. Now 80 pixels long with a thumb of 8, it runs 44 pixels.
class ShortThumbStyle : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        if (metric == PM_ScrollBarSliderMin) {
            return 8;
        }
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

// Records run left to right and down a page: Right, Down and Page Down step
// forward, whatever way a scroll bar inverts its keys by default.
class RecordStepper : public QScrollBar {
public:
    using QScrollBar::QScrollBar;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        switch (event->key()) {
            case Qt::Key_Left:
            case Qt::Key_Up:
                triggerAction(SliderSingleStepSub);
                break;
            case Qt::Key_Right:
            case Qt::Key_Down:
                triggerAction(SliderSingleStepAdd);
                break;
            case Qt::Key_PageUp:
                triggerAction(SliderPageStepSub);
                break;
            case Qt::Key_PageDown:
                triggerAction(SliderPageStepAdd);
                break;
            case Qt::Key_Home:
                triggerAction(SliderToMinimum);
                break;
            case Qt::Key_End:
                triggerAction(SliderToMaximum);
                break;
            default:
                QScrollBar::keyPressEvent(event);
                return;
        }
        event->accept();
    }
};

QLineEdit* MakeStatusField(QWidget* parent, const QString& name, const QRect& geometry) {
    QLineEdit* field = MakeDisplayField(parent, name, geometry, DialogFont(8.25, true));
    SetFieldBackground(field, colour::kGrey);
    SetTextColour(field, colour::kDarkBlue);
    return field;
}

}  // namespace

TopStrip::TopStrip(QAbstractItemModel* frameList, QWidget* parent) : QWidget(parent) {
    setGeometry(0, 0, TwipsToPixels(kStripWidth), TwipsToPixels(480) + 1);
    auto* layout = new AnchoredLayout(this, size());
    layout->AddWidget(AddLine(object_name::kTopLine, 0), AnchoredLayout::kStretchWidth);
    layout->AddWidget(AddLine(object_name::kBottomLine, 480), AnchoredLayout::kStretchWidth);
    recordTime_ = MakeStatusField(this, object_name::kRecordTime, TwipsRect(120, 120, 2025, 285));
    recordTime_->setAccessibleName(tr("Record time"));
    recordTime_->setToolTip(tr("The time (UTC) of the telemetry record shown below"));
    AddFrameList(frameList);
    softwareVersion_ = MakeStatusField(this, object_name::kSoftwareVersion,
                                       TwipsRect(kVersionLeft, 120, 2100, 285));
    softwareVersion_->setAccessibleName(tr("Software version"));
    softwareVersion_->setToolTip(tr("The satellite's software version sent with the record"));
    AddScrollBar();
    recordPosition_ =
        MakeDisplayField(this, object_name::kRecordPosition,
                         TwipsRect(kRecordPositionLeft, 120, 1020, 285), DialogFont());
    recordPosition_->setAccessibleName(tr("Record position"));
    recordPosition_->setToolTip(tr("The record shown and how many there are"));
    SetFieldBackground(recordPosition_, colour::kGrey);
}

QWidget* TopStrip::AddLine(const char* name, int top) {
    auto* line = new QWidget(this);
    line->setObjectName(QString::fromLatin1(name));
    line->setGeometry(0, TwipsToPixels(top), width(), 1);
    SetBackground(line, Qt::black);
    return line;
}

QListView* TopStrip::AddFrameList(QAbstractItemModel* frameList) {
    auto* list = new QListView(this);
    list->setObjectName(object_name::kFrameList);
    list->setAccessibleName(tr("Time and text frames"));
    list->setToolTip(tr("The time and text frames the satellite sent, oldest first"));
    list->setGeometry(TwipsRect(2250, 120, kVersionLeft - 105 - 2250, 255));
    list->setFont(DialogFont(8.25, true));
    SetFieldBackground(list, colour::kGrey);
    SetTextColour(list, colour::kDarkBlue);
    list->setUniformItemSizes(true);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    list->setModel(frameList);
    list->setItemDelegate(new ElidedItemToolTips(list));
    return list;
}

void TopStrip::AddScrollBar() {
    scrollBar_ = new RecordStepper(Qt::Horizontal, this);
    scrollBar_->setObjectName(object_name::kRecordScrollBar);
    scrollBar_->setAccessibleName(tr("Record"));
    scrollBar_->setToolTip(tr("Steps through the log's telemetry records (arrow keys, Home, End)"));
    scrollBar_->setGeometry(
        TwipsRect(kScrollBarLeft, 120, kRecordPositionLeft - 105 - kScrollBarLeft, 255));
    auto* style = new ShortThumbStyle;
    style->setParent(scrollBar_);
    scrollBar_->setStyle(style);
    scrollBar_->setRange(1, 1);
    scrollBar_->setSingleStep(1);
    scrollBar_->setPageStep(10);
    // Tab reaches it; the arrow keys step a record, Page Up and Down ten,
    // Home and End go to the first and the last.
    scrollBar_->setFocusPolicy(Qt::StrongFocus);
    new FocusMark(scrollBar_);
    // A dragged thumb changes the record only when it is released.
    scrollBar_->setTracking(false);
    scrollBar_->setEnabled(false);
}

void TopStrip::ShowRecordTime(const QString& text) {
    ShowFieldText(recordTime_, text);
}

void TopStrip::ShowSoftwareVersion(const QString& text) {
    ShowFieldText(softwareVersion_, text);
}

void TopStrip::ShowRecordPosition(const QString& text) {
    ShowFieldText(recordPosition_, text);
}

void TopStrip::Forget() {
    for (QLineEdit* field : {recordTime_, softwareVersion_, recordPosition_}) {
        ShowFieldText(field, QString());
    }
    scrollBar_->setEnabled(false);
}

}  // namespace orvex
