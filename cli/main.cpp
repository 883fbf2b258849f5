// orvex-decode: the window's load of a log, without the window.
#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "cli/decode_command.h"
#include "text/locale_format.h"

int main(int argc, char* argv[]) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
    const orvex::LocaleFormat format = orvex::LocaleFormat::FromSystem();
    return orvex::RunDecodeCommand(args, format, std::cout, std::cerr, ::isatty(2) == 1);
}
