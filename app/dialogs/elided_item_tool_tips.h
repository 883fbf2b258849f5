#pragma once

#include <QStyledItemDelegate>

namespace orvex {

// Draws items as usual and, on hover, tells the whole text of an item that
// its view cuts short; a text that fits gets no tooltip.
class ElidedItemToolTips : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;
    // Whether the item's text is wider than its place in the view.
    bool IsCut(const QStyleOptionViewItem& option, const QModelIndex& index) const;
};

}  // namespace orvex
