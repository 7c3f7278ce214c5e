; Quorvex setup: one script for both Windows programs.
;
;   makensis -DVERSION=1.0.0 -DARCH=win32|win64 -DPROGRAM=<Quorvex.exe>
;            -DROOT=<source folder> -DOUTFILE=<setup.exe> installer/quorvex.nsi
;
; win32 builds an x86-unicode setup of the 32-bit program into
; $PROGRAMFILES\Quorvex, win64 an amd64-unicode setup of the 64-bit program
; into $PROGRAMFILES64\Quorvex. /S installs silently (/D= chooses the folder);
; the uninstaller takes /S as well and then keeps the settings.

!ifndef VERSION | ARCH | PROGRAM | ROOT | OUTFILE
  !error "VERSION, ARCH, PROGRAM, ROOT and OUTFILE must be defined"
!endif

!if ${ARCH} == win64
  Target amd64-unicode
  !define PROGRAM_FILES "$PROGRAMFILES64"
!else if ${ARCH} == win32
  Target x86-unicode
  !define PROGRAM_FILES "$PROGRAMFILES"
!else
  !error "ARCH must be win32 or win64"
!endif

!define PRODUCT "Quorvex"
!define TITLE "Lumetra"
!define PUBLISHER "Ostravane"
!define EXE "Quorvex.exe"
!define UNINSTALLER "Uninstall.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define SETTINGS_KEY "Software\${PUBLISHER}\${PRODUCT}"
; The program looks for its launch shortcut here, under the all-users
; programs folder, and keeps the hot key it finds on it.
!define SHORTCUT_FOLDER "CorvalisV6"
!define SHORTCUT "${TITLE}.lnk"
; How a running bar is found: its window class; the owner of that window is
; the application window, whose WM_CLOSE saves the settings and ends the program.
!define BAR_CLASS "TF_Search"
!define CLOSE_WAIT_MS 15000

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include Sections.nsh

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "${PROGRAM_FILES}\${PRODUCT}"
; An upgrade goes where the last install went.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
ManifestDPIAware true
SetCompressor /SOLID lzma
SetOverwrite on
AllowSkipFiles off
ShowInstDetails show
ShowUninstDetails show
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=0 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=0 "FileDescription" "${PRODUCT} setup"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "LegalCopyright" "Copyright (c) 2026 ${PUBLISHER}"

; ---- pages
!define MUI_ICON "${ROOT}/resources/quorvex.ico"
!define MUI_UNICON "${ROOT}/resources/quorvex.ico"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_SMALLDESC

!insertmacro MUI_PAGE_LICENSE "${ROOT}/LICENSE"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "$(RunNow)"
!define MUI_FINISHPAGE_RUN_FUNCTION RunInstalledBar
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; English first: it is the language of every user whose language is not Chinese.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "SimpChinese"

LangString SecProgramName ${LANG_ENGLISH} "${TITLE} (required)"
LangString SecProgramName ${LANG_SIMPCHINESE} "${TITLE}（必需）"
LangString SecProgramDesc ${LANG_ENGLISH} "The search bar, its README and licence, and the Start-menu shortcut (Ctrl+Alt+S)."
LangString SecProgramDesc ${LANG_SIMPCHINESE} "搜索栏程序、说明文件和许可协议，以及“开始”菜单快捷方式（Ctrl+Alt+S）。"
LangString SecSignInName ${LANG_ENGLISH} "Start when I sign in"
LangString SecSignInName ${LANG_SIMPCHINESE} "开机时启动"
LangString SecSignInDesc ${LANG_ENGLISH} "Start ${TITLE} each time you sign in to Windows."
LangString SecSignInDesc ${LANG_SIMPCHINESE} "每次登录 Windows 时自动启动 ${TITLE}。"
LangString RunNow ${LANG_ENGLISH} "Run ${TITLE} now"
LangString RunNow ${LANG_SIMPCHINESE} "立即运行 ${TITLE}"
LangString StillRunning ${LANG_ENGLISH} "${TITLE} is still running. Close it, then choose Retry."
LangString StillRunning ${LANG_SIMPCHINESE} "${TITLE} 仍在运行。请关闭它，然后单击“重试”。"
LangString RemoveSettings ${LANG_ENGLISH} "Also remove your ${TITLE} settings and search history?"
LangString RemoveSettings ${LANG_SIMPCHINESE} "是否同时删除 ${TITLE} 的设置和搜索历史记录？"

; ---- shared by the installer and the uninstaller

; Chinese of any region gets the Chinese pages; everyone else English.
!macro PICK_LANGUAGE
  System::Call 'kernel32::GetUserDefaultUILanguage() i .r0'
  IntOp $0 $0 & 0x3FF
  ${If} $0 = 0x04
    StrCpy $LANGUAGE ${LANG_SIMPCHINESE}
  ${Else}
    StrCpy $LANGUAGE ${LANG_ENGLISH}
  ${EndIf}
!macroend

