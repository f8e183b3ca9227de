; The Windows installer of Larkspire: a per-user install that needs no administrator rights.
; scripts/windows-package builds it with Debian's makensis and hands in what belongs to one build:
;
;   makensis -DVERSION=1.45 -DEXE=/abs/larkspire.exe -DCONSOLE=/abs/larkspire.com \
;            -DLICENCE=/abs/LICENCE.txt -DUNINSTALL_ENTRY=/abs/Uninstall.exe \
;            -DOUTFILE=/abs/Larkspire-1.45-setup.exe packaging/windows/larkspire.nsi
;
; What it installs: larkspire.exe, its console entry larkspire.com (what "larkspire" starts in a
; console), LICENCE.txt, the uninstaller larkspire-uninstall.exe and Uninstall.exe (made by
; uninstall-entry.nsi: it runs the uninstaller and ends with its status) in
; %LOCALAPPDATA%\Programs\Larkspire,
; the Start-menu shortcut "Larkspire", the Installed Apps entry under HKCU, and that folder on the
; user's own PATH (user-path.nsh). The uninstaller takes away exactly these, and the folders the
; installer made once they are empty, and leaves no copy of itself behind. An install into
; another folder than an earlier one's removes the earlier one first. The user's reports
; and the program's settings (%LOCALAPPDATA%\larkspire\larkspire.conf) are never touched.
; /S installs or uninstalls silently.

!macro _REQUIRE NAME
  !ifndef ${NAME}
    !error "${NAME} is not defined: makensis -DVERSION=... -DEXE=... -DCONSOLE=... -DLICENCE=... -DUNINSTALL_ENTRY=... -DOUTFILE=..."
  !endif
!macroend
!insertmacro _REQUIRE VERSION
!insertmacro _REQUIRE EXE
!insertmacro _REQUIRE CONSOLE
!insertmacro _REQUIRE LICENCE
!insertmacro _REQUIRE OUTFILE
!insertmacro _REQUIRE UNINSTALL_ENTRY
!ifndef ICON
  !define ICON "${__FILEDIR__}/../../resources/icons/larkspire.ico"
!endif

!define PRODUCT "Larkspire"
!define PUBLISHER "Larkspire developers"
!define HOMEPAGE "https://www.example.com/larkspire/"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Larkspire"

; A 64-bit installer for a 64-bit program: 32-bit Windows refuses it before it starts.
Target amd64-unicode
Unicode true
ManifestDPIAware true
RequestExecutionLevel user
SetCompressor /SOLID lzma

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Larkspire"
; A later install goes where the earlier one went.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

; The file version wants four numbers: 1.45 becomes 1.45.0.0.
!searchparse /noerrors "${VERSION}.0.0.0." "" VERSION_1 "." VERSION_2 "." VERSION_3 "." VERSION_4 "."
VIProductVersion "${VERSION_1}.${VERSION_2}.${VERSION_3}.${VERSION_4}"
VIFileVersion "${VERSION_1}.${VERSION_2}.${VERSION_3}.${VERSION_4}"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} ${VERSION} Setup"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright 2026 ${PUBLISHER}"

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"
!include "${__FILEDIR__}/user-path.nsh"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\larkspire.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start ${PRODUCT}"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${LICENCE}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; Removes FOLDER, then each folder above it up to TOP (the topmost folder an install made, or
; nothing), while they are empty. Uses $R0 to $R3.
!macro REMOVE_EMPTY_FOLDERS FOLDER TOP
  StrCpy $R0 "${FOLDER}"
  StrCpy $R1 "${TOP}"
  StrLen $R2 "$R1"
  ${Do}
    ClearErrors
    RMDir "$R0"
    ${If} ${Errors}
    ${OrIf} $R2 == 0
    ${OrIf} $R0 == "$R1"
      ${Break}
    ${EndIf}
    ${GetParent} "$R0" $R0
    StrLen $R3 "$R0"
    ${If} $R3 < $R2
      ${Break}
    ${EndIf}
  ${Loop}
!macroend

Function .onInit
  SetShellVarContext current
FunctionEnd

Function un.onInit
  SetShellVarContext current
FunctionEnd

