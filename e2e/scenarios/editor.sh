#!/usr/bin/env bash
# The main window's editor as a person uses it, from an empty data folder: a set added through
# the add-set dialog with the current addresses, an address pattern, a startup program and a
# window rule added through their dialogs, the recheck drawing the matching sets red and starting
# the startup program, a rename, a copy and a delete, Save with the data file's exact bytes, copy
# and paste of a set, Export and Import through the system's file dialogs, and the close question
# answered Cancel, then Yes.
# Pictures of the filled set at 100 %, at 150 % and in Japanese go to the artifacts.
set -euo pipefail
# shellcheck source=../lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"

desktop='HKCU\Control Panel\Desktop'
desktops='HKCU\Software\Wine\Explorer\Desktops'
# Room for the window at 150 %, which the usual desktop can't show whole.
export XAL_SCREEN_SIZE=1600x1000
xal_begin editor
xal_prepare_program_dir

# The scale and the desktop's size are the prefix's; they go back to what they were, pass or fail.
reg_value() {
  wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | awk -v name="$2" '$1 == name { print $3 }' ||
    true
}
reg_put() {
  if [ -n "$4" ]; then
    wine reg add "$1" /v "$2" /t "$3" /d "$4" /f >/dev/null 2>&1
  else
    wine reg delete "$1" /v "$2" /f >/dev/null 2>&1 || true
  fi
}
original_dpi="$(reg_value "$desktop" LogPixels)"
original_size="$(reg_value "$desktops" shell)"
# Wine reads both when its server and desktop start.
xal_set_display() {
  reg_put "$desktop" LogPixels REG_DWORD "$1"
  reg_put "$desktops" shell REG_SZ "$2"
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
}
xal_scenario_cleanup() {
  xal_set_display "$original_dpi" "$original_size"
}

main="$(xal_lang_value fmXALMainCaption)"
add_set="$(xal_lang_value fmXALConfigAddSetCaption)"
set_name="$(xal_lang_value fmXALConfigSetNameCaption)"
env_ip="$(xal_lang_value fmXALConfigEnvIPAddressCaption)"
startup="$(xal_lang_value fmXALConfigStartupCaption)"
rule="$(xal_lang_value fmXALConfigAppCaption)"
data="$XAL_PROGRAM_DIR/XALData.xml"

# Expects the lines of a list (or the rows of a grid with form-cells) to be exactly $4, one per
# line, "> " before the selected one.
expect_lines() {
  local what="$1" form="$2" control="$3" want="$4" verb="${5:-form-lines}"
  xal_driver "$verb" "$form" "$control" || xal_fail "$what: reading $control failed: $XAL_ERR"
  if [ "$XAL_OUT" != "$want" ]; then
    printf 'expected:\n%s\nfound:\n%s\n' "$want" "$XAL_OUT" >&2
    xal_fail "$what: $control does not hold what it should"
  fi
  xal_ok "$what"
  printf '%s\n' "$XAL_OUT" | sed 's/^/        | /'
}

# Opens a dialog with a button of the main window and waits for it; an error box in its place
# goes into the report.
open_dialog() {
  xal_must "$1 clicked" form-click "$main" "$1"
  if ! xal_driver form-wait "$2" 15000; then
    if xal_driver wait-messagebox 0; then
      xal_fail "$1 shows a message box instead of \"$2\": $XAL_OUT"
    fi
    xal_fail "the dialog \"$2\" did not open: $XAL_ERR"
  fi
  xal_ok "the dialog \"$2\" is open"
}

# Closes a dialog with its OK button; the main window takes input again.
confirm_dialog() {
  xal_must "OK in \"$1\"" form-click "$1" btOK
  xal_must "\"$1\" closed" form-gone "$1" 15000
  xal_must "the main window takes input again" form-wait "$main" 15000
}

answer_box() {
  xal_must "a question is asked" wait-messagebox 15000
  [ "$(xal_field buttons)" = "$2" ] || xal_fail "the box has buttons '$(xal_field buttons)', not $2"
  xal_must "$1 answered" click "$1"
}

