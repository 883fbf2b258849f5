#include "text/date_time_pattern.h"

#include <QLocale>
#include <QString>

#include <algorithm>
#include <string_view>

#include "text/digits.h"

namespace orvex {
namespace {

std::string ToSingleByte(const QString& text) {
    return text.toLatin1().toStdString();
}

bool IsLatin1(const QString& text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() <= 0xFF; });
}

bool ContainsAmPm(const QString& format) {
    bool quoted = false;
    for (const QChar c : format) {
        if (c == u'\'') {
            quoted = !quoted;
        } else if (!quoted && (c == u'a' || c == u'A')) {
            return true;
        }
    }
    return false;
}

qsizetype RepeatCount(const QString& format, qsizetype i) {
    qsizetype j = i;
    while (j < format.size() && format[j] == format[i]) {
        ++j;
    }
    return j - i;
}

void AppendPadded(std::string& out, int value, int width) {
    if (width >= 4 && value < 1000) {
        out.append(value < 10 ? "000" : value < 100 ? "00" : "0");
    } else if (width >= 2 && value < 10) {
        out.push_back('0');
    }
    AppendDecimal(out, value);
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

}  // namespace

DateTimePattern::DateTimePattern(const QString& format, const QLocale& locale) {
    for (int i = 1; i <= 7; ++i) {
        dayNamesShort_.push_back(ToSingleByte(locale.dayName(i, QLocale::ShortFormat)));
        dayNamesLong_.push_back(ToSingleByte(locale.dayName(i, QLocale::LongFormat)));
    }
    for (int i = 1; i <= 12; ++i) {
        monthNamesShort_.push_back(ToSingleByte(locale.monthName(i, QLocale::ShortFormat)));
        monthNamesLong_.push_back(ToSingleByte(locale.monthName(i, QLocale::LongFormat)));
    }
    twelveHour_ = ContainsAmPm(format);
    Parse(format, locale);
}

void DateTimePattern::AddLiteral(const std::string& text) {
    if (text.empty()) {
        return;
    }
    if (!tokens_.empty() && tokens_.back().field == Field::Literal) {
        tokens_.back().text += text;
    } else {
        tokens_.push_back({Field::Literal, text});
    }
}

