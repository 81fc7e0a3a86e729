; The Windows installer of Tolvane: the program folder (the program, its DLLs, Kindler.exe, the
; command line and Parameter\), a Start-menu entry and an uninstaller registered with Windows; the
; training printer as a component that is not ticked by default. scripts/package builds it with
;   makensis -DVERSION=<version> -DSTAGE=<folder> -DICON=<Tolvane.ico> -DOUTFILE=<setup.exe> Tolvane.nsi
; where STAGE holds the file lists of the components program and training (WriteFileLists.cmake).
;
; The installation is the user's own (no administrator rights, $LOCALAPPDATA\Programs\Tolvane by
; default): the program keeps its settings in TOLVANE.INI beside itself and must be able to write
; there. The installer ships no TOLVANE.INI, so one already there is never overwritten; the
; uninstaller deletes exactly the files it installed, so TOLVANE.INI and the .eep files the
; technician saved stay, and with them the folder.
;
; Silent mode for workshops that deploy many PCs: Tolvane-<version>-setup.exe /S [/TRAINING] [/D=folder]
; (/TRAINING adds the training printer; /D= comes last). Uninstall.exe /S removes it silently.

; A 64-bit installer for the 64-bit program: Windows x64 runs it as it is, and Wine without its
; 32-bit half as well.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!define PRODUCT "Tolvane"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tolvane"
!define MENU_FOLDER "$SMPROGRAMS\Tolvane"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Tolvane"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} ${VERSION} setup"
VIAddVersionKey /LANG=1033 "LegalCopyright" ""

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "Sections.nsh"
!include "FileFunc.nsh"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Section "Tolvane" SectionProgram
  SectionIn RO
  !include "${STAGE}/program-files.nsh"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  CreateDirectory "${MENU_FOLDER}"
  CreateShortcut "${MENU_FOLDER}\Tolvane.lnk" "$INSTDIR\Tolvane.exe"
  CreateShortcut "${MENU_FOLDER}\Uninstall Tolvane.lnk" "$INSTDIR\Uninstall.exe"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Tolvane.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section /o "Training printer" SectionTraining
  !include "${STAGE}/training-files.nsh"
  CreateDirectory "${MENU_FOLDER}"
  CreateShortcut "${MENU_FOLDER}\Tolvane with the training printers.lnk" "$INSTDIR\TrainingPrinter.cmd" \
    "" "$INSTDIR\Tolvane.exe" 0 SW_SHOWMINIMIZED
SectionEnd

LangString DESC_SectionProgram ${LANG_ENGLISH} "The program, its libraries, Kindler and the model profiles."
LangString DESC_SectionTraining ${LANG_ENGLISH} "Two virtual printers (VK-572D at USB1, VK-2240II \
  at LPT2) and a Start-menu entry that runs Tolvane on them, for rehearsal without a printer."
!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SectionProgram} $(DESC_SectionProgram)
  !insertmacro MUI_DESCRIPTION_TEXT ${SectionTraining} $(DESC_SectionTraining)
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Function .onInit
  ; /TRAINING ticks the training printer, for silent installs above all.
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/TRAINING" $1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${SectionTraining}
  ${EndIf}
FunctionEnd

Section "Uninstall"
  !include "${STAGE}/training-remove.nsh"
  !include "${STAGE}/program-remove.nsh"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"

  Delete "${MENU_FOLDER}\Tolvane.lnk"
  Delete "${MENU_FOLDER}\Uninstall Tolvane.lnk"
  Delete "${MENU_FOLDER}\Tolvane with the training printers.lnk"
  RMDir "${MENU_FOLDER}"

  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
