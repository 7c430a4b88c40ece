#!/usr/bin/env bash
# The program runs from the card and then from a folder the user can write
# to; both may hold DLLs that nobody vetted. This test puts DLLs named like
# the ones the program and its system libraries load beside the program on
# the card and in the local copy's folder, and tells Wine to prefer a DLL it
# finds over its own. Each planted DLL logs its path when it is loaded. The
# program must still start, and Save must still write setup.cfg, without one
# planted DLL ever being loaded.
# Usage: planted_dlls.sh PROGRAM.exe SCREENSHOT_DIR
set -euo pipefail
source "$(dirname "$0")/../../scripts/common.sh"
exe=$1
shots=$2
mkdir -p "$shots"

# Not among the DLLs Windows always takes from its system folder, and loaded
# by the program or, for uxtheme.dll, on its behalf (fmifs.dll only for a
# card format, which this test does not start). Left out are names that
# Wine's own DLLs load through their import tables without the search limits
# the program sets (version.dll for Wine's user32 at process start;
# msimg32.dll, windowscodecs.dll and propsys.dll on first use): the program
# has no say in those loads.
planted=(gdiplus comctl32 oleacc uxtheme fmifs)

work=$(mktemp -d)
log=$work/loaded.txt
card=$work/card
copyDir=$(local_copy_dir)
launcher=""
title='Dash cam setting'

close_program() {  # by the process ids of its windows, never by name
  local window
  for window in $(xdotool search --name "^$title\$" 2>/dev/null); do
    kill "$(xdotool getwindowpid "$window")" 2>/dev/null || true
  done
  [ -z "$launcher" ] || kill "$launcher" 2>/dev/null || true
}
cleanup() {
  close_program
  for name in "${planted[@]}"; do rm -f "$copyDir/$name.dll"; done
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  [ ! -e "$log" ] || { echo "Planted DLLs that were loaded:" >&2; cat "$log" >&2; }
  import -window root "$shots/failure.png" 2>/dev/null || true
  exit 1
}

# One DLL, copied under every name: it appends its own path to the log.
cat >"$work/planted.c" <<'EOF'
#include <windows.h>
BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID reserved) {
  (void)reserved;
  if (reason == DLL_PROCESS_ATTACH) {
    char line[MAX_PATH + 2];
    DWORD length = GetModuleFileNameA(self, line, MAX_PATH);
    line[length++] = '\n';
    HANDLE log = CreateFileA(LOG_PATH, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                             NULL, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (log != INVALID_HANDLE_VALUE) {
      DWORD written;
      WriteFile(log, line, length, &written, NULL);
      CloseHandle(log);
    }
  }
  return TRUE;
}
EOF
x86_64-w64-mingw32-gcc -shared -s -DLOG_PATH="\"Z:$log\"" -o "$work/planted.dll" "$work/planted.c"

make_card "$card" "$exe"
rm -rf "$copyDir"
mkdir -p "$copyDir"
for name in "${planted[@]}"; do
  cp "$work/planted.dll" "$card/SETTING/$name.dll"
  cp "$work/planted.dll" "$copyDir/$name.dll"
done
map_card_drive "$card"

overrides=$(IFS=,; echo "${planted[*]}")
WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-};$overrides=n,b" wine 'E:\SETTING\R470_Setting.exe' >/dev/null 2>&1 &
launcher=$!
wait_for_window "$title" 30 >/dev/null || fail "the main window did not appear"
sleep 1  # let it paint
import -window root "$shots/main-window.png"
[ -f "$copyDir/R470_Setting.exe" ] || fail "no local copy was made"

xdotool mousemove 564 560 click 1  # Save
wait_until_closed "$title" || fail "the window did not close after Save"
[ -f "$card/SETTING/setup.cfg" ] || fail "Save wrote no setup.cfg"
[ "$(stat -c %s "$card/SETTING/setup.cfg")" -eq 432 ] || fail "setup.cfg is not 432 bytes"

[ ! -e "$log" ] || fail "the program loaded a DLL from its own folder"
echo "planted DLLs: none loaded, the program works"
