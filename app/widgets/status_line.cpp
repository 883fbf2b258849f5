#include "app/widgets/status_line.h"

#include <QFontMetrics>
#include <QStringList>

namespace orvex {
namespace {

// "/home/op/logs/orbit.tlm." becomes "…/orbit.tlm.": the file's name and the
// sentence's stop are what a reader needs; the folder is on hover.
QString WithFileNamesOnly(const QString& text) {
    QStringList words = text.split(QLatin1Char(' '));
    for (QString& word : words) {
        const qsizetype slash = word.lastIndexOf(QLatin1Char('/'));
        if (slash > 0) {
            word = QStringLiteral("\u2026") + word.mid(slash);
        }
    }
    return words.join(QLatin1Char(' '));
}

}  // namespace

StatusLine::StatusLine(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    // A long text must not widen the window.
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

void StatusLine::ShowText(const QString& text) {
    whole_ = text;
    setToolTip(text);
    Fit();
}

void StatusLine::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    Fit();
}

void StatusLine::Fit() {
    const QFontMetrics metrics = fontMetrics();
    const int room = contentsRect().width();
    if (metrics.horizontalAdvance(whole_) <= room) {
        setText(whole_);
        return;
    }
    setText(metrics.elidedText(WithFileNamesOnly(whole_), Qt::ElideMiddle, room));
}

}  // namespace orvex
