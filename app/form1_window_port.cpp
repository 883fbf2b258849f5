// Form1's side of the core's window interface.
#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

#include "app/channel_panel.h"
#include "app/form1.h"
#include "app/frame_list_model.h"
#include "app/history_chart.h"
#include "app/top_strip.h"
#include "app/window_style.h"

namespace orvex {
namespace {

// Often enough to repaint and answer the user smoothly, rarely enough that a
// long log is not slowed down by the event loop.
constexpr qint64 kYieldIntervalMs = 15;

}  // namespace

void Form1::SetText1(int row, std::string_view text) {
    panel_->SetText1(row, FromLatin1(text));
}

void Form1::SetLabel1Caption(int row, std::string_view text) {
    panel_->SetLabel1Caption(row, FromLatin1(text));
}

void Form1::SetLabel2Caption(int row, std::string_view text) {
    panel_->SetLabel2Caption(row, FromLatin1(text));
}

void Form1::SetText2(std::string_view text) {
    strip_->SetText2(FromLatin1(text));
}

void Form1::SetText3(int index, std::string_view text) {
    // Every TLM frame sets the version, which hardly ever changes.
    if (index == 1) {
        if (text == shownVersion_) {
            return;
        }
        shownVersion_ = text;
    }
    strip_->SetText3(index, FromLatin1(text));
}

void Form1::SetText4(std::string_view logPath) {
    const QString path =
        QFile::decodeName(QByteArray(logPath.data(), static_cast<qsizetype>(logPath.size())));
    // A path may be longer than any font could fit: it keeps its font, shows
    // its start, and tells the whole path on hover.
    text4_->setText(path);
    text4_->setCursorPosition(0);
    text4_->setToolTip(path);
}

void Form1::ClearList1() {
    frameList_->Clear();
}

void Form1::AddList1Item(std::string_view text) {
    frameList_->Append(text);
}

bool Form1::WriteTLMFileChecked() const {
    return writeTLMFile_->isChecked();
}

bool Form1::WriteWODFileChecked() const {
    return writeWODFile_->isChecked();
}

void Form1::EnableHScroll1() {
    strip_->HScroll1()->setEnabled(true);
}

void Form1::SetHScroll1Max(int max) {
    if (max > 0) {
        strip_->HScroll1()->setRange(1, max);
    } else {
        strip_->HScroll1()->setRange(0, 0);
    }
}

int Form1::HScroll1Position() const {
    return strip_->HScroll1()->value();
}

void Form1::SetOption1(int row) {
    panel_->SetOption1(row);
}

void Form1::ShowChart(std::string_view caption, const std::vector<ChartPoint>& points) {
    frame1_->setTitle(FromLatin1(caption));
    chart_->ShowPoints(points);
}

void Form1::ShowBusyPointer() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void Form1::RestorePointer() {
    QApplication::restoreOverrideCursor();
}

bool Form1::YieldDue() {
    if (yieldClock_.isValid() && yieldClock_.elapsed() < kYieldIntervalMs) {
        return false;
    }
    yieldClock_.start();
    return true;
}

void Form1::YieldAfterFrame(std::uint64_t frameCount) {
    if (!YieldDue()) {
        return;
    }
    frameList_->ShowPending();
    ShowProgress(frameCount);
    QCoreApplication::processEvents();
}

void Form1::YieldWhileReading() {
    if (YieldDue()) {
        QCoreApplication::processEvents();
    }
}

void Form1::ShowFrameCount(std::uint64_t frameCount) {
    frameList_->Flush();
    ShowProgress(frameCount);
}

void Form1::ShowProgress(std::uint64_t frameCount) {
    const QString caption = QString::fromStdString(FrameCountCaption(frameCount));
    FitFontToText(label3_, caption, label3_->width());
    label3_->setText(caption);
}

}  // namespace orvex
