#include "text/locale_format.h"

#include "text/date_time_pattern.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QLocale>
#include <QTimeZone>

#include <cmath>

#include "telemetry/calibration.h"

namespace orvex {
namespace {

LocaleFormat In(const char* name) {
    return LocaleFormat(QLocale(QString::fromLatin1(name)));
}

const DateValue kAfternoon = UnixTimeToDate(1796652185);  // 2026-12-07 14:03:05
const DateValue kMidnight = UnixTimeToDate(1796601600);   // 2026-12-07 00:00:00

TEST(DateTimeText, ShortDateWithFourDigitYearAndLongTimeWithoutZone) {
    EXPECT_EQ(In("en_GB").DateTimeText(kAfternoon), "07/12/2026 14:03:05");
    EXPECT_EQ(In("de_DE").DateTimeText(kAfternoon), "07.12.2026 14:03:05");
    EXPECT_EQ(In("en_US").DateTimeText(kAfternoon), "12/7/2026 2:03:05 PM");
    EXPECT_EQ(In("C").DateTimeText(kAfternoon), "7 Dec 2026 14:03:05");
}

TEST(DateTimeText, DateAloneAtMidnightAndNothingForTheEmptyValue) {
    EXPECT_EQ(In("en_GB").DateTimeText(kMidnight), "07/12/2026");
    EXPECT_EQ(In("en_GB").DateTimeText(UnixTimeToDate(0)), "01/01/1970");
    EXPECT_EQ(In("en_GB").DateTimeText(std::nullopt), "");
}

TEST(DateText, TheShortDateAlone) {
    EXPECT_EQ(In("en_GB").DateText(*kAfternoon), "07/12/2026");
    EXPECT_EQ(In("de_DE").DateText(*kAfternoon), "07.12.2026");
}

TEST(DateTimeText, TwelveHourClockAroundNoonAndMidnight) {
    const LocaleFormat us = In("en_US");
    EXPECT_EQ(us.DateTimeText(UnixTimeToDate(1796601600 + 30)), "12/7/2026 12:00:30 AM");
    EXPECT_EQ(us.DateTimeText(UnixTimeToDate(1796601600 + 12 * 3600)), "12/7/2026 12:00:00 PM");
}

TEST(DateTimeText, AmPmMarkersOutsideLatin1AreWrittenAmAndPm) {
    const DateValue early = UnixTimeToDate(1796601600 + 4 * 3600);  // 04:00:00
    const DateValue late = UnixTimeToDate(1796601600 + 16 * 3600);  // 16:00:00
    EXPECT_EQ(In("el_GR").DateTimeText(early), "7/12/2026 4:00:00 AM");
    EXPECT_EQ(In("el_GR").DateTimeText(late), "7/12/2026 4:00:00 PM");
    EXPECT_EQ(In("ar_EG").DateTimeText(early), "7?/12?/2026 4:00:00 AM");
    EXPECT_EQ(In("ar_EG").DateTimeText(late), "7?/12?/2026 4:00:00 PM");
    EXPECT_EQ(In("ko_KR").DateTimeText(late), "2026. 12. 7. PM 4? 0? 0?");
}

TEST(DateTimeText, CachedDateFollowsTheDay) {
    const LocaleFormat gb = In("en_GB");
    EXPECT_EQ(gb.DateTimeText(kAfternoon), "07/12/2026 14:03:05");
    EXPECT_EQ(gb.DateTimeText(UnixTimeToDate(1796652185 + 86400)), "08/12/2026 14:03:05");
    EXPECT_EQ(gb.DateTimeText(kAfternoon), "07/12/2026 14:03:05");
}

bool IsLatin1(const QString& text) {
    return QString::fromLatin1(text.toLatin1()) == text;
}

// The compiled patterns write what Qt writes, in every locale whose texts
// use Latin digits and fit in single bytes (am/pm markers included: those
// that do not are written AM and PM).
TEST(DateTimePattern, AgreesWithQtInEveryLocale) {
    const QList<QLocale> locales =
        QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory);
    int compared = 0;
    for (const QLocale& locale : locales) {
        if (locale.zeroDigit() != QLatin1String("0") || !IsLatin1(locale.amText()) ||
            !IsLatin1(locale.pmText())) {
            continue;
        }
        for (const QString& format :
             {locale.dateFormat(QLocale::ShortFormat), locale.dateFormat(QLocale::LongFormat),
              locale.timeFormat(QLocale::LongFormat), locale.timeFormat(QLocale::ShortFormat)}) {
            const DateTimePattern pattern(format, locale);
            for (const qint64 t : {1796652185LL, 1000000000LL, 4294967295LL, 1796644800LL}) {
                const QString expected =
                    locale.toString(QDateTime::fromSecsSinceEpoch(t, QTimeZone::utc()), format);
                if (!IsLatin1(expected)) {
                    continue;
                }
                std::string ours;
                pattern.Append(ours, *UnixTimeToDate(static_cast<double>(t)));
                ASSERT_EQ(ours, expected.toLatin1().toStdString())
                    << locale.name().toStdString() << " " << format.toStdString();
                ++compared;
            }
        }
    }
    EXPECT_GT(compared, 1000);
}

TEST(DateTimePattern, ZoneAndItsBlanksAndBracketsRemoved) {
    const QLocale c = QLocale::c();
    const DateTime dt = *kAfternoon;
    for (const char* format : {"HH:mm:ss t", "t HH:mm:ss", "HH:mm:ss (t)", "h:mm:ss AP t"}) {
        std::string text;
        DateTimePattern(QString::fromLatin1(format), c).WithoutTimeZone().Append(text, dt);
        EXPECT_EQ(text.find("UTC"), std::string::npos) << format;
        EXPECT_NE(text.back(), ' ') << format;
        EXPECT_NE(text.front(), ' ') << format;
        EXPECT_EQ(text.find('('), std::string::npos) << format;
    }
}

TEST(TimeOfDayText, TwoDigitsAndTheLocalesSeparator) {
    EXPECT_EQ(In("en_GB").TimeOfDayText(*kAfternoon), "14:03:05");
    EXPECT_EQ(In("en_US").TimeOfDayText(*kAfternoon), "14:03:05");
    EXPECT_EQ(In("en_GB").TimeOfDayText(*UnixTimeToDate(0)), "00:00:00");
    EXPECT_EQ(In("fi_FI").TimeOfDayText(*kAfternoon), "14.03.05");
}

TEST(FixedText, PatternsWithTheLocalesSeparatorAndNoGrouping) {
    EXPECT_EQ(In("en_GB").FixedText(1303.576867, 3), "1303.577");
    EXPECT_EQ(In("de_DE").FixedText(1303.576867, 3), "1303,577");
    EXPECT_EQ(In("en_US").FixedText(12345678.5, 2), "12345678.50");
    EXPECT_EQ(In("en_GB").FixedText(-8.5766634, 3), "-8.577");
    EXPECT_EQ(In("en_GB").FixedText(0.837517, 3), "0.838");
    EXPECT_EQ(In("en_GB").FixedText(0, 3), "0.000");
    EXPECT_EQ(In("en_GB").FixedText(7, 2), "7.00");
}

TEST(FixedText, ExactTiesRoundAwayFromZero) {
    const LocaleFormat gb = In("en_GB");
    EXPECT_EQ(gb.FixedText(3.8125, 3), "3.813");  // 5 Volts Bus, raw 5
    EXPECT_EQ(gb.FixedText(-3.8125, 3), "-3.813");
    EXPECT_EQ(gb.FixedText(0.125, 2), "0.13");
    EXPECT_EQ(gb.FixedText(2.375, 2), "2.38");
    EXPECT_EQ(gb.FixedText(0.0625, 3), "0.063");
    // Not ties: the nearest doubles of 2.675 and 1.0005 lie below them.
    EXPECT_EQ(gb.FixedText(2.675, 2), "2.67");
    EXPECT_EQ(gb.FixedText(1.0005, 3), "1.000");
}

// Every value a calibration can give is written as Qt writes it, which rounds
// half away from zero on the exact binary value.
TEST(FixedText, AgreesWithQtForEveryCalibratedValue) {
    const QLocale c = QLocale::c();
    const LocaleFormat ours(c);
    const auto& table = CalibrationTable();
    for (int channel = 0; channel < kChannelCount; ++channel) {
        for (int raw = 0; raw < 256; ++raw) {
            const double value = table[channel][raw];
            for (const int decimals : {2, 3}) {
                ASSERT_EQ(ours.FixedText(value, decimals),
                          c.toString(value, 'f', decimals).toStdString())
                    << "channel " << channel << " raw " << raw;
            }
        }
    }
}

}  // namespace
}  // namespace orvex
