#include "archive/archive_writer.h"

#include <QCryptographicHash>
#include <QSqlError>
#include <QVariant>

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

QString Placeholders(int count) {
    QString marks = QStringLiteral("?");
    for (int index = 1; index < count; ++index) {
        marks += QStringLiteral(", ?");
    }
    return marks;
}

QString InsertStatement(const QString& table, const QStringList& columns) {
    return QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
        .arg(table, columns.join(QStringLiteral(", ")),
             Placeholders(static_cast<int>(columns.size())));
}

QString TlmInsert() {
    QStringList columns{QStringLiteral("frame_id"), QStringLiteral("time"),
                        QStringLiteral("software_version")};
    for (int channel = 0; channel < kChannelCount; ++channel) {
        columns << TlmColumn(channel);
    }
    return InsertStatement(QStringLiteral("tlm"), columns);
}

QString WodInsert() {
    QStringList columns{QStringLiteral("frame_id"), QStringLiteral("sample"),
                        QStringLiteral("time")};
    for (int slot = 0; slot < kWodSlotCount; ++slot) {
        columns << WodColumn(slot);
    }
    return InsertStatement(QStringLiteral("wod"), columns);
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
    if (!logId_ || !Prepare()) {
        Fail(database_.LastError());
        return false;
    }
    return true;
}

bool ArchiveWriter::Prepare() {
    const QSqlDatabase& db = database_.Connection();
    insertFrame_ = QSqlQuery(db);
    insertReception_ = QSqlQuery(db);
    insertTlm_ = QSqlQuery(db);
    insertWod_ = QSqlQuery(db);
    insertStatus_ = QSqlQuery(db);
    findFrame_ = QSqlQuery(db);
    const bool prepared =
        insertFrame_.prepare(QStringLiteral(
            "INSERT INTO frames (digest, bytes, type, time, time_exact, first_log, first_offset) "
            "VALUES (?, ?, ?, ?, ?, ?, ?) ON CONFLICT DO NOTHING RETURNING id")) &&
        findFrame_.prepare(QStringLiteral("SELECT id FROM frames WHERE digest = ?")) &&
        insertReception_.prepare(QStringLiteral(
            "INSERT INTO receptions (log_id, byte_offset, frame_id) VALUES (?, ?, ?) "
            "ON CONFLICT DO NOTHING")) &&
        insertTlm_.prepare(TlmInsert()) && insertWod_.prepare(WodInsert()) &&
        insertStatus_.prepare(
            QStringLiteral("INSERT INTO status (frame_id, type, fields) VALUES (?, ?, ?)"));
    if (!prepared) {
        database_.NoteError(database_.Connection().lastError().text());
    }
    return prepared;
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
    if (!database_.Begin()) {
        return false;
    }
    for (const PendingFrame& frame : block_) {
        if (!WriteFrame(frame, added)) {
            return false;
        }
    }
    return database_.Commit();
}

bool ArchiveWriter::WriteFrame(const PendingFrame& frame, ArchiveCounts& added) {
    insertFrame_.bindValue(0, frame.digest);
    insertFrame_.bindValue(1, frame.bytes);
    insertFrame_.bindValue(2, frame.type);
    insertFrame_.bindValue(3, TimeValue(frame.time));
    insertFrame_.bindValue(4, frame.timeExact ? 1 : 0);
    insertFrame_.bindValue(5, *logId_);
    insertFrame_.bindValue(6, static_cast<qint64>(frame.offset));
    if (!Run(insertFrame_)) {
        return false;
    }
    qint64 id = 0;
    if (insertFrame_.next()) {
        id = insertFrame_.value(0).toLongLong();
        insertFrame_.finish();
        if (!WriteValues(id, frame)) {
            return false;
        }
        ++added.newFrames;
    } else {
        // Another hearing stored the frame and its values already.
        insertFrame_.finish();
        findFrame_.bindValue(0, frame.digest);
        if (!Run(findFrame_) || !findFrame_.next()) {
            return false;
        }
        id = findFrame_.value(0).toLongLong();
        findFrame_.finish();
    }
    insertReception_.bindValue(0, *logId_);
    insertReception_.bindValue(1, static_cast<qint64>(frame.offset));
    insertReception_.bindValue(2, id);
    if (!Run(insertReception_)) {
        return false;
    }
    added.newReceptions += insertReception_.numRowsAffected() == 1 ? 1 : 0;
    ++added.frames;
    return true;
}

bool ArchiveWriter::WriteValues(qint64 id, const PendingFrame& frame) {
    const auto& calibration = CalibrationTable();
    if (frame.tlm) {
        insertTlm_.bindValue(0, id);
        insertTlm_.bindValue(1, static_cast<qint64>(frame.tlm->time));
        insertTlm_.bindValue(2, frame.tlm->softwareVersion);
        for (int channel = 0; channel < kChannelCount; ++channel) {
            insertTlm_.bindValue(
                3 + channel,
                calibration[channel][frame.tlm->raw[static_cast<std::size_t>(channel)]]);
        }
        if (!Run(insertTlm_)) {
            return false;
        }
    }
    for (std::size_t sample = 0; sample < frame.wod.size(); ++sample) {
        const WodRecord& wod = frame.wod[sample];
        insertWod_.bindValue(0, id);
        insertWod_.bindValue(1, static_cast<int>(sample));
        insertWod_.bindValue(2, static_cast<qint64>(wod.time));
        for (int slot = 0; slot < kWodSlotCount; ++slot) {
            insertWod_.bindValue(
                3 + slot,
                calibration[WodSlotChannelIndex(slot)][wod.raw[static_cast<std::size_t>(slot)]]);
        }
        if (!Run(insertWod_)) {
            return false;
        }
    }
    if (!frame.status.empty()) {
        insertStatus_.bindValue(0, id);
        insertStatus_.bindValue(1, frame.type);
        insertStatus_.bindValue(2, QString::fromUtf8(frame.status));
        return Run(insertStatus_);
    }
    return true;
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
