#include "cli/summary_text.h"

#include <optional>
#include <ostream>

#include "cli/summary_json.h"

namespace orvex {
namespace {

// "  12 bytes outside frames, 1 frame cut at 512 bytes"
void PrintAccount(std::ostream& out, const LogAccount& account) {
    if (!account.Any()) {
        return;
    }
    const char* separator = "  ";
    for (const std::string& text : LogAccountTexts(account)) {
        out << separator << text;
        separator = ", ";
    }
    out << '\n';
}

// "  archive: 1200 frames, 800 new, 1200 new hearings"
void PrintArchived(std::ostream& out, const std::optional<ArchiveCounts>& archived) {
    if (archived) {
        out << "  archive: " << archived->frames << " frames, " << archived->newFrames << " new, "
            << archived->newReceptions << " new hearings\n";
    }
}

}  // namespace

void PrintLogSummary(std::ostream& out, const std::string& path, const LoadOutcome& outcome,
                     bool json) {
    if (json) {
        out << SummaryJson(path, outcome) << '\n';
    } else {
        out << path << ": " << outcome.framesRead << " frames read, " << outcome.framesDecoded
            << " decoded, " << outcome.records << " TLM records, " << outcome.wodRows
            << " WOD rows";
        if (outcome.wodRowsExported) {
            out << " (" << *outcome.wodRowsExported << " distinct)";
        }
        out << '\n';
        PrintAccount(out, outcome.account);
        PrintArchived(out, outcome.archived);
    }
}

}  // namespace orvex
