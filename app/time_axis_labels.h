#pragma once

#include <QFont>
#include <QStringList>
#include <vector>

class QAbstractSeries;
class QChart;
class QGraphicsSimpleTextItem;

namespace orvex {

// The records' times of day along the chart's x axis, one per point. The
// chart's category axes keep one label per distinct text, but records may
// share a second or run backwards, so the labels are drawn here instead:
// upright, below the plot, and thinned to every n-th point when they would
// touch.
class TimeAxisLabels {
public:
    TimeAxisLabels(QChart* chart, QAbstractSeries* series, const QFont& font);

    void SetTexts(const QStringList& texts);
    const QStringList& Texts() const { return texts_; }
    // The room below the plot that the longest label needs.
    int Extent() const;
    // Puts the labels under their points; returns the label step.
    int Place();

private:
    QGraphicsSimpleTextItem* Item(int index);

    QChart* chart_;
    QAbstractSeries* series_;
    QFont font_;
    QStringList texts_;
    std::vector<QGraphicsSimpleTextItem*> items_;  // owned by the chart
};

// Every how many points a label can stand when points lie `pitch` pixels
// apart and a label is `thickness` pixels thick.
int LabelStep(double pitch, double thickness);

}  // namespace orvex
