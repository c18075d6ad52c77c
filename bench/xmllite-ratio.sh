#!/usr/bin/env bash
# Loads 10,000 sets under Wine (or run build/win64/bench/win32/xal_xmllite_ratio.exe on Windows)
# and prints the CPU time of the load against a bare XmlLite walk of the same bytes.
# Arguments: number of sets, repetitions.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset win64 >/dev/null
cmake --build build/win64 --target xal_xmllite_ratio
# shellcheck source=../e2e/wine-env.sh
source e2e/wine-env.sh
trap xal_wine_stop EXIT
wine build/win64/bench/win32/xal_xmllite_ratio.exe "$@"
