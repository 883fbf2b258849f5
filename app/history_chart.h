#pragma once

#include <QChartView>
#include <QStringList>
#include <memory>
#include <vector>

#include "load/decoder_display.h"
#include "text/locale_format.h"

class QLineSeries;
class QValueAxis;

namespace orvex {

class TimeAxisLabels;

// One channel's history: a point per stored record, in record order, each
// under its record's time of day. Hovering a point tells its time and value.
// The locale only sets how the axis writes its numbers.
class HistoryChart : public QChartView {
    Q_OBJECT
public:
    HistoryChart(const LocaleFormat& format, QWidget* parent);
    ~HistoryChart() override;

    void ShowPoints(const std::vector<ChartPoint>& points);

    const QStringList& Labels() const;
    QString PointToolTip(int index) const;

private:
    void FitAxes(const QList<QPointF>& points);
    void PlaceLabels();
    void ShowHover(const QPointF& point, bool hovered);

    QChart* chart_;
    QLineSeries* series_;
    QValueAxis* axisX_;
    QValueAxis* axisY_;
    std::unique_ptr<TimeAxisLabels> labels_;
    QStringList valueTexts_;  // each point's value as the panel shows it
};

}  // namespace orvex
