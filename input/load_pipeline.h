#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "input/byte_source.h"
#include "input/decoder_state.h"
#include "input/file_problem.h"

namespace orvex {

// What one Open command did, for the window's messages and the CLI's lines.
struct LoadOutcome {
    bool decoded = false;  // false after a cancel, a refused log or while busy
    bool stopped = false;  // the user ended the program during the load
    std::uint64_t frames = 0;
    int records = 0;
    std::uint64_t tlmFramesNotKept = 0;
    std::uint64_t wodRows = 0;                     // rows of List2 as decoded
    std::optional<std::uint64_t> wodRowsExported;  // distinct rows written
    std::optional<std::string> reportPath;         // set when the report was written
    std::optional<std::string> exportPath;         // set when the export was written
    std::vector<FileProblem> problems;
};

// The load pipeline of one program run: the Open command, the frame loop and
// dispatch, the end-of-load steps, and the window's record and channel
// handlers that read what a load left.
class DecoderSession {
public:
    DecoderSession(WindowPort& window, const LocaleFormat& format);

    // Start-up: the channel names and units into the panel.
    void Start();

    // The Open command once its dialog has closed; an empty path is a cancel.
    LoadOutcome OpenLog(const std::string& path);
    // The same, reading the log's bytes from `source` (for tests).
    LoadOutcome OpenLog(const std::string& path, ByteSource& source);

    // HScroll1's position change.
    void RecordPositionChanged(int position);
    void ShowRecord(int index);
    void ShowChannelChart(int channel);

    bool Loading() const { return loading_; }
    // Bytes of the current log read so far, and its size (0 when unknown).
    std::uint64_t BytesRead() const;
    std::uint64_t LogSize() const { return logSize_; }

    const DecoderState& State() const { return state_; }
    DecoderState& State() { return state_; }

private:
    struct LogIdentity {
        std::uint64_t device = 0, inode = 0, size = 0;
    };
    LoadOutcome Load(const std::string& path, ByteSource& source, LogIdentity identity);
    void DecodeLogFile(ByteSource& source, LoadOutcome& outcome);
    void FinishLoad(const LogIdentity& identity, LoadOutcome& outcome);
    void RestorePointer();

    DecoderState state_;
    bool loading_ = false;
    bool pointerBusy_ = false;
    const class KissReader* reader_ = nullptr;
    std::uint64_t logSize_ = 0;
};

// Hands the frame to the decoder of its type; frames of KISS ports other
// than 0 and of unknown types are ignored.
void DispatchFrame(DecoderState& state);

}  // namespace orvex
