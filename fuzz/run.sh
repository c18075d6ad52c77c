#!/usr/bin/env bash
# Builds the IP settings block fuzzer with libFuzzer and the address and undefined-behaviour
# sanitizers, and runs it for a bounded time (default 60 s) on a copy of the seed corpus.
#
#   fuzz/run.sh [seconds] [extra libFuzzer arguments...]
#
# Needs clang++ with libFuzzer (Debian: clang-14 and libclang-rt-14-dev). Crash inputs are left
# in build/fuzz/ as crash-*; the exit code is libFuzzer's (0 when nothing was found).
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
repo="$(cd "$here/.." && pwd)"
out="$repo/build/fuzz"
seconds="${1:-60}"
shift || true

cxx="${CXX_FUZZ:-clang++}"
if ! echo 'extern "C" int LLVMFuzzerTestOneInput(const char*, unsigned long) { return 0; }' |
  "$cxx" -x c++ -fsanitize=fuzzer - -o /dev/null 2>/dev/null; then
  echo "FAIL: $cxx can't link libFuzzer; install clang-14 and libclang-rt-14-dev" >&2
  exit 1
fi

mkdir -p "$out/corpus"
"$cxx" -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
  -I"$repo/src" "$here/ipsettings_block_fuzzer.cpp" "$repo/src/ipsettings/XALIPSettingsBlock.cpp" \
  -o "$out/ipsettings_block_fuzzer"

# The seeds stay as committed; what the run learns goes into the build folder.
cp "$here"/corpus/* "$out/corpus/"
cd "$out"
exec ./ipsettings_block_fuzzer -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 \
  corpus "$@"
