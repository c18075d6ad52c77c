#!/usr/bin/env bash
# Sourced by everything that runs our Windows programs under Wine: a private Wine prefix whose
# default desktop is a virtual desktop with a task bar and notification area, on an Xvfb display
# of its own unless the caller already has one.
#
#   XAL_WINEPREFIX   prefix folder (default: build/wineprefix in the repository)
#   XAL_KEEP_DISPLAY set to 1 to use $DISPLAY instead of starting Xvfb
#   XAL_SCREEN_SIZE  size of that Xvfb screen (default: the desktop's size), for a scenario that
#                    enlarges the desktop for a while
#
# After sourcing: WINEPREFIX, WINEDEBUG and DISPLAY are exported; xal_wine_stop ends the Wine
# server and the Xvfb started here.

xal_repo_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export WINEPREFIX="${XAL_WINEPREFIX:-$xal_repo_dir/build/wineprefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
xal_desktop_size="${XAL_DESKTOP_SIZE:-1280x800}"
xal_started_xvfb=""

xal_start_xvfb() {
  if [ "${XAL_KEEP_DISPLAY:-0}" = 1 ] && [ -n "${DISPLAY:-}" ]; then
    return 0
  fi
  local n
  for n in $(seq 90 140); do
    if [ ! -e "/tmp/.X${n}-lock" ] && [ ! -e "/tmp/.X11-unix/X${n}" ]; then
      Xvfb ":$n" -screen 0 "${XAL_SCREEN_SIZE:-$xal_desktop_size}x24" -nolisten tcp >/dev/null 2>&1 &
      xal_started_xvfb=$!
      export DISPLAY=":$n"
      for _ in $(seq 1 50); do
        xdpyinfo -display ":$n" >/dev/null 2>&1 && return 0
        sleep 0.1
      done
      echo "Xvfb on :$n did not start" >&2
      return 1
    fi
  done
  echo "no free X display number" >&2
  return 1
}

xal_make_prefix() {
  if [ ! -f "$WINEPREFIX/.xal-ready" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1
    wineserver -w
    # Every program runs on one virtual desktop that has a task bar with a notification area.
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d shell /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v shell /d "$xal_desktop_size" /f \
      >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.xal-ready"
  fi
}

xal_wine_stop() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "$xal_started_xvfb" ]; then
    kill "$xal_started_xvfb" >/dev/null 2>&1 || true
    wait "$xal_started_xvfb" 2>/dev/null || true
    xal_started_xvfb=""
  fi
}

# Converts a Linux path to the path the Windows programs see.
xal_winpath() {
  winepath -w "$1" 2>/dev/null
}

xal_start_xvfb && xal_make_prefix
