// The main window's side of the archive: Settings > Archive, the loads added
// to it, and the chart's ranges drawn from it.
#include <QDateTime>
#include <QFileInfo>
#include <QGroupBox>
#include <QLineEdit>

#include "app/chart/history_chart.h"
#include "app/dialogs/archive_dialog.h"
#include "app/dialogs/archive_span_dialog.h"
#include "app/widgets/channel_panel.h"
#include "app/widgets/window_style.h"
#include "app/window/main_window.h"
#include "text/unix_time.h"

namespace orvex {
namespace {

QString LocalText(const std::string& text) {
    return QString::fromLocal8Bit(text.c_str());
}

}  // namespace

void MainWindow::ConfigureArchive() {
    if (session_.Loading()) {
        return;
    }
    const std::optional<ArchiveChoice> choice = chooseArchive_(archive_.Choice());
    if (!choice) {
        return;
    }
    choice->Remember();
    ApplyArchive(*choice);
}

std::optional<ArchiveChoice> MainWindow::ChooseArchive(const ArchiveChoice& last) {
    ArchiveDialog dialog(last, this);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.Choice();
}

void MainWindow::ApplyArchive(const ArchiveChoice& choice) {
    const std::optional<std::string> problem = archive_.Apply(choice);
    FollowArchive();
    const QString shown = LocalText(archive_.Shown());
    if (problem) {
        ShowStatus(tr("Cannot open the archive %1: %2.").arg(shown, LocalText(*problem)));
    } else if (const ArchiveDatabase* database = archive_.Database();
               database != nullptr && database->Migrated()) {
        const ArchiveMigration& moved = *database->Migrated();
        ShowStatus(tr("The archive %1 was moved from version %2 to version %3: %4 frames. "
                      "Every log read is added to it.")
                       .arg(shown)
                       .arg(moved.fromVersion)
                       .arg(ArchiveDatabase::kSchemaVersion)
                       .arg(moved.frames));
    } else if (choice.enabled) {
        ShowStatus(tr("Every log read is added to the archive %1.").arg(shown));
    }
}

std::optional<FileProblem> MainWindow::PrepareArchive() {
    const std::optional<std::string> problem = archive_.Prepare();
    FollowArchive();
    if (!problem) {
        return std::nullopt;
    }
    return FileProblem{FileProblem::Action::WriteArchive, archive_.Shown(), *problem};
}

void MainWindow::FollowArchive() {
    loadContext_.SetArchive(archive_.Target());
    const bool available = archive_.Database() != nullptr;
    range_->SetArchiveAvailable(available);
    if (!available && shownRange_ != ChartRange::Log) {
        ChooseChartRange(ChartRange::Log);
    }
}

void MainWindow::ChooseChartRange(ChartRange range) {
    if (range == ChartRange::Span) {
        const std::optional<ArchiveSpan> span =
            chooseSpan_(chosenSpan_ ? *chosenSpan_
                                    : ArchiveSpanDialog::FirstSpan(
                                          archive_.Database(), QDateTime::currentSecsSinceEpoch()));
        if (!span) {
            range_->ShowRange(shownRange_);
            return;
        }
        chosenSpan_ = span;
    }
    shownRange_ = range;
    range_->ShowRange(range);
    // Shown from its whole span, as a new log is.
    chart_->ForgetHistory();
    RefreshArchiveHistory();
    if (chart_->Channels().empty()) {
        panel_->Select(0);  // as after a load, so that the range shows something
    } else {
        RedrawChart();
    }
    if (range != ChartRange::Log) {
        ShowStatus(ArchiveRangeText());
    }
}

std::optional<ArchiveSpan> MainWindow::ChooseSpan(const ArchiveSpan& last) {
    ArchiveSpanDialog dialog(last, this);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.Span();
}

void MainWindow::RefreshArchiveHistory() {
    ArchiveDatabase* database = archive_.Database();
    if (database == nullptr || shownRange_ == ChartRange::Log) {
        return;
    }
    const std::optional<ArchiveSpan> range =
        shownRange_ == ChartRange::Span
            ? chosenSpan_
            : RecentSpan(shownRange_, QDateTime::currentSecsSinceEpoch());
    archiveHistory_->Show(*database, range);
}

QString MainWindow::ArchiveRangeText() const {
    const QString shown = LocalText(archive_.Shown());
    if (!archiveHistory_->Problem().empty()) {
        return tr("Cannot read the archive %1: %2.")
            .arg(shown, LocalText(archiveHistory_->Problem()));
    }
    const auto time = [this](double seconds) {
        return FromLatin1(format_.DateTimeText(UnixTimeToDate(seconds)));
    };
    const std::optional<ArchiveSpan>& held = archiveHistory_->Held();
    const std::optional<TimeSpan> extent = archiveHistory_->Extent();
    if (!held && !extent) {
        return tr("The archive %1 holds no telemetry yet.").arg(shown);
    }
    if (!held) {
        return tr("The archive %1 holds no telemetry from %2 to %3 (UTC).")
            .arg(shown, time(extent->first), time(extent->last));
    }
    return tr("Charted from the archive %1: telemetry from %2 to %3 (UTC).")
        .arg(shown, time(static_cast<double>(held->from)), time(static_cast<double>(held->to)));
}

// What a saved chart shows: its channels with their units, the span in the
// picture and where its points come from.
QStringList MainWindow::ChartPictureCaption() const {
    const TimeSpan span = chart_->VisibleSpan();
    const auto time = [this](double seconds) {
        return FromLatin1(format_.DateTimeText(UnixTimeToDate(seconds)));
    };
    const QString source = shownRange_ == ChartRange::Log
                               ? QFileInfo(logPath_->text()).fileName()
                               : tr("archive %1").arg(LocalText(archive_.Shown()));
    return {chartFrame_->title().trimmed(),
            tr("%1 to %2 (UTC), %3").arg(time(span.first), time(span.last), source)};
}

}  // namespace orvex
