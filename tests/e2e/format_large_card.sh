#!/usr/bin/env bash
# Formats 64 and 256 GB cards under Wine through the elevated instance, on
# the removable drive E: whose raw device \\.\E: is a sparse image file:
# - the instance alone: the program started with the format-card switch;
# - the worker and the instance: the Windows test suite beside the program
#   plays the waiting worker of a user without rights to write the card; it
#   starts the program with "runas" (under Wine: without a prompt), follows
#   its steps and takes its result (ElevatedFormatOnCard in the suite);
# - the driver's way: the Formatting button of the program's test build,
#   told by R470_TEST_DENY_RAW_VOLUME that it may not write E: (the shipped
#   program ignores that setting; under Wine it may always write).
# Each image first carries an older file system with files on it, so
# nothing of it may survive; it is checked with fsck.fat and mtools. The
# switch must also refuse a fixed disk and anything that is not a removable
# drive's root, leaving the card as it was, and report a write-protected
# card as a failure.
# Usage: format_large_card.sh PROGRAM.exe SCREENSHOT_DIR
set -euo pipefail
source "$(dirname "$0")/../../scripts/common.sh"
exe=$1
shots=$2
mkdir -p "$shots"

work=$(mktemp -d)
card=$work/card
image=$work/card.img
cleanup() {
  chattr -i "$image" 2>/dev/null || true
  stop_programs
  rm -f "$WINEPREFIX/dosdevices/e::"
  rm -rf "$work"
}
trap cleanup EXIT

steps='Local\R470FormatSteps-e2e'

# The exit code of the program started with arguments.
run_switch() {
  local code=0
  wine "$exe" "$@" >/dev/null 2>&1 || code=$?
  echo "$code"
}

mkdir -p "$card"
map_card_drive "$card"
ln -s "$image" "$WINEPREFIX/dosdevices/e::"

hooked=$(dirname "$exe")/R470_Setting_testhooks.exe
[ -f "$hooked" ] || fail "no test build beside the program"
suite=$(dirname "$exe")/win_tests.exe
[ -f "$suite" ] || fail "no Windows test suite beside the program"
program=$(winepath -w "$exe")

# Formats through the switch alone.
format_by_instance() {
  [ "$(run_switch --format-card 'E:\' "$steps")" = 1 ] || fail "the instance reported no success"
}

# Formats through the worker, which starts the instance.
format_by_worker() {
  R470_FORMAT_PROGRAM=$program wine "$suite" --gtest_filter='ElevatedFormatOnCard.*' \
    >"$work/worker.log" 2>&1 || fail "the worker's format failed: $(cat "$work/worker.log")"
  grep -q '^\[  PASSED  \] 1 test\.' "$work/worker.log" || fail "the worker did not run"
}

format_and_check() {  # size how
  rm -f "$image"
  truncate -s "$1" "$image"
  mkfs.fat -F 32 -s 8 -n OLDCARD "$image" >/dev/null
  mcopy -i "$image" "$exe" ::/OLD.EXE
  mmd -i "$image" ::/DCIM

  "format_by_$2"

  fsck_out=$(fsck.fat -n -v "$image") || fail "$1: fsck.fat found errors: $fsck_out"
  grep -q ': 1 files, 1/' <<<"$fsck_out" || fail "$1: the volume is not empty: $fsck_out"
  grep -q '32768 bytes per cluster' <<<"$fsck_out" || fail "$1: the clusters are not 32 KiB"
  minfo_out=$(minfo -i "$image" ::) || fail "$1: minfo cannot read the volume"
  grep -q 'disk label="R470       "' <<<"$minfo_out" || fail "$1: the label is not R470"
  grep -q 'disk type="FAT32   "' <<<"$minfo_out" || fail "$1: the volume is not FAT32"
  grep -q "big size: $(($(stat -c %s "$image") / 512)) sectors" <<<"$minfo_out" ||
    fail "$1: the volume does not fill the card: $minfo_out"
  mdir_out=$(mdir -i "$image" ::) || fail "$1: mdir cannot read the volume"
  grep -q 'Volume in drive : is R470' <<<"$mdir_out" || fail "$1: mdir finds no label R470"
  grep -q 'No files' <<<"$mdir_out" || fail "$1: files survived the format: $mdir_out"
  echo "format large card: $1 formatted by the $2 and checked"
}

