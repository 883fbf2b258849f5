#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "kiss/frame.h"
#include "kiss/load_pacing.h"
#include "kiss/log_source.h"
#include "live/link_watcher.h"
#include "load/load_context.h"
#include "load/load_outcome.h"
#include "load/log_load.h"
#include "session/decoder_display.h"
#include "session/load_thread.h"
#include "telemetry/telemetry_history.h"

namespace orvex {

class HistoryRecorder;
class LoadFeed;
class Recording;
struct LoadSnapshot;

// The window's decoder for one program run: opens logs and follows streams
// on a thread of its own, shows what each load finds as it goes, and answers
// the window's record and channel selection from the last load's history.
//
// Everything here but the loads runs on the window's thread, which never
// waits for a load: a load's progress arrives in snapshots (see LoadFeed),
// and its end calls the `done` it was started with, once, there. One load
// runs at a time; the window ends one (Stop) and starts the next when the
// first's `done` has been called.
class DecoderSession {
public:
    using Done = std::function<void(const LoadOutcome& outcome)>;
    // Makes a live stream's source on the loading thread, where a link's
    // socket must live; the source asks `pacing` while it waits for bytes and
    // tells `watcher` of its link's changes.
    using StreamOpener =
        std::function<std::unique_ptr<LogSource>(LoadPacing& pacing, LinkWatcher& watcher)>;

    DecoderSession(DecoderDisplay& display, const LoadContext& context);
    // Ends a load still running at its next frame and waits for it.
    ~DecoderSession();
    DecoderSession(const DecoderSession&) = delete;
    DecoderSession& operator=(const DecoderSession&) = delete;

    // The channel names and units into the panel, as at start-up and at every
    // Open; the first four value fields are emptied as well.
    void ShowChannelDescriptions();

    // The Open command once its dialog has closed: reads the log, then shows
    // its first record and charts channel 0. An empty path is a cancel; `done`
    // is then called at once, as it is for a log that cannot be opened.
    void OpenLog(const std::string& path, Done done);
    // The same, reading the log's bytes from `source` (for tests).
    void OpenLog(const std::string& path, std::unique_ptr<LogSource> source, Done done);

    // A live stream, recorded into `recording` as it arrives, whose path names
    // the outputs. Every TLM record is shown as it arrives, unless the user
    // has scrolled back: the record shown then stays.
    void FollowStream(std::shared_ptr<Recording> recording, StreamOpener open, Done done);

    // The Export Data command once its dialog has closed: writes the data of
    // the log last opened into the folder, reading the log again, as the
    // window keeps only part of it. Nothing without a log.
    void ExportData(const DataExportOptions& data, Done done);

    // Ends the running load at its next frame: a log's as a stop, a stream's
    // as its sender closing it would. Its `done` follows.
    void Stop();
    bool Loading() const { return feed_ != nullptr; }

    // The record scroll bar moved to `position`.
    void RecordPositionChanged(int position);
    // The user, or the end of a load, chose the channels to chart: the first
    // is the one selected, the others were added to it.
    void ShowChannelChart(const std::vector<int>& channels);

    // A handler of every frame of the logs opened and the streams followed
    // (not of a data export's second reading), such as the one that shares
    // them; called on the load's thread; null for none. Not changed during a
    // load.
    void SetFrameSharing(FrameHandler* sharing) { sharing_ = sharing; }
    // The log last opened or the stream last followed; null before the first.
    // Only while no load runs.
    const LogLoad* CurrentLoad() const { return load_.get(); }
    LogLoad* CurrentLoad() { return load_.get(); }
    // Every TLM frame of the load running or last run.
    const TelemetryHistory& History() const { return *history_; }

    // Another handler of every frame of the logs opened and the streams
    // followed, called on the loading thread (for tests and benchmarks).
    void AddLoadHandler(FrameHandler& handler) { loadHandler_ = &handler; }

private:
    enum class Kind { Log, Stream, Export };

    void OpenLog(const std::string& path, std::unique_ptr<LogSource> source,
                 const FileIdentity& identity, Done done);
    // Starts `job` on the loading thread with a new feed.
    void Start(Kind kind, Done done, std::function<void(LoadFeed& feed)> job);
    // A log's or a stream's new load and history, and the frame list emptied.
    void PrepareShownLoad(const std::string& path, LoadMode mode);
    void TakeSnapshot();
    void Finish(LoadOutcome outcome);
    void ShowLoadedLog();
    // The stream followed brought TLM records: the newest is shown.
    void ShowArrivedRecords();
    void ShowStreamState(const LoadSnapshot& snapshot);
    void ShowProgress(const LoadSnapshot& snapshot);
    int RecordCount() const;

    DecoderDisplay& display_;
    const LoadContext& context_;
    // The frame buffer lives as long as the program run: see Frame. Only
    // the loading thread touches it.
    Frame frame_;
    std::unique_ptr<LogLoad> load_;
    std::shared_ptr<TelemetryHistory> history_;
    std::unique_ptr<HistoryRecorder> recorder_;
    FrameHandler* loadHandler_ = nullptr;
    FrameHandler* sharing_ = nullptr;

    // The load running, and what ends it.
    Kind kind_ = Kind::Log;
    std::shared_ptr<LoadFeed> feed_;
    Done done_;
    std::optional<std::uint64_t> framesShown_;  // by the counter during the load
    std::uint64_t logSize_ = 0;                 // of the log read, 0 when not known
    int percentShown_ = -1;
    std::size_t recordsShown_ = 0;  // the scroll bar's count while following

    QObject receiver_;   // the window's thread's end of LoadThread::Published
    LoadThread thread_;  // last: it ends first, before what its jobs use
};

}  // namespace orvex
