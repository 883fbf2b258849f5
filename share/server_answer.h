#pragma once

#include <string>

namespace orvex {

// What became of one frame posted to a server.
struct ServerAnswer {
    enum class Kind {
        Taken,     // a 2xx answer
        TryAgain,  // no answer (refused, timed out, ...), a 5xx, 408 or 429: later, it may
        Refused,   // any other answer: a fault of the frame or of the settings
    };
    Kind kind = Kind::TryAgain;
    std::string text;  // "503 Service Unavailable", "Connection refused"
};

// The answer of HTTP status `status` with its reason phrase and the start of
// its body; a status of 0 is no answer at all, for the reason `failure`.
// 408 (time-out) and 429 (too many requests) are 4xx answers that ask for the
// frame again later: setting it aside would lose it for the server's load.
ServerAnswer AnswerFrom(int status, const std::string& reason, const std::string& failure,
                        const std::string& body);

}  // namespace orvex
