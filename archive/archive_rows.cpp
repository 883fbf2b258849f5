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
    using Conflict = TableRows::OnConflict;
    frames_ =
        MakeTableRows(database, QStringLiteral("frame_store"),
                      {QStringLiteral("id"), QStringLiteral("time_utc"), QStringLiteral("own_time"),
                       QStringLiteral("type"), QStringLiteral("bytes"), QStringLiteral("digest"),
                       QStringLiteral("first_log_id"), QStringLiteral("first_offset")},
                      Conflict::Fail);
    // The same log again, or another writer of it, holds some of its hearings.
    receptions_ = MakeTableRows(database, QStringLiteral("reception_store"),
                                {QStringLiteral("log_id"), QStringLiteral("byte_offset"),
                                 QStringLiteral("frame_id"), QStringLiteral("heard_utc")},
                                Conflict::Skip);
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

bool ArchiveRows::AddFrame(std::int64_t id, std::string_view bytes, const FrameDigest& digest,
                           const FrameHeard& heard, std::int64_t logId) {
    const std::size_t length = std::min(bytes.size(), kFrameCapacity);
    std::copy_n(bytes.begin(), length, frame_.bytes.begin());
    frame_.length = static_cast<std::uint16_t>(length);
    frameId_ = id;
    gathered_ = frames_->Add({static_cast<qint64>(id), TimeValue(heard.time), heard.ownTime,
                              static_cast<int>(frame_[layout::kType]),
                              Blob(frame_.bytes.data(), length), digest.Stored(),
                              static_cast<qint64>(logId), static_cast<qint64>(heard.offset)});
    DecodeFrame(frame_, *this);
    return gathered_;
}

bool ArchiveRows::AddReception(std::int64_t logId, const FrameHeard& heard, std::int64_t frameId) {
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
