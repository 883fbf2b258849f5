#include "app/widgets/window_style.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QStyle>

namespace orvex {

QRect TwipsRect(int left, int top, int width, int height) {
    return {TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height)};
}

QFont DialogFont(qreal points, bool bold) {
    QFont font = QApplication::font();
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

void SetBackground(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void SetFieldBackground(QWidget* field, const QColor& colour) {
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, colour);
    field->setPalette(palette);
}

void SetTextColour(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Text, colour);
    widget->setPalette(palette);
}

QLineEdit* MakeDisplayField(QWidget* parent, const QString& name, const QRect& geometry,
                            const QFont& font) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setGeometry(geometry);
    field->setFont(font);
    field->setReadOnly(true);
    return field;
}

void FitFontToText(QWidget* widget, const QString& text, int width) {
    QFont font = widget->font();
    for (const int stretch : {100, 87, 75, 62, 50}) {
        font.setStretch(stretch);
        if (QFontMetrics(font).horizontalAdvance(text) <= width) {
            break;
        }
    }
    if (font != widget->font()) {
        widget->setFont(font);
    }
}

void ShowFieldText(QLineEdit* field, const QString& text) {
    // The frame and the line edit's own margin of two pixels on each side.
    const int frame = field->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, field);
    FitFontToText(field, text, field->width() - 2 * frame - 4);
    field->setText(text);
    field->setCursorPosition(0);
}

QLabel* MakeLabel(QWidget* parent, const QString& name, const QRect& geometry, const QFont& font) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    label->setFont(font);
    label->setTextFormat(Qt::PlainText);
    return label;
}

}  // namespace orvex