title='Dash cam setting'
popup_title='Formatting memory card'
click() { xdotool mousemove "$1" "$2" click 1; }
wait_for() {  # seconds command...: until the command succeeds
  local deadline=$((SECONDS + $1)); shift
  until "$@"; do
    ((SECONDS < deadline)) || return 1
    sleep 0.1
  done
}

# Formats from the Formatting button of the test build, started from the
# card, which takes E: for a card it may not write: the driver's way with a
# large card. Plays the format's part on the card folder (see format_card.sh).
format_by_ui() {
  rm -rf "$card/SETTING" "$(local_copy_dir)"
  mkdir -p "$card/SETTING"
  cp "$hooked" "$card/SETTING/R470_Setting.exe"
  R470_TEST_DENY_RAW_VOLUME=E WINEDEBUG=+exec wine 'E:\SETTING\R470_Setting.exe' \
    >/dev/null 2>"$work/ui.log" &
  wait_for_window "$title" 30 >/dev/null || fail "the main window did not appear"
  sleep 1
  click 536 66  # the Additional tab
  sleep 1
  click 461 185  # the page's background, so the wheel scrolls it to its end
  xdotool click --repeat 4 --delay 100 5
  sleep 1
  click 76 468  # Formatting
  wait_for_window "$popup_title" 20 >/dev/null || fail "no confirmation"
  sleep 0.5
  xdotool key y
  wait_for 20 test -f "$(local_copy_dir)/setup.cfg" -o -f "$(local_copy_dir)/R470_Setting.exe" ||
    fail "the format did not start"
  rm -rf "$card/SETTING"
  wait_for 60 test -f "$card/SETTING/R470_Setting.exe" || fail "the program file was not put back"
  wait_for_window "$popup_title" 20 >/dev/null || fail "no final message"
  sleep 0.5
  import -window root "$shots/$size-ui-message.png"
  xdotool key Return
  sleep 0.5
  click 460 560  # Cancel
  wait_for 20 sh -c "! xdotool search --name '^$title\$' >/dev/null 2>&1" ||
    fail "the window did not close"
  # Wine's trace of the shell's start: the program itself, elevated, with the switch.
  grep -q 'verb=L"runas" file=L".*R470_Setting.exe" parm=L"--format-card E:\\\\ ' "$work/ui.log" ||
    fail "the format did not go through the elevated instance"
}

for size in 64G 256G; do
  format_and_check "$size" instance
  format_and_check "$size" worker
done
format_and_check 256G ui

# Refusals: the card, formatted above, must come through each unchanged.
mcopy -i "$image" "$exe" ::/KEEP.EXE
before=$(head -c 64M "$image" | sha256sum)
refused=(
  "--format-card|C:\\|$steps"                  # a fixed disk
  "--format-card|E:|$steps"                    # no root
  "--format-card|E:\\x|$steps"                 # a folder, not a root
  "--format-card|\\\\?\\E:\\|$steps"           # a device path
  "--format-card|\\\\.\\E:|$steps"             # the raw volume itself
  "--format-card|\\\\server\\share\\|$steps"   # a network share
  "--format-card|Q:\\|$steps"                  # a drive that does not exist
  "--format-card||$steps"                      # empty
  "--format-card|E:\\|Global\\Other"           # a foreign steps name
  "--format-card|E:\\"                         # no steps name
  "--format-card|E:\\|$steps|extra"            # more than asked for
)
for line in "${refused[@]}"; do
  IFS='|' read -r -a args <<<"$line"
  [ "$(run_switch "${args[@]}")" = 2 ] || fail "not refused: ${args[*]}"
done
[ "$(head -c 64M "$image" | sha256sum)" = "$before" ] || fail "a refused switch changed the card"
mdir -i "$image" :: | grep -q KEEP || fail "a refused switch lost the card's files"

# A write-protected card: the instance says it failed and leaves it alone.
chattr +i "$image"
[ "$(run_switch --format-card 'E:\' "$steps")" = 0 ] || fail "a protected card did not fail"
chattr -i "$image"
[ "$(head -c 64M "$image" | sha256sum)" = "$before" ] || fail "the protected card changed"
echo "format large card: all checks passed"
