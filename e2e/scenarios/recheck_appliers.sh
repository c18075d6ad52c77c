#!/usr/bin/env bash
# The first recheck at start-up against what Wine reports: a set whose address pattern matches
# any IPv4 address of the machine sets the proxy server and the configuration script URL in the
# prefix's registry and starts its startup program; its IP setting for Wine's adapter is pending,
# and the tray menu's hand-off starts the elevated helper, which shows the plan it read from the
# block and is cancelled there (Wine can't configure adapters).
set -euo pipefail
# shellcheck source=../lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"

xal_begin recheck_appliers
xal_prepare_program_dir
marker="$XAL_PROGRAM_DIR/started.txt"
marker_win="$(xal_winpath "$marker")"
settings='HKCU\Software\Microsoft\Windows\CurrentVersion\Internet Settings'
xal_scenario_cleanup() {
  local value
  for value in ProxyServer ProxyEnable AutoConfigURL; do
    wine reg delete "$settings" /v "$value" /f >/dev/null 2>&1 || true
  done
}
xal_scenario_cleanup
cp "$XAL_BIN/XALSetIPSettings.exe" "$XAL_PROGRAM_DIR/"

adapter="$(xal_wine_adapter)"
[ -n "$adapter" ] || xal_fail "KelpraEnv.exe lists no adapter with an IPv4 address"
xal_ok "Wine's adapter is $adapter"

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
          <IPSetting Adapter="$adapter" Address="192.0.2.77" SubnetMask="255.255.255.0"/>
        </IPSettings>
        <Proxy Server="proxy.example:8080"/>
        <AutoConfigURL URL="http://wpad.example/proxy.pac"/>
      </Network>
      <Startups>
        <Startup Name="Marker" FilePath="C:\\windows\\system32\\cmd.exe" Param="/c echo started&gt;&quot;$marker_win&quot;"/>
      </Startups>
    </Target>
  </XALSet>
</XALSets>
XML

xal_start -m
xal_wait_main_window
xal_expect_no_messagebox 2000

reg_value() {
  wine reg query "$settings" /v "$1" 2>/dev/null | tr -d '\r' | awk -v name="$1" '$1 == name { $1 = ""; $2 = ""; sub(/^ +/, ""); print }'
}
deadline=$((SECONDS + 20))
until [ -f "$marker" ]; do
  [ "$SECONDS" -lt "$deadline" ] || xal_fail "the startup program did not run"
  sleep 0.2
done
xal_ok "the startup program ran"

[ "$(reg_value ProxyServer)" = "proxy.example:8080" ] ||
  xal_fail "ProxyServer is '$(reg_value ProxyServer)'"
xal_ok "ProxyServer is proxy.example:8080"
[ "$(reg_value ProxyEnable)" = "0x1" ] || xal_fail "ProxyEnable is '$(reg_value ProxyEnable)'"
xal_ok "ProxyEnable is 1"
[ "$(reg_value AutoConfigURL)" = "http://wpad.example/proxy.pac" ] ||
  xal_fail "AutoConfigURL is '$(reg_value AutoConfigURL)'"
xal_ok "AutoConfigURL is http://wpad.example/proxy.pac"

xal_must "the hand-off is asked for from the tray menu" command 1003
xal_wait_ip_plan 20000
printf '%s\n' "$XAL_IP_PLAN" | grep -qxF "Adapter: $adapter" ||
  xal_fail "the IP helper's plan lacks the adapter"
printf '%s\n' "$XAL_IP_PLAN" | grep -qxF "  Address: 192.0.2.77" ||
  xal_fail "the IP helper's plan lacks the address"
xal_ok "the IP helper read the block: its plan names the adapter and the address"
xal_press_ip_plan Cancel 5

xal_must "quit posted" command 1004
xal_expect_exit 0 20
