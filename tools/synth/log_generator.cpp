#include "tools/synth/log_generator.h"

#include <limits>

#include "tools/synth/frame_stream.h"
#include "tools/synth/kiss_writer.h"

namespace orvex::synth {

LogSummary WriteLog(const SynthOptions& options, ByteSink& sink) {
    constexpr std::uint64_t kNoLimit = std::numeric_limits<std::uint64_t>::max();
    const bool limited = options.bytes || options.frames || options.passes;
    const std::uint64_t passLimit = options.passes.value_or(limited ? kNoLimit : 1);
    const std::uint64_t frameLimit = options.frames.value_or(kNoLimit);
    const std::uint64_t byteLimit = options.bytes.value_or(kNoLimit);

    FrameStream stream(options.seed, options.start, options.mix);
    KissWriter writer(sink, options.seed);
    SynthFrame frame;
    LogSummary summary;
    while (summary.frames < frameLimit && writer.BytesWritten() < byteLimit && stream.Next(frame) &&
           frame.pass < passLimit) {
        writer.Write(frame);
        ++summary.frames;
    }
    writer.Flush();
    summary.bytes = writer.BytesWritten();
    return summary;
}

}  // namespace orvex::synth