void DateTimePattern::Parse(const QString& format, const QLocale& locale) {
    qsizetype i = 0;
    while (i < format.size()) {
        const QChar c = format[i];
        if (c == u'\'') {
            ++i;
            if (i < format.size() && format[i] == u'\'') {
                AddLiteral("'");
                ++i;
                continue;
            }
            QString quoted;
            while (i < format.size()) {
                if (format[i] == u'\'') {
                    if (i + 1 < format.size() && format[i + 1] == u'\'') {
                        quoted += u'\'';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                quoted += format[i++];
            }
            AddLiteral(ToSingleByte(quoted));
            continue;
        }
        qsizetype repeat = RepeatCount(format, i);
        auto add = [this](Field field) { tokens_.push_back({field, {}}); };
        switch (c.unicode()) {
            case 'd':
                repeat = std::min<qsizetype>(repeat, 4);
                add(repeat == 1   ? Field::Day
                    : repeat == 2 ? Field::Day2
                    : repeat == 3 ? Field::DayNameShort
                                  : Field::DayNameLong);
                break;
            case 'M':
                repeat = std::min<qsizetype>(repeat, 4);
                add(repeat == 1   ? Field::Month
                    : repeat == 2 ? Field::Month2
                    : repeat == 3 ? Field::MonthNameShort
                                  : Field::MonthNameLong);
                break;
            case 'y':
                if (repeat >= 4) {
                    repeat = 4;
                    add(Field::Year4);
                } else if (repeat >= 2) {
                    repeat = 2;
                    add(Field::Year2);
                } else {
                    AddLiteral("y");
                }
                break;
            case 'h':
            case 'H': {
                repeat = std::min<qsizetype>(repeat, 2);
                const bool twelve = c == u'h' && twelveHour_;
                add(twelve ? (repeat == 1 ? Field::Hour12 : Field::Hour12x2)
                           : (repeat == 1 ? Field::Hour24 : Field::Hour24x2));
                break;
            }
            case 'm':
                repeat = std::min<qsizetype>(repeat, 2);
                add(repeat == 1 ? Field::Minute : Field::Minute2);
                break;
            case 's':
                repeat = std::min<qsizetype>(repeat, 2);
                add(repeat == 1 ? Field::Second : Field::Second2);
                break;
            case 'z':
                repeat = repeat >= 3 ? 3 : 1;
                add(repeat == 1 ? Field::Millisecond : Field::Millisecond3);
                break;
            case 'a':
            case 'A': {
                const bool pair = i + 1 < format.size() && format[i + 1].toLower() == u'p';
                repeat = pair ? 2 : 1;
                const bool upper = c == u'A';
                QString am = locale.amText();
                QString pm = locale.pmText();
                // As single bytes, markers outside Latin-1 would both read "?",
                // and 04:00 would not differ from 16:00.
                if (!IsLatin1(am) || !IsLatin1(pm)) {
                    am = QStringLiteral("AM");
                    pm = QStringLiteral("PM");
                }
                am = upper ? am.toUpper() : am.toLower();
                pm = upper ? pm.toUpper() : pm.toLower();
                tokens_.push_back({Field::AmPm, ToSingleByte(am) + '\0' + ToSingleByte(pm)});
                break;
            }
            case 't':
                repeat = 1;
                add(Field::TimeZone);
                break;
            default:
                AddLiteral(ToSingleByte(QString(repeat, c)));
                break;
        }
        i += repeat;
    }
}

DateTimePattern DateTimePattern::WithFourDigitYear() const {
    DateTimePattern copy = *this;
    for (Token& token : copy.tokens_) {
        if (token.field == Field::Year2) {
            token.field = Field::Year4;
        }
    }
    return copy;
}

DateTimePattern DateTimePattern::WithoutTimeZone() const {
    DateTimePattern copy = *this;
    copy.tokens_.clear();
    for (const Token& token : tokens_) {
        if (token.field == Field::Literal) {
            copy.AddLiteral(token.text);
        } else if (token.field != Field::TimeZone) {
            copy.tokens_.push_back(token);
        }
    }
    // A zone written in brackets leaves them empty: drop them with it.
    for (Token& token : copy.tokens_) {
        if (token.field == Field::Literal) {
            for (const char* empty : {"()", "( )", "[]"}) {
                if (auto at = token.text.find(empty); at != std::string::npos) {
                    token.text.erase(at, std::char_traits<char>::length(empty));
                }
            }
        }
    }
    auto& tokens = copy.tokens_;
    if (!tokens.empty() && tokens.back().field == Field::Literal) {
        auto& text = tokens.back().text;
        while (!text.empty() && IsBlank(text.back())) {
            text.pop_back();
        }
    }
    if (!tokens.empty() && tokens.front().field == Field::Literal) {
        auto& text = tokens.front().text;
        text.erase(0, text.find_first_not_of(" \t") == std::string::npos
                          ? text.size()
                          : text.find_first_not_of(" \t"));
    }
    std::erase_if(tokens,
                  [](const Token& t) { return t.field == Field::Literal && t.text.empty(); });
    return copy;
}

bool DateTimePattern::UsesDate() const {
    return std::any_of(tokens_.begin(), tokens_.end(), [](const Token& token) {
        switch (token.field) {
            case Field::Day:
            case Field::Day2:
            case Field::DayNameShort:
            case Field::DayNameLong:
            case Field::Month:
            case Field::Month2:
            case Field::MonthNameShort:
            case Field::MonthNameLong:
            case Field::Year2:
            case Field::Year4:
                return true;
            default:
                return false;
        }
    });
}

void DateTimePattern::Append(std::string& out, const DateTime& dt) const {
    for (const Token& token : tokens_) {
        switch (token.field) {
            case Field::Literal:
                out += token.text;
                break;
            case Field::Day:
                AppendDecimal(out, dt.day);
                break;
            case Field::Day2:
                AppendPadded(out, dt.day, 2);
                break;
            case Field::DayNameShort:
                out += dayNamesShort_[dt.weekday - 1];
                break;
            case Field::DayNameLong:
                out += dayNamesLong_[dt.weekday - 1];
                break;
            case Field::Month:
                AppendDecimal(out, dt.month);
                break;
            case Field::Month2:
                AppendPadded(out, dt.month, 2);
                break;
            case Field::MonthNameShort:
                out += monthNamesShort_[dt.month - 1];
                break;
            case Field::MonthNameLong:
                out += monthNamesLong_[dt.month - 1];
                break;
            case Field::Year2:
                AppendPadded(out, dt.year % 100, 2);
                break;
            case Field::Year4:
                AppendPadded(out, dt.year, 4);
                break;
            case Field::Hour12:
            case Field::Hour12x2: {
                const int hour = dt.hour > 12 ? dt.hour - 12 : dt.hour == 0 ? 12 : dt.hour;
                AppendPadded(out, hour, token.field == Field::Hour12 ? 1 : 2);
                break;
            }
            case Field::Hour24:
                AppendDecimal(out, dt.hour);
                break;
            case Field::Hour24x2:
                AppendPadded(out, dt.hour, 2);
                break;
            case Field::Minute:
                AppendDecimal(out, dt.minute);
                break;
            case Field::Minute2:
                AppendPadded(out, dt.minute, 2);
                break;
            case Field::Second:
                AppendDecimal(out, dt.second);
                break;
            case Field::Second2:
                AppendPadded(out, dt.second, 2);
                break;
            case Field::Millisecond:
                out.push_back('0');
                break;
            case Field::Millisecond3:
                out.append("000");
                break;
            case Field::AmPm: {
                const std::string_view texts = token.text;
                const auto split = texts.find('\0');
                out += dt.hour < 12 ? texts.substr(0, split) : texts.substr(split + 1);
                break;
            }
            case Field::TimeZone:
                out.append("UTC");
                break;
        }
    }
}

}  // namespace orvex
