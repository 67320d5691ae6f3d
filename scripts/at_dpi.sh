#!/usr/bin/env bash
# Runs a Windows program under wine at another DPI than 96, on the display already in use: in a
# wine prefix of its own inside the build folder (set up once, its screen set to DPI) with a
# wineserver of its own, so the prefix at 96 DPI that the other tests use is not touched.
#   bash scripts/at_dpi.sh 144 build/bin/gui_tests.exe [arguments]
#   VANTOR_BUILD  build folder (default: build)
set -euo pipefail
export VANTOR_DPI=$1
shift
source "$(dirname "$0")/winenv.sh"
trap vantor_stop_all EXIT
vantor_wine_env
vantor_display
vantor_prefix
vantor_start_wine
wine "$@"
