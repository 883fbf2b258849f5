#pragma once

#include <string>
#include <vector>

#include "tools/synth/synth_options.h"

namespace orvex::synth::test {

// Options as the command line gives them; fails the test on a parse error.
SynthOptions OptionsFrom(const std::vector<std::string>& args);

// The log the options describe, in memory.
std::string GenerateLog(const SynthOptions& options);
std::string GenerateLog(const std::vector<std::string>& args);

// Every frame that the decoder's KISS reader finds in a log, as the bytes at
// offsets 0..length-1.
std::vector<std::string> FramesOf(const std::string& log);

// Offset 6 of a frame read back.
inline int TypeOf(const std::string& frame) {
    return static_cast<unsigned char>(frame[6]);
}

}  // namespace orvex::synth::test
