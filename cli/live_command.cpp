#include "cli/live_command.h"

#include <unistd.h>

#include <memory>
#include <ostream>

#include "cli/decode_options.h"
#include "cli/progress_line.h"
#include "cli/qt_application.h"
#include "cli/share_run.h"
#include "cli/stop_signals.h"
#include "cli/summary_text.h"
#include "live/link_source.h"
#include "live/recording.h"
#include "live/serial_link.h"
#include "live/stream_source.h"
#include "live/tcp_link.h"
#include "load/log_load.h"
#include "load/recorded_stream.h"

namespace orvex {
namespace {

// The link's changes on the terminal.
class TerminalWatcher : public LinkWatcher {
public:
    TerminalWatcher(std::ostream& err, std::string linkName)
        : err_(err), linkName_(std::move(linkName)) {}

    void OnLinkEvent(const LinkEvent& event) override {
        err_ << kDecodeProgram << ": ";
        switch (event.kind) {
            case LinkEvent::Kind::Connected:
                err_ << "connected to " << linkName_;
                break;
            case LinkEvent::Kind::Refused:
                err_ << "cannot connect to " << linkName_ << ": " << event.reason;
                break;
            case LinkEvent::Kind::Lost:
                err_ << "lost " << linkName_ << ": " << event.reason;
                break;
            case LinkEvent::Kind::Ended:
                err_ << linkName_ << " ended";
                break;
        }
        if (event.retryIn.count() > 0) {
            err_ << "; trying again in " << (event.retryIn.count() + 999) / 1000 << " s";
        }
        err_ << std::endl;
    }

private:
    std::ostream& err_;
    std::string linkName_;
};

std::unique_ptr<Link> MakeLink(const LiveInput& input) {
    if (input.kind == LiveInput::Kind::Serial) {
        return std::make_unique<SerialLink>(input.device, input.baudRate);
    }
    return std::make_unique<TcpLink>(input.host, input.port);
}

// 0 or the errno of the recording's plan, checked before the stream starts.
int PlanRecording(const LiveInput& input, Recording& recording) {
    return input.recordFile.empty() ? recording.PlanIn(input.recordFolder)
                                    : recording.PlanFile(input.recordFile);
}

// "recorded 1200 bytes into PATH", or, after a failure, "recorded 679936 of
// the 5000000 bytes received into PATH".
void PrintRecorded(std::ostream& err, const Recording& recording) {
    err << kDecodeProgram << ": recorded " << recording.BytesRecorded();
    if (recording.BytesReceived() != recording.BytesRecorded()) {
        err << " of the " << recording.BytesReceived() << " bytes received";
    } else {
        err << " bytes";
    }
    err << " into " << recording.Path() << '\n';
}

}  // namespace

int RunLiveDecode(const LiveInput& input, const LoadContext& context, const StopSignals& stop,
                  FrameSharer* sharer, std::ostream& out, std::ostream& err, bool json) {
    Recording recording;
    if (const int error = PlanRecording(input, recording)) {
        err << kDecodeProgram << ": "
            << ProblemFromErrno(FileProblem::Action::RecordLog, recording.Planned(), error)
                   .Message()
            << '\n';
        return 1;
    }
    recording.TellFailureTo([&](int error) {
        err << kDecodeProgram << ": "
            << ProblemFromErrno(FileProblem::Action::RecordLog, recording.Path(), error).Message()
            << "; the stream is still decoded, but no longer recorded" << std::endl;
    });

    const std::unique_ptr<QCoreApplication> application = ApplicationIfNone();
    Frame frame;
    LogLoad load(recording.Planned(), context, frame, LoadMode::Stream);
    ProgressLine follower(err, load, 0, false, stop, sharer);
    LoadPacing pacing(follower);
    const bool standardInput = input.kind == LiveInput::Kind::StandardInput;
    std::unique_ptr<Link> link = standardInput ? nullptr : MakeLink(input);
    TerminalWatcher watcher(err, standardInput ? "standard input" : link->Name());
    std::unique_ptr<LogSource> live;
    if (standardInput) {
        live = std::make_unique<StreamSource>(STDIN_FILENO, watcher, pacing);
    } else {
        live = std::make_unique<LinkSource>(*link, watcher, pacing);
    }

    LoadSharing sharing(sharer, load);
    LoadOutcome outcome = RunRecordedStream(load, *live, recording, &pacing, [&] {
        err << kDecodeProgram << ": recording into " << recording.Path() << std::endl;
    });
    const bool allShared = sharing.Tell(outcome, recording.Path(), err);
    for (const FileProblem& problem : outcome.problems) {
        err << kDecodeProgram << ": " << problem.Message() << '\n';
    }
    if (!recording.Begun()) {
        err << kDecodeProgram << ": nothing received, so nothing was recorded or written\n";
        return 1;
    }
    PrintLogSummary(out, recording.Path(), outcome, json);
    PrintRecorded(err, recording);
    return outcome.problems.empty() && allShared ? 0 : 1;
}

}  // namespace orvex