# How many red pixels (near enough to pure red) line $1 of the set list shows on the screen.
red_pixels() {
  xal_driver form-rect "$main" lbXALSets "$1" || xal_fail "no place of line $1: $XAL_ERR"
  local left top right bottom shot="$XAL_ARTIFACTS/sets.png"
  read -r left top right bottom _ <<<"$(xal_field rect)"
  import -window root -display "$DISPLAY" "$shot"
  convert "$shot" -crop "$((right - left))x$((bottom - top))+$left+$top" +repage \
    -fuzz 20% -fill black +opaque '#FF0000' -fill white -opaque '#FF0000' -colorspace gray \
    -format '%[fx:round(mean*w*h)]' info:
}

expect_red() {
  local count
  count="$(red_pixels "$1")"
  if [ "$2" = red ]; then
    [ "$count" -gt 10 ] || xal_fail "line $1 of the set list is not drawn red ($count red pixels)"
  else
    [ "$count" -eq 0 ] || xal_fail "line $1 of the set list is drawn red ($count red pixels)"
  fi
  xal_ok "line $1 of the set list is $2 ($count red pixels)"
}

# A picture of the shown main window with the filled set selected.
picture() {
  xal_must "the main window is shown" form-wait "$main" 20000
  xal_must "the filled set is selected" form-select "$main" lbXALSets 1
  sleep 1
  xal_screenshot "$XAL_ARTIFACTS/$1"
}

xal_step "start with an empty data folder"
xal_start -m -v
xal_must "the main window is shown" form-wait "$main" 20000
xal_expect_no_messagebox 1500
expect_lines "the catalogue holds the default set" "$main" lbXALSets "> Default"

xal_step "add a set with the current addresses"
open_dialog btXALSetAdd "$add_set"
xal_must "name typed" form-type "$add_set" edNmae "Office"
xal_must "the current environment is chosen" form-radio "$add_set" rgImport 1
xal_must "the addresses are ticked" form-click "$add_set" cbEnvIPAddress
xal_driver form-lines "$add_set" clEnvIPAddress || xal_fail "no address list: $XAL_ERR"
# Lines read "address(adapter,{id})"; every one is ticked when the dialog opens.
mapfile -t addresses < <(printf '%s\n' "$XAL_OUT" | sed -n 's/^..\[x\] \([0-9.]*\)(.*$/\1/p')
[ "${#addresses[@]}" -gt 0 ] || xal_fail "the add-set dialog lists no ticked address: $XAL_OUT"
xal_ok "current addresses: ${addresses[*]}"
# The set takes them with their last part as a wildcard, as the dialog offers at first.
mapfile -t imported < <(printf '%s\n' "${addresses[@]}" | sed 's/[0-9]*$/*/')
confirm_dialog "$add_set"
expect_lines "the new set is added and selected" "$main" lbXALSets "$(printf '  Default\n> Office')"
expect_lines "its address patterns are the current addresses" "$main" lbEnvIPAddresses \
  "$(printf '%s\n' "${imported[@]}" | sed '1s/^/> /;2,$s/^/  /')"

xal_step "add an address pattern, a startup program and a window rule"
pattern="${addresses[0]}"
open_dialog btEnvIPAddressesAdd "$env_ip"
xal_must "pattern typed" form-type "$env_ip" edAddress "$pattern"
confirm_dialog "$env_ip"
xal_driver form-lines "$main" lbEnvIPAddresses || xal_fail "no pattern list: $XAL_ERR"
printf '%s\n' "$XAL_OUT" | sed 's/^..//' | grep -qxF "$pattern" ||
  xal_fail "the pattern $pattern is not listed: $XAL_OUT"
xal_ok "the pattern $pattern is listed"

