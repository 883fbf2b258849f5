#include "cli/live_command.h"

#include <unistd.h>

#include <memory>
#include <ostream>

#include "cli/decode_options.h"
#include "cli/qt_application.h"
#include "cli/share_run.h"
#include "cli/stop_signals.h"
#include "cli/summary_text.h"
#include "live/link_source.h"
#include "live/live_decode.h"
#include "live/recording.h"
#include "live/serial_link.h"
#include "live/stream_source.h"
#include "live/tcp_link.h"
#include "load/log_load.h"

namespace orvex {
namespace {

// The link's changes and the uploader's news on the terminal; a stop signal
// ends the stream.
class TerminalWatcher : public LinkWatcher {
public:
    TerminalWatcher(std::ostream& err, std::string linkName, const StopSignals& stop,
                    FrameSharer* sharer)
        : err_(err), linkName_(std::move(linkName)), stop_(stop), sharer_(sharer) {}

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
    bool KeepWaiting() override {
        if (sharer_ != nullptr) {
            TellShareNews(*sharer_, err_);
        }
        return stop_.Received() == 0;
    }

private:
    std::ostream& err_;
    std::string linkName_;
    const StopSignals& stop_;
    FrameSharer* sharer_;
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
    const bool standardInput = input.kind == LiveInput::Kind::StandardInput;
    std::unique_ptr<Link> link = standardInput ? nullptr : MakeLink(input);
    TerminalWatcher watcher(err, standardInput ? "standard input" : link->Name(), stop, sharer);
    std::unique_ptr<LogSource> live;
    if (standardInput) {
        live = std::make_unique<StreamSource>(STDIN_FILENO, watcher);
    } else {
        live = std::make_unique<LinkSource>(*link, watcher);
    }

    bool allShared = true;
    const LoadOutcome outcome = DecodeWhileRecording(
        [&](LogSource& recorded, const FileIdentity& identity) {
            err << kDecodeProgram << ": recording into " << recording.Path() << std::endl;
            Frame frame;
            LogLoad load(recording.Path(), context, frame);
            load.ArchiveEachFrame();
            load.StampArrivalTimes();
            LoadSharing sharing(sharer, load);
            LoadOutcome run = load.Run(recorded, identity, nullptr);
            allShared = sharing.Tell(run, recording.Path(), err);
            return run;
        },
        *live, recording);
    for (const FileProblem& problem : outcome.problems) {
        err << kDecodeProgram << ": " << problem.Message() << '\n';
    }
    if (!recording.Begun()) {
        err << kDecodeProgram << ": nothing received, so nothing was recorded or written\n";
        return 1;
    }
    PrintLogSummary(out, err, recording.Path(), outcome, json);
    PrintRecorded(err, recording);
    return outcome.problems.empty() && allShared ? 0 : 1;
}

}  // namespace orvex
