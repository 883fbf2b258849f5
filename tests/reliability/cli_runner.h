#pragma once

#include <QLocale>

#include <sstream>
#include <string>
#include <vector>

#include "cli/decode_command.h"
#include "text/locale_format.h"

namespace orvex::test {

// What one orvex-decode run printed and returned.
struct CliResult {
    int code = -1;
    std::string out;
    std::string err;
};

inline CliResult RunCli(const std::vector<std::string>& args) {
    const LocaleFormat format(QLocale(QStringLiteral("en_GB")));
    std::ostringstream out, err;
    CliResult result;
    result.code = RunDecodeCommand(args, format, out, err, /*showProgress=*/false);
    result.out = out.str();
    result.err = err.str();
    return result;
}

}  // namespace orvex::test
