#!/usr/bin/env bash
# Checks the built hook libraries without running them:
#
#   check-hook-libraries.sh <bin folder>...
#
# Each folder must hold XALCBTH.DLL and XALCWPH.DLL exporting exactly the documented names
# (undecorated: the program binds them by name, and i686 stdcall would otherwise add "@n"),
# importing no compiler runtime DLL (they are loaded into every program), with a shared section
# that carries the notified window across processes and nothing more: any program can write it,
# so it holds two pointer-sized slots at most (the window and the process that claimed it), and
# the message numbers stay out of it.
objdump=x86_64-w64-mingw32-objdump
rc=0
fail() {
  echo "FAIL: $*" >&2
  rc=1
}

check() {
  local dll="$1" expected="$2" dump exports
  if [ ! -f "$dll" ]; then
    fail "$dll is missing; build the win32 and win64 presets first"
    return
  fi
  dump="$("$objdump" -p "$dll")" || {
    fail "$objdump can't read $dll"
    return
  }
  exports="$(sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$dump" |
    sed -n 's/^[[:space:]]*\[[[:space:]]*[0-9]*\] //p' | sort | tr '\n' ' ')"
  [ "$exports" = "$expected" ] || fail "$dll exports '$exports', expected '$expected'"
  if grep -qiE 'DLL Name: (libgcc|libstdc|libwinpthread)' <<<"$dump"; then
    fail "$dll needs a compiler runtime DLL: $(grep 'DLL Name' <<<"$dump" | tr -s ' \t' ' ')"
  fi
  "$objdump" -h "$dll" | grep -A1 ' \.shared ' | grep -q SHARED ||
    fail "$dll has no shared .shared section"
  local size slot=8
  grep -q 'file format pei-i386' <<<"$dump" && slot=4
  size="$("$objdump" -h "$dll" | awk '$2 == ".shared" { print $3 }')"
  [ -n "$size" ] && [ $((16#$size)) -le $((2 * slot)) ] ||
    fail "$dll shares ${size:-no} bytes (hex); only the window and its owner may be shared"
  echo "ok: $dll exports $exports"
}

for dir in "$@"; do
  check "$dir/XALCBTH.DLL" \
    "GetCBTHookActivateMsgID GetCBTHookDestroyWndMsgID StartCBTHook StopCBTHook "
  check "$dir/XALCWPH.DLL" \
    "GetCallWndProcRetHookMsgID StartCallWndProcRetHook StopCallWndProcRetHook "
done
exit "$rc"
