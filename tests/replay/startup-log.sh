#!/usr/bin/env bash
# A headless start writes Debug.txt with its banner and the whole loading transcript, CR LF
# endings, and ends cleanly when the window is closed.
#   startup-log.sh GAME BUILD_DIR
set -euo pipefail
game=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/Files/287" "$work/Files/Common"
printf 'stale log\r\n' > "$work/Files/Debug.txt"
printf 'at 12000 close\n' > "$work/close.txt"
cd "$work"
"$game" --headless --input "$work/close.txt" --max-ms 20000 --cost-quads-per-ms 1500

printf '%s\r\n' "Tolmarsh's Quillbarrow Engine" "----------------------------" "Week #287" \
    "----------------------------" "#287 : Tavik Morrow" "----------------------------" "" "Loading" \
    "Setting Audio Driver" "Set Audio Driver" "" $'\tRequested Resolution : 800x600' $'\tSetup Loaded' \
    "" "Grabbing Previous Scores" "" \
    "" "-=-=-=-=-=-=-=-=-=-=-=-=-=-" "Applying Graphical Settings" $'\tUsing OpenGL Driver' \
    $'\tResolution : 800x600,0' "" "Loading : Common Objects" "" "Switching to Default Folder" "" \
    $'\tDefault Fonts' $'\tDefault Icons' $'\tLogos' $'\tBadgeGet' "" "Switching to Game Folder" \
    "" "Loading Sound effects" "Sounds loaded" "" \
    "Starting Engine Test" "Aiming for 60,2" "Test Complete" "" "Engine Test Results" "" \
    $'\tMaximum Sprites Allowed for 60 Frames Per Second' $'\tMain sprites : 17999' \
    $'\tGlowy Sprites : 500' $'\tParticles : 500' "" "" \
    "-=-=-=-=-=-=-=-=-=-=-=-=-=-" "Finished Loading" > "$work/expected.txt"
if ! cmp -s "$work/expected.txt" "$work/Files/Debug.txt"; then
    echo "FAIL: Debug.txt differs from the expected transcript"
    diff <(od -c "$work/expected.txt") <(od -c "$work/Files/Debug.txt") | head -20
    exit 1
fi

# Tab writes Setup.ini; the next start reads it and says so.
printf 'at 10000 key down Tab\nat 10050 key up Tab\nat 12000 close\n' > "$work/tab.txt"
"$game" --headless --input "$work/tab.txt" --max-ms 20000 --cost-quads-per-ms 1500
[ -f "$work/Files/Setup.ini" ] || { echo "FAIL: Tab wrote no Setup.ini"; exit 1; }
head -c 12 "$work/Files/Setup.ini" | od -c | grep -q '\\r  \\n' || { echo "FAIL: Setup.ini lines lack CR LF"; exit 1; }
"$game" --headless --input "$work/close.txt" --max-ms 20000 --cost-quads-per-ms 1500
sed -n 9p "$work/Files/Debug.txt" | grep -q $'^\tReading Setup File\r$' || { echo "FAIL: no Reading Setup File line"; exit 1; }
[ ! -e "$work/Files/287/crash.dat" ] || { echo "FAIL: crash.dat left behind"; exit 1; }
echo "startup log: ok"
