#!/usr/bin/env bash
# Shared steps of the end-to-end scenarios. A scenario script sets `set -euo pipefail`, sources
# this file and calls xal_begin first; every check prints what it verified, and the first failed
# check ends the script with "FAIL:" after saving a screenshot and the window list.
#
#   XAL_WIN64_DIR      x86_64 Windows build folder (default: build/win64 in the repository)
#   XAL_E2E_ARTIFACTS  where screenshots, logs and program folders go (default: build/e2e-artifacts)
#   XAL_WINEPREFIX     Wine prefix (default: build/wineprefix; see wine-env.sh)
#
# One scenario on its own, after building win64:  bash e2e/scenarios/first_start.sh

xal_e2e_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
xal_repo="$(cd "$xal_e2e_dir/.." && pwd)"
xal_artifacts_root="${XAL_E2E_ARTIFACTS:-$xal_repo/build/e2e-artifacts}"
xal_win64_dir="${XAL_WIN64_DIR:-$xal_repo/build/win64}"

XAL_PID=""
XAL_OUT=""
xal_wine_up=""

xal_step() { printf '== %s\n' "$*"; }
xal_ok() { printf '   ok: %s\n' "$*"; }
xal_note() { printf '   %s\n' "$*"; }
xal_fail() {
  printf 'FAIL: %s\n' "$*" >&2
  exit 1
}

# Prints "<machine> <optional-header magic> <subsystem>" of a PE file, e.g. "8664 020b 2" for a
# 64-bit GUI program, "014c 010b 2" for a 32-bit one; fails when the file is no PE image.
xal_pe_header() {
  local file="$1" pe
  [ "$(head -c 2 "$file")" = MZ ] || return 1
  pe="$(od -An -t u4 --endian=little -j 60 -N 4 "$file" | tr -d ' ')"
  [ "$(od -An -t x1 -j "$pe" -N 4 "$file" | tr -d ' ')" = 50450000 ] || return 1
  printf '%s %s %s\n' \
    "$(od -An -t x2 --endian=little -j $((pe + 4)) -N 2 "$file" | tr -d ' ')" \
    "$(od -An -t x2 --endian=little -j $((pe + 24)) -N 2 "$file" | tr -d ' ')" \
    "$(od -An -t u2 --endian=little -j $((pe + 24 + 68)) -N 2 "$file" | tr -d ' ')"
}

# Wine here runs only 64-bit programs; a 32-bit one exits 0 without running, which would turn
# every check of an exit code into a false pass.
xal_expect_x86_64() {
  local header
  header="$(xal_pe_header "$1")" || xal_fail "$1 is not a Windows executable"
  case "$header" in
    "8664 020b "*) ;;
    *) xal_fail "$1 is not an x86_64 (PE32+) program: machine/magic/subsystem = $header" ;;
  esac
}

# Starts the scenario: checks the builds it needs, brings up Xvfb and the Wine prefix, and makes
# sure the program, the Wine server and Xvfb end with the script whatever happens.
xal_begin() {
  XAL_SCENARIO="$1"
  XAL_ARTIFACTS="$xal_artifacts_root/$XAL_SCENARIO"
  rm -rf "$XAL_ARTIFACTS"
  mkdir -p "$XAL_ARTIFACTS"
  XAL_BIN="$xal_win64_dir/bin"
  XAL_EXE="$XAL_BIN/KelpraTremvale.exe"
  XAL_DRIVER="$XAL_BIN/xal_e2e_driver.exe"
  xal_step "scenario $XAL_SCENARIO (artifacts: $XAL_ARTIFACTS)"
  local needed
  for needed in "$XAL_EXE" "$XAL_DRIVER" "$XAL_BIN/Languages/1033.txt" \
    "$XAL_BIN/Languages/1041.txt"; do
    [ -f "$needed" ] ||
      xal_fail "$needed is missing: build it first (cmake --preset win64 && cmake --build --preset win64)"
  done
  xal_expect_x86_64 "$XAL_EXE"
  xal_expect_x86_64 "$XAL_DRIVER"
  trap xal_end EXIT
  trap 'exit 143' TERM INT
  # shellcheck source=wine-env.sh
  source "$xal_e2e_dir/wine-env.sh"
  xal_wine_up=1
  xal_note "Wine prefix $WINEPREFIX, display $DISPLAY"
  xal_pick_language
}

