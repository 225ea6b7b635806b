; The installer of Tessaly 2, built by scripts/package.sh with makensis from
; the shipped 32-bit build. It is also what the update check downloads as
; "update.exe" and starts: it then installs over the running copy's folder,
; once that copy has ended.
;
; makensis -DVERSION=2.01 -DSTAGE=<folder with tessaly.exe and help\> -DOUTFILE=<file>

Unicode true
SetCompressor /SOLID lzma

!define PRODUCT "Tessaly 2"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
; Program Files (the 32-bit one on 64-bit Windows), or where it was installed before.
InstallDir "$PROGRAMFILES\Tessaly"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
; Program Files and the machine-wide Start menu need an administrator.
RequestExecutionLevel admin
Icon "${STAGE}\tessaly.ico"
UninstallIcon "${STAGE}\tessaly.ico"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "Corvane"
VIAddVersionKey "LegalCopyright" "Corvane"
VIAddVersionKey "FileDescription" "${PRODUCT} installer"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

; A running Tessaly holds tessaly.exe open. Started by the update check, the
; installer finds the program still ending: it waits a few seconds for it.
Function WaitForTessaly
  StrCpy $1 0
  loop:
    FindWindow $0 "TfrmMain" " ${PRODUCT}"
    StrCmp $0 0 done
    IntOp $1 $1 + 1
    IntCmp $1 20 ask
    Sleep 500
    Goto loop
  ask:
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Please end ${PRODUCT} (File > Exit) to install the new version." IDRETRY retry
    Abort
  retry:
    StrCpy $1 0
    Goto loop
  done:
FunctionEnd

Section "Tessaly"
  Call WaitForTessaly
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File "${STAGE}\tessaly.exe"
  File /r "${STAGE}\help"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateDirectory "$SMPROGRAMS\${PRODUCT}"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk" "$INSTDIR\tessaly.exe" "" "$INSTDIR\tessaly.exe" 0
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\Uninstall ${PRODUCT}.lnk" "$INSTDIR\uninstall.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Corvane"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\tessaly.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; The program's files and what it wrote beside itself go; the bookmark file
; (cvbmarks.htm) and the settings in the registry stay for a later install.
Section "Uninstall"
  Call un.WaitForTessaly
  SetShellVarContext all
  Delete "$INSTDIR\tessaly.exe"
  Delete "$INSTDIR\update.exe"
  Delete "$INSTDIR\flcapture.bmp"
  RMDir /r "$INSTDIR\help"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk"
  Delete "$SMPROGRAMS\${PRODUCT}\Uninstall ${PRODUCT}.lnk"
  RMDir "$SMPROGRAMS\${PRODUCT}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd

Function un.WaitForTessaly
  StrCpy $1 0
  loop:
    FindWindow $0 "TfrmMain" " ${PRODUCT}"
    StrCmp $0 0 done
    IntOp $1 $1 + 1
    IntCmp $1 20 ask
    Sleep 500
    Goto loop
  ask:
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Please end ${PRODUCT} (File > Exit) to remove it." IDRETRY retry
    Abort
  retry:
    StrCpy $1 0
    Goto loop
  done:
FunctionEnd
