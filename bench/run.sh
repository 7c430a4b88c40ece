#!/usr/bin/env bash
# Prints the program's benchmark figures side by side, as Markdown tables:
#   1. start-up under Wine, from process start to the main window painted,
#      against a minimal Win32 program that only opens one window and
#      against the template twin, which makes the same window and Common
#      page from the program's templates, without skin, pictures or logic;
#   2. the size of the program file;
#   3. the FAT32 writer against mkfs.fat on sparse images of 8, 64 and
#      256 GiB: time and bytes written;
#   4. the pictures decoded while the window paints (a count, not a time);
#   5. the web page settings.html: its bytes, and in headless Chromium the
#      time to its first render, to a card shown and of a save.
# Figures only: no target is asserted here. The exit status is non-zero
# when a check behind a figure fails (a picture decoded while painting, a
# volume that fsck.fat rejects).
#
# Everything lives under build/: its own build trees with the program and
# the tools (bench-win, bench-native), images (bench), Wine prefix
# (bench-prefix) and virtual display. BENCH_RUNS sets the start-up runs per
# program (9).
set -euo pipefail
source "$(dirname "$0")/../scripts/common.sh"
cd "$ROOT"
PATH=$PATH:/usr/sbin:/sbin  # mkfs.fat and fsck.fat

load_before=$(cut -d ' ' -f 1-3 /proc/loadavg)
runs=${BENCH_RUNS:-9}
format_runs=5
image_sizes=(8 64 256)
win_tree=$ROOT/build/bench-win
native_tree=$ROOT/build/bench-native
work=$ROOT/build/bench
program=$win_tree/program/R470_Setting.exe
phased_program=$win_tree/program/R470_Setting_testhooks.exe
minimal_exe=$win_tree/minimal_window.exe
twin_exe=$win_tree/template_twin.exe

PACKAGES+=(libx11-dev)
ensure_packages
mkdir -p "$work"

# bench/CMakeLists.txt builds the tools beside the program with its rules.
build() {  # tree [cmake arguments...] -- targets...
  local tree=$1; shift
  local configure=()
  while [ "$1" != -- ]; do configure+=("$1"); shift; done
  shift
  cmake -S "$ROOT/bench" -B "$tree" -DCMAKE_BUILD_TYPE=Release -Wno-dev "${configure[@]}" >/dev/null
  cmake --build "$tree" -j"$(nproc)" --target "$@" >/dev/null
}

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
mib() { awk -v b="$1" 'BEGIN { printf "%.1f MiB", b / 1048576 }'; }
field() { sed -n "s/^\(.* \)\?$1=\([^ ]*\).*/\2/p" <<<"$2"; }  # field NAME "k=v k=v"

failures=()

# Start-up. Probe pixels stand for "painted": the window's own frame
# (title bar), the Common page's background, and controls that are drawn
# only once the window's children paint: the program's Save button and
# its volume slider's thumb, the twin's brightness slider's thumb and its
# zone list's arrow (the twin's window and page are a plain colour, which
# they show as soon as they are mapped, before any control is drawn). The
# minimal window has only its background. At another display scale the
# program's window grows, and its probes with it.
program_probes=("480,15" "300,300" "564,560" "305,428")
twin_probes=("480,15" "300,300" "162,172" "395,489")
minimal_probes=("480,15" "300,300" "564,560")
probes_at() {  # dpi probe... -> the probes in that scale's pixels
  local dpi=$1 probe
  shift
  for probe in "$@"; do
    echo "$(((${probe%,*} * dpi + 48) / 96)),$(((${probe#*,} * dpi + 48) / 96))"
  done
}

# A control probe that settled on the page's background colour missed its
# control (another machine's fonts place the twin's controls elsewhere):
# its time would be that of the background, not of the controls.
check_control_probes() {  # name recorded-colours
  local background probe
  background=$(field 300,300 "$2")
  for probe in $2; do
    case "${probe%=*}" in 480,15 | 300,300) continue ;; esac
    [ "${probe#*=}" != "$background" ] || failures+=("$1: the probe ${probe%=*} shows the page's background, not a control")
  done
}

# The programs run from a folder of their own on Windows' drive, as the
# program's local copy does (a start from the card runs that copy): not
# from the build tree, a Unix folder whose many files the loader searches.
install_on_c() {  # prefix
  mkdir -p "$1/drive_c/bench"
  cp "$program" "$phased_program" "$minimal_exe" "$twin_exe" "$1/drive_c/bench/"
}
on_c() { echo "C:\\bench\\$(basename "$1")"; }

