#pragma once

#include <string>

#include "text/date_time_pattern.h"
#include "text/text_table.h"
#include "text/unix_time.h"

class QLocale;

namespace orvex {

// Every text whose form depends on the host locale is made here: the general
// date-and-time text, the "hh:mm:ss" time of day and the "0.000" / "0.00"
// number patterns. Built once from a locale and passed to whoever writes
// such texts; nothing else asks the locale. Texts are single-byte: locale
// characters outside Latin-1 become '?' (am/pm markers outside Latin-1 are
// written AM and PM, so that a morning never reads as an afternoon), and
// digits are always ASCII. It holds nothing that changes once built, so that
// a load's thread and the window's may write with the same one.
class LocaleFormat {
public:
    explicit LocaleFormat(const QLocale& locale);
    // The host locale as the environment sets it (LC_ALL, LC_TIME /
    // LC_NUMERIC, LANG).
    static LocaleFormat FromSystem();

    // Short date with a four-digit year, a blank and the long time without
    // its zone; the date alone at 00:00:00; nothing for the empty value.
    void AppendDateTime(std::string& out, const DateValue& date) const;
    std::string DateTimeText(const DateValue& date) const;

    // The short date of AppendDateTime alone.
    std::string DateText(const DateTime& dt) const;

    // "hh:mm:ss": 24-hour, two digits each, the locale's time separator.
    void AppendTimeOfDay(std::string& out, const DateTime& dt) const;
    std::string TimeOfDayText(const DateTime& dt) const;

    // Fixed point with the given decimals ("0.000" is 3), at least one integer
    // digit, no grouping, the locale's decimal separator, rounded half away
    // from zero on the exact binary value of the double.
    void AppendFixed(std::string& out, double value, int decimals) const;
    std::string FixedText(double value, int decimals) const;

    // A Qt locale that writes numbers as this class does (its decimal
    // separator, ASCII digits, no grouping), for the chart's axes.
    QLocale NumberLocale() const;

private:
    DateTimePattern date_;
    DateTimePattern time_;
    // The long time of every second of the day, one after another, when it
    // depends on nothing else: a log's dates are written by look-up.
    TextTable timeTexts_;
    char decimalSeparator_ = '.';
    char timeSeparator_ = ':';
};

}  // namespace orvex
