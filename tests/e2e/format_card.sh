#!/usr/bin/env bash
# Formats the memory card from the Additional-functions page under Wine and
# checks both sides of the card afterwards.
#
# The card is two things under Wine: the drive E: (a folder, where the
# program's file operations land) and the raw device \\.\E: (an 8 GB image
# file, where the format writes). The format therefore changes the image but
# not the folder. The script stands in for the format on the folder side: as
# soon as the program has backed setup.cfg up, it empties the card folder, as
# a real format would, so the files found there afterwards are the ones the
# program put back.
#
# Run 0: answering No in the confirmation, the system's Yes/No box, leaves
# the card untouched.
# Run 1: a dirtied image becomes a clean FAT32 volume labelled R470 with
# 32 KiB clusters, the success message shows, and the card folder again
# holds the old setup.cfg, the program file and the web page.
# Run 2: a write-protected card (an immutable image) is left as it was, the
# failure message shows, and the files are put back all the same.
# Runs 3 to 5: a format that fails and cannot put anything back; another
# card of the same size with settings of its own, which keeps them; then
# the driver's second try on the first card, which puts its settings back.
# Usage: format_card.sh PROGRAM.exe SCREENSHOT_DIR
set -euo pipefail
source "$(dirname "$0")/../../scripts/common.sh"
exe=$1
shots=$2
mkdir -p "$shots"

work=$(mktemp -d)
card=$work/card
image=$work/card.img

cleanup() {
  chattr -i "$image" "$card" 2>/dev/null || true
  stop_programs
  rm -f "$WINEPREFIX/dosdevices/e::"
  rm -rf "$work"
}
trap cleanup EXIT

click() { xdotool mousemove "$1" "$2" click 1; }
wait_for() {  # seconds command...: until the command succeeds
  local deadline=$((SECONDS + $1)); shift
  until "$@"; do
    ((SECONDS < deadline)) || return 1
    sleep 0.1
  done
}

title='Dash cam setting'
popup_title='Formatting memory card'
additional_tab_xy=(536 66)
page_xy=(461 185)        # blank page background: a click gives the page the focus, so it gets the wheel
format_button_xy=(76 468)  # the page scrolled to its end: (25, 611 - 240) in the page at (11, 85)
cancel_xy=(460 560)

# The card folder as the camera leaves it: the program and an English
# setup.cfg (432 bytes, checkSum 432, product "R470", language 0).
mkdir -p "$card/SETTING"
cp "$exe" "$card/SETTING/R470_Setting.exe"
{ printf '\xb0\x01\x00\x00\x00\x00\x00\x00R470'; head -c 420 /dev/zero; } >"$card/SETTING/setup.cfg"
printf 'this card' | dd of="$card/SETTING/setup.cfg" bs=1 seek=24 conv=notrunc 2>/dev/null
cp "$card/SETTING/setup.cfg" "$work/setup.cfg.before"

# The raw card: 8 GB, sparse, carrying an older file system with files on
# it and its clusters of 4 KiB, so nothing of it may survive the format.
truncate -s 8G "$image"
mkfs.fat -F 32 -s 8 -n OLDCARD "$image" >/dev/null
mcopy -i "$image" "$exe" ::/OLD.EXE
mmd -i "$image" ::/DCIM

map_card_drive "$card"
ln -s "$image" "$WINEPREFIX/dosdevices/e::"

rm -rf "$(local_copy_dir)"
wine 'E:\SETTING\R470_Setting.exe' >/dev/null 2>&1 &
wait_for_window "$title" 30 >/dev/null || fail "the main window did not appear"
sleep 1
click "${additional_tab_xy[@]}"
sleep 1
click "${page_xy[@]}"
xdotool click --repeat 4 --delay 100 5
sleep 1
import -window root "$shots/additional-page.png"

backup="$(local_copy_dir)/setup.cfg"
# Whether a window titled $popup_title other than window $1 is on screen.
# The confirmation, the progress popup and the final message share the title.
titled_other_than() {
  xdotool search --onlyvisible --name "^$popup_title\$" 2>/dev/null | grep -qvx "$1"
}
# Clicks Formatting and answers the system's Yes/No box with a key.
answer_format_question() {  # key screenshot name
  local question
  click "${format_button_xy[@]}"
  question=$(wait_for_window "$popup_title" 20) || fail "no confirmation"
  sleep 0.5
  import -window root "$shots/$2-question.png"
  xdotool key "$1"
  wait_for 10 sh -c "! xdotool search --onlyvisible --name '^$popup_title\$' | grep -qx $question" ||
    fail "the confirmation stayed"
}
# Starts a format from the page and plays the format's part on the folder:
# empties it, and with "unwritable" also makes it immutable, so nothing can
# be put back.
# The settings the card in the drive should get back.
expected=$work/setup.cfg.before
format_card() {  # screenshot name [unwritable]
  rm -f "$backup"
  local popup
  answer_format_question y "$1"
  wait_for 20 cmp -s "$backup" "$expected" || fail "setup.cfg was not backed up"
  rm -rf "$card/SETTING"
  [ "${2:-}" = unwritable ] && chattr +i "$card"
  popup=$(wait_for_window "$popup_title" 20) || fail "no progress popup"
  sleep 0.5
  import -window root "$shots/$1-progress.png"
  wait_for 60 titled_other_than "$popup" || fail "no final message"
  sleep 0.5
  import -window root "$shots/$1-message.png"
  xdotool key Return
  wait_for 10 sh -c "! xdotool search --name '^$popup_title\$' >/dev/null 2>&1" ||
    fail "the final message stayed"
}

