; Setup of kalverin Tastenfang, one script for both builds: the 32-bit
; program into the 32-bit program-files folder, the x86-64 program (X64)
; into the 64-bit one. The build writes product.nsh with its facts and
; names it with -DPRODUCT_NSH.
;
; An installation either completes or leaves the machine as it was: the new
; files are unpacked beside the old ones first and swapped in only when all
; of them are there. The uninstaller keeps the user's settings file.

!include "${PRODUCT_NSH}"

!ifdef X64
  Target amd64-unicode
!else
  Unicode true
!endif
SetCompressor /SOLID lzma

!include MUI2.nsh
!include LogicLib.nsh
!include x64.nsh
!include FileFunc.nsh

!define PRODUCT "kalverin Tastenfang"
!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
; The running program holds this mutex (its single-instance guard).
!define PROGRAM_MUTEX "kalverin Tastenfang"
!define SYNCHRONIZE 0x00100000

Name "${PRODUCT} ${PRODUCT_VERSION}"
OutFile "${OUTFILE}"
!ifdef X64
  InstallDir "$PROGRAMFILES64\${PRODUCT}"
!else
  InstallDir "$PROGRAMFILES\${PRODUCT}"
!endif
; An update goes where the installed copy is.
InstallDirRegKey HKLM "${UNINST_KEY}" "InstallLocation"
RequestExecutionLevel admin
ManifestDPIAware true
BrandingText "${PUBLISHER}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${FILE_VERSION}"
VIFileVersion "${FILE_VERSION}"
VIAddVersionKey /LANG=1031 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1031 "ProductVersion" "${PRODUCT_VERSION}"
VIAddVersionKey /LANG=1031 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1031 "LegalCopyright" "${COPYRIGHT}"
VIAddVersionKey /LANG=1031 "FileDescription" "Installation von ${PRODUCT}"
VIAddVersionKey /LANG=1031 "FileVersion" "${FILE_VERSION}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
; The German titles with the product's name need a third line.
!define MUI_WELCOMEPAGE_TITLE_3LINES
!define MUI_FINISHPAGE_TITLE_3LINES
!insertmacro MUI_PAGE_WELCOME
!define MUI_PAGE_CUSTOMFUNCTION_PRE SkipDirectoryOnUpdate
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "${PRODUCT} jetzt starten"
!define MUI_FINISHPAGE_RUN_FUNCTION StartProgram
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "German"

Var PreviousLocation   ; folder of the installed copy, empty when none
Var CreatedFolder      ; 1 when this run created $INSTDIR

; ---- checks shared by setup and uninstaller

; While the program runs its files cannot be replaced or removed; the user
; may close it and retry. Silent runs give up at once. $0 is 1 when the
; user gave up, else 0.
!macro WAIT_NOT_RUNNING UN
Function ${UN}WaitNotRunning
  ${Do}
    System::Call 'kernel32::OpenMutexW(i ${SYNCHRONIZE}, i 0, w "${PROGRAM_MUTEX}") p .r0'
    ${If} $0 P= 0
      StrCpy $0 0
      Return
    ${EndIf}
    System::Call 'kernel32::CloseHandle(p r0)'
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
      "${PRODUCT} läuft noch.$\r$\n$\r$\nBitte beenden Sie das Programm und klicken Sie dann auf „Wiederholen“." \
      /SD IDCANCEL IDRETRY retry
    StrCpy $0 1
    Return
    retry:
  ${Loop}
FunctionEnd

Function ${UN}CheckNotRunning
  Call ${UN}WaitNotRunning
  ${If} $0 == 1
    SetErrorLevel 2
    Quit
  ${EndIf}
FunctionEnd
!macroend
!insertmacro WAIT_NOT_RUNNING ""
!insertmacro WAIT_NOT_RUNNING "un."

; Reads the installation of the other build (32-bit beside x86-64) into $0.
Function OtherBuildLocation
  StrCpy $0 ""
  ${IfNot} ${RunningX64}
    Return
  ${EndIf}
  !ifdef X64
    SetRegView 32
    ReadRegStr $0 HKLM "${UNINST_KEY}" "InstallLocation"
    SetRegView 64
  !else
    SetRegView 64
    ReadRegStr $0 HKLM "${UNINST_KEY}" "InstallLocation"
    SetRegView 32
  !endif
