// orvex-synth: realistic KISS logs of the Orvex satellite, for tests and
// benchmarks.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "tools/synth/log_generator.h"

namespace {

int Fail(const std::string& message) {
    std::cerr << "orvex-synth: " << message << '\n';
    return 1;
}

}  // namespace

int main(int argc, char* argv[]) {
    using namespace orvex::synth;
    SynthOptions options;
    std::string error;
    switch (ParseSynthOptions({argv + 1, argv + argc}, options, error)) {
        case ParseOutcome::Help:
            PrintSynthUsage(std::cout);
            return 0;
        case ParseOutcome::Version:
            std::cout << "orvex-synth " ORVEX_VERSION "\n";
            return 0;
        case ParseOutcome::Error:
            std::cerr << "orvex-synth: " << error << '\n';
            PrintSynthUsage(std::cerr);
            return 2;
        case ParseOutcome::Run:
            break;
    }
    std::FILE* file = options.output.empty() ? stdout : std::fopen(options.output.c_str(), "wb");
    if (file == nullptr) {
        return Fail(options.output + ": " + std::strerror(errno));
    }
    FileSink sink(file);
    const LogSummary summary = WriteLog(options, sink);
    const bool closed = std::fclose(file) == 0;
    if (sink.Failed() || !closed) {
        return Fail("could not write " + (options.output.empty() ? "output" : options.output));
    }
    if (!options.output.empty()) {
        std::cerr << options.output << ": " << summary.frames << " frames, " << summary.bytes
                  << " bytes\n";
    }
    return 0;
}
