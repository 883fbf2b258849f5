#include "share/server_answer.h"

#include <algorithm>

namespace orvex {
namespace {

// Of a refusal's body, what fits a message: the server's reason, in a line.
constexpr std::size_t kLongestBodyShown = 200;

std::string BodyLine(const std::string& body) {
    std::string line;
    for (const char c : body) {
        const bool blank = c == ' ' || c == '\t' || c == '\r' || c == '\n';
        if (blank) {
            if (!line.empty() && line.back() != ' ') {
                line += ' ';
            }
        } else if (static_cast<unsigned char>(c) < ' ' || c == '\x7f') {
            return {};  // not text
        } else {
            line += c;
        }
        if (line.size() > kLongestBodyShown) {
            line.resize(kLongestBodyShown);
            return line + "...";
        }
    }
    while (!line.empty() && line.back() == ' ') {
        line.pop_back();
    }
    return line;
}

}  // namespace

ServerAnswer AnswerFrom(int status, const std::string& reason, const std::string& failure,
                        const std::string& body) {
    if (status == 0) {
        return {ServerAnswer::Kind::TryAgain, failure};
    }
    std::string text = std::to_string(status);
    if (!reason.empty()) {
        text += ' ' + reason;
    }
    if (status >= 200 && status < 300) {
        return {ServerAnswer::Kind::Taken, text};
    }
    if (status >= 500 || status == 408 || status == 429) {
        return {ServerAnswer::Kind::TryAgain, text};
    }
    if (const std::string line = BodyLine(body); !line.empty()) {
        text += ": " + line;
    }
    return {ServerAnswer::Kind::Refused, text};
}

}  // namespace orvex
