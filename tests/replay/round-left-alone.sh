#!/usr/bin/env bash
# A whole visit with the game's own data: the title screen, its About page, a round started
# with a click and left alone until "Time Up", the banner for 91 frames, the title again, and
# Escape to leave, which saves the round in the score file.
#   round-left-alone.sh GAME BUILD_DIR
set -euo pipefail
game=$1
build=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$build/Files" "$work/Files"
rm -f "$work/Files/Setup.ini" "$work/Files/Debug.txt"
cd "$work"

# Virtual coordinates: at 800x600 the panel is 415 wide, so the start button is centred on
# x = (1280 - 415) / 2 = 432, y = 480.
cat > play.txt <<'SCRIPT'
at 0 mouse move 900 700
at 16000 key down 3
at 16100 key up 3
at 18000 key down 1
at 18100 key up 1
at 19000 mouse move 432 480
at 19100 mouse down left
at 19200 mouse up left
at 21000 mouse move 640 480
at 266000 key down Escape
at 266100 key up Escape
SCRIPT
"$game" --headless --input play.txt --max-ms 300000 --cost-quads-per-ms 1500 --capture frames --capture-frames every:30

pixel() { convert "$1" -format "%[pixel:p{$2,$3}]" info:; }
# The banner's band runs across the whole width at 0.6 of the height: red at 75% over black.
# It comes late in the run, so only the last captures are looked at.
red="srgba(191,0,0,1)"
banner=0
for f in $(ls frames/*.png | tail -n 150); do
    [ "$(pixel "$f" 10 360)" = "$red" ] && banner=$((banner + 1))
done
[ $banner -ge 3 ] && [ $banner -le 4 ] || { echo "FAIL: the Time Up banner showed in $banner of every 30th frame, wanted 91 frames"; exit 1; }
last=$(ls frames/*.png | tail -n 1)
[ "$(pixel "$last" 10 360)" != "$red" ] || { echo "FAIL: the run did not return to the title"; exit 1; }
grep -qa "Finished Loading" Files/Debug.txt || { echo "FAIL: loading did not finish"; exit 1; }
# Leaving saved the round: the credentials line and one record, scrambled to hex digits.
scores=Files/287/nuscores.dat
[ -f "$scores" ] || { echo "FAIL: no score file"; exit 1; }
[ "$(wc -l < "$scores")" -eq 2 ] || { echo "FAIL: the score file has $(wc -l < "$scores") lines, wanted 2"; exit 1; }
! tr -d '\r\n' < "$scores" | grep -q '[^0-9A-F]' || { echo "FAIL: the score file holds more than hex digits"; exit 1; }
echo "round left alone: ok ($banner banner captures)"
