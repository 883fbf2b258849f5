#include "app/chart/record_mark.h"

#include <QChart>
#include <QGraphicsLineItem>
#include <QPen>

namespace orvex {
namespace {

// Dark enough to read on the plot's white, and unlike every series' colour.
const QColor kMarkColour(0xc0, 0x20, 0x20);
// Above the series, so that a dense line does not hide it.
constexpr double kMarkZ = 20;

}  // namespace

RecordMark::RecordMark(QChart* chart) : chart_(chart), line_(new QGraphicsLineItem(chart)) {
    QPen pen(kMarkColour);
    pen.setCosmetic(true);
    pen.setStyle(Qt::DashLine);
    line_->setPen(pen);
    line_->setZValue(kMarkZ);
    line_->hide();
}

void RecordMark::Place(const TimeSpan& span, bool points) {
    const QRectF plot = chart_->plotArea();
    if (!time_ || !points || *time_ < span.first || *time_ > span.last || span.Length() <= 0) {
        line_->hide();
        return;
    }
    const double x = plot.left() + (*time_ - span.first) / span.Length() * plot.width();
    line_->setLine(x, plot.top(), x, plot.bottom());
    line_->show();
}

std::optional<double> RecordMark::DrawnAt() const {
    if (!line_->isVisible()) {
        return std::nullopt;
    }
    return line_->line().x1();
}

}  // namespace orvex
