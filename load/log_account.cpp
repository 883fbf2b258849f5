#include "load/log_account.h"

#include <array>
#include <string_view>

namespace orvex {
namespace {

struct CountText {
    std::uint64_t LogAccount::*count;
    std::string_view one;
    std::string_view many;
};

constexpr std::array<CountText, 7> kTexts = {{
    {&LogAccount::bytesOutsideFrames, "byte outside frames", "bytes outside frames"},
    {&LogAccount::framesTooShort, "frame shorter than 7 bytes", "frames shorter than 7 bytes"},
    {&LogAccount::framesCut, "frame cut at 512 bytes", "frames cut at 512 bytes"},
    {&LogAccount::framesNotData, "frame with a non-data KISS command",
     "frames with a non-data KISS command"},
    {&LogAccount::framesUnknownType, "frame of unknown type", "frames of unknown type"},
    {&LogAccount::lineFeedsDropped, "LF dropped after a CR", "LFs dropped after a CR"},
    {&LogAccount::danglingEscapes, "dangling escape", "dangling escapes"},
}};

}  // namespace

bool LogAccount::Any() const {
    for (const CountText& text : kTexts) {
        if (this->*text.count != 0) {
            return true;
        }
    }
    return false;
}

std::vector<std::string> LogAccountTexts(const LogAccount& account) {
    std::vector<std::string> texts;
    for (const CountText& text : kTexts) {
        const std::uint64_t count = account.*text.count;
        if (count != 0) {
            texts.push_back(std::to_string(count) + ' ' +
                            std::string(count == 1 ? text.one : text.many));
        }
    }
    return texts;
}

}  // namespace orvex
