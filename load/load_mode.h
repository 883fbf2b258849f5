#pragma once

namespace orvex {

// What a load reads, which decides how its outputs are written and what a
// stop means.
enum class LoadMode {
    // A log on disk. A stop ends the load at the next frame: the report is
    // whole up to its last block; the WOD export and the data files are not
    // written, as the log was not read to its end.
    Log,
    // A live stream, recorded as it arrives. Its report reaches the disk block
    // by block, so that it can be followed while it grows, and each frame the
    // archive as it arrives. A stop ends the stream as its sender closing it
    // would: the source ends it, every byte recorded is decoded and every
    // output finished.
    Stream,
};

}  // namespace orvex