FunctionEnd

Function .onInit
  ; (32-bit Windows does not start the x86-64 setup at all.)
  !ifdef X64
    SetRegView 64
  !endif
  ; Both builds share the start-menu entry and the settings: one at a time.
  Call OtherBuildLocation
  ${If} $0 != ""
    !ifdef X64
      StrCpy $1 "32-Bit-Ausgabe"
    !else
      StrCpy $1 "64-Bit-Ausgabe"
    !endif
    MessageBox MB_OK|MB_ICONSTOP \
      "Die $1 von ${PRODUCT} ist bereits installiert (in „$0“).$\r$\n$\r$\nBitte deinstallieren Sie sie zuerst; Ihre Einstellungen bleiben dabei erhalten." \
      /SD IDOK
    SetErrorLevel 2
    Quit
  ${EndIf}
  Call CheckRequestedFolder
  Call CheckNotRunning
  ReadRegStr $PreviousLocation HKLM "${UNINST_KEY}" "InstallLocation"
FunctionEnd

; NSIS drops a folder given with /D= that cannot be one (a file on its way,
; a missing drive) and would install into the default folder instead.
Function CheckRequestedFolder
  System::Call 'kernel32::GetCommandLineW() t .r0'
  StrLen $2 $0
  StrCpy $1 0
  ${Do}
    ${If} $1 >= $2
      Return
    ${EndIf}
    StrCpy $3 $0 4 $1
    ${If} $3 S== " /D="
      ${Break}
    ${EndIf}
    IntOp $1 $1 + 1
  ${Loop}
  IntOp $1 $1 + 4
  StrCpy $3 $0 "" $1
  System::Call 'kernel32::GetFullPathNameW(w r3, i ${NSIS_MAX_STRLEN}, w .r4, p 0)'
  System::Call 'kernel32::GetFullPathNameW(w "$INSTDIR", i ${NSIS_MAX_STRLEN}, w .r5, p 0)'
  ${If} $4 != $5
  ${AndIf} $4 != "$5\"
    MessageBox MB_OK|MB_ICONSTOP \
      "Der Ordner „$3“ kann nicht angelegt werden: ein Teil des Pfades ist kein Ordner, oder das Laufwerk fehlt.$\r$\n$\r$\nEs wurde nichts verändert." \
      /SD IDOK
    SetErrorLevel 2
    Quit
  ${EndIf}
FunctionEnd

Function SkipDirectoryOnUpdate
  ${If} $PreviousLocation != ""
    Abort
  ${EndIf}
FunctionEnd

; Started through the shell's explorer, so that it runs as the user and not
; with the setup's administrator rights (its settings are per user).
Function StartProgram
  Exec '"$WINDIR\explorer.exe" "$INSTDIR\Tastenfang.exe"'
FunctionEnd

; ---- the files, staged and swapped

!macro DISCARD_STAGED NAME
  Delete "$INSTDIR\${NAME}.neu"
!macroend

; Before the swap every old file is moved to .alt, then every .neu to its
; name; a name whose .neu is gone holds a new file.
!macro RESTORE_OLD NAME
  ${IfNot} ${FileExists} "$INSTDIR\${NAME}.neu"
    Delete "$INSTDIR\${NAME}"
  ${EndIf}
  Delete "$INSTDIR\${NAME}.neu"
  ${If} ${FileExists} "$INSTDIR\${NAME}.alt"
    Rename "$INSTDIR\${NAME}.alt" "$INSTDIR\${NAME}"
  ${EndIf}
!macroend

!macro FOR_EACH_FILE MACRO
  !insertmacro ${MACRO} "Tastenfang.exe"
  !insertmacro ${MACRO} "Tastenfang.CHM"
  !insertmacro ${MACRO} "Tastenfang.wortliste"
  !insertmacro ${MACRO} "Tastenfang.wortliste.txt"
  !insertmacro ${MACRO} "Uninstall.exe"
!macroend

