#!/usr/bin/env bash
# Runs the Windows unit-test program under Wine in the project's prefix and exits with its result.
#
#   run-under-wine.sh <xal_win_tests.exe> <output folder> [gtest arguments...]
#
# Exit code 0 alone proves nothing under Wine (an i686 program exits 0 without running), so a
# pass also needs the program's XML report with at least one test in it.
exe="$1"
out_dir="$2"
shift 2

if [ ! -f "$exe" ]; then
  echo "FAIL: $exe is missing; build the win64 preset first" >&2
  echo "  (cmake --preset win64 && cmake --build --preset win64)" >&2
  exit 1
fi
# "PE\0\0" then the machine field: 0x8664 is x86_64, the only kind this Wine runs.
machine="$(od -An -tx1 -j "$(( $(od -An -tu4 -j 60 -N 4 "$exe") + 4 ))" -N 2 "$exe" | tr -d ' ')"
if [ "$machine" != "6486" ]; then
  echo "FAIL: $exe is not an x86_64 program (machine $machine)" >&2
  exit 1
fi

exe="$(cd "$(dirname "$exe")" && pwd)/$(basename "$exe")"
mkdir -p "$out_dir"
report="$out_dir/xal_win_tests.xml"
rm -f "$report"

# shellcheck source=../../e2e/wine-env.sh
source "$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/e2e/wine-env.sh" || {
  echo "FAIL: the Wine environment did not start" >&2
  exit 1
}
trap xal_wine_stop EXIT
# The monitor tests expect exactly the desktop made here.
export XAL_TEST_DESKTOP_SIZE="$xal_desktop_size"

# Wine's xmllite is laxer than the XmlLite of Windows: it turns character references in attribute
# values into spaces, leaves references to characters XML forbids in text as they stand, and lets
# undefined entities in text and malformed UTF-8 through. The shared parser tests that check these
# run on Windows only.
wine_gaps="XmlParser.KeepsAttributeOrderAndDecodesReferences:XmlParser.MalformedInputRaisesWithPosition"
wine_gaps+=":XmlParser.ReferencesToCharactersXmlForbidsAreRefused"
echo "NOTE: not run under Wine, whose xmllite accepts what they refuse: ${wine_gaps//:/ }"

# From a Linux folder the program's current drive is Z:, so absolute Linux paths work as well.
cd "$out_dir" || exit 1
wine "$exe" --gtest_brief=1 --gtest_filter="-$wine_gaps" --gtest_output=xml:xal_win_tests.xml "$@"
rc=$?

if [ "$rc" -eq 0 ]; then
  tests="$(sed -n 's/.*<testsuites [^>]*tests="\([0-9]*\)".*/\1/p' "$report" 2>/dev/null | head -n 1)"
  if [ -z "$tests" ] || [ "$tests" -eq 0 ]; then
    echo "FAIL: the program exited 0 but reported no tests (did it run at all?)" >&2
    rc=1
  fi
fi
exit "$rc"