# A program that leaves a mark and no window: it runs at each recheck while its set matches.
open_dialog btTargetStartupsAdd "$startup"
xal_must "name typed" form-type "$startup" edName "Mark"
xal_must "file path typed" form-type "$startup" edFilePath 'C:\windows\system32\cmd.exe'
xal_must "parameters typed" form-type "$startup" edParam '/c mkdir started'
confirm_dialog "$startup"
expect_lines "the startup program has its row" "$main" sgTargetStartups \
  '> Mark | C:\windows\system32\cmd.exe | /c mkdir started |  | False' form-cells

open_dialog btTargetAppsAdd "$rule"
xal_must "name typed" form-type "$rule" edName "Editor"
xal_must "class typed" form-type "$rule" edClass "Notepad"
for field in seLeft:10 seTop:20 seWidth:640 seHeight:480; do
  xal_must "${field%%:*} set" form-type "$rule" "${field%%:*}" "${field#*:}"
done
confirm_dialog "$rule"
expect_lines "the window rule has its row" "$main" sgTargetApps '> Editor | Notepad | ' form-cells

xal_step "recheck: the matching sets are drawn red"
xal_must "Recheck clicked" form-click "$main" btRecheck
xal_must "the main window takes input again" form-wait "$main" 15000
expect_red 0 red
expect_red 1 red
# Started from the program's working folder, the artifacts.
deadline=$((SECONDS + 20))
until [ -d "$XAL_ARTIFACTS/started" ]; do
  [ "$SECONDS" -lt "$deadline" ] || xal_fail "the matching set's startup program did not run"
  sleep 0.2
done
xal_ok "the matching set's startup program ran"
xal_screenshot "$XAL_ARTIFACTS/editor-100.png"

xal_step "rename, copy and delete a set"
xal_must "the set's line double-clicked" form-dblclick "$main" lbXALSets 1
xal_must "the set name dialog is open" form-wait "$set_name" 15000
xal_driver form-text "$set_name" edName || xal_fail "no name field: $XAL_ERR"
[ "$XAL_OUT" = Office ] || xal_fail "the set name dialog shows '$XAL_OUT', not the set's name"
xal_ok "the set name dialog shows the set's name"
xal_must "new name typed" form-type "$set_name" edName "Office HQ"
confirm_dialog "$set_name"
open_dialog btXALSetCopy "$set_name"
xal_must "name of the copy typed" form-type "$set_name" edName "Scratch"
confirm_dialog "$set_name"
expect_lines "the copy is added" "$main" lbXALSets "$(printf '  Default\n  Office HQ\n> Scratch')"
xal_must "Delete pressed in the set list" form-key "$main" lbXALSets Delete
sleep 0.5
expect_lines "the copy is deleted; the last set is selected" "$main" lbXALSets \
  "$(printf '  Default\n> Office HQ')"

xal_step "save: the data file's exact bytes"
xal_must "Save clicked" form-click "$main" btSave
answer_box OK "OK Cancel"
xal_must "the main window takes input again" form-wait "$main" 15000
ip_lines="$(printf '%s\n' "${imported[@]}" "$pattern" | sed 's/.*/        <IP Address="&"\/>/')"
xal_golden editor-XALData.xml "$XAL_ARTIFACTS/expected-saved.xml"
IP_LINES="$ip_lines" awk '$0 == "@IP_LINES@\r" {
    n = split(ENVIRON["IP_LINES"], lines, "\n")
    for (i = 1; i <= n; i++) printf "%s\r\n", lines[i]
    next
  } { print }' "$XAL_ARTIFACTS/expected-saved.xml" >"$XAL_ARTIFACTS/expected.tmp"
mv "$XAL_ARTIFACTS/expected.tmp" "$XAL_ARTIFACTS/expected-saved.xml"
xal_expect_same_file "$XAL_ARTIFACTS/expected-saved.xml" "$data" "XALData.xml after Save"

xal_step "export through the save dialog"
export_file="$XAL_ARTIFACTS/export.xml"
xal_must "Export clicked" form-click "$main" btExport
xal_must "the file name is chosen" file-choose 20000 "$(xal_winpath "$export_file")"
xal_must "the main window takes input again" form-wait "$main" 15000
xal_expect_same_file "$data" "$export_file" "the exported file"

