#pragma once

#include <QList>
#include <QPointF>
#include <vector>

namespace orvex {

// Where a line of points in time order breaks: the index of each point that
// starts a piece after a gap, a step in time more than a few times the line's
// usual step (its median) and wider than a few of the chart's columns, so
// that thinning to one column's extremes never breaks a line. Hours between
// passes are such gaps; a missed frame or two are not.
std::vector<qsizetype> GapStarts(const QList<QPointF>& line, double columnSeconds);

// The line cut at `starts` into its pieces.
std::vector<QList<QPointF>> LinePieces(const QList<QPointF>& line,
                                       const std::vector<qsizetype>& starts);

}  // namespace orvex
