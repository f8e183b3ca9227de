; The install folder on the user's own PATH (HKCU\Environment, value Path), so that "larkspire"
; typed in a new console finds larkspire.com: added by the installer, taken out again by the
; uninstaller, and nothing else of the value changed. The value is edited in memory through the
; System plug-in, since NSIS's own strings hold only NSIS_MAX_STRLEN characters (1,024 with
; Debian's makensis) and a PATH can be far longer: read into a string, a long one would come back
; cut. Its type is kept (REG_EXPAND_SZ, as Windows makes it, keeps its %VARIABLES%); a new one is
; REG_EXPAND_SZ. The entry is added only when no entry names its folder already, however spelled
; (a trailing backslash, quotes, %LOCALAPPDATA%, another case), and the uninstall key's
; PathEntry records that this install added it: an entry the user had put there before stays when
; Larkspire goes. Programs running are told (WM_SETTINGCHANGE "Environment"), so that consoles
; opened from Explorer afterwards find it.
;
; Included by larkspire.nsi, which defines UNINSTALL_KEY and includes LogicLib.nsh.

!include "WinMessages.nsh"

!define USER_PATH_RECORD "PathEntry"

; Reads the user's Path into memory with room for $R6 more characters: $R1 the open key (0 when
; there is no such key or no value of text in it to edit), $R2 the value as a NUL-terminated text
; in a buffer of System::Alloc, $R3 its type, $R4 its length in characters. Uses $R0 and $R5.
!macro _USER_PATH_READ
  StrCpy $R1 0
  StrCpy $R2 0
  System::Call 'advapi32::RegOpenCurrentUser(i 0x2001F, *p .R5) i .R0'
  ${If} $R0 = 0
    System::Call 'advapi32::RegOpenKeyExW(p R5, w "Environment", i 0, i 0x2001F, *p .R1) i .R0'
    System::Call 'advapi32::RegCloseKey(p R5)'
  ${EndIf}
  ${If} $R0 <> 0
    StrCpy $R1 0
  ${Else}
    System::Call 'advapi32::RegQueryValueExW(p R1, w "Path", p 0, *i .R3, p 0, *i 0 .R5) i .R0'
    ${If} $R0 = 2 ; ERROR_FILE_NOT_FOUND: none yet
      StrCpy $R3 2 ; REG_EXPAND_SZ
      StrCpy $R0 0
    ${ElseIf} $R3 <> 1 ; REG_SZ
    ${AndIf} $R3 <> 2 ; REG_EXPAND_SZ
      StrCpy $R0 1
    ${EndIf}
    ; Read with room for a NUL the stored value may lack; asked again with more room when it has
    ; grown since it was measured (or was measured short: once under Wine, by 4 bytes). The rest
    ; of the buffer is zeroed.
    ${DoWhile} $R0 = 0
      IntOp $R5 $R5 + 2
      IntOp $R0 $R6 + 1
      IntOp $R0 $R0 * 2
      IntOp $R0 $R0 + $R5
      System::Alloc $R0
      Pop $R2
      System::Call 'advapi32::RegQueryValueExW(p R1, w "Path", p 0, p 0, p R2, *i R5 .R5) i .R0'
      ${If} $R0 = 2
        StrCpy $R0 0
      ${EndIf}
      ${If} $R0 <> 234 ; ERROR_MORE_DATA
        ${Break}
      ${EndIf}
      System::Free $R2
      StrCpy $R2 0
      IntOp $R5 $R5 * 2
      StrCpy $R0 0
    ${Loop}
    ${If} $R0 <> 0
      ${If} $R2 P<> 0
        System::Free $R2
      ${EndIf}
      StrCpy $R2 0
      System::Call 'advapi32::RegCloseKey(p R1)'
      StrCpy $R1 0
    ${Else}
      System::Call 'kernel32::lstrlenW(p R2) i .R4'
    ${EndIf}
  ${EndIf}
!macroend

