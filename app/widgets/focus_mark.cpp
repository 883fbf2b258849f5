#include "app/widgets/focus_mark.h"

#include <QEvent>
#include <QPainter>

namespace orvex {
namespace {

constexpr int kMarkWidth = 2;

}  // namespace

FocusMark::FocusMark(QWidget* marked) : QWidget(marked) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(marked->rect());
    setVisible(marked->hasFocus());
    marked->installEventFilter(this);
}

bool FocusMark::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::FocusIn:
            setGeometry(parentWidget()->rect());
            show();
            raise();
            break;
        case QEvent::FocusOut:
            hide();
            break;
        case QEvent::Resize:
            setGeometry(parentWidget()->rect());
            break;
        default:
            break;
    }
    return QWidget::eventFilter(watched, event);
}

void FocusMark::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    QPen pen(palette().color(QPalette::Highlight), kMarkWidth);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.drawRect(QRectF(rect()).adjusted(kMarkWidth / 2.0, kMarkWidth / 2.0, -kMarkWidth / 2.0,
                                             -kMarkWidth / 2.0));
}

}  // namespace orvex
