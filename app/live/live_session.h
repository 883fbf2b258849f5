#pragma once

#include <QString>
#include <memory>

#include "app/settings/link_choice.h"
#include "session/decoder_session.h"

namespace orvex {

class Recording;
struct StreamState;

// File > Connect's stream: the link chosen, the recording every byte goes
// into, and what the status line says of them. The session follows it on
// its loading thread, where the link is made.
class LiveSession {
public:
    explicit LiveSession(const LinkChoice& choice);
    ~LiveSession();
    LiveSession(const LiveSession&) = delete;
    LiveSession& operator=(const LiveSession&) = delete;

    // Plans the recording in the chosen folder, made at the first byte
    // received: "" or why it cannot be.
    QString Start();
    const std::shared_ptr<Recording>& RecordingFile() const { return recording_; }
    // Makes the chosen link's source, kept up with its retries.
    DecoderSession::StreamOpener Opener() const;

    // The recording's path, which names the session's log and outputs; its
    // folder until the first byte.
    QString RecordingPath() const;
    QString LinkName() const { return linkName_; }
    QString ConnectingText() const;
    // What the status line says of the stream now: a failed recording first,
    // for as long as the session lasts, so that no count hides it.
    QString StatusText(const StreamState& state) const;
    void NoteRecordingFailure(const QString& text) { recordingFailure_ = text; }

private:
    LinkChoice choice_;
    QString linkName_;
    std::shared_ptr<Recording> recording_;
    QString recordingFailure_;
};

}  // namespace orvex
