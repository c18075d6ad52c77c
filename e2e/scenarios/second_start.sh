#!/usr/bin/env bash
# A second start in the same folder reads the files of the first: no message box, neither file
# rewritten, and closing asks nothing because the loaded catalogue counts as saved.
set -euo pipefail
# shellcheck source=../lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"

xal_begin second_start
xal_prepare_program_dir
data=("$XAL_PROGRAM_DIR/XALSetting.xml" "$XAL_PROGRAM_DIR/XALData.xml")

xal_step "first start writes the files"
xal_start -m
xal_wait_main_window
xal_must "close request posted" post-close
xal_expect_exit 0 20
mkdir -p "$XAL_ARTIFACTS/after-first"
cp -p "${data[@]}" "$XAL_ARTIFACTS/after-first/"
stamps="$(xal_file_stamps "${data[@]}")"
printf '%s\n' "$stamps" | sed 's/^/        /'

xal_step "second start loads them"
xal_start -m
xal_wait_main_window
xal_expect_no_messagebox 2000
xal_expect_main_window hidden
xal_must "close request posted" post-close
xal_expect_exit 0 20
for file in "${data[@]}"; do
  name="$(basename "$file")"
  xal_expect_same_file "$XAL_ARTIFACTS/after-first/$name" "$file" "$name after the second run"
done
[ "$(xal_file_stamps "${data[@]}")" = "$stamps" ] ||
  xal_fail "a data file was rewritten: $(xal_file_stamps "${data[@]}")"
xal_ok "neither file was rewritten (same size and modification time)"
