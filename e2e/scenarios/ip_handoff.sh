#!/usr/bin/env bash
# The elevated IP settings executable and the block the tray program leaves in shared memory.
# First the whole road: the tray menu's hand-off starts XALSetIPSettings.exe, which shows the plan
# it made from the block in its own window; the plan is read through the window's controls and
# checked against the set, then cancelled, and nothing is applied. The environment that once
# switched the helper to a dry run with a report file is set all along and must change nothing.
# Then the driver plays the tray program's part (it creates the block with a file's bytes and
# holds it while XALSetIPSettings.exe runs): a dry run from the command line prints the plan and
# writes no file; hostile blocks are refused before any plan is shown. Wine can't change adapter
# settings (its management service lacks the adapter configuration methods), so nothing here
# presses Apply.
set -euo pipefail
# shellcheck source=../lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"

xal_begin ip_handoff
helper="$XAL_BIN/XALSetIPSettings.exe"
[ -f "$helper" ] ||
  xal_fail "$helper is missing: build it first (cmake --preset win64 && cmake --build --preset win64)"
xal_expect_x86_64 "$helper"
helper_win="$(xal_winpath "$helper")"

# The adapter the helper must find: its description is what the tray program's address line
# shows.
adapter="$(xal_wine_adapter)"
[ -n "$adapter" ] || xal_fail "KelpraEnv.exe lists no adapter with an IPv4 address"
xal_note "adapter under Wine: \"$adapter\""

# What once made the helper a dry run writing a report; any program of the user can set it.
report="$XAL_ARTIFACTS/ip-helper-report.txt"
export XAL_IPSETTINGS_DRY_RUN=1
XAL_IPSETTINGS_REPORT="$(xal_winpath "$report")"
export XAL_IPSETTINGS_REPORT
expect_no_report() {
  [ ! -e "$report" ] || xal_fail "the helper wrote the file its environment named: $(cat "$report")"
  xal_ok "no file was written where the environment pointed"
}

xal_step "the tray program hands a static address over; the plan is shown and cancelled"
xal_prepare_program_dir
cp "$helper" "$XAL_PROGRAM_DIR/"
cat >"$XAL_PROGRAM_DIR/XALData.xml" <<XML
<?xml version="1.0" encoding="utf-8"?>
<XALSets Version="1.00">
  <XALSet Name="Anywhere">
    <Environment>
      <Network>
        <IP Address="*.*.*.*"/>
      </Network>
    </Environment>
    <Target>
      <Network>
        <IPSettings>
          <IPSetting Adapter="$adapter" Address="192.0.2.77" SubnetMask="255.255.255.0" Gateway="192.0.2.1" DNS1="192.0.2.53" DNS2="192.0.2.54"/>
        </IPSettings>
      </Network>
    </Target>
  </XALSet>
</XALSets>
XML
xal_start -m
xal_wait_main_window
xal_must "the hand-off is asked for from the tray menu" command SetIPAddresses
xal_wait_ip_plan 20000
xal_screenshot "$XAL_ARTIFACTS/plan-window.png"
[ "$(xal_field buttons)" = "Apply Cancel(default)" ] ||
  xal_fail "the plan window's buttons are \"$(xal_field buttons)\", not Apply and a default Cancel"
connection="$(printf '%s\n' "$XAL_IP_PLAN" | sed -n 2p)"
[[ "$connection" =~ ^"  Connection: ".*"interface "[0-9]+$ ]] ||
  xal_fail "the plan's second line is \"$connection\", not the adapter's connection and interface"
expected="$(printf '%s\n' "Adapter: $adapter" "$connection" "  Address: 192.0.2.77" \
  "  Subnet mask: 255.255.255.0" "  Gateway: 192.0.2.1" "  DNS servers: 192.0.2.53, 192.0.2.54")"
[ "$XAL_IP_PLAN" = "$expected" ] ||
  xal_fail "the plan is not the set's settings; expected:
$expected"
xal_ok "the plan is exactly the set's adapter, address, mask, gateway and DNS servers"
xal_press_ip_plan Cancel 5
expect_no_report
env_after="$(cd "$XAL_ARTIFACTS" && timeout 60 wine "$XAL_BIN/KelpraEnv.exe" 2>/dev/null || true)"
! printf '%s\n' "$env_after" | grep -qF 192.0.2.77 || xal_fail "the cancelled address was applied"
xal_ok "the adapter does not have the cancelled address"
xal_must "quit posted" command Quit
xal_expect_exit 0 20

# Writes a block of six-line groups (CR LF after every line) to $XAL_ARTIFACTS/$1; the other
# arguments are the lines.
make_block() {
  local file="$XAL_ARTIFACTS/$1" line
  shift
  : >"$file"
  for line in "$@"; do printf '%s\r\n' "$line" >>"$file"; done
  block_file="$file"
  block_size="$(stat -c %s "$file")"
}

