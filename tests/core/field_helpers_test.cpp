#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "frames/frame_text.h"
#include "text/digits.h"
#include "text/unix_time.h"

namespace orvex {
namespace {

TEST(HexByte, TwoUpperCaseDigits) {
    EXPECT_EQ(HexByte(0), "00");
    EXPECT_EQ(HexByte(10), "0A");
    EXPECT_EQ(HexByte(15), "0F");
    EXPECT_EQ(HexByte(16), "10");
    EXPECT_EQ(HexByte(171), "AB");
    EXPECT_EQ(HexByte(255), "FF");
}

TEST(FrameTexts, RunFromTheOffsetToTheFramesLastByte) {
    Frame frame;
    frame.bytes = {0xC0, 0, 0, 0, 0, 0, 5, 0x01, 0xAB, 0xFF, 0x77};
    frame.length = 10;
    std::string hex;
    AppendFrameHexFrom(hex, frame, 7);
    EXPECT_EQ(hex, "01 AB FF ");
    EXPECT_EQ(FrameTextFrom(frame, 7), "\x01\xAB\xFF");

    frame.length = 7;
    hex.clear();
    AppendFrameHexFrom(hex, frame, 7);
    EXPECT_EQ(hex, "");
    EXPECT_EQ(FrameTextFrom(frame, 7), "");
    frame.length = 3;
    EXPECT_EQ(FrameTextFrom(frame, 7), "");
}

TEST(NumberForms, PrintNumberAndHashPattern) {
    std::string text;
    AppendPrintNumber(text, 12);
    AppendPrintNumber(text, 3);
    EXPECT_EQ(text, " 12  3 ");
    text.clear();
    AppendPrintNumber(text, 65535);
    EXPECT_EQ(text, " 65535 ");

    text.clear();
    AppendHashPattern(text, 0);
    EXPECT_EQ(text, "");
    AppendHashPattern(text, 123);
    EXPECT_EQ(text, "123");
}

DateTime At(int year, int month, int day, int hour, int minute, int second) {
    DateTime dt;
    dt.year = year;
    dt.month = month;
    dt.day = day;
    dt.hour = hour;
    dt.minute = minute;
    dt.second = second;
    return dt;
}

void ExpectDate(double seconds, const DateTime& expected) {
    const DateValue date = UnixTimeToDate(seconds);
    ASSERT_TRUE(date.has_value()) << seconds;
    EXPECT_EQ(std::tie(date->year, date->month, date->day, date->hour, date->minute, date->second),
              std::tie(expected.year, expected.month, expected.day, expected.hour, expected.minute,
                       expected.second))
        << seconds;
}

TEST(UnixTimeToDate, CalendarDates) {
    ExpectDate(0, At(1970, 1, 1, 0, 0, 0));
    ExpectDate(86399, At(1970, 1, 1, 23, 59, 59));
    ExpectDate(86400, At(1970, 1, 2, 0, 0, 0));
    ExpectDate(951782400, At(2000, 2, 29, 0, 0, 0));  // a leap day of a century year
    ExpectDate(1796652185, At(2026, 12, 7, 14, 3, 5));
    ExpectDate(2147483647, At(2038, 1, 19, 3, 14, 7));
    ExpectDate(2147483648.0, At(2038, 1, 19, 3, 14, 8));
    ExpectDate(4294967295.0, At(2106, 2, 7, 6, 28, 15));
}

TEST(UnixTimeToDate, WeekdayAndMidnight) {
    EXPECT_EQ(UnixTimeToDate(0)->weekday, 4);           // Thursday
    EXPECT_EQ(UnixTimeToDate(1796652185)->weekday, 1);  // Monday
    EXPECT_TRUE(UnixTimeToDate(86400)->IsMidnight());
    EXPECT_FALSE(UnixTimeToDate(86401)->IsMidnight());
}

TEST(UnixTimeToDate, EveryUnsignedTimestampGivesADate) {
    for (double t = 0; t <= 4294967295.0; t += 9999991.0) {
        EXPECT_TRUE(UnixTimeToDate(t).has_value()) << t;
    }
}

TEST(UnixTimeToDate, OutOfRangeGivesTheEmptyValue) {
    EXPECT_FALSE(UnixTimeToDate(1e300).has_value());
    EXPECT_FALSE(UnixTimeToDate(-1e300).has_value());
    EXPECT_FALSE(UnixTimeToDate(std::nan("")).has_value());
}

}  // namespace
}  // namespace orvex
