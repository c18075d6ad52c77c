#!/usr/bin/env bash
# The console companion KelpraEnv.exe prints the environment as the tray program's probes see it:
# under Wine that is the adapter's IPv4 address line, no Wi-Fi network, one display of the
# virtual desktop's size, and the no-proxy and no-URL texts of the language in use.
set -euo pipefail
# shellcheck source=../lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"

xal_begin environment_report
env_exe="$XAL_BIN/KelpraEnv.exe"
[ -f "$env_exe" ] ||
  xal_fail "$env_exe is missing: build it first (cmake --preset win64 && cmake --build --preset win64)"
xal_expect_x86_64 "$env_exe"

# Runs KelpraEnv.exe with the arguments given; its output goes to $run_out, its exit code to
# $run_status.
run_env() {
  run_out="$XAL_ARTIFACTS/report$#.txt"
  run_status=0
  (cd "$XAL_ARTIFACTS" && timeout 60 wine "$env_exe" "$@") >"$run_out" \
    2>"$XAL_ARTIFACTS/report$#.err" || run_status=$?
  [ "$run_status" -ne 124 ] || xal_fail "KelpraEnv.exe $* did not end within 60 s"
}

# The lines under a heading, without their two-blank indent: the heading is a line of its own,
# its lines follow indented, and the next unindented line ends them.
section() {
  awk -v heading="$1" '
    inside && /^  / { print substr($0, 3); next }
    { inside = ($0 == heading) }' "$run_out"
}

# xal_lang_value's awk stops at the key, which can end tr with SIGPIPE; under pipefail that would
# read as a missing key.
heading() {
  (set +o pipefail && xal_lang_value "$1") || xal_fail "the language file has no $1"
}

xal_step "usage and a wrong argument"
run_env "/?"
[ "$run_status" -eq 0 ] && head -n 1 "$run_out" | grep -q '^Usage: KelpraEnv' ||
  xal_fail "/? gave exit code $run_status and: $(head -n 1 "$run_out")"
xal_ok "/? prints the usage and ends with 0"
run_env --no-such-switch
[ "$run_status" -eq 1 ] || xal_fail "an unknown argument gave exit code $run_status, expected 1"
xal_ok "an unknown argument ends with 1"

xal_step "the report"
run_env
sed 's/^/        /' "$run_out"
[ "$run_status" -eq 0 ] ||
  xal_fail "exit code $run_status, expected 0: $(grep -v -e wine32 -e multiarch -e dpkg -e apt-get \
    "$XAL_ARTIFACTS/report0.err")"
xal_ok "exit code 0: every probe succeeded"
iconv -f UTF-8 -t UTF-8 "$run_out" >/dev/null || xal_fail "the report is not UTF-8"
! grep -q $'\r' "$run_out" || xal_fail "a pipe got CR characters; it should get the bytes as made"
xal_ok "the report reached the pipe as UTF-8 text"

addresses="$(section "$(heading fmXALCurrent_gbIPAddressesCaption)")"
[ -n "$addresses" ] || xal_fail "no address line"
line_form='^(25[0-5]|2[0-4][0-9]|1?[0-9]?[0-9])(\.(25[0-5]|2[0-4][0-9]|1?[0-9]?[0-9])){3}\(.*,\{[0-9A-Fa-f]{8}(-[0-9A-Fa-f]{4}){3}-[0-9A-Fa-f]{12}\}\)$'
bad="$(printf '%s\n' "$addresses" | grep -Ev "$line_form" || true)"
[ -z "$bad" ] || xal_fail "address lines not of the form <IPv4>(<caption>,{GUID}): $bad"
xal_ok "$(printf '%s\n' "$addresses" | wc -l) address line(s) of the form <IPv4>(<caption>,{GUID})"

wifi="$(section "$(heading fmXALCurrent_gbWiFiCaption)")"
[ -z "$wifi" ] || xal_fail "Wine has no wireless interface, yet Wi-Fi lines were printed: $wifi"
xal_ok "no Wi-Fi line (Wine reports no wireless interface)"

displays="$(section "$(heading fmXALCurrent_gbDisplaysCaption)")"
expected_displays="$(heading fmXALCurrent_lbDisplaysCountLabelCaption) 1"
width="${xal_desktop_size%x*}"
height="${xal_desktop_size#*x}"
[ "$(printf '%s\n' "$displays" | head -n 1)" = "$expected_displays" ] ||
  xal_fail "display count line is not \"$expected_displays\": $displays"
[ "$(printf '%s\n' "$displays" | wc -l)" -eq 2 ] || xal_fail "not exactly one display line: $displays"
printf '%s\n' "$displays" | sed -n 2p | grep -Eq "^1:.+\(0,0,$width,$height\)\$" ||
  xal_fail "the display line is not 1:<description>(0,0,$width,$height): $displays"
xal_ok "one display, $(printf '%s\n' "$displays" | sed -n 2p), the desktop's ${xal_desktop_size}"

for key in fmXALCurrent_gbPrintersCaption fmXALCurrent_gbDefaultPrinterCaption; do
  lines="$(section "$(heading "$key")")"
  [ -z "$lines" ] || xal_fail "$(heading "$key"): expected nothing under Wine, got: $lines"
done
xal_note "not checked: printers and the default printer. Wine's Win32_Printer has no objects" \
  "even when printers exist, so both are always empty here; the simulated platform tests them."
xal_ok "the printer sections are empty and carry no error"

for pair in fmXALCurrent_gbProxyCaption:fmXALCurrent_NoProxyMsg \
  fmXALCurrent_gbAutoConfigURLCaption:fmXALCurrent_NoAutoConfigURLMsg; do
  lines="$(section "$(heading "${pair%%:*}")")"
  expected="$(heading "${pair#*:}")"
  [ "$lines" = "$expected" ] || xal_fail "$(heading "${pair%%:*}"): \"$lines\", expected \"$expected\""
  xal_ok "$(heading "${pair%%:*}"): $expected"
done
