#!/usr/bin/env bash
# Builds the Windows program and starts it under Wine, on the user's display when one is set,
# otherwise on a virtual Xvfb display. It runs from a demo folder with "-m" (data files beside
# the program) and "-v" (main window shown), so nothing of the user's is touched.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 -j "$(nproc)"

demo="$PWD/build/demo"
mkdir -p "$demo/Languages"
cp build/win64/bin/KelpraTremvale.exe build/win64/bin/XALCBTH.DLL build/win64/bin/XALCWPH.DLL "$demo/"
cp build/win64/bin/Languages/*.txt "$demo/Languages/"

if [ -n "${DISPLAY:-}" ]; then
  export XAL_KEEP_DISPLAY=1
fi
# shellcheck source=../e2e/wine-env.sh
export XAL_WINEPREFIX="${XAL_WINEPREFIX:-$PWD/build/wineprefix-demo}"
source e2e/wine-env.sh
trap xal_wine_stop EXIT

echo "Kelpra Tremvale runs on display $DISPLAY from $demo (data files are kept there)."
if [ -z "${XAL_KEEP_DISPLAY:-}" ]; then
  echo "No display was set: see it with  import -window root -display $DISPLAY shot.png"
fi
echo "End it from its tray icon menu, or with Ctrl+C."
wine "$demo/KelpraTremvale.exe" -m -v "$@"
