#include "app/live/live_session.h"

#include <QFile>

#include "app/window/load_status.h"
#include "live/link.h"
#include "live/link_source.h"
#include "live/live_decode.h"
#include "session/decoder_session.h"

namespace orvex {
namespace {

// The status line counts bytes and frames a few times a second: more often
// is not read, and costs the stream's time.
constexpr qint64 kStatusIntervalMs = 250;
// The chart is drawn again at most once a second: a draw of a long history
// costs the stream's time (bench/README.md, the chart of two million points).
constexpr qint64 kChartIntervalMs = 1000;

}  // namespace

LiveSession::LiveSession(const LinkChoice& choice, DecoderSession& session)
    : choice_(choice), session_(session), link_(choice.MakeLink()) {
    source_ = std::make_unique<LinkSource>(*link_, *this);
}

LiveSession::~LiveSession() = default;

QString LiveSession::Start() {
    const std::string folder = QFile::encodeName(choice_.recordFolder).toStdString();
    if (const int error = recording_.PlanIn(folder)) {
        return LoadStatus::ProblemText(
                   ProblemFromErrno(FileProblem::Action::RecordLog, folder, error)) +
               '.';
    }
    sinceStatus_.start();
    sinceChart_.start();
    emit StatusChanged(LoadStatus::ConnectingText(LinkName(), RecordingPath()));
    return {};
}

LoadOutcome LiveSession::Run() {
    return DecodeWhileRecording(
        [this](LogSource& recorded, const FileIdentity& identity) {
            return session_.FollowStream(recording_.Path(), recorded, identity);
        },
        *source_, recording_);
}

QString LiveSession::RecordingPath() const {
    const std::string& path = recording_.Begun() ? recording_.Path() : recording_.Planned();
    return QFile::decodeName(QByteArray::fromStdString(path));
}

QString LiveSession::LinkName() const {
    return QString::fromStdString(link_->Name());
}

void LiveSession::OnLinkEvent(const LinkEvent& event) {
    last_ = event;
    sinceEvent_.start();
    TellStatus();
}

bool LiveSession::KeepWaiting() {
    QCoreApplication::processEvents();
    if (sinceStatus_.elapsed() >= kStatusIntervalMs) {
        TellStatus();
    }
    if (sinceChart_.elapsed() >= kChartIntervalMs &&
        session_.History().Count() != historyCharted_) {
        sinceChart_.start();
        historyCharted_ = session_.History().Count();
        emit HistoryGrew();
    }
    return !ending_;
}

void LiveSession::TellStatus() {
    sinceStatus_.start();
    if (last_.kind == LinkEvent::Kind::Ended || !sinceEvent_.isValid()) {
        return;  // the window tells the outcome; "connecting" is still shown
    }
    const LogLoad* load = session_.CurrentLoad();
    const std::uint64_t frames = load != nullptr && session_.Loading() ? load->FramesDecoded() : 0;
    const auto retryLeft = last_.retryIn - std::chrono::milliseconds(sinceEvent_.elapsed());
    emit StatusChanged(
        LoadStatus::LiveText(last_, LinkName(), retryLeft, source_->BytesReceived(), frames));
}

}  // namespace orvex
