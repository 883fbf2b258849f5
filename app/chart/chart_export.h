#pragma once

#include <QString>

class QGraphicsView;

namespace orvex {

enum class ImageFormat { Png, Svg };

// Writes what the view shows, at the size it is shown, to `path` as a PNG
// picture or an SVG drawing. The file is written whole or left as it was;
// returns the reason when it could not be written, or an empty text.
QString SaveViewImage(QGraphicsView& view, const QString& path, ImageFormat format,
                      const QString& title);

}  // namespace orvex
