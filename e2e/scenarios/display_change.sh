#!/usr/bin/env bash
# A display change as the system reports it: WM_DISPLAYCHANGE sent from another process. The
# program answers at once and rechecks afterwards, so the management service is never called
# while the sender waits (Windows refuses that; the program's own port refuses it too, which
# would show here as an error box). The recheck is seen through a startup program that runs at
# every recheck.
set -euo pipefail
# shellcheck source=../lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"

xal_begin display_change
xal_prepare_program_dir
xal_count_rechecks '<Displays Count="1"/>'

xal_start -m
xal_wait_main_window
xal_wait_rechecks 1 "the first recheck ran the startup program"

xal_must "WM_DISPLAYCHANGE sent and answered" display-change
ms="$(xal_field answered-ms)"
[ "$ms" -lt 2000 ] || xal_fail "the program held the sender up for $ms ms"
xal_ok "the sender was released after $ms ms"
xal_wait_rechecks 2 "the display change rechecked the sets"
xal_expect_no_messagebox 1500

xal_must "quit posted" command 1004
xal_expect_exit 0 20