; The folder the text at $3 names, into the buffer at $2 (32,767 characters and a NUL, the longest
; a variable of the environment holds): its %VARIABLES% expanded, its quotes dropped and its
; trailing backslashes too, as a console reads an entry of PATH. Uses $R0, $4 and $5.
!macro _USER_PATH_AS_FOLDER
  System::Call 'kernel32::ExpandEnvironmentStringsW(p r3, p r2, i 32768) i .R0'
  ${If} $R0 = 0
  ${OrIf} $R0 > 32768
    System::Call 'kernel32::lstrcpynW(p r2, p r3, i 32768)'
  ${EndIf}
  ${Do}
    System::Call 'msvcrt::wcschr(p r2, i 34) p .r4'
    ${If} $4 P= 0
      ${Break}
    ${EndIf}
    ; What follows the quote, its NUL included, moves up over it.
    System::Call 'kernel32::lstrlenW(p r4) i .R0'
    IntOp $R0 $R0 * 2
    IntPtrOp $5 $4 + 2
    System::Call 'kernel32::RtlMoveMemory(p r4, p r5, i R0)'
  ${Loop}
  ${Do}
    System::Call 'kernel32::lstrlenW(p r2) i .R0'
    ${If} $R0 = 0
      ${Break}
    ${EndIf}
    IntOp $R0 $R0 - 1
    IntOp $R0 $R0 * 2
    IntPtrOp $4 $2 + $R0
    System::Call '*$4(&i2 .R0)'
    ${If} $R0 <> 92 ; a backslash
      ${Break}
    ${EndIf}
    System::Call '*$4(&i2 0)'
  ${Loop}
!macroend

