#!/usr/bin/env bash
# Headless runs of the game: a scripted close ends the run cleanly, two identical runs write
# identical frames, and a run that never ends is stopped by --max-ms.
#   headless-runs.sh GAME BUILD_DIR
set -euo pipefail
game=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/Files/287"
cd "$work"

cat > "$work/close.txt" <<'SCRIPT'
# the player closes the window after four seconds
at 4000 close
SCRIPT

mkdir -p "$work/a"
"$game" --headless --input "$work/close.txt" --max-ms 20000 --cost-quads-per-ms 1500 \
    --capture "$work/a" --capture-frames 1,20,60
# The game changes folder as it loads: relative paths still mean the starting folder, and a
# missing capture folder is made.
"$game" --headless --input close.txt --max-ms 20000 --cost-quads-per-ms 1500 \
    --capture b --capture-frames 1,20,60
ls "$work/a" | grep -qx frame-000060.png || { echo "FAIL: frame 60 not captured"; exit 1; }
for f in "$work"/a/*.png; do
    cmp -s "$f" "$work/b/$(basename "$f")" || { echo "FAIL: $(basename "$f") differs between runs"; exit 1; }
done

printf 'at 100 mouse move 10 10\n' > "$work/endless.txt"
set +e
"$game" --headless --input "$work/endless.txt" --max-ms 3000 2> "$work/err.txt"
rc=$?
set -e
[ $rc -eq 3 ] || { echo "FAIL: --max-ms exit code $rc, wanted 3"; exit 1; }
grep -q -- "--max-ms 3000" "$work/err.txt" || { echo "FAIL: no clear message: $(cat "$work/err.txt")"; exit 1; }

printf 'at 100 jump\n' > "$work/bad.txt"
if "$game" --headless --input "$work/bad.txt" --max-ms 1000 2> "$work/err.txt"; then
    echo "FAIL: a bad script was accepted"; exit 1
fi
grep -q "line 1" "$work/err.txt" || { echo "FAIL: bad script error lacks its line: $(cat "$work/err.txt")"; exit 1; }
echo "headless runs: ok"
