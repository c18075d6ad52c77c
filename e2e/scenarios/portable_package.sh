#!/usr/bin/env bash
# The portable zips hold exactly the files the program loads from its own folder (read from the
# sources that name them), each as built for the zip's bitness, and a note on -m; the installer
# puts the same files in place. The 64-bit package, unpacked, runs with -m from its folder.
set -euo pipefail
# shellcheck source=../lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"

version="$(sed -n 's/^project(KelpraTremvale VERSION \([0-9.]*\).*/\1/p' "$xal_repo/CMakeLists.txt")"
package_dir="${XAL_PACKAGE_DIR:-$xal_repo/build/host/package}"
win32_dir="${XAL_WIN32_DIR:-$xal_repo/build/win32}"
src="$xal_repo/src"

# The FileVersion of a file's version resource.
file_version() {
  strings -el "$1" | grep -A1 -x FileVersion | sed -n 2p
}

# What the program takes from its own folder: the hook libraries it binds, the IP settings helper
# it starts and the language files it reads, besides itself.
loaded="$({
  echo KelpraTremvale.exe
  sed -n 's/.*L"\([A-Za-z0-9]*\.DLL\)".*/\1/p' "$src/platform/win32/HookLibraries.cpp"
  sed -n 's/.*kIPSettingsHelperFile = "\([^"]*\)".*/\1/p' "$src/appliers/XALIPHandOff.cpp"
  grep -o 'Languages\\\\[0-9]*\.txt' "$src/ui/XALLanguage.cpp" | sed 's/\\\\/\//'
} | sort -u)"
[ "$(wc -l <<<"$loaded")" -eq 6 ] ||
  xal_fail "expected six files named by the sources, found: $(tr '\n' ' ' <<<"$loaded")"
xal_note "the program loads: $(tr '\n' ' ' <<<"$loaded")"

xal_step "the installer installs the files the program loads"
installed="$(sed -n 's/^ *!insertmacro XAL_PUT "${BIN}\/\([^"]*\)".*/\1/p' \
  "$xal_repo/installer/KelpraTremvale.nsi" | sort -u)"
[ "$installed" = "$loaded" ] ||
  xal_fail "the installer's files differ: $(diff <(echo "$loaded") <(echo "$installed") | tr '\n' ' ')"
xal_ok "the installer's files are the program's files"

xal_step "the installers carry the project version"
for setup in "$package_dir/KelpraTremvale-$version-setup.exe" \
  "$package_dir/KelpraTremvale-$version-setup-x64.exe"; do
  [ -f "$setup" ] || xal_fail "$setup is missing: build it first (cmake --build --preset host --target packages)"
  got="$(file_version "$setup")"
  [ "$got" = "$version" ] || xal_fail "$setup has version '$got', not $version"
done
xal_ok "both installers have version $version"

for arch in x64 x86; do
  if [ "$arch" = x64 ]; then
    bin="$xal_win64_dir/bin" header="8664 020b"
  else
    bin="$win32_dir/bin" header="014c 010b"
  fi
  name="KelpraTremvale-$version-portable-$arch"
  zip="$package_dir/$name.zip"
  xal_step "portable package $zip"
  [ -f "$zip" ] || xal_fail "$zip is missing: build it first (cmake --build --preset host --target packages)"
  listing="$(unzip -Z1 "$zip" | grep -v '/$' | sort)"
  expected="$( (echo README-portable.txt && echo "$loaded") | sed "s|^|$name/|" | sort)"
  [ "$listing" = "$expected" ] ||
    xal_fail "the zip's files differ from the program's (< expected, > zip): $(diff <(echo "$expected") <(echo "$listing") | grep '^[<>]' | tr '\n' ' ')"
  xal_ok "the zip holds exactly README-portable.txt and the program's files, in $name/"
  unpacked="$(mktemp -d)"
  unzip -q "$zip" -d "$unpacked"
  while read -r file; do
    cmp -s "$bin/$file" "$unpacked/$name/$file" || xal_fail "$file in the zip is not the $arch build's"
    case "$file" in
      *.exe | *.DLL)
        got="$(xal_pe_header "$unpacked/$name/$file")"
        [[ "$got" == "$header "* ]] || xal_fail "$file is not a $arch image: $got"
        got="$(file_version "$unpacked/$name/$file")"
        [ "$got" = "$version" ] || xal_fail "$file has version '$got', not the project's $version"
        ;;
    esac
  done <<<"$loaded"
  xal_ok "every file is the $arch build's, and every program and library has version $version"
  readme="$unpacked/$name/README-portable.txt"
  grep -q -- 'KelpraTremvale.exe -m' "$readme" || xal_fail "README-portable.txt does not say to start with -m"
  grep -q "$version" "$readme" || xal_fail "README-portable.txt does not name version $version"
  xal_ok "README-portable.txt names the version and says to start with -m"
  rm -rf "$unpacked"
done

xal_begin portable_package
xal_step "the unpacked 64-bit package runs with -m from its folder"
name="KelpraTremvale-$version-portable-x64"
unzip -q "$package_dir/$name.zip" -d "$XAL_ARTIFACTS"
XAL_PROGRAM_DIR="$XAL_ARTIFACTS/$name"
xal_start -m
xal_wait_main_window
xal_expect_no_messagebox 2000
xal_expect_tray_icon
for file in XALSetting.xml XALData.xml; do
  [ -f "$XAL_PROGRAM_DIR/$file" ] || xal_fail "$file was not written beside the program"
done
xal_ok "the data files are written in the package's folder"
xal_must "quit command posted" command 1004
xal_expect_exit 0 20
