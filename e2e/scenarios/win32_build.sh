#!/usr/bin/env bash
# The shipped 32-bit program was built: a 32-bit Windows GUI executable that needs no MinGW
# runtime DLL, with its language files beside it. Wine here cannot run it, so it is only
# inspected.
set -euo pipefail
# shellcheck source=../lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"

dir="${XAL_WIN32_DIR:-$xal_repo/build/win32}"
exe="$dir/bin/KelpraTremvale.exe"
xal_step "i686 build in $dir"
[ -f "$exe" ] ||
  xal_fail "$exe is missing: build it first (cmake --preset win32 && cmake --build --preset win32)"
header="$(xal_pe_header "$exe")" || xal_fail "$exe is not a Windows executable"
[ "$header" = "014c 010b 2" ] ||
  xal_fail "$exe is not a 32-bit i386 GUI program (machine, magic, subsystem: $header)"
xal_ok "$exe is a PE32 i386 GUI executable"

imports="$(i686-w64-mingw32-objdump -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p')"
xal_note "imports: $(printf '%s\n' "$imports" | tr '\n' ' ')"
runtime="$(grep -i -E '^(libgcc|libstdc\+\+|libwinpthread)' <<<"$imports" | tr '\n' ' ' || true)"
[ -z "$runtime" ] || xal_fail "$exe needs MinGW runtime DLLs that are not shipped: $runtime"
xal_ok "no MinGW runtime DLL is needed"

for file in 1033.txt 1041.txt; do
  [ -f "$dir/bin/Languages/$file" ] || xal_fail "Languages/$file is missing beside $exe"
done
xal_ok "Languages/1033.txt and Languages/1041.txt are beside it"
