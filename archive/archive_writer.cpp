#include "archive/archive_writer.h"

#include <QCryptographicHash>
#include <QSqlError>
#include <QVariant>

#include <algorithm>

#include "archive/archive_schema.h"
#include "outputs/data/data_columns.h"
#include "telemetry/calibration.h"

namespace orvex {
namespace {

// Two stations whose blocks hold the same frames in another order can
// deadlock on PostgreSQL, which then cancels one block: it is written again.
constexpr int kAttempts = 5;

bool IsTransient(const QSqlError& error) {
    const QString code = error.nativeErrorCode();
    return code == QLatin1String("40P01") || code == QLatin1String("40001");
}

// The first 128 bits of the SHA-256 of the frame's bytes: the frame's
// identity, so that every hearing of the same bytes finds the same row.
QByteArray FrameDigest(const QByteArray& bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).left(16);
}

QString Insert(const QString& table, const QStringList& columns, int rows,
               const QString& tail = {}) {
    return QStringLiteral("INSERT INTO %1 (%2) VALUES %3%4")
        .arg(table, columns.join(QStringLiteral(", ")),
             BatchedStatement::RowPlaceholders(rows, static_cast<int>(columns.size())), tail);
}

QStringList FrameColumns() {
    return {QStringLiteral("digest"),      QStringLiteral("bytes"),
            QStringLiteral("type"),        QStringLiteral("time"),
            QStringLiteral("time_exact"),  QStringLiteral("first_log"),
            QStringLiteral("first_offset")};
}

QStringList ReceptionColumns() {
    return {QStringLiteral("log_id"), QStringLiteral("byte_offset"), QStringLiteral("frame_id")};
}

QStringList TlmColumns() {
    QStringList columns{QStringLiteral("frame_id"), QStringLiteral("time"),
                        QStringLiteral("software_version")};
    for (int channel = 0; channel < kChannelCount; ++channel) {
        columns << TlmColumn(channel);
    }
    return columns;
}

QStringList WodColumns() {
    QStringList columns{QStringLiteral("frame_id"), QStringLiteral("sample"),
                        QStringLiteral("time")};
    for (int slot = 0; slot < kWodSlotCount; ++slot) {
        columns << WodColumn(slot);
    }
    return columns;
}

QStringList StatusColumns() {
    return {QStringLiteral("frame_id"), QStringLiteral("type"), QStringLiteral("fields")};
}

// A batch that inserts rows of `columns` into `table`.
BatchedStatement InsertBatch(ArchiveDatabase& database, const QString& table,
                             const QStringList& columns, const QString& tail = {}) {
    return {database,
            [table, columns, tail](int rows) { return Insert(table, columns, rows, tail); },
            static_cast<int>(columns.size())};
}

QVariant TimeValue(std::optional<std::uint32_t> time) {
    return time ? QVariant(static_cast<qint64>(*time)) : QVariant(QMetaType::fromType<qint64>());
}

}  // namespace

ArchiveWriter::ArchiveWriter(ArchiveDatabase& database, std::string station, std::string logName)
    : database_(database),
      station_(std::move(station)),
      logName_(std::move(logName)),
      statusJson_(RecordFormat::Make(DataFormat::JsonLines)) {}

ArchiveWriter::~ArchiveWriter() = default;

bool ArchiveWriter::Start() {
    QSqlQuery query(database_.Connection());
    const QString station = QString::fromLocal8Bit(station_);
    const QString name = QString::fromLocal8Bit(logName_);
    query.prepare(
        QStringLiteral("INSERT INTO logs (station, name) VALUES (?, ?) ON CONFLICT DO NOTHING"));
    query.addBindValue(station);
    query.addBindValue(name);
    if (Run(query)) {
        query.prepare(QStringLiteral("SELECT id FROM logs WHERE station = ? AND name = ?"));
        query.addBindValue(station);
        query.addBindValue(name);
        if (Run(query) && query.next()) {
            logId_ = query.value(0).toLongLong();
        }
    }
    if (!logId_) {
        Fail(database_.LastError());
        return false;
    }
    Prepare();
    return true;
}

