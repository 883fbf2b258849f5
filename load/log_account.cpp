#include "load/log_account.h"

#include <algorithm>

namespace orvex {

std::array<LogAccountItem, 7> LogAccountItems(const LogAccount& account) {
    return {{
        {"bytes_outside_frames", account.bytesOutsideFrames, "byte outside frames",
         "bytes outside frames"},
        {"frames_too_short", account.framesTooShort, "frame shorter than 7 bytes",
         "frames shorter than 7 bytes"},
        {"frames_cut_at_512", account.framesCut, "frame cut at 512 bytes",
         "frames cut at 512 bytes"},
        {"frames_non_data_command", account.framesNotData, "frame with a non-data KISS command",
         "frames with a non-data KISS command"},
        {"frames_unknown_type", account.framesUnknownType, "frame of unknown type",
         "frames of unknown type"},
        {"lf_dropped_after_cr", account.lineFeedsDropped, "LF dropped after a CR",
         "LFs dropped after a CR"},
        {"dangling_escapes", account.danglingEscapes, "dangling escape", "dangling escapes"},
    }};
}

bool LogAccount::Any() const {
    const auto items = LogAccountItems(*this);
    return std::any_of(items.begin(), items.end(),
                       [](const LogAccountItem& item) { return item.count != 0; });
}

std::vector<std::string> LogAccountTexts(const LogAccount& account) {
    std::vector<std::string> texts;
    for (const LogAccountItem& item : LogAccountItems(account)) {
        if (item.count != 0) {
            texts.push_back(std::to_string(item.count) + ' ' +
                            std::string(item.count == 1 ? item.one : item.many));
        }
    }
    return texts;
}

}  // namespace orvex
