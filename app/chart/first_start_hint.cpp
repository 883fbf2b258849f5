#include "app/chart/first_start_hint.h"

#include <QEvent>

#include "app/window/object_names.h"

namespace orvex {

FirstStartHint::FirstStartHint(QWidget* chart) : QLabel(chart) {
    setObjectName(object_name::kFirstStartHint);
    setText(tr("Open a log (Ctrl+O), drop one here, or File \u25b8 Connect\u2026 to a TNC"));
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignCenter);
    setWordWrap(true);
    setForegroundRole(QPalette::PlaceholderText);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    chart->installEventFilter(this);
    Centre();
}

bool FirstStartHint::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize) {
        Centre();
    }
    return QLabel::eventFilter(watched, event);
}

void FirstStartHint::Centre() {
    const QRect area = parentWidget()->rect();
    const int width = area.width() * 3 / 4;
    const int height = heightForWidth(width);
    setGeometry(area.x() + (area.width() - width) / 2, area.y() + (area.height() - height) / 2,
                width, height);
}

}  // namespace orvex
