#include "text/iso_time.h"

#include "text/unix_time.h"

namespace orvex {
namespace {

void AppendDigits(std::string& out, int value, int width) {
    char digits[4];
    for (int i = width - 1; i >= 0; --i) {
        digits[i] = static_cast<char>('0' + value % 10);
        value /= 10;
    }
    out.append(digits, static_cast<std::size_t>(width));
}

}  // namespace

// Written digit by digit rather than through QDateTime or a stream: the data
// export writes one for every TLM and WOD row, millions on a long log, and
// these take a few nanoseconds against a microsecond.
void AppendIsoUtc(std::string& out, std::uint32_t seconds) {
    const DateTime date = *UnixTimeToDate(seconds);
    AppendDigits(out, date.year, 4);
    out.push_back('-');
    AppendDigits(out, date.month, 2);
    out.push_back('-');
    AppendDigits(out, date.day, 2);
    out.push_back('T');
    AppendDigits(out, date.hour, 2);
    out.push_back(':');
    AppendDigits(out, date.minute, 2);
    out.push_back(':');
    AppendDigits(out, date.second, 2);
    out.push_back('Z');
}

}  // namespace orvex