Function DiscardStaged
  !insertmacro FOR_EACH_FILE DISCARD_STAGED
  ${If} $CreatedFolder == 1
    RMDir "$INSTDIR"
  ${EndIf}
FunctionEnd

Function RestoreOld
  !insertmacro FOR_EACH_FILE RESTORE_OLD
  ${If} $CreatedFolder == 1
    RMDir "$INSTDIR"
  ${EndIf}
FunctionEnd

!macro MOVE_ASIDE NAME
  Delete "$INSTDIR\${NAME}.alt"
  ${If} ${FileExists} "$INSTDIR\${NAME}"
    Rename "$INSTDIR\${NAME}" "$INSTDIR\${NAME}.alt"
  ${EndIf}
!macroend

!macro MOVE_IN NAME
  Rename "$INSTDIR\${NAME}.neu" "$INSTDIR\${NAME}"
!macroend

!macro DROP_OLD NAME
  Delete "$INSTDIR\${NAME}.alt"
!macroend

; Ends the installation with a message; nothing was changed.
!macro FAIL TEXT
  MessageBox MB_OK|MB_ICONSTOP "${TEXT}$\r$\n$\r$\nDie Installation wurde abgebrochen; es wurde nichts verändert." /SD IDOK
  DetailPrint "${TEXT}"
  SetErrorLevel 2
  Abort
!macroend

; The old files come back, and the registry entry as it was ($1: the
; previous install location, empty when there was no entry).
!macro SWAP_FAILED
  Call RestoreOld
  ${If} $1 == ""
    DeleteRegKey HKLM "${UNINST_KEY}"
  ${Else}
    WriteRegStr HKLM "${UNINST_KEY}" "InstallLocation" "$1"
  ${EndIf}
  !insertmacro FAIL "Die Dateien in „$INSTDIR“ können nicht ersetzt werden; eine davon ist von einem anderen Programm geöffnet."
!macroend

