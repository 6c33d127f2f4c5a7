; The Windows installer of Marbles, built by scripts/windows-check.sh with makensis:
;   makensis -DVERSION=<version> -DSTAGE=<folder with marbles.exe and its content> -DOUTFILE=<setup.exe> marbles.nsi
; Installs under Program Files, adds a Start-menu entry and an uninstaller registered with
; Windows; uninstalling removes the program folder and keeps the player's %APPDATA%\Marbles.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Marbles"

Name "Marbles ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Marbles"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
ShowInstDetails show

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "Marbles"
  SetRegView 64
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File /r "${STAGE}\*.*"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateDirectory "$SMPROGRAMS\Marbles"
  CreateShortcut "$SMPROGRAMS\Marbles\Marbles.lnk" "$INSTDIR\marbles.exe" "" "$INSTDIR\marbles.exe" 0
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Marbles"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Marbles developers"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\marbles.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Removes what the installer put there (and SDL's output files); %APPDATA%\Marbles, the
; player's level list and log, stays.
Section "Uninstall"
  SetRegView 64
  SetShellVarContext all
  Delete "$INSTDIR\marbles.exe"
  Delete "$INSTDIR\autoexec.txt"
  Delete "$INSTDIR\dev.txt"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\stdout.txt"
  Delete "$INSTDIR\stderr.txt"
  RMDir /r "$INSTDIR\data"
  RMDir /r "$INSTDIR\licences"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\Marbles\Marbles.lnk"
  RMDir "$SMPROGRAMS\Marbles"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
