; Comet Courier's setup, made with NSIS (makensis) at build time, as the game's own vendor would have made it.
;   makensis -DGAME=<the game program> -DSOURCE=<this folder>/courier -DOUTFILE=<setup.exe> courier.nsi
; It installs into Program Files\Nebula Post\Comet Courier (or the folder given by /D=), writes the Uninstall
; key and an application key, makes Start-menu and desktop shortcuts for all users and writes its uninstaller.
;
; /S installs (and, given to the uninstaller, removes) without asking, as in every NSIS setup. The sample
; programs' switch variable NORVA_SAMPLE_ARGS is honoured too: when it holds /S, the setup and the uninstaller
; run silently. A program that the menu starts gets only the command line of the catalog (the uninstaller
; only the Uninstall key's UninstallString), so tests pass the switch through the environment, which the
; uninstaller's copy of itself in the temp folder inherits as well. /pause=MS there makes the uninstaller
; take that long, as a person would.
Unicode true
!include FileFunc.nsh

!define VENDOR "Nebula Post"
!define TITLE "Comet Courier"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\CometCourier"
!define APP_KEY "Software\${VENDOR}\${TITLE}"

Name "${TITLE}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\${VENDOR}\${TITLE}"
RequestExecutionLevel admin
ShowInstDetails show
ShowUninstDetails show

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

!macro SilentFromEnvironment prefix
  ReadEnvStr $0 NORVA_SAMPLE_ARGS
  ClearErrors
  ${${prefix}GetOptions} " $0" " /S" $1
  IfErrors +2
  SetSilent silent
!macroend

Function .onInit
  !insertmacro SilentFromEnvironment ""
FunctionEnd

Function un.onInit
  !insertmacro SilentFromEnvironment "un."
FunctionEnd

Section "${TITLE}"
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File "/oname=courier.exe" "${GAME}"
  File "${SOURCE}\readme.txt"
  WriteUninstaller "$INSTDIR\uninst.exe"

  WriteRegStr HKLM "${APP_KEY}" "Path" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${TITLE}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${VENDOR}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninst.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\courier.exe"

  ; The shortcuts start in the installed folder (the output path).
  CreateDirectory "$SMPROGRAMS\${TITLE}"
  CreateShortcut "$SMPROGRAMS\${TITLE}\${TITLE}.lnk" "$INSTDIR\courier.exe"
  CreateShortcut "$SMPROGRAMS\${TITLE}\Uninstall ${TITLE}.lnk" "$INSTDIR\uninst.exe"
  CreateShortcut "$DESKTOP\${TITLE}.lnk" "$INSTDIR\courier.exe"
SectionEnd

Section "Uninstall"
  ; A person reads the uninstaller's page for a while before it goes on; tests ask for that time with
  ; /pause=MS in NORVA_SAMPLE_ARGS (the copy in the temp folder is what waits).
  ReadEnvStr $0 NORVA_SAMPLE_ARGS
  ClearErrors
  ${un.GetOptions} " $0" " /pause=" $1
  IfErrors +2
  Sleep $1
  SetShellVarContext all
  Delete "$DESKTOP\${TITLE}.lnk"
  Delete "$SMPROGRAMS\${TITLE}\${TITLE}.lnk"
  Delete "$SMPROGRAMS\${TITLE}\Uninstall ${TITLE}.lnk"
  RMDir "$SMPROGRAMS\${TITLE}"

  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  DeleteRegKey HKLM "${APP_KEY}"
  DeleteRegKey /ifempty HKLM "Software\${VENDOR}"

  Delete "$INSTDIR\courier.exe"
  Delete "$INSTDIR\readme.txt"
  Delete "$INSTDIR\uninst.exe"
  RMDir "$INSTDIR"
  RMDir "$PROGRAMFILES\${VENDOR}"
SectionEnd