void ArchiveWriter::Prepare() {
    insertFrames_.emplace(
        InsertBatch(database_, QStringLiteral("frames"), FrameColumns(),
                    QStringLiteral(" ON CONFLICT DO NOTHING RETURNING id, digest")));
    findFrames_.emplace(
        database_,
        [](int rows) {
            return QStringLiteral("SELECT id, digest FROM frames WHERE digest IN (%1)")
                .arg(BatchedStatement::RowPlaceholders(rows, 1));
        },
        1);
    insertReceptions_.emplace(InsertBatch(database_, QStringLiteral("receptions"),
                                          ReceptionColumns(),
                                          QStringLiteral(" ON CONFLICT DO NOTHING")));
    insertTlm_.emplace(InsertBatch(database_, QStringLiteral("tlm"), TlmColumns()));
    insertWod_.emplace(InsertBatch(database_, QStringLiteral("wod"), WodColumns()));
    insertStatus_.emplace(InsertBatch(database_, QStringLiteral("status"), StatusColumns()));
}

void ArchiveWriter::OnTlmRecord(const TlmRecord& record) {
    next_.tlm = record;
}

void ArchiveWriter::OnWodRecord(const WodRecord& record) {
    next_.wod.push_back(record);
}

void ArchiveWriter::OnStatusRecord(const StatusRecord& record) {
    statusJson_->AppendStatus(next_.status, record);
    if (!next_.status.empty() && next_.status.back() == '\n') {
        next_.status.pop_back();
    }
}

void ArchiveWriter::OnFrameRecord(const FrameRecord& record) {
    PendingFrame frame = std::move(next_);
    next_ = PendingFrame();
    if (record.outcome != FrameOutcome::Decoded || problem_ || !logId_) {
        return;
    }
    const Frame& heard = record.frame;
    frame.bytes = QByteArray(reinterpret_cast<const char*>(heard.bytes.data()), heard.length);
    frame.digest = FrameDigest(frame.bytes);
    frame.type = heard[kTypeOffset];
    frame.offset = heard.logOffset;
    frame.timeExact = record.time.has_value();
    if (record.time) {
        lastTime_ = record.time;
    }
    frame.time = lastTime_;
    block_.push_back(std::move(frame));
    if (block_.size() >= kBlockFrames) {
        WriteBlockWithRetries();
    }
}

bool ArchiveWriter::Finish() {
    if (!block_.empty() && !problem_) {
        WriteBlockWithRetries();
    }
    return !problem_;
}

void ArchiveWriter::WriteBlockWithRetries() {
    for (int attempt = 1; attempt <= kAttempts; ++attempt) {
        ArchiveCounts added;
        if (WriteBlock(added)) {
            counts_.frames += added.frames;
            counts_.newFrames += added.newFrames;
            counts_.newReceptions += added.newReceptions;
            block_.clear();
            return;
        }
        database_.Rollback();
        if (!transient_) {
            break;
        }
    }
    Fail(database_.LastError());
}

bool ArchiveWriter::WriteBlock(ArchiveCounts& added) {
    transient_ = false;
    for (BatchedStatement* batch : {&*insertFrames_, &*findFrames_, &*insertReceptions_,
                                    &*insertTlm_, &*insertWod_, &*insertStatus_}) {
        batch->Clear();
    }
    if (!database_.Begin()) {
        return false;
    }
    BlockFrames frames;
    if (!InsertFrames(frames, added) || !FindFrames(frames)) {
        return false;
    }
    for (const PendingFrame& frame : block_) {
        BlockFrame& stored = frames[frame.digest];
        if (stored.added) {
            AddValues(stored.id, frame);
            stored.added = false;  // a repeat in the block is only a hearing
        }
    }
    const auto run = [this](QSqlQuery& query) { return Run(query); };
    return insertTlm_->RunAll(run) && insertWod_->RunAll(run) && insertStatus_->RunAll(run) &&
           InsertReceptions(frames, added) && database_.Commit();
}

