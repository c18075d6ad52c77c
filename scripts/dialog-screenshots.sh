#!/usr/bin/env bash
# Pictures of every dialog as a person sees it under Wine, in English and in Japanese, for a
# reviewer to look at: build/screenshots/<dialog>-en.png and <dialog>-ja.png.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target xal_win_tests -j "$(nproc)"

out="$PWD/build/screenshots"
rm -rf "$out"
mkdir -p "$out"
for locale in en_US.UTF-8 ja_JP.UTF-8; do
  LC_ALL="$locale" LANG="$locale" XAL_SCREENSHOT_DIR="Z:${out//\//\\}" \
    bash tests/win32/run-under-wine.sh build/win64/tests/win32/xal_win_tests.exe "$out/report" \
    --gtest_filter='DialogGallery*'
done
for picture in "$out"/*.bmp; do
  convert "$picture" "${picture%.bmp}.png"
  rm "$picture"
done
ls "$out"/*.png
