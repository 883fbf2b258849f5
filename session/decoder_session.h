#pragma once

#include <memory>
#include <string>
#include <vector>

#include "kiss/frame.h"
#include "kiss/log_source.h"
#include "load/load_context.h"
#include "load/load_outcome.h"
#include "load/log_load.h"
#include "session/decoder_display.h"
#include "session/history_recorder.h"
#include "telemetry/telemetry_history.h"

namespace orvex {

// The window's decoder for one program run: opens logs, shows what each load
// finds, and answers the window's record and channel selection from the
// last load.
class DecoderSession {
public:
    DecoderSession(DecoderDisplay& display, const LoadContext& context);
    ~DecoderSession();
    DecoderSession(const DecoderSession&) = delete;
    DecoderSession& operator=(const DecoderSession&) = delete;

    // The channel names and units into the panel, as at start-up and at every
    // Open; the first four value fields are emptied as well.
    void ShowChannelDescriptions();

    // The Open command once its dialog has closed; an empty path is a cancel.
    LoadOutcome OpenLog(const std::string& path);
    // The same, reading the log's bytes from `source` (for tests).
    LoadOutcome OpenLog(const std::string& path, LogSource& source);

    // A live stream, read from `stream` while it arrives and named `path`
    // (its recording, beside which its outputs go). The newest 100 TLM
    // records are kept, and each is shown as it arrives, unless the user has
    // scrolled back: the record shown then stays, until it is dropped.
    LoadOutcome FollowStream(const std::string& path, LogSource& stream,
                             const FileIdentity& identity);

    // The Export Data command once its dialog has closed: writes the data of
    // the log last opened into the folder, reading the log again, as the
    // window keeps only part of it. Nothing without a log, or while busy.
    LoadOutcome ExportData(const DataExportOptions& data);

    // The record scroll bar moved to `position`.
    void RecordPositionChanged(int position);
    // The user, or the end of a load, chose the channels to chart: the first
    // is the one selected, the others were added to it.
    void ShowChannelChart(const std::vector<int>& channels);

    bool Loading() const { return loading_; }
    // A handler of every frame of the logs opened and the streams followed
    // (not of a data export's second reading), such as the one that shares
    // them; null for none. Not changed during a load.
    void SetFrameSharing(FrameHandler* sharing) { sharing_ = sharing; }
    // The load running or last run; null before the first.
    const LogLoad* CurrentLoad() const { return load_.get(); }
    LogLoad* CurrentLoad() { return load_.get(); }
    // Every TLM frame of the load running or last run.
    const TelemetryHistory& History() const { return history_; }

private:
    class DisplayFeed;
    class ArrivingRecords;

    LoadOutcome Load(const std::string& path, LogSource& source, const FileIdentity& identity,
                     bool live);
    void ShowLoadedLog();
    // A TLM record was kept while following a stream.
    void ShowArrivedRecord();
    const RecordStore& Records() const;

    DecoderDisplay& display_;
    const LoadContext& context_;
    // The frame buffer lives as long as the program run: see Frame.
    Frame frame_;
    std::unique_ptr<DisplayFeed> feed_;
    std::unique_ptr<ArrivingRecords> arriving_;
    int recordsShown_ = 0;  // the scroll bar's count while following a stream
    std::unique_ptr<LogLoad> load_;
    TelemetryHistory history_;
    HistoryRecorder recorder_;
    bool loading_ = false;
    FrameHandler* sharing_ = nullptr;
};

}  // namespace orvex
