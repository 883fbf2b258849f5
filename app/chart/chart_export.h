#pragma once

#include <QString>
#include <QStringList>

class QGraphicsView;

namespace orvex {

enum class ImageFormat { Png, Svg };

// Writes what the view shows, at the size it is shown, under `caption` (its
// lines above the picture, so that the file says what it shows), to `path`
// as a PNG picture or an SVG drawing, whose title is the caption's first
// line. The file is written whole or left as it was; returns the reason when
// it could not be written, or an empty text.
QString SaveViewImage(QGraphicsView& view, const QString& path, ImageFormat format,
                      const QStringList& caption);

}  // namespace orvex
