#!/usr/bin/env bash
# Builds Vantor and its benchmarks, then prints one table of figures measured in one run.
set -euo pipefail
VANTOR_DISPLAY=${VANTOR_DISPLAY:-xvfb}
source "$(dirname "$0")/winenv.sh"
trap vantor_stop_all EXIT
vantor_setup
# The release package, whose vantor.exe the figures show beside the build's.
cmake --build "$BUILD" --target package >/dev/null
cd "$BIN"
wine ./vantor_bench.exe "$@"