startup() {
  use_display_scale 96
  install_on_c "$WINEPREFIX"
  local ours=(wine "$(on_c "$program")" "$card_win") minimal=(wine "$(on_c "$minimal_exe")")
  local twin=(wine "$(on_c "$twin_exe")")
  xdotool mousemove 1500 1200  # no hover look under the pointer
  # The recording runs also warm Wine and the file cache for each.
  local ours_colours minimal_colours twin_colours scaled_colours
  # shellcheck disable=SC2046  # the probes are separate words
  ours_colours=$("$native_tree/first_paint" record $(probes_at 96 "${program_probes[@]}") -- "${ours[@]}")
  # shellcheck disable=SC2046
  minimal_colours=$("$native_tree/first_paint" record $(probes_at 96 "${minimal_probes[@]}") -- "${minimal[@]}")
  # shellcheck disable=SC2046
  twin_colours=$("$native_tree/first_paint" record $(probes_at 96 "${twin_probes[@]}") -- "${twin[@]}")
  check_control_probes "the program" "$ours_colours"
  check_control_probes "the template twin" "$twin_colours"
  local i line ours_wall=() ours_cpu=() minimal_wall=() minimal_cpu=() scaled_wall=() scaled_cpu=()
  local twin_wall=() twin_cpu=() again_wall=() again_cpu=()
  for ((i = 0; i < runs; i++)); do
    # shellcheck disable=SC2086  # the colours are separate words
    line=$("$native_tree/first_paint" time $minimal_colours -- "${minimal[@]}")
    minimal_wall+=("$(field wall "$line")") minimal_cpu+=("$(field cpu "$line")")
    # shellcheck disable=SC2086
    line=$("$native_tree/first_paint" time $twin_colours -- "${twin[@]}")
    twin_wall+=("$(field wall "$line")") twin_cpu+=("$(field cpu "$line")")
    # shellcheck disable=SC2086
    line=$("$native_tree/first_paint" time $ours_colours -- "${ours[@]}")
    ours_wall+=("$(field wall "$line")") ours_cpu+=("$(field cpu "$line")")
  done

  # 150 % needs a prefix of its own, whose Wine processes slow every run
  # beside them (by tens of milliseconds): so it runs apart, alternating
  # with the program at 96 DPI again, and its prefix ends afterwards.
  use_display_scale 144
  local scaled_prefix=$WINEPREFIX
  install_on_c "$scaled_prefix"
  use_display_scale 96
  local scaled=(env "WINEPREFIX=$scaled_prefix" wine "$(on_c "$program")" "$card_win")
  # shellcheck disable=SC2046
  scaled_colours=$("$native_tree/first_paint" record $(probes_at 144 "${program_probes[@]}") -- "${scaled[@]}")
  for ((i = 0; i < runs; i++)); do
    # shellcheck disable=SC2086
    line=$("$native_tree/first_paint" time $ours_colours -- "${ours[@]}")
    again_wall+=("$(field wall "$line")") again_cpu+=("$(field cpu "$line")")
    # shellcheck disable=SC2086
    line=$("$native_tree/first_paint" time $scaled_colours -- "${scaled[@]}")
    scaled_wall+=("$(field wall "$line")") scaled_cpu+=("$(field cpu "$line")")
  done
  WINEPREFIX=$scaled_prefix wineserver -k
  local ow oc mw mc tw tc sw sc aw ac
  aw=$(printf '%s\n' "${again_wall[@]}" | median)
  ac=$(printf '%s\n' "${again_cpu[@]}" | median)
  ow=$(printf '%s\n' "${ours_wall[@]}" | median)
  oc=$(printf '%s\n' "${ours_cpu[@]}" | median)
  mw=$(printf '%s\n' "${minimal_wall[@]}" | median)
  mc=$(printf '%s\n' "${minimal_cpu[@]}" | median)
  tw=$(printf '%s\n' "${twin_wall[@]}" | median)
  tc=$(printf '%s\n' "${twin_cpu[@]}" | median)
  sw=$(printf '%s\n' "${scaled_wall[@]}" | median)
  sc=$(printf '%s\n' "${scaled_cpu[@]}" | median)
  echo "### Start-up under Wine: process start to main window painted"
  echo
  echo "Median of $runs runs each, each run from a folder on Windows' drive, as the"
  echo "program's local copy is: the minimal window, the template twin and the"
  echo "program at 96 DPI alternating; then the program at 144 DPI (150 %), from a"
  echo "prefix of its own, alternating with the program at 96 DPI again."
  echo "The twin makes the same window and Common page from the program's dialog"
  echo "templates, with its resources and manifest, but no skin, pictures or logic:"
  echo "the floor for this window under Wine. A window counts as painted once its"
  echo "page's controls are drawn (a probe on a control of each). Wall time is"
  echo "what the user waits for; processor time (the program's process, all its"
  echo "threads) leaves out the waits for Wine's server, the X server and other work."
  echo
  echo "| program | wall time | wall time, every run (ms) | processor time |"
  echo "|---|---|---|---|"
  echo "| R470_Setting.exe | $ow ms | ${ours_wall[*]} | $oc ms |"
  echo "| template twin | $tw ms | ${twin_wall[*]} | $tc ms |"
  awk -v ow="$ow" -v tw="$tw" -v oc="$oc" -v tc="$tc" \
    'BEGIN { printf "| program ÷ twin | %.2f × | | %.2f × |\n", ow / tw, oc / tc }'
  echo "| minimal Win32 window | $mw ms | ${minimal_wall[*]} | $mc ms |"
  awk -v ow="$ow" -v mw="$mw" -v oc="$oc" -v mc="$mc" \
    'BEGIN { printf "| program ÷ minimal window | %.1f × | | %.1f × |\n", ow / mw, oc / mc }'
  echo "| R470_Setting.exe at 144 DPI | $sw ms | ${scaled_wall[*]} | $sc ms |"
  echo "| R470_Setting.exe at 96 DPI, beside it | $aw ms | ${again_wall[*]} | $ac ms |"
  awk -v sw="$sw" -v aw="$aw" -v sc="$sc" -v ac="$ac" \
    'BEGIN { printf "| 144 DPI ÷ 96 DPI | %.2f × | | %.2f × |\n", sw / aw, sc / ac }'
  echo
}

