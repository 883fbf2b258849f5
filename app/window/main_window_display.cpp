// The main window's side of the decoder display: what the session shows,
// converted to QString here and nowhere else.
#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

#include "app/chart/history_chart.h"
#include "app/live/live_session.h"
#include "app/widgets/channel_panel.h"
#include "app/widgets/frame_list_model.h"
#include "app/widgets/top_strip.h"
#include "app/widgets/window_style.h"
#include "app/window/load_progress.h"
#include "app/window/main_window.h"
#include "telemetry/channel_table.h"
#include "telemetry/telemetry_history.h"

namespace orvex {
namespace {

// A stream's chart is drawn again at most once a second: a draw of a long
// history takes a while (see bench/README.md).
constexpr qint64 kChartIntervalMs = 1000;

}  // namespace

void MainWindow::ShowChannelLabels(int channel, std::string_view name, std::string_view unit) {
    panel_->ShowLabels(channel, FromLatin1(name), FromLatin1(unit));
}

void MainWindow::ShowChannelValue(int channel, std::string_view text, bool fromEarlierFrame) {
    panel_->ShowValue(channel, FromLatin1(text), fromEarlierFrame);
}

void MainWindow::ShowRecordTime(std::string_view text) {
    strip_->ShowRecordTime(FromLatin1(text));
}

void MainWindow::ShowRecordPosition(std::string_view text) {
    strip_->ShowRecordPosition(FromLatin1(text));
}

void MainWindow::ShowSoftwareVersion(int version) {
    // Every TLM frame shows the version, which hardly ever changes.
    if (version == shownVersion_) {
        return;
    }
    shownVersion_ = version;
    strip_->ShowSoftwareVersion(tr("Software Version %1").arg(version));
}

void MainWindow::ShowLogPath(std::string_view path) {
    const QString text =
        QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size())));
    // A path may be longer than any font could fit: it keeps its font, shows
    // its start, and tells the whole path on hover.
    logPath_->setText(text);
    logPath_->setCursorPosition(0);
    logPath_->setToolTip(text);
}

void MainWindow::ForgetShownLoad() {
    for (int channel = 0; channel < kChannelCount; ++channel) {
        panel_->ShowValue(channel, QString(), false);
    }
    strip_->Forget();
    shownVersion_ = -1;
    frameCounter_->clear();
    frameCounter_->setToolTip(QString());
    frameList_->Clear();
    chart_->ForgetHistory();
    if (shownRange_ == ChartRange::Log) {
        // The lines go at once, not when the new history is first charted.
        chart_->ShowChannels(chart_->Channels(), std::make_shared<TelemetryHistory>());
    }
    EnableSaveChart();
}

void MainWindow::AddFrameText(std::string_view text) {
    frameList_->Append(text);
}

void MainWindow::EnableRecordNavigation() {
    strip_->RecordScrollBar()->setEnabled(true);
}

void MainWindow::SetRecordCount(int count) {
    if (count > 0) {
        strip_->RecordScrollBar()->setRange(1, count);
    } else {
        strip_->RecordScrollBar()->setRange(0, 0);
    }
}

int MainWindow::RecordPosition() const {
    return strip_->RecordScrollBar()->value();
}

void MainWindow::MoveToRecord(int position) {
    strip_->RecordScrollBar()->setValue(position);
}

void MainWindow::SelectChannel(int channel) {
    panel_->Select(channel);
}

void MainWindow::ShowChart(std::string_view caption, const std::vector<int>& channels,
                           std::shared_ptr<const ChannelHistory> history) {
    chartFrame_->setTitle(FromLatin1(caption));
    if (shownRange_ == ChartRange::Log) {
        chart_->ShowChannels(channels, std::move(history));
    } else {
        // The archive may have grown since: by the load just read, or a stream.
        RefreshArchiveHistory();
        chart_->ShowChannels(channels, archiveHistory_);
    }
    EnableSaveChart();
}

void MainWindow::HistoryGrew() {
    if (sinceChartDrawn_.isValid() && sinceChartDrawn_.elapsed() >= kChartIntervalMs) {
        sinceChartDrawn_.start();
        RedrawChart();
    }
}

void MainWindow::ShowStreamState(const StreamState& state) {
    if (live_) {
        ShowStatus(live_->StatusText(state));
    }
}

void MainWindow::ShowLoadProgress(int percent) {
    progress_->Show(percent);
}

void MainWindow::ShowBusy() {
    // The window goes on answering while the load runs beside it.
    QApplication::setOverrideCursor(Qt::BusyCursor);
}

void MainWindow::ShowIdle() {
    frameList_->Flush();
    QApplication::restoreOverrideCursor();
}

void MainWindow::ShowFrameCount(std::uint64_t frameCount) {
    frameList_->ShowPending();
    const QString caption = tr("%1 frames").arg(frameCount);
    FitFontToText(frameCounter_, caption, frameCounter_->width());
    frameCounter_->setText(caption);
}

}  // namespace orvex