xal_end() {
  local status=$?
  trap - EXIT
  if [ "$status" -ne 0 ] && [ -n "$xal_wine_up" ]; then
    echo "-- failed; screenshot and window list saved in $XAL_ARTIFACTS" >&2
    import -window root -display "$DISPLAY" "$XAL_ARTIFACTS/failure.png" >/dev/null 2>&1 || true
    timeout 30 wine "$XAL_DRIVER" list-windows >"$XAL_ARTIFACTS/windows.txt" 2>/dev/null || true
  fi
  if [ -n "$XAL_PID" ] && kill -0 "$XAL_PID" 2>/dev/null; then
    kill "$XAL_PID" 2>/dev/null || true
    wait "$XAL_PID" 2>/dev/null || true
  fi
  # A scenario that changes the prefix's registry puts it back, pass or fail, so that later
  # scenarios see the prefix as it was.
  if [ -n "$xal_wine_up" ] && declare -F xal_scenario_cleanup >/dev/null; then
    xal_scenario_cleanup || true
  fi
  if declare -F xal_wine_stop >/dev/null; then
    xal_wine_stop
  fi
  exit "$status"
}

# Runs one driver subcommand; its output is left in XAL_OUT and its error text in XAL_ERR.
xal_driver() {
  local status=0
  # A hung Wine must fail the step, not the whole test run.
  XAL_OUT="$(timeout 45 wine "$XAL_DRIVER" "$@" 2>"$XAL_ARTIFACTS/driver.err")" || status=$?
  [ "$status" -ne 124 ] || echo "xal_e2e_driver $*: no answer within 45 s" >>"$XAL_ARTIFACTS/driver.err"
  # Wine's note about the missing 32-bit loader is not the driver's.
  XAL_ERR="$(grep -v -e wine32 -e multiarch -e 'dpkg --add-architecture' -e 'apt-get install' \
    "$XAL_ARTIFACTS/driver.err" || true)"
  return "$status"
}

# Runs a driver subcommand that must succeed; prints what it reported.
xal_must() {
  local what="$1"
  shift
  xal_driver "$@" || xal_fail "$what: driver $* failed: $XAL_ERR"
  xal_ok "$what"
  [ -z "$XAL_OUT" ] || printf '%s\n' "$XAL_OUT" | sed 's/^/        /'
}

# The program's language file, chosen the way the program chooses it: Languages\1041.txt for the
# Japanese user locale, Languages\1033.txt for every other one.
xal_pick_language() {
  xal_driver user-locale || xal_fail "could not read the user locale: $XAL_ERR"
  local lcid="$XAL_OUT" file=1033.txt
  [ "$lcid" = 1041 ] && file=1041.txt
  XAL_LANG_FILE="$XAL_BIN/Languages/$file"
  xal_note "user locale $lcid: the program reads Languages/$file"
}

# The value of a language key as the program reads it: the first line whose text before the first
# "=" equals the key in any letter case; the value is everything after that "=".
xal_lang_value() {
  tr '\r' '\n' <"$XAL_LANG_FILE" | awk -v key="$1" '
    { i = index($0, "=") }
    !found && i > 0 && tolower(substr($0, 1, i - 1)) == tolower(key) { print substr($0, i + 1); found = 1 }
    END { exit !found }'
}

