#!/usr/bin/env bash
# Window placement through the hook libraries: with the program running, application windows of
# classes that a matching set's rules name open elsewhere; each ends at its rule's rectangle and
# state, and the program's list of application windows shows it while it is open and drops it
# when it closes. Windows open before the program started, and windows no rule names, are listed
# and left where they are. Wine can't apply SetWindowPlacement to another program's window, so this also
# covers the move-and-show fallback.
set -euo pipefail
# shellcheck source=../lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"

xal_begin window_placement
xal_prepare_program_dir

# One set without conditions, so it matches anywhere; display 1 is Wine's only monitor, whose
# work area starts at the screen's top-left corner, so rule positions are screen positions.
cat >"$XAL_PROGRAM_DIR/XALData.xml" <<'XML'
<?xml version="1.0" encoding="utf-8"?>
<XALSets Version="1.00">
  <XALSet Name="Anywhere">
    <Environment/>
    <Target>
      <Apps>
        <App Name="Editor" Class="KelpraE2EEditor">
          <Display Value="1"/>
          <State Value="Normal"/>
          <Position Left="200" Top="150" Width="480" Height="320"/>
        </App>
        <App Name="Viewer" Class="KelpraE2EViewer" Title="Report">
          <Display Value="1"/>
          <State Value="Maximized"/>
          <Position Left="100" Top="60" Width="400" Height="300"/>
        </App>
      </Apps>
    </Target>
  </XALSet>
</XALSets>
XML

app_pids=()
xal_scenario_cleanup() {
  local pid
  for pid in "${app_pids[@]}"; do
    kill "$pid" 2>/dev/null || true
  done
}

# Opens an application window of the class in the background.
open_app() {
  local class="$1" caption="$2"
  timeout 120 wine "$XAL_DRIVER" app-window "$class" "$caption" \
    >"$XAL_ARTIFACTS/app-$class.log" 2>&1 &
  app_pids+=("$!")
  xal_driver wait-window "$class" 20000 || xal_fail "the $class window did not open: $XAL_ERR"
  xal_ok "opened a $class window \"$caption\""
}

# Waits until the window of the class reports the wanted rectangle ("any" for any) and state.
expect_placed() {
  local class="$1" rect="$2" minimized="$3" maximized="$4" deadline=$((SECONDS + 15))
  until xal_driver window-info "$class" &&
    { [ "$rect" = any ] || [ "$(xal_field rect)" = "$rect" ]; } &&
    [ "$(xal_field minimized)" = "$minimized" ] && [ "$(xal_field maximized)" = "$maximized" ]; do
    [ "$SECONDS" -lt "$deadline" ] ||
      xal_fail "the $class window is not at $rect (minimized $minimized, maximized $maximized): ${XAL_ERR:-$XAL_OUT}"
    sleep 0.2
  done
  xal_ok "the $class window is at $rect, minimized $minimized, maximized $maximized"
}

# Whether the driver's last output holds the line: "yes" or "no".
listed() {
  if grep -qxF -- "$1" <<<"$XAL_OUT"; then echo yes; else echo no; fi
}

# Waits until the program's list of application windows does or doesn't hold the line.
expect_listed() {
  local want="$1" line="$2" deadline=$((SECONDS + 10))
  until xal_driver app-list && [ "$(listed "$line")" = "$want" ]; do
    [ "$SECONDS" -lt "$deadline" ] ||
      xal_fail "\"$line\" listed: expected $want; the list: ${XAL_ERR:-$XAL_OUT}"
    sleep 0.2
  done
  xal_ok "\"$line\" listed: $want"
}

xal_step "a window that is open before the program starts stays where it is"
open_app KelpraE2EEditor "Old notes - Editor"
xal_start -m
xal_wait_main_window
xal_expect_no_messagebox 1500
expect_listed yes "Old notes - Editor(KelpraE2EEditor)"
xal_must "activate it" activate-window KelpraE2EEditor
sleep 1.5
xal_driver window-info KelpraE2EEditor
[ "$(xal_field rect)" = "40 30 340 230 (300x200)" ] ||
  xal_fail "the window open before the start was moved: $XAL_OUT"
xal_ok "it was not moved"
xal_must "close it" close-window KelpraE2EEditor
xal_driver wait-gone KelpraE2EEditor 10000 || xal_fail "the window did not close: $XAL_ERR"

xal_step "a window of a class no rule names is listed and left alone"
open_app KelpraE2EOther "Scratch"
expect_listed yes "Scratch(KelpraE2EOther)"
sleep 1
xal_driver window-info KelpraE2EOther
[ "$(xal_field rect)" = "40 30 340 230 (300x200)" ] || xal_fail "the window was moved: $XAL_OUT"
xal_ok "it was not moved"

xal_step "a window whose class the Normal rule names"
open_app KelpraE2EEditor "Notes - Editor"
expect_placed KelpraE2EEditor "200 150 680 470 (480x320)" no no
expect_listed yes "Notes - Editor(KelpraE2EEditor)"
xal_driver app-list
[ "$(head -n 1 <<<"$XAL_OUT")" = "Notes - Editor(KelpraE2EEditor)" ] ||
  xal_fail "the newest window is not at the top of the list: $XAL_OUT"
xal_ok "the newest window stands at the top of the list"

xal_step "a window whose class and title the Maximized rule names"
open_app KelpraE2EViewer "Monthly Report"
expect_placed KelpraE2EViewer any no yes
expect_listed yes "Monthly Report(KelpraE2EViewer)"
xal_screenshot "$XAL_ARTIFACTS/placed.png"
# Restored, the maximised window takes the rule's rectangle as its normal one.
xal_must "restore the KelpraE2EViewer window" restore-window KelpraE2EViewer
expect_placed KelpraE2EViewer "100 60 500 360 (400x300)" no no

xal_step "the held windows stay where their rules put them"
sleep 1
expect_placed KelpraE2EEditor "200 150 680 470 (480x320)" no no

xal_step "closing the windows takes them off the list"
for class in KelpraE2EEditor KelpraE2EViewer KelpraE2EOther; do
  xal_must "close the $class window" close-window "$class"
  xal_driver wait-gone "$class" 10000 || xal_fail "the $class window did not close: $XAL_ERR"
done
expect_listed no "Notes - Editor(KelpraE2EEditor)"
expect_listed no "Monthly Report(KelpraE2EViewer)"
expect_listed no "Scratch(KelpraE2EOther)"

xal_step "quit"
xal_expect_running "after the windows came and went"
xal_must "quit from the tray menu" command Quit
xal_expect_exit 0 20
