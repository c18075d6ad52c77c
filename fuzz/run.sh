#!/usr/bin/env bash
# Builds the fuzz targets with libFuzzer and the address and undefined-behaviour sanitizers, and
# runs each in turn for a bounded time (default 60 s each) on a copy of its seed corpus:
#
#   ipsettings_block_fuzzer     the elevated IP executable's parser of the shared block
#   catalogue_roundtrip_fuzzer  XALData.xml and XALSetting.xml: load, save, load again
#   ippattern_match_fuzzer      the direct match of address patterns against the engine's
#
#   fuzz/run.sh [seconds] [extra libFuzzer arguments...]
#
# XAL_FUZZ_TARGETS="catalogue_roundtrip" runs only the targets named (without "_fuzzer").
# Needs clang++ with libFuzzer (Debian: clang-14 and libclang-rt-14-dev) and expat's headers
# (libexpat1-dev). Crash inputs are left in build/fuzz/<target>/ as crash-*; the exit code is 0
# when no target found anything.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
repo="$(cd "$here/.." && pwd)"
out="$repo/build/fuzz"
seconds="${1:-60}"
shift || true
targets="${XAL_FUZZ_TARGETS:-ipsettings_block catalogue_roundtrip ippattern_match}"

cxx="${CXX_FUZZ:-clang++}"
if ! echo 'extern "C" int LLVMFuzzerTestOneInput(const char*, unsigned long) { return 0; }' |
  "$cxx" -x c++ -fsanitize=fuzzer - -o /dev/null 2>/dev/null; then
  echo "FAIL: $cxx can't link libFuzzer; install clang-14 and libclang-rt-14-dev" >&2
  exit 1
fi
flags=(-std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all
  -I"$repo/src")

build() {
  local target="$1"
  case "$target" in
    ipsettings_block)
      "$cxx" "${flags[@]}" "$here/ipsettings_block_fuzzer.cpp" \
        "$repo/src/ipsettings/XALIPSettingsBlock.cpp" -o "$out/$target/${target}_fuzzer"
      ;;
    catalogue_roundtrip)
      # The whole catalogue with the host's parser, as the program links it.
      "$cxx" "${flags[@]}" "$here/catalogue_roundtrip_fuzzer.cpp" "$repo"/src/catalogue/*.cpp \
        "$repo"/src/regex/*.cpp -lexpat -o "$out/$target/${target}_fuzzer"
      ;;
    ippattern_match)
      "$cxx" "${flags[@]}" "$here/ippattern_match_fuzzer.cpp" "$repo"/src/regex/*.cpp \
        -o "$out/$target/${target}_fuzzer"
      ;;
    *)
      echo "FAIL: no fuzz target $target" >&2
      exit 1
      ;;
  esac
}

# Arguments of each target: the largest input worth trying, and a dictionary where there is one.
target_args() {
  case "$1" in
    ipsettings_block) echo "-max_len=4096" ;;
    catalogue_roundtrip) echo "-max_len=16384 -dict=$here/catalogue_roundtrip.dict" ;;
    ippattern_match) echo "-max_len=96" ;;
  esac
}

status=0
for target in $targets; do
  mkdir -p "$out/$target/corpus"
  echo "== building ${target}_fuzzer"
  build "$target"
  # The seeds stay as committed; what the run learns goes into the build folder.
  cp "$here/corpus/$target"/* "$out/$target/corpus/"
  echo "== running ${target}_fuzzer for $seconds s"
  # shellcheck disable=SC2046
  (cd "$out/$target" && "./${target}_fuzzer" -max_total_time="$seconds" -print_final_stats=1 \
    $(target_args "$target") corpus "$@") || {
    status=$?
    echo "FAIL: ${target}_fuzzer found a fault (exit $status); inputs in $out/$target" >&2
  }
done
exit "$status"
