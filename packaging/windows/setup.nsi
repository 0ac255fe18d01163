; The Windows setup: for the current user only, so no administrator; German; shows the licence.
; tools/package.sh builds it:
;   makensis -INPUTCHARSET UTF8 -DVERSION=1.2.3.4 -DSTAGE=<folder> -DOUTFILE=<.exe> [-DICON=<.ico>]
;     setup.nsi
; STAGE holds what the zip holds: both programs, LIESMICH.txt and LIZENZEN.txt. Without ICON the
; setup has NSIS's own icon.
; EXTRA_FILE, if defined, names one more file in STAGE to install: the upgrade test's older
; version has a file this one lacks, which must be gone after the upgrade.

; The x86 stub does not run under a wine without 32-bit support; the programs are 64-bit anyway.
Target amd64-unicode
RequestExecutionLevel user
SetCompressor /SOLID lzma
; The same files give the same setup: no file times inside it.
SetDateSave off
ManifestDPIAware true

!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh

!define NAME "KORVA-Counter"
!define PUBLISHER "The KORVA-Counter developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${NAME}"

Name "${NAME} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${NAME}"
; An installed version is replaced where it is.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${NAME} ${VERSION}"

!ifdef ICON
  !define MUI_ICON "${ICON}"
  !define MUI_UNICON "${ICON}"
!endif
!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${STAGE}\LIZENZEN.txt"
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\korva-counter.exe"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "German"

VIProductVersion "${VERSION}"
VIAddVersionKey /LANG=${LANG_GERMAN} "ProductName" "${NAME}"
VIAddVersionKey /LANG=${LANG_GERMAN} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_GERMAN} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_GERMAN} "FileDescription" "${NAME} Setup"
VIAddVersionKey /LANG=${LANG_GERMAN} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_GERMAN} "LegalCopyright" "© 2026 ${PUBLISHER}, MIT-Lizenz"

Section
  ; An installed version leaves through its own uninstaller first, so that no file it had and
  ; this version lacks stays behind. "_?=" makes it work in place and return when done.
  ${If} ${FileExists} "$INSTDIR\uninstall.exe"
    ExecWait '"$INSTDIR\uninstall.exe" /S _?=$INSTDIR'
    Delete "$INSTDIR\uninstall.exe"
  ${EndIf}

  SetOutPath "$INSTDIR"
  File "${STAGE}\korva-counter.exe"
  File "${STAGE}\korva-count.exe"
  File "${STAGE}\LIESMICH.txt"
  File "${STAGE}\LIZENZEN.txt"
  !ifdef EXTRA_FILE
    File "${STAGE}\${EXTRA_FILE}"
  !endif
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortcut "$SMPROGRAMS\${NAME}.lnk" "$INSTDIR\korva-counter.exe"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${NAME}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\korva-counter.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  Delete "$INSTDIR\korva-counter.exe"
  Delete "$INSTDIR\korva-count.exe"
  Delete "$INSTDIR\LIESMICH.txt"
  Delete "$INSTDIR\LIZENZEN.txt"
  !ifdef EXTRA_FILE
    Delete "$INSTDIR\${EXTRA_FILE}"
  !endif
  Delete "$INSTDIR\uninstall.exe"
  ; Only when empty: files of the player's own in the folder stay, and so does the folder.
  RMDir "$INSTDIR"
  ; The folder for per-user programs, if this setup made it and nothing else is in it.
  RMDir "$LOCALAPPDATA\Programs"
  Delete "$SMPROGRAMS\${NAME}.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
