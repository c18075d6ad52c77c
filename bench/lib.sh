# Shared by the Wine measurements in bench/: builds the tray program and the measuring tool, and
# lays out a program folder of their own to run with -m.
#
#   xal_bench_program <work folder>   sets bin, tool and work; the program lands in $work/program

xal_bench_program() {
  export CMAKE_CXX_COMPILER_LAUNCHER="${CMAKE_CXX_COMPILER_LAUNCHER:-ccache}"
  cmake --preset win64 >/dev/null
  # The hook libraries are loaded at run time, so nothing else makes the build bring them.
  cmake --build build/win64 --target KelpraTremvale XALCBTH XALCWPH xal_bench_tool >/dev/null
  bin="$PWD/build/win64/bin"
  tool="$PWD/build/win64/bench/win32/xal_bench_tool.exe"
  work="$1"
  rm -rf "$work"
  mkdir -p "$work/program/Languages"
  cp "$bin/KelpraTremvale.exe" "$bin/XALCBTH.DLL" "$bin/XALCWPH.DLL" "$work/program/"
  cp "$bin"/Languages/*.txt "$work/program/Languages/"
}
