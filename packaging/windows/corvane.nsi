; The Windows installer of Corvane: the program folder (Corvane4.0.exe, corvanehelp.htm,
; Media\notify.wav) into Program Files, a Start menu entry and an uninstaller registered with
; Windows' list of installed programs. Made on Debian with makensis:
;
;   makensis -DPROGRAM_DIR=<folder with Corvane4.0.exe> -DICON=<corvane.ico> -DOUTFILE=<setup.exe> corvane.nsi
;
; The installer writes no setting of the program: the program registers itself to start at log-on
; at its first run, as it does when copied by hand. The uninstaller leaves the user's settings
; (HKCU\Software\Pellorin\Corvane) in place, and removes the log-on value of this copy with a
; note beside the settings, by which an install that follows puts the value back: the program's
; next start is no first run, and the user's choice would otherwise be lost.
;
; A silent run that gives up says why in "Corvane setup.log" in the temporary folder (%TEMP%).

Unicode true
; The program is 64-bit only; so is its installer (no 32-bit layer needed to run it).
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true

!ifndef VERSION
  !define VERSION "4.0"
!endif
!ifndef PROGRAM_DIR
  !error "PROGRAM_DIR (the folder that holds Corvane4.0.exe) is not defined"
!endif
!ifndef OUTFILE
  !define OUTFILE "Corvane-${VERSION}-setup.exe"
!endif

!define PRODUCT "Corvane"
!define EXE "Corvane4.0.exe"
!define UNINSTALLER "Uninstall Corvane.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Corvane"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
; The program holds this named mutex while it runs.
!define INSTANCE_MUTEX "Corvane4.0"
; Beside the settings: "the uninstaller removed this copy's log-on value" (1), per Run key's root.
!define NOTE_KEY "Software\Pellorin\Corvane"
!define NOTE_VALUE "LogOnValueRemoved"
!define LOG_FILE "$TEMP\Corvane setup.log"

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "x64.nsh"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "${PRODUCT} ${VERSION} Setup"
VIAddVersionKey "LegalCopyright" "Pellorin"

!ifdef ICON
  !define MUI_ICON "${ICON}"
  !define MUI_UNICON "${ICON}"
!endif
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_FUNCTION StartAsTheUser
!define MUI_FINISHPAGE_RUN_TEXT "Start ${PRODUCT} now"

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; Appends $R9 to the log that silent runs leave in the temporary folder.
!macro LogLine un
Function ${un}LogLine
  FileOpen $R8 "${LOG_FILE}" a
  FileSeek $R8 0 END
  FileWrite $R8 "$R9$\r$\n"
  FileClose $R8
FunctionEnd
!macroend
!insertmacro LogLine ""
!insertmacro LogLine "un."

; A running copy holds its executable open: files in use cannot be replaced or removed. Asks the
; user to end it (silently: gives up with exit code 2, changes nothing and says why in the log).
!macro WaitForProgramToEnd un
Function ${un}WaitForProgramToEnd
  ${Do}
    System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${INSTANCE_MUTEX}") p .r0'
    ${If} $0 == 0
      Return
    ${EndIf}
    System::Call 'kernel32::CloseHandle(p r0)'
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
      "${PRODUCT} is running. End it with $\"Exit Corvane$\" in its tray menu, then click Retry." \
      /SD IDCANCEL IDRETRY retry
    StrCpy $R9 "$EXEFILE: ${PRODUCT} is running; nothing was changed (exit code 2). End it with $\"Exit Corvane$\" in its tray menu, then run $EXEFILE again."
    Call ${un}LogLine
    SetErrorLevel 2
    Quit
    retry:
  ${Loop}
FunctionEnd
!macroend
!insertmacro WaitForProgramToEnd ""
!insertmacro WaitForProgramToEnd "un."

Function .onInit
  ${IfNot} ${RunningX64}
    MessageBox MB_OK|MB_ICONSTOP "${PRODUCT} ${VERSION} needs 64-bit Windows." /SD IDOK
    SetErrorLevel 2
    Quit
  ${EndIf}
  SetRegView 64
  SetShellVarContext all
  Call WaitForProgramToEnd
