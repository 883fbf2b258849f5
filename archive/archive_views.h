#pragma once

#include <QStringList>

#include "archive/sql_dialect.h"

namespace orvex {

// The views through which anyone reads the archive with plain SQL: each
// frame's fields decoded from its stored bytes, named, calibrated as the
// report calibrates them, and NULL where the frame ends before the field.
//
//   frames      frame_id, time_utc, own_time, type, type_name, length, bytes
//   receptions  station, log_path, log_id, byte_offset, heard_utc,
//               frame_id, time_utc, type_name
//   telemetry   frame_id, time_utc, unix_time, software_version and the 38
//               channels (battery_0 ... tepr_state; see the table channels)
//   wod         time_utc, unix_time and the ten WOD channels, each distinct
//               sample once
//   hws, sws, topr  frame_id, time_utc, unix_time and the fields the status
//               export names, as SQL names (txc_exciter, wod_channel_1)
//   texts       frame_id, time_utc, type_name, text
//
// A TLM or HWS frame's time is its own; other frames carry none, and have
// the time of the frame before them in the log that first delivered them.
QStringList ArchiveViewStatements(const SqlDialect& dialect);

// The names of the status views' columns after their times, in order: the
// status export's names as SQL names.
QStringList StatusViewColumns(int type);

}  // namespace orvex
