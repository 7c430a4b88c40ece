#!/usr/bin/env bash
# Builds the program if needed and starts it under Wine the way a driver
# does: from the SETTING folder of a memory card (a demo card folder mapped
# as the removable drive E:). Without a display it runs on a virtual one,
# saves a screenshot under build/ and says where.
set -euo pipefail
source "$(dirname "$0")/common.sh"
cd "$ROOT"

ensure_packages
build_tree windows

had_display=${DISPLAY:-}
start_wine
trap stop_wine EXIT

card="$ROOT/build/demo-card"
mkdir -p "$card/SETTING"
cp build/windows/R470_Setting.exe "$card/SETTING/"
map_card_drive "$card"
echo "Demo card: $card (drive E:)"

wine 'E:\SETTING\R470_Setting.exe' >/dev/null 2>&1 &
if [ -n "$had_display" ]; then
  echo "The tool runs on $DISPLAY; close it to end."
  sleep 2
  while pgrep -f 'R470_Setting.exe' >/dev/null; do sleep 1; done
else
  if id=$(wait_for_window 'Dash cam setting|Paramétrage de la Dashcam' 30); then
    sleep 1
    import -window root "$ROOT/build/screenshot.png"
    echo "Screenshot of the running tool: $ROOT/build/screenshot.png"
  else
    echo "The main window did not appear." >&2
    exit 1
  fi
fi
