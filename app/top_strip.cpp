#include "app/top_strip.h"

#include <QLineEdit>
#include <QListView>
#include <QScrollBar>

#include "app/object_names.h"
#include "app/window_style.h"

namespace orvex {
namespace {

QLineEdit* MakeStatusField(QWidget* parent, const QString& name, const QRect& geometry) {
    QLineEdit* field = MakeDisplayField(parent, name, geometry, DialogFont(8.25, true));
    SetFieldBackground(field, colour::kGrey);
    SetTextColour(field, colour::kDarkBlue);
    return field;
}

}  // namespace

TopStrip::TopStrip(QAbstractItemModel* frameList, QWidget* parent) : QWidget(parent) {
    setGeometry(0, 0, parent->width(), TwipsToPixels(480) + 1);
    AddLine(object_name::kTopLine, 0);
    AddLine(object_name::kBottomLine, 480);
    recordTime_ = MakeStatusField(this, object_name::kRecordTime, TwipsRect(120, 120, 1935, 285));
    AddFrameList(frameList);
    softwareVersion_ =
        MakeStatusField(this, object_name::kSoftwareVersion, TwipsRect(7440, 120, 1815, 285));
    AddScrollBar();
    recordPosition_ = MakeDisplayField(this, object_name::kRecordPosition,
                                       TwipsRect(10320, 120, 615, 285), DialogFont());
    SetFieldBackground(recordPosition_, colour::kGrey);
}

void TopStrip::AddLine(const char* name, int top) {
    auto* line = new QWidget(this);
    line->setObjectName(QString::fromLatin1(name));
    line->setGeometry(0, TwipsToPixels(top), TwipsToPixels(11400), 1);
    SetBackground(line, Qt::black);
}

void TopStrip::AddFrameList(QAbstractItemModel* frameList) {
    auto* list = new QListView(this);
    list->setObjectName(object_name::kFrameList);
    list->setGeometry(TwipsRect(2160, 120, 5175, 255));
    list->setFont(DialogFont(8.25, true));
    SetFieldBackground(list, colour::kGrey);
    SetTextColour(list, colour::kDarkBlue);
    list->setUniformItemSizes(true);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    list->setModel(frameList);
}

void TopStrip::AddScrollBar() {
    scrollBar_ = new QScrollBar(Qt::Horizontal, this);
    scrollBar_->setObjectName(object_name::kRecordScrollBar);
    scrollBar_->setGeometry(TwipsRect(9360, 120, 855, 255));
    scrollBar_->setRange(1, 1);
    scrollBar_->setSingleStep(1);
    scrollBar_->setPageStep(1);
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

}  // namespace orvex
