#include "app/top_strip.h"

#include <QLineEdit>
#include <QListView>
#include <QScrollBar>

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
    AddLine("Line1", 0);
    AddLine("Line2", 480);
    text3Time_ = MakeStatusField(this, "Text3_3", TwipsRect(120, 120, 1935, 285));
    AddFrameList(frameList);
    text3Version_ = MakeStatusField(this, "Text3_1", TwipsRect(7440, 120, 1815, 285));
    AddScrollBar();
    text2_ = MakeDisplayField(this, "Text2", TwipsRect(10320, 120, 615, 285), DialogFont());
    SetFieldBackground(text2_, colour::kGrey);
}

void TopStrip::AddLine(const char* name, int top) {
    auto* line = new QWidget(this);
    line->setObjectName(QString::fromLatin1(name));
    line->setGeometry(0, TwipsToPixels(top), TwipsToPixels(11400), 1);
    SetBackground(line, Qt::black);
}

void TopStrip::AddFrameList(QAbstractItemModel* frameList) {
    auto* list = new QListView(this);
    list->setObjectName("List1");
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
    hScroll1_ = new QScrollBar(Qt::Horizontal, this);
    hScroll1_->setObjectName("HScroll1");
    hScroll1_->setGeometry(TwipsRect(9360, 120, 855, 255));
    hScroll1_->setRange(1, 1);
    hScroll1_->setSingleStep(1);
    hScroll1_->setPageStep(1);
    // A dragged thumb changes the record only when it is released.
    hScroll1_->setTracking(false);
    hScroll1_->setEnabled(false);
}

void TopStrip::SetText3(int index, const QString& text) {
    ShowFieldText(index == 1 ? text3Version_ : text3Time_, text);
}

void TopStrip::SetText2(const QString& text) {
    ShowFieldText(text2_, text);
}

}  // namespace orvex
