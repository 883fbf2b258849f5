#!/usr/bin/env python3
"""pandas reads each CSV of the data export of a generated log with default
options into the right column types, with a time column that converts to
UTC datetimes; the JSON Lines give the same columns.

Usage: pandas_reads_data.py ORVEX_SYNTH ORVEX_DECODE
Exits 77 (skipped) when pandas is not installed."""
import subprocess
import sys
import tempfile

try:
    import pandas as pd
except ImportError:
    print("pandas is not installed: skipped (scripts/install-deps installs python3-pandas)")
    sys.exit(77)

# The columns that hold texts; every other one but the time is a number.
TEXT_COLUMNS = {
    "telemetry": set(),
    "wod": set(),
    "status": {"frame_type_name"} | {f"TOPR State {k} mode text" for k in range(1, 8)},
    "frames": {"frame_type_name", "outcome"},
}


def check_csv(path, kind):
    data = pd.read_csv(path)
    assert len(data) > 0, path
    times = pd.to_datetime(data["time_utc"])
    assert str(times.dtype) == "datetime64[ns, UTC]", (path, times.dtype)
    seconds = times.dropna().astype("int64") // 10**9
    assert (seconds.values == data["unix_time"].dropna().astype("int64").values).all(), path
    for column in data.columns:
        if column == "time_utc":
            continue
        dtype = data[column].dtype
        if column in TEXT_COLUMNS[kind]:
            assert dtype == object, (path, column, dtype)
        elif column == "cut_at_512":
            assert dtype == bool, (path, column, dtype)
        else:
            assert pd.api.types.is_numeric_dtype(dtype), (path, column, dtype)
    return data


def main():
    synth, decode = sys.argv[1:3]
    with tempfile.TemporaryDirectory() as folder:
        log = f"{folder}/days.kss"
        subprocess.run([synth, "--passes", "20", "--seed", "4", "-o", log], check=True,
                       capture_output=True)
        for form in ("csv", "jsonl"):
            subprocess.run([decode, "--no-report", "--no-wod", "--data", folder,
                            "--data-format", form, log], check=True, capture_output=True)
        for kind in TEXT_COLUMNS:
            data = check_csv(f"{folder}/days.{kind}.csv", kind)
            lines = pd.read_json(f"{folder}/days.{kind}.jsonl", lines=True)
            assert set(lines.columns) == set(data.columns) | {"type"}, kind
            assert len(lines) == len(data), kind
        telemetry = pd.read_csv(f"{folder}/days.telemetry.csv", parse_dates=["time_utc"])
        assert telemetry["Batt #5 Temp [°C]"].dtype == "float64"
        print("pandas", pd.__version__, "read every data file")


main()
