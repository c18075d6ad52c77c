#!/usr/bin/env bash
# Runs every test: installs what is missing, builds the 32-bit and 64-bit Windows programs, the
# Linux host, the installers and the portable packages, runs the unit tests under
# AddressSanitizer and UndefinedBehaviorSanitizer, then the unit tests and the Wine end-to-end
# tests of the 64-bit program (the installer among them) through ctest.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

jobs="$(nproc)"
for preset in win32 win64 host-asan host; do
  echo "== build: $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
done
echo "== build: installers and portable packages"
cmake --build --preset host --target packages

echo "== unit tests under sanitizers"
ctest --preset host-asan -j "$jobs"

echo "== all tests"
ctest --preset host -j "$jobs"
