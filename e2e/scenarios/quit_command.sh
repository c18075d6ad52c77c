#!/usr/bin/env bash
# The tray menu's quit command ends a normally started program at once, without a question.
set -euo pipefail
# shellcheck source=../lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"

xal_begin quit_command
xal_prepare_program_dir

xal_start -m
xal_wait_main_window
xal_expect_no_messagebox 2000
xal_expect_main_window hidden
xal_must "quit command posted" command 1004
xal_expect_exit 0 20
xal_must "the main window is gone" wait-gone TfmXALMain 5000
