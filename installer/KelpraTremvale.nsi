; The Windows installer. Built by the host build's `package` target:
;   makensis -INPUTCHARSET UTF8 -DVERSION=1.2.3 -DWIN64_BIN=<win64>/bin -DWIN32_BIN=<win32>/bin
;            -DOUTFILE=<setup.exe> [-DSTUB=amd64-unicode] KelpraTremvale.nsi
; makensis works in this folder, hence the relative icon paths below.
; The shipped installer has the 32-bit stub, so that it runs on both kinds of Windows, and carries
; both builds. STUB=amd64-unicode makes one for 64-bit Windows only, with the x86_64 files alone.
;
; Silent switches: /S, /D=<folder>, /LOGON (start at log-on); the uninstaller: /S, /REMOVEDATA.

Unicode true
!ifndef STUB
  !define STUB x86-unicode
!endif
Target ${STUB}
; On the 64-bit stub ${RunningX64} is always true, and LogicLib leaves its Else labels unused.
!pragma warning disable 6012
!ifndef VERSION
  !error "VERSION is not defined"
!endif
!ifndef WIN64_BIN
  !error "WIN64_BIN is not defined"
!endif
!if ${STUB} != amd64-unicode
  !ifndef WIN32_BIN
    !error "WIN32_BIN is not defined"
  !endif
!endif
!ifndef OUTFILE
  !define OUTFILE "KelpraTremvale-${VERSION}-setup.exe"
!endif

!define PRODUCT "Kelpra Tremvale"
!define PUBLISHER "Corvanth"
!define EXE "KelpraTremvale.exe"
; The log-on shortcut is named after the program's file, as the settings dialog names it.
!define LOGON_LINK "KelpraTremvale.lnk"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\KelpraTremvale"
!define MAIN_WINDOW_CLASS "TfmXALMain"
!define DATA_PARENT "Corvanth"
!define DATA_FOLDER "Corvanth\KelpraXAL"

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include Sections.nsh
!include x64.nsh
!include WinMessages.nsh

Name "${PRODUCT}"
OutFile "${OUTFILE}"
; The IP helper runs elevated: it and the libraries beside it belong in a folder only
; administrators can write.
RequestExecutionLevel admin
SetCompressor /SOLID lzma
ShowInstDetails show
ShowUninstDetails show
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (C) 2026 ${PUBLISHER}"

!define MUI_ICON "../src/programs/KelpraTremvale.ico"
!define MUI_UNICON "../src/programs/KelpraTremvale.ico"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
; The installer runs elevated, and what it starts would too: Explorer starts the program as the
; user instead, so that its hooks, its data and its running-copy claim are the user's.
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_FUNCTION StartAsUser

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

; Without a language page the installer takes the user's language when it has it.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Japanese"

LangString SecProgramName ${LANG_ENGLISH} "${PRODUCT}"
LangString SecProgramName ${LANG_JAPANESE} "${PRODUCT}"
LangString SecLogOnName ${LANG_ENGLISH} "Start ${PRODUCT} when I log on"
LangString SecLogOnName ${LANG_JAPANESE} "ログオン時に ${PRODUCT} を起動する"
LangString SecDataName ${LANG_ENGLISH} "Also remove my sets and settings"
LangString SecDataName ${LANG_JAPANESE} "セットと設定も削除する"
LangString CloseRunning ${LANG_ENGLISH} "${PRODUCT} is running and did not quit. Quit it (answer its question about unsaved changes, if it asks), then choose Retry."
LangString CloseRunning ${LANG_JAPANESE} "${PRODUCT} が実行中で、終了しませんでした。終了してから (保存していない変更について確認された場合は答えてから)「再試行」を選んでください。"
LangString NeedsAdmin ${LANG_ENGLISH} "Installing ${PRODUCT} needs administrator rights."
LangString NeedsAdmin ${LANG_JAPANESE} "${PRODUCT} のインストールには管理者の権限が必要です。"

; A running copy holds its files and may hold unsaved changes: ask it to quit the way the user
; would, so that it asks about them, and wait for its process to end.
!macro XAL_CLOSE_RUNNING_COPY un
Function ${un}CloseRunningCopy
  Push $0
  Push $1
  Push $2
  Push $3
  again:
  FindWindow $0 "${MAIN_WINDOW_CLASS}" ""
  ${If} $0 == 0
    Goto done
  ${EndIf}
  System::Call 'user32::GetWindowThreadProcessId(p r0, *i 0 r1) i'
  ; SYNCHRONIZE
  System::Call 'kernel32::OpenProcess(i 0x00100000, i 0, i r1) p .r2'
  System::Call 'user32::PostMessageW(p r0, i ${WM_CLOSE}, p 0, p 0) i'
  ${If} $2 P<> 0
    System::Call 'kernel32::WaitForSingleObject(p r2, i 30000) i .r3'
    System::Call 'kernel32::CloseHandle(p r2)'
  ${Else}
    Sleep 3000
  ${EndIf}
  FindWindow $0 "${MAIN_WINDOW_CLASS}" ""
  ${If} $0 != 0
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(CloseRunning)" /SD IDCANCEL IDRETRY again
    SetErrorLevel 3
    Abort
  ${EndIf}
  done:
  Pop $3
  Pop $2
  Pop $1
  Pop $0
FunctionEnd
!macroend
!insertmacro XAL_CLOSE_RUNNING_COPY ""
!insertmacro XAL_CLOSE_RUNNING_COPY "un."

