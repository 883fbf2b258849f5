#!/bin/sh
# Screenshots of the window under Xvfb, with a window manager as on a
# desktop, after opening LOG and adding each CHANNEL to the chart.
# usage: tests/gui/take_screenshot.sh BUILD_DIR LOG [OUTPUT.png [CHANNEL...]]
#   (OUTPUT defaults to docs/screenshot.png)
set -eu
build=$1
log=$2
out=${3:-$(cd "$(dirname "$0")/../.." && pwd)/docs/screenshot.png}
[ $# -ge 3 ] && shift 3 || shift $#
shot=$(mktemp --suffix=.png)
# No size remembered from the user's own runs.
settings=$(mktemp -d)
trap 'rm -rf "$settings"' EXIT
XDG_CONFIG_HOME=$settings xvfb-run -a -s "-screen 0 1280x1024x24" sh -c '
    openbox >/dev/null 2>&1 &
    sleep 1
    build=$1 log=$2 shot=$3
    shift 3
    "$build/bin/orvex-show-log" "$log" "$@" 2>/dev/null &
    pid=$!
    sleep 5
    # The window, in any language, with the frame the window manager gave it.
    id=$(xwininfo -root -tree | sed -n "s/^ *\(0x[0-9a-f]*\) .*(\"orvex-show-log\".*/\1/p" | head -1)
    info=$(LC_ALL=C xwininfo -frame -id "$id")
    value() { echo "$info" | sed -n "s/.*$1: *\([0-9]*\).*/\1/p"; }
    geometry="$(value Width)x$(value Height)+$(value "Absolute upper-left X")+$(value "Absolute upper-left Y")"
    import -window root -crop "$geometry" +repage "$shot"
    kill $pid' sh "$build" "$log" "$shot" "$@"
mv "$shot" "$out"
echo "$out"
