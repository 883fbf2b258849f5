#include "archive/hourly_extremes.h"

#include <QVariant>

#include <cmath>

#include "frames/telemetry_frames.h"
#include "telemetry/calibration.h"

namespace orvex {
namespace {

QString Column(int channel, const char* end) {
    return QStringLiteral("c%1_%2").arg(channel, 2, 10, QLatin1Char('0')).arg(QLatin1String(end));
}

// A value that is not a number is stored as none, as the engines disagree
// on how to order it.
QVariant Value(double value) {
    return std::isfinite(value) ? QVariant(value) : QVariant(QMetaType::fromType<double>());
}

QByteArray MergeHead() {
    QByteArray head = "INSERT INTO tlm_hourly (hour";
    for (int channel = 0; channel < kChannelCount; ++channel) {
        head += ", " + LowColumn(channel).toLatin1() + ", " + HighColumn(channel).toLatin1();
    }
    return head + ") VALUES ";
}

QByteArray MergeTail() {
    QByteArray tail = " ON CONFLICT (hour) DO UPDATE SET ";
    for (int channel = 0; channel < kChannelCount; ++channel) {
        const QByteArray low = LowColumn(channel).toLatin1();
        const QByteArray high = HighColumn(channel).toLatin1();
        tail += (channel > 0 ? ", " : "") + low + " = LEAST(tlm_hourly." + low + ", excluded." +
                low + "), " + high + " = GREATEST(tlm_hourly." + high + ", excluded." + high + ")";
    }
    return tail;
}

}  // namespace

QString LowColumn(int channel) {
    return Column(channel, "low");
}

QString HighColumn(int channel) {
    return Column(channel, "high");
}

void HourlyExtremes::Add(const TlmFrame& frame) {
    const auto& calibration = CalibrationTable();
    const std::int64_t hour = frame.Timestamp() / kHourSeconds;
    const auto [place, isNew] = hours_.try_emplace(hour);
    Hour& extremes = place->second;
    for (int channel = 0; channel < kChannelCount; ++channel) {
        const auto index = static_cast<std::size_t>(channel);
        const double value = calibration[channel][frame.RawChannel(channel)];
        extremes.low[index] = isNew ? value : std::min(extremes.low[index], value);
        extremes.high[index] = isNew ? value : std::max(extremes.high[index], value);
    }
}

QString HourlyExtremes::MergeStatement(int rows) {
    static const QByteArray kHead = MergeHead();
    static const QByteArray kTail = MergeTail();
    QByteArray row = "(?";
    for (int channel = 0; channel < kChannelCount; ++channel) {
        row += ", ?, ?";
    }
    row += ')';
    QByteArray sql = kHead;
    for (int at = 0; at < rows; ++at) {
        sql += (at > 0 ? ", " : "") + row;
    }
    return QString::fromLatin1(sql + kTail);
}

void HourlyExtremes::BindHour(QSqlQuery& merge, int row, std::int64_t hour, const Hour& extremes) {
    constexpr int kValuesPerRow = 1 + 2 * kChannelCount;
    int at = row * kValuesPerRow;
    merge.bindValue(at++, static_cast<qint64>(hour));
    for (std::size_t channel = 0; channel < extremes.low.size(); ++channel) {
        merge.bindValue(at++, Value(extremes.low[channel]));
        merge.bindValue(at++, Value(extremes.high[channel]));
    }
}

}  // namespace orvex
