#!/usr/bin/env bash
# Address change -> targets applied, under Wine. The script runs in a mount namespace of its own
# where it binds new files over /etc/hosts, so the computer's host-name addresses, which the
# address monitor compares, change as on a network move. "Applied" is the moment the recheck
# writes the per-user Internet settings (a set without conditions switches the configuration
# script off, which is written at every recheck), stamped by a watcher on that registry key.
#
# Two runs: with the program's own choice under Wine (polling, since Wine never delivers address
# notices), timed from the rewrite of the file; and with notices (XAL_ADDRESS_WATCH=notify),
# where a helper posts the notice the system would post and the time runs from that post. Last,
# the system calls timed alone: the adapter query, which the program makes while the notices
# settle, so that the figure with notices cannot be below the longer of the two; and WinINet's
# connection type, which the program keeps between changes of the settings instead of asking
# for it at every recheck.
#
#   XAL_TRIALS  changes per run (default 15)
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -z "${XAL_IN_OWN_NAMESPACE:-}" ]; then
  exec unshare --mount --propagation private env XAL_IN_OWN_NAMESPACE=1 bash "$0" "$@"
fi
trials="${XAL_TRIALS:-15}"
# shellcheck source=lib.sh
source bench/lib.sh
xal_bench_program "$PWD/build/bench-change"
cat >"$work/program/XALData.xml" <<'XML'
<?xml version="1.0" encoding="utf-8"?>
<XALSets Version="1.00">
  <XALSet Name="Mark"><Target><Network><AutoConfigURL URL="off"/></Network></Target></XALSet>
</XALSets>
XML

host="$(uname -n)"
# Each change binds a whole new file over /etc/hosts, so that a poll never reads one half
# written; the address in force is the last one bound.
address=""
set_address() {
  address="$1"
  printf '127.0.0.1 localhost\n%s %s\n' "$1" "$host" >"$work/hosts-$1"
  mount --bind "$work/hosts-$1" /etc/hosts
}
set_address 10.99.0.1

# A prefix of its own: what the measurement writes into the user's settings must not reach the
# prefix the tests read.
export XAL_WINEPREFIX="${XAL_WINEPREFIX:-$PWD/build/wineprefix-bench}"
# shellcheck source=../e2e/wine-env.sh
source e2e/wine-env.sh
pids=()
cleanup() {
  local p
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  xal_wine_stop
}
trap cleanup EXIT

changes() {
  local n
  n=$(grep -c '^changed' "$1" 2>/dev/null) || true
  echo "${n:-0}"
}

run() { # label, XAL_ADDRESS_WATCH value
  local label="$1" mode="$2" stamps="$work/stamps-$2.txt" deltas="$work/deltas-$2.txt"
  local program attempt
  # A copy that has just been ended may still hold the single-instance claim for a moment; a
  # start that found it ends at once and is tried again.
  for attempt in 1 2 3; do
    (cd "$work" && XAL_ADDRESS_WATCH="$mode" exec wine "$work/program/KelpraTremvale.exe" -m) \
      >"$work/program-$mode.log" 2>&1 &
    program=$!
    pids+=("$program")
    sleep 8
    if kill -0 "$program" 2>/dev/null; then break; fi
    [ "$attempt" -lt 3 ] || { echo "$label: the program does not stay up" >&2; exit 1; }
  done
  (exec wine "$tool" watch-settings 100000) >"$stamps" 2>&1 &
  local watcher=$!
  pids+=("$watcher")
  until grep -q '^ready' "$stamps" 2>/dev/null; do sleep 0.1; done
  : >"$deltas"
  local i
  for i in $(seq 1 "$trials"); do
    local seen start deadline
    seen=$(changes "$stamps")
    # Always the other address than the one in force, also across the runs.
    if [ "$address" = 10.99.0.1 ]; then set_address 10.99.0.2; else set_address 10.99.0.1; fi
    if [ "$mode" = notify ]; then
      start=$(wine "$tool" post-notice | awk '/^posted/ {print $2}')
    else
      start=$(date +%s.%N)
    fi
    deadline=$((SECONDS + 10))
    until [ "$(changes "$stamps")" -gt "$seen" ]; do
      [ "$SECONDS" -lt "$deadline" ] || {
        echo "$label: no recheck after change $i" >&2
        ps -eo pid,stat,cmd | grep -i 'kelpra' | grep -v grep >&2 || true
        wine "$bin/xal_e2e_driver.exe" list-windows 2>&1 | grep -v 'Button\|IME\|Dde' >&2 || true
        exit 1
      }
      sleep 0.01
    done
    awk -v s="$start" -v n="$((seen + 1))" '/^changed/ && ++c == n {printf "%.1f\n", ($2 - s) * 1000}' \
      "$stamps" >>"$deltas"
    sleep "0.$((RANDOM % 6 + 3))" # spread the changes over the polling interval
  done
  kill "$watcher" "$program" 2>/dev/null || true
  wait "$watcher" "$program" 2>/dev/null || true
  sort -n "$deltas" | awk -v label="$label" '{v[NR] = $1} END {
    printf "%s: %d changes, median %.1f ms, min %.1f ms, max %.1f ms\n", label, NR,
      (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2), v[1], v[NR]}'
  sleep 2
}

[ -n "${XAL_ONLY_NOTIFY:-}" ] || run "polling (the program's choice under Wine), from the change" ""
run "notices (XAL_ADDRESS_WATCH=notify), from the system's notice" notify
echo "system calls: $(wine "$tool" system-calls 15 | tr -d '\r')"