# Where a start spends its time: the test build of the program marks each
# phase (src/win/app/start_phases.h) with the wall-clock time; each run
# waits for the last mark, the hidden pages shown.
phases() {
  local log_unix="$work/phases.log" i started pid
  local log_win="Z:${log_unix//\//\\}"
  local last="Additional page shows the record"
  for ((i = 0; i < runs; i++)); do
    rm -f "$log_unix"
    started=$(date +%s%N)
    R470_TEST_PHASE_LOG=$log_win wine "$(on_c "$phased_program")" "$card_win" >/dev/null 2>&1 &
    pid=$!
    local deadline=$((SECONDS + 20))
    until grep -q "^$last " "$log_unix" 2>/dev/null; do
      ((SECONDS < deadline)) || { failures+=("the test build never marked '$last'"); break; }
      sleep 0.05
    done
    stop_programs
    wait "$pid" 2>/dev/null || true
    # Wine tears the killed program's windows down after the process has
    # gone; the next start would share the server with that work.
    sleep 0.5
    # "name<TAB>ms since the process was started" for each phase's first mark.
    awk -v s="$started" '{ t = $NF; sub(/ [0-9.]+$/, ""); if (!seen[$0]++) printf "%s\t%.1f\n", $0, t - s / 1e6 }' \
      "$log_unix" >"$work/phases.$i"
  done
  echo "### Where the start goes: phases of the test build"
  echo
  echo "Median of $runs runs of the test build (the program plus marks that the"
  echo 'shipped program compiles out), milliseconds since `wine` was started.'
  echo "The time-zone list and the hidden pages are filled once the window is painted."
  echo
  echo "| phase ends | since start | after the previous phase |"
  echo "|---|---|---|"
  local name previous=0 median
  while IFS= read -r name; do
    median=$(cat "$work"/phases.* | awk -F '\t' -v n="$name" '$1 == n { print $2 }' | median)
    awk -v n="$name" -v m="$median" -v p="$previous" \
      'BEGIN { printf "| %s | %.1f ms | %.1f ms |\n", n, m, m - p }'
    previous=$median
  done < <(cut -f 1 "$work/phases.0")
  echo
  rm -f "$work"/phases.*
}

size() {
  echo "### Program size"
  echo
  echo "| file | bytes |"
  echo "|---|---|"
  echo "| R470_Setting.exe (Release, stripped, static) | $(stat -c %s "$program") |"
  echo "| minimal Win32 window, built alike | $(stat -c %s "$minimal_exe") |"
  echo
}