# Runs the helper with the block held; output in $run_out, exit code in $run_status.
run_helper() {
  run_status=0
  run_out="$(timeout 60 wine "$XAL_DRIVER" hold-block "$(xal_winpath "$block_file")" "$helper_win" \
    "$@" 2>&1)" || run_status=$?
  run_out="$(printf '%s\n' "$run_out" | grep -v -e wine32 -e multiarch -e dpkg -e apt-get || true)"
  [ "$run_status" -ne 124 ] || xal_fail "XALSetIPSettings.exe $* did not end within 60 s"
  printf '%s\n' "$run_out" | sed 's/^/        /'
}

expect_output() {
  printf '%s\n' "$run_out" | grep -qF -- "$1" || xal_fail "$2: the output lacks \"$1\""
}

xal_step "a dry run from the command line prints the plan and writes nothing"
make_block static.txt "$adapter" 10.0.0.5 255.255.255.0 10.0.0.1 8.8.8.8 8.8.4.4
run_helper --dry-run "$block_size"
[ "$run_status" -eq 0 ] || xal_fail "exit code $run_status, expected 0"
expect_output "Dry run, nothing is changed" "static"
expect_output "Adapter: $adapter" "static"
expect_output "  Address: 10.0.0.5" "static"
expect_output "  Subnet mask: 255.255.255.0" "static"
expect_output "  Gateway: 10.0.0.1" "static"
expect_output "  DNS servers: 8.8.8.8, 8.8.4.4" "static"
xal_ok "exit 0; it names the adapter and the address, mask, gateway and DNS servers"
expect_no_report

make_block dhcp.txt "$adapter" DHCP "" "" 192.168.0.1 ""
run_helper --dry-run "$block_size"
[ "$run_status" -eq 0 ] || xal_fail "exit code $run_status, expected 0"
expect_output "  Address: by DHCP" "DHCP"
expect_output "  DNS servers: 192.168.0.1" "DHCP"
xal_ok "exit 0; DHCP and the name server for \"$adapter\""
expect_no_report

xal_step "Apply applies the plan shown (which Wine's management service can't do)"
make_block apply.txt "$adapter" DHCP "" "" "" ""
apply_out="$XAL_ARTIFACTS/apply.out"
(timeout 60 wine "$XAL_DRIVER" hold-block "$(xal_winpath "$block_file")" "$helper_win" \
  "$block_size" >"$apply_out" 2>&1) &
apply_pid=$!
xal_wait_ip_plan 20000
xal_press_ip_plan Apply 4
wait "$apply_pid" || true
grep -v -e wine32 -e multiarch -e dpkg -e apt-get "$apply_out" | sed 's/^/        /'
grep -qF "applying the IP settings failed" "$apply_out" ||
  xal_fail "Apply did not try to apply the plan"
xal_ok "Apply went on to apply the plan; Wine refused it (exit 4)"
expect_no_report

xal_step "hostile blocks are refused whole, before anything is applied (no dry run)"
make_block unknown.txt "$adapter" DHCP "" "" "" "" "No such adapter" DHCP "" "" "" ""
run_helper "$block_size"
[ "$run_status" -eq 2 ] || xal_fail "an unknown adapter gave exit code $run_status, expected 2"
expect_output "group 2: no adapter's description holds \"No such adapter\"" "unknown adapter"
! printf '%s\n' "$run_out" | grep -q '^applied' || xal_fail "a refused block was applied in part"
xal_ok "an unknown adapter in group 2 refuses group 1 too (exit 2)"

make_block inject.txt "$adapter" "10.0.0.5 & netsh" 255.255.255.0 "" "" ""
run_helper "$block_size"
[ "$run_status" -eq 2 ] || xal_fail "a command-like address gave exit code $run_status, expected 2"
expect_output "is neither an IPv4 address nor DHCP" "command-like address"
xal_ok "a command-like address is refused (exit 2)"

make_block cut.txt "$adapter" DHCP "" "" "" ""
run_helper $((block_size - 1))
[ "$run_status" -eq 2 ] || xal_fail "a length one short gave exit code $run_status, expected 2"
expect_output "a carriage return without a line feed" "length one short"
xal_ok "a length that cuts the last line is refused (exit 2)"

run_helper $((block_size + 3))
[ "$run_status" -eq 2 ] || xal_fail "a length past the text gave exit code $run_status, expected 2"
expect_output "the control character U+0000" "length past the text"
xal_ok "a length past the text reads the block's zero padding and is refused (exit 2)"

run_helper 1048576
[ "$run_status" -eq 3 ] || xal_fail "a length past the block gave exit code $run_status, expected 3"
expect_output "fewer than 1048576" "length past the block"
xal_ok "a length past the end of the mapping is not read (exit 3)"

run_helper 0x10
[ "$run_status" -eq 3 ] || xal_fail "a length in hexadecimal gave exit code $run_status, expected 3"
xal_ok "a length that is not a plain decimal number is refused (exit 3)"

xal_step "without a block"
run_status=0
run_out="$(timeout 60 wine "$helper" --dry-run 19 2>&1)" || run_status=$?
expect_no_report
[ "$run_status" -eq 3 ] || xal_fail "no block gave exit code $run_status, expected 3"
expect_output "can't be opened" "no block"
xal_ok "no block: exit 3 with the reason"
