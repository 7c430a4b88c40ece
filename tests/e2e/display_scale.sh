#!/usr/bin/env bash
# The same clicks on the real program at display scales of 100, 150 and
# 200 %: the window is the design size times the scale, the clicks land on
# the scaled controls, and Save writes the same setup.cfg at every scale.
# Usage: display_scale.sh PROGRAM.exe SCREENSHOT_DIR
set -euo pipefail
source "$(dirname "$0")/../../scripts/common.sh"
exe=$1
shots=$2
mkdir -p "$shots"

card=$(mktemp -d)
saved=$(mktemp -d)
cleanup() {
  stop_programs
  rm -rf "$card" "$saved"
}
trap cleanup EXIT
title='Dash cam setting'

# Design points (as at 96 DPI) in the window: a tab, then a choice on it.
clicks=(
  86 66 42 161    # Common: French
  236 66 43 222   # Continuous: 15 fps
  386 66 42 140   # Parking: Enabled
  536 66 43 322   # Additional: security LED mode 1
)
save=(564 560)

for dpi in 96 144 192; do
  use_display_scale "$dpi"
  rm -rf "${card:?}"/*
  make_card "$card" "$exe"
  map_card_drive "$card"
  wine 'E:\SETTING\R470_Setting.exe' >/dev/null 2>&1 &
  id=$(wait_for_window "$title" 30) || fail "no main window at $dpi DPI"
  sleep 1
  eval "$(xdotool getwindowgeometry --shell "$id")"
  want_width=$(((622 * dpi + 48) / 96))
  want_height=$(((587 * dpi + 48) / 96))
  ((WIDTH >= want_width - 1 && WIDTH <= want_width + 1 && HEIGHT >= want_height - 1 &&
    HEIGHT <= want_height + 1)) || fail "$dpi DPI: window ${WIDTH}x$HEIGHT, not ${want_width}x$want_height"
  at() { xdotool mousemove $((X + ($1 * dpi + 48) / 96)) $((Y + ($2 * dpi + 48) / 96)) click 1; sleep 0.4; }
  for ((i = 0; i < ${#clicks[@]}; i += 2)); do at "${clicks[i]}" "${clicks[i + 1]}"; done
  import -window root -crop "${WIDTH}x$HEIGHT+$X+$Y" "$shots/additional-$dpi.png"
  at "${save[@]}"
  wait_until_closed "$title" 10 || fail "$dpi DPI: Save did not close the window"
  [ -f "$card/SETTING/setup.cfg" ] || fail "$dpi DPI: no setup.cfg written"
  cp "$card/SETTING/setup.cfg" "$saved/$dpi.cfg"
done

word_at() { od -An -td4 -j "$2" -N4 "$1" | tr -d ' '; }
first=$saved/96.cfg
for field in "428 1 language" "56 2 frame rate" "180 1 parking mode" "216 1 security LED"; do
  read -r offset want name <<<"$field"
  [ "$(word_at "$first" "$offset")" = "$want" ] || fail "96 DPI: $name is not $want"
done
for dpi in 144 192; do
  cmp -s "$first" "$saved/$dpi.cfg" || fail "$dpi DPI saved another setup.cfg than 96 DPI"
done
echo "display scale: all checks passed"
