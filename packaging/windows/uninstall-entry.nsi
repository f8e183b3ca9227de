; Uninstall.exe, the uninstaller as scripts and Installed Apps start it. NSIS's own uninstaller
; (larkspire-uninstall.exe, written beside it by larkspire.nsi) hands over to a copy of itself in
; %TEMP% and returns 0 at once, before anything is removed, unless it is run in place with _?=; a
; script could not tell whether the program went. This runs it in place with the arguments it was
; given, waits for it and ends with its status: 0 when Larkspire was removed, 2 when nothing was
; (Larkspire was running, or the user cancelled), 1 when it could not be started. It shows nothing
; of its own: the uninstaller's pages are the uninstaller's.
;
;   makensis -DVERSION=1.45 -DOUTFILE=/abs/Uninstall.exe packaging/windows/uninstall-entry.nsi

!ifndef VERSION
  !error "VERSION is not defined: makensis -DVERSION=... -DOUTFILE=... uninstall-entry.nsi"
!endif
!ifndef OUTFILE
  !error "OUTFILE is not defined: makensis -DVERSION=... -DOUTFILE=... uninstall-entry.nsi"
!endif

Target amd64-unicode
Unicode true
RequestExecutionLevel user
SilentInstall silent
SetCompressor /SOLID lzma
Name "Larkspire"
OutFile "${OUTFILE}"
Icon "${__FILEDIR__}/../../resources/icons/larkspire.ico"

!searchparse /noerrors "${VERSION}.0.0.0." "" VERSION_1 "." VERSION_2 "." VERSION_3 "." VERSION_4 "."
VIProductVersion "${VERSION_1}.${VERSION_2}.${VERSION_3}.${VERSION_4}"
VIAddVersionKey /LANG=1033 "ProductName" "Larkspire"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "Larkspire ${VERSION} Uninstall"

!include "FileFunc.nsh"
!include "LogicLib.nsh"
!include "WordFunc.nsh"

Section
  ; The folder is always this one's: a _?= given (as installers of earlier versions pass it to
  ; their own uninstaller) is left off, since only the last may stand.
  ${GetParameters} $0
  ${WordFind} "$0" "_?=" "+1{" $0
  ClearErrors
  ExecWait '"$EXEDIR\larkspire-uninstall.exe" $0 _?=$EXEDIR' $1
  ${If} ${Errors}
    SetErrorLevel 1
  ${Else}
    SetErrorLevel $1
  ${EndIf}
SectionEnd
