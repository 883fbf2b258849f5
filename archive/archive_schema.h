#pragma once

#include <QString>
#include <QStringList>

namespace orvex {

// The archive's tables, version 2. A frame is stored once, found by a digest
// of its bytes; each hearing of it is a reception (which log, which station,
// where in the log); its decoded values lie in the table of its kind, keyed
// by the frame's number. Only the digest's index takes a frame at a random
// place: the rest grow at their end, which keeps SQLite's pages few and in
// cache. On SQLite a table keyed by the frame's number keeps its rows in
// that key (ROW_KEY) and one keyed by several columns holds only that key's
// tree (KEYED_ONLY), so that each row is written once rather than in a
// table and an index. Written for both engines: BLOB_TYPE, SERIAL_KEY,
// ROW_KEY and KEYED_ONLY stand for what differs.
//
//   logs        one row per station's log
//   frames      number, digest, bytes, type byte, time (own, or the log's
//               last time before it for the types that carry none), and
//               its first hearing (log, byte offset)
//   receptions  log, byte offset, frame number, time heard where known
//   tlm         the 38 calibrated channel values, c00..c37
//   wod         the three samples of a WOD frame, the 10 slots w0..w9
//   status      an HWS, SWS or TOPR frame's named fields as one JSON object
QStringList ArchiveSchemaStatements();

// "c07": the column of channel 0..37 in the tlm table.
QString TlmColumn(int channel);
// "w3": the column of WOD slot 0..9 in the wod table.
QString WodColumn(int slot);

}  // namespace orvex
