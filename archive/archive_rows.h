#pragma once

#include <QSqlQuery>

#include <cstdint>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "archive/frame_digest.h"
#include "archive/hourly_extremes.h"
#include "archive/pending_block.h"
#include "archive/table_rows.h"
#include "frames/frame_handler.h"
#include "kiss/frame.h"

namespace orvex {

class ArchiveDatabase;

// frame_store's columns, in the order ArchiveRows writes them.
QStringList FrameStoreColumns();

// The rows one writer adds to the archive within a transaction: each new
// frame with what is kept beside its bytes (its WOD samples, its text, its
// channels' extremes of the hour), and receptions. Rows wait in batches;
// Flush writes them.
class ArchiveRows : private FrameHandler {
public:
    // Prepares the statements on the database's connection; false with the
    // error noted.
    bool Prepare(ArchiveDatabase& database);
    // A frame the archive did not hold, numbered `id`, first heard as
    // `heard` in log `logId`: that hearing is kept in its row.
    bool AddFrame(std::int64_t id, std::string_view bytes, const FrameDigest& digest,
                  const FrameHeard& heard, std::int64_t logId);
    // A hearing of a frame: none is added for a frame's first.
    bool AddReception(std::int64_t logId, const FrameHeard& heard, std::int64_t frameId);
    // Writes every row waiting and merges the hours' extremes.
    bool Flush();
    // Hearings the database took since Prepare, each frame's first among
    // them: those it held already are not counted.
    std::uint64_t ReceptionsAdded() const {
        return firstHearingsAdded_ + (receptions_ ? receptions_->Added() : 0);
    }

private:
    void OnTextFrame(const TextFrame& frame) override;
    void OnTlmFrame(const TlmFrame& frame) override;
    void OnWodFrame(const WodFrame& frame) override;
    bool MergeHours();

    // Hours merged by one statement: one round trip to PostgreSQL rather
    // than one an hour. Not more: a statement of more hours is slower for
    // SQLite to prepare and to bind (bench/README.md).
    static constexpr int kMergedHours = 4;

    ArchiveDatabase* database_ = nullptr;
    std::unique_ptr<TableRows> frames_;
    std::unique_ptr<TableRows> receptions_;
    std::unique_ptr<TableRows> samples_;
    std::unique_ptr<TableRows> texts_;
    HourlyExtremes hours_;
    // The first hearing (log, offset) of each frame added since the last
    // flush.
    std::unordered_map<std::int64_t, std::pair<std::int64_t, std::uint64_t>> firstHearings_;
    std::uint64_t firstHearingsAdded_ = 0;
    QSqlQuery mergeOne_;
    QSqlQuery mergeGroup_;
    // The new frame whose rows are being gathered, decoded from its bytes.
    Frame frame_;
    std::int64_t frameId_ = 0;
    bool gathered_ = true;
};

}  // namespace orvex
