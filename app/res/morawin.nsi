; The Windows installer: both programs and the help into Program Files, a
; Start menu entry, sequence files (*.seq) opening in the desktop program,
; an uninstaller. Built by scripts/package-windows:
;   makensis -DVERSION=1.1 -DSOURCE=<folder with the files> -DOUTFILE=<setup.exe> morawin.nsi
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma

!include "MUI2.nsh"

Name "MoraWin ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\MoraWin"
InstallDirRegKey HKLM "Software\MoraWin" "InstallDir"
RequestExecutionLevel admin
BrandingText "MoraWin ${VERSION}"

!define MUI_ICON "${SOURCE}\morawin.ico"
!define MUI_UNICON "${SOURCE}\morawin.ico"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "German"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\MoraWin"
!define FILE_CLASS "MoraWin.Zuordnungsliste"

Function .onInit
  SetRegView 64
FunctionEnd

Function un.onInit
  SetRegView 64
FunctionEnd

Section "MoraWin"
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File "${SOURCE}\morawin.exe"
  File "${SOURCE}\morawin-cli.exe"
  File "${SOURCE}\README.txt"
  File /nonfatal "${SOURCE}\LICENSE.txt"
  SetOutPath "$INSTDIR\hlp"
  File /r "${SOURCE}\hlp\*.*"
  SetOutPath "$INSTDIR\locale"
  File /r "${SOURCE}\locale\*.*"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  CreateDirectory "$SMPROGRAMS\MoraWin"
  CreateShortcut "$SMPROGRAMS\MoraWin\MoraWin.lnk" "$INSTDIR\morawin.exe"

  ; Sequence files open in the desktop program.
  WriteRegStr HKLM "Software\Classes\.seq" "" "${FILE_CLASS}"
  WriteRegStr HKLM "Software\Classes\${FILE_CLASS}" "" "MoraWin-Zuordnungsliste"
  WriteRegStr HKLM "Software\Classes\${FILE_CLASS}\DefaultIcon" "" "$INSTDIR\morawin.exe,0"
  WriteRegStr HKLM "Software\Classes\${FILE_CLASS}\shell\open\command" "" '"$INSTDIR\morawin.exe" --open "%1"'

  WriteRegStr HKLM "Software\MoraWin" "InstallDir" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "MoraWin"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "MoraWin developers"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\morawin.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd

; The users' settings files (%APPDATA%\MoraWin) stay: they are theirs.
Section "Uninstall"
  SetShellVarContext all
  Delete "$INSTDIR\morawin.exe"
  Delete "$INSTDIR\morawin-cli.exe"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\LICENSE.txt"
  RMDir /r "$INSTDIR\hlp"
  RMDir /r "$INSTDIR\locale"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"

  Delete "$SMPROGRAMS\MoraWin\MoraWin.lnk"
  RMDir "$SMPROGRAMS\MoraWin"

  ; The .seq association only when it is still this program's.
  ReadRegStr $0 HKLM "Software\Classes\.seq" ""
  StrCmp $0 "${FILE_CLASS}" 0 +2
    DeleteRegKey HKLM "Software\Classes\.seq"
  DeleteRegKey HKLM "Software\Classes\${FILE_CLASS}"
  DeleteRegKey HKLM "Software\MoraWin"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd
