#!/usr/bin/env bash
# Vantor at a desktop with a window manager, in a user's hands: started beside the simulated
# client, its splash double-clicked, then a click into the client. The splash must be painted
# (its skin on the screen, not the client beneath) and open the main panel; after the click the
# main panel and an open trigger prompt must still be on the screen, in front, and answer.
# Real input through XTEST (xdotool); what is on the screen is read from the X server.
#   bash tests/display/in_front_test.sh [RUNS]     (VANTOR_BUILD as for scripts/test.sh)
# It runs on a private Xvfb with openbox and the wine prefix that hands windows to it.
set -euo pipefail
RUNS=${1:-1}
export VANTOR_DISPLAY=xvfb VANTOR_MANAGED=${VANTOR_MANAGED:-Y}
source "$(dirname "$0")/../../scripts/winenv.sh"
SHOTS=$(mktemp -d)
SIM_PID="" VANTOR_PID=""
end_programs() {
  [ -n "$VANTOR_PID" ] && kill "$VANTOR_PID" >/dev/null 2>&1 || true
  [ -n "$SIM_PID" ] && kill "$SIM_PID" >/dev/null 2>&1 || true
  SIM_PID="" VANTOR_PID=""
}
trap 'end_programs; vantor_stop_all; rm -rf "$SHOTS"' EXIT
vantor_wine_env
vantor_display
vantor_window_manager
vantor_prefix
vantor_start_wine
cd "$BIN"
REF=$VANTOR_ROOT/docs/screenshots
HEAD="Vantor v 2.0 by: Skarnel"
SEEN=""

# A failure keeps the last screen in the build folder, to look at.
fail() {
  echo "FAILED (run $RUN): $*" >&2
  mkdir -p "$BUILD/in_front" && cp "$SHOTS"/*.png "$BUILD/in_front/" 2>/dev/null || true
  echo "the last screen is in $BUILD/in_front/" >&2
  exit 1
}

# waitfor WHAT SECONDS COMMAND...: until COMMAND succeeds; the failure names WHAT and $SEEN, the
# last sight a check left there.
waitfor() {
  local what=$1 limit=$2; shift 2
  local end=$((SECONDS + limit))
  SEEN="nothing"
  until "$@"; do
    [ $SECONDS -lt $end ] || fail "waited ${limit} s for $what; saw last: $SEEN"
    sleep 0.1
  done
}

# window TITLE: the visible X window with that name, or nothing.
window() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1; }
shown() { local w; w=$(window "$1"); SEEN="no visible \"$1\""; [ -n "$w" ]; }

# place TITLE: sets X Y WIDTH HEIGHT to where the window is on the screen.
place() {
  local w; w=$(window "$1"); [ -n "$w" ] || return 1
  eval "$(xdotool getwindowgeometry --shell "$w")"
}

# looks_like REFERENCE.png X Y: the screen at X,Y shows the reference's pixels. Up to a quarter
# may differ (the request box's caret and focus look); a window beneath differs almost wholly.
looks_like() {
  local ref=$1 x=$2 y=$3 size differing
  size=$(identify -format '%wx%h' "$ref")
  import -window root "$SHOTS/root.png"
  convert "$SHOTS/root.png" -crop "${size}+$x+$y" +repage "$SHOTS/crop.png"
  differing=$(compare -metric AE -fuzz 8% "$ref" "$SHOTS/crop.png" null: 2>&1 || true)
  local total=$(( ${size%x*} * ${size#*x} ))
  SEEN="$differing of $total pixels differ from $(basename "$ref") at $x,$y"
  [ "${differing%%.*}" -le $((total / 4)) ] 2>/dev/null
}

# keep_looking REFERENCE X Y: still so a second later (nothing covers it meanwhile).
keep_looking() {
  local i
  for i in 1 2 3; do looks_like "$@" || return 1; sleep 0.4; done
}

# The client has the keyboard: the X server's input focus is in its window.
focused() {
  local f; f=$(xdotool getwindowfocus 2>/dev/null || true)
  SEEN="input focus in $f ($(xdotool getwindowname "$f" 2>/dev/null || true))"
  [ "$f" = "$1" ]
}

ini_has() { SEEN="triggers.ini: $(cat "$WINEPREFIX/drive_c/triggers.ini" 2>/dev/null | tr '\r\n' '  ')"; grep -q "^trig1=$1" "$WINEPREFIX/drive_c/triggers.ini" 2>/dev/null; }
running() { SEEN="Vantor still running"; ! kill -0 "$VANTOR_PID" 2>/dev/null; }

for RUN in $(seq 1 "$RUNS"); do
  rm -f "$WINEPREFIX/drive_c/triggers.ini"
  wine ./aol7sim.exe >/dev/null 2>&1 &
  SIM_PID=$!
  waitfor "the client's window" 20 shown "America Online"
  CLIENT=$(window "America Online")
  wine ./vantor.exe >/dev/null 2>&1 &
  VANTOR_PID=$!
  waitfor "the splash" 20 shown "Vantor"
  place "Vantor"
  waitfor "the splash's skin on the screen" 10 looks_like "$REF/splash.png" "$X" "$Y"
  xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click --repeat 2 --delay 80 1
  waitfor "the main panel" 10 shown "$HEAD"
  place "$HEAD"
  PX=$X PY=$Y
  waitfor "the main panel painted" 10 looks_like "$REF/head.png" "$PX" "$PY"

  # A click into the chat room, far from the panel: the client comes to the front, Vantor stays.
  xdotool mousemove 300 700 click 1
  waitfor "the client to have the keyboard" 10 focused "$CLIENT"
  keep_looking "$REF/head.png" "$PX" "$PY" || fail "the main panel after a click into the client: $SEEN"

  # The first slot's prompt, then the client clicked again: the prompt stays in front too.
  xdotool mousemove $((PX + 40)) $((PY + 32)) click 1
  waitfor "the trigger prompt" 10 shown "Trigger for Slot 1."
  place "Trigger for Slot 1."
  QX=$X QY=$Y QW=$WIDTH QH=$HEIGHT
  sleep 0.3
  import -window root "$SHOTS/root.png"
  convert "$SHOTS/root.png" -crop "${QW}x${QH}+$QX+$QY" +repage "$SHOTS/prompt.png"
  xdotool mousemove 300 700 click 1
  waitfor "the client to have the keyboard again" 10 focused "$CLIENT"
  keep_looking "$SHOTS/prompt.png" "$QX" "$QY" || fail "the prompt after a click into the client: $SEEN"
  # Both answer: the prompt takes a trigger, the panel's "X" ends Vantor.
  xdotool mousemove $((QX + QW / 2)) $((QY + QH * 85 / 100)) click 1
  xdotool type --delay 50 vault
  xdotool key Return
  waitfor "the trigger stored" 10 ini_has vault
  xdotool mousemove $((PX + 276)) $((PY + 8)) click 1
  waitfor "Vantor to end after its \"X\"" 15 running
  end_programs
  echo "run $RUN of $RUNS: splash painted and opened, panel and prompt in front and answering"
done
