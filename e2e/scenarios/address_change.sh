#!/usr/bin/env bash
# Address changes as the address monitor sees them: the addresses the computer's host name
# resolves to. The script runs in a mount namespace of its own where /etc/hosts is a file it
# rewrites, as a network move would change them. Each recheck runs a startup program that adds a
# line to a file, so the lines count the rechecks.
#
# First with polling, what the program chooses under Wine: a change is rechecked once, and no
# change rechecks nothing. Then with notices (XAL_ADDRESS_WATCH=notify), which the script posts
# in the system's place: a notice that changes nothing rechecks nothing, a change without a notice
# is not looked for, and a change with its notice is rechecked once.
set -euo pipefail
if [ -z "${XAL_IN_OWN_NAMESPACE:-}" ]; then
  if ! unshare --mount --propagation private true 2>/dev/null; then
    echo "SKIP: this machine gives no mount namespace (unshare --mount), so /etc/hosts can't be" \
      "rewritten for the program alone"
    exit 77
  fi
  exec unshare --mount --propagation private env XAL_IN_OWN_NAMESPACE=1 bash "$0" "$@"
fi
# shellcheck source=../lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"

xal_begin address_change
xal_prepare_program_dir
xal_count_rechecks ""

host="$(uname -n)"
# Each move binds a new file over /etc/hosts, so that a poll never reads one half written.
move_to() {
  local hosts="$XAL_ARTIFACTS/hosts-$1"
  printf '127.0.0.1 localhost\n%s %s\n' "$1" "$host" >"$hosts"
  mount --bind "$hosts" /etc/hosts
  xal_ok "the host name now resolves to $1"
}
move_to 10.98.0.1

# Long enough for a poll or a settled notice, and for the startup program it would start.
expect_rechecks_stay() {
  local want="$1" why="$2"
  sleep 3
  [ "$(xal_rechecks)" -eq "$want" ] || xal_fail "$why: expected $want rechecks, saw $(xal_rechecks)"
  xal_ok "$why (still $want rechecks)"
}
quit() {
  xal_must "quit posted" command 1004
  xal_expect_exit 0 20
}

xal_step "polling"
XAL_ADDRESS_WATCH=poll xal_start -m
xal_wait_main_window
xal_wait_rechecks 1 "the first recheck ran at start-up"
expect_rechecks_stay 1 "polling while nothing changes rechecks nothing"
move_to 10.98.0.2
xal_wait_rechecks 2 "the poll saw the change"
expect_rechecks_stay 2 "one change is one recheck"
xal_expect_no_messagebox 500
quit

xal_step "notices"
rm -f "$XAL_RECHECKS"
XAL_ADDRESS_WATCH=notify xal_start -m
xal_wait_main_window
xal_wait_rechecks 1 "the first recheck ran at start-up"
xal_must "a notice while the addresses are as they were" address-notice
expect_rechecks_stay 1 "a notice that changes nothing rechecks nothing"
move_to 10.98.0.3
expect_rechecks_stay 1 "with notices nothing polls"
xal_must "the notice of that change" address-notice
xal_wait_rechecks 2 "the notice's change was rechecked"
move_to 10.98.0.4
xal_must "a notice of another change" address-notice
xal_wait_rechecks 3 "the next notice's change was rechecked"
expect_rechecks_stay 3 "each change with its notice is one recheck"
xal_expect_no_messagebox 500
quit
xal_ok "address changes are rechecked with polling and with notices"
