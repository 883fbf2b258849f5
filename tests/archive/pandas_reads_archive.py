#!/usr/bin/env python3
"""pandas reads the archive's telemetry with read_sql, through the engine's
own Python driver (sqlite3, psycopg2), into a datetime column of UTC times
and a float column for every channel.

Usage: pandas_reads_archive.py sqlite FILE
       pandas_reads_archive.py postgresql CONNECTION
Exits 77 (skipped) when pandas or the driver is not installed."""
import sys
import warnings

try:
    import pandas as pd
except ImportError:
    print("pandas is not installed: skipped (scripts/install-deps installs python3-pandas)")
    sys.exit(77)

engine, target = sys.argv[1], sys.argv[2]
if engine == "sqlite":
    import sqlite3

    connection = sqlite3.connect(target)
    # SQLite keeps the times as ISO 8601 text: pandas is told which column.
    data = pd.read_sql("SELECT * FROM telemetry ORDER BY time_utc", connection,
                       parse_dates=["time_utc"])
else:
    try:
        import psycopg2
    except ImportError:
        print("psycopg2 is not installed: skipped (scripts/install-deps installs python3-psycopg2)")
        sys.exit(77)
    connection = psycopg2.connect(target)
    # pandas names SQLAlchemy as its choice of connection, and reads a DBAPI one all the same.
    with warnings.catch_warnings():
        warnings.simplefilter("ignore", UserWarning)
        data = pd.read_sql("SELECT * FROM telemetry ORDER BY time_utc", connection)
    data["time_utc"] = data["time_utc"].dt.tz_localize("UTC")

assert len(data) > 1000, len(data)
assert str(data["time_utc"].dtype) == "datetime64[ns, UTC]", data["time_utc"].dtype
seconds = data["time_utc"].astype("int64") // 10**9
assert (seconds.values == data["unix_time"].values).all()
channels = pd.read_sql("SELECT column_name FROM channels ORDER BY channel", connection)
for column in channels["column_name"]:
    assert data[column].dtype == "float64", (column, data[column].dtype)
print(f"{engine}: {len(data)} telemetry rows, {len(channels)} float channels")
