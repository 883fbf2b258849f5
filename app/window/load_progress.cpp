#include "app/window/load_progress.h"

#include <QMainWindow>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>

#include "app/widgets/status_line.h"
#include "app/window/object_names.h"

namespace orvex {

LoadProgress::LoadProgress(QMainWindow& window, StatusLine& line)
    : QObject(&window),
      line_(line),
      button_(new QPushButton(tr("Cancel"), &window)),
      escape_(new QShortcut(QKeySequence(Qt::Key_Escape), &window)) {
    button_->setObjectName(object_name::kCancelLoadButton);
    button_->setToolTip(
        tr("Stops reading the log (Escape), as Exit would: the report keeps what was read"));
    button_->setFocusPolicy(Qt::NoFocus);  // Escape reaches it from anywhere
    button_->hide();
    window.statusBar()->addPermanentWidget(button_);
    escape_->setContext(Qt::WindowShortcut);
    escape_->setEnabled(false);
    connect(button_, &QPushButton::clicked, this, &LoadProgress::Cancel);
    connect(escape_, &QShortcut::activated, this, &LoadProgress::Cancel);
}

void LoadProgress::Start(const QString& text) {
    text_ = text;
    cancelled_ = false;
    running_ = true;
    line_.ShowText(text);
    button_->setEnabled(true);
    button_->show();
    escape_->setEnabled(true);
}

void LoadProgress::Show(int percent) {
    if (running_) {
        line_.ShowText(tr("%1 %2% read").arg(text_).arg(percent));
    }
}

void LoadProgress::End() {
    running_ = false;
    button_->hide();
    escape_->setEnabled(false);
}

void LoadProgress::Cancel() {
    if (!running_ || cancelled_) {
        return;
    }
    cancelled_ = true;
    button_->setEnabled(false);
    emit CancelRequested();
}

}  // namespace orvex
