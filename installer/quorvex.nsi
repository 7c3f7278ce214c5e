; Quorvex setup: one script for both Windows programs.
;
;   makensis -DVERSION=1.0.0 -DARCH=win32|win64 -DPROGRAM=<Quorvex.exe>
;            -DROOT=<source folder> -DOUTFILE=<setup.exe> installer/quorvex.nsi
;
; win32 builds an x86-unicode setup of the 32-bit program, win64 an
; amd64-unicode setup of the 64-bit one. Each installs either for all users
; ($PROGRAMFILES\Quorvex or $PROGRAMFILES64\Quorvex, the HKLM uninstall entry,
; the all-users Start menu; it needs administrator rights and asks for them
; only then) or just for the user who runs it ($LOCALAPPDATA\Programs\Quorvex,
; the HKCU entry, the user's Start menu; no rights needed).
;
;   /S               silent
;   /CurrentUser     just for me;  /AllUsers  for all users (elevates itself).
;                    Neither: all users when the setup runs with administrator
;                    rights, otherwise just for me (the wizard asks first).
;   /D=<folder>      the folder; last, without quotes
;
; Exit codes: 0 installed, 1 cancelled (also: administrator rights declined),
; 2 aborted, 740 all users chosen but the rights not granted.
;
; The uninstaller finds which of the two installs it belongs to, removes only
; what that install made, takes /S as well and then keeps the settings.

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
; The same key name under HKLM (all users) and HKCU (just me): the product
; code package managers know the installs by.
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define SETTINGS_KEY "Software\${PUBLISHER}\${PRODUCT}"
; The launch shortcut's folder under the install's programs folder (the
; all-users or the user's one). The program's hot-key dialog on Windows XP
; reads the shortcut in the all-users folder and keeps the hot key it finds.
!define SHORTCUT_FOLDER "CorvalisV6"
!define SHORTCUT "${TITLE}.lnk"
; How a running bar is found: its window class; the owner of that window is
; the application window, whose WM_CLOSE saves the settings and ends the program.
!define BAR_CLASS "TF_Search"
!define CLOSE_WAIT_MS 15000
; Given by a setup to the copy of itself it starts with administrator rights:
; that copy never asks again, whatever rights it got.
!define RELAUNCHED "/Relaunched"
; The exit code of a run for all users that did not get the rights (the
; system's "requires elevation"); one that could not even ask ends with 2.
!define ERROR_ELEVATION_REQUIRED 740

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include Sections.nsh
!include nsDialogs.nsh

Name "${PRODUCT}"
OutFile "${OUTFILE}"
; No InstallDir: $INSTDIR is empty at .onInit unless /D= was given, and the
; chosen install's folder (or its previous one) is filled in then.
; The setup starts with the user's own rights; only the all-users path asks
; for more (RunElevated).
RequestExecutionLevel user
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

Page custom ScopePageShow ScopePageLeave
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
LangString ScopeTitle ${LANG_ENGLISH} "Choose Users"
LangString ScopeTitle ${LANG_SIMPCHINESE} "选择用户"
LangString ScopeSubtitle ${LANG_ENGLISH} "Choose for whom to install ${PRODUCT}."
LangString ScopeSubtitle ${LANG_SIMPCHINESE} "选择为哪些用户安装 ${PRODUCT}。"
LangString ScopeText ${LANG_ENGLISH} "${PRODUCT} can be installed just for you or for every user of this computer."
LangString ScopeText ${LANG_SIMPCHINESE} "${PRODUCT} 可以只为您安装，也可以为这台计算机的所有用户安装。"
LangString ScopeUser ${LANG_ENGLISH} "Install just for me"
LangString ScopeUser ${LANG_SIMPCHINESE} "仅为我安装"
LangString ScopeUserDesc ${LANG_ENGLISH} "Into your own user folder. No administrator rights needed."
LangString ScopeUserDesc ${LANG_SIMPCHINESE} "安装到您自己的用户文件夹，不需要管理员权限。"
LangString ScopeMachine ${LANG_ENGLISH} "Install for all users"
LangString ScopeMachine ${LANG_SIMPCHINESE} "为所有用户安装"
LangString ScopeMachineDesc ${LANG_ENGLISH} "Into Program Files. Needs administrator rights."
LangString ScopeMachineDesc ${LANG_SIMPCHINESE} "安装到 Program Files，需要管理员权限。"
LangString BothScopes ${LANG_ENGLISH} "Choose either /CurrentUser or /AllUsers, not both."
LangString BothScopes ${LANG_SIMPCHINESE} "请只选择 /CurrentUser 或 /AllUsers 之一。"
LangString NeedsAdmin ${LANG_ENGLISH} "Installing for all users needs administrator rights."
LangString NeedsAdmin ${LANG_SIMPCHINESE} "为所有用户安装需要管理员权限。"
LangString ElevationFailed ${LANG_ENGLISH} "The setup could not be started with administrator rights (error $1)."
LangString ElevationFailed ${LANG_SIMPCHINESE} "无法以管理员权限启动安装程序（错误 $1）。"
LangString UnNeedsAdmin ${LANG_ENGLISH} "Removing the install for all users needs administrator rights."
LangString UnNeedsAdmin ${LANG_SIMPCHINESE} "删除为所有用户安装的程序需要管理员权限。"

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

; Which install this run is about, and with which rights it runs.
Var Scope        ; "machine" (all users) or "user" (just me)
Var Elevated     ; 1: the process has administrator rights
Var ScopeGiven   ; 1: /CurrentUser or /AllUsers was on the command line
Var DirGiven     ; 1: /D= was on the command line
Var Relaunched   ; 1: started elevated by another run of this program
Var AppliedScope ; the scope whose defaults were last filled in
Var ScopeUserRadio
Var ScopeMachineRadio

; Administrator rights in effect: a member of the Administrators group whose
; token has the group enabled (under UAC, an elevated process).
!macro FIND_ELEVATION
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 == "Admin"
    StrCpy $Elevated 1
  ${Else}
    StrCpy $Elevated 0
  ${EndIf}
!macroend

; RESULT := 1 when the option is among the parameters, otherwise 0.
!macro HAS_OPTION PARAMETERS OPTION RESULT
  ClearErrors
  ${GetOptions} "${PARAMETERS}" "${OPTION}" $R9
  ${If} ${Errors}
    StrCpy ${RESULT} 0
  ${Else}
    StrCpy ${RESULT} 1
  ${EndIf}
!macroend

; Folders, registry root (SHCTX) and Start menu of the chosen install.
!macro USE_SCOPE
  ${If} $Scope == machine
    SetShellVarContext all
  ${Else}
    SetShellVarContext current
  ${EndIf}
!macroend

; Starts this program again through the shell's "runas" verb with the
; parameters on the stack, so that the system asks for administrator rights;
; hides this run's window and waits for the other. Leaves on the stack the
; other's exit code, "cancelled" when the user declined, or "error" (the
; system's error code then in $1).
!macro DEFINE_RUN_ELEVATED un
Function ${un}RunElevated
  Exch $R0
  Push $R1
  Push $R2
  Push $R3
  StrCpy $R3 $EXEPATH
  ; SHELLEXECUTEINFOW with SEE_MASK_NOCLOSEPROCESS | SEE_MASK_NOASYNC, laid
  ; out for each pointer size (the plug-in does not align members).
  !if ${ARCH} == win64
    System::Call '*(i 112, i 0x140, p $HWNDPARENT, w "runas", w R3, w R0, p 0, i ${SW_SHOWNORMAL}, i 0, p 0, p 0, p 0, p 0, i 0, i 0, p 0, p 0) p .R1'
  !else
    System::Call '*(i 60, i 0x140, p $HWNDPARENT, w "runas", w R3, w R0, p 0, i ${SW_SHOWNORMAL}, p 0, p 0, p 0, p 0, i 0, p 0, p 0) p .R1'
  !endif
  System::Call 'shell32::ShellExecuteExW(p R1) i .R2 ?e'
  Pop $R3
  ${If} $R2 = 0
    ${If} $R3 = 1223  ; ERROR_CANCELLED: the user said no
      StrCpy $R0 cancelled
    ${Else}
      StrCpy $1 $R3
      StrCpy $R0 error
    ${EndIf}
  ${Else}
    !if ${ARCH} == win64
      System::Call '*$R1(i, i, p, p, p, p, p, i, i, p, p, p, p, i, i, p, p .R2)'
    !else
      System::Call '*$R1(i, i, p, p, p, p, p, i, p, p, p, p, i, p, p .R2)'
    !endif
    ${If} $R2 P= 0
      StrCpy $1 0
      StrCpy $R0 error
    ${Else}
      ${If} $HWNDPARENT P<> 0
        HideWindow
      ${EndIf}
      System::Call 'kernel32::WaitForSingleObject(p R2, i -1)'
      System::Call 'kernel32::GetExitCodeProcess(p R2, *i .R0)'
      System::Call 'kernel32::CloseHandle(p R2)'
    ${EndIf}
  ${EndIf}
  System::Free $R1
  Pop $R3
  Pop $R2
  Pop $R1
  Exch $R0
FunctionEnd
!macroend
!insertmacro DEFINE_RUN_ELEVATED ""
!insertmacro DEFINE_RUN_ELEVATED "un."

; ---- installer

Section "!$(SecProgramName)" SecProgram
  SectionIn RO
  !insertmacro USE_SCOPE
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

  ; SHCTX: HKLM for all users, HKCU just for me.
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${EXE},0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0
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
  StrCpy $DirGiven 0
  ${If} $INSTDIR != ""
    StrCpy $DirGiven 1
  ${EndIf}
  !insertmacro FIND_ELEVATION

  ${GetParameters} $R0
  !insertmacro HAS_OPTION $R0 "/CurrentUser" $R1
  !insertmacro HAS_OPTION $R0 "/AllUsers" $R2
  !insertmacro HAS_OPTION $R0 "${RELAUNCHED}" $Relaunched
  ${If} $R1 = 1
  ${AndIf} $R2 = 1
    MessageBox MB_OK|MB_ICONSTOP "$(BothScopes)" /SD IDOK
    SetErrorLevel 2
    Quit
  ${EndIf}
  StrCpy $ScopeGiven 1
  ${If} $R1 = 1
    StrCpy $Scope user
  ${ElseIf} $R2 = 1
    StrCpy $Scope machine
  ${Else}
    StrCpy $ScopeGiven 0
    ${If} $Elevated = 1
      StrCpy $Scope machine
    ${Else}
      StrCpy $Scope user
    ${EndIf}
    ; The wizard proposes the install that is there, when there is one only.
    ${IfNot} ${Silent}
      ReadRegStr $R1 HKLM "${UNINSTALL_KEY}" "InstallLocation"
      ReadRegStr $R2 HKCU "${UNINSTALL_KEY}" "InstallLocation"
      ${If} $R1 != ""
      ${AndIf} $R2 == ""
        StrCpy $Scope machine
      ${ElseIf} $R1 == ""
      ${AndIf} $R2 != ""
        StrCpy $Scope user
      ${EndIf}
    ${EndIf}
  ${EndIf}

  ; All users asked for on the command line, or silently by default, without
  ; the rights: the elevated copy does the install and this run ends with it.
  ${If} $Scope == machine
  ${AndIf} $Elevated = 0
    ${If} ${Silent}
    ${OrIf} $ScopeGiven = 1
      Call ElevateInstall
      Pop $0
      ${If} $0 == cancelled
        SetErrorLevel 1
      ${ElseIf} $0 == error
        MessageBox MB_OK|MB_ICONSTOP "$(ElevationFailed)" /SD IDOK
        SetErrorLevel 2
      ${ElseIf} $0 == denied
        MessageBox MB_OK|MB_ICONSTOP "$(NeedsAdmin)" /SD IDOK
        SetErrorLevel ${ERROR_ELEVATION_REQUIRED}
      ${Else}
        SetErrorLevel $0
      ${EndIf}
      Quit
    ${EndIf}
  ${EndIf}
  Call ApplyScope
FunctionEnd

; Runs the all-users install in an elevated copy of this setup (same silence,
; same folder when /D= chose one) and leaves its result on the stack, as
; RunElevated does; "denied" when this run is itself that copy, started
; elevated yet without the rights.
Function ElevateInstall
  ${If} $Relaunched = 1
    Push denied
    Return
  ${EndIf}
  StrCpy $0 "/AllUsers ${RELAUNCHED}"
  ${If} ${Silent}
    StrCpy $0 "/S $0"
  ${EndIf}
  ${If} $DirGiven = 1
    StrCpy $0 "$0 /D=$INSTDIR"
  ${EndIf}
  Push $0
  Call RunElevated
FunctionEnd

; Fills in what depends on the install chosen: context, folder (/D= wins,
; then where this install went last time, then its default) and, once per
; scope, the start-at-sign-in choice.
Function ApplyScope
  !insertmacro USE_SCOPE
  ${If} $Scope == machine
    ReadRegStr $R1 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    StrCpy $R2 "${PROGRAM_FILES}\${PRODUCT}"
  ${Else}
    ReadRegStr $R1 HKCU "${UNINSTALL_KEY}" "InstallLocation"
    StrCpy $R2 "$LOCALAPPDATA\Programs\${PRODUCT}"
  ${EndIf}
  ${If} $DirGiven = 0
    ${If} $R1 != ""
      StrCpy $INSTDIR $R1
    ${Else}
      StrCpy $INSTDIR $R2
    ${EndIf}
  ${EndIf}
  ${If} $AppliedScope != $Scope
    StrCpy $AppliedScope $Scope
    ; An upgrade keeps the user's choice: this install there before, with no
    ; Run value now, means the user switched start at sign-in off.
    !insertmacro SelectSection ${SecSignIn}
    ${If} $R1 != ""
      ReadRegStr $R3 HKCU "${RUN_KEY}" "${TITLE}"
      ${If} $R3 == ""
        !insertmacro UnselectSection ${SecSignIn}
      ${EndIf}
    ${EndIf}
  ${EndIf}
FunctionEnd

; The first page: just for me, or for all users. Skipped when the command
; line chose.
Function ScopePageShow
  ${If} $ScopeGiven = 1
    Abort
  ${EndIf}
  !insertmacro MUI_HEADER_TEXT "$(ScopeTitle)" "$(ScopeSubtitle)"
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateLabel} 0 0 100% 20u "$(ScopeText)"
  Pop $0
  ${NSD_CreateRadioButton} 10u 30u -10u 12u "$(ScopeUser)"
  Pop $ScopeUserRadio
  ${NSD_AddStyle} $ScopeUserRadio ${WS_GROUP}
  ${NSD_CreateLabel} 23u 43u -23u 10u "$(ScopeUserDesc)"
  Pop $0
  ${NSD_CreateRadioButton} 10u 62u -10u 12u "$(ScopeMachine)"
  Pop $ScopeMachineRadio
  ${NSD_CreateLabel} 23u 75u -23u 10u "$(ScopeMachineDesc)"
  Pop $0
  ${If} $Scope == machine
    ${NSD_Check} $ScopeMachineRadio
  ${Else}
    ${NSD_Check} $ScopeUserRadio
  ${EndIf}
  ${NSD_OnClick} $ScopeUserRadio ScopeShield
  ${NSD_OnClick} $ScopeMachineRadio ScopeShield
  Push $ScopeMachineRadio
  Call ScopeShield
  nsDialogs::Show
FunctionEnd

; Next carries the shield when it will ask for administrator rights.
Function ScopeShield
  Pop $0
  GetDlgItem $1 $HWNDPARENT 1
  ${NSD_GetState} $ScopeMachineRadio $0
  ${If} $0 = ${BST_CHECKED}
  ${AndIf} $Elevated = 0
    SendMessage $1 ${BCM_SETSHIELD} 0 1
  ${Else}
    SendMessage $1 ${BCM_SETSHIELD} 0 0
  ${EndIf}
FunctionEnd

Function ScopePageLeave
  ${NSD_GetState} $ScopeMachineRadio $0
  ${If} $0 = ${BST_CHECKED}
    StrCpy $Scope machine
  ${Else}
    StrCpy $Scope user
  ${EndIf}
  ${If} $Scope == machine
  ${AndIf} $Elevated = 0
    ; The elevated copy shows the rest of the wizard; declined, the choice stays open.
    Call ElevateInstall
    Pop $0
    ${If} $0 == cancelled
      Abort
    ${ElseIf} $0 == error
      MessageBox MB_OK|MB_ICONSTOP "$(ElevationFailed)"
      Abort
    ${ElseIf} $0 == denied
      MessageBox MB_OK|MB_ICONSTOP "$(NeedsAdmin)"
      Abort
    ${EndIf}
    SetErrorLevel $0
    Quit
  ${EndIf}
  GetDlgItem $1 $HWNDPARENT 1
  SendMessage $1 ${BCM_SETSHIELD} 0 0
  Call ApplyScope
FunctionEnd

; An elevated setup starts the bar through the shell, so that it runs as the
; signed-in user, not with the setup's rights.
Function RunInstalledBar
  ${If} $Elevated = 1
    Exec '"$WINDIR\explorer.exe" "$INSTDIR\${EXE}"'
  ${Else}
    Exec '"$INSTDIR\${EXE}"'
  ${EndIf}
FunctionEnd

; ---- uninstaller

Function un.onInit
  !if ${ARCH} == win64
    SetRegView 64
  !endif
  !insertmacro PICK_LANGUAGE
  !insertmacro FIND_ELEVATION
  ; This uninstaller belongs to the install whose entry names its folder:
  ; the user's when it is that one, otherwise the all-users one.
  ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 == $INSTDIR
    StrCpy $Scope user
  ${Else}
    StrCpy $Scope machine
  ${EndIf}
  ${GetParameters} $R0
  !insertmacro HAS_OPTION $R0 "${RELAUNCHED}" $Relaunched

  ${If} $Scope == machine
  ${AndIf} $Elevated = 0
    ${If} $Relaunched = 1
      MessageBox MB_OK|MB_ICONSTOP "$(UnNeedsAdmin)" /SD IDOK
      SetErrorLevel ${ERROR_ELEVATION_REQUIRED}
      Quit
    ${EndIf}
    StrCpy $0 "${RELAUNCHED} _?=$INSTDIR"
    ${If} ${Silent}
      StrCpy $0 "/S $0"
    ${EndIf}
    Push $0
    Call un.RunElevated
    Pop $0
    ${If} $0 == cancelled
      SetErrorLevel 1
    ${ElseIf} $0 == error
      MessageBox MB_OK|MB_ICONSTOP "$(ElevationFailed)" /SD IDOK
      SetErrorLevel 2
    ${Else}
      SetErrorLevel $0
    ${EndIf}
    Quit
  ${EndIf}
  !insertmacro USE_SCOPE
FunctionEnd

Section "Uninstall"
  !insertmacro USE_SCOPE
  Call un.CloseRunningBar

  Delete "$INSTDIR\${EXE}"
  Delete "$INSTDIR\README.md"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\${UNINSTALLER}"
  ; Only when empty: files the user put there stay.
  RMDir "$INSTDIR"

  ; This install's Start menu: the user's or the all-users one.
  Delete "$SMPROGRAMS\${SHORTCUT_FOLDER}\${SHORTCUT}"
  ; The folder may hold other programs' shortcuts: removed only when empty.
  RMDir "$SMPROGRAMS\${SHORTCUT_FOLDER}"

  ; The Run value goes when it starts this install; one naming another copy stays.
  ReadRegStr $0 HKCU "${RUN_KEY}" "${TITLE}"
  ${If} $0 == '"$INSTDIR\${EXE}"'
  ${OrIf} $0 == "$INSTDIR\${EXE}"
    DeleteRegValue HKCU "${RUN_KEY}" "${TITLE}"
  ${EndIf}

  ; The entry of this install only: one that names another folder stays.
  ReadRegStr $0 SHCTX "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 == $INSTDIR
  ${OrIf} $0 == ""
    DeleteRegKey SHCTX "${UNINSTALL_KEY}"
  ${EndIf}

  ; Settings stay unless the user asks; a silent uninstall keeps them.
  MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 "$(RemoveSettings)" /SD IDNO IDNO keep_settings
    DeleteRegKey HKCU "${SETTINGS_KEY}"
    DeleteRegKey /ifempty HKCU "Software\${PUBLISHER}"
  keep_settings:
SectionEnd
