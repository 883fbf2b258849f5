#include "app/chart/history_chart.h"

#include <QAction>
#include <QGraphicsLayout>
#include <QGraphicsTextItem>
#include <QHelpEvent>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLocale>
#include <QMouseEvent>
#include <QRubberBand>
#include <QToolTip>
#include <QValueAxis>
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "app/chart/first_start_hint.h"
#include "app/chart/line_gaps.h"
#include "app/chart/record_mark.h"
#include "app/chart/time_axis_labels.h"
#include "app/chart/value_ticks.h"
#include "app/widgets/focus_mark.h"
#include "app/widgets/window_style.h"
#include "telemetry/channel_table.h"
#include "telemetry/channel_value_text.h"
#include "text/locale_format.h"
#include "text/unix_time.h"

namespace orvex {
namespace {

// The chart theme's own colours in its order, so that one channel looks as
// it always did; then more, for more channels.
const std::array<QColor, 8> kSeriesColours = {
    QColor(0x209fdf), QColor(0x99ca53), QColor(0xf6a625), QColor(0x6d5fd5),
    QColor(0xbf593e), QColor(0x38ad6b), QColor(0xd63a9a), QColor(0x606060),
};

constexpr double kLabelPoints = 7.5;
constexpr double kShortestSpan = 10;  // seconds
constexpr double kWheelZoom = 1.25;   // per notch
constexpr double kPanStep = 0.1;      // of the span, per arrow key or notch
constexpr int kMarkerPitch = 4;       // pixels per point at least, for markers
constexpr int kLineWidth = 2;         // the chart theme's
constexpr int kPointReach = 6;        // pixels from a point that show its tooltip
constexpr int kShortestBand = 4;      // pixels of a drag that zooms
constexpr int kToolTipMs = 10 * 60 * 1000;
constexpr int kLayoutPasses = 4;  // of a layout and its axes' fit, at most

std::string TrimmedName(const Channel& channel) {
    return channel.name.substr(0, channel.name.find_last_not_of(' ') + 1);
}

// The height a value axis's tick needs. The axis gives each label an equal
// share of its height and cuts a label whose text box (its line and the text
// document's margins) is taller to "...": ticks fitted to the line and half
// again cut every label of charts with 8 ticks.
double ValueLabelPitch() {
    QGraphicsTextItem label(QStringLiteral("0"));
    label.setFont(DialogFont(kLabelPoints));
    return label.boundingRect().height();
}

// The history's span with room on both sides, so that no point sits on the
// plot's edge; a single instant gets a minute each side.
TimeSpan WithMargin(const TimeSpan& span) {
    const double margin = span.Length() > 0 ? std::max(span.Length() / 100, 1.0) : 60.0;
    return {span.first - margin, span.last + margin};
}

}  // namespace

HistoryChart::HistoryChart(const LocaleFormat& format, QWidget* parent)
    // Given at construction, the view owns the chart; setChart() would leave
    // the view's default chart to leak.
    : QChartView(new QChart, parent),
      format_(format),
      chart_(chart()),
      timeAxis_(new QValueAxis),
      rubberBand_(new QRubberBand(QRubberBand::Rectangle, viewport())),
      firstStartHint_(new FirstStartHint(viewport())) {
    chart_->legend()->hide();
    chart_->legend()->setFont(DialogFont(kLabelPoints));
    chart_->setBackgroundRoundness(0);
    chart_->setLocalizeNumbers(true);
    chart_->setLocale(format.NumberLocale());
    timeAxis_->setLabelsVisible(false);
    timeAxis_->setTickType(QValueAxis::TicksDynamic);
    chart_->addAxis(timeAxis_, Qt::AlignBottom);
    labels_ = std::make_unique<TimeAxisLabels>(chart_, format_, DialogFont(kLabelPoints));
    recordMark_ = std::make_unique<RecordMark>(chart_);
    setRenderHint(QPainter::Antialiasing);
    setFocusPolicy(Qt::StrongFocus);
    new FocusMark(this);
    setAccessibleName(tr("Channel history chart"));
    viewport()->setMouseTracking(true);
    AddActions();
    connect(chart_, &QChart::plotAreaChanged, this, &HistoryChart::PlotAreaChanged);
    visible_ = whole_ = {0, 1};
    Redraw();
}

HistoryChart::~HistoryChart() = default;

void HistoryChart::ForgetHistory() {
    history_.reset();
    MarkRecordTime(std::nullopt);
    firstStartHint_->hide();
}

void HistoryChart::AddActions() {
    const auto add = [this](const QString& text, const QKeySequence& keys, auto slot) {
        auto* action = new QAction(text, this);
        action->setShortcut(keys);
        action->setShortcutContext(Qt::WidgetShortcut);
        connect(action, &QAction::triggered, this, slot);
        addAction(action);
    };
    const auto middle = [this] { return (visible_.first + visible_.last) / 2; };
    add(tr("Zoom &In"), QKeySequence::ZoomIn, [this, middle] { Zoom(2, middle()); });
    add(tr("Zoom &Out"), QKeySequence::ZoomOut, [this, middle] { Zoom(0.5, middle()); });
    add(tr("&Show All"), QKeySequence(Qt::Key_Home), [this] { ResetZoom(); });
    setContextMenuPolicy(Qt::ActionsContextMenu);
}

void HistoryChart::ShowChannels(const std::vector<int>& channels,
                                std::shared_ptr<const ChannelHistory> history) {
    const std::optional<TimeSpan> extent = history->Extent();
    const TimeSpan whole = extent ? WithMargin(*extent) : TimeSpan{0, 1};
    // Another channel over the same history keeps the zoom, and so does a
    // history that grew while a log or a stream was read, unless the whole
    // was shown: then the whole is shown again.
    if (history != history_ || (whole != whole_ && visible_ == whole_)) {
        visible_ = whole;
    }
    whole_ = whole;
    history_ = std::move(history);
    if (extent) {
        firstStartHint_->hide();
    }
    // The same channels keep their series and axes: a live stream redraws
    // them often, and Qt Charts deletes a removed axis's items only later,
    // from the event loop, so that for a while the old axes were drawn
    // under the new.
    if (channels != channels_) {
        channels_ = channels;
        RemovePlots();
        for (const int channel : channels) {
            AddPlot(channel);
        }
        MarkValueAxes();
        chart_->legend()->setVisible(plots_.size() > 1);
        std::map<int, QColor> colours;
        for (const Plot& plot : plots_) {
            colours.emplace(plot.channel, plot.pieces.front()->color());
        }
        emit LineColoursChanged(colours);
    }
    Redraw();
    emit HistoryShown();
}

void HistoryChart::RemovePlots() {
    for (const Plot& plot : plots_) {
        for (QLineSeries* piece : plot.pieces) {
            chart_->removeSeries(piece);
            delete piece;
        }
    }
    for (QValueAxis* axis : valueAxes_) {
        chart_->removeAxis(axis);
        delete axis;
    }
    plots_.clear();
    valueAxes_.clear();
}

void HistoryChart::AddPlot(int channel) {
    const Channel& described = TelemetryChannels()[channel];
    QValueAxis* axis = nullptr;
    for (const Plot& plot : plots_) {
        if (TelemetryChannels()[plot.channel].unit == described.unit) {
            axis = plot.axis;
        }
    }
    if (axis == nullptr) {
        axis = new QValueAxis;
        axis->setLabelsFont(DialogFont(kLabelPoints));
        axis->setTitleFont(DialogFont(kLabelPoints));
        chart_->addAxis(axis, valueAxes_.size() % 2 == 0 ? Qt::AlignLeft : Qt::AlignRight);
        valueAxes_.push_back(axis);
    }
    Plot& plot = plots_.emplace_back(Plot{channel, axis, {}, {}});
    AddPiece(plot)->setName(FromLatin1(TrimmedName(described) + " [" + described.unit + "]"));
}

QLineSeries* HistoryChart::AddPiece(Plot& plot) {
    auto* piece = new QLineSeries;
    chart_->addSeries(piece);
    const std::size_t slot = static_cast<std::size_t>(&plot - plots_.data());
    piece->setColor(kSeriesColours[slot % kSeriesColours.size()]);
    piece->attachAxis(timeAxis_);
    piece->attachAxis(plot.axis);
    if (!plot.pieces.empty()) {
        for (QLegendMarker* marker : chart_->legend()->markers(piece)) {
            marker->setVisible(false);
        }
    }
    plot.pieces.push_back(piece);
    return piece;
}

// Pieces beyond those the line needs stay in the chart, hidden and empty.
void HistoryChart::DrawPieces(Plot& plot, bool markers) {
    const double columnSeconds = visible_.Length() / std::max(1, width());
    const std::vector<QList<QPointF>> pieces =
        LinePieces(plot.line, GapStarts(plot.line, columnSeconds));
    while (plot.pieces.size() < pieces.size()) {
        AddPiece(plot);
    }
    for (std::size_t i = 0; i < plot.pieces.size(); ++i) {
        QLineSeries* piece = plot.pieces[i];
        QPen pen = piece->pen();
        pen.setWidth(markers ? kLineWidth : 1);
        pen.setCosmetic(!markers);
        piece->setPen(pen);
        piece->setPointsVisible(markers);
        if (i < pieces.size()) {
            piece->replace(pieces[i]);
        }
        piece->setVisible(i < pieces.size());
    }
}

// With several units, each axis names its unit in the colour of its first
// channel; one axis needs neither.
void HistoryChart::MarkValueAxes() {
    if (valueAxes_.size() < 2) {
        return;
    }
    for (QValueAxis* axis : valueAxes_) {
        const auto first = std::find_if(plots_.begin(), plots_.end(),
                                        [axis](const Plot& plot) { return plot.axis == axis; });
        axis->setTitleText(FromLatin1(TelemetryChannels()[first->channel].unit));
        axis->setLabelsColor(first->pieces.front()->color());
        axis->setTitleBrush(first->pieces.front()->color());
    }
}

bool HistoryChart::HasData() const {
    return history_ != nullptr && history_->Extent().has_value();
}

void HistoryChart::Redraw() {
    if (history_ == nullptr) {
        SetTimeRange();
        PlaceOnTimeAxis();
        return;
    }
    // The view is as wide as the plot or wider: at most two points a pixel,
    // and a column beyond each edge so that lines run on to the plot's edges.
    const int columns = std::max(1, width());
    const double margin = visible_.Length() / columns;
    const TimeSpan asked{visible_.first - margin, visible_.last + margin};
    for (Plot& plot : plots_) {
        const std::vector<HistoryPoint> points = history_->Series(plot.channel, asked, columns + 2);
        plot.line.clear();
        plot.line.reserve(static_cast<qsizetype>(points.size()));
        for (const HistoryPoint& point : points) {
            plot.line.append(QPointF(point.time, point.value));
        }
        // Every change of an axis lays a series' points out anew: the axes
        // change while the series are empty, and the points come last.
        for (QLineSeries* piece : plot.pieces) {
            piece->clear();
        }
    }
    SetTimeRange();
    FitValueAxes();
    // Sparse points are drawn as they always were: markers, a line of two
    // pixels, smooth edges. A dense line is a band of one-pixel columns that
    // none of them changes but that they make slow: smooth edges and the wide
    // line's outline took half of a full-screen draw (bench/README.md).
    bool sparse = true;
    for (Plot& plot : plots_) {
        const bool markers = plot.line.size() * kMarkerPitch <= columns;
        sparse = sparse && markers;
        DrawPieces(plot, markers);
    }
    setRenderHint(QPainter::Antialiasing, sparse);
    PlaceOnTimeAxis();
}

void HistoryChart::FitValueAxes() {
    fittedHeight_ = chart_->plotArea().height();
    const int mostTicks = static_cast<int>(fittedHeight_ / ValueLabelPitch());
    for (QValueAxis* axis : valueAxes_) {
        double low = std::numeric_limits<double>::infinity();
        double high = -low;
        for (const Plot& plot : plots_) {
            if (plot.axis != axis) {
                continue;
            }
            for (const QPointF& point : plot.line) {
                if (point.x() >= visible_.first && point.x() <= visible_.last) {
                    low = std::min(low, point.y());
                    high = std::max(high, point.y());
                }
            }
        }
        if (low > high) {
            low = 0;
            high = 1;
        }
        const ValueTicks ticks = ChooseValueTicks(low, high, mostTicks);
        axis->setRange(ticks.low, ticks.high);
        axis->setTickCount(ticks.count);
        axis->setLabelFormat(QStringLiteral("%.%1f").arg(ticks.decimals));
    }
}

void HistoryChart::PlotAreaChanged() {
    PlaceOnTimeAxis();
    if (chart_->plotArea().height() == fittedHeight_) {
        return;
    }
    // Not within the layout that changed the plot: axes changed there keep
    // the labels they had.
    QMetaObject::invokeMethod(this, &HistoryChart::FitValueAxes, Qt::QueuedConnection);
}

void HistoryChart::LayOut(const QSizeF& size) {
    chart_->resize(size);
    // Each fit may widen the value axes' labels and so narrow the plot.
    for (int pass = 0; pass < kLayoutPasses; ++pass) {
        chart_->layout()->activate();
        if (chart_->plotArea().height() == fittedHeight_) {
            break;
        }
        FitValueAxes();
    }
    PlaceOnTimeAxis();
}

void HistoryChart::Render(QPainter& painter, const QRectF& target) {
    const QSizeF shown = chart_->size();
    const std::optional<double> marked = recordMark_->Time();
    MarkRecordTime(std::nullopt);
    LayOut(target.size());
    chart_->scene()->render(&painter, target, QRectF(chart_->pos(), target.size()),
                            Qt::IgnoreAspectRatio);
    LayOut(shown);
    MarkRecordTime(marked);
}

void HistoryChart::SetTimeRange() {
    // The axis lays out an item for every tick, hidden or not: the ticks stay
    // few while the range changes, until PlaceOnTimeAxis sets their step.
    timeAxis_->setTickInterval(std::max(visible_.Length(), 1.0));
    timeAxis_->setTickAnchor(visible_.first);
    timeAxis_->setRange(visible_.first, visible_.last);
    chart_->setMargins(QMargins(4, 4, 12, labels_->Extent(visible_)));
}

void HistoryChart::PlaceOnTimeAxis() {
    recordMark_->Place(visible_, HasData());
    if (!HasData()) {
        labels_->Clear();
        return;
    }
    labels_->Place(visible_);
    const TimeTicks ticks = labels_->Ticks(visible_);
    timeAxis_->setTickAnchor(ticks.first);
    timeAxis_->setTickInterval(ticks.step);
}

void HistoryChart::ShowSpan(const TimeSpan& span) {
    if (!HasData()) {
        return;
    }
    const double length =
        std::clamp(span.Length(), std::min(kShortestSpan, whole_.Length()), whole_.Length());
    const double middle = (span.first + span.last) / 2;
    const double first = std::clamp(middle - length / 2, whole_.first, whole_.last - length);
    visible_ = {first, first + length};
    Redraw();
}

void HistoryChart::Zoom(double factor, double anchor) {
    const double first = anchor - (anchor - visible_.first) / factor;
    ShowSpan({first, first + visible_.Length() / factor});
}

void HistoryChart::Pan(double seconds) {
    ShowSpan({visible_.first + seconds, visible_.last + seconds});
}

void HistoryChart::ResetZoom() {
    ShowSpan(whole_);
}

QLineSeries* HistoryChart::SeriesOf(int slot) const {
    return plots_.at(static_cast<std::size_t>(slot)).pieces.front();
}

const QList<QPointF>& HistoryChart::PointsOf(int slot) const {
    return plots_.at(static_cast<std::size_t>(slot)).line;
}

int HistoryChart::PiecesOf(int slot) const {
    const std::vector<QLineSeries*>& pieces = plots_.at(static_cast<std::size_t>(slot)).pieces;
    return static_cast<int>(std::count_if(pieces.begin(), pieces.end(),
                                          [](QLineSeries* piece) { return piece->isVisible(); }));
}

QString HistoryChart::PointToolTip(int slot, int index) const {
    const Plot& plot = plots_.at(static_cast<std::size_t>(slot));
    const QPointF point = plot.line.at(index);
    const Channel& described = TelemetryChannels()[plot.channel];
    std::string text;
    if (plots_.size() > 1) {
        text = TrimmedName(described) + '\n';
    }
    format_.AppendDateTime(text, UnixTimeToDate(point.x()));
    text += '\n';
    AppendChannelValue(text, format_, described, point.y());
    if (!described.unit.empty()) {
        text += ' ' + described.unit;
    }
    return FromLatin1(text);
}

QStringList HistoryChart::TickLabels() const {
    return labels_->Texts();
}

QRectF HistoryChart::PlotInViewport() const {
    const QRectF plot = chart_->mapRectToScene(chart_->plotArea());
    return {mapFromScene(plot.topLeft()), mapFromScene(plot.bottomRight())};
}

double HistoryChart::TimeAt(int viewportX) const {
    const QRectF plot = PlotInViewport();
    if (plot.width() <= 0) {
        return visible_.first;
    }
    return visible_.first + (viewportX - plot.left()) / plot.width() * visible_.Length();
}

QPoint HistoryChart::PointPosition(int slot, int index) const {
    // Every piece of a line has the same axes.
    QLineSeries* series = SeriesOf(slot);
    const QPointF inChart = chart_->mapToPosition(PointsOf(slot).at(index), series);
    return mapFromScene(chart_->mapToScene(inChart));
}

std::optional<HistoryChart::PlotPoint> HistoryChart::NearestPoint(const QPoint& position) const {
    const double from = TimeAt(position.x() - kPointReach);
    const double to = TimeAt(position.x() + kPointReach);
    std::optional<PlotPoint> nearestPoint;
    int nearest = kPointReach * kPointReach + 1;
    for (int slot = 0; slot < static_cast<int>(plots_.size()); ++slot) {
        const QList<QPointF>& points = PointsOf(slot);
        auto at =
            std::lower_bound(points.begin(), points.end(), from,
                             [](const QPointF& point, double time) { return point.x() < time; });
        for (; at != points.end() && at->x() <= to; ++at) {
            const auto index = static_cast<int>(at - points.begin());
            const QPoint offset = PointPosition(slot, index) - position;
            const int distance = QPoint::dotProduct(offset, offset);
            if (distance < nearest) {
                nearest = distance;
                nearestPoint = PlotPoint{slot, index};
            }
        }
    }
    return nearestPoint;
}

void HistoryChart::ShowPointToolTip(const QPoint& position) {
    const std::optional<PlotPoint> nearest = NearestPoint(position);
    if (!nearest) {
        return;
    }
    // The tip stays while the mouse stays within reach of the point.
    const QPoint point = PointPosition(nearest->slot, nearest->index);
    const QRect reach(point - QPoint(kPointReach, kPointReach),
                      QSize(2 * kPointReach + 1, 2 * kPointReach + 1));
    QToolTip::showText(viewport()->mapToGlobal(position),
                       PointToolTip(nearest->slot, nearest->index), viewport(), reach, kToolTipMs);
}

void HistoryChart::ClickPoint(const QPoint& position) {
    if (const std::optional<PlotPoint> nearest = NearestPoint(position)) {
        const Plot& plot = plots_.at(static_cast<std::size_t>(nearest->slot));
        const QPointF point = plot.line.at(nearest->index);
        emit PointClicked(plot.channel, HistoryPoint{point.x(), point.y()});
    }
}

void HistoryChart::MarkRecordTime(std::optional<double> time) {
    recordMark_->SetTime(time);
    recordMark_->Place(visible_, HasData());
}

std::optional<int> HistoryChart::RecordMarkX() const {
    const std::optional<double> x = recordMark_->DrawnAt();
    if (!x) {
        return std::nullopt;
    }
    return mapFromScene(chart_->mapToScene(QPointF(*x, 0))).x();
}

void HistoryChart::wheelEvent(QWheelEvent* event) {
    const QPoint angle = event->angleDelta();
    const bool sideways = angle.y() == 0 || (event->modifiers() & Qt::ShiftModifier) != 0;
    const double notches = (angle.y() != 0 ? angle.y() : angle.x()) / 120.0;
    if (sideways) {
        Pan(-notches * kPanStep * visible_.Length());
    } else {
        Zoom(std::pow(kWheelZoom, notches), TimeAt(qRound(event->position().x())));
    }
    event->accept();
}

void HistoryChart::mousePressEvent(QMouseEvent* event) {
    const QPoint position = event->position().toPoint();
    const bool shifted = (event->modifiers() & Qt::ShiftModifier) != 0;
    if (event->button() == Qt::MiddleButton || (event->button() == Qt::LeftButton && shifted)) {
        drag_ = Drag::Pan;
    } else if (event->button() == Qt::LeftButton && PlotInViewport().contains(position)) {
        drag_ = Drag::Zoom;
        rubberBand_->setGeometry(QRect(position, QSize()));
        rubberBand_->show();
    } else {
        QChartView::mousePressEvent(event);
        return;
    }
    dragStart_ = position;
    event->accept();
}

void HistoryChart::mouseMoveEvent(QMouseEvent* event) {
    const QPoint position = event->position().toPoint();
    switch (drag_) {
        case Drag::Zoom: {
            const QRectF plot = PlotInViewport();
            const double left = std::clamp<double>(std::min(dragStart_.x(), position.x()),
                                                   plot.left(), plot.right());
            const double right = std::clamp<double>(std::max(dragStart_.x(), position.x()),
                                                    plot.left(), plot.right());
            rubberBand_->setGeometry(
                QRectF(QPointF(left, plot.top()), QPointF(right, plot.bottom())).toRect());
            break;
        }
        case Drag::Pan:
            Pan(TimeAt(dragStart_.x()) - TimeAt(position.x()));
            dragStart_ = position;
            break;
        case Drag::None:
            ShowPointToolTip(position);
            QChartView::mouseMoveEvent(event);
            return;
    }
    event->accept();
}

void HistoryChart::mouseReleaseEvent(QMouseEvent* event) {
    if (drag_ == Drag::Zoom) {
        rubberBand_->hide();
        const QRect band = rubberBand_->geometry();
        if (band.width() >= kShortestBand) {
            ShowSpan({TimeAt(band.left()), TimeAt(band.left() + band.width())});
        } else {
            ClickPoint(event->position().toPoint());
        }
    }
    if (drag_ == Drag::None) {
        QChartView::mouseReleaseEvent(event);
        return;
    }
    drag_ = Drag::None;
    event->accept();
}

void HistoryChart::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        ResetZoom();
        event->accept();
        return;
    }
    QChartView::mouseDoubleClickEvent(event);
}

