#pragma once

#include <QObject>
#include <QString>

class QMainWindow;
class QPushButton;
class QShortcut;

namespace orvex {

class StatusLine;

// While a log is read: how far, in per cent of its bytes, in the status
// line, and the Cancel button beside it, which Escape presses too. Cancel
// ends the load as a stop does; the window says so when it has ended.
class LoadProgress : public QObject {
    Q_OBJECT
public:
    LoadProgress(QMainWindow& window, StatusLine& line);

    // A log's load began, told as `text` ("Reading /logs/orbit.kss...").
    void Start(const QString& text);
    void Show(int percent);
    // The load ended, cancelled or not.
    void End();
    // Whether the user cancelled the load last started.
    bool Cancelled() const { return cancelled_; }

signals:
    void CancelRequested();

private:
    void Cancel();

    StatusLine& line_;
    QPushButton* button_;
    QShortcut* escape_;
    QString text_;
    bool running_ = false;
    bool cancelled_ = false;
};

}  // namespace orvex
