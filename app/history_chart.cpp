#include "app/history_chart.h"

#include <QCursor>
#include <QLineSeries>
#include <QLocale>
#include <QToolTip>
#include <QValueAxis>
#include <algorithm>

#include "app/time_axis_labels.h"
#include "app/window_style.h"

namespace orvex {
namespace {

QValueAxis* AddAxis(QChart* chart, QLineSeries* series, Qt::Alignment side) {
    auto* axis = new QValueAxis;
    axis->setLabelsFont(DialogFont(7.5));
    chart->addAxis(axis, side);
    series->attachAxis(axis);
    return axis;
}

}  // namespace

HistoryChart::HistoryChart(const LocaleFormat& format, QWidget* parent)
    // Given at construction, the view owns the chart; setChart() would leave
    // the view's default chart to leak.
    : QChartView(new QChart, parent), chart_(chart()), series_(new QLineSeries) {
    chart_->legend()->hide();
    chart_->setBackgroundRoundness(0);
    chart_->setLocalizeNumbers(true);
    chart_->setLocale(format.NumberLocale());
    series_->setPointsVisible(true);
    chart_->addSeries(series_);
    axisX_ = AddAxis(chart_, series_, Qt::AlignBottom);
    axisX_->setLabelsVisible(false);
    axisX_->setTickType(QValueAxis::TicksDynamic);
    axisX_->setTickAnchor(0);
    axisY_ = AddAxis(chart_, series_, Qt::AlignLeft);
    labels_ = std::make_unique<TimeAxisLabels>(chart_, series_, DialogFont(7.5));
    setRenderHint(QPainter::Antialiasing);
    connect(chart_, &QChart::plotAreaChanged, this, &HistoryChart::PlaceLabels);
    connect(series_, &QLineSeries::hovered, this, &HistoryChart::ShowHover);
    FitAxes({});
}

HistoryChart::~HistoryChart() = default;

void HistoryChart::ShowPoints(const std::vector<ChartPoint>& points) {
    QList<QPointF> xy;
    QStringList labels;
    xy.reserve(static_cast<qsizetype>(points.size()));
    labels.reserve(static_cast<qsizetype>(points.size()));
    valueTexts_.clear();
    valueTexts_.reserve(static_cast<qsizetype>(points.size()));
    for (const ChartPoint& point : points) {
        xy.append(QPointF(static_cast<double>(xy.size()), point.value));
        labels.append(FromLatin1(point.label));
        valueTexts_.append(FromLatin1(point.valueText));
    }
    series_->replace(xy);
    labels_->SetTexts(labels);
    FitAxes(xy);
    PlaceLabels();
}

const QStringList& HistoryChart::Labels() const {
    return labels_->Texts();
}

QString HistoryChart::PointToolTip(int index) const {
    return Labels().at(index) + '\n' + valueTexts_.at(index);
}

void HistoryChart::FitAxes(const QList<QPointF>& points) {
    const int count = static_cast<int>(points.size());
    // The axis lays out a label for every tick of a new range, hidden or not:
    // keep the ticks few until PlaceLabels sets the labels' own step.
    axisX_->setTickInterval(std::max(count, 1));
    axisX_->setRange(-0.5, std::max(count, 1) - 0.5);
    double low = 0;
    double high = 1;
    if (count > 0) {
        const auto [lowest, highest] =
            std::minmax_element(points.cbegin(), points.cend(),
                                [](const QPointF& a, const QPointF& b) { return a.y() < b.y(); });
        low = lowest->y();
        high = highest->y();
    }
    if (low == high) {
        low -= 1;
        high += 1;
    }
    axisY_->setRange(low, high);
    axisY_->applyNiceNumbers();
    chart_->setMargins(QMargins(4, 4, 12, labels_->Extent()));
}

void HistoryChart::PlaceLabels() {
    axisX_->setTickInterval(labels_->Place());
}

void HistoryChart::ShowHover(const QPointF& point, bool hovered) {
    const int index = qRound(point.x());
    if (!hovered || index < 0 || index >= series_->count()) {
        QToolTip::hideText();
        return;
    }
    QToolTip::showText(QCursor::pos(), PointToolTip(index), this);
}

}  // namespace orvex
