#!/usr/bin/env bash
# A data file that is not well-formed XML: the program reports it in an error box naming the
# file, leaves the file exactly as it was, keeps running with its tray icon, and quits on the
# tray menu's quit command.
set -euo pipefail
# shellcheck source=../lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"

xal_begin malformed_data
xal_prepare_program_dir
data="$XAL_PROGRAM_DIR/XALData.xml"
# Cut off after the first set's start tag.
printf '<?xml version="1.0" encoding="utf-8"?>\r\n<XALSets Version="1.00">\r\n  <XALSet Name="Default">\r\n' \
  >"$data"
cp "$data" "$XAL_ARTIFACTS/XALData.original.xml"

xal_start -m
xal_wait_main_window
xal_must "an error box is shown" wait-messagebox 20000
[ "$(xal_field title)" = "Kelpra Tremvale" ] || xal_fail "box title is '$(xal_field title)'"
xal_ok "the box is titled Kelpra Tremvale"
[[ "$XAL_OUT" == *XALData.xml* ]] || xal_fail "the error text does not name XALData.xml"
xal_ok "the error text names XALData.xml"
[ "$(xal_field buttons)" = OK ] || xal_fail "the box has buttons '$(xal_field buttons)', expected OK"
xal_ok "the box has one button, OK"
xal_screenshot "$XAL_ARTIFACTS/error-box.png"
xal_must "OK clicked" click OK

xal_expect_no_messagebox 1500
xal_expect_running "after the error"
xal_expect_main_window hidden
xal_expect_tray_icon
xal_expect_same_file "$XAL_ARTIFACTS/XALData.original.xml" "$data" "XALData.xml while running"

xal_must "quit command posted" command 1004
xal_expect_exit 0 20
xal_expect_same_file "$XAL_ARTIFACTS/XALData.original.xml" "$data" "XALData.xml after the end"
