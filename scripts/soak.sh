#!/usr/bin/env bash
# Builds Vantor and the simulated client, then runs N DL runs (seeds 1 to N, default 100) against
# aol7sim.exe --chaos SEED and prints one line per run and a last line with the four counts
# (hangs, wrong queues, windows left open, texts sent by the run that the user typed).
set -euo pipefail
RUNS=${1:-100}
VANTOR_DISPLAY=${VANTOR_DISPLAY:-xvfb}
source "$(dirname "$0")/winenv.sh"
trap vantor_stop_all EXIT
vantor_setup
cd "$BIN"
VANTOR_SOAK_RUNS=$RUNS wine ./acceptance_tests.exe --gtest_brief=1 \
  --gtest_filter=Soak.SeededRunsAgainstAShakenClient 2>/dev/null | sed -un 's/^soak: //p'
