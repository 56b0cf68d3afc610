; Installer of Address Book for Relay FAX: the editor faxbook.exe with the
; resource library and help file of the chosen language, the picker
; faxpick.exe with the libraries and help files of every language built (it
; takes the one of each user's locale), a shared starting address book that
; every user may change, and the registry values both programs read (the
; picker's spooler values only where the fax driver's setup has not written
; its own). Built by
; build-installer.sh from a staged Windows build (stage.sh); it includes
; whatever the build produced.
;
; Command line: /S silent; /LANGUAGE=English or /LANGUAGE=Japanese chooses
; the language (otherwise the user's interface language, or the choice in a
; dialog when not silent); /D=folder the installation folder.
;
; Defines given by the build: STAGE (the staged files), OUTFILE, VERSION (the
; program's own, as its about box shows it: 1.4.0). Optional: SERVICE_NAME, a
; service whose users may start and stop it.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!ifndef STAGE
  !error "STAGE is not defined: build with installer/build-installer.sh"
!endif
!ifndef VERSION
  !error "VERSION is not defined: build with installer/build-installer.sh"
!endif
!define /ifndef OUTFILE "faxbook-setup.exe"

; The product's one name: the editor's window title and about box.
!define PRODUCT "Address Book for Relay FAX"
!define MAKER "Brevant Zelo"
!define BOOK_KEY "SOFTWARE\Brevant Zelo\RelayFax\AddressBook"
; The picker's spooler key (strings 100 and 101 of its libraries). The
; picker started without a command line takes the spooler's path and
; version from there. The fax driver's setup writes them; when it has not,
; the installer writes the picker's own path and the product's version, and
; remembers in the uninstall key the path it wrote, so that it removes only
; its own values and never the driver's, even when the driver's setup ran
; after it.
!define SPOOLER_KEY "SOFTWARE\Brevant Zelo\RelayFAX\Spooler"
!macro RemoveOwnSpoolerValues
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "OwnSpoolerPath"
  ReadRegStr $1 HKLM "${SPOOLER_KEY}" "InstallPath"
  ${If} $0 != ""
  ${AndIf} $0 == $1
    DeleteRegValue HKLM "${SPOOLER_KEY}" "InstallPath"
    DeleteRegValue HKLM "${SPOOLER_KEY}" "Version"
    DeleteRegKey /ifempty HKLM "${SPOOLER_KEY}"
  ${EndIf}
  DeleteRegValue HKLM "${UNINSTALL_KEY}" "OwnSpoolerPath"
!macroend
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\BrevantZeloFaxbook"
; The shared data folder below the all-users documents folder, as the
; setup library's copy names it, and the editor's data folder names.
!define DATA_PARENT "BrevantZelo"
!define DATA_FOLDER "BrevantZelo\FaxbookData"
!define BOOK_HEADER "// This is BrevantZelo Relay Fax AddressBook  Utility Data."

Name "${PRODUCT}"
OutFile "${OUTFILE}"
BrandingText "${PRODUCT} ${VERSION}"
InstallDir "$PROGRAMFILES64\${MAKER}\${PRODUCT}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=0 "CompanyName" "${MAKER}"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=0 "LegalCopyright" "${MAKER}"

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"

; The product's own icon and picture, no stock ones.
!define MUI_ICON "../faxbook/res/faxbook.ico"
!define MUI_UNICON "../faxbook/res/faxbook.ico"
!define MUI_WELCOMEFINISHPAGE_BITMAP "art/wizard.bmp"
!define MUI_UNWELCOMEFINISHPAGE_BITMAP "art/wizard.bmp"
!define MUI_ABORTWARNING
!define MUI_CUSTOMFUNCTION_GUIINIT WidenButtons
!define MUI_CUSTOMFUNCTION_UNGUIINIT un.WidenButtons
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!if /FileExists "${STAGE}/bin/faxbook.exe"
  !define MUI_FINISHPAGE_RUN "$INSTDIR\faxbook.exe"
!endif
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Japanese"

; Files the product may ship; those the build did not produce are left out.
!macro ShipIfBuilt FOLDER NAME
  !if /FileExists "${STAGE}/${FOLDER}/${NAME}"
    File "${STAGE}/${FOLDER}/${NAME}"
  !endif
!macroend

; The editor's library and help of one language: they carry one name in
; every language.
!macro ShipLanguage LANG
  !insertmacro ShipIfBuilt ${LANG} "ledgresLC.dll"
  !insertmacro ShipIfBuilt ${LANG} "FAXBOOK.HLP"
  !insertmacro ShipIfBuilt ${LANG} "FAXBOOK.CNT"
!macroend

; The picker's libraries and help files of every language: their names
; carry the language, and the picker loads the one of the user's locale
; (the English one for any other), with the help file beside it.
!macro ShipPickerLanguages
  !if /FileExists "${STAGE}/bin/faxpick.exe"
    !insertmacro ShipIfBuilt en "pickresENG.dll"
    !insertmacro ShipIfBuilt en "faxpickEN.hlp"
    !insertmacro ShipIfBuilt en "faxpickEN.cnt"
    !insertmacro ShipIfBuilt ja "pickresJPN.dll"
    !insertmacro ShipIfBuilt ja "faxpickJP.hlp"
    !insertmacro ShipIfBuilt ja "faxpickJP.cnt"
  !endif
!macroend

; Removes the language files of any earlier installation, so that a change
; of language leaves no library of the other one behind.
!macro RemoveLanguageFiles
  Delete "$INSTDIR\ledgresLC.dll"
  Delete "$INSTDIR\FAXBOOK.HLP"
  Delete "$INSTDIR\FAXBOOK.CNT"
  Delete "$INSTDIR\FAXBOOK.GID"
  Delete "$INSTDIR\pickresENG.dll"
  Delete "$INSTDIR\faxpickEN.hlp"
  Delete "$INSTDIR\faxpickEN.cnt"
  Delete "$INSTDIR\faxpickEN.GID"
  Delete "$INSTDIR\pickresJPN.dll"
  Delete "$INSTDIR\faxpickJP.hlp"
  Delete "$INSTDIR\faxpickJP.cnt"
  Delete "$INSTDIR\faxpickJP.GID"
!macroend

; Makes the Back (3), Next (1) and Cancel (2) buttons wider, keeping their
; gaps and the right edge of Cancel: "インストール(I)" and "アンインストール(U)"
; need more room than the stock layout gives.
!macro WidenButtons
  System::Call "*(i, i, i, i) p .R7"
  ${For} $R6 0 2
    ${If} $R6 == 0
      GetDlgItem $R5 $HWNDPARENT 2
    ${ElseIf} $R6 == 1
      GetDlgItem $R5 $HWNDPARENT 1
    ${Else}
      GetDlgItem $R5 $HWNDPARENT 3
    ${EndIf}
    System::Call "user32::GetWindowRect(p R5, p R7)"
    System::Call "user32::MapWindowPoints(p 0, p $HWNDPARENT, p R7, i 2)"
    System::Call "*$R7(i .R1, i .R2, i .R3, i .R4)"
    ; 16 pixels wider each; moved left by 16 for each button to its right.
    IntOp $R0 $R6 + 1
    IntOp $R0 $R0 * 16
    IntOp $R3 $R3 - $R1
    IntOp $R3 $R3 + 16
    IntOp $R1 $R1 - $R0
    IntOp $R4 $R4 - $R2
    System::Call "user32::SetWindowPos(p R5, p 0, i R1, i R2, i R3, i R4, i 0x14)"
  ${Next}
  System::Free $R7
!macroend
Function WidenButtons
  !insertmacro WidenButtons
FunctionEnd
Function un.WidenButtons
  !insertmacro WidenButtons
FunctionEnd

; Calls one export of the setup library by name with one ANSI string;
; its result lands in $0.
!macro SetupHelp EXPORT ARGUMENT
  System::Call '$PLUGINSDIR\setuphelp.dll::${EXPORT}(m "${ARGUMENT}") i .r0'
  DetailPrint "${EXPORT}: $0"
!macroend

Function .onInit
  SetShellVarContext all
  SetRegView 64
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/LANGUAGE=" $R1
  ${IfNot} ${Errors}
    ${If} $R1 == "Japanese"
      StrCpy $LANGUAGE ${LANG_JAPANESE}
    ${ElseIf} $R1 == "English"
      StrCpy $LANGUAGE ${LANG_ENGLISH}
    ${Else}
      MessageBox MB_ICONSTOP "Unknown language: $R1 (English or Japanese)" /SD IDOK
      Abort
    ${EndIf}
  ${Else}
    !insertmacro MUI_LANGDLL_DISPLAY
  ${EndIf}
FunctionEnd

Section "Install"
  SetShellVarContext all
  SetRegView 64

  ; The setup library is used by this run only.
  InitPluginsDir
  SetOutPath "$PLUGINSDIR"
  File "${STAGE}/bin/setuphelp.dll"

  SetOutPath "$INSTDIR"
  !insertmacro ShipIfBuilt bin "faxbook.exe"
  !insertmacro ShipIfBuilt bin "faxpick.exe"
  !insertmacro RemoveLanguageFiles
  !insertmacro ShipPickerLanguages
  ${If} $LANGUAGE == ${LANG_JAPANESE}
    !insertmacro ShipLanguage ja
    StrCpy $R2 "Japanese"
  ${Else}
    !insertmacro ShipLanguage en
    StrCpy $R2 "English"
  ${EndIf}
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; The shared data folder: open to every user, and everything created in
  ; it later too. Its starting book is placed once and never replaced, so a
  ; book an administrator or a user put there survives a reinstallation.
  CreateDirectory "$DOCUMENTS\${DATA_FOLDER}"
  !insertmacro SetupHelp bzSetFolderSecurity "$DOCUMENTS\${DATA_PARENT}"
  !insertmacro SetupHelp bzSetFullAccessToDir "$DOCUMENTS\${DATA_FOLDER}"
  FileOpen $1 "$PLUGINSDIR\address.fdt" w
  FileWrite $1 "${BOOK_HEADER}$\r$\n"
  FileClose $1
  System::Call '$PLUGINSDIR\setuphelp.dll::bzMyCopyFile(m "$PLUGINSDIR\address.fdt", m "${DATA_FOLDER}", i 0) i .r0'
  !ifdef SERVICE_NAME
    !insertmacro SetupHelp bzSetSvcControl "${SERVICE_NAME}"
  !endif

  ; What the programs read: the book of older systems (and the book that
  ; seeds a user's first own book) and the editor's language.
  WriteRegStr HKLM "${BOOK_KEY}" "FileName" "$DOCUMENTS\${DATA_FOLDER}\address.fdt"
  WriteRegStr HKLM "${BOOK_KEY}" "Language" "$R2"
  !insertmacro RemoveOwnSpoolerValues
  !if /FileExists "${STAGE}/bin/faxpick.exe"
    ReadRegStr $1 HKLM "${SPOOLER_KEY}" "InstallPath"
    ${If} $1 == ""
      WriteRegStr HKLM "${SPOOLER_KEY}" "InstallPath" "$INSTDIR\faxpick.exe"
      WriteRegStr HKLM "${SPOOLER_KEY}" "Version" "${VERSION}"
      WriteRegStr HKLM "${UNINSTALL_KEY}" "OwnSpoolerPath" "$INSTDIR\faxpick.exe"
    ${EndIf}
  !endif

  !if /FileExists "${STAGE}/bin/faxbook.exe"
    CreateDirectory "$SMPROGRAMS\${PRODUCT}"
    CreateShortCut "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk" "$INSTDIR\faxbook.exe"
  !endif

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  !if /FileExists "${STAGE}/bin/faxbook.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\faxbook.exe,0"
  !endif
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${MAKER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Function un.onInit
  SetShellVarContext all
  SetRegView 64
FunctionEnd

; Removes the programs and the registry values; the shared address book and
; the users' own books are data and stay. The installation folder goes
; last, so that whoever watches for it to go knows the rest is done. (Run as
; "uninstall.exe /S" the uninstaller copies itself away and returns at once;
; "uninstall.exe /S _?=FOLDER" runs in place and returns when it is done,
; leaving itself and the folder to its caller.)
Section "Uninstall"
  SetShellVarContext all
  SetRegView 64
  Delete "$INSTDIR\faxbook.exe"
  Delete "$INSTDIR\faxpick.exe"
  !insertmacro RemoveLanguageFiles
  Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk"
  RMDir "$SMPROGRAMS\${PRODUCT}"

  DeleteRegKey HKLM "${BOOK_KEY}"
  !insertmacro RemoveOwnSpoolerValues
  DeleteRegKey /ifempty HKLM "SOFTWARE\Brevant Zelo\RelayFax"
  DeleteRegKey /ifempty HKLM "SOFTWARE\Brevant Zelo"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"

  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  RMDir "$PROGRAMFILES64\${MAKER}"
SectionEnd
