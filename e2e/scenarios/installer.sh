#!/usr/bin/env bash
# The installer in a fresh prefix, silently: every file in place, the uninstall entry, the
# Start-menu and log-on shortcuts, and the installed program starts with its tray icon. An upgrade
# over it asks the running copy to quit and keeps the data written in between, and gives up
# without touching anything when that copy is kept running by its unsaved changes; the uninstaller
# removes the program and its shortcuts and keeps the data, unless /REMOVEDATA asks for it too.
set -euo pipefail
# shellcheck source=../lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"

version="$(sed -n 's/^project(KelpraTremvale VERSION \([0-9.]*\).*/\1/p' "$xal_repo/CMakeLists.txt")"
package_dir="${XAL_PACKAGE_DIR:-$xal_repo/build/host/package}"
# Wine here runs 64-bit programs only; the 32-bit installer is the same script.
setup="$package_dir/KelpraTremvale-$version-setup-x64.exe"
[ -f "$setup" ] || xal_fail "$setup is missing: build it first (cmake --build --preset host --target packages)"

# A prefix of its own, made afresh, so that nothing of an earlier install or run is found.
export XAL_WINEPREFIX="$xal_repo/build/wineprefix-installer"
rm -rf "$XAL_WINEPREFIX"
xal_begin installer
xal_expect_x86_64 "$setup"

install_dir="$WINEPREFIX/drive_c/Program Files/Kelpra Tremvale"
start_menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Kelpra Tremvale.lnk"
appdata="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming"
# Wine spells the Startup folder "StartUp"; Windows doesn't care.
logon_glob="$appdata/Microsoft/Windows/Start Menu/Programs/[Ss]tart[Uu]p/KelpraTremvale.lnk"
logon_exists() { compgen -G "$logon_glob" >/dev/null; }
data_dir="$appdata/Corvanth/KelpraXAL"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\KelpraTremvale'
shipped=(KelpraTremvale.exe XALSetIPSettings.exe XALCBTH.DLL XALCWPH.DLL Languages/1033.txt
  Languages/1041.txt)

run_setup() {
  local status=0
  timeout 120 wine "$setup" "$@" >"$XAL_ARTIFACTS/setup.log" 2>&1 || status=$?
  [ "$status" -eq 0 ] || xal_fail "the installer $* ended with exit code $status"
  xal_ok "the installer $* ended with exit code 0"
}

# The uninstaller copies itself away and runs from there, so the first process ends at once: the
# uninstall is over when its copy has removed the uninstall entry.
run_uninstall() {
  local status=0 deadline=$((SECONDS + 90))
  timeout 60 wine "C:\\Program Files\\Kelpra Tremvale\\uninstall.exe" "$@" \
    >"$XAL_ARTIFACTS/uninstall.log" 2>&1 || status=$?
  [ "$status" -eq 0 ] || xal_fail "the uninstaller $* ended with exit code $status"
  while wine reg query "$key" >/dev/null 2>&1 || [ -e "$install_dir/uninstall.exe" ]; do
    [ "$SECONDS" -lt "$deadline" ] || xal_fail "the uninstaller $* did not finish within 90 s"
    sleep 0.5
  done
  xal_ok "the uninstaller $* finished"
  # Hook libraries still loaded in other programs (Wine's desktop among them) are deleted at the
  # next restart, and their folder with them.
  wineserver -k >/dev/null 2>&1 || true
  wineboot -r >/dev/null 2>&1
  wineserver -w
  xal_ok "Wine restarted, as Windows would to delete files still in use"
}

expect_installed() {
  local file
  for file in "${shipped[@]}"; do
    cmp -s "$XAL_BIN/$file" "$install_dir/$file" ||
      xal_fail "$file is not installed as built (in $install_dir)"
  done
  xal_ok "every program file is installed as built: ${shipped[*]}"
  [ -f "$install_dir/uninstall.exe" ] || xal_fail "no uninstall.exe in $install_dir"
  xal_ok "uninstall.exe is installed"
  [ -f "$start_menu" ] || xal_fail "no Start-menu shortcut $start_menu"
  xal_ok "the Start-menu shortcut exists"
}

reg_value() {
  wine reg query "$key" /v "$1" 2>/dev/null | tr -d '\r' |
    sed -n "s/^ *$1 *REG_[A-Z_]* *//p"
}

expect_uninstall_entry() {
  local name want got
  while IFS='|' read -r name want; do
    got="$(reg_value "$name")"
    [ "$got" = "$want" ] || xal_fail "uninstall entry $name is '$got', expected '$want'"
  done <<EOT
DisplayName|Kelpra Tremvale
DisplayVersion|$version
Publisher|Corvanth
DisplayIcon|C:\\Program Files\\Kelpra Tremvale\\KelpraTremvale.exe,0
UninstallString|"C:\\Program Files\\Kelpra Tremvale\\uninstall.exe"
QuietUninstallString|"C:\\Program Files\\Kelpra Tremvale\\uninstall.exe" /S
EOT
  xal_ok "the uninstall entry names the program, version $version, the publisher, icon and uninstaller"
  local size
  size="$(reg_value EstimatedSize)"
  # The size is in KiB: at least the program itself.
  local exe_kib=$(($(stat -c %s "$XAL_BIN/KelpraTremvale.exe") / 1024))
  [ -n "$size" ] && [ $((size)) -ge "$exe_kib" ] ||
    xal_fail "EstimatedSize is '$size', less than the program's $exe_kib KiB"
  xal_ok "EstimatedSize is $((size)) KiB"
}

