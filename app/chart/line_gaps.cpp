#include "app/chart/line_gaps.h"

#include <algorithm>

namespace orvex {
namespace {

constexpr double kStepsInAGap = 5;
constexpr double kColumnsInAGap = 3;

}  // namespace

std::vector<qsizetype> GapStarts(const QList<QPointF>& line, double columnSeconds) {
    std::vector<double> steps;
    steps.reserve(static_cast<std::size_t>(std::max<qsizetype>(line.size() - 1, 0)));
    for (qsizetype i = 1; i < line.size(); ++i) {
        steps.push_back(line[i].x() - line[i - 1].x());
    }
    if (steps.size() < 2) {
        return {};
    }
    auto middle = steps.begin() + static_cast<std::ptrdiff_t>(steps.size() / 2);
    std::nth_element(steps.begin(), middle, steps.end());
    const double widest = std::max(kStepsInAGap * *middle, kColumnsInAGap * columnSeconds);
    std::vector<qsizetype> starts;
    for (qsizetype i = 1; i < line.size(); ++i) {
        if (line[i].x() - line[i - 1].x() > widest) {
            starts.push_back(i);
        }
    }
    return starts;
}

std::vector<QList<QPointF>> LinePieces(const QList<QPointF>& line,
                                       const std::vector<qsizetype>& starts) {
    std::vector<QList<QPointF>> pieces;
    qsizetype from = 0;
    for (const qsizetype start : starts) {
        pieces.push_back(line.mid(from, start - from));
        from = start;
    }
    pieces.push_back(line.mid(from));
    return pieces;
}

}  // namespace orvex
