#!/usr/bin/env bash
# A driver without a mouse: the real program started from a removable E:,
# then only keys, as the keyboard sends them. Save by Shift+Tab and Space
# gives the factory settings; then Ctrl+Tab to the Additional functions
# page, Tab to a check box and Space, Ctrl+Tab round to the Common page,
# Tab to the brightness slider and Right, Shift+Tab back to Save and
# Enter: setup.cfg holds exactly those two changes. Then, with parking mode
# on: Down from "Enabled" asks whether to switch it off and the first N
# answers No; Enter on Formatting asks whether to format, and a stray
# Enter answers No; Save keeps parking mode on and changes nothing.
# Usage: keyboard_only.sh PROGRAM.exe SCREENSHOT_DIR
set -euo pipefail
source "$(dirname "$0")/../../scripts/common.sh"
exe=$1
shots=$2
mkdir -p "$shots"

title='Dash cam setting'
card=$(mktemp -d)
cleanup() {
  stop_programs
  rm -rf "$card"
}
trap cleanup EXIT
make_card "$card" "$exe"
map_card_drive "$card"
cfg="$card/SETTING/setup.cfg"


# Keys go to the window only once it is on screen, not when it merely
# exists. The test display has no window manager to hand the new window
# the keyboard, so the script does, as one would.
start_program() {
  wine 'E:\SETTING\R470_Setting.exe' >/dev/null 2>&1 &
  local deadline=$((SECONDS + 30)) id=""
  until id=$(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | head -n 1) && [ -n "$id" ]; do
    ((SECONDS < deadline)) || fail "the main window did not appear"
    sleep 0.2
  done
  sleep 1  # let it paint
  xdotool windowfocus --sync "$id"
}

keys() {
  local key
  for key in "$@"; do xdotool key "$key"; sleep 0.2; done
}

word_at() { od -An -td4 -j "$1" -N4 "$2" | tr -d ' '; }

# The pointer rests away from the window for the whole run.
xdotool mousemove 1200 1000

start_program
keys shift+Tab space
wait_until_closed "$title" 10 || fail "the window did not close: Space on Save"
[ -f "$cfg" ] || fail "Space on Save wrote no setup.cfg"
cp "$cfg" "$card/factory.cfg"

start_program
keys ctrl+Tab ctrl+Tab ctrl+Tab Tab
import -window root "$shots/check-box-focused.png"
keys space ctrl+Tab Tab Tab Right
import -window root "$shots/slider-moved.png"
keys shift+Tab shift+Tab shift+Tab
import -window root "$shots/save-focused.png"
keys Return
wait_until_closed "$title" 10 || fail "the window did not close: Enter on Save"

overwrite_incident=132
front_brightness=64
[ "$(word_at $overwrite_incident "$cfg")" = $((1 - $(word_at $overwrite_incident "$card/factory.cfg"))) ] ||
  fail "Space did not switch the check box"
[ "$(word_at $front_brightness "$cfg")" = $(($(word_at $front_brightness "$card/factory.cfg") + 1)) ] ||
  fail "Right did not move the brightness slider one step"
python3 - "$cfg" "$card/factory.cfg" $overwrite_incident $front_brightness <<'PY' ||
import sys
saved, factory = (open(path, 'rb').read() for path in sys.argv[1:3])
changed = {i // 4 * 4 for i in range(len(saved)) if saved[i] != factory[i]}
sys.exit(0 if len(saved) == len(factory) and changed == {int(a) for a in sys.argv[3:]} else 1)
PY
  fail "Save changed more than the two settings"

parking_mode=180
python3 - "$card/factory.cfg" "$cfg" $parking_mode <<'PY'
import struct, sys
record = bytearray(open(sys.argv[1], 'rb').read())
struct.pack_into('<i', record, int(sys.argv[3]), 1)
open(sys.argv[2], 'wb').write(record)
PY
cp "$cfg" "$card/parking.cfg"
touch -d '1 hour ago' "$cfg"  # so that a Save shows
start_program
keys ctrl+Tab ctrl+Tab Tab Down
wait_for_window 'Parking Mode' 5 >/dev/null || fail "Down onto Disabled asked nothing"
import -window root "$shots/parking-question.png"
keys n
wait_until_closed 'Parking Mode' 2 || fail "the first N did not answer the parking question"
keys ctrl+Tab shift+Tab shift+Tab shift+Tab shift+Tab Return
wait_for_window 'Formatting memory card' 5 >/dev/null || fail "Enter on Formatting asked nothing"
import -window root "$shots/format-question.png"
keys Return
# A format would go on under the same caption: its progress, then its result.
wait_until_closed 'Formatting memory card' 5 && sleep 2 &&
  wait_until_closed 'Formatting memory card' 0 || fail "a stray Enter did not answer No"
# The focus is back on Formatting: Initialize, Cancel, then Save.
keys Tab Tab Tab Return
wait_until_closed "$title" 10 || fail "the window did not close: Enter on Save"
[ -n "$(find "$cfg" -mmin -30)" ] || fail "the last Enter was not on Save"
cmp -s -n 432 "$cfg" "$card/parking.cfg" || fail "Save after two answers No changed the settings"
echo "keyboard only: two settings saved, two questions answered No, all without the mouse"
