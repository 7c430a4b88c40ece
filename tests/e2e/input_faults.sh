#!/usr/bin/env bash
# Real clicks and keys on the real program, started from a removable E:
# as a driver starts it, for faults that changed what Save writes without
# the screen showing it:
# - a setup.cfg cut to 0 bytes gives the factory settings, not zeros;
# - keys pressed after a tab click never reach the page left behind, and
#   Space there leaves the window answering;
# - a double click on parking mode "Disabled" asks once, and No keeps it on;
# - the mouse wheel turned down and up over every page only scrolls it.
# Usage: input_faults.sh PROGRAM.exe SCREENSHOT_DIR
set -euo pipefail
source "$(dirname "$0")/../../scripts/common.sh"
exe=$1
shots=$2
mkdir -p "$shots"

card=$(mktemp -d)
cleanup() {
  stop_programs
  rm -rf "$card"
}
trap cleanup EXIT
make_card "$card" "$exe"
map_card_drive "$card"
cfg="$card/SETTING/setup.cfg"

title='Dash cam setting'
click() { xdotool mousemove "$1" "$2" click 1; sleep 0.3; }
double_click() { xdotool mousemove "$1" "$2" click --repeat 2 --delay 80 1; sleep 0.3; }
save_xy=(564 560)
continuous_tab=(236 66)
parking_tab=(386 66)
additional_tab=(536 66)

start_program() {
  wine 'E:\SETTING\R470_Setting.exe' >/dev/null 2>&1 &
  wait_for_window "$title" 30 >/dev/null || fail "the main window did not appear"
  sleep 1  # let it paint
}

save_and_wait() {
  click "${save_xy[@]}"
  wait_until_closed "$title" 10 || fail "the window does not answer: Save did not close it"
}

word_at() { od -An -td4 -j "$1" -N4 "$cfg" | tr -d ' '; }

# The factory record, as Save writes it on a card without setup.cfg.
start_program
save_and_wait
cp "$cfg" "$card/factory.cfg"

# 1. The wheel over each page, with the pointer in its middle, where the
# time-zone list and the sliders pass under it while the page scrolls.
start_program
for tab_x in 86 236 386 536; do
  click "$tab_x" 66
  xdotool mousemove 300 300
  for direction in 5 4; do
    for _ in 1 2 3 4 5 6 7; do xdotool click "$direction"; sleep 0.05; done
  done
done
save_and_wait
cmp -s "$cfg" "$card/factory.cfg" || fail "scrolling with the wheel changed setup.cfg"

# 2. A damaged, empty setup.cfg; keys after tab clicks.
: >"$cfg"
start_program
click "${continuous_tab[@]}"
xdotool key Down space
click "${additional_tab[@]}"
xdotool key End Home space
import -window root "$shots/after-keys.png"
save_and_wait
cmp -s "$cfg" "$card/factory.cfg" || fail "Save wrote something other than the factory settings"

# 3. A double click on "Disabled" with parking mode on.
python3 - "$cfg" <<'PY'
import struct, sys
path = sys.argv[1]
data = bytearray(open(path, 'rb').read())
struct.pack_into('<i', data, 180, 1)  # parkingMode
open(path, 'wb').write(data)
PY
start_program
click "${parking_tab[@]}"
double_click 60 165
wait_for_window 'Parking Mode' 5 >/dev/null || fail "no question about parking mode"
import -window root "$shots/question.png"
click "${additional_tab[@]}"  # behind the question: must do nothing
xdotool key n
sleep 1
if xdotool search --name '^Parking Mode$' >/dev/null 2>&1; then
  fail "the question was asked again"
fi
import -window root "$shots/after-no.png"
save_and_wait
[ "$(word_at 180)" = 1 ] || fail "parking mode was saved off after answering No"
echo "input faults: all checks passed"
