// The main window's side of sharing frames: Settings > Station and Share
// Frames, the loads' frames handed on, and the status line's count.
#include <QLabel>

#include "app/dialogs/share_dialog.h"
#include "app/dialogs/station_dialog.h"
#include "app/window/main_window.h"
#include "app/window/share_status_text.h"
#include "share/frame_sharer.h"

namespace orvex {

void MainWindow::ConfigureStation() {
    if (session_.Loading()) {
        return;
    }
    const std::optional<StationChoice> choice = chooseStation_(StationChoice::Remembered());
    if (!choice) {
        return;
    }
    choice->Remember();
    ApplySharing(ShareChoice::Remembered(), *choice);
}

void MainWindow::ConfigureSharing() {
    if (session_.Loading()) {
        return;
    }
    const std::optional<ShareChoice> choice = chooseShare_(ShareChoice::Remembered());
    if (!choice) {
        return;
    }
    choice->Remember();
    ApplySharing(*choice, StationChoice::Remembered());
}

std::optional<StationChoice> MainWindow::ChooseStation(const StationChoice& last) {
    StationDialog dialog(last, this);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.Choice();
}

std::optional<ShareChoice> MainWindow::ChooseShare(const ShareChoice& last) {
    ShareDialog dialog(last, this);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.Choice();
}

void MainWindow::ApplySharing(const ShareChoice& share, const StationChoice& station) {
    const std::optional<QString> problem = sharing_.Apply(share, station);
    session_.SetFrameSharing(sharing_.Feed());
    if (FrameSharer* sharer = sharing_.Sharer()) {
        connect(sharer, &FrameSharer::StatusChanged, this, &MainWindow::ShowShareStatus);
        ShowStatus(
            share.servers.size() == 1
                ? tr("Every frame received is shared with 1 server.")
                : tr("Every frame received is shared with %1 servers.").arg(share.servers.size()));
    } else if (problem) {
        ShowStatus(*problem);
    }
    ShowShareStatus();
}

void MainWindow::ShowShareStatus() {
    FrameSharer* sharer = sharing_.Sharer();
    shareStatus_->setVisible(sharer != nullptr);
    if (sharer == nullptr) {
        return;
    }
    const ShareStatus status = sharer->Status();
    shareStatus_->setText(ShareStatusText::Line(status));
    shareStatus_->setToolTip(ShareStatusText::ToolTip(status));
}

}  // namespace orvex
