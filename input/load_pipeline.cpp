#include "input/load_pipeline.h"

#include <utility>

#include "frames/frame_decoders.h"
#include "input/kiss_reader.h"
#include "input/time_frame.h"
#include "input/wod_export.h"
#include "telemetry/record_display.h"
#include "telemetry/telemetry_decoders.h"

namespace orvex {
namespace {

constexpr std::uint16_t kShortestDecodedFrame = 7;

// Runs its action however the scope is left.
template <class Action>
class ScopeExit {
public:
    explicit ScopeExit(Action action) : action_(std::move(action)) {}
    ~ScopeExit() { action_(); }
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;

private:
    Action action_;
};

// Hands the window a turn between blocks of the log; a stop asked for then
// ends the log's data.
class ResponsiveSource : public ByteSource {
public:
    ResponsiveSource(ByteSource& inner, WindowPort& window) : inner_(inner), window_(window) {}

    Result Read(std::uint8_t* buffer, std::size_t capacity) override {
        if (reads_++ > 0) {
            window_.YieldWhileReading();
            if (window_.StopRequested()) {
                return {};
            }
        }
        return inner_.Read(buffer, capacity);
    }

private:
    ByteSource& inner_;
    WindowPort& window_;
    std::uint64_t reads_ = 0;
};

}  // namespace

void DispatchFrame(DecoderState& state) {
    const Frame& frame = state.frame;
    // A frame this short holds no type of its own, only bytes of earlier ones.
    if (frame.FrameLength < kShortestDecodedFrame || frame[kCommandOffset] != 0) {
        return;
    }
    switch (frame[kTypeOffset]) {
        case 1:
            DecodeTimeFrame(state);
            break;
        case 4:
            DecodeHwsFrame(state);
            break;
        case 5:
            DecodeSwsFrame(state);
            break;
        case 13:
            DecodeToprFrame(state);
            break;
        case 7:
            DecodeTextFrame(state, "[INF] ");
            break;
        case 3:
            DecodeTextFrame(state, "[BCR] ");
            break;
        case 6:
            DecodeTextFrame(state, "[MESSAGE] ");
            break;
        case 9:
            DecodeTextFrame(state, "[ERR] ");
            break;
        case 10:
            DecodeTextFrame(state, "[COEF] ");
            break;
        case 11:
            DecodeTextFrame(state, "[WOD FORMAT] ");
            break;
        case 12:
            DecodeTextFrame(state, "[TLM CONTROL] ");
            break;
        case 8:
            DecodeWodFrame(state);
            break;
        case 2:
            DecodeTlmFrame(state);
            break;
        default:
            break;
    }
}

DecoderSession::DecoderSession(WindowPort& window, const LocaleFormat& format)
    : state_(window, format) {}

void DecoderSession::Start() {
    InitChannelTable(state_.channels, state_.wodChannels, state_.window);
}

LoadOutcome DecoderSession::OpenLog(const std::string& path) {
    if (loading_) {
        return {};
    }
    FileByteSource file;
    if (!path.empty()) {
        if (const int error = file.Open(path)) {
            Start();
            LoadOutcome outcome;
            outcome.problems.push_back(ProblemFromErrno(FileProblem::Action::OpenLog, path, error));
            return outcome;
        }
    }
    return Load(path, file, {file.Device(), file.Inode(), file.Size()});
}

LoadOutcome DecoderSession::OpenLog(const std::string& path, ByteSource& source) {
    if (loading_) {
        return {};
    }
    return Load(path, source, {});
}

LoadOutcome DecoderSession::Load(const std::string& path, ByteSource& source,
                                 LogIdentity identity) {
    WindowPort& window = state_.window;
    Start();
    window.SetText4(path);
    if (path.empty()) {
        return {};
    }
    state_.LogFilePath = path;
    window.ClearList1();
    state_.report.StartLoad(NameBesideLog(path, "tlm"), identity.device, identity.inode);
    if (window.WriteTLMFileChecked()) {
        state_.report.Create(ReportHeader(path, state_.channels, state_.wodChannels));
    }
    logSize_ = identity.size;

    LoadOutcome outcome;
    outcome.decoded = true;
    loading_ = true;
    pointerBusy_ = true;
    window.ShowBusyPointer();
    const ScopeExit idle([this] {
        RestorePointer();
        loading_ = false;
    });
    DecodeLogFile(source, outcome);
    if (!outcome.stopped) {
        FinishLoad(identity, outcome);
    }
    return outcome;
}

void DecoderSession::DecodeLogFile(ByteSource& source, LoadOutcome& outcome) {
    WindowPort& window = state_.window;
    ResponsiveSource responsive(source, window);
    KissReader reader(responsive);
    reader_ = &reader;
    window.ClearList1();
    state_.List2.Clear();
    state_.FrameCount = 0;
    state_.records.Clear();
    state_.tlmFramesNotKept = 0;

    bool anyFrame = false;
    while (reader.ReadNextFrame(state_.frame)) {
        anyFrame = true;
        DispatchFrame(state_);
        window.YieldAfterFrame(state_.FrameCount);
        if (window.StopRequested()) {
            break;
        }
    }
    outcome.stopped = window.StopRequested();
    if (anyFrame) {
        window.ShowFrameCount(state_.FrameCount);
    }
    reader_ = nullptr;
    if (reader.ReadError() != 0) {
        outcome.problems.push_back(
            ProblemFromErrno(FileProblem::Action::ReadLog, state_.LogFilePath, reader.ReadError()));
    }
    if (auto problem = state_.report.FinishLoad()) {
        outcome.problems.push_back(*problem);
    } else if (state_.report.Written()) {
        outcome.reportPath = state_.report.Path();
    }
    outcome.frames = state_.FrameCount;
    outcome.records = state_.records.RecordCount();
    outcome.tlmFramesNotKept = state_.tlmFramesNotKept;
    outcome.wodRows = state_.List2.Count();
}

void DecoderSession::FinishLoad(const LogIdentity& identity, LoadOutcome& outcome) {
    WindowPort& window = state_.window;
    if (window.WriteWODFileChecked()) {
        if (auto problem = ExportWodFile(state_, identity.device, identity.inode)) {
            outcome.problems.push_back(*problem);
        } else {
            outcome.exportPath = NameBesideLog(state_.LogFilePath, "csv");
            outcome.wodRowsExported = state_.List2.Count();
        }
    }
    window.EnableHScroll1();
    RestorePointer();
    const int recordCount = state_.records.RecordCount();
    window.SetText2(RecordPositionText(window.HScroll1Position(), recordCount));
    window.SetHScroll1Max(recordCount);
    ShowRecord(window.HScroll1Position());
    window.SetOption1(0);
    ShowChannelChart(0);
}

void DecoderSession::RestorePointer() {
    if (pointerBusy_) {
        pointerBusy_ = false;
        state_.window.RestorePointer();
    }
}

void DecoderSession::RecordPositionChanged(int position) {
    state_.window.SetText2(RecordPositionText(position, state_.records.RecordCount()));
    if (position > 0) {
        ShowRecord(position);
    }
}

void DecoderSession::ShowRecord(int index) {
    orvex::ShowRecord(state_, index);
}

void DecoderSession::ShowChannelChart(int channel) {
    if (channel >= 0 && channel < kChannelCount) {
        orvex::ShowChannelChart(state_, channel);
    }
}

std::uint64_t DecoderSession::BytesRead() const {
    return reader_ != nullptr ? reader_->BytesConsumed() : 0;
}

}  // namespace orvex
