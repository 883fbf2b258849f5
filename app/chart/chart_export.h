#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

namespace orvex {

class HistoryChart;

enum class ImageFormat { Png, Svg };

// The sizes a picture of the chart may have, in pixels: room for the caption
// and a readable plot at least, and no more than a poster's worth of memory
// (8192 x 8192 pixels take 256 MB as a PNG is drawn).
inline constexpr QSize kSmallestPicture{320, 240};
inline constexpr QSize kLargestPicture{8192, 8192};

// The size of the picture of the chart as shown, under `caption`.
QSize ShownPictureSize(const HistoryChart& chart, const QStringList& caption);

// Writes the chart, laid out anew for `size` (within the sizes above), under
// `caption` (its lines above the chart, wrapped to the picture's width, so
// that the file says what it shows), to `path` as a PNG picture or an SVG
// drawing of that size, whose title is the caption's first line. The file is
// written whole or left as it was; returns the reason when it could not be
// written, or an empty text.
QString SaveChartPicture(HistoryChart& chart, const QString& path, ImageFormat format,
                         const QStringList& caption, QSize size);

}  // namespace orvex
