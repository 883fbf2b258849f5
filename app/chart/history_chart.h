#pragma once

#include <QChartView>
#include <QColor>
#include <QList>
#include <QPointF>
#include <QStringList>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "telemetry/channel_history.h"

class QAction;
class QLineSeries;
class QRubberBand;
class QValueAxis;

namespace orvex {

class FirstStartHint;
class RecordMark;

class LocaleFormat;
class TimeAxisLabels;

// The history of one or more channels over time (UTC), drawn from a
// ChannelHistory that thins it to the chart's width: each channel in its own
// colour, channels of one unit on one value axis, each further unit on an
// axis of its own. The wheel zooms around the mouse, a drag over the plot
// zooms to its span, a drag with the middle button or with Shift pans, a
// double-click shows all again. Resting the mouse on a point tells its time
// and value for as long as the mouse stays there; a click on it tells the
// window which sample it is. A line marks the time of the panel's record.
class HistoryChart : public QChartView {
    Q_OBJECT
public:
    HistoryChart(const LocaleFormat& format, QWidget* parent);
    ~HistoryChart() override;

    // Draws `channels` from `history`, kept until the next call, over its
    // whole span; a span the user chose in the same history stays while the
    // history grows.
    void ShowChannels(const std::vector<int>& channels,
                      std::shared_ptr<const ChannelHistory> history);
    const std::vector<int>& Channels() const { return channels_; }
    // A new history is coming: nothing is drawn from the last until the next
    // ShowChannels, which shows the new one's whole span. A log or a stream
    // is on its way: the first start's hint goes for good.
    void ForgetHistory();
    // The history drawn; null before the first.
    const ChannelHistory* History() const { return history_.get(); }

    // The span shown. Zooming and panning keep it within the history's span
    // and at least a few seconds long.
    TimeSpan VisibleSpan() const { return visible_; }
    void ShowSpan(const TimeSpan& span);
    // Closer by `factor` (below 1 farther), keeping `anchor` where it is.
    void Zoom(double factor, double anchor);
    void Pan(double seconds);
    void ResetZoom();
    // Whether a history with points is drawn.
    bool HasData() const;

    // The series that names the channel in `slot` (its place in Channels())
    // in the legend, and its line's first piece.
    QLineSeries* SeriesOf(int slot) const;
    // The points drawn for the channel, over all the pieces of its line.
    const QList<QPointF>& PointsOf(int slot) const;
    // How many pieces the channel's line is drawn in: one, and one more for
    // each gap.
    int PiecesOf(int slot) const;
    QString PointToolTip(int slot, int index) const;
    QStringList TickLabels() const;
    // Where in the viewport the point lies.
    QPoint PointPosition(int slot, int index) const;

    // The time of the record the panel shows, marked while the span shows
    // it; nothing for none.
    void MarkRecordTime(std::optional<double> time);
    // Where the mark is drawn across the viewport; nothing while hidden.
    std::optional<int> RecordMarkX() const;

    // Draws the chart into `target` of `painter`, laid out for its size, as
    // it would be shown at that size, without the record's mark: a picture
    // of the history, not of the window's choice of record.
    void Render(QPainter& painter, const QRectF& target);

signals:
    // A click within a few pixels of a point: the channel and the sample.
    void PointClicked(int channel, const HistoryPoint& point);
    // ShowChannels drew a history, perhaps another than before.
    void HistoryShown();
    // The channels charted changed: each one's line colour.
    void LineColoursChanged(const std::map<int, QColor>& colours);

protected:
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    // A channel's line is drawn in pieces, one series each, broken at gaps.
    // The pieces are kept, hidden while not needed: see ShowChannels.
    struct Plot {
        int channel;
        QValueAxis* axis;
        QList<QPointF> line;
        std::vector<QLineSeries*> pieces;
    };
    enum class Drag { None, Zoom, Pan };
    struct PlotPoint {
        int slot;
        int index;
    };

    void AddActions();
    void RemovePlots();
    void AddPlot(int channel);
    QLineSeries* AddPiece(Plot& plot);
    void DrawPieces(Plot& plot, bool markers);
    void MarkValueAxes();
    void Redraw();
    // Fits each value axis to the points of its channels' lines within the
    // span shown.
    void FitValueAxes();
    void PlotAreaChanged();
    // The chart at `size`, laid out and its axes fitted now, not from the
    // event loop.
    void LayOut(const QSizeF& size);
    void SetTimeRange();
    // The time labels and the record's mark, on the plot as it is now.
    void PlaceOnTimeAxis();
    double TimeAt(int viewportX) const;
    QRectF PlotInViewport() const;
    // The point nearest to `position` within a few pixels.
    std::optional<PlotPoint> NearestPoint(const QPoint& position) const;
    void ShowPointToolTip(const QPoint& position);
    void ClickPoint(const QPoint& position);

    const LocaleFormat& format_;
    QChart* chart_;
    QValueAxis* timeAxis_;
    std::unique_ptr<TimeAxisLabels> labels_;
    std::unique_ptr<RecordMark> recordMark_;
    std::vector<int> channels_;
    std::vector<Plot> plots_;
    std::vector<QValueAxis*> valueAxes_;  // one per unit
    std::shared_ptr<const ChannelHistory> history_;
    TimeSpan whole_;           // the history's span, with a margin
    TimeSpan visible_;         // what the time axis shows
    double fittedHeight_ = 0;  // of the plot the value axes' ticks were fitted to
    Drag drag_ = Drag::None;
    QPoint dragStart_;
    QRubberBand* rubberBand_;
    FirstStartHint* firstStartHint_;
};

}  // namespace orvex
