#include "share/sids_form.h"

#include <QDateTime>
#include <QTimeZone>
#include <QUrl>

#include <cmath>

#include "text/digits.h"

namespace orvex {
namespace {

void AddField(QByteArray& form, const char* name, const std::string& value) {
    if (!form.isEmpty()) {
        form += '&';
    }
    form += name;
    form += '=';
    form += QUrl::toPercentEncoding(
        QString::fromLatin1(value.data(), static_cast<qsizetype>(value.size())));
}

std::string Hex(const std::string& bytes) {
    std::string hex;
    hex.reserve(bytes.size() * 2);
    for (const char byte : bytes) {
        AppendHexByte(hex, static_cast<std::uint8_t>(byte));
    }
    return hex;
}

}  // namespace

QByteArray SidsForm(const SharedFrame& frame) {
    const Station& station = frame.station;
    QByteArray form;
    AddField(form, "noradID", std::to_string(station.noradId));
    AddField(form, "source", station.callsign);
    AddField(form, "timestamp", IsoUtcMilliseconds(frame.receivedMs));
    AddField(form, "frame", Hex(frame.bytes));
    AddField(form, "locator", "longLat");
    AddField(form, "longitude", Degrees(station.longitude, 'E', 'W'));
    AddField(form, "latitude", Degrees(station.latitude, 'N', 'S'));
    AddField(form, "version", std::string("Orvex ") + ORVEX_VERSION);
    return form;
}

std::string IsoUtcMilliseconds(std::int64_t milliseconds) {
    return QDateTime::fromMSecsSinceEpoch(milliseconds, QTimeZone::utc())
        .toString(QStringLiteral("yyyy-MM-dd'T'HH:mm:ss.zzz'Z'"))
        .toStdString();
}

std::string Degrees(double value, char positive, char negative) {
    std::string text;
    AppendFixedPoint(text, std::fabs(value), 4);
    text += value < 0 && text.find_first_not_of("0.") != std::string::npos ? negative : positive;
    return text;
}

}  // namespace orvex
