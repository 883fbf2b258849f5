#include "app/widgets/anchored_layout.h"

#include <QWidget>
#include <QWidgetItem>
#include <algorithm>

namespace orvex {

AnchoredLayout::AnchoredLayout(QWidget* container, QSize leastSize)
    : QLayout(container), leastSize_(leastSize) {
    setContentsMargins(0, 0, 0, 0);
}

AnchoredLayout::~AnchoredLayout() {
    for (const Placed& placed : items_) {
        delete placed.item;
    }
}

void AnchoredLayout::AddWidget(QWidget* widget, int anchors) {
    // The widget's geometry, set before it is added, is its place at the
    // layout's least size.
    addChildWidget(widget);
    items_.append({new QWidgetItem(widget), widget->geometry(), anchors});
}

void AnchoredLayout::addItem(QLayoutItem* item) {
    items_.append({item, item->geometry(), kNone});
}

QLayoutItem* AnchoredLayout::itemAt(int index) const {
    return index >= 0 && index < items_.size() ? items_[index].item : nullptr;
}

QLayoutItem* AnchoredLayout::takeAt(int index) {
    if (index < 0 || index >= items_.size()) {
        return nullptr;
    }
    return items_.takeAt(index).item;
}

void AnchoredLayout::setGeometry(const QRect& rect) {
    QLayout::setGeometry(rect);
    // The places are on the whole container, within any frame or
    // title a container (a group box) keeps around its layout's rectangle.
    const QSize size = parentWidget() != nullptr ? parentWidget()->size() : rect.size();
    const int extraWidth = std::max(0, size.width() - leastSize_.width());
    const int extraHeight = std::max(0, size.height() - leastSize_.height());
    for (const Placed& placed : items_) {
        QRect place = placed.leastRect;
        if ((placed.anchors & kRight) != 0) {
            place.translate(extraWidth, 0);
        }
        if ((placed.anchors & kBottom) != 0) {
            place.translate(0, extraHeight);
        }
        if ((placed.anchors & kStretchWidth) != 0) {
            place.setWidth(place.width() + extraWidth);
        }
        if ((placed.anchors & kStretchHeight) != 0) {
            place.setHeight(place.height() + extraHeight);
        }
        placed.item->setGeometry(place);
    }
}

}  // namespace orvex
