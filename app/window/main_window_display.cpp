// The main window's side of the decoder display: what the session shows,
// converted to QString here and nowhere else.
#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

#include "app/chart/history_chart.h"
#include "app/widgets/channel_panel.h"
#include "app/widgets/frame_list_model.h"
#include "app/widgets/top_strip.h"
#include "app/widgets/window_style.h"
#include "app/window/main_window.h"

namespace orvex {
namespace {

// Often enough to repaint and answer the user smoothly, rarely enough that a
// long log is not slowed down by the event loop.
constexpr qint64 kYieldIntervalMs = 15;

}  // namespace

void MainWindow::ShowChannelLabels(int channel, std::string_view name, std::string_view unit) {
    panel_->ShowLabels(channel, FromLatin1(name), FromLatin1(unit));
}

void MainWindow::ShowChannelValue(int channel, std::string_view text) {
    panel_->ShowValue(channel, FromLatin1(text));
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

void MainWindow::ClearFrameTexts() {
    // A new log's frames are coming, and its history with them.
    frameList_->Clear();
    chart_->ForgetHistory();
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
                           const ChannelHistory& history) {
    chartFrame_->setTitle(FromLatin1(caption));
    if (shownRange_ == ChartRange::Log) {
        chart_->ShowChannels(channels, history);
    } else {
        // The archive may have grown since: by the load just read, or a stream.
        RefreshArchiveHistory();
        chart_->ShowChannels(channels, archiveHistory_);
    }
    EnableSaveChart();
}

void MainWindow::ShowBusy() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void MainWindow::ShowIdle() {
    QApplication::restoreOverrideCursor();
}

bool MainWindow::YieldDue() {
    if (yieldClock_.isValid() && yieldClock_.elapsed() < kYieldIntervalMs) {
        return false;
    }
    yieldClock_.start();
    return true;
}

void MainWindow::AfterFrame(std::uint64_t frameCount) {
    if (!YieldDue()) {
        return;
    }
    frameList_->ShowPending();
    ShowProgress(frameCount);
    QCoreApplication::processEvents();
}

void MainWindow::WhileReading() {
    if (YieldDue()) {
        QCoreApplication::processEvents();
    }
}

void MainWindow::ShowFrameCount(std::uint64_t frameCount) {
    frameList_->Flush();
    ShowProgress(frameCount);
}

void MainWindow::ShowProgress(std::uint64_t frameCount) {
    const QString caption = tr("%1 frames").arg(frameCount);
    FitFontToText(frameCounter_, caption, frameCounter_->width());
    frameCounter_->setText(caption);
}

}  // namespace orvex