; Closes every running bar of this desktop the way Close on its taskbar
; button does (the bar saves its settings on the way out) and waits, bounded,
; for its process to end, so that the files can be replaced or removed. A
; bar that does not end: Retry or Cancel (silently: Cancel), which aborts.
!macro DEFINE_CLOSE_RUNNING_BAR un
Function ${un}CloseRunningBar
  Push $0
  Push $1
  Push $2
  Push $3
  close_next:
    FindWindow $0 "${BAR_CLASS}"
    ${If} $0 = 0
      Goto closed
    ${EndIf}
    System::Call 'user32::GetWindow(p r0, i 4) p .r1'  ; GW_OWNER
    ${If} $1 P= 0
      StrCpy $1 $0
    ${EndIf}
    System::Call 'user32::GetWindowThreadProcessId(p r1, *i .r2)'
    ; SYNCHRONIZE: enough to wait for the end.
    System::Call 'kernel32::OpenProcess(i 0x00100000, i 0, i r2) p .r3'
    DetailPrint "Closing ${TITLE} (process $2)"
    SendMessage $1 ${WM_CLOSE} 0 0 /TIMEOUT=5000
    ${If} $3 P<> 0
      System::Call 'kernel32::WaitForSingleObject(p r3, i ${CLOSE_WAIT_MS}) i .r2'
      System::Call 'kernel32::CloseHandle(p r3)'
    ${Else}
      ; No handle on the process: wait for the window to go.
      StrCpy $2 0
      ${DoWhile} $2 < ${CLOSE_WAIT_MS}
        IsWindow $0 0 +2
        ${Break}
        Sleep 100
        IntOp $2 $2 + 100
      ${Loop}
      IsWindow $0 0 +2
      StrCpy $2 0x102
    ${EndIf}
    ${If} $2 = 0x102  ; WAIT_TIMEOUT
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(StillRunning)" /SD IDCANCEL IDRETRY close_next
      Abort
    ${EndIf}
    Goto close_next
  closed:
  Pop $3
  Pop $2
  Pop $1
  Pop $0
FunctionEnd
!macroend
!insertmacro DEFINE_CLOSE_RUNNING_BAR ""
!insertmacro DEFINE_CLOSE_RUNNING_BAR "un."

; ---- installer

Section "!$(SecProgramName)" SecProgram
  SectionIn RO
  SetShellVarContext all
  Call CloseRunningBar

  SetOutPath "$INSTDIR"
  File "/oname=${EXE}" "${PROGRAM}"
  File "/oname=README.md" "${ROOT}/README.md"
  File "/oname=LICENSE.txt" "${ROOT}/LICENSE"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"

  ; The working folder of the shortcut is the output folder at this moment.
  CreateDirectory "$SMPROGRAMS\${SHORTCUT_FOLDER}"
  SetOutPath "$INSTDIR"
  CreateShortcut "$SMPROGRAMS\${SHORTCUT_FOLDER}\${SHORTCUT}" "$INSTDIR\${EXE}" "" \
    "$INSTDIR\${EXE}" 0 SW_SHOWNORMAL ALT|CONTROL|S

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${EXE},0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "$(SecSignInName)" SecSignIn
  WriteRegStr HKCU "${RUN_KEY}" "${TITLE}" '"$INSTDIR\${EXE}"'
SectionEnd

; Left unchosen, start at sign-in is switched off for this install; a value
; naming another copy of the program is left alone.
Section "-SignInOff"
  ${IfNot} ${SectionIsSelected} ${SecSignIn}
    ReadRegStr $0 HKCU "${RUN_KEY}" "${TITLE}"
    ${If} $0 == '"$INSTDIR\${EXE}"'
    ${OrIf} $0 == "$INSTDIR\${EXE}"
      DeleteRegValue HKCU "${RUN_KEY}" "${TITLE}"
    ${EndIf}
  ${EndIf}
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecProgram} "$(SecProgramDesc)"
  !insertmacro MUI_DESCRIPTION_TEXT ${SecSignIn} "$(SecSignInDesc)"
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Function .onInit
  !if ${ARCH} == win64
    SetRegView 64
  !endif
  !insertmacro PICK_LANGUAGE
  ; An upgrade keeps the user's choice: installed before, with no Run
  ; value now, means the user switched start at sign-in off.
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 != ""
    ReadRegStr $1 HKCU "${RUN_KEY}" "${TITLE}"
    ${If} $1 == ""
      !insertmacro UnselectSection ${SecSignIn}
    ${EndIf}
  ${EndIf}
FunctionEnd

; The setup runs elevated; the bar is started through the shell so that it
; runs as the signed-in user, not with the setup's rights.
Function RunInstalledBar
  Exec '"$WINDIR\explorer.exe" "$INSTDIR\${EXE}"'
FunctionEnd

; ---- uninstaller

Function un.onInit
  !if ${ARCH} == win64
    SetRegView 64
  !endif
  !insertmacro PICK_LANGUAGE
FunctionEnd

Section "Uninstall"
  SetShellVarContext all
  Call un.CloseRunningBar

  Delete "$INSTDIR\${EXE}"
  Delete "$INSTDIR\README.md"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\${UNINSTALLER}"
  ; Only when empty: files the user put there stay.
  RMDir "$INSTDIR"

  Delete "$SMPROGRAMS\${SHORTCUT_FOLDER}\${SHORTCUT}"
  ; The folder may hold other programs' shortcuts: removed only when empty.
  RMDir "$SMPROGRAMS\${SHORTCUT_FOLDER}"

  ; The Run value goes when it starts this install; one naming another copy stays.
  ReadRegStr $0 HKCU "${RUN_KEY}" "${TITLE}"
  ${If} $0 == '"$INSTDIR\${EXE}"'
  ${OrIf} $0 == "$INSTDIR\${EXE}"
    DeleteRegValue HKCU "${RUN_KEY}" "${TITLE}"
  ${EndIf}

  DeleteRegKey HKLM "${UNINSTALL_KEY}"

  ; Settings stay unless the user asks; a silent uninstall keeps them.
  MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 "$(RemoveSettings)" /SD IDNO IDNO keep_settings
    DeleteRegKey HKCU "${SETTINGS_KEY}"
    DeleteRegKey /ifempty HKCU "Software\${PUBLISHER}"
  keep_settings:
SectionEnd
