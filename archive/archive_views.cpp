#include "archive/archive_views.h"

#include <string>
#include <vector>

#include "archive/archive_columns.h"
#include "frames/frame_layout.h"
#include "frames/frame_type.h"
#include "frames/status_frames.h"
#include "frames/transmitter_modes.h"
#include "telemetry/calibration.h"
#include "telemetry/channel_table.h"

namespace orvex {
namespace {

struct Column {
    QString expression;
    QString name;
};
using Columns = std::vector<Column>;

QString Name(std::string_view name) {
    return QString::fromStdString(SqlName(name));
}

QString Type(FrameType type) {
    return QString::number(static_cast<int>(type));
}

// `value`, or NULL where the frame ends before its `width` bytes at
// `offset`: a short frame's missing fields are no one's.
QString Held(std::size_t offset, std::size_t width, const QString& value) {
    return QStringLiteral("CASE WHEN LENGTH(f.bytes) >= %1 THEN %2 END")
        .arg(offset + width)
        .arg(value);
}

QString FrameByte(const SqlDialect& dialect, std::size_t offset) {
    return dialect.ByteAt(QStringLiteral("f.bytes"), offset);
}

QString HeldByte(const SqlDialect& dialect, std::size_t offset) {
    return Held(offset, 1, FrameByte(dialect, offset));
}

// Little-endian, `width` bytes from `offset`.
QString HeldNumber(const SqlDialect& dialect, std::size_t offset, std::size_t width) {
    QString sum = FrameByte(dialect, offset);
    for (std::size_t at = 1; at < width; ++at) {
        sum += QStringLiteral(" + %1 * %2").arg(1 << (8 * at)).arg(FrameByte(dialect, offset + at));
    }
    return Held(offset, width, sum);
}

// Evaluated as the report's calibration is, one rounding per operation in
// the same order, so that each value is the same double.
QString Calibrated(const SqlDialect& dialect, int channel, const QString& x) {
    const CalibrationFormula& f = ChannelFormula(channel);
    if (f.IsRaw()) {
        return QStringLiteral("CAST(%1 AS DOUBLE PRECISION)").arg(x);
    }
    QString value =
        QStringLiteral("%1 * %2 + %3").arg(x, dialect.Real(f.linear), dialect.Real(f.constant));
    if (f.quadratic) {
        value = QStringLiteral("%1 * %1 * %2 + ").arg(x, dialect.Real(f.square)) + value;
    }
    return value;
}

QString ChannelName(int channel) {
    return QString::fromLatin1(ChannelColumn(channel));
}

Columns FrameColumns(const SqlDialect& dialect, const QString& table) {
    return {{table + QStringLiteral(".id"), QStringLiteral("frame_id")},
            {table + QStringLiteral(".time_utc"), QStringLiteral("time_utc")},
            {dialect.Seconds(table + QStringLiteral(".time_utc")), QStringLiteral("unix_time")}};
}

Columns TelemetryColumns(const SqlDialect& dialect) {
    Columns columns = FrameColumns(dialect, QStringLiteral("f"));
    columns.push_back(
        {HeldByte(dialect, layout::tlm::kSoftwareVersion), QStringLiteral("software_version")});
    for (int channel = 0; channel < kChannelCount; ++channel) {
        const std::size_t at = layout::tlm::ChannelAt(channel);
        columns.push_back({Held(at, 1, Calibrated(dialect, channel, FrameByte(dialect, at))),
                           ChannelName(channel)});
    }
    return columns;
}

Columns WodColumns(const SqlDialect& dialect) {
    Columns columns = {
        {QStringLiteral("w.time_utc"), QStringLiteral("time_utc")},
        {dialect.Seconds(QStringLiteral("w.time_utc")), QStringLiteral("unix_time")}};
    for (int slot = 0; slot < kWodSlotCount; ++slot) {
        const int channel = ChannelIndexOfNumber(WodChannels()[static_cast<std::size_t>(slot) + 1]);
        const QString raw =
            dialect.ByteAt(QStringLiteral("w.slots"), static_cast<std::size_t>(slot));
        columns.push_back({Calibrated(dialect, channel, raw), ChannelName(channel)});
    }
    return columns;
}

Columns HwsColumns(const SqlDialect& dialect) {
    Columns columns;
    for (const ByteField& group : HwsFrame::kRegisterGroups) {
        columns.push_back({HeldNumber(dialect, group.offset, layout::hws::kRegisterGroupBytes),
                           Name(group.name)});
    }
    for (const HwsFrame::Flag& flag : HwsFrame::kTransmitterFlags) {
        const QString set = QStringLiteral("CASE WHEN (%1 & %2) <> 0 THEN 1 ELSE 0 END")
                                .arg(FrameByte(dialect, flag.offset))
                                .arg(flag.mask);
        columns.push_back({Held(flag.offset, 1, set), Name(flag.name)});
    }
    return columns;
}

Columns SwsColumns(const SqlDialect& dialect) {
    Columns columns;
    const auto add = [&](std::size_t offset, const std::string& name) {
        columns.push_back({HeldByte(dialect, offset), Name(name)});
    };
    for (const ByteField& field : SwsFrame::kSettings) {
        add(field.offset, std::string(field.name));
    }
    for (const ByteField& field : SwsFrame::kWatchdogs) {
        add(field.offset, std::string(field.name));
    }
    add(SwsFrame::kWodVersion.offset, std::string(SwsFrame::kWodVersion.name));
    for (int index = 0; index < SwsFrame::kWodChannelCount; ++index) {
        add(layout::sws::kWodChannels + static_cast<std::size_t>(index),
            "WOD Channel " + std::to_string(index + 1));
    }
    for (const ByteField& field : SwsFrame::kSetPoints) {
        add(field.offset, std::string(field.name));
    }
    for (std::size_t pair = 1; pair <= SwsFrame::kTeprCount; ++pair) {
        add(layout::sws::kTeprFirst + pair, "TEPR" + std::to_string(pair) + " first");
        add(layout::sws::kTeprSecond + pair, "TEPR" + std::to_string(pair) + " second");
    }
    return columns;
}

QString TextLiteral(std::string_view text) {
    QString quoted = QString::fromLatin1(text);
    quoted.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

// The text of the mode byte at `offset`, as the status export writes it.
QString ModeText(const SqlDialect& dialect, std::size_t offset) {
    QString text = QStringLiteral("CASE ") + FrameByte(dialect, offset);
    constexpr int kNamedModes = 7;
    for (int mode = 0; mode < kNamedModes; ++mode) {
        text += QStringLiteral(" WHEN %1 THEN ").arg(mode) +
                TextLiteral(TxModeText(static_cast<std::uint8_t>(mode)));
    }
    return text + QStringLiteral(" ELSE ") + TextLiteral(TxModeText(kNamedModes)) +
           QStringLiteral(" END");
}

Columns ToprColumns(const SqlDialect& dialect) {
    Columns columns;
    for (std::size_t state = 1; state <= ToprFrame::kStateCount; ++state) {
        const std::string name = "TOPR State " + std::to_string(state);
        const std::size_t mode = layout::topr::kModes + state;
        columns.push_back({HeldNumber(dialect, layout::topr::kValues + 2 * state, 2), Name(name)});
        columns.push_back({HeldByte(dialect, mode), Name(name + " mode")});
        columns.push_back({Held(mode, 1, ModeText(dialect, mode)), Name(name + " mode text")});
    }
    return columns;
}

Columns StatusColumns(FrameType type, const SqlDialect& dialect) {
    switch (type) {
        case FrameType::Hws:
            return HwsColumns(dialect);
        case FrameType::Sws:
            return SwsColumns(dialect);
        default:
            return ToprColumns(dialect);
    }
}

QString SelectList(const Columns& columns) {
    QStringList items;
    for (const Column& column : columns) {
        items << column.expression + QStringLiteral(" AS ") + column.name;
    }
    return items.join(QStringLiteral(", "));
}

// A view of one frame type's frames; those of `ownTime` only when their
// time is their own.
QString FrameTypeView(const SqlDialect& dialect, const QString& view, FrameType type,
                      const Columns& columns, bool ownTime) {
    return QStringLiteral("CREATE VIEW %1 AS SELECT %2 FROM frame_store f%3 WHERE f.type = %4%5")
        .arg(view, SelectList(columns), dialect.ByteSource(), Type(type),
             ownTime ? QStringLiteral(" AND f.own_time") : QString());
}

QString StatusView(const SqlDialect& dialect, const QString& view, FrameType type, bool ownTime) {
    Columns columns = FrameColumns(dialect, QStringLiteral("f"));
    const Columns fields = StatusColumns(type, dialect);
    columns.insert(columns.end(), fields.begin(), fields.end());
    return FrameTypeView(dialect, view, type, columns, ownTime);
}

}  // namespace

QStringList StatusViewColumns(int type) {
    QStringList names;
    for (const Column& column : StatusColumns(static_cast<FrameType>(type), SqlDialect(false))) {
        names << column.name;
    }
    return names;
}

QStringList ArchiveViewStatements(const SqlDialect& dialect) {
    return {
        QStringLiteral(
            "CREATE VIEW frames AS SELECT f.id AS frame_id, f.time_utc, f.own_time, f.type, "
            "t.name AS type_name, LENGTH(f.bytes) AS length, f.bytes "
            "FROM frame_store f JOIN frame_types t ON t.type = f.type"),
        // Each frame's first hearing from its row, then the others.
        QStringLiteral(
            "CREATE VIEW receptions AS SELECT l.station, l.path AS log_path, "
            "CAST(f.first_log_id AS BIGINT) AS log_id, f.first_offset AS byte_offset, "
            "f.first_heard_utc AS heard_utc, f.id AS frame_id, f.time_utc, t.name AS type_name "
            "FROM frame_store f JOIN logs l ON l.id = f.first_log_id "
            "JOIN frame_types t ON t.type = f.type "
            "UNION ALL SELECT l.station, l.path, r.log_id, r.byte_offset, r.heard_utc, "
            "r.frame_id, f.time_utc, t.name "
            "FROM reception_store r JOIN logs l ON l.id = r.log_id "
            "JOIN frame_store f ON f.id = r.frame_id JOIN frame_types t ON t.type = f.type"),
        FrameTypeView(dialect, QStringLiteral("telemetry"), FrameType::Tlm,
                      TelemetryColumns(dialect), true),
        QStringLiteral("CREATE VIEW wod AS SELECT %1 FROM wod_samples w%2")
            .arg(SelectList(WodColumns(dialect)), dialect.ByteSource()),
        StatusView(dialect, QStringLiteral("hws"), FrameType::Hws, true),
        StatusView(dialect, QStringLiteral("sws"), FrameType::Sws, false),
        StatusView(dialect, QStringLiteral("topr"), FrameType::Topr, false),
        QStringLiteral("CREATE VIEW texts AS SELECT f.id AS frame_id, f.time_utc, "
                       "t.name AS type_name, x.text FROM frame_texts x "
                       "JOIN frame_store f ON f.id = x.frame_id "
                       "JOIN frame_types t ON t.type = f.type"),
    };
}

}  // namespace orvex
