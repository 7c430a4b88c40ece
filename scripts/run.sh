#!/usr/bin/env bash
# Builds the program if needed and starts it under Wine the way a driver
# does: from the SETTING folder of a memory card (a demo card folder mapped
# as the removable drive E:). Without a display it runs on a virtual one,
# saves a screenshot under build/ and says where.
#
# The demo card carries the web page settings.html beside the program.
# `run.sh --web` opens that page on the demo card instead: in Chromium on
# the display, or without one, headless, saving screenshots of its four
# pages under build/web-screenshots.
set -euo pipefail
source "$(dirname "$0")/common.sh"
cd "$ROOT"

ensure_packages
card="$ROOT/build/demo-card"
mkdir -p "$card/SETTING"
# The program carries the web page, so the web tree comes first.
build_tree web
cp build/web/settings.html "$card/SETTING/"

if [ "${1:-}" = "--web" ]; then
  [ -f "$card/SETTING/settings.html" ] || exit 1
  if [ -n "${DISPLAY:-}" ]; then
    exec chromium "file://$card/SETTING/settings.html"
  fi
  ensure_node_packages
  node tests/web/show_card.mjs "$card/SETTING" "$ROOT/build/web-screenshots"
  exit 0
fi

build_tree windows

had_display=${DISPLAY:-}
start_wine
trap stop_wine EXIT

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
