#pragma once

#include <string>
#include <vector>

#include "text/unix_time.h"

class QLocale;
class QString;

namespace orvex {

// A date or time format string of the host locale ("dd/MM/yyyy",
// "h:mm:ss AP"...), parsed once so that a date can be written many times
// without going through QLocale. Names and am/pm texts are taken from the
// locale when the pattern is built and stored as single-byte text.
class DateTimePattern {
public:
    DateTimePattern() = default;
    DateTimePattern(const QString& format, const QLocale& locale);

    // The same pattern with every two-digit year widened to four digits.
    DateTimePattern WithFourDigitYear() const;
    // The same pattern without its time-zone part and the blanks around it.
    DateTimePattern WithoutTimeZone() const;

    void Append(std::string& out, const DateTime& dt) const;
    // True when the text depends on the date, not only on the time of day.
    bool UsesDate() const;

private:
    enum class Field {
        Literal,
        Day,
        Day2,
        DayNameShort,
        DayNameLong,
        Month,
        Month2,
        MonthNameShort,
        MonthNameLong,
        Year2,
        Year4,
        Hour12,
        Hour12x2,
        Hour24,
        Hour24x2,
        Minute,
        Minute2,
        Second,
        Second2,
        Millisecond,
        Millisecond3,
        AmPm,
        TimeZone,
    };
    struct Token {
        Field field;
        std::string text;  // literal text, or the am/pm text case of AmPm
    };

    void AddLiteral(const std::string& text);
    void Parse(const QString& format, const QLocale& locale);

    std::vector<Token> tokens_;
    std::vector<std::string> dayNamesShort_, dayNamesLong_;
    std::vector<std::string> monthNamesShort_, monthNamesLong_;
    bool twelveHour_ = false;
};

}  // namespace orvex
