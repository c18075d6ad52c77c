#!/usr/bin/env bash
# Times, once, how long the Windows controls take to show 10,000 sets and grids of 1,000 rows,
# under Wine (or run build/win64/bench/win32/xal_fill_timing.exe on Windows).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset win64 >/dev/null
cmake --build build/win64 --target xal_fill_timing
# shellcheck source=../e2e/wine-env.sh
source e2e/wine-env.sh
trap xal_wine_stop EXIT
wine build/win64/bench/win32/xal_fill_timing.exe
