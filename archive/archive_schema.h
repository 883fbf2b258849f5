#pragma once

#include <QStringList>

namespace orvex {

// The archive's tables, version 3. Frames are stored in blocks, one row per
// block a load wrote: the frames the archive did not hold before, packed
// (see FrameBlock), their digests, and every hearing of the block that was
// new, each pointing at the frame it heard, in this block or an earlier
// one. A frame's decoded values are its bytes read by the decoder again;
// the chart's history is kept beside them as each channel's lowest and
// highest value per hour. Written for both engines: BLOB_TYPE and
// SERIAL_KEY stand for what differs.
//
//   logs        one row per station's log
//   blocks      the log that wrote it; its frames' earliest and latest
//               time; frame_count frames with their digests; hearing_count
//               hearings (byte offset in the log, frame)
//   tlm_hourly  hour (seconds since 1970 / 3600), c00_low, c00_high ...
//               c37_low, c37_high
QStringList ArchiveSchemaStatements();

}  // namespace orvex
