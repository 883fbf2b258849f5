#include "app/dialogs/path_field.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

namespace orvex {

PathField::PathField(const QString& path, QWidget* parent) : QLineEdit(path, parent) {
    setToolTip(path);
    connect(this, &QLineEdit::textChanged, this, &QWidget::setToolTip);
}

QRect PathField::TextRoom() const {
    QStyleOptionFrame option;
    initStyleOption(&option);
    // The line edit's own margin of two pixels on each side.
    return style()
        ->subElementRect(QStyle::SE_LineEditContents, &option, this)
        .marginsRemoved(textMargins())
        .adjusted(2, 0, -2, 0);
}

QString PathField::ShownText() const {
    if (hasFocus()) {
        return text();
    }
    return fontMetrics().elidedText(text(), Qt::ElideMiddle, TextRoom().width());
}

void PathField::paintEvent(QPaintEvent* event) {
    const QString shown = ShownText();
    if (shown == text()) {
        QLineEdit::paintEvent(event);
        return;
    }
    // Only the text differs from the line edit's own drawing: its frame and
    // its colours stay the style's.
    QPainter painter(this);
    QStyleOptionFrame option;
    initStyleOption(&option);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &option, &painter, this);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text));
    painter.drawText(TextRoom(), Qt::AlignLeft | Qt::AlignVCenter, shown);
}

}  // namespace orvex