# A fresh folder holding the program, its hook libraries and its language files, run with -m so the data files go
# there. It lives under the artifacts so that the files can be inspected after a run.
xal_prepare_program_dir() {
  XAL_PROGRAM_DIR="$XAL_ARTIFACTS/program"
  mkdir -p "$XAL_PROGRAM_DIR/Languages"
  cp "$XAL_EXE" "$XAL_BIN/XALCBTH.DLL" "$XAL_BIN/XALCWPH.DLL" "$XAL_PROGRAM_DIR/"
  cp "$XAL_BIN"/Languages/*.txt "$XAL_PROGRAM_DIR/Languages/"
}

# Starts the program in the background from another working folder, so that "-m" must mean the
# program's folder and not the current one.
xal_start() {
  XAL_RUNS=$((${XAL_RUNS:-0} + 1))
  local log="$XAL_ARTIFACTS/program-run$XAL_RUNS.log"
  (cd "$XAL_ARTIFACTS" && exec wine "$XAL_PROGRAM_DIR/KelpraTremvale.exe" "$@") >"$log" 2>&1 &
  XAL_PID=$!
  xal_ok "started KelpraTremvale.exe $* (run $XAL_RUNS)"
}

xal_expect_running() {
  kill -0 "$XAL_PID" 2>/dev/null || xal_fail "the program is no longer running ($1)"
  xal_ok "the program is still running ($1)"
}

# Waits for the program to end and checks its exit code. When it does not end, the message box
# that is holding it up, if any, goes into the report.
xal_expect_exit() {
  local code="$1" seconds="$2" deadline=$((SECONDS + $2)) status=0
  while kill -0 "$XAL_PID" 2>/dev/null; do
    if [ "$SECONDS" -ge "$deadline" ]; then
      if xal_driver wait-messagebox 0; then
        xal_fail "the program did not end within $seconds s; it shows a message box: $XAL_OUT"
      fi
      xal_fail "the program did not end within $seconds s"
    fi
    sleep 0.1
  done
  wait "$XAL_PID" || status=$?
  XAL_PID=""
  [ "$status" -eq "$code" ] || xal_fail "the program ended with exit code $status, expected $code"
  xal_ok "the program ended with exit code $code"
}

xal_wait_main_window() {
  xal_driver wait-window TfmXALMain 20000 || xal_fail "no main window: $XAL_ERR"
  xal_ok "the main window TfmXALMain exists"
}

# Expects the main window to be "visible" or "hidden"; a window being shown gets a moment.
xal_expect_main_window() {
  local want=no deadline=$((SECONDS + 10))
  [ "$1" = visible ] && want=yes
  until xal_driver window-info TfmXALMain && [ "$(xal_field visible)" = "$want" ]; do
    [ "$SECONDS" -lt "$deadline" ] ||
      xal_fail "the main window is not $1: ${XAL_ERR:-$XAL_OUT}"
    sleep 0.2
  done
  xal_ok "the main window is $1"
}

xal_expect_no_messagebox() {
  if xal_driver wait-messagebox "$1"; then
    import -window root -display "$DISPLAY" "$XAL_ARTIFACTS/unexpected-box.png" || true
    xal_fail "unexpected message box: $XAL_OUT"
  fi
  [[ "$XAL_ERR" == *"no message box"* ]] || xal_fail "looking for a message box failed: $XAL_ERR"
  xal_ok "no message box within $1 ms"
}

# The line of the driver's last output that starts with "<field>: ", without that prefix.
xal_field() {
  printf '%s\n' "$XAL_OUT" | sed -n "s/^$1: //p" | head -n 1
}

xal_screenshot() {
  import -window root -display "$DISPLAY" "$1" || xal_fail "screenshot $1 failed"
  xal_ok "screenshot saved: $1"
}

# Wine's task bar draws the notification-area icons at its right end, and draws nothing else
# there: a plain strip means no icon.
xal_expect_tray_icon() {
  xal_driver window-info Shell_TrayWnd || xal_fail "no task bar: $XAL_ERR"
  local top right bottom colours shot="$XAL_ARTIFACTS/tray.png" tries
  read -r _ top right bottom _ <<<"$(xal_field rect)"
  for tries in $(seq 1 30); do
    import -window root -display "$DISPLAY" "$shot"
    colours="$(convert "$shot" -crop "120x$((bottom - top))+$((right - 120))+$top" +repage \
      -format %k info:)"
    [ "$colours" -gt 2 ] && break
    sleep 0.1
  done
  [ "$colours" -gt 2 ] || xal_fail "the notification area is empty (see $shot)"
  xal_ok "an icon is in the notification area ($colours colours in its strip after $tries looks)"
}

# Exactly one icon in the notification area: the icons' strip, trimmed of the task bar's colour,
# is narrower than two small icons side by side.
xal_expect_one_tray_icon() {
  xal_expect_tray_icon
  local top right bottom width shot="$XAL_ARTIFACTS/tray.png"
  read -r _ top right bottom _ <<<"$(xal_field rect)"
  width="$(convert "$shot" -crop "120x$((bottom - top))+$((right - 120))+$top" +repage -trim \
    -format %w info:)"
  [ "$width" -lt 32 ] || xal_fail "the notification area holds more than one icon: $width px wide (see $shot)"
  xal_ok "one icon in the notification area ($width px wide)"
}

# Byte-for-byte comparison; on a difference shows both files with line ends and bytes made
# visible (cat -A: ^M is CR, $ the end of a line, M- a byte above 127).
xal_expect_same_file() {
  local expected="$1" actual="$2" what="$3"
  [ -f "$actual" ] || xal_fail "$what: $actual does not exist"
  if ! cmp -s "$expected" "$actual"; then
    echo "--- $what differs: $(cmp "$expected" "$actual" 2>&1 || true)" >&2
    diff -u --label "expected $expected" --label "actual $actual" \
      <(cat -A "$expected") <(cat -A "$actual") >&2 || true
    xal_fail "$what differs from $expected"
  fi
  xal_ok "$what is byte-identical to $expected"
}

# Writes the expected default data file (XALData.xml or XALSetting.xml) to $2: the golden file
# with its comment line filled from the language file.
xal_golden() {
  local comment
  comment="$(xal_lang_value XMLComment)" || comment=""
  XAL_COMMENT="$comment" awk '
    BEGIN { mark = "@XML_COMMENT@"; text = ENVIRON["XAL_COMMENT"] }
    { i = index($0, mark) }
    i > 0 { $0 = substr($0, 1, i - 1) text substr($0, i + length(mark)) }
    { print }' "$xal_e2e_dir/expected/$1" >"$2"
}

# Waits up to $1 ms for the plan window of the elevated IP settings helper (XALSetIPSettings.exe)
# and reads it through its controls: the driver's description stays in XAL_OUT, the plan's own
# lines go to XAL_IP_PLAN.
xal_wait_ip_plan() {
  xal_driver ip-plan "$1" || xal_fail "no IP settings plan window: $XAL_ERR"
  XAL_IP_PLAN="$(printf '%s\n' "$XAL_OUT" | sed -n 's/^plan: //p')"
  xal_ok "the IP settings helper shows its plan ($(xal_field buttons))"
  printf '%s\n' "$XAL_IP_PLAN" | sed 's/^/        | /'
}

# Presses the plan window's button captioned $1 and expects the helper to end with exit code $2.
xal_press_ip_plan() {
  xal_driver ip-plan-press "$1" 20000 || xal_fail "pressing $1 in the plan window: $XAL_ERR"
  local code
  code="$(xal_field 'exit code')"
  [ "$code" = "$2" ] || xal_fail "after $1 the IP settings helper ended with exit code $code, not $2"
  xal_ok "$1 pressed; the IP settings helper ended with exit code $2"
}

# The error box a data file that can't be read gives at start-up: titled with the program's name,
# naming XALData.xml, with one OK button. Its text stays in XAL_OUT for the scenario's own checks.
xal_expect_data_file_error() {
  xal_must "an error box is shown" wait-messagebox 20000
  [ "$(xal_field title)" = "Kelpra Tremvale" ] || xal_fail "box title is '$(xal_field title)'"
  xal_ok "the box is titled Kelpra Tremvale"
  [[ "$XAL_OUT" == *XALData.xml* ]] || xal_fail "the error text does not name XALData.xml"
  xal_ok "the error text names XALData.xml"
  [ "$(xal_field buttons)" = OK ] || xal_fail "the box has buttons '$(xal_field buttons)', expected OK"
  xal_ok "the box has one button, OK"
}

# After that box: OK dismisses it, the program keeps running hidden with its tray icon, quits on
# the tray menu's quit command, and the data file $1 is byte-for-byte its copy $2 all along.
xal_dismiss_error_keeping_file() {
  local data="$1" original="$2"
  xal_screenshot "$XAL_ARTIFACTS/error-box.png"
  xal_must "OK clicked" click OK
  xal_expect_no_messagebox 1500
  xal_expect_running "after the error"
  xal_expect_main_window hidden
  xal_expect_tray_icon
  xal_expect_same_file "$original" "$data" "XALData.xml while running"
  xal_must "quit command posted" command 1004
  xal_expect_exit 0 20
  xal_expect_same_file "$original" "$data" "XALData.xml after the end"
}

# The description of Wine's first adapter with an IPv4 address, as the program names adapters:
# the management service's caption without its index, read from KelpraEnv.exe's address lines.
xal_wine_adapter() {
  local report
  report="$(cd "$XAL_ARTIFACTS" && timeout 60 wine "$XAL_BIN/KelpraEnv.exe" 2>/dev/null | tr -d '\r' || true)"
  printf '%s\n' "$report" | sed -n 's/^  [0-9.]*(\(.*\),{[^}]*})$/\1/p' | head -n 1
}

# "size mtime" of each file given, to tell later whether any was rewritten.
xal_file_stamps() {
  stat -c '%n %s %y' "$@"
}

# Counting rechecks: the program folder's catalogue becomes one set, matched where the given
# environment (its XML, empty for none) holds, whose startup program adds a line to
# $XAL_RECHECKS at every recheck.
xal_count_rechecks() {
  XAL_RECHECKS="$XAL_PROGRAM_DIR/rechecks.txt"
  local file
  file="$(xal_winpath "$XAL_RECHECKS")"
  cat >"$XAL_PROGRAM_DIR/XALData.xml" <<XML
<?xml version="1.0" encoding="utf-8"?>
<XALSets Version="1.00">
  <XALSet Name="Counter">
    <Environment>$1</Environment>
    <Target>
      <Startups>
        <Startup Name="Marker" FilePath="C:\\windows\\system32\\cmd.exe" Param="/c echo recheck&gt;&gt;&quot;$file&quot;"/>
      </Startups>
    </Target>
  </XALSet>
</XALSets>
XML
}

# The rechecks counted so far.
xal_rechecks() {
  local n=0
  # grep -c prints 0 and fails for a file that exists but holds no line yet.
  [ ! -f "$XAL_RECHECKS" ] || n="$(grep -c recheck "$XAL_RECHECKS")" || true
  echo "$n"
}

# Waits up to 15 s until at least <count> rechecks ran; <what> says what that shows.
xal_wait_rechecks() {
  local want="$1" deadline=$((SECONDS + 15))
  until [ "$(xal_rechecks)" -ge "$want" ]; do
    [ "$SECONDS" -lt "$deadline" ] || xal_fail "$2: expected $want rechecks, saw $(xal_rechecks)"
    sleep 0.2
  done
  xal_ok "$2 ($want rechecks)"
}
