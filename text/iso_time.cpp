#include "text/iso_time.h"

#include <cstring>

#include "text/unix_time.h"

namespace orvex {
namespace {

constexpr std::uint32_t kSecondsPerDay = 86400;

void AppendDigits(std::string& out, int value, int width) {
    char digits[4];
    for (int i = width - 1; i >= 0; --i) {
        digits[i] = static_cast<char>('0' + value % 10);
        value /= 10;
    }
    out.append(digits, static_cast<std::size_t>(width));
}

// "2026-03-01T" of the day, kept while a log's times stay on it.
struct DayText {
    std::uint32_t day = kSecondsPerDay;  // none yet
    char text[11] = {};
};

}  // namespace

// Written digit by digit, the date part kept for the day, rather than through
// QDateTime or a stream: the data export writes two for every TLM row and one
// for every WOD and frame row, millions on a long log, and QDateTime's text
// costs far more (bench/README.md).
void AppendIsoUtc(std::string& out, std::uint32_t seconds) {
    thread_local DayText date;
    const std::uint32_t day = seconds / kSecondsPerDay;
    if (day != date.day) {
        const DateTime calendar = *UnixTimeToDate(seconds);
        std::string text;
        AppendDigits(text, calendar.year, 4);
        text.push_back('-');
        AppendDigits(text, calendar.month, 2);
        text.push_back('-');
        AppendDigits(text, calendar.day, 2);
        text.push_back('T');
        std::memcpy(date.text, text.data(), sizeof date.text);
        date.day = day;
    }
    const std::uint32_t secondOfDay = seconds % kSecondsPerDay;
    const std::uint32_t hour = secondOfDay / 3600, minute = secondOfDay / 60 % 60,
                        second = secondOfDay % 60;
    const char time[] = {
        static_cast<char>('0' + hour / 10),   static_cast<char>('0' + hour % 10),   ':',
        static_cast<char>('0' + minute / 10), static_cast<char>('0' + minute % 10), ':',
        static_cast<char>('0' + second / 10), static_cast<char>('0' + second % 10), 'Z',
    };
    out.append(date.text, sizeof date.text);
    out.append(time, sizeof time);
}

}  // namespace orvex
