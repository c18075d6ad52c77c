#!/usr/bin/env bash
# One copy per user and session: a later start, from the same folder or from a portable copy
# elsewhere, brings the running copy's main window forward and ends with 0 without starting up
# itself; one icon stays, and the running copy still quits from its menu.
set -euo pipefail
# shellcheck source=../lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"

xal_begin single_instance
xal_prepare_program_dir

xal_step "the first copy starts hidden"
xal_start -m
first_pid="$XAL_PID"
xal_wait_main_window
xal_expect_no_messagebox 2000
xal_expect_main_window hidden
xal_expect_one_tray_icon

xal_step "a second start from the same folder hands over and ends"
xal_start -m
xal_expect_exit 0 15
XAL_PID="$first_pid"
xal_expect_running "after the second start"
xal_expect_main_window visible
xal_must "main windows counted" count-windows TfmXALMain
[ "$XAL_OUT" = 1 ] || xal_fail "$XAL_OUT main windows, expected 1"
xal_expect_one_tray_icon

xal_step "a portable copy in another folder hands over too"
first_dir="$XAL_PROGRAM_DIR"
XAL_PROGRAM_DIR="$XAL_ARTIFACTS/elsewhere"
mkdir -p "$XAL_PROGRAM_DIR/Languages"
cp "$first_dir"/KelpraTremvale.exe "$first_dir"/XALC*.DLL "$XAL_PROGRAM_DIR/"
cp "$first_dir"/Languages/*.txt "$XAL_PROGRAM_DIR/Languages/"
xal_start -m
xal_expect_exit 0 15
XAL_PID="$first_pid"
XAL_PROGRAM_DIR="$first_dir"
for file in XALSetting.xml XALData.xml; do
  [ ! -e "$XAL_ARTIFACTS/elsewhere/$file" ] ||
    xal_fail "the portable copy started up: it wrote $file"
done
xal_ok "the portable copy wrote no data files"
xal_expect_running "after the portable copy's start"
xal_must "main windows counted" count-windows TfmXALMain
[ "$XAL_OUT" = 1 ] || xal_fail "$XAL_OUT main windows, expected 1"
xal_expect_one_tray_icon

xal_step "the running copy still quits from its menu"
xal_must "right click on the icon" tray WM_RBUTTONUP
xal_must "the popup menu is shown" wait-menu 10000
xal_must "Up selects the last item" menu-key Up
xal_must "Return chooses it" menu-key Return
xal_expect_exit 0 20
