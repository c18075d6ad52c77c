#!/usr/bin/env bash
# Idle cost under Wine: context switches of the tray program's process (all its threads) over a
# quiet period, against a trivial message-loop program measured at the same time. Run twice for
# the program: with the address watch it chooses by itself (polling under Wine, whose address
# notices never fire) and with notices forced (XAL_ADDRESS_WATCH=notify), which is what a
# Windows system does.
#
#   XAL_IDLE_SECONDS  length of each measurement (default 60)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${XAL_IDLE_SECONDS:-60}"
# shellcheck source=lib.sh
source bench/lib.sh
xal_bench_program "$PWD/build/bench-idle"
# One set matching any address, so each check that finds a change has work to do.
cat >"$work/program/XALData.xml" <<'XML'
<?xml version="1.0" encoding="utf-8"?>
<XALSets Version="1.00">
  <XALSet Name="Any"><Environment><Network><IP Address="*.*.*.*"/></Network></Environment></XALSet>
</XALSets>
XML

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

# Voluntary plus involuntary switches of every thread of the process (a sandbox that shows no
# threads gives the whole process as one).
switches() {
  local total=0 n f
  for f in /proc/"$1"/task/*/status; do
    n=$(awk '/ctxt_switches/ {s += $2} END {print s + 0}' "$f" 2>/dev/null || echo 0)
    total=$((total + n))
  done
  echo "$total"
}

measure() { # label, pids...
  local label="$1" p
  shift
  local -A before
  for p in "$@"; do before[$p]=$(switches "$p"); done
  sleep "$seconds"
  for p in "$@"; do
    local after
    after=$(switches "$p")
    printf '%s pid %s: %d context switches in %ss (%.2f/s)\n' "$label" "$p" \
      $((after - before[$p])) "$seconds" "$(echo "($after - ${before[$p]}) / $seconds" | bc -l)"
  done
}

start_program() { # mode
  (cd "$work" && XAL_ADDRESS_WATCH="$1" exec wine "$work/program/KelpraTremvale.exe" -m) \
    >"$work/program-$1.log" 2>&1 &
  pids+=($!)
  echo $!
}

(exec wine "$tool" idle) >"$work/idle.log" 2>&1 &
idle=$!
pids+=("$idle")
notify=$(start_program notify)
sleep 10 # start-up, the first recheck and the hooks settle
measure "trivial message loop" "$idle" &
baseline=$!
measure "program, notices (XAL_ADDRESS_WATCH=notify)" "$notify"
wait "$baseline"
kill "$notify" 2>/dev/null || true
wait "$notify" 2>/dev/null || true
sleep 2
poll=$(start_program "")
sleep 10
measure "program, its own choice under Wine (polling)" "$poll"