void HistoryChart::keyPressEvent(QKeyEvent* event) {
    const double step = kPanStep * visible_.Length();
    const double middle = (visible_.first + visible_.last) / 2;
    switch (event->key()) {
        case Qt::Key_Left:
            Pan(-step);
            break;
        case Qt::Key_Right:
            Pan(step);
            break;
        // "+" shares its key with "=" on many keyboards.
        case Qt::Key_Plus:
        case Qt::Key_Equal:
            Zoom(2, middle);
            break;
        case Qt::Key_Minus:
            Zoom(0.5, middle);
            break;
        default:
            QChartView::keyPressEvent(event);
            return;
    }
    event->accept();
}

bool HistoryChart::viewportEvent(QEvent* event) {
    // The view would pass the resting mouse's tooltip event to the scene,
    // whose items have no tooltip: it would hide the point's tooltip.
    if (event->type() == QEvent::ToolTip) {
        ShowPointToolTip(static_cast<QHelpEvent*>(event)->pos());
        return true;
    }
    return QChartView::viewportEvent(event);
}

void HistoryChart::resizeEvent(QResizeEvent* event) {
    QChartView::resizeEvent(event);
    // The history is thinned to the view's width.
    if (event->size().width() != event->oldSize().width()) {
        Redraw();
    }
}

}  // namespace orvex
