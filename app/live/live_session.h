#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <memory>

#include "app/settings/link_choice.h"
#include "live/link_watcher.h"
#include "live/recording.h"
#include "load/load_outcome.h"

namespace orvex {

class DecoderSession;
class Link;
class LinkSource;

// File > Connect's stream, decoded by the window's session while every
// byte is recorded: the link kept up with its retries, and the window kept
// alive while the reads wait (the link asks this watcher every 20 ms at
// most). It tells the window what to show in the status line and when the
// chart has more to draw.
class LiveSession : public QObject, public LinkWatcher {
    Q_OBJECT
public:
    LiveSession(const LinkChoice& choice, DecoderSession& session);
    ~LiveSession() override;

    // Plans the recording in the chosen folder, made at the first byte
    // received: "" or why it cannot be.
    QString Start();
    // Decodes the stream until End is asked; the outputs are then finished.
    LoadOutcome Run();
    // Ends the stream at the next question: the load then ends as at the end
    // of a log, and writes the WOD export.
    void End() { ending_ = true; }

    // The recording's path, which names the session's log and outputs; its
    // folder until the first byte.
    QString RecordingPath() const;
    QString LinkName() const;

    void OnLinkEvent(const LinkEvent& event) override;
    bool KeepWaiting() override;

signals:
    void StatusChanged(const QString& text);
    // More of the history has arrived since the chart was last drawn.
    void HistoryGrew();

private:
    void TellStatus();

    LinkChoice choice_;
    DecoderSession& session_;
    std::unique_ptr<Link> link_;
    std::unique_ptr<LinkSource> source_;
    Recording recording_;
    LinkEvent last_;
    QElapsedTimer sinceEvent_;
    QElapsedTimer sinceStatus_;
    QElapsedTimer sinceChart_;
    std::size_t historyCharted_ = 0;
    bool ending_ = false;
};

}  // namespace orvex
