; The Windows installer: the program, scindarex-cli, the guide, a Start menu entry, the .pck
; file type opening in the program, and an uninstaller that takes all of it away again.
; Built by cmake/WindowsInstaller.cmake, which defines VERSION, BIN, GUIDE, ICON and OUTFILE.

Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include "MUI2.nsh"

!define APP "Scindarex"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${APP}"
!define PCK_CLASS "Scindarex.Package"

Name "${APP} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${APP}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "French"

Section "Install"
    SetShellVarContext all
    SetOutPath "$INSTDIR"
    File "${BIN}\scindarex.exe"
    File "${BIN}\scindarex-cli.exe"
    SetOutPath "$INSTDIR\help"
    File "${GUIDE}"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    ; CreateShortcut gives the shortcut the output folder as its working folder: the program's,
    ; not the guide's.
    SetOutPath "$INSTDIR"
    CreateShortcut "$SMPROGRAMS\${APP}.lnk" "$INSTDIR\scindarex.exe"

    ; A .pck archive opens in the program with the archive selected, as "scindarex l FILE".
    WriteRegStr HKLM "Software\Classes\.pck" "" "${PCK_CLASS}"
    WriteRegStr HKLM "Software\Classes\${PCK_CLASS}" "" "Archive Scindarex"
    WriteRegStr HKLM "Software\Classes\${PCK_CLASS}\DefaultIcon" "" "$INSTDIR\scindarex.exe,0"
    WriteRegStr HKLM "Software\Classes\${PCK_CLASS}\shell\open\command" "" \
        '"$INSTDIR\scindarex.exe" l "%1"'

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${APP}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${APP}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\scindarex.exe,0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
    SetShellVarContext all
    Delete "$SMPROGRAMS\${APP}.lnk"
    Delete "$INSTDIR\scindarex.exe"
    Delete "$INSTDIR\scindarex-cli.exe"
    Delete "$INSTDIR\help\guide.html"
    RMDir "$INSTDIR\help"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"

    ; The file type only while it is still ours.
    ReadRegStr $0 HKLM "Software\Classes\.pck" ""
    StrCmp $0 "${PCK_CLASS}" 0 +2
        DeleteRegKey HKLM "Software\Classes\.pck"
    DeleteRegKey HKLM "Software\Classes\${PCK_CLASS}"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
