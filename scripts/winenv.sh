# Shared set-up for every script that builds Vantor or runs it under wine.
# Source it from the repository root; it defines functions and changes nothing by itself.
#   VANTOR_BUILD   build folder (default: build); the wine prefix lives inside it
#   VANTOR_DISPLAY "xvfb" to always use a private Xvfb, "auto" (default) to use $DISPLAY when set
#   VANTOR_DPI     the screen's dots per inch for wine (default 96); another value gets a prefix
#                  of its own, wineprefix-DPI, so the one at 96 stays as it is
#   VANTOR_MANAGED Y: wine hands its windows to a window manager (a prefix of its own,
#                  wineprefix-managed); default N, the tests' bare Xvfb, where hides are fast

VANTOR_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${VANTOR_BUILD:-$VANTOR_ROOT/build}
case "$BUILD" in /*) ;; *) BUILD=$VANTOR_ROOT/$BUILD ;; esac
BIN=$BUILD/bin

VANTOR_PACKAGES=(mingw-w64 g++-mingw-w64-x86-64 wine wine64 fonts-wine xvfb xauth cmake make
                 imagemagick x11-apps x11-utils xdotool openbox googletest)

vantor_log() { printf '[vantor] %s\n' "$*" >&2; }

# Installs the Debian packages that are missing, and only those; through sudo only when not root.
# Two runs at once on a fresh machine take turns: the second waits for the first's install, then
# finds nothing missing, instead of failing on apt's lock (another apt on the machine is waited for
# through apt's own lock timeout).
vantor_ensure_packages() {
  local missing=() p lock
  exec {lock}>"${TMPDIR:-/tmp}/vantor-packages.lock"
  flock "$lock"
  for p in "${VANTOR_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && { exec {lock}>&-; return 0; }
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { vantor_log "missing: ${missing[*]}; run as root or install sudo"; return 1; }
    sudo=sudo
  fi
  vantor_log "installing: ${missing[*]}"
  $sudo apt-get update -qq -o DPkg::Lock::Timeout=600
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
    -o DPkg::Lock::Timeout=600 "${missing[@]}" >/dev/null
  exec {lock}>&-
}

# Configures through the repository's preset (toolchain and build type live there); -B puts the
# build where VANTOR_BUILD says instead of the preset's build/.
vantor_build() {
  cmake -S "$VANTOR_ROOT" --preset mingw -B "$BUILD" >/dev/null
  cmake --build "$BUILD" -j"$(nproc)" "$@"
}

vantor_wine_env() {
  export WINEPREFIX=$BUILD/wineprefix
  [ "${VANTOR_DPI:-96}" = 96 ] || WINEPREFIX=$BUILD/wineprefix-$VANTOR_DPI
  [ "${VANTOR_MANAGED:-N}" = N ] || WINEPREFIX=$WINEPREFIX-managed
  export WINEARCH=win64
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml=;winealsa.drv=d"
  # Pins wine's ANSI code page to 1252, so the bytes Vantor types do not follow the host's locale.
  export LC_ALL=C.UTF-8
}

VANTOR_XVFB_PID=""
# Uses the user's display when there is one, else a private Xvfb on a free display number.
# -noreset: by default the server resets when its last client leaves (the window-manager check's
# xprop is the first), and a client that connects during that reset is turned away. On a busy
# machine openbox met that in 13 of 80 starts ("Failed to open the display"), none with it.
vantor_display() {
  if [ "${VANTOR_DISPLAY:-auto}" = auto ] && [ -n "${DISPLAY:-}" ]; then return 0; fi
  local fifo; fifo=$(mktemp -u); mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$fifo" >/dev/null 2>&1 &
  VANTOR_XVFB_PID=$!
  local n; read -r -t 20 n <"$fifo"; rm -f "$fifo"
  [ -n "$n" ] || { vantor_log "Xvfb did not start"; return 1; }
  export DISPLAY=:$n
}

VANTOR_WM_PID=""
# True when a window manager runs on $DISPLAY (it names itself on the root window).
vantor_has_window_manager() {
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'
}

# A display without a window manager gets openbox for this run, so that topmost windows stay in
# front of the ones clicked after them; a desktop that has one keeps its own.
# It may take a while on a busy machine: up to 30 s by the clock, and a failure says what
# openbox said and whether it is still running.
vantor_window_manager() {
  vantor_has_window_manager && return 0
  local said; said=$(mktemp)
  openbox --sm-disable >"$said" 2>&1 &
  VANTOR_WM_PID=$!
  local end=$((SECONDS + 30))
  while [ $SECONDS -lt $end ]; do
    vantor_has_window_manager && { rm -f "$said"; return 0; }
    sleep 0.1
  done
  local state=running; kill -0 "$VANTOR_WM_PID" 2>/dev/null || state=ended
  vantor_log "openbox did not come up on $DISPLAY in 30 s ($state); it said: $(tr '\n' ' ' <"$said")"
  rm -f "$said"; return 1
}

# A throwaway prefix inside the build folder, set up once.
vantor_prefix() {
  [ -f "$WINEPREFIX/.vantor-ready" ] && return 0
  vantor_log "creating wine prefix $WINEPREFIX"
  rm -rf "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1
  wineserver -w
  # Without these, captions draw as boxes and the symbol faces are missing.
  cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  # A crash must end the program, not park it in wine's debugger.
  wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger \
    /d 'no-debugger.exe %ld %ld' /f >/dev/null 2>&1
  # Without a window manager, hiding a managed window stalls for 2 s; panels hide all the time.
  # Unmanaged windows stack only within their own process, though: a click into the client
  # raises it above Vantor's topmost panels. At a desktop, wine's windows go to the window
  # manager, which keeps topmost windows above as Windows does.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d "${VANTOR_MANAGED:-N}" \
    /f >/dev/null 2>&1
  # Wine reads the screen's DPI from both keys when a program starts (144 is 150 %).
  if [ "${VANTOR_DPI:-96}" != 96 ]; then
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$VANTOR_DPI" /f \
      >/dev/null 2>&1
    wine reg add 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts' \
      /v LogPixels /t REG_DWORD /d "$VANTOR_DPI" /f >/dev/null 2>&1
  fi
  wineserver -w
  touch "$WINEPREFIX/.vantor-ready"
}

VANTOR_KEEPER_PID=""
# One persistent wineserver and one idle GUI process of our own: wine's helper processes then
# start outside CTest's pipes, and the first real program always gets a working display.
vantor_start_wine() {
  wineserver -p
  local ready=$WINEPREFIX/keeper.ready
  rm -f "$ready"
  wine "$BIN/winekeeper.exe" "$(winepath -w "$ready" 2>/dev/null)" >/dev/null 2>&1 &
  VANTOR_KEEPER_PID=$!
  local i
  for i in $(seq 1 300); do [ -f "$ready" ] && return 0; sleep 0.1; done
  vantor_log "the keeper process did not come up"; return 1
}

# Runs from EXIT traps under `set -e`: a process that is already gone must not turn a passing
# run into exit code 1.
vantor_stop_all() {
  [ -n "${WINEPREFIX:-}" ] && wineserver -k >/dev/null 2>&1 || true
  [ -n "$VANTOR_KEEPER_PID" ] && kill "$VANTOR_KEEPER_PID" >/dev/null 2>&1 || true
  [ -n "$VANTOR_WM_PID" ] && kill "$VANTOR_WM_PID" >/dev/null 2>&1 || true
  [ -n "$VANTOR_XVFB_PID" ] && kill "$VANTOR_XVFB_PID" >/dev/null 2>&1 || true
  wait >/dev/null 2>&1 || true
}

# Everything a wine run needs, in order.
vantor_setup() {
  vantor_ensure_packages
  vantor_build "$@"
  vantor_wine_env
  vantor_display
  vantor_prefix
  vantor_start_wine
}