FunctionEnd

!macro RestoreAutostart root
  ClearErrors
  ReadRegDWORD $0 ${root} "${NOTE_KEY}" "${NOTE_VALUE}"
  ${IfNot} ${Errors}
    ${If} $0 == 1
      WriteRegStr ${root} "${RUN_KEY}" "${PRODUCT}" "$INSTDIR\${EXE}"
    ${EndIf}
    DeleteRegValue ${root} "${NOTE_KEY}" "${NOTE_VALUE}"
    DeleteRegKey /ifempty ${root} "${NOTE_KEY}"
    DeleteRegKey /ifempty ${root} "Software\Pellorin"
  ${EndIf}
!macroend

Section "Corvane" SecProgram
  SectionIn RO
  SetOutPath "$INSTDIR"
  File "${PROGRAM_DIR}\${EXE}"
  File "${PROGRAM_DIR}\corvanehelp.htm"
  SetOutPath "$INSTDIR\Media"
  File "${PROGRAM_DIR}\Media\notify.wav"
  SetOutPath "$INSTDIR"

  CreateShortCut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\${EXE}" "" "$INSTDIR\${EXE}" 0 \
    SW_SHOWNORMAL "" "Up time of the computer and one scheduled task"

  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT} ${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Pellorin"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${EXE},0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  ; _?= runs the uninstaller where it is, so that its caller gets its exit code (see un.onInit).
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}" _?=$INSTDIR'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S _?=$INSTDIR'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1

  ; The log-on value an uninstall took away comes back, now pointing at this copy.
  !insertmacro RestoreAutostart HKLM
  !insertmacro RestoreAutostart HKCU
SectionEnd

; Starts the program from the finish page as the user who is logged on, not elevated like this
; installer: Explorer, the user's own shell process, is asked to open it.
Function StartAsTheUser
  Exec '"$WINDIR\explorer.exe" "$INSTDIR\${EXE}"'
FunctionEnd

Function un.onInit
  SetRegView 64
  SetShellVarContext all
  Call un.WaitForProgramToEnd
  ; Started where it is (_?=, as the registered command lines do, so that the caller gets the
  ; exit code of the check above), it cannot remove its own file: it starts itself again the usual
  ; way, which runs a copy in the temporary folder, and ends with 0 while the copy removes the rest.
  ${If} "$EXEDIR" == "$INSTDIR"
    ${If} ${Silent}
      Exec '"$EXEPATH" /S'
    ${Else}
      Exec '"$EXEPATH"'
    ${EndIf}
    SetErrorLevel 0
    Quit
  ${EndIf}
FunctionEnd

; Removes the autostart value "Corvane" of a Run key when it starts this copy of the program:
; Windows would otherwise try to start a program that is gone at every log-on. A value that
; starts another copy is someone else's and stays.
!macro RemoveOwnAutostart root
  ClearErrors
  ReadRegStr $0 ${root} "${RUN_KEY}" "${PRODUCT}"
  ${IfNot} ${Errors}
  ${AndIf} $0 == "$INSTDIR\${EXE}"
    DeleteRegValue ${root} "${RUN_KEY}" "${PRODUCT}"
    WriteRegDWORD ${root} "${NOTE_KEY}" "${NOTE_VALUE}" 1
  ${EndIf}
!macroend

Section "Uninstall"
  !insertmacro RemoveOwnAutostart HKLM
  !insertmacro RemoveOwnAutostart HKCU
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  Delete "$INSTDIR\${EXE}"
  Delete "$INSTDIR\corvanehelp.htm"
  Delete "$INSTDIR\Media\notify.wav"
  RMDir "$INSTDIR\Media"
  Delete "$INSTDIR\${UNINSTALLER}"
  ; Last, and only when empty: files the user put there stay.
  RMDir "$INSTDIR"
SectionEnd