; The last entry of the value read (between semicolons, or at its start or end) that is the text
; in $0, in any case (MATCH text), or that names the folder in the buffer at $1 (MATCH folder, the
; folder as _USER_PATH_AS_FOLDER gives it, with buffers at $2 and $3 for an entry's): $R7 where it
; starts, $R8 where it ends (at the semicolon or the NUL after it); $R7 is 0 when there is none.
; Uses $R0, $R5, $R6 and $R9, and with folders $4 and $5.
!macro _USER_PATH_FIND MATCH
  StrCpy $R7 0
  StrCpy $R5 $R2
  ${Do}
    System::Call 'msvcrt::wcschr(p R5, i 59) p .R6'
    StrCpy $R9 $R6
    ${If} $R6 P= 0
      System::Call 'kernel32::lstrlenW(p R5) i .R0'
      IntOp $R0 $R0 * 2
      IntPtrOp $R9 $R5 + $R0
    ${EndIf}
    IntPtrOp $R0 $R9 - $R5
    IntOp $R0 $R0 / 2
    !if "${MATCH}" == "folder"
      ${If} $R0 < 32768
        IntOp $R0 $R0 + 1
        System::Call 'kernel32::lstrcpynW(p r3, p R5, i R0)'
        !insertmacro _USER_PATH_AS_FOLDER
        System::Call 'kernel32::CompareStringOrdinal(p r2, i -1, p r1, i -1, i 1) i .R0'
      ${EndIf}
    !else
      System::Call 'kernel32::CompareStringOrdinal(p R5, i R0, w r0, i -1, i 1) i .R0'
    !endif
    ${If} $R0 = 2 ; CSTR_EQUAL
      StrCpy $R7 $R5
      StrCpy $R8 $R9
    ${EndIf}
    ${If} $R6 P= 0
      ${Break}
    ${EndIf}
    IntPtrOp $R5 $R6 + 2
  ${Loop}
!macroend

; Writes the value back ($R0 then holds the status), or removes it when it has become empty, and
; tells the programs running. Uses $R0.
!macro _USER_PATH_WRITE
  System::Call 'kernel32::lstrlenW(p R2) i .R0'
  ${If} $R0 = 0
    System::Call 'advapi32::RegDeleteValueW(p R1, w "Path")'
  ${Else}
    IntOp $R0 $R0 + 1
    IntOp $R0 $R0 * 2
    System::Call 'advapi32::RegSetValueExW(p R1, w "Path", i 0, i R3, p R2, i R0) i .R0'
  ${EndIf}
  SendMessage ${HWND_BROADCAST} ${WM_SETTINGCHANGE} 0 "STR:Environment" /TIMEOUT=5000
!macroend

; Frees the buffer and closes the key.
!macro _USER_PATH_CLOSE
  ${If} $R2 P<> 0
    System::Free $R2
  ${EndIf}
  ${If} $R1 P<> 0
    System::Call 'advapi32::RegCloseKey(p R1)'
  ${EndIf}
!macroend

!macro _USER_PATH_SAVE
  Push $0
  Push $1
  Push $2
  Push $3
  Push $4
  Push $5
  Push $R0
  Push $R1
  Push $R2
  Push $R3
  Push $R4
  Push $R5
  Push $R6
  Push $R7
  Push $R8
  Push $R9
!macroend

!macro _USER_PATH_RESTORE
  Pop $R9
  Pop $R8
  Pop $R7
  Pop $R6
  Pop $R5
  Pop $R4
  Pop $R3
  Pop $R2
  Pop $R1
  Pop $R0
  Pop $5
  Pop $4
  Pop $3
  Pop $2
  Pop $1
  Pop $0
!macroend

; $INSTDIR at the end of the user's Path, unless its folder is there already.
Function AddInstallFolderToUserPath
  !insertmacro _USER_PATH_SAVE
  StrCpy $0 "$INSTDIR"
  System::Alloc 65536
  Pop $1
  System::Alloc 65536
  Pop $2
  System::Alloc 65536
  Pop $3
  System::Call 'kernel32::lstrcpynW(p r3, w r0, i 32768)'
  !insertmacro _USER_PATH_AS_FOLDER
  System::Call 'kernel32::lstrcpynW(p r1, p r2, i 32768)'
  StrLen $R6 "$0"
  !insertmacro _USER_PATH_READ
  ${If} $R1 P= 0
    DetailPrint "The user's PATH could not be read: $0 was not added to it."
  ${Else}
    !insertmacro _USER_PATH_FIND folder
    ${If} $R7 P= 0
      ${If} $R4 > 0
        System::Call 'kernel32::lstrcatW(p R2, w ";")'
      ${EndIf}
      System::Call 'kernel32::lstrcatW(p R2, w r0)'
      !insertmacro _USER_PATH_WRITE
      ${If} $R0 = 0
        WriteRegStr HKCU "${UNINSTALL_KEY}" "${USER_PATH_RECORD}" "$0"
        DetailPrint "Added $0 to the user's PATH."
      ${Else}
        DetailPrint "The user's PATH could not be written: $0 was not added to it."
      ${EndIf}
    ${EndIf}
  ${EndIf}
  !insertmacro _USER_PATH_CLOSE
  System::Free $1
  System::Free $2
  System::Free $3
  !insertmacro _USER_PATH_RESTORE
FunctionEnd

; The entry the installer added (the last one of its text) out of the user's Path again, with the
; semicolon that joined it to the one before (or, when it is the first, to the one after).
Function un.RemoveInstallFolderFromUserPath
  !insertmacro _USER_PATH_SAVE
  ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "${USER_PATH_RECORD}"
  ${If} $0 != ""
    StrCpy $R6 0
    !insertmacro _USER_PATH_READ
    ${If} $R1 P<> 0
      !insertmacro _USER_PATH_FIND text
      ${If} $R7 P<> 0
        ${If} $R7 P> $R2
          IntPtrOp $R7 $R7 - 2
        ${Else}
          System::Call '*$R8(&i2 .R0)'
          ${If} $R0 = 59
            IntPtrOp $R8 $R8 + 2
          ${EndIf}
        ${EndIf}
        ; What follows, its NUL included, moves up over the entry.
        IntOp $R0 $R4 + 1
        IntOp $R0 $R0 * 2
        IntPtrOp $R0 $R2 + $R0
        IntPtrOp $R0 $R0 - $R8
        System::Call 'kernel32::RtlMoveMemory(p R7, p R8, p R0)'
        !insertmacro _USER_PATH_WRITE
        DetailPrint "Removed $0 from the user's PATH."
      ${EndIf}
    ${EndIf}
    !insertmacro _USER_PATH_CLOSE
  ${EndIf}
  !insertmacro _USER_PATH_RESTORE
FunctionEnd
