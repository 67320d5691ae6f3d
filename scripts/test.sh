#!/usr/bin/env bash
# Builds Vantor, the simulated AOL client and every test, then runs all tests under wine in Xvfb.
set -euo pipefail
VANTOR_DISPLAY=${VANTOR_DISPLAY:-xvfb}
source "$(dirname "$0")/winenv.sh"
trap vantor_stop_all EXIT
vantor_setup
cd "$BUILD"
ctest --output-on-failure -j1 --timeout 900 "$@"
