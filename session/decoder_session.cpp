#include "session/decoder_session.h"

#include <algorithm>
#include <climits>
#include <utility>

#include "live/recording.h"
#include "load/recorded_stream.h"
#include "outputs/file_problem.h"
#include "session/history_recorder.h"
#include "session/load_feed.h"
#include "session/record_view.h"
#include "telemetry/channel_table.h"

namespace orvex {
namespace {

// A live stream's load, on the loading thread.
LoadOutcome RunStream(LogLoad& load, Recording& recording, const DecoderSession::StreamOpener& open,
                      LoadFeed& feed) {
    load.AddFrameHandler(feed);
    feed.Follow(load);
    LoadPacing pacing(feed);
    // Made and ended here: a link's socket belongs to this thread.
    const std::unique_ptr<LogSource> stream = open(pacing, feed);
    return RunRecordedStream(load, *stream, recording, &pacing,
                             [&] { feed.OnLogNamed(recording.Path()); });
}

}  // namespace

DecoderSession::DecoderSession(DecoderDisplay& display, const LoadContext& context)
    : display_(display), context_(context), history_(std::make_shared<TelemetryHistory>()) {
    QObject::connect(
        &thread_, &LoadThread::Published, &receiver_, [this] { TakeSnapshot(); },
        Qt::QueuedConnection);
}

DecoderSession::~DecoderSession() {
    Stop();
}

void DecoderSession::ShowChannelDescriptions() {
    for (int channel = 0; channel < kChannelCount; ++channel) {
        const Channel& described = TelemetryChannels()[channel];
        display_.ShowChannelLabels(channel, described.name, described.unit);
    }
    for (int channel = 0; channel < 4; ++channel) {
        display_.ShowChannelValue(channel, "", false);
    }
}

void DecoderSession::OpenLog(const std::string& path, Done done) {
    auto file = std::make_unique<FileLogSource>();
    if (!path.empty() && !Loading()) {
        if (const int error = file->Open(path)) {
            ShowChannelDescriptions();
            LoadOutcome outcome;
            outcome.problems.push_back(ProblemFromErrno(FileProblem::Action::OpenLog, path, error));
            done(outcome);
            return;
        }
    }
    const FileIdentity identity = file->Identity();
    OpenLog(path, std::move(file), identity, std::move(done));
}

void DecoderSession::OpenLog(const std::string& path, std::unique_ptr<LogSource> source,
                             Done done) {
    OpenLog(path, std::move(source), FileIdentity{}, std::move(done));
}

void DecoderSession::OpenLog(const std::string& path, std::unique_ptr<LogSource> source,
                             const FileIdentity& identity, Done done) {
    if (Loading()) {
        done({});
        return;
    }
    ShowChannelDescriptions();
    display_.ShowLogPath(path);
    if (path.empty()) {
        done({});
        return;
    }
    PrepareShownLoad(path, LoadMode::Log);
    logSize_ = identity.size;
    LogLoad* load = load_.get();
    std::shared_ptr<LogSource> log = std::move(source);
    Start(Kind::Log, std::move(done), [load, log, identity](LoadFeed& feed) {
        load->AddFrameHandler(feed);
        feed.Follow(*load);
        LoadPacing pacing(feed);
        feed.Finish(load->Run(*log, identity, &pacing));
    });
}

void DecoderSession::FollowStream(std::shared_ptr<Recording> recording, StreamOpener open,
                                  Done done) {
    if (Loading()) {
        done({});
        return;
    }
    ShowChannelDescriptions();
    // Named by the recording, which begins at the first byte received.
    display_.ShowLogPath(recording->Planned());
    PrepareShownLoad(recording->Planned(), LoadMode::Stream);
    recordsShown_ = 0;
    display_.SetRecordCount(0);
    display_.EnableRecordNavigation();
    display_.SelectChannel(0);
    LogLoad* load = load_.get();
    Start(Kind::Stream, std::move(done),
          [load, recording = std::move(recording), open = std::move(open)](LoadFeed& feed) {
              feed.Finish(RunStream(*load, *recording, open, feed));
          });
}

void DecoderSession::ExportData(const DataExportOptions& data, Done done) {
    if (Loading() || !load_) {
        done({});
        return;
    }
    const std::string path = load_->Path();
    auto file = std::make_shared<FileLogSource>();
    if (const int error = file->Open(path)) {
        LoadOutcome outcome;
        outcome.problems.push_back(ProblemFromErrno(FileProblem::Action::OpenLog, path, error));
        done(outcome);
        return;
    }
    const LocaleFormat* format = &context_.Format();
    logSize_ = file->Identity().size;
    Start(Kind::Export, std::move(done), [path, file, format, data](LoadFeed& feed) {
        OutputOptions options;
        options.writeReport = false;
        options.writeWodExport = false;
        options.dataExport = data;
        const LoadContext context(*format, options);
        Frame frame;  // a fresh buffer, as orvex-decode's
        LogLoad exportLoad(path, context, frame);
        feed.Follow(exportLoad);
        LoadPacing pacing(feed);
        feed.Finish(exportLoad.Run(*file, file->Identity(), &pacing));
    });
}

void DecoderSession::PrepareShownLoad(const std::string& path, LoadMode mode) {
    load_ = std::make_unique<LogLoad>(path, context_, frame_, mode);
    // A history of its own: the chart may keep drawing the last one.
    history_ = std::make_shared<TelemetryHistory>();
    display_.ForgetShownLoad();
    recorder_ = std::make_unique<HistoryRecorder>(*history_);
    load_->AddFrameHandler(*recorder_);
    if (loadHandler_ != nullptr) {
        load_->AddFrameHandler(*loadHandler_);
    }
    if (sharing_ != nullptr) {
        load_->AddFrameHandler(*sharing_);
    }
}

void DecoderSession::Start(Kind kind, Done done, std::function<void(LoadFeed& feed)> job) {
    kind_ = kind;
    done_ = std::move(done);
    framesShown_.reset();
    percentShown_ = -1;
    if (kind == Kind::Stream) {
        logSize_ = 0;
    }
    feed_ = std::make_shared<LoadFeed>([this] { emit thread_.Published(); });
    display_.ShowBusy();
    thread_.Post([feed = feed_, job = std::move(job)] { job(*feed); });
}

void DecoderSession::Stop() {
    if (feed_) {
        feed_->Stop();
    }
}

void DecoderSession::TakeSnapshot() {
    std::optional<LoadSnapshot> snapshot = feed_ ? feed_->Take() : std::nullopt;
    if (!snapshot) {
        return;
    }
    for (const std::string& text : snapshot->frameTexts) {
        display_.AddFrameText(text);
    }
    if (snapshot->logPath) {
        display_.ShowLogPath(*snapshot->logPath);
    }
    if (snapshot->softwareVersion) {
        display_.ShowSoftwareVersion(*snapshot->softwareVersion);
    }
    // The first snapshot shows the count even when it is 0: the counter was
    // emptied for this load.
    if (snapshot->framesDecoded != framesShown_) {
        framesShown_ = snapshot->framesDecoded;
        display_.ShowFrameCount(snapshot->framesDecoded);
    }
    if (kind_ == Kind::Stream) {
        ShowArrivedRecords();
        ShowStreamState(*snapshot);
    } else if (!snapshot->outcome) {
        ShowProgress(*snapshot);
    }
    if (snapshot->outcome) {
        Finish(std::move(*snapshot->outcome));
    }
}

void DecoderSession::Finish(LoadOutcome outcome) {
    feed_.reset();
    if (kind_ == Kind::Export) {
        display_.ShowFrameCount(load_->FramesDecoded());
    } else {
        outcome.tlmFramesNotCharted = history_->Dropped();
        if (outcome.ran) {
            display_.ShowFrameCount(outcome.framesDecoded);
        }
    }
    display_.ShowIdle();
    if (kind_ == Kind::Log && !outcome.stopped) {
        ShowLoadedLog();
    }
    std::exchange(done_, {})(outcome);
}

void DecoderSession::ShowLoadedLog() {
    display_.EnableRecordNavigation();
    const int recordCount = RecordCount();
    display_.ShowRecordPosition(RecordPositionText(display_.RecordPosition(), recordCount));
    display_.SetRecordCount(recordCount);
    ShowRecord(display_, context_.Format(), *history_, display_.RecordPosition());
    display_.SelectChannel(0);
}

void DecoderSession::ShowArrivedRecords() {
    const std::size_t count = history_->Count();
    if (count == recordsShown_) {
        return;
    }
    const int position = display_.RecordPosition();
    const bool following = static_cast<std::size_t>(position) >= recordsShown_;
    recordsShown_ = count;
    display_.SetRecordCount(RecordCount());
    if (following) {
        display_.MoveToRecord(RecordCount());
    }
    // Unmoved, the position still shows another count.
    if (display_.RecordPosition() == position) {
        RecordPositionChanged(position);
    }
    display_.HistoryGrew();
}

void DecoderSession::ShowStreamState(const LoadSnapshot& snapshot) {
    // Before the link's first change the window says it is connecting; at
    // the end it tells the outcome.
    if (!snapshot.linkEvent || snapshot.linkEvent->kind == LinkEvent::Kind::Ended) {
        return;
    }
    const auto since = std::chrono::duration_cast<std::chrono::milliseconds>(
        LoadPacing::Clock::now() - snapshot.linkEventAt);
    display_.ShowStreamState({*snapshot.linkEvent, snapshot.linkEvent->retryIn - since,
                              snapshot.bytesRead, snapshot.framesDecoded});
}

// The bytes the reader took, against the log's size when the load began: a
// log that grows meanwhile stays at 100.
void DecoderSession::ShowProgress(const LoadSnapshot& snapshot) {
    if (logSize_ == 0) {
        return;
    }
    const auto percent =
        static_cast<int>(std::min<std::uint64_t>(snapshot.bytesRead * 100 / logSize_, 100));
    if (percent != percentShown_) {
        percentShown_ = percent;
        display_.ShowLoadProgress(percent);
    }
}

int DecoderSession::RecordCount() const {
    return static_cast<int>(std::min<std::size_t>(history_->Count(), INT_MAX));
}

void DecoderSession::RecordPositionChanged(int position) {
    display_.ShowRecordPosition(RecordPositionText(position, RecordCount()));
    if (position > 0) {
        ShowRecord(display_, context_.Format(), *history_, position);
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
