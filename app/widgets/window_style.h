#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>
#include <string_view>

class QLabel;
class QLineEdit;
class QWidget;

namespace orvex {

// The window was designed in twips; at 96 dots per inch 15 make one pixel.
constexpr int TwipsToPixels(int twips) {
    return twips / 15;
}
QRect TwipsRect(int left, int top, int width, int height);

namespace colour {
inline const QColor kGrey{224, 224, 224};
inline const QColor kWhite{255, 255, 255};
inline const QColor kLightYellow{255, 255, 192};
inline const QColor kDarkBlue{0, 0, 192};
inline const QColor kDarkGrey{64, 64, 64};
inline const QColor kDarkGreen{0, 64, 0};
inline const QColor kLinkBlue{0, 0, 255};
}  // namespace colour

// The platform's user-interface font at the given size: the dialog font
// the panel was first laid out for is not available everywhere.
QFont DialogFont(qreal points = 8.25, bool bold = false);

// A widget's own background, and the background of a field or list, which
// is a separate colour of the palette.
void SetBackground(QWidget* widget, const QColor& colour);
void SetFieldBackground(QWidget* field, const QColor& colour);
void SetTextColour(QWidget* widget, const QColor& colour);

// A single-line field that only shows text: the program never reads it back.
QLineEdit* MakeDisplayField(QWidget* parent, const QString& name, const QRect& geometry,
                            const QFont& font);
// Sets the field's text, narrowed to fit (see FitFontToText) and from its
// start, as a fresh field shows it, rather than scrolled to its end.
void ShowFieldText(QLineEdit* field, const QString& text);

// The field widths were made for a narrow dialog font. A wider platform font
// keeps its family, size and weight, and is narrowed in steps only as far as
// a text needs to fit its width, so that no digit is cut off.
void FitFontToText(QWidget* widget, const QString& text, int width);

QLabel* MakeLabel(QWidget* parent, const QString& name, const QRect& geometry, const QFont& font);

// Texts from the core are single-byte Latin-1.
inline QString FromLatin1(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace orvex
