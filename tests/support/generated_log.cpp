#include "tests/support/generated_log.h"

#include <gtest/gtest.h>

#include "kiss/kiss_reader.h"
#include "tools/synth/log_generator.h"

namespace orvex::synth::test {

SynthOptions OptionsFrom(const std::vector<std::string>& args) {
    SynthOptions options;
    std::string error;
    EXPECT_EQ(ParseSynthOptions(args, options, error), ParseOutcome::Run) << error;
    return options;
}

std::string GenerateLog(const SynthOptions& options) {
    StringSink sink;
    WriteLog(options, sink);
    return sink.Bytes();
}

std::string GenerateLog(const std::vector<std::string>& args) {
    return GenerateLog(OptionsFrom(args));
}

std::vector<std::string> FramesOf(const std::string& log) {
    MemoryLogSource source(log);
    KissReader reader(source);
    Frame frame;
    std::vector<std::string> frames;
    while (reader.ReadNextFrame(frame)) {
        frames.emplace_back(reinterpret_cast<const char*>(frame.bytes.data()), frame.length);
    }
    return frames;
}

}  // namespace orvex::synth::test
