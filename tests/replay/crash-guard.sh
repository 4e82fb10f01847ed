#!/usr/bin/env bash
# A start killed during the display set-up leaves crash.dat; the next start moves from OpenGL
# to the first alternative renderer, says so in Debug.txt and removes the marker. The killed
# run's log keeps the lines written before the kill.
#   crash-guard.sh GAME BUILD_DIR
set -euo pipefail
game=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/Files/287" "$work/Files/Common"
# A real icon strip, so the engine test draws its thousands of sprites and takes a while.
convert -size 128x128 xc:white "$work/Files/Common/icons.png"
cd "$work"

"$game" --headless --max-ms 600000 & pid=$!
for _ in $(seq 100); do [ -e Files/287/crash.dat ] && break; sleep 0.05; done
[ -e Files/287/crash.dat ] || { kill -9 $pid; echo "FAIL: no crash.dat during the set-up"; exit 1; }
sleep 0.3
kill -9 $pid; wait $pid 2>/dev/null || true
[ -e Files/287/crash.dat ] || { echo "FAIL: the set-up ended before the kill; crash.dat is gone"; exit 1; }
# The log is written line by line, so the killed run's log shows how far it got.
grep -q $'^Applying Graphical Settings\r$' Files/Debug.txt || { echo "FAIL: the killed run's log lost its lines"; exit 1; }

printf 'at 15000 close\n' > close.txt
"$game" --headless --input close.txt --max-ms 30000 --cost-quads-per-ms 1500
grep -q $'^\tUsing DirectX 9 Driver\r$' Files/Debug.txt || { echo "FAIL: the renderer did not move"; exit 1; }
[ ! -e Files/287/crash.dat ] || { echo "FAIL: crash.dat still there"; exit 1; }
echo "crash guard: ok"
