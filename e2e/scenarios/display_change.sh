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
marker="$XAL_PROGRAM_DIR/rechecks.txt"
marker_win="$(xal_winpath "$marker")"

cat >"$XAL_PROGRAM_DIR/XALData.xml" <<XML
<?xml version="1.0" encoding="utf-8"?>
<XALSets Version="1.00">
  <XALSet Name="One display">
    <Environment>
      <Displays Count="1"/>
    </Environment>
    <Target>
      <Startups>
        <Startup Name="Marker" FilePath="C:\\windows\\system32\\cmd.exe" Param="/c echo recheck&gt;&gt;&quot;$marker_win&quot;"/>
      </Startups>
    </Target>
  </XALSet>
</XALSets>
XML

lines() { [ -f "$marker" ] && grep -c recheck "$marker" || echo 0; }
wait_lines() {
  local want="$1" deadline=$((SECONDS + 20))
  until [ "$(lines)" -ge "$want" ]; do
    [ "$SECONDS" -lt "$deadline" ] || xal_fail "expected $want rechecks, saw $(lines)"
    sleep 0.2
  done
}

xal_start -m
xal_wait_main_window
wait_lines 1
xal_ok "the first recheck ran the startup program"

xal_must "WM_DISPLAYCHANGE sent and answered" display-change
ms="$(xal_field answered-ms)"
[ "$ms" -lt 2000 ] || xal_fail "the program held the sender up for $ms ms"
xal_ok "the sender was released after $ms ms"
wait_lines 2
xal_ok "the display change rechecked the sets"
xal_expect_no_messagebox 1500

xal_must "quit posted" command 1004
xal_expect_exit 0 20
