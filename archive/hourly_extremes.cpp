#include "archive/hourly_extremes.h"

#include <QVariant>

#include <cmath>

#include "archive/archive_schema.h"
#include "archive/sql_dialect.h"
#include "frames/telemetry_frames.h"
#include "telemetry/calibration.h"

namespace orvex {
namespace {

// No value, or one that is not a number, is stored as none, as the engines
// disagree on how to order the latter.
QVariant Value(double value) {
    return std::isfinite(value) ? QVariant(value) : QVariant(QMetaType::fromType<double>());
}

QString MergeHead() {
    QString head = QStringLiteral("INSERT INTO telemetry_hourly (hour_utc");
    for (int channel = 0; channel < kChannelCount; ++channel) {
        head +=
            QStringLiteral(", ") + LowColumn(channel) + QStringLiteral(", ") + HighColumn(channel);
    }
    return head + QStringLiteral(") VALUES ");
}

// An hour's stored extreme and the new one: the lower (or higher) of the two,
// either where the other is none.
QString Merged(const char* pick, const QString& column) {
    return QStringLiteral(
               "%1 = %2(COALESCE(telemetry_hourly.%1, excluded.%1), "
               "COALESCE(excluded.%1, telemetry_hourly.%1))")
        .arg(column, QLatin1String(pick));
}

QString MergeTail() {
    QStringList sets;
    for (int channel = 0; channel < kChannelCount; ++channel) {
        sets << Merged("LEAST", LowColumn(channel)) << Merged("GREATEST", HighColumn(channel));
    }
    return QStringLiteral(" ON CONFLICT (hour_utc) DO UPDATE SET ") +
           sets.join(QStringLiteral(", "));
}

}  // namespace

void HourlyExtremes::Add(const TlmFrame& frame) {
    const auto& calibration = CalibrationTable();
    Hour& extremes = hours_[frame.Timestamp() / kHourSeconds];
    for (int channel = 0; channel < kChannelCount; ++channel) {
        if (!frame.HoldsChannel(channel)) {
            continue;
        }
        const auto index = static_cast<std::size_t>(channel);
        const double value = calibration[index][frame.RawChannel(channel)];
        // fmin and fmax take the other where one is none.
        extremes.low[index] = std::fmin(extremes.low[index], value);
        extremes.high[index] = std::fmax(extremes.high[index], value);
    }
}

QString HourlyExtremes::MergeStatement(int rows) {
    static const QString kHead = MergeHead();
    static const QString kTail = MergeTail();
    QString row = QStringLiteral("(?");
    for (int channel = 0; channel < kChannelCount; ++channel) {
        row += QStringLiteral(", ?, ?");
    }
    row += QLatin1Char(')');
    return kHead + QStringList(rows, row).join(QStringLiteral(", ")) + kTail;
}

void HourlyExtremes::BindHour(QSqlQuery& merge, int row, std::int64_t hour, const Hour& extremes) {
    constexpr int kValuesPerRow = 1 + 2 * kChannelCount;
    int at = row * kValuesPerRow;
    merge.bindValue(at++, TimeText(hour * kHourSeconds));
    for (std::size_t channel = 0; channel < extremes.low.size(); ++channel) {
        merge.bindValue(at++, Value(extremes.low[channel]));
        merge.bindValue(at++, Value(extremes.high[channel]));
    }
}

}  // namespace orvex