; A hook library stays loaded in other programs until each of them next runs a message, and a
; loaded file can't be replaced; it can be moved aside and deleted at the next restart.
!macro XAL_PUT SOURCE NAME
  ${If} ${FileExists} "$OUTDIR\${NAME}"
    Delete "$OUTDIR\${NAME}"
    ${If} ${FileExists} "$OUTDIR\${NAME}"
      Delete "$OUTDIR\${NAME}.old"
      Rename "$OUTDIR\${NAME}" "$OUTDIR\${NAME}.old"
      Delete /REBOOTOK "$OUTDIR\${NAME}.old"
    ${EndIf}
  ${EndIf}
  File "/oname=${NAME}" "${SOURCE}"
!macroend

!macro XAL_PUT_BUILD BIN
  SetOutPath "$INSTDIR"
  !insertmacro XAL_PUT "${BIN}/KelpraTremvale.exe" "KelpraTremvale.exe"
  !insertmacro XAL_PUT "${BIN}/XALSetIPSettings.exe" "XALSetIPSettings.exe"
  !insertmacro XAL_PUT "${BIN}/XALCBTH.DLL" "XALCBTH.DLL"
  !insertmacro XAL_PUT "${BIN}/XALCWPH.DLL" "XALCWPH.DLL"
  SetOutPath "$INSTDIR\Languages"
  !insertmacro XAL_PUT "${BIN}/Languages/1033.txt" "1033.txt"
  !insertmacro XAL_PUT "${BIN}/Languages/1041.txt" "1041.txt"
!macroend

Section "$(SecProgramName)" SecProgram
  SectionIn RO
  Call CloseRunningCopy

!if ${STUB} == amd64-unicode
  !insertmacro XAL_PUT_BUILD "${WIN64_BIN}"
!else
  ${If} ${RunningX64}
    !insertmacro XAL_PUT_BUILD "${WIN64_BIN}"
  ${Else}
    !insertmacro XAL_PUT_BUILD "${WIN32_BIN}"
  ${EndIf}
!endif

  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  SetShellVarContext all
  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\${EXE}"
  SetShellVarContext current

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${EXE},0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

; The same shortcut the settings dialog makes: the current user's Startup folder, named after the
; program's file, with the program's folder as its working folder. Unticked on an upgrade it goes.
Section /o "$(SecLogOnName)" SecLogOn
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  CreateShortcut "$SMSTARTUP\${LOGON_LINK}" "$INSTDIR\${EXE}"
SectionEnd

Section "-LogOnOff"
  ${IfNot} ${SectionIsSelected} ${SecLogOn}
    SetShellVarContext current
    Delete "$SMSTARTUP\${LOGON_LINK}"
  ${EndIf}
SectionEnd

Function StartAsUser
  Exec '"$WINDIR\explorer.exe" "$INSTDIR\${EXE}"'
FunctionEnd

Function .onInit
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 != "admin"
    MessageBox MB_ICONSTOP "$(NeedsAdmin)" /SD IDOK
    SetErrorLevel 740
    Quit
  ${EndIf}
  ${If} ${RunningX64}
    SetRegView 64
  ${EndIf}
  ; Always under Program Files, whatever /D asks: the IP settings helper runs elevated, so it and
  ; the libraries beside it must sit where only administrators can write. There is no folder
  ; page for the same reason.
  StrCpy $INSTDIR "$PROGRAMFILES\${PRODUCT}"
  ${If} ${RunningX64}
    StrCpy $INSTDIR "$PROGRAMFILES64\${PRODUCT}"
  ${EndIf}
  ; Start at log-on stays as it was; /LOGON asks for it.
  SetShellVarContext current
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/LOGON" $1
  ${IfNot} ${Errors}
  ${OrIf} ${FileExists} "$SMSTARTUP\${LOGON_LINK}"
    !insertmacro SelectSection ${SecLogOn}
  ${EndIf}
FunctionEnd

Section "un.$(SecProgramName)" UnSecProgram
  SectionIn RO
  Call un.CloseRunningCopy

  Delete "$INSTDIR\${EXE}"
  Delete "$INSTDIR\XALSetIPSettings.exe"
  ; A hook library still loaded in some program goes at the next restart.
  Delete /REBOOTOK "$INSTDIR\XALCBTH.DLL"
  Delete /REBOOTOK "$INSTDIR\XALCWPH.DLL"
  Delete /REBOOTOK "$INSTDIR\XALCBTH.DLL.old"
  Delete /REBOOTOK "$INSTDIR\XALCWPH.DLL.old"
  Delete "$INSTDIR\Languages\1033.txt"
  Delete "$INSTDIR\Languages\1041.txt"
  RMDir "$INSTDIR\Languages"
  Delete "$INSTDIR\uninstall.exe"
  RMDir /REBOOTOK "$INSTDIR"

  SetShellVarContext all
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  SetShellVarContext current
  Delete "$SMSTARTUP\${LOGON_LINK}"

  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd

; The user's sets and settings stay unless asked for: a later install finds them again.
Section /o "un.$(SecDataName)" UnSecData
  SetShellVarContext current
  RMDir /r "$APPDATA\${DATA_FOLDER}"
  RMDir "$APPDATA\${DATA_PARENT}"
SectionEnd

Function un.onInit
  ${If} ${RunningX64}
    SetRegView 64
  ${EndIf}
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/REMOVEDATA" $1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${UnSecData}
  ${EndIf}
FunctionEnd
