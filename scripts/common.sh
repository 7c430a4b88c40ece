# Shared by the scripts: installs what a fresh Debian machine lacks, builds the
# two trees and prepares Wine with a display. Source it; do not run it.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
PACKAGES=(cmake g++ libgtest-dev g++-mingw-w64-x86-64-posix mingw-w64-tools
  wine wine64 xvfb xdotool imagemagick dosfstools mtools e2fsprogs
  clang libclang-rt-dev emscripten unicode-cldr-core chromium nodejs)

ensure_packages() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
  fi
}

build_tree() {  # preset [extra cmake arguments...]
  local preset=$1; shift
  cmake --preset "$preset" -Wno-dev "$@" >/dev/null
  cmake --build --preset "$preset" -j"$(nproc)"
}

# The web page's test and tool packages (tests/web/package.json, exact
# versions in its lock file); none of them downloads a browser.
ensure_node_packages() {
  # Node from outside Debian brings its own npm; Debian's comes apart.
  command -v npm >/dev/null || DEBIAN_FRONTEND=noninteractive apt-get install -y -qq npm >/dev/null
  (cd "$ROOT/tests/web" && PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error)
}

ci_flags() {
  [ -n "${CI:-}" ] && echo "-DWARNINGS_AS_ERRORS=ON"
  return 0
}

# Wine with its own prefix in the build tree, a virtual display and a
# persistent wineserver (a process then starts in well under a second).
XVFB_PID=""
start_wine() {
  export WINEPREFIX="${WINEPREFIX:-$ROOT/build/wineprefix}"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree=;mshtml="
  export WINEARCH=win64
  if [ -z "${DISPLAY:-}" ]; then
    # Xvfb picks a free display itself and tells its number once it
    # listens, so runs side by side never share a screen.
    local numbers
    numbers=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1600x1280x24 -nolisten tcp 3>"$numbers" >/dev/null 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 100); do [ -s "$numbers" ] && break; sleep 0.05; done
    [ -s "$numbers" ] || { echo "Xvfb did not start" >&2; rm -f "$numbers"; return 1; }
    export DISPLAY=":$(head -n 1 "$numbers")"
    rm -f "$numbers"
  fi
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Creating the Wine prefix (first run only)..."
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w
    # Without a window manager Wine waits two seconds for every managed
    # window that closes; unmanaged windows close at once.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    wineserver -w
  fi
  wineserver -p >/dev/null 2>&1 || true  # already running: fine
  # Start Wine's own background processes now, detached from our output:
  # started later by a test they would hold ctest's output pipe open.
  wine cmd /c exit >/dev/null 2>&1 || true
}

stop_wine() {
  local base=${BASE_WINEPREFIX:-${WINEPREFIX:-}} prefix
  if [ -n "$base" ]; then
    for prefix in "$base" "$base"-dpi*; do
      if [ -d "$prefix" ]; then WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 || true; fi
    done
  fi
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" >/dev/null 2>&1 || true
  XVFB_PID=""
}

# From here on Wine runs at display scale $1 DPI (96 is 100 %): in a copy
# of the prefix of start_wine, made once per scale, whose LogPixels tell
# every program started in it that scale. Call after start_wine.
use_display_scale() {  # dpi
  : "${BASE_WINEPREFIX:=$WINEPREFIX}"
  export BASE_WINEPREFIX
  if [ "$1" = 96 ]; then
    export WINEPREFIX=$BASE_WINEPREFIX
    return
  fi
  export WINEPREFIX="$BASE_WINEPREFIX-dpi$1"
  [ -f "$WINEPREFIX/system.reg" ] || cp -a "$BASE_WINEPREFIX" "$WINEPREFIX"
  # Started detached from our output, as in start_wine.
  wineserver -p >/dev/null 2>&1 || true
  wine cmd /c exit >/dev/null 2>&1 || true
  local key
  for key in 'HKCU\Control Panel\Desktop' \
    'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts'; do
    wine reg add "$key" /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
  done
}

# Maps a folder as the removable drive E: of the Wine prefix, as a memory
# card appears on a PC. Call after start_wine.
map_card_drive() {  # folder
  rm -f "$WINEPREFIX/dosdevices/e:" "$WINEPREFIX/dosdevices/e::"
  ln -s "$1" "$WINEPREFIX/dosdevices/e:"
  wine reg add 'HKLM\Software\Wine\Drives' /v 'e:' /d floppy /f >/dev/null 2>&1
  # The drive types are read when the server starts.
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w
  wineserver -p >/dev/null 2>&1 || true  # already running: fine
  wine cmd /c exit >/dev/null 2>&1 || true
}

# Ends the program's instances that run in this run's Wine prefixes (the
# test prefix and its display-scale copies), never those of another run on
# the same machine, nor a script that names the program.
stop_programs() {
  local base=${BASE_WINEPREFIX:-$WINEPREFIX} pid prefix
  for pid in $(pgrep -f 'R470_Setting(_testhooks)?[.]exe' || true); do
    [[ "$(readlink "/proc/$pid/exe" 2>/dev/null)" == *wine* ]] || continue
    prefix=$(tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | sed -n 's/^WINEPREFIX=//p')
    case "$prefix" in
      "$base" | "$base"-dpi*) kill "$pid" 2>/dev/null || true ;;
    esac
  done
}

# Where the program keeps its local copy inside the prefix.
local_copy_dir() {
  echo "$WINEPREFIX/drive_c/users/$(whoami)/AppData/Local/Vistapane"
}

# Ends an end-to-end script with a message and, when the script keeps
# screenshots in $shots, a picture of the screen as it was.
fail() {
  echo "FAIL: $*" >&2
  if [ -n "${shots:-}" ]; then import -window root "$shots/failure.png" 2>/dev/null || true; fi
  exit 1
}

# A card folder as the camera leaves it: SETTING with the program in it.
make_card() {  # folder program
  mkdir -p "$1/SETTING"
  cp "$2" "$1/SETTING/R470_Setting.exe"
}

# Waits up to $2 seconds (default 20) until no window is titled $1; false
# when one still is.
wait_until_closed() {
  local deadline=$((SECONDS + ${2:-20}))
  while xdotool search --name "^$1\$" >/dev/null 2>&1; do
    ((SECONDS < deadline)) || return 1
    sleep 0.2
  done
}

# Waits up to $2 seconds (default 20) for a window titled $1; prints its id.
wait_for_window() {
  local deadline=$((SECONDS + ${2:-20})) id
  while ((SECONDS < deadline)); do
    id=$(xdotool search --name "^$1\$" 2>/dev/null | head -n 1)
    if [ -n "$id" ]; then echo "$id"; return 0; fi
    sleep 0.2
  done
  return 1
}
