#include "app/chart/chart_record_link.h"

#include <QLineEdit>
#include <QScrollBar>

#include "app/chart/history_chart.h"
#include "app/widgets/top_strip.h"
#include "session/record_view.h"

namespace orvex {

ChartRecordLink::ChartRecordLink(HistoryChart* chart, TopStrip* strip, Records records)
    : QObject(chart), chart_(chart), strip_(strip), records_(std::move(records)) {
    const auto mark = [this] { chart_->MarkRecordTime(ShownTime()); };
    // The panel shows another record, or none; or the chart another history,
    // whose first record may stand where the last one's did.
    connect(strip->RecordScrollBar(), &QScrollBar::valueChanged, this, mark);
    connect(strip->RecordTimeField(), &QLineEdit::textChanged, this, mark);
    connect(chart, &HistoryChart::HistoryShown, this, mark);
    connect(chart, &HistoryChart::PointClicked, this, &ChartRecordLink::ShowRecordOf);
}

std::optional<double> ChartRecordLink::ShownTime() const {
    const TelemetryHistory& history = records_();
    const int number = strip_->RecordScrollBar()->value();
    if (strip_->RecordTimeField()->text().isEmpty() || number < 1 ||
        static_cast<std::size_t>(number) > history.Count()) {
        return std::nullopt;
    }
    return history.Timestamp(static_cast<std::size_t>(number) - 1);
}

void ChartRecordLink::ShowRecordOf(int channel, const HistoryPoint& point) {
    const TelemetryHistory& history = records_();
    if (chart_->History() != &history) {
        return;
    }
    if (const int number = RecordNumberOf(history, channel, point); number > 0) {
        strip_->RecordScrollBar()->setValue(number);
    }
}

}  // namespace orvex
