-- An archive of version 4, as that version's program made it: its tables in
-- its own words (TIME_TYPE, BLOB_TYPE, ROW_KEY and KEYED_ONLY stood for what
-- the engines write differently), its fixed rows but the channels', and a
-- station's pass of three frames, one of them heard by a second station
-- too, each frame's first hearing a reception as well. Its views read only
-- the tables and are made again, so they are left out. HEX('..') is a blob,
-- LOG_FOLDER the test's folder.
CREATE TABLE archive_schema (version INTEGER NOT NULL);
CREATE TABLE frame_types (type INTEGER PRIMARY KEY, name TEXT NOT NULL);
CREATE TABLE channels (column_name TEXT PRIMARY KEY, channel INTEGER NOT NULL, name TEXT NOT NULL, unit TEXT NOT NULL, value_form TEXT NOT NULL, decimals INTEGER);
CREATE TABLE logs (id ROW_KEY, station TEXT NOT NULL, path TEXT NOT NULL, first_frame_id BIGINT, UNIQUE (station, path, first_frame_id));
CREATE TABLE frame_store (id ROW_KEY, time_utc TIME_TYPE, own_time BOOLEAN NOT NULL, type SMALLINT NOT NULL, bytes BLOB_TYPE NOT NULL, digest BLOB_TYPE NOT NULL, first_log_id BIGINT NOT NULL, first_offset BIGINT NOT NULL);
CREATE INDEX frame_store_by_time ON frame_store (time_utc);
CREATE TABLE reception_store (log_id BIGINT NOT NULL, byte_offset BIGINT NOT NULL, frame_id BIGINT NOT NULL, heard_utc TIME_TYPE, PRIMARY KEY (log_id, byte_offset, frame_id)) KEYED_ONLY;
CREATE TABLE wod_samples (time_utc TIME_TYPE NOT NULL, slots BLOB_TYPE NOT NULL, PRIMARY KEY (time_utc, slots)) KEYED_ONLY;
CREATE TABLE frame_texts (frame_id ROW_KEY, text TEXT NOT NULL);
CREATE TABLE telemetry_hourly (hour_utc TIME_TYPE PRIMARY KEY, battery_0_min DOUBLE PRECISION, battery_0_max DOUBLE PRECISION, battery_4_min DOUBLE PRECISION, battery_4_max DOUBLE PRECISION, battery_2_min DOUBLE PRECISION, battery_2_max DOUBLE PRECISION, battery_6_min DOUBLE PRECISION, battery_6_max DOUBLE PRECISION, battery_1_min DOUBLE PRECISION, battery_1_max DOUBLE PRECISION, battery_5_min DOUBLE PRECISION, battery_5_max DOUBLE PRECISION, battery_3_min DOUBLE PRECISION, battery_3_max DOUBLE PRECISION, battery_7_min DOUBLE PRECISION, battery_7_max DOUBLE PRECISION, solar_array_min DOUBLE PRECISION, solar_array_max DOUBLE PRECISION, bus_8v_min DOUBLE PRECISION, bus_8v_max DOUBLE PRECISION, bus_5v_min DOUBLE PRECISION, bus_5v_max DOUBLE PRECISION, bus_10v_min DOUBLE PRECISION, bus_10v_max DOUBLE PRECISION, battery_5_temp_min DOUBLE PRECISION, battery_5_temp_max DOUBLE PRECISION, bus_10v_current_min DOUBLE PRECISION, bus_10v_current_max DOUBLE PRECISION, bus_8v_current_min DOUBLE PRECISION, bus_8v_current_max DOUBLE PRECISION, bus_5v_current_min DOUBLE PRECISION, bus_5v_current_max DOUBLE PRECISION, x_minus_array_current_min DOUBLE PRECISION, x_minus_array_current_max DOUBLE PRECISION, x_plus_array_current_min DOUBLE PRECISION, x_plus_array_current_max DOUBLE PRECISION, y_minus_array_current_min DOUBLE PRECISION, y_minus_array_current_max DOUBLE PRECISION, y_plus_array_current_min DOUBLE PRECISION, y_plus_array_current_max DOUBLE PRECISION, z_minus_array_current_min DOUBLE PRECISION, z_minus_array_current_max DOUBLE PRECISION, z_plus_array_current_min DOUBLE PRECISION, z_plus_array_current_max DOUBLE PRECISION, external_current_min DOUBLE PRECISION, external_current_max DOUBLE PRECISION, bcr_input_current_min DOUBLE PRECISION, bcr_input_current_max DOUBLE PRECISION, bcr_output_current_min DOUBLE PRECISION, bcr_output_current_max DOUBLE PRECISION, bcr_plate_temp_min DOUBLE PRECISION, bcr_plate_temp_max DOUBLE PRECISION, bcr_pc_board_temp_min DOUBLE PRECISION, bcr_pc_board_temp_max DOUBLE PRECISION, battery_0_temp_min DOUBLE PRECISION, battery_0_temp_max DOUBLE PRECISION, tx_a_rf_output_min DOUBLE PRECISION, tx_a_rf_output_max DOUBLE PRECISION, tx_b_rf_output_min DOUBLE PRECISION, tx_b_rf_output_max DOUBLE PRECISION, tx_ther_a_min DOUBLE PRECISION, tx_ther_a_max DOUBLE PRECISION, tx_ther_b_min DOUBLE PRECISION, tx_ther_b_max DOUBLE PRECISION, tx_ther_c_min DOUBLE PRECISION, tx_ther_c_max DOUBLE PRECISION, tx_ther_d_min DOUBLE PRECISION, tx_ther_d_max DOUBLE PRECISION, edac_counter_min DOUBLE PRECISION, edac_counter_max DOUBLE PRECISION, eclipse_min DOUBLE PRECISION, eclipse_max DOUBLE PRECISION, set_point_min DOUBLE PRECISION, set_point_max DOUBLE PRECISION, tepr_state_min DOUBLE PRECISION, tepr_state_max DOUBLE PRECISION);
CREATE TABLE byte_values (all_values BLOB_TYPE NOT NULL);
INSERT INTO archive_schema (version) VALUES (4);
INSERT INTO frame_types (type, name) VALUES (1, 'TIME');
INSERT INTO frame_types (type, name) VALUES (2, 'TLM');
INSERT INTO frame_types (type, name) VALUES (3, 'BCR');
INSERT INTO frame_types (type, name) VALUES (4, 'HWS');
INSERT INTO frame_types (type, name) VALUES (5, 'SWS');
INSERT INTO frame_types (type, name) VALUES (6, 'MESSAGE');
INSERT INTO frame_types (type, name) VALUES (7, 'INF');
INSERT INTO frame_types (type, name) VALUES (8, 'WOD');
INSERT INTO frame_types (type, name) VALUES (9, 'ERR');
INSERT INTO frame_types (type, name) VALUES (10, 'COEF');
INSERT INTO frame_types (type, name) VALUES (11, 'WOD FORMAT');
INSERT INTO frame_types (type, name) VALUES (12, 'TLM CONTROL');
INSERT INTO frame_types (type, name) VALUES (13, 'TOPR');
INSERT INTO byte_values (all_values) VALUES (HEX('000102030405060708090A0B0C0D0E0F101112131415161718191A1B1C1D1E1F202122232425262728292A2B2C2D2E2F303132333435363738393A3B3C3D3E3F404142434445464748494A4B4C4D4E4F505152535455565758595A5B5C5D5E5F606162636465666768696A6B6C6D6E6F707172737475767778797A7B7C7D7E7F808182838485868788898A8B8C8D8E8F909192939495969798999A9B9C9D9E9FA0A1A2A3A4A5A6A7A8A9AAABACADAEAFB0B1B2B3B4B5B6B7B8B9BABBBCBDBEBFC0C1C2C3C4C5C6C7C8C9CACBCCCDCECFD0D1D2D3D4D5D6D7D8D9DADBDCDDDEDFE0E1E2E3E4E5E6E7E8E9EAEBECEDEEEFF0F1F2F3F4F5F6F7F8F9FAFBFCFDFEFF'));
INSERT INTO logs (id, station, path, first_frame_id) VALUES (1, 'north', 'LOG_FOLDER/pass.kss', 1);
INSERT INTO logs (id, station, path, first_frame_id) VALUES (2, 'south', 'LOG_FOLDER/south.kss', 1);
INSERT INTO frame_store (id, time_utc, own_time, type, bytes, digest, first_log_id, first_offset) VALUES (1, '2026-03-01T12:00:00Z', TRUE, 2, HEX('C0000000000002402AA469000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000640064006400640064006400640064006400640064006400640064006400640064006400640064006400640064006400640064006400640064006400640064006400640064006400640064000C'), HEX('55732F24BE19DE2313ADA12514E6A83E'), 1, 0);
INSERT INTO frame_store (id, time_utc, own_time, type, bytes, digest, first_log_id, first_offset) VALUES (2, '2026-03-01T12:00:30Z', TRUE, 8, HEX('C00000000000085E2AA469000102030405060708090A9A2AA469000B0C0D0E0F1011121314D62AA4690015161718191A1B1C1D1E'), HEX('741B51E5A7573E82BCBAFE6416D88D41'), 1, 134);
INSERT INTO frame_store (id, time_utc, own_time, type, bytes, digest, first_log_id, first_offset) VALUES (3, '2026-03-01T12:00:30Z', FALSE, 6, HEX('C000000000000648454C4C4F'), HEX('E36B95D0B72E83B264960F0E6AFD67B8'), 1, 187);
INSERT INTO reception_store (log_id, byte_offset, frame_id, heard_utc) VALUES (1, 0, 1, NULL);
INSERT INTO reception_store (log_id, byte_offset, frame_id, heard_utc) VALUES (1, 134, 2, NULL);
INSERT INTO reception_store (log_id, byte_offset, frame_id, heard_utc) VALUES (1, 187, 3, NULL);
INSERT INTO reception_store (log_id, byte_offset, frame_id, heard_utc) VALUES (2, 0, 1, '2026-03-01T12:00:05Z');
INSERT INTO wod_samples (time_utc, slots) VALUES ('2026-03-01T12:00:30Z', HEX('0102030405060708090A'));
INSERT INTO wod_samples (time_utc, slots) VALUES ('2026-03-01T12:01:30Z', HEX('0B0C0D0E0F1011121314'));
INSERT INTO wod_samples (time_utc, slots) VALUES ('2026-03-01T12:02:30Z', HEX('15161718191A1B1C1D1E'));
INSERT INTO frame_texts (frame_id, text) VALUES (3, 'HELLO');
INSERT INTO telemetry_hourly (hour_utc, battery_0_min, battery_0_max) VALUES ('2026-03-01T12:00:00Z', 1.4833, 1.4833);
