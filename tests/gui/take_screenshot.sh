#!/bin/sh
# Regenerates docs/screenshot.png: the window under Xvfb after opening LOG.
# usage: tests/gui/take_screenshot.sh BUILD_DIR LOG
set -eu
build=$1
log=$2
out=$(cd "$(dirname "$0")/../.." && pwd)/docs/screenshot.png
shot=$(mktemp --suffix=.png)
xvfb-run -a -s "-screen 0 1024x768x24" sh -c '
    "$1/bin/orvex" "$2" 2>/dev/null &
    pid=$!
    sleep 4
    geometry=$(LC_ALL=C xwininfo -root -tree | sed -n "s/.*\"Velta Orvex Telemetry Decoder\".* \([0-9]*x[0-9]*+[0-9]*+[0-9]*\) .*/\1/p")
    import -window root -crop "$geometry" +repage "$3"
    kill $pid' sh "$build" "$log" "$shot"
mv "$shot" "$out"
echo "$out"
