#!/usr/bin/env bash
# First start with -m in a folder holding only the program: both data files are written beside
# it with the default contents, nothing goes to the user's application data folder, and a close
# request with nothing changed ends the program without a question.
set -euo pipefail
# shellcheck source=../lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"

xal_begin first_start
xal_prepare_program_dir
appdata="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming"
touch "$XAL_ARTIFACTS/before-start"

xal_start -m
xal_wait_main_window
xal_expect_no_messagebox 2000
xal_expect_main_window hidden
xal_expect_tray_icon
for file in XALSetting.xml XALData.xml; do
  [ -f "$XAL_PROGRAM_DIR/$file" ] || xal_fail "$file was not written at start-up"
  xal_ok "$file exists beside the program while it runs"
done

xal_must "close request posted" post-close
xal_expect_exit 0 20
xal_must "the main window is gone" wait-gone TfmXALMain 5000

for file in XALSetting.xml XALData.xml; do
  xal_golden "$file" "$XAL_ARTIFACTS/expected-$file"
  xal_expect_same_file "$XAL_ARTIFACTS/expected-$file" "$XAL_PROGRAM_DIR/$file" "$file"
done

written="$(find "$appdata" -newer "$XAL_ARTIFACTS/before-start" -path '*Corvanth*' 2>/dev/null || true)"
[ -z "$written" ] || xal_fail "with -m the program wrote into the application data folder: $written"
xal_ok "nothing was written under $appdata/Corvanth"
