#!/usr/bin/env bash
# Builds Vantor, runs it under a private Xvfb and saves pictures of its panels into
# docs/screenshots/ (PNG, each cropped to its panel).
#
#   bash scripts/screenshots.sh            (VANTOR_BUILD picks the build folder, as for test.sh)
#   VANTOR_DPI=144 bash scripts/screenshots.sh    the same at 144 DPI, saved as NAME-144.png
#
# To add a panel: drive Vantor to it with `shotctl` (tools/vantor_shot.cpp: wait, click, dblclick,
# settext, dialog, ok) and call `shot NAME "WINDOW TITLE"` in the steps at the bottom.
set -euo pipefail
VANTOR_DISPLAY=${VANTOR_DISPLAY:-xvfb}
source "$(dirname "$0")/winenv.sh"
OUT=$VANTOR_ROOT/docs/screenshots
SUFFIX=""
[ "${VANTOR_DPI:-96}" = 96 ] || SUFFIX=-$VANTOR_DPI
VANTOR_PID=""
SIM_PID=""

cleanup() {
  [ -n "$VANTOR_PID" ] && kill "$VANTOR_PID" >/dev/null 2>&1
  [ -n "$SIM_PID" ] && kill "$SIM_PID" >/dev/null 2>&1
  vantor_stop_all
}
trap cleanup EXIT

vantor_ensure_packages
vantor_build --target vantor vantor_shot winekeeper aol7sim
vantor_wine_env
vantor_display
vantor_prefix
vantor_start_wine
mkdir -p "$OUT"

shotctl() { wine "$BIN/vantor_shot.exe" "$@" 2>/dev/null | tr -d '\r'; }

# shot NAME TITLE: waits for the visible window TITLE and saves it as NAME.png.
shot() {
  local name=$1 title=$2 geometry
  geometry=$(shotctl wait "$title") || { vantor_log "no visible window \"$title\""; return 1; }
  sleep 0.3  # let the panel finish painting
  import -window root "$OUT/.root.png"
  convert "$OUT/.root.png" -crop "$geometry" +repage "$OUT/$name$SUFFIX.png"
  rm -f "$OUT/.root.png"
  vantor_log "saved docs/screenshots/$name$SUFFIX.png ($geometry)"
}

# The whole screen, for looking at placement (not kept in docs/).
screen() { import -window root "$1"; }

if [ -n "$SUFFIX" ]; then
  # Away from 96 DPI the request list and the DL Tool are taken here too (at 96 they come from
  # the tour): the DL Tool lists the simulated client's mails.
  (cd "$BIN" && exec wine ./aol7sim.exe >/dev/null 2>&1) &
  SIM_PID=$!
  shotctl wait "America Online" >/dev/null || vantor_log "the simulated client did not come up"
  sleep 1  # its chat room opens just after its main window
fi
(cd "$BIN" && exec wine ./vantor.exe >/dev/null 2>&1) &
VANTOR_PID=$!

# shotbox NAME: the visible message box or prompt, saved as NAME.png.
shotbox() {
  local geometry
  geometry=$(shotctl dialog) || { vantor_log "no dialog"; return 1; }
  sleep 0.3
  import -window root "$OUT/.root.png"
  convert "$OUT/.root.png" -crop "$geometry" +repage "$OUT/$1$SUFFIX.png"
  rm -f "$OUT/.root.png"
  vantor_log "saved docs/screenshots/$1$SUFFIX.png ($geometry)"
}

HEAD="Vantor v 2.0 by: Skarnel"

# ---- steps ----
shot splash "Vantor"
shotctl dblclick "Vantor"
shot head "$HEAD"
# The about box, from the Others menu (its 8th item).
shotctl click "$HEAD" "Others"
shotctl menu 8
shotbox about
[ -n "${VANTOR_SCREEN:-}" ] && screen "$VANTOR_SCREEN"
shotctl ok
# The greetings panel, and back.
shotctl click "$HEAD" "Others"
shotctl menu 9
shot greet "Vantor - Greetz"
shotctl click "Vantor - Greetz" "Return"
# The input prompt, as a trigger slot without a trigger asks for one.
shotctl click "$HEAD" "Trigger 1"
shotbox prompt
shotctl cancel
if [ -n "$SUFFIX" ]; then
  shotctl ok  # the slot's "Trigger incorrect or not found!" after the cancelled prompt
  shotctl click "$HEAD" "View List"
  shot reqlist "Vantor - Request List"
  shotctl click "Vantor - Request List" "Return"
  shotctl click "$HEAD" "DL Tool"
  shotctl wait "Form4" >/dev/null
  sleep 5  # the mailbox's mails are listed four seconds after the panel opens
  shot dltool "Form4"
  shotctl click "Form4" "Return"
fi
[ -n "${VANTOR_EXTRA:-}" ] && eval "$VANTOR_EXTRA"
exit 0
