#include "app/dialogs/elided_item_tool_tips.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QToolTip>

namespace orvex {

bool ElidedItemToolTips::IsCut(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    const QWidget* view = item.widget;
    const QStyle* style = view != nullptr ? view->style() : nullptr;
    if (style == nullptr) {
        return false;
    }
    const QRect textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &item, view);
    // The style keeps a margin on each side of the text.
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
    return item.fontMetrics.horizontalAdvance(item.text) > textRect.width() - 2 * margin;
}

bool ElidedItemToolTips::helpEvent(QHelpEvent* event, QAbstractItemView* view,
                                   const QStyleOptionViewItem& option, const QModelIndex& index) {
    if (event->type() != QEvent::ToolTip || !index.isValid()) {
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    }
    if (IsCut(option, index)) {
        QToolTip::showText(event->globalPos(), index.data(Qt::DisplayRole).toString(), view,
                           option.rect);
    } else {
        QToolTip::hideText();
    }
    return true;
}

}  // namespace orvex
