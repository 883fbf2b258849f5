#include "text/locale_format.h"

#include <QLocale>

#include "text/digits.h"

namespace orvex {
namespace {

char SingleByteOr(const QString& text, char fallback) {
    if (text.size() == 1 && text[0].unicode() > 0 && text[0].unicode() < 256) {
        return static_cast<char>(text[0].unicode());
    }
    return fallback;
}

// The separator the locale writes between hours and minutes.
char TimeSeparatorOf(const QLocale& locale) {
    const QString format = locale.timeFormat(QLocale::LongFormat);
    const qsizetype hour = format.indexOf(QLatin1Char('h'), 0, Qt::CaseInsensitive);
    if (hour < 0) {
        return ':';
    }
    qsizetype after = hour;
    while (after < format.size() && format[after].toLower() == u'h') {
        ++after;
    }
    return after < format.size() ? SingleByteOr(format.mid(after, 1), ':') : ':';
}

void AppendTwoDigits(std::string& out, int value) {
    out.push_back(static_cast<char>('0' + value / 10));
    out.push_back(static_cast<char>('0' + value % 10));
}

}  // namespace

LocaleFormat::LocaleFormat(const QLocale& locale)
    : date_(DateTimePattern(locale.dateFormat(QLocale::ShortFormat), locale).WithFourDigitYear()),
      time_(DateTimePattern(locale.timeFormat(QLocale::LongFormat), locale).WithoutTimeZone()),
      decimalSeparator_(SingleByteOr(locale.decimalPoint(), '.')),
      timeSeparator_(TimeSeparatorOf(locale)) {
    if (time_.UsesDate()) {
        return;
    }
    constexpr int kSecondsPerDay = 86400;
    timeTexts_.Reserve(kSecondsPerDay, std::size_t{kSecondsPerDay} * 12);
    DateTime dt;
    std::string text;
    for (int second = 0; second < kSecondsPerDay; ++second) {
        dt.hour = second / 3600;
        dt.minute = second / 60 % 60;
        dt.second = second % 60;
        text.clear();
        time_.Append(text, dt);
        timeTexts_.Add(text);
    }
}

LocaleFormat LocaleFormat::FromSystem() {
    return LocaleFormat(QLocale::system());
}

void LocaleFormat::AppendDateTime(std::string& out, const DateValue& date) const {
    if (!date) {
        return;
    }
    date_.Append(out, *date);
    if (date->IsMidnight()) {
        return;
    }
    out.push_back(' ');
    if (timeTexts_.Empty()) {
        time_.Append(out, *date);
        return;
    }
    out += timeTexts_[static_cast<std::size_t>(date->SecondOfDay())];
}

std::string LocaleFormat::DateTimeText(const DateValue& date) const {
    std::string text;
    AppendDateTime(text, date);
    return text;
}

std::string LocaleFormat::DateText(const DateTime& dt) const {
    std::string text;
    date_.Append(text, dt);
    return text;
}

void LocaleFormat::AppendTimeOfDay(std::string& out, const DateTime& dt) const {
    AppendTwoDigits(out, dt.hour);
    out.push_back(timeSeparator_);
    AppendTwoDigits(out, dt.minute);
    out.push_back(timeSeparator_);
    AppendTwoDigits(out, dt.second);
}

std::string LocaleFormat::TimeOfDayText(const DateTime& dt) const {
    std::string text;
    AppendTimeOfDay(text, dt);
    return text;
}

void LocaleFormat::AppendFixed(std::string& out, double value, int decimals) const {
    AppendFixedPoint(out, value, decimals, decimalSeparator_);
}

QLocale LocaleFormat::NumberLocale() const {
    QLocale locale = decimalSeparator_ == ',' ? QLocale(QLocale::German) : QLocale::c();
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale;
}

std::string LocaleFormat::FixedText(double value, int decimals) const {
    std::string text;
    AppendFixed(text, value, decimals);
    return text;
}

}  // namespace orvex