# Formatting. Each run gets fresh sparse images; the time includes an
# fsync of the image, which mkfs.fat does itself and the writer leaves to
# the device, so both are timed to the data on disk.
format_one() {  # gib -> prints a table row
  local gib=$1 i ours_s=() mkfs_s=() ours mkfs
  local a="$work/ours.img" b="$work/mkfs.img"
  for ((i = 0; i < format_runs; i++)); do
    rm -f "$a" "$b"
    truncate -s "${gib}G" "$a" "$b"
    ours=$("$native_tree/measure_io" --fsync "$a" "$native_tree/format_bench" "$a")
    mkfs=$("$native_tree/measure_io" --fsync "$b" mkfs.fat -F 32 -s 64 -n R470 "$b")
    ours_s+=("$(field seconds "$ours")")
    mkfs_s+=("$(field seconds "$mkfs")")
  done
  local image checks=()
  for image in "$a" "$b"; do
    if fsck.fat -n "$image" >/dev/null 2>&1; then checks+=(ok); else checks+=(REJECTED); fi
  done
  [[ "${checks[*]}" == "ok ok" ]] || failures+=("fsck.fat on the ${gib} GiB images: ${checks[*]}")
  local ours_median mkfs_median
  ours_median=$(printf '%s\n' "${ours_s[@]}" | median)
  mkfs_median=$(printf '%s\n' "${mkfs_s[@]}" | median)
  awk -v g="$gib" -v a="$ours_median" -v b="$mkfs_median" \
    -v wa="$(mib "$(field wchar "$ours")")" -v wb="$(mib "$(field wchar "$mkfs")")" \
    -v ca="${checks[0]}" -v cb="${checks[1]}" \
    'BEGIN { printf "| %d GiB | %.1f ms | %.1f ms | %.2f | %s | %s | %s / %s |\n",
             g, a * 1000, b * 1000, a / b, wa, wb, ca, cb }'
  rm -f "$a" "$b"
}

format() {
  echo "### FAT32 quick format of a sparse image"
  echo
  echo "Our writer (512-byte sectors, 32 KiB clusters) against"
  echo "\`mkfs.fat -F 32 -s 64 -n R470\` (dosfstools $(dpkg-query -W -f='${Version}' dosfstools))"
  echo "on an identical image; median of $format_runs runs each, time to the data"
  echo "synced; bytes are those handed to write calls (wchar of /proc/PID/io)."
  echo
  echo "| image | our writer | mkfs.fat | time ratio (ours ÷ mkfs.fat) | written by ours | by mkfs.fat | fsck.fat |"
  echo "|---|---|---|---|---|---|---|"
  local gib
  for gib in "${image_sizes[@]}"; do format_one "$gib"; done
  echo
}

decodes() {
  local counts
  local status=0
  counts=$(wine "$win_tree/paint_decodes.exe" "$card_win") || status=$?
  counts=${counts//$'\r'/}  # a console line of a Windows program ends in CR LF
  if ((status != 0)); then failures+=("pictures decoded while painting: $counts"); fi
  echo "### Pictures decoded"
  echo
  echo "| when | pictures decoded |"
  echo "|---|---|"
  echo "| while the main window is built | $(field built "$counts") |"
  echo "| during its first paint | $(field first_paint "$counts") |"
  echo "| after it, building the pages not shown yet | $(field after_first_paint "$counts") |"
  echo "| during $(field paints "$counts") later paints (every tab, hover, full redraws) | $(field repaints "$counts") |"
  echo
}

machine() {
  local cpu memory
  cpu=$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n 1)
  memory=$(awk '/^MemTotal/ { printf "%.0f GiB", $2 / 1048576 }' /proc/meminfo)
  echo "Machine: $(nproc) CPUs ($cpu), $memory memory; $(wine --version); $(date -u +%Y-%m-%d);"
  echo "load average before the build $load_before (other work scatters start-up most)."
  echo
}

echo "Building..." >&2
# The program carries the web page, so the web tree comes first.
build_tree web >/dev/null
build "$win_tree" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64.cmake" -- \
  R470_Setting R470_Setting_testhooks minimal_window template_twin paint_decodes
build "$native_tree" -- measure_io first_paint format_bench

# Always a virtual display of our own: probe positions assume a bare screen.
unset DISPLAY
export WINEPREFIX=$ROOT/build/bench-prefix
start_wine
# An empty card folder: the program starts on the defaults, from the PC,
# so it neither copies nor relaunches itself.
card=$(mktemp -d "$work/card.XXXXXX")
card_win="Z:${card//\//\\}\\"
cleanup() {
  stop_wine
  rm -rf "$card" "$work/ours.img" "$work/mkfs.img"
}
trap cleanup EXIT

# The web page's figures, from its own tree and Debian's Chromium.
web() {
  ensure_node_packages >&2
  node bench/web_page.mjs "$ROOT/build/web/settings.html"
}

echo "Measuring..." >&2
echo
machine
startup
phases
size
format
decodes
web

if ((${#failures[@]})); then
  printf 'FAILED: %s\n' "${failures[@]}" >&2
  exit 1
fi
