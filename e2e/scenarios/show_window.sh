#!/usr/bin/env bash
# With -v the main window is shown at start, titled from the language file.
set -euo pipefail
# shellcheck source=../lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"

xal_begin show_window
xal_prepare_program_dir

xal_start -m -v
xal_wait_main_window
xal_expect_no_messagebox 2000
xal_expect_main_window visible
xal_must "main window state read" window-info TfmXALMain
title="$(xal_lang_value fmXALMainCaption)" || xal_fail "fmXALMainCaption missing from $XAL_LANG_FILE"
[ "$(xal_field title)" = "$title" ] ||
  xal_fail "the title is '$(xal_field title)', the language file says '$title'"
xal_ok "the title is '$title', as fmXALMainCaption in $(basename "$XAL_LANG_FILE")"
[ "$(xal_field minimized)" = no ] || xal_fail "the main window starts minimized"
xal_ok "the main window is not minimized"
xal_screenshot "$XAL_ARTIFACTS/main-window.png"

xal_must "close request posted" post-close
xal_expect_exit 0 20
