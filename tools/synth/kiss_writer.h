#pragma once

#include <cstdint>
#include <string>

#include "tools/synth/byte_sink.h"
#include "tools/synth/random.h"
#include "tools/synth/synth_frame.h"

namespace orvex::synth {

// Writes frames the way a TNC's KISS log holds them: each between its own
// opening and closing FEND, C0 and DB escaped, a text's line breaks as CR LF,
// and now and then a few stray bytes between two frames (a line end, a
// prompt, noise), none of them a FEND. Output is gathered in large blocks.
class KissWriter {
public:
    KissWriter(ByteSink& sink, std::uint64_t seed);
    ~KissWriter() { Flush(); }
    KissWriter(const KissWriter&) = delete;
    KissWriter& operator=(const KissWriter&) = delete;

    void Write(const SynthFrame& frame);
    void Flush();
    std::uint64_t BytesWritten() const { return flushed_ + buffer_.size(); }

private:
    void WriteStrayBytes();

    ByteSink& sink_;
    Random random_;
    std::string buffer_;
    std::uint64_t flushed_ = 0;
};

}  // namespace orvex::synth
