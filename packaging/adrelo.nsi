; The per-user installer of Adrelo Viewer, for one architecture; made by
; packaging/package.sh, which passes (with -D):
;   VERSION       the version as the program shows it ("1.0")
;   VERSION_QUAD  the four numbers of the version resource ("1.0.0.0")
;   TARGET        x86-unicode or amd64-unicode
;   PROGRAM_DIR   the folder with Adrelo.exe, README.txt and LICENSE.txt
;   OUTPUT        the installer's path
;   WINDOW_CLASS  the main window's class, EXIT_COMMAND its Exit command's id
;   ICON          the program's icon
;   SIGN_SCRIPT   packaging/sign.sh, only when the release is signed
; It installs without administrator rights under the user's own programs
; folder, so no UAC prompt and nothing machine-wide. A running copy is asked
; to exit through its own Exit command, never ended, so that it saves its
; settings as it always does.
Unicode true
Target ${TARGET}
SetCompressor /SOLID lzma
RequestExecutionLevel user

!define PRODUCT "Adrelo Viewer"
!define PUBLISHER "Varnosk"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define SETTINGS_KEY "Software\Varnosk\Adrelo"
!define SHORTCUT "$SMPROGRAMS\${PRODUCT}.lnk"
; How long a running copy has to exit once asked.
!define EXIT_WAIT_MS 10000
!define POLL_MS 200

Name "${PRODUCT}"
OutFile "${OUTPUT}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
; An installed copy is upgraded where it is.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
ShowInstDetails nevershow
ShowUninstDetails nevershow

VIProductVersion "${VERSION_QUAD}"
VIFileVersion "${VERSION_QUAD}"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=0 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=0 "FileDescription" "${PRODUCT} ${VERSION} Setup"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "LegalCopyright" "MIT License"

; A signed release signs the uninstaller too, before it goes into the
; installer, so the copy that lands beside the program carries the signature;
; makensis stops if the signing fails.
!ifdef SIGN_SCRIPT
  !uninstfinalize 'bash "${SIGN_SCRIPT}" "%1" "${PRODUCT} Uninstall"' = 0
!endif

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"
!include "WinMessages.nsh"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_WELCOMEPAGE_TEXT "$(WelcomeText)"
!define MUI_FINISHPAGE_RUN "$INSTDIR\Adrelo.exe"
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\README.txt"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The user's language of Windows chooses between them, without asking;
; English for any other.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Bulgarian"

LangString WelcomeText ${LANG_ENGLISH} "Setup will install ${PRODUCT} ${VERSION} for you alone, in your own programs folder: it needs no administrator rights. If ${PRODUCT} is running, Setup asks it to exit first, and it keeps its settings.$\r$\n$\r$\nClick Next to continue."
LangString WelcomeText ${LANG_BULGARIAN} "Съветникът ще инсталира ${PRODUCT} ${VERSION} само за вас, в личната ви папка с програми: не са нужни права на администратор. Ако ${PRODUCT} работи, съветникът първо ще я помоли да се затвори и тя ще запази настройките си.$\r$\n$\r$\nНатиснете $\"Напред$\", за да продължите."
LangString StillRunning ${LANG_ENGLISH} "${PRODUCT} is still running. Exit it (Information, Exit), then choose Retry."
LangString StillRunning ${LANG_BULGARIAN} "${PRODUCT} все още работи. Затворете я (Информация, Изход) и изберете Повтори."
LangString KeepSettings ${LANG_ENGLISH} "Keep your ${PRODUCT} settings for a later installation?"
LangString KeepSettings ${LANG_BULGARIAN} "Да се запазят ли настройките на ${PRODUCT} за следваща инсталация?"

; Asks every running copy to exit, as its own Exit command does (so it saves
; its settings), and waits until it has gone and its file is free. With no
; copy left the caller goes on; otherwise it is asked to retry or cancel
; (cancel when silent), and cancel ends this installer or uninstaller.
!macro ASK_RUNNING_COPIES_TO_EXIT un
Function ${un}AskRunningCopiesToExit
  Push $0
  Push $1
  retry:
  StrCpy $1 0
  FindWindow $0 "${WINDOW_CLASS}"
  ${DoWhile} $0 <> 0
    ${If} $1 >= ${EXIT_WAIT_MS}
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(StillRunning)" /SD IDCANCEL IDRETRY retry
      SetErrorLevel 2
      Quit
    ${EndIf}
    SendMessage $0 ${WM_COMMAND} ${EXIT_COMMAND} 0 /TIMEOUT=${POLL_MS}
    Sleep ${POLL_MS}
    IntOp $1 $1 + ${POLL_MS}
    FindWindow $0 "${WINDOW_CLASS}"
  ${Loop}
  ; The window is gone; the process ends a moment later and frees its file.
  ${DoWhile} ${FileExists} "$INSTDIR\Adrelo.exe"
    ClearErrors
    Delete "$INSTDIR\Adrelo.exe"
    ${IfNot} ${Errors}
      ${Break}
    ${EndIf}
    ${If} $1 >= ${EXIT_WAIT_MS}
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(StillRunning)" /SD IDCANCEL IDRETRY retry
      SetErrorLevel 2
      Quit
    ${EndIf}
    Sleep ${POLL_MS}
    IntOp $1 $1 + ${POLL_MS}
  ${Loop}
  Pop $1
  Pop $0
FunctionEnd
!macroend
!insertmacro ASK_RUNNING_COPIES_TO_EXIT ""
!insertmacro ASK_RUNNING_COPIES_TO_EXIT "un."

; Removes the program's value from the Run key under ROOT when it starts this
; installed copy (the program writes its own path, quoted); a value of another
; copy stays. Without administrator rights the machine-wide one cannot go.
!macro DELETE_OWN_RUN_VALUE ROOT
  ClearErrors
  ReadRegStr $0 ${ROOT} "${RUN_KEY}" "Adrelo"
  ${If} $0 == '"$INSTDIR\Adrelo.exe"'
  ${OrIf} $0 == "$INSTDIR\Adrelo.exe"
    DeleteRegValue ${ROOT} "${RUN_KEY}" "Adrelo"
  ${EndIf}
!macroend

Section "Install"
  SetShellVarContext current
  Call AskRunningCopiesToExit
  SetOutPath "$INSTDIR"
  File "${PROGRAM_DIR}/Adrelo.exe"
  File "${PROGRAM_DIR}/README.txt"
  File "${PROGRAM_DIR}/LICENSE.txt"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "${SHORTCUT}" "$INSTDIR\Adrelo.exe"

  ; The entry of Windows' list of programs, for this user only.
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" '"$INSTDIR\Adrelo.exe",0'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
  SetShellVarContext current
  Call un.AskRunningCopiesToExit
  Delete "$INSTDIR\Adrelo.exe"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  Delete "${SHORTCUT}"
  !insertmacro DELETE_OWN_RUN_VALUE HKCU
  !insertmacro DELETE_OWN_RUN_VALUE HKLM
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ; The settings stay unless the user says otherwise (and always when silent).
  MessageBox MB_YESNO|MB_ICONQUESTION "$(KeepSettings)" /SD IDYES IDYES keep
  DeleteRegKey HKCU "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKCU "Software\Varnosk"
  keep:
SectionEnd
