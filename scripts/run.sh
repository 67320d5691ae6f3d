#!/usr/bin/env bash
# Builds Vantor and the simulated AOL 7.0 client and runs them together:
#   bash scripts/run.sh
# Installs what is missing first (Debian 12). With a reachable display ($DISPLAY) both programs
# open on it, managed by its window manager (openbox when it has none), and the command returns
# when Vantor ends ("X" or the menu's Exit). Without one, both
# run under a private Xvfb and a scripted tour plays Vantor from outside, as a user would: it
# prints the chat room's transcript and the Download Manager's queue at the end and saves a
# screenshot of every step in out/tour/.
#   VANTOR_BUILD  build folder (default: build)
set -euo pipefail
source "$(dirname "$0")/winenv.sh"
trap vantor_stop_all EXIT
START=$SECONDS

vantor_ensure_packages
# The user's display only when it answers; a stale $DISPLAY means headless.
if [ -n "${DISPLAY:-}" ] && xdotool getdisplaygeometry >/dev/null 2>&1; then
  VANTOR_DISPLAY=auto
  MODE=display
  # A person's desktop: wine's windows go to the window manager (openbox is started for a bare
  # X server), so Vantor's topmost panels and boxes stay in front of the client as on Windows.
  export VANTOR_MANAGED=Y
else
  unset DISPLAY
  VANTOR_DISPLAY=xvfb
  MODE=headless
fi
vantor_log "building vantor.exe, aol7sim.exe and the tour in $BUILD"
vantor_build --target vantor aol7sim winekeeper vantor_tour >/dev/null
vantor_wine_env
vantor_display
if [ "$MODE" = display ]; then vantor_window_manager; fi
vantor_prefix
vantor_start_wine
cd "$BIN"

if [ "$MODE" = display ]; then
  vantor_log "starting the simulated AOL 7.0 client on $DISPLAY"
  wine ./aol7sim.exe >/dev/null 2>&1 &
  for _ in $(seq 1 200); do
    xdotool search --name '^America Online$' >/dev/null 2>&1 && break
    sleep 0.1
  done
  vantor_log "starting Vantor: double-click its splash panel; \"X\" or Others > Exit ends it"
  wine ./vantor.exe >/dev/null 2>&1 || true
  vantor_log "Vantor has ended; closing the simulated client"
  exit 0
fi

OUT=$VANTOR_ROOT/out/tour
mkdir -p "$OUT"
rm -f "$OUT"/*.png "$OUT"/*.txt
vantor_log "headless: playing the tour under Xvfb ($DISPLAY); screenshots go to out/tour/"

# The tour announces each step with "STEP n name" and waits for a line on its stdin: the shell
# takes the screenshot in between, so every picture shows the step's outcome. The answers go
# through a FIFO held open on fd 3.
fifo=$(mktemp -u)
mkfifo "$fifo"
exec 3<>"$fifo"
rm -f "$fifo"
set +e
timeout 150 wine ./vantor_tour.exe --steps --out "$(winepath -w "$OUT")" <&3 2>&1 |
  while IFS= read -r line; do
    line=${line%$'\r'}
    if [[ $line =~ ^STEP\ ([0-9]+)\ (.+)$ ]]; then
      shot=$(printf '%s/%02d-%s.png' "$OUT" "${BASH_REMATCH[1]}" "${BASH_REMATCH[2]}")
      import -window root "$shot" 2>/dev/null || vantor_log "screenshot failed: $shot"
      printf '[shot] out/tour/%s\n' "$(basename "$shot")"
      echo done >&3
    else
      printf '%s\n' "$line"
    fi
  done
rc=${PIPESTATUS[0]}
set -e
exec 3>&-

if [ "$rc" -eq 0 ]; then
  vantor_log "tour finished in $((SECONDS - START)) s: every step worked; screenshots in out/tour/"
else
  vantor_log "tour FAILED (exit code $rc) after $((SECONDS - START)) s; see the lines above"
fi
exit "$rc"
