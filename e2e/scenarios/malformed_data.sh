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
xal_expect_data_file_error
xal_dismiss_error_keeping_file "$data" "$XAL_ARTIFACTS/XALData.original.xml"
