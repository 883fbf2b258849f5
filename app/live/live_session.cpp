#include "app/live/live_session.h"

#include <QFile>

#include "app/window/load_status.h"
#include "live/link.h"
#include "live/link_source.h"
#include "live/recording.h"

namespace orvex {

LiveSession::LiveSession(const LinkChoice& choice)
    : choice_(choice),
      linkName_(QString::fromStdString(choice.MakeLink()->Name())),
      recording_(std::make_shared<Recording>()) {}

LiveSession::~LiveSession() = default;

QString LiveSession::Start() {
    const std::string folder = QFile::encodeName(choice_.recordFolder).toStdString();
    if (const int error = recording_->PlanIn(folder)) {
        return LoadStatus::ProblemText(
                   ProblemFromErrno(FileProblem::Action::RecordLog, folder, error)) +
               '.';
    }
    return {};
}

DecoderSession::StreamOpener LiveSession::Opener() const {
    return [choice = choice_](LoadPacing& pacing, LinkWatcher& watcher) {
        return std::make_unique<LinkSource>(choice.MakeLink(), watcher, pacing);
    };
}

QString LiveSession::RecordingPath() const {
    const std::string& path = recording_->Begun() ? recording_->Path() : recording_->Planned();
    return QFile::decodeName(QByteArray::fromStdString(path));
}

QString LiveSession::ConnectingText() const {
    return LoadStatus::ConnectingText(linkName_, RecordingPath());
}

QString LiveSession::StatusText(const StreamState& state) const {
    const QString live =
        LoadStatus::LiveText(state.last, linkName_, state.retryLeft, state.bytes, state.frames);
    return recordingFailure_.isEmpty() ? live : recordingFailure_ + u' ' + live;
}

}  // namespace orvex
