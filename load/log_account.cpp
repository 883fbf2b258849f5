#include "load/log_account.h"

#include <algorithm>
#include <cctype>
#include <iterator>

namespace orvex {
namespace {

// The names of the count of a type's frames short for it: "tlm_frames_short_for_type",
// "TLM frame short for its type", "TLM frames short for their type".
struct ShortForTypeNames {
    std::uint8_t type = 0;
    std::string key, one, many;
};

// The types whose frames can be short: those with fields past the header.
const std::vector<ShortForTypeNames>& ShortForTypeItems() {
    static const std::vector<ShortForTypeNames> kItems = [] {
        std::vector<ShortForTypeNames> items;
        for (std::uint8_t type = 1; type <= layout::kTypeCount; ++type) {
            const FrameTypeInfo* info = FindFrameType(type);
            if (info->length <= layout::kHeaderLength) {
                continue;
            }
            const std::string name(info->name);
            std::string key;
            std::transform(name.begin(), name.end(), std::back_inserter(key), [](char c) {
                return c == ' ' ? '_' : static_cast<char>(std::tolower(c));
            });
            items.push_back({type, key + "_frames_short_for_type",
                             name + " frame short for its type",
                             name + " frames short for their type"});
        }
        return items;
    }();
    return kItems;
}

}  // namespace

void LogAccount::Count(const Frame& frame, FrameOutcome outcome) {
    switch (outcome) {
        case FrameOutcome::Decoded:
            switch (FillOf(frame)) {
                case FrameFill::Whole:
                    break;
                case FrameFill::ShortForType:
                    ++framesShortForType[frame[layout::kType]];
                    break;
                case FrameFill::CutAtEnd:
                    ++framesCutAtEnd;
                    break;
            }
            break;
        case FrameOutcome::TooShort:
            ++framesTooShort;
            break;
        case FrameOutcome::NotData:
            ++framesNotData;
            break;
        case FrameOutcome::UnknownType:
            ++framesUnknownType;
            break;
        case FrameOutcome::ReceptionTime:
            break;  // a gr-satellites timestamp: no fault of the log
    }
}

std::vector<LogAccountItem> LogAccountItems(const LogAccount& account) {
    std::vector<LogAccountItem> items = {
        {"bytes_outside_frames", account.read.bytesOutsideFrames, "byte outside frames",
         "bytes outside frames"},
        {"frames_too_short", account.framesTooShort, "frame shorter than 7 bytes",
         "frames shorter than 7 bytes"},
        {"frames_cut_at_512", account.read.framesCut, "frame cut at 512 bytes",
         "frames cut at 512 bytes"},
        {"frames_non_data_command", account.framesNotData, "frame with a non-data KISS command",
         "frames with a non-data KISS command"},
        {"frames_unknown_type", account.framesUnknownType, "frame of unknown type",
         "frames of unknown type"},
        {"lf_dropped_after_cr", account.read.lineFeedsDropped, "LF dropped after a CR",
         "LFs dropped after a CR"},
        {"dangling_escapes", account.read.danglingEscapes, "dangling escape", "dangling escapes"},
    };
    for (const ShortForTypeNames& names : ShortForTypeItems()) {
        items.push_back({names.key, account.framesShortForType[names.type], names.one, names.many});
    }
    items.push_back({"frames_cut_at_end_of_log", account.framesCutAtEnd,
                     "frame cut at the end of the log", "frames cut at the end of the log"});
    items.push_back({"frames_opening_fend_shared_or_lost",
                     account.read.framesOpeningFendSharedOrLost,
                     "frame with its opening FEND shared or lost",
                     "frames with their opening FEND shared or lost"});
    return items;
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