; The uninstaller's own files once they have ended, then FOLDER and each folder above it up to TOP
; while they are empty (as REMOVE_EMPTY_FOLDERS), taken away by a hidden command prompt that
; tries once a second for a minute: the system's own, so that nothing of Larkspire is left
; behind to take it away in turn. The files are the uninstaller run in place (_?=) and
; Uninstall.exe waiting for it, or, started on its own, the copy of itself NSIS runs in %TEMP%
; and that copy's folder. The paths reach the prompt in its environment, never as words of its
; command line, which it would read a second time. Uses $R0 to $R4.
!macro REMOVE_WHEN_ENDED FOLDER TOP
  System::Call 'kernel32::SetEnvironmentVariableW(w "LARKSPIRE_1", w "$INSTDIR\Uninstall.exe")'
  System::Call 'kernel32::SetEnvironmentVariableW(w "LARKSPIRE_2", w "$INSTDIR\larkspire-uninstall.exe")'
  System::Call 'kernel32::SetEnvironmentVariableW(w "LARKSPIRE_3", w "$EXEPATH")'
  StrCpy $R2 ""
  ${GetParent} "$EXEDIR" $R0
  ${If} $R0 == "$TEMP"
    System::Call 'kernel32::SetEnvironmentVariableW(w "LARKSPIRE_0", w "$EXEDIR")'
    StrCpy $R2 'rd "%LARKSPIRE_0%" 2>nul &'
  ${EndIf}
  StrCpy $R0 "${FOLDER}"
  StrLen $R4 "${TOP}"
  StrCpy $R1 0
  ${Do}
    IntOp $R1 $R1 + 1
    System::Call 'kernel32::SetEnvironmentVariableW(w "LARKSPIRE_FOLDER_$R1", w R0)'
    StrCpy $R2 '$R2 rd "%LARKSPIRE_FOLDER_$R1%" 2>nul &'
    ${If} $R4 == 0
    ${OrIf} $R0 == "${TOP}"
      ${Break}
    ${EndIf}
    ${GetParent} "$R0" $R0
    StrLen $R3 "$R0"
    ${If} $R3 < $R4
      ${Break}
    ${EndIf}
  ${Loop}
  SetOutPath "$TEMP"
  ExecShell "open" "$SYSDIR\cmd.exe" '/d /q /c for /l %i in (1,1,60) do (ping -n 2 127.0.0.1 >nul & del /f /q "%LARKSPIRE_1%" "%LARKSPIRE_2%" "%LARKSPIRE_3%" 2>nul & if not exist "%LARKSPIRE_1%" if not exist "%LARKSPIRE_2%" if not exist "%LARKSPIRE_3%" ($R2 exit))' SW_HIDE
!macroend