Section "-Programm"
  SetShellVarContext all
  SetOverwrite try

  StrCpy $CreatedFolder 0
  ${IfNot} ${FileExists} "$INSTDIR\*.*"
    StrCpy $CreatedFolder 1
  ${EndIf}
  ClearErrors
  CreateDirectory "$INSTDIR"
  ${If} ${Errors}
  ${OrIfNot} ${FileExists} "$INSTDIR\*.*"
    StrCpy $CreatedFolder 0
    !insertmacro FAIL "Der Ordner „$INSTDIR“ kann nicht angelegt werden."
  ${EndIf}
  SetOutPath "$INSTDIR"

  DetailPrint "Dateien werden entpackt ..."
  !insertmacro FOR_EACH_FILE DISCARD_STAGED
  ClearErrors
  File "/oname=Tastenfang.exe.neu" "${PROGRAM}"
  File "/oname=Tastenfang.CHM.neu" "${HELPFILE}"
  File "/oname=Tastenfang.wortliste.neu" "${WORDFILE}"
  File "/oname=Tastenfang.wortliste.txt.neu" "${WORDNOTICE}"
  WriteUninstaller "$INSTDIR\Uninstall.exe.neu"
  ${If} ${Errors}
  ${OrIfNot} ${FileExists} "$INSTDIR\Tastenfang.exe.neu"
  ${OrIfNot} ${FileExists} "$INSTDIR\Tastenfang.CHM.neu"
  ${OrIfNot} ${FileExists} "$INSTDIR\Tastenfang.wortliste.neu"
  ${OrIfNot} ${FileExists} "$INSTDIR\Tastenfang.wortliste.txt.neu"
  ${OrIfNot} ${FileExists} "$INSTDIR\Uninstall.exe.neu"
    Call DiscardStaged
    !insertmacro FAIL "In den Ordner „$INSTDIR“ kann nicht geschrieben werden (fehlende Rechte oder zu wenig Platz)."
  ${EndIf}

  ; The registry entry needs the same rights; find out before the swap.
  ReadRegStr $1 HKLM "${UNINST_KEY}" "InstallLocation"
  ClearErrors
  WriteRegStr HKLM "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
  ${If} ${Errors}
    Call DiscardStaged
    !insertmacro FAIL "${PRODUCT} kann nicht in die Liste der installierten Programme eingetragen werden (fehlende Administratorrechte)."
  ${EndIf}

  ; The program may have been started since the check at the start: its
  ; running file would be renamed aside and the setup would claim success.
  Call WaitNotRunning
  ${If} $0 == 1
    Call DiscardStaged
    ${If} $1 == ""
      DeleteRegKey HKLM "${UNINST_KEY}"
    ${Else}
      WriteRegStr HKLM "${UNINST_KEY}" "InstallLocation" "$1"
    ${EndIf}
    !insertmacro FAIL "${PRODUCT} läuft noch; seine Dateien können nicht ersetzt werden."
  ${EndIf}

  DetailPrint "Dateien werden ersetzt ..."
  ; (Testing the error flag clears it.)
  ClearErrors
  !insertmacro FOR_EACH_FILE MOVE_ASIDE
  ${If} ${Errors}
    !insertmacro SWAP_FAILED
  ${EndIf}
  !insertmacro FOR_EACH_FILE MOVE_IN
  ${If} ${Errors}
    !insertmacro SWAP_FAILED
  ${EndIf}
  !insertmacro FOR_EACH_FILE DROP_OLD

  ; A copy installed elsewhere before has just moved here.
  ${If} $PreviousLocation != ""
  ${AndIf} $PreviousLocation != "$INSTDIR"
    Delete "$PreviousLocation\Tastenfang.exe"
    Delete "$PreviousLocation\Tastenfang.CHM"
    Delete "$PreviousLocation\Tastenfang.wortliste"
    Delete "$PreviousLocation\Tastenfang.wortliste.txt"
    Delete "$PreviousLocation\Uninstall.exe"
    RMDir "$PreviousLocation"
  ${EndIf}

  WriteRegStr HKLM "${UNINST_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayVersion" "${PRODUCT_VERSION}"
  WriteRegStr HKLM "${UNINST_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayIcon" "$INSTDIR\Tastenfang.exe,0"
  WriteRegStr HKLM "${UNINST_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegStr HKLM "${UNINST_KEY}" "URLInfoAbout" "${PUBLISHER_URL}"
  WriteRegDWORD HKLM "${UNINST_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINST_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $2 $3
  WriteRegDWORD HKLM "${UNINST_KEY}" "EstimatedSize" $0

  ClearErrors
  CreateShortCut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\Tastenfang.exe" "" \
    "$INSTDIR\Tastenfang.exe" 0 SW_SHOWNORMAL "" "${PRODUCT} - Tippfehlersuche bei eBay"
  ${If} ${Errors}
    DetailPrint "Der Eintrag im Startmenü konnte nicht angelegt werden."
  ${EndIf}
SectionEnd

; ---- uninstaller

Function un.onInit
  !ifdef X64
    SetRegView 64
  !endif
  Call un.CheckNotRunning
FunctionEnd

; The settings file lives in the user's application-data folder (or where
; a Pfad.ini of the user says) and stays; so does anything else the user
; put into the program's folder.
Section "Uninstall"
  SetShellVarContext all
  ClearErrors
  Delete "$INSTDIR\Tastenfang.exe"
  ${If} ${Errors}
  ${OrIf} ${FileExists} "$INSTDIR\Tastenfang.exe"
    MessageBox MB_OK|MB_ICONSTOP \
      "„$INSTDIR\Tastenfang.exe“ kann nicht entfernt werden (fehlende Rechte, oder die Datei ist geöffnet).$\r$\n$\r$\nDie Deinstallation wurde abgebrochen." \
      /SD IDOK
    SetErrorLevel 2
    Abort
  ${EndIf}
  Delete "$INSTDIR\Tastenfang.CHM"
  Delete "$INSTDIR\Tastenfang.wortliste"
  Delete "$INSTDIR\Tastenfang.wortliste.txt"
  ; What an interrupted or overtaken setup may have left beside them.
  !insertmacro FOR_EACH_FILE DROP_OLD
  !insertmacro FOR_EACH_FILE DISCARD_STAGED
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  DeleteRegKey HKLM "${UNINST_KEY}"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
SectionEnd
