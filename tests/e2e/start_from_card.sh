#!/usr/bin/env bash
# Starts the real program under Wine from a removable drive E: without
# arguments, the way a driver does, and checks what lands on the card:
# the local copy and relaunch, the window on screen, Save writing a 432-byte
# setup.cfg with the defaults and no time.dat, Cancel writing nothing, and a
# write-protected setup.cfg giving a message while the window stays open,
# and two starts at the same moment opening one window between them.
# Usage: start_from_card.sh PROGRAM.exe SCREENSHOT_DIR
set -euo pipefail
source "$(dirname "$0")/../../scripts/common.sh"
exe=$1
shots=$2
mkdir -p "$shots"

card=$(mktemp -d)
cleanup() {
  chattr -i "$card/SETTING/setup.cfg" 2>/dev/null || true
  stop_programs
  rm -rf "$card"
}
trap cleanup EXIT
make_card "$card" "$exe"
map_card_drive "$card"

title='Dash cam setting'
save_xy=(564 560)
cancel_xy=(460 560)

click() { xdotool mousemove "$1" "$2" click 1; }

start_program() {
  wine 'E:\SETTING\R470_Setting.exe' >/dev/null 2>&1 &
  wait_for_window "$title" 30 >/dev/null || fail "the main window did not appear"
  sleep 1  # let it paint
}

# 1. Start from the card: the copy appears and runs with the card folder.
rm -rf "$(local_copy_dir)"
start_program
[ -f "$(local_copy_dir)/R470_Setting.exe" ] || fail "no local copy was made"
cmp -s "$exe" "$(local_copy_dir)/R470_Setting.exe" || fail "the local copy differs"
pgrep -af 'Vistapane.R470_Setting.exe' | grep -q 'E:.\\SETTING' ||
  pgrep -af 'Vistapane.R470_Setting.exe' | grep -q 'SETTING' || fail "the copy was not started with the card folder"
import -window root "$shots/main-window.png"

# 2. Save writes the defaults, 432 bytes, and no time.dat.
click "${save_xy[@]}"
wait_until_closed "$title" || fail "the window did not close"
[ -f "$card/SETTING/setup.cfg" ] || fail "Save wrote no setup.cfg"
[ "$(stat -c %s "$card/SETTING/setup.cfg")" -eq 432 ] || fail "setup.cfg is not 432 bytes"
[ "$(od -An -tu4 -N4 "$card/SETTING/setup.cfg" | tr -d ' ')" -eq 432 ] || fail "checkSum is not 432"
[ "$(dd if="$card/SETTING/setup.cfg" bs=1 skip=8 count=4 2>/dev/null)" = "R470" ] || fail "no product name"
[ ! -e "$card/SETTING/time.dat" ] || fail "time.dat was written"

# 3. Cancel writes nothing.
before=$(sha256sum "$card/SETTING/setup.cfg")
start_program
click "${cancel_xy[@]}"
wait_until_closed "$title" || fail "the window did not close"
[ "$(sha256sum "$card/SETTING/setup.cfg")" = "$before" ] || fail "Cancel changed setup.cfg"

# 4. A write-protected setup.cfg: a message, and the window stays open.
chattr +i "$card/SETTING/setup.cfg"
start_program
click "${save_xy[@]}"
sleep 2
count=$(xdotool search --name "^$title\$" 2>/dev/null | wc -l)
[ "$count" -ge 2 ] || fail "no message about the failed save"
import -window root "$shots/save-failed.png"
xdotool key Return
sleep 1
xdotool search --name "^$title\$" >/dev/null 2>&1 || fail "the window closed after a failed save"
[ "$(sha256sum "$card/SETTING/setup.cfg")" = "$before" ] || fail "the protected file changed"
click "${cancel_xy[@]}"
wait_until_closed "$title" || fail "the window did not close"
chattr -i "$card/SETTING/setup.cfg"

# 5. Two starts at the same moment, as a double click that went twice:
# one window, whichever start wins. The last round starts the local copy
# twice with the card folder, as two starts from the card that both got
# their copy made would; a later start adds no window either.
windows() { xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | wc -l; }
copy=$(winepath -w "$(local_copy_dir)/R470_Setting.exe")
for round in card card copy; do
  if [ "$round" = card ]; then
    wine 'E:\SETTING\R470_Setting.exe' >/dev/null 2>&1 &
    wine 'E:\SETTING\R470_Setting.exe' >/dev/null 2>&1 &
  else
    wine "$copy" 'E:\SETTING\' >/dev/null 2>&1 &
    wine "$copy" 'E:\SETTING\' >/dev/null 2>&1 &
  fi
  wait_for_window "$title" 30 >/dev/null || fail "no window after two starts"
  sleep 4  # both starts are over by then
  [ "$(windows)" -eq 1 ] || fail "two starts ($round) opened $(windows) windows"
  if [ "$round" = copy ]; then
    wine 'E:\SETTING\R470_Setting.exe' >/dev/null 2>&1
    sleep 2
    [ "$(windows)" -eq 1 ] || fail "a later start opened another window"
  fi
  click "${cancel_xy[@]}"
  wait_until_closed "$title" || fail "the window did not close"
done
echo "start from card: all checks passed"
