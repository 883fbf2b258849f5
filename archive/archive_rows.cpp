#include "archive/archive_rows.h"

#include <QByteArray>
#include <QVariant>

#include <algorithm>

#include "archive/archive_database.h"
#include "archive/sql_dialect.h"
#include "frames/frame_layout.h"
#include "text/utf8.h"

namespace orvex {
namespace {

QVariant TimeValue(const std::optional<std::uint32_t>& time) {
    return time ? QVariant(TimeText(*time)) : QVariant(QMetaType::fromType<QString>());
}

QByteArray Blob(const std::uint8_t* bytes, std::size_t count) {
    return {reinterpret_cast<const char*>(bytes), static_cast<qsizetype>(count)};
}

}  // namespace

bool ArchiveRows::Prepare(ArchiveDatabase& database) {
    database_ = &database;
    hours_.Clear();
    firstHearings_.clear();
    firstHearingsAdded_ = 0;
    using Conflict = TableRows::OnConflict;
    frames_ =
        MakeTableRows(database, QStringLiteral("frame_store"), FrameStoreColumns(), Conflict::Fail);
    // The same log again, or another writer of it, holds some of its hearings,
    // and a frame's row its first.
    receptions_ = MakeTableRows(
        database, QStringLiteral("reception_store"),
        {QStringLiteral("log_id"), QStringLiteral("byte_offset"), QStringLiteral("frame_id"),
         QStringLiteral("heard_utc")},
        Conflict::Skip,
        QStringLiteral("NOT EXISTS (SELECT 1 FROM frame_store f WHERE f.id = r.frame_id AND "
                       "f.first_log_id = r.log_id AND f.first_offset = r.byte_offset)"));
    // A sample comes again in the next frames.
    samples_ = MakeTableRows(database, QStringLiteral("wod_samples"),
                             {QStringLiteral("time_utc"), QStringLiteral("slots")}, Conflict::Skip);
    texts_ = MakeTableRows(database, QStringLiteral("frame_texts"),
                           {QStringLiteral("frame_id"), QStringLiteral("text")}, Conflict::Fail);
    mergeOne_ = QSqlQuery(database.Connection());
    mergeGroup_ = QSqlQuery(database.Connection());
    return frames_->Prepare(database) && receptions_->Prepare(database) &&
           samples_->Prepare(database) && texts_->Prepare(database) &&
           database.Prepare(mergeOne_, HourlyExtremes::MergeStatement(1)) &&
           database.Prepare(mergeGroup_, HourlyExtremes::MergeStatement(kMergedHours));
}

QStringList FrameStoreColumns() {
    return {QStringLiteral("id"),           QStringLiteral("time_utc"),
            QStringLiteral("first_offset"), QStringLiteral("first_heard_utc"),
            QStringLiteral("first_log_id"), QStringLiteral("bytes_check"),
            QStringLiteral("type"),         QStringLiteral("own_time"),
            QStringLiteral("bytes")};
}

bool ArchiveRows::AddFrame(std::int64_t id, std::string_view bytes, const FrameDigest& digest,
                           const FrameHeard& heard, std::int64_t logId) {
    const std::size_t length = std::min(bytes.size(), kFrameCapacity);
    std::copy_n(bytes.begin(), length, frame_.bytes.begin());
    frame_.length = static_cast<std::uint16_t>(length);
    frameId_ = id;
    firstHearings_[id] = {logId, heard.offset};
    gathered_ = frames_->Add({static_cast<qint64>(id), TimeValue(heard.time),
                              static_cast<qint64>(heard.offset), TimeValue(heard.arrival),
                              static_cast<qint64>(logId), digest.Check(),
                              static_cast<int>(frame_[layout::kType]), heard.ownTime,
                              Blob(frame_.bytes.data(), length)});
    DecodeFrame(frame_, *this);
    return gathered_;
}

// A new frame's first hearing is in its row already. Those of frames stored
// before are left out by the statement; the rows of the frames added since
// the last flush may not have reached the table yet.
bool ArchiveRows::AddReception(std::int64_t logId, const FrameHeard& heard, std::int64_t frameId) {
    const auto first = firstHearings_.find(frameId);
    if (first != firstHearings_.end() && first->second == std::pair(logId, heard.offset)) {
        ++firstHearingsAdded_;
        return true;
    }
    return receptions_->Add({static_cast<qint64>(logId), static_cast<qint64>(heard.offset),
                             static_cast<qint64>(frameId), TimeValue(heard.arrival)});
}

void ArchiveRows::OnTextFrame(const TextFrame& frame) {
    gathered_ = texts_->Add({static_cast<qint64>(frameId_),
                             QString::fromStdString(Latin1ToUtf8(frame.Text()))}) &&
                gathered_;
}

// A frame too short for its time holds none of its channels either.
void ArchiveRows::OnTlmFrame(const TlmFrame& frame) {
    if (frame_.Holds(layout::tlm::kTime, 4)) {
        hours_.Add(frame);
    }
}

// Only the samples the frame holds whole: the rest would be an earlier
// frame's bytes.
void ArchiveRows::OnWodFrame(const WodFrame& frame) {
    for (int index = 0; index < WodFrame::kSampleCount; ++index) {
        if (!frame.HoldsSample(index)) {
            continue;
        }
        const WodFrame::Sample sample = frame.SampleAt(index);
        gathered_ = samples_->Add(
                        {TimeText(sample.timestamp), Blob(sample.raw.data(), sample.raw.size())}) &&
                    gathered_;
    }
}

bool ArchiveRows::Flush() {
    firstHearings_.clear();
    return frames_->Flush() && receptions_->Flush() && samples_->Flush() && texts_->Flush() &&
           MergeHours();
}

// Hours in groups, then the rest one by one.
bool ArchiveRows::MergeHours() {
    const auto& hours = hours_.Hours();
    auto next = hours.begin();
    for (std::size_t left = hours.size(); left > 0;) {
        const int rows = left >= kMergedHours ? kMergedHours : 1;
        QSqlQuery& merge = rows == 1 ? mergeOne_ : mergeGroup_;
        for (int row = 0; row < rows; ++row, ++next) {
            HourlyExtremes::BindHour(merge, row, next->first, next->second);
        }
        if (!database_->Run(merge)) {
            return false;
        }
        left -= static_cast<std::size_t>(rows);
    }
    hours_.Clear();
    return true;
}

}  // namespace orvex
