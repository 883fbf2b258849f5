#include "session/decoder_session.h"

#include <algorithm>

#include "session/record_view.h"
#include "telemetry/channel_table.h"

namespace orvex {

// Shows each frame's text and the software version as the frames arrive.
class DecoderSession::DisplayFeed : public FrameHandler {
public:
    explicit DisplayFeed(DecoderDisplay& display) : display_(display) {}

    void OnTextFrame(const TextFrame& frame) override { display_.AddFrameText(frame.Text()); }
    void OnTlmFrame(const TlmFrame& frame) override {
        display_.ShowSoftwareVersion(frame.SoftwareVersion());
    }

private:
    DecoderDisplay& display_;
};

// Shows each TLM record of a live stream once the load has kept it.
class DecoderSession::ArrivingRecords : public FrameHandler {
public:
    explicit ArrivingRecords(DecoderSession& session) : session_(session) {}

    void OnTlmFrame(const TlmFrame& /*frame*/) override { session_.ShowArrivedRecord(); }

private:
    DecoderSession& session_;
};

DecoderSession::DecoderSession(DecoderDisplay& display, const LoadContext& context)
    : display_(display),
      context_(context),
      feed_(std::make_unique<DisplayFeed>(display)),
      arriving_(std::make_unique<ArrivingRecords>(*this)),
      recorder_(history_) {}

DecoderSession::~DecoderSession() = default;

void DecoderSession::ShowChannelDescriptions() {
    for (int channel = 0; channel < kChannelCount; ++channel) {
        const Channel& described = TelemetryChannels()[channel];
        display_.ShowChannelLabels(channel, described.name, described.unit);
    }
    for (int channel = 0; channel < 4; ++channel) {
        display_.ShowChannelValue(channel, "");
    }
}

LoadOutcome DecoderSession::OpenLog(const std::string& path) {
    if (loading_) {
        return {};
    }
    FileLogSource file;
    if (!path.empty()) {
        if (const int error = file.Open(path)) {
            ShowChannelDescriptions();
            LoadOutcome outcome;
            outcome.problems.push_back(ProblemFromErrno(FileProblem::Action::OpenLog, path, error));
            return outcome;
        }
    }
    return Load(path, file, file.Identity(), false);
}

LoadOutcome DecoderSession::OpenLog(const std::string& path, LogSource& source) {
    if (loading_) {
        return {};
    }
    return Load(path, source, {}, false);
}

LoadOutcome DecoderSession::FollowStream(const std::string& path, LogSource& stream,
                                         const FileIdentity& identity) {
    if (loading_) {
        return {};
    }
    return Load(path, stream, identity, true);
}

LoadOutcome DecoderSession::Load(const std::string& path, LogSource& source,
                                 const FileIdentity& identity, bool live) {
    ShowChannelDescriptions();
    display_.ShowLogPath(path);
    if (path.empty()) {
        return {};
    }
    display_.ClearFrameTexts();
    load_ = std::make_unique<LogLoad>(path, context_, frame_);
    load_->AddFrameHandler(*feed_);
    // The chart may be drawing from the history: it is emptied, not replaced.
    history_.Clear();
    load_->AddFrameHandler(recorder_);
    if (sharing_ != nullptr) {
        load_->AddFrameHandler(*sharing_);
    }
    if (live) {
        // After the load and the recorder: the record and its history are kept.
        load_->KeepNewestRecords();
        load_->ArchiveEachFrame();
        load_->StampArrivalTimes();
        load_->AddFrameHandler(*arriving_);
        recordsShown_ = 0;
        display_.SetRecordCount(0);
        display_.EnableRecordNavigation();
        display_.SelectChannel(0);
    }

    loading_ = true;
    display_.ShowBusy();
    LoadOutcome outcome = load_->Run(source, identity, &display_);
    outcome.tlmFramesNotCharted = history_.Dropped();
    if (outcome.framesRead > 0) {
        display_.ShowFrameCount(outcome.framesDecoded);
    }
    display_.ShowIdle();
    loading_ = false;
    if (!outcome.stopped && !live) {
        ShowLoadedLog();
    }
    return outcome;
}

LoadOutcome DecoderSession::ExportData(const DataExportOptions& data) {
    if (loading_ || !load_) {
        return {};
    }
    const std::string& path = load_->Path();
    FileLogSource file;
    if (const int error = file.Open(path)) {
        LoadOutcome outcome;
        outcome.problems.push_back(ProblemFromErrno(FileProblem::Action::OpenLog, path, error));
        return outcome;
    }
    OutputOptions options;
    options.writeReport = false;
    options.writeWodExport = false;
    options.dataExport = data;
    const LoadContext context(context_.Format(), options);
    Frame frame;  // a fresh buffer, as orvex-decode's
    LogLoad exportLoad(path, context, frame);

    loading_ = true;
    display_.ShowBusy();
    LoadOutcome outcome = exportLoad.Run(file, file.Identity(), &display_);
    display_.ShowFrameCount(load_->FramesDecoded());
    display_.ShowIdle();
    loading_ = false;
    return outcome;
}

void DecoderSession::ShowLoadedLog() {
    display_.EnableRecordNavigation();
    const int recordCount = Records().Count();
    display_.ShowRecordPosition(RecordPositionText(display_.RecordPosition(), recordCount));
    display_.SetRecordCount(recordCount);
    ShowRecord(display_, context_.Format(), Records(), display_.RecordPosition());
    display_.SelectChannel(0);
}

const RecordStore& DecoderSession::Records() const {
    static const RecordStore kNoRecords;
    return load_ ? load_->Records() : kNoRecords;
}

void DecoderSession::ShowArrivedRecord() {
    const int count = Records().Count();
    const int position = display_.RecordPosition();
    const bool following = position >= recordsShown_;
    const bool oldestDropped = count == recordsShown_;
    recordsShown_ = count;
    display_.SetRecordCount(count);
    if (following) {
        display_.MoveToRecord(count);
    } else if (oldestDropped) {
        display_.MoveToRecord(std::max(position - 1, 1));
    }
    // Unmoved, the position still shows another count, or another record.
    if (display_.RecordPosition() == position) {
        RecordPositionChanged(position);
    }
}

void DecoderSession::RecordPositionChanged(int position) {
    display_.ShowRecordPosition(RecordPositionText(position, Records().Count()));
    if (position > 0) {
        ShowRecord(display_, context_.Format(), Records(), position);
    }
}

void DecoderSession::ShowChannelChart(const std::vector<int>& channels) {
    const bool valid = std::all_of(channels.begin(), channels.end(), [](int channel) {
        return channel >= 0 && channel < kChannelCount;
    });
    if (valid && !channels.empty()) {
        display_.ShowChart(ChartCaption(channels), channels, history_);
    }
}

}  // namespace orvex