Section "Larkspire" SectionProgram
  SectionIn RO

  ; An earlier install in another folder is taken away first, by its own uninstaller and silently:
  ; left there, it would have no uninstall entry of its own any more. The uninstaller runs in
  ; place (_?=), so that it is over when it returns; it then leaves itself and its folder, which
  ; go here. A copy of the program running from there stops the install before anything changes.
  ReadRegStr $5 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $5 != ""
  ${AndIf} $5 != "$INSTDIR"
  ${AndIf} ${FileExists} "$5\Uninstall.exe"
    ReadRegStr $6 HKCU "${UNINSTALL_KEY}" "CreatedFolder"
    DetailPrint "Removing the earlier install in $5"
    ClearErrors
    ExecWait '"$5\Uninstall.exe" /S _?=$5' $7
    ${If} ${Errors}
    ${OrIf} $7 != 0
      Abort "The earlier install in $5 could not be removed (is ${PRODUCT} running?): nothing was installed."
    ${EndIf}
    Delete "$5\Uninstall.exe"
    Delete "$5\larkspire-uninstall.exe"
    !insertmacro REMOVE_EMPTY_FOLDERS "$5" "$6"
  ${EndIf}

  ; The topmost folder of the install path that is not there yet: the uninstaller removes the
  ; folders from the install folder up to that one, each only when it is empty. A reinstall into
  ; the same folder keeps what the first install found.
  StrCpy $0 "$INSTDIR"
  StrCpy $1 ""
  ${DoUntil} $0 == ""
    ${If} ${FileExists} "$0\*.*"
      ${Break}
    ${EndIf}
    StrCpy $1 "$0"
    ${GetParent} "$0" $0
  ${Loop}
  ReadRegStr $2 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $1 == ""
  ${AndIf} $2 == "$INSTDIR"
    ReadRegStr $1 HKCU "${UNINSTALL_KEY}" "CreatedFolder"
  ${EndIf}

  ; A running program cannot be replaced: the user closes it first, or nothing is changed.
  ${Do}
    ${IfNot} ${FileExists} "$INSTDIR\larkspire.exe"
      ${Break}
    ${EndIf}
    ClearErrors
    FileOpen $3 "$INSTDIR\larkspire.exe" a
    ${IfNot} ${Errors}
      FileClose $3
      ${Break}
    ${EndIf}
    ${If} ${Cmd} `MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "${PRODUCT} is running. Close it, then choose Retry." /SD IDCANCEL IDCANCEL`
      Abort "${PRODUCT} is running: nothing was installed."
    ${EndIf}
  ${Loop}

  SetOutPath "$INSTDIR"
  File "/oname=larkspire.exe" "${EXE}"
  File "/oname=larkspire.com" "${CONSOLE}"
  File "/oname=LICENCE.txt" "${LICENCE}"
  File "/oname=Uninstall.exe" "${UNINSTALL_ENTRY}"
  WriteUninstaller "$INSTDIR\larkspire-uninstall.exe"

  ; Started in the user's Documents, from the shortcut and from the last page alike: Save As opens
  ; in the folder the program was started in, and reports belong there, not in the program's folder.
  ${If} ${FileExists} "$DOCUMENTS\*.*"
    SetOutPath "$DOCUMENTS"
  ${EndIf}
  CreateShortcut "$SMPROGRAMS\Larkspire.lnk" "$INSTDIR\larkspire.exe" "" \
    "$INSTDIR\larkspire.exe" 0 SW_SHOWNORMAL "" "Kabbalah numerology reading"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\larkspire.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  ; Uninstall.exe is over when it returns, and its status says whether it removed the program (2
  ; while the program runs).
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "URLInfoAbout" "${HOMEPAGE}"
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${If} $1 != ""
    WriteRegStr HKCU "${UNINSTALL_KEY}" "CreatedFolder" "$1"
  ${Else}
    DeleteRegValue HKCU "${UNINSTALL_KEY}" "CreatedFolder"
  ${EndIf}
  ; In KiB, as Installed Apps expects.
  ${GetSize} "$INSTDIR" "/S=0K /G=0" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" "$0"

  Call AddInstallFolderToUserPath
SectionEnd

Section "Uninstall"
  ; The program cannot be removed while it runs.
  ${Do}
    ClearErrors
    Delete "$INSTDIR\larkspire.exe"
    ${IfNot} ${Errors}
      ${Break}
    ${EndIf}
    ${If} ${Cmd} `MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "${PRODUCT} is running. Close it, then choose Retry." /SD IDCANCEL IDCANCEL`
      Abort "${PRODUCT} is running: nothing was removed."
    ${EndIf}
  ${Loop}
  Delete "$INSTDIR\larkspire.com"
  Delete "$INSTDIR\LICENCE.txt"
  Delete "$SMPROGRAMS\Larkspire.lnk"

  Call un.RemoveInstallFolderFromUserPath

  ; The install folder, then each folder above it that the installer made, while they are empty.
  ReadRegStr $1 HKCU "${UNINSTALL_KEY}" "CreatedFolder"
  ${If} $1 == ""
    StrCpy $1 "$INSTDIR"
  ${EndIf}
  ${GetParent} "$EXEDIR" $2
  ClearErrors
  Delete "$INSTDIR\Uninstall.exe"
  Delete "$INSTDIR\larkspire-uninstall.exe"
  ${If} ${Errors}
  ${OrIf} $2 == "$TEMP"
    ; Run in place (_?=), as Uninstall.exe runs it, this program and Uninstall.exe waiting for it
    ; cannot go while they run; nor can NSIS's copy of it in %TEMP%.
    !insertmacro REMOVE_WHEN_ENDED "$INSTDIR" "$1"
  ${Else}
    !insertmacro REMOVE_EMPTY_FOLDERS "$INSTDIR" "$1"
  ${EndIf}

  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
