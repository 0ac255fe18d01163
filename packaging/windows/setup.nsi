; The Windows setup: for the current user only, so no administrator; German; shows the licence.
; tools/package.sh builds it:
;   makensis -INPUTCHARSET UTF8 -DVERSION=1.2.3.4 -DSTAGE=<folder> -DOUTFILE=<.exe>
;     -DPATH_TOOL=<korva-setup-path.exe> -DPUBLISHER=<name> -DHOMEPAGE=<url> [-DICON=<.ico>]
;     [-DLICENCE=<.txt>] [-DSIGN=<command>] setup.nsi
; STAGE holds what the zip holds: both programs, the web page korva-counter.html, LIESMICH.txt
; and LIZENZEN.txt. PATH_TOOL adds the install folder to the user's PATH and takes it out again;
; PUBLISHER and HOMEPAGE come from packaging/publisher.conf. Without ICON the setup has NSIS's
; own icon. LICENCE is the licence page's text, by default STAGE's LIZENZEN.txt; package.sh gives
; it with each paragraph on one line, for the page's box wraps lines itself. SIGN, if defined, is
; run on the uninstaller and on the setup once each is made, to sign them in place.
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
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${NAME}"
!define BROWSER_LINK "$SMPROGRAMS\${NAME} im Browser.lnk"
!define UNINSTALL_PARENT "Software\Microsoft\Windows\CurrentVersion\Uninstall"
!ifndef LICENCE
  !define LICENCE "${STAGE}\LIZENZEN.txt"
!endif
!ifdef SIGN
  !uninstfinalize '"${SIGN}" "%1"'
  !finalize '"${SIGN}" "%1"'
!endif

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
; NSIS's own text speaks of system files, which a setup for one user does not touch.
!define MUI_WELCOMEPAGE_TEXT "Dieser Assistent installiert $(^NameDA) für Ihr Benutzerkonto; \
  Administratorrechte sind nicht nötig.$\r$\n$\r$\nEine installierte Version wird ersetzt. \
  Dazu muss KORVA-Counter geschlossen sein.$\r$\n$\r$\n$_CLICK"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${LICENCE}"
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\korva-counter.exe"
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\LIESMICH.txt"
!define MUI_FINISHPAGE_SHOWREADME_TEXT "LIESMICH anzeigen"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED
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

; Waits until no program of the install runs, asking to close it; gives up with exit status 2 when
; the player cancels, or at once in silent mode. Windows keeps a running program's file from
; being opened for writing: that is the check, and it is why a running program would be the one
; file left behind, after everything else was removed.
!macro DEFINE_WAIT_UNTIL_CLOSED UN ACTION
Function ${UN}WaitUntilClosed
  check:
  ${ForEach} $1 1 2 + 1
    ${If} $1 == 1
      StrCpy $2 "$INSTDIR\korva-counter.exe"
    ${Else}
      StrCpy $2 "$INSTDIR\korva-count.exe"
    ${EndIf}
    ${If} ${FileExists} $2
      ClearErrors
      FileOpen $0 $2 a
      ${If} ${Errors}
        ; The buttons are Windows' own, labelled in its language ("Retry" on an English
        ; Windows), so the text names none of them.
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "KORVA-Counter läuft noch und kann so nicht \
          ${ACTION} werden.$\r$\n$\r$\nBitte KORVA-Counter schließen (auch korva-count in der \
          Eingabeaufforderung) und es dann noch einmal versuchen." /SD IDCANCEL IDRETRY check
        DetailPrint "Abgebrochen: KORVA-Counter läuft noch."
        SetErrorLevel 2
        Quit
      ${EndIf}
      FileClose $0
    ${EndIf}
  ${Next}
FunctionEnd
!macroend
!insertmacro DEFINE_WAIT_UNTIL_CLOSED "" "ersetzt"
!insertmacro DEFINE_WAIT_UNTIL_CLOSED "un." "entfernt"

; korva-setup-path.exe edits the user's PATH, which can be longer than the strings of a setup.
; Leaves its exit status in $0: 0 changed, 3 nothing to change (the folder was there already).
!macro USER_PATH VERB
  InitPluginsDir
  File "/oname=$PLUGINSDIR\korva-setup-path.exe" "${PATH_TOOL}"
  nsExec::Exec '"$PLUGINSDIR\korva-setup-path.exe" ${VERB} "$INSTDIR"'
  Pop $0
  ${If} $0 != 0
  ${AndIf} $0 != 3
    DetailPrint "Der Benutzerpfad (PATH) ließ sich nicht ändern: $0"
  ${EndIf}
!macroend

Section
  Call WaitUntilClosed
  ; An installed version leaves through its own uninstaller first, so that no file it had and
  ; this version lacks stays behind. "_?=" makes it work in place and return when done.
  ${If} ${FileExists} "$INSTDIR\uninstall.exe"
    ExecWait '"$INSTDIR\uninstall.exe" /S _?=$INSTDIR' $0
    ${If} $0 != 0
      DetailPrint "Abgebrochen: die installierte Version ließ sich nicht entfernen ($0)."
      SetErrorLevel 2
      Quit
    ${EndIf}
    Delete "$INSTDIR\uninstall.exe"
  ${EndIf}

  ; The key that holds every program's uninstall key is missing in a fresh profile; the one this
  ; setup makes goes again with its own.
  ClearErrors
  EnumRegKey $R9 HKCU "${UNINSTALL_PARENT}" 0
  ${If} ${Errors}
    StrCpy $R9 made
  ${EndIf}

  SetOutPath "$INSTDIR"
  File "${STAGE}\korva-counter.exe"
  File "${STAGE}\korva-count.exe"
  File "${STAGE}\korva-counter.html"
  File "${STAGE}\LIESMICH.txt"
  File "${STAGE}\LIZENZEN.txt"
  !ifdef EXTRA_FILE
    File "${STAGE}\${EXTRA_FILE}"
  !endif
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortcut "$SMPROGRAMS\${NAME}.lnk" "$INSTDIR\korva-counter.exe"
  CreateShortcut "${BROWSER_LINK}" "$INSTDIR\korva-counter.html"
  ; korva-count is found by name in a console opened from now on. The uninstaller takes the entry
  ; out only where this setup put it in: one the player made stays.
  !insertmacro USER_PATH add
  StrCpy $R8 $0

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${NAME}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\korva-counter.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "HelpLink" "${HOMEPAGE}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "URLInfoAbout" "${HOMEPAGE}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Readme" "$INSTDIR\LIESMICH.txt"
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${If} $R8 == 0
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "AddedToPath" 1
  ${EndIf}
  ${If} $R9 == made
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "MadeUninstallParent" 1
  ${EndIf}
SectionEnd

Section "Uninstall"
  Call un.WaitUntilClosed
  ReadRegDWORD $1 HKCU "${UNINSTALL_KEY}" "AddedToPath"
  ${If} $1 == 1
    !insertmacro USER_PATH remove
  ${EndIf}
  Delete "$INSTDIR\korva-counter.exe"
  Delete "$INSTDIR\korva-count.exe"
  Delete "$INSTDIR\korva-counter.html"
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
  Delete "${BROWSER_LINK}"
  ReadRegDWORD $1 HKCU "${UNINSTALL_KEY}" "MadeUninstallParent"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ${If} $1 == 1
    DeleteRegKey /ifempty HKCU "${UNINSTALL_PARENT}"
  ${EndIf}
SectionEnd