check_card_folder() {
  cmp -s "$card/SETTING/setup.cfg" "$expected" || fail "setup.cfg was not put back"
  cmp -s "$card/SETTING/R470_Setting.exe" "$exe" || fail "the program file differs"
  cmp -s "$card/SETTING/settings.html" "$ROOT/build/web/settings.html" ||
    fail "the web page was not put back"
}

# Run 0: No leaves the card as it is.
rm -f "$backup"
image_before=$(head -c 16M "$image" | sha256sum)
answer_format_question n declined
sleep 2
! xdotool search --onlyvisible --name "^$popup_title\$" >/dev/null 2>&1 || fail "No started a format"
[ ! -e "$backup" ] || fail "No backed the settings up"
[ "$(head -c 16M "$image" | sha256sum)" = "$image_before" ] || fail "No changed the card"
cmp -s "$card/SETTING/setup.cfg" "$work/setup.cfg.before" || fail "No changed setup.cfg"

# Run 1: the format.
format_card formatted
check_card_folder
fsck_out=$(fsck.fat -n -v "$image") || fail "fsck.fat found errors: $fsck_out"
grep -q ': 1 files, 1/' <<<"$fsck_out" || fail "the volume is not empty: $fsck_out"
grep -q '32768 bytes per cluster' <<<"$fsck_out" || fail "the clusters are not 32 KiB"
minfo_out=$(minfo -i "$image" ::) || fail "minfo cannot read the volume"
grep -q 'disk label="R470       "' <<<"$minfo_out" || fail "the label is not R470"
grep -q 'disk type="FAT32   "' <<<"$minfo_out" || fail "the volume is not FAT32"
mdir_out=$(mdir -i "$image" ::) || fail "mdir cannot read the volume"
grep -q 'Volume in drive : is R470' <<<"$mdir_out" || fail "mdir finds no label R470"
grep -q 'No files' <<<"$mdir_out" || fail "files survived the format: $mdir_out"
xdotool search --name "^$title\$" >/dev/null 2>&1 || fail "the main window closed"

# Run 2: a write-protected card.
mcopy -i "$image" "$exe" ::/KEEP.EXE
before=$(head -c 16M "$image" | sha256sum)
chattr +i "$image"
format_card protected
check_card_folder
[ "$(head -c 16M "$image" | sha256sum)" = "$before" ] || fail "the protected card changed"
chattr -i "$image"
mdir -i "$image" :: | grep -q KEEP || fail "the protected card lost its files"

# Run 3: a card that a failing format has left without its boot sector,
# whose writes fail (an immutable image) and to which nothing can be
# written back (an immutable card folder): nothing is put back, and only
# the program, and the backup beside it, hold the card's settings.
dd if=/dev/zero of="$image" bs=512 count=1 conv=notrunc 2>/dev/null
chattr +i "$image"
format_card unrestored unwritable
chattr -i "$card" "$image"
[ -z "$(ls -A "$card")" ] || fail "files were put back on a card that takes no writes"
cmp -s "$backup" "$work/setup.cfg.before" || fail "the backup lost the settings"

# Run 4: card B goes in, of the same size, with a file system and settings
# of its own. It keeps its own settings, not the first card's.
mv "$image" "$work/card-a.img"
truncate -s 8G "$image"
mkfs.fat -F 32 -s 8 -i B0B0B0B0 -n CARDB "$image" >/dev/null
make_card "$card" "$exe"
cp "$work/setup.cfg.before" "$work/setup.cfg.b"
printf 'card B' | dd of="$work/setup.cfg.b" bs=1 seek=24 conv=notrunc 2>/dev/null
cp "$work/setup.cfg.b" "$card/SETTING/setup.cfg"
expected=$work/setup.cfg.b
format_card other-card
check_card_folder

# Run 5: the first card again, still without a file system. It holds no
# setup.cfg any more, yet gets its own back, byte for byte.
mv "$work/card-a.img" "$image"
rm -rf "${card:?}"/*
expected=$work/setup.cfg.before
format_card retried
check_card_folder
fsck.fat -n "$image" >/dev/null || fail "the retried format left errors"

click "${cancel_xy[@]}"
wait_for 20 sh -c "! xdotool search --name '^$title\$' >/dev/null 2>&1" || fail "the window did not close"
echo "format card: all checks passed"