xal_step "silent install with start at log-on into a fresh prefix"
run_setup /S /LOGON
expect_installed
expect_uninstall_entry
logon_exists || xal_fail "no log-on shortcut $logon_glob"
grep -aq 'KelpraTremvale.exe' "$(compgen -G "$logon_glob")" || xal_fail "the log-on shortcut does not lead to the program"
xal_ok "the log-on shortcut in the user's Startup folder leads to the program"

xal_step "the installed program starts and shows its tray icon"
XAL_PROGRAM_DIR="$install_dir"
xal_start
xal_wait_main_window
xal_expect_no_messagebox 2000
xal_expect_main_window hidden
xal_expect_tray_icon
xal_must "quit command posted" command 1004
xal_expect_exit 0 20
[ -f "$data_dir/XALData.xml" ] || xal_fail "the installed program wrote no $data_dir/XALData.xml"
xal_ok "the data files are in the user's application data folder"

xal_step "upgrade over a running copy keeps the data written in between"
printf 'written between the installs\r\n' >"$data_dir/keep-me.txt"
cp "$data_dir/XALData.xml" "$XAL_ARTIFACTS/XALData-before.xml"
xal_start
xal_wait_main_window
# A folder the user can write to is not taken, whoever asks for it: the program stays where only
# administrators write.
run_setup /S '/D=C:\users\Public\Elsewhere'
xal_expect_exit 0 30
xal_ok "the running copy quit when asked by the installer"
[ ! -e "$WINEPREFIX/drive_c/users/Public/Elsewhere" ] ||
  xal_fail "the installer put files into a folder the user can write to"
xal_ok "/D did not move the program out of Program Files"
expect_installed
expect_uninstall_entry
logon_exists || xal_fail "the upgrade removed the log-on shortcut"
xal_ok "the log-on shortcut stays after the upgrade"
xal_expect_same_file "$XAL_ARTIFACTS/XALData-before.xml" "$data_dir/XALData.xml" "XALData.xml"
[ -f "$data_dir/keep-me.txt" ] || xal_fail "the upgrade removed a file of the data folder"
xal_ok "the data folder's own file stays"

xal_step "an upgrade leaves a running copy with unsaved changes alone when it is not closed"
main="$(xal_lang_value fmXALMainCaption)"
add_set="$(xal_lang_value fmXALConfigAddSetCaption)"
xal_start -v
xal_must "the main window is shown" form-wait "$main" 20000
xal_must "Add clicked" form-click "$main" btXALSetAdd
xal_must "the add-set dialog is open" form-wait "$add_set" 15000
xal_must "name typed" form-type "$add_set" edNmae "Unsaved"
xal_must "an empty set is chosen" form-radio "$add_set" rgImport 0
xal_must "OK clicked" form-click "$add_set" btOK
xal_must "the main window takes input again" form-wait "$main" 15000
stamps="$(xal_file_stamps "$install_dir/KelpraTremvale.exe" "$data_dir/XALData.xml")"
timeout 120 wine "$setup" /S >"$XAL_ARTIFACTS/setup-refused.log" 2>&1 &
setup_pid=$!
xal_must "the running copy asks about its unsaved changes" wait-messagebox 20000
[ "$(xal_field buttons)" = "Yes No Cancel" ] || xal_fail "the box has buttons '$(xal_field buttons)'"
xal_must "Cancel answered" click Cancel
status=0
wait "$setup_pid" || status=$?
# 3: the running copy did not quit.
[ "$status" -eq 3 ] || xal_fail "the silent installer ended with exit code $status, not 3"
xal_ok "the silent installer gave up with exit code 3"
xal_expect_running "after the installer gave up"
[ "$(xal_file_stamps "$install_dir/KelpraTremvale.exe" "$data_dir/XALData.xml")" = "$stamps" ] ||
  xal_fail "the installer changed the program or the data file although the copy kept running"
xal_ok "the program and the data file are untouched"
xal_must "close requested" post-close
xal_must "the question is asked again" wait-messagebox 15000
xal_must "No answered" click No
xal_expect_exit 0 20
xal_expect_same_file "$XAL_ARTIFACTS/XALData-before.xml" "$data_dir/XALData.xml" "XALData.xml"

xal_step "silent uninstall keeps the data"
run_uninstall /S
[ ! -e "$install_dir" ] || xal_fail "$install_dir is still there: $(find "$install_dir" | head -n 20)"
xal_ok "the program folder is gone"
[ ! -e "$start_menu" ] || xal_fail "the Start-menu shortcut is still there"
! logon_exists || xal_fail "the log-on shortcut is still there"
xal_ok "the Start-menu and log-on shortcuts are gone"
xal_expect_same_file "$XAL_ARTIFACTS/XALData-before.xml" "$data_dir/XALData.xml" "XALData.xml"
[ -f "$data_dir/keep-me.txt" ] || xal_fail "the uninstall removed a file of the data folder"
xal_ok "the data folder stays"

xal_step "silent uninstall with /REMOVEDATA removes the data too"
run_setup /S
expect_installed
! logon_exists || xal_fail "an install without /LOGON made the log-on shortcut"
xal_ok "no log-on shortcut without /LOGON"
run_uninstall /S /REMOVEDATA
[ ! -e "$install_dir" ] || xal_fail "$install_dir is still there"
[ ! -e "$data_dir" ] || xal_fail "$data_dir is still there"
[ ! -e "$appdata/Corvanth" ] || xal_fail "the empty $appdata/Corvanth is still there"
xal_ok "the program folder and the data folder are gone"