xal_step "copy and paste a set"
xal_must "the set is copied" form-key "$main" lbXALSets Ctrl+C
xal_must "the set is pasted" form-key "$main" lbXALSets Ctrl+V
expect_lines "the pasted set is a second line with the same name" "$main" lbXALSets \
  "$(printf '  Default\n  Office HQ\n> Office HQ')"

xal_step "import through the open dialog"
xal_must "Import clicked" form-click "$main" btImport
xal_must "the exported file is chosen" file-choose 20000 "$(xal_winpath "$export_file")"
xal_must "the main window takes input again" form-wait "$main" 15000
expect_lines "the file's sets are appended" "$main" lbXALSets \
  "$(printf '  Default\n  Office HQ\n> Office HQ\n  Default\n  Office HQ')"
elsewhere="$XAL_ARTIFACTS/elsewhere.xml"
cat >"$elsewhere" <<'XML'
<?xml version="1.0" encoding="utf-8"?>
<XALSets Version="1.00">
  <XALSet Name="Elsewhere">
    <Environment><Network><IP Address="203.0.113.77"/></Network></Environment>
    <Target/>
  </XALSet>
</XALSets>
XML
xal_must "Import clicked" form-click "$main" btImport
xal_must "a file of another place is chosen" file-choose 20000 "$(xal_winpath "$elsewhere")"
xal_must "the main window takes input again" form-wait "$main" 15000
xal_driver form-lines "$main" lbXALSets || xal_fail "no set list: $XAL_ERR"
[ "$(printf '%s\n' "$XAL_OUT" | tail -n 1)" = "  Elsewhere" ] ||
  xal_fail "the imported set is not the last line: $XAL_OUT"
xal_ok "the imported set is the last line"
# The import rechecks: a set whose address can't be the machine's stays black.
expect_red 5 black
expect_red 4 red

xal_step "close with unsaved changes: Cancel keeps the program, Yes saves and ends it"
xal_must "close requested" post-close
answer_box Cancel "Yes No Cancel"
xal_expect_running "after Cancel"
xal_must "the main window takes input again" form-wait "$main" 15000
xal_must "close requested" post-close
answer_box Yes "Yes No Cancel"
xal_expect_exit 0 20
# The sets of the catalogue in order, each written as Save wrote it.
set_block() {
  awk -v name="$1" '$0 ~ "<XALSet Name=\"" name "\">" { on = 1 } on { print } on && /<\/XALSet>/ { exit }' \
    "$2"
}
{
  sed -n '1,3p' "$XAL_ARTIFACTS/expected-saved.xml"
  for name in Default "Office HQ" "Office HQ" Default "Office HQ"; do
    set_block "$name" "$XAL_ARTIFACTS/expected-saved.xml"
  done
  printf '%s\r\n' '  <XALSet Name="Elsewhere">' '    <Environment>' '      <Network>' \
    '        <IP Address="203.0.113.77"/>' '      </Network>' '    </Environment>' \
    '    <Target/>' '  </XALSet>' '</XALSets>'
} >"$XAL_ARTIFACTS/expected-closed.xml"
xal_expect_same_file "$XAL_ARTIFACTS/expected-closed.xml" "$data" "XALData.xml after Yes"

xal_step "pictures at 150 % and in Japanese"
xal_set_display 144 "$XAL_SCREEN_SIZE"
xal_start -m -v
picture editor-150.png
xal_must "quit" command Quit
xal_expect_exit 0 20
xal_set_display "$original_dpi" "$original_size"

# Wine takes the user's locale from the environment; the shell itself needn't know it.
{ export LC_ALL=ja_JP.UTF-8 LANG=ja_JP.UTF-8; } 2>/dev/null
xal_start -m -v
picture editor-ja.png
xal_must "quit" command Quit
xal_expect_exit 0 20