// Each frame of the block once, in the order of their digests, so that two
// stations writing the same frames at once take their locks in one order.
bool ArchiveWriter::InsertFrames(BlockFrames& frames, ArchiveCounts& added) {
    std::vector<const PendingFrame*> distinct;
    for (const PendingFrame& frame : block_) {
        if (!frames.contains(frame.digest)) {
            frames.insert(frame.digest, {});
            distinct.push_back(&frame);
        }
    }
    std::sort(distinct.begin(), distinct.end(),
              [](const PendingFrame* a, const PendingFrame* b) { return a->digest < b->digest; });
    for (const PendingFrame* frame : distinct) {
        insertFrames_->Add(frame->digest);
        insertFrames_->Add(frame->bytes);
        insertFrames_->Add(frame->type);
        insertFrames_->Add(TimeValue(frame->time));
        insertFrames_->Add(frame->timeExact ? 1 : 0);
        insertFrames_->Add(*logId_);
        insertFrames_->Add(static_cast<qint64>(frame->offset));
    }
    // Only the frames the archive did not hold come back.
    return insertFrames_->RunAll([&](QSqlQuery& query) {
        if (!Run(query)) {
            return false;
        }
        while (query.next()) {
            frames[query.value(1).toByteArray()] = {query.value(0).toLongLong(), true};
            ++added.newFrames;
        }
        return true;
    });
}

// The numbers of the frames another hearing stored already.
bool ArchiveWriter::FindFrames(BlockFrames& frames) {
    for (auto known = frames.cbegin(); known != frames.cend(); ++known) {
        if (!known->added) {
            findFrames_->Add(known.key());
        }
    }
    if (findFrames_->Empty()) {
        return true;
    }
    return findFrames_->RunAll([&](QSqlQuery& query) {
        if (!Run(query)) {
            return false;
        }
        while (query.next()) {
            frames[query.value(1).toByteArray()].id = query.value(0).toLongLong();
        }
        return true;
    }) && AllFound(frames);
}

bool ArchiveWriter::AllFound(const BlockFrames& frames) {
    const bool found = std::all_of(frames.cbegin(), frames.cend(),
                                   [](const BlockFrame& frame) { return frame.id != 0; });
    if (!found) {
        database_.NoteError(QStringLiteral("a frame the archive holds could not be read back"));
    }
    return found;
}

void ArchiveWriter::AddValues(qint64 id, const PendingFrame& frame) {
    const auto& calibration = CalibrationTable();
    if (frame.tlm) {
        insertTlm_->Add(id);
        insertTlm_->Add(static_cast<qint64>(frame.tlm->time));
        insertTlm_->Add(frame.tlm->softwareVersion);
        for (int channel = 0; channel < kChannelCount; ++channel) {
            insertTlm_->Add(
                calibration[channel][frame.tlm->raw[static_cast<std::size_t>(channel)]]);
        }
    }
    for (std::size_t sample = 0; sample < frame.wod.size(); ++sample) {
        const WodRecord& wod = frame.wod[sample];
        insertWod_->Add(id);
        insertWod_->Add(static_cast<int>(sample));
        insertWod_->Add(static_cast<qint64>(wod.time));
        for (int slot = 0; slot < kWodSlotCount; ++slot) {
            insertWod_->Add(
                calibration[WodSlotChannelIndex(slot)][wod.raw[static_cast<std::size_t>(slot)]]);
        }
    }
    if (!frame.status.empty()) {
        insertStatus_->Add(id);
        insertStatus_->Add(frame.type);
        insertStatus_->Add(QString::fromUtf8(frame.status));
    }
}

bool ArchiveWriter::InsertReceptions(const BlockFrames& frames, ArchiveCounts& added) {
    for (const PendingFrame& frame : block_) {
        insertReceptions_->Add(*logId_);
        insertReceptions_->Add(static_cast<qint64>(frame.offset));
        insertReceptions_->Add(frames.value(frame.digest).id);
    }
    added.frames += block_.size();
    return insertReceptions_->RunAll([&](QSqlQuery& query) {
        if (!Run(query)) {
            return false;
        }
        added.newReceptions += static_cast<std::uint64_t>(std::max(0, query.numRowsAffected()));
        return true;
    });
}

bool ArchiveWriter::Run(QSqlQuery& query) {
    if (query.exec()) {
        return true;
    }
    transient_ = IsTransient(query.lastError());
    database_.NoteError(query.lastError().text());
    return false;
}

void ArchiveWriter::Fail(const std::string& reason) {
    problem_ = reason;
    block_.clear();
}

}  // namespace orvex
