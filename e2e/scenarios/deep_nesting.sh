#!/usr/bin/env bash
# A data file of 20,000 nested elements (about 140 KB), as a hostile or broken editor could
# leave it: the program refuses it in an error box naming the file and the line where the
# nesting goes too deep, instead of dying at start-up, leaves the file exactly as it was, keeps
# running with its tray icon, and quits on the tray menu's quit command.
set -euo pipefail
# shellcheck source=../lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"

xal_begin deep_nesting
xal_prepare_program_dir
data="$XAL_PROGRAM_DIR/XALData.xml"
levels=20000
# XALSets is level 1 on line 2, so each nested element's line is its level plus one, and the
# first level the program refuses (257) stands on line 258.
{
  printf '<?xml version="1.0" encoding="utf-8"?>\r\n<XALSets Version="1.00">\r\n'
  printf '<XALSet Name="Deep">\r\n<Environment>\r\n'
  for ((i = 4; i <= levels; i++)); do printf '<a>\r\n'; done
  for ((i = 4; i <= levels; i++)); do printf '</a>'; done
  printf '\r\n</Environment>\r\n</XALSet>\r\n</XALSets>\r\n'
} >"$data"
cp "$data" "$XAL_ARTIFACTS/XALData.original.xml"
xal_note "XALData.xml: $levels levels, $(wc -c <"$data") bytes"

xal_start -m
xal_wait_main_window
xal_expect_data_file_error
[[ "$XAL_OUT" == *"line 258"* ]] || xal_fail "the error text does not name line 258"
xal_ok "the error text names line 258, where the nesting goes too deep"
[[ "$XAL_OUT" == *"nested more than 256 levels"* ]] ||
  xal_fail "the error text does not say that the nesting is too deep"
xal_ok "the error text says that the elements are nested too deeply"
xal_dismiss_error_keeping_file "$data" "$XAL_ARTIFACTS/XALData.original.xml"
