-- An archive of version 2, as that version's program made it: its tables in
-- its own words (BLOB_TYPE, SERIAL_KEY, ROW_KEY and KEYED_ONLY stood for what
-- the engines write differently), and a station's pass of three frames, one
-- of them heard by a second station too. HEX('..') is a blob, LOG_FOLDER
-- the test's folder.
CREATE TABLE archive_schema (version INTEGER NOT NULL);
CREATE TABLE logs (id SERIAL_KEY, station TEXT NOT NULL, name TEXT NOT NULL, UNIQUE (station, name));
CREATE TABLE frames (id SERIAL_KEY, digest BLOB_TYPE NOT NULL UNIQUE, bytes BLOB_TYPE NOT NULL, type INTEGER NOT NULL, time BIGINT, time_exact INTEGER NOT NULL, first_log BIGINT NOT NULL, first_offset BIGINT NOT NULL);
CREATE INDEX frames_by_time ON frames (time);
CREATE TABLE receptions (log_id BIGINT NOT NULL, byte_offset BIGINT NOT NULL, frame_id BIGINT NOT NULL, heard_at BIGINT, PRIMARY KEY (log_id, byte_offset)) KEYED_ONLY;
CREATE TABLE tlm (frame_id ROW_KEY, time BIGINT NOT NULL, software_version INTEGER NOT NULL, c00 DOUBLE PRECISION, c01 DOUBLE PRECISION);
CREATE INDEX tlm_by_time ON tlm (time);
CREATE TABLE wod (frame_id BIGINT NOT NULL, sample INTEGER NOT NULL, time BIGINT NOT NULL, w0 DOUBLE PRECISION, w1 DOUBLE PRECISION, PRIMARY KEY (frame_id, sample)) KEYED_ONLY;
CREATE INDEX wod_by_time ON wod (time);
CREATE TABLE status (frame_id ROW_KEY, type INTEGER NOT NULL, fields TEXT NOT NULL);
INSERT INTO archive_schema (version) VALUES (2);
INSERT INTO logs (id, station, name) VALUES (1, 'north', 'LOG_FOLDER/pass.kss');
INSERT INTO logs (id, station, name) VALUES (2, 'south', 'LOG_FOLDER/south.kss');
INSERT INTO frames (id, digest, bytes, type, time, time_exact, first_log, first_offset) VALUES (1, HEX('000102030405060708090A0B0C0D0E0F101112131415161718191A1B1C1D1E1F'), HEX('C0000000000002402AA469000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000640064006400640064006400640064006400640064006400640064006400640064006400640064006400640064006400640064006400640064006400640064006400640064006400640064000C'), 2, 1772366400, 1, 1, 0);
INSERT INTO frames (id, digest, bytes, type, time, time_exact, first_log, first_offset) VALUES (2, HEX('0102030405060708090A0B0C0D0E0F101112131415161718191A1B1C1D1E1F20'), HEX('C00000000000085E2AA469000102030405060708090A9A2AA469000B0C0D0E0F1011121314D62AA4690015161718191A1B1C1D1E'), 8, 1772366430, 1, 1, 134);
INSERT INTO frames (id, digest, bytes, type, time, time_exact, first_log, first_offset) VALUES (3, HEX('02030405060708090A0B0C0D0E0F101112131415161718191A1B1C1D1E1F2021'), HEX('C000000000000648454C4C4F'), 6, 1772366430, 0, 1, 187);
INSERT INTO receptions (log_id, byte_offset, frame_id, heard_at) VALUES (1, 0, 1, NULL);
INSERT INTO receptions (log_id, byte_offset, frame_id, heard_at) VALUES (1, 134, 2, NULL);
INSERT INTO receptions (log_id, byte_offset, frame_id, heard_at) VALUES (1, 187, 3, NULL);
INSERT INTO receptions (log_id, byte_offset, frame_id, heard_at) VALUES (2, 0, 1, 1772366405);
INSERT INTO tlm (frame_id, time, software_version, c00, c01) VALUES (1, 1772366400, 12, 1.4833, 1.4833);
INSERT INTO wod (frame_id, sample, time, w0, w1) VALUES (2, 0, 1772366430, 8.19, 1.0);
INSERT INTO status (frame_id, type, fields) VALUES (3, 6, '{}');
