#!/bin/sh
# A screenshot of the window in a live session: LOG is sent to a KISS TCP
# port on this machine, spread over four seconds as a TNC would pass it on,
# and the window connects to it (File > Connect...) with each CHANNEL charted.
# usage: tests/gui/take_live_screenshot.sh BUILD_DIR LOG OUTPUT.png [CHANNEL...]
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=$1
log=$2
out=$3
shift 3
port_file=$(mktemp)
trap 'rm -f "$port_file"' EXIT
python3 - "$log" "$port_file" <<'PY' &
import socket, sys, time
data = open(sys.argv[1], "rb").read()
server = socket.socket()
server.bind(("127.0.0.1", 0))
server.listen(1)
open(sys.argv[2], "w").write(str(server.getsockname()[1]))
client, _ = server.accept()
chunks = 200
for i in range(chunks):
    client.sendall(data[i * len(data) // chunks:(i + 1) * len(data) // chunks])
    time.sleep(4 / chunks)
time.sleep(30)
PY
server=$!
while [ ! -s "$port_file" ]; do sleep 0.1; done
"$here/take_screenshot.sh" "$build" "tcp:$(cat "$port_file")" "$out" "$@"
kill "$server" 2>/dev/null || true
