#include "tests/gui/long_load.h"

#include <QLocale>

#include "kiss/log_source.h"
#include "load/log_load.h"
#include "outputs/output_names.h"
#include "tests/support/generated_log.h"
#include "tests/support/temp_folder.h"
#include "text/locale_format.h"

namespace orvex::test {

const std::string& LongLog() {
    static const std::string kLog =
        synth::test::GenerateLog(std::vector<std::string>{"--seed", "4", "--size", "32M"});
    return kLog;
}

const std::string& MidLoadLog() {
    static const std::string kLog =
        synth::test::GenerateLog(std::vector<std::string>{"--seed", "5", "--size", "1M"});
    return kLog;
}

const std::string& MidLoadReportBlocks() {
    static const std::string kBlocks = WholeReportBlocks(
        MidLoadLog(), LocaleFormat(QLocale(QLocale::English, QLocale::UnitedKingdom)));
    return kBlocks;
}

std::string ReportBlocks(const std::string& report) {
    // The header ends with the WOD export's last column and an empty line.
    const std::string headerEnd = "Batt #5 Temp   \r\n\r\n";
    const std::size_t end = report.find(headerEnd);
    return end == std::string::npos ? std::string() : report.substr(end + headerEnd.size());
}

std::string WholeReportBlocks(const std::string& log, const LocaleFormat& format) {
    const TempFolder folder;
    const std::string path = folder.Write("whole.kss", log);
    const OutputOptions options;
    const LoadContext context(format, options);
    Frame frame;
    LogLoad load(path, context, frame);
    MemoryLogSource source(log);
    load.Run(source, {}, nullptr);
    return ReportBlocks(ReadFile(NameBesideLog(path, kReportExtension)));
}

bool EndsAtABlockOf(const std::string& partial, const std::string& whole) {
    const bool prefix = whole.compare(0, partial.size(), partial) == 0;
    const bool atBlockEnd = partial.empty() || partial.ends_with("\r\n\r\n");
    const bool nextIsABlock = partial.size() == whole.size() || whole[partial.size()] == '[';
    return prefix && atBlockEnd && nextIsABlock;
}

}  // namespace orvex::test
