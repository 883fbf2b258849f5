#pragma once

#include <string>

namespace orvex {
class LocaleFormat;
}

namespace orvex::test {

// A generated log of every frame type whose load in the window takes a few
// seconds.
const std::string& LongLog();
// A shorter one, and its report's blocks as a whole load writes them in the
// en_GB locale.
const std::string& MidLoadLog();
const std::string& MidLoadReportBlocks();

// What follows the header of a report: its blocks.
std::string ReportBlocks(const std::string& report);
// The blocks of the report a whole load of `log`, in a fresh program run
// with both outputs on, writes.
std::string WholeReportBlocks(const std::string& log, const LocaleFormat& format);
// Whether `partial` is `whole` up to the end of one of its blocks.
bool EndsAtABlockOf(const std::string& partial, const std::string& whole);

}  // namespace orvex::test
