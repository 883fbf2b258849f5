#pragma once

#include <QStringList>

namespace orvex {

class ArchiveDatabase;

// The archive's tables, version 5, the same on both engines; the views
// (archive_views.h) read them. A frame is stored once, found by the digest of
// its bytes, with its time and its first hearing; every further hearing of it
// is a reception. What is derived from the bytes is kept beside them only
// where SQL could not give it quickly: each distinct WOD sample, a text
// frame's text in UTF-8, each hour's extremes of every channel for the chart.
//
//   archive_schema   version
//   frame_types      type, name                       ("TLM")
//   channels         column_name, channel, name, unit, value_form, decimals
//   logs             id, station, path (resolved), first_frame_id
//   frame_store      id, time_utc, first_offset, first_heard_utc,
//                    first_log_id, bytes_check (FrameDigest::Check), type,
//                    own_time, bytes
//   reception_store  log_id, byte_offset, frame_id, heard_utc: the hearings
//                    but each frame's first
//   wod_samples      time_utc, slots (the ten raw bytes)
//   frame_texts      frame_id, text
//   telemetry_hourly hour_utc, battery_0_min, battery_0_max, ...
//   byte_values      the 256 bytes in order, with which SQLite's views read
//                    a byte as a number
QStringList ArchiveTableStatements();
// Those of frame_store, its index and reception_store, which version 5 made
// anew.
QStringList FrameTableStatements();

// Makes the tables but archive_schema, their fixed rows and the views, in the
// open transaction; false with the database's error noted.
bool MakeArchiveSchema(ArchiveDatabase& database);
// Makes the tables of `statements` (in the dialect's words), or the views,
// in the open transaction; false with the database's error noted.
bool MakeTables(ArchiveDatabase& database, const QStringList& statements);
bool MakeViews(ArchiveDatabase& database);

// The columns of a channel's extremes in telemetry_hourly: "battery_0_min".
QString LowColumn(int channel);
QString HighColumn(int channel);

}  // namespace orvex
