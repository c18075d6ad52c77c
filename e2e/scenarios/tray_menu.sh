#!/usr/bin/env bash
# The tray icon's menu: a right click opens it, Escape closes it without side effects, a double
# click restores the main window, and the menu's last item quits.
set -euo pipefail
# shellcheck source=../lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"

xal_begin tray_menu
xal_prepare_program_dir

xal_start -m
xal_wait_main_window
xal_expect_no_messagebox 2000
xal_expect_main_window hidden

xal_step "right click opens the menu"
xal_must "right click on the icon" tray WM_RBUTTONUP
xal_must "the popup menu is shown" wait-menu 10000
xal_screenshot "$xal_artifacts_root/tray-menu.png"
xal_note "expected captions, top to bottom (& marks the underlined letter):"
for key in fmXALMain_miRestoreCaption fmXALMain_miRecheckCaption fmXALMain_miQuitCaption; do
  xal_note "  $key = $(xal_lang_value "$key")"
done
xal_note "hidden while no IP settings are pending: fmXALMain_miSetIPAddressesCaption = $(
  xal_lang_value fmXALMain_miSetIPAddressesCaption)"

xal_must "Escape closes the menu" dismiss-menu
if xal_driver wait-menu 500; then
  xal_fail "the menu is still shown"
fi
xal_expect_running "after the menu closed"
xal_expect_main_window hidden

xal_step "double click restores the main window"
xal_must "double click on the icon" tray WM_LBUTTONDBLCLK
xal_expect_main_window visible

xal_step "the last menu item quits"
xal_must "right click on the icon" tray WM_RBUTTONUP
xal_must "the popup menu is shown" wait-menu 10000
xal_must "Up selects the last item" menu-key Up
xal_must "Return chooses it" menu-key Return
xal_expect_exit 0 20
