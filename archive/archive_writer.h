#pragma once

#include <QByteArray>
#include <QHash>
#include <QSqlQuery>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "archive/archive_database.h"
#include "archive/batched_statement.h"
#include "outputs/data/data_record_feed.h"
#include "outputs/data/record_format.h"

namespace orvex {

// What one log added to the archive.
struct ArchiveCounts {
    std::uint64_t frames = 0;         // decoded frames written, repeats included
    std::uint64_t newFrames = 0;      // frames the archive did not hold before
    std::uint64_t newReceptions = 0;  // hearings it did not hold before
};

// Adds one station's log to the archive as its frames are decoded: each
// decoded frame with its values, once, and every hearing of it. Frames are
// written in blocks, each one transaction of a few statements per table, so
// that a load that stops or fails leaves whole frames only; a block another
// station's concurrent one deadlocked is written again. After a failure nothing more is written and
// the load goes on.
class ArchiveWriter : public DataSink {
public:
    static constexpr std::size_t kBlockFrames = 4096;

    // `logName` tells this log from the station's others: adding it again
    // adds only the hearings not yet stored.
    ArchiveWriter(ArchiveDatabase& database, std::string station, std::string logName);
    ~ArchiveWriter() override;
    ArchiveWriter(const ArchiveWriter&) = delete;
    ArchiveWriter& operator=(const ArchiveWriter&) = delete;

    // Registers the log; false (see Problem, the reason) when the archive
    // cannot be written.
    bool Start();
    // The load's frames go here.
    FrameHandler& Frames() { return feed_; }
    // Writes the frames still held; false after any failure.
    bool Finish();

    const ArchiveCounts& Counts() const { return counts_; }
    const std::optional<std::string>& Problem() const { return problem_; }

    void OnTlmRecord(const TlmRecord& record) override;
    void OnWodRecord(const WodRecord& record) override;
    void OnStatusRecord(const StatusRecord& record) override;
    void OnFrameRecord(const FrameRecord& record) override;

private:
    // A decoded frame waiting for its block to be written.
    struct PendingFrame {
        QByteArray digest;
        QByteArray bytes;
        int type = 0;
        std::optional<std::uint32_t> time;
        bool timeExact = false;
        std::uint64_t offset = 0;
        std::optional<TlmRecord> tlm;
        std::vector<WodRecord> wod;
        std::string status;  // the fields as one JSON object; empty for other kinds
    };

    // The block's frames by digest: their numbers in the archive, and
    // whether this block stored them.
    struct BlockFrame {
        qint64 id = 0;
        bool added = false;
    };
    using BlockFrames = QHash<QByteArray, BlockFrame>;

    void Prepare();
    void WriteBlockWithRetries();
    bool WriteBlock(ArchiveCounts& added);
    bool InsertFrames(BlockFrames& frames, ArchiveCounts& added);
    bool FindFrames(BlockFrames& frames);
    bool AllFound(const BlockFrames& frames);
    void AddValues(qint64 id, const PendingFrame& frame);
    bool InsertReceptions(const BlockFrames& frames, ArchiveCounts& added);
    bool Run(QSqlQuery& query);
    void Fail(const std::string& reason);

    ArchiveDatabase& database_;
    std::string station_;
    std::string logName_;
    std::optional<qint64> logId_;
    std::optional<std::string> problem_;
    bool transient_ = false;  // the last failure may pass if the block is written again
    ArchiveCounts counts_;

    std::optional<BatchedStatement> insertFrames_;
    std::optional<BatchedStatement> findFrames_;
    std::optional<BatchedStatement> insertReceptions_;
    std::optional<BatchedStatement> insertTlm_;
    std::optional<BatchedStatement> insertWod_;
    std::optional<BatchedStatement> insertStatus_;

    std::unique_ptr<RecordFormat> statusJson_;
    PendingFrame next_;  // the values of the frame being decoded
    std::vector<PendingFrame> block_;
    std::optional<std::uint32_t> lastTime_;  // the log's latest frame time so far
    DataRecordFeed feed_{*this};
};

}  // namespace orvex
