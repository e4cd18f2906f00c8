; The per-user installer of Quellix: no administrator rights, installs into the user's own
; programs folder, so the program folder (block list, burn log) is the user's to write.
;
; Built by the Windows build (target quellix_setup) and scripts/package.sh:
;   makensis -DVERSION=1.00 -DVERSION_QUAD=1.0.0.0 -DAPPDIR=<folder with quellix.exe,
;            Quellix.chm, wav\7.wav, popcfg.apo> -DRESDIR=<res> -DOUTFILE=<setup.exe> quellix.nsi
;
; Command line: /S silent; /AUTOSTART=1 chooses "Start Quellix with Windows" (silent or not),
; /AUTOSTART=0 unchooses it where an earlier install chose it; /D=<folder> installs elsewhere.
; A copy of Quellix that setup ended to replace its files is started again when a silent
; setup is done (an interactive one offers "Start Quellix now"). The uninstaller takes /S
; and /REMOVEDATA=1 (also removes the block list, the burn log and the user's settings).

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include Sections.nsh
!include WinMessages.nsh

!define PRODUCT "Quellix"
!define PUBLISHER "Kelvane"
!define WEBSITE "https://www.kelvane.example/"
!define EXE "quellix.exe"
!define UNINSTALLER "uninstall.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quellix"
; The auto-start entry as the options page writes it: under both Run keys, the quoted path.
!define RUN_KEY_NT "Software\Microsoft\Windows NT\CurrentVersion\Run"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define RUN_VALUE "Kelvane Quellix"
; The user's own settings; "4" mirrors the options page's "Auto Start With Windows".
!define SETTINGS_KEY "Software\Kelvane\popup\option"
; A running copy: its main window (class and title) and its single-instance mutex.
!define MAIN_CLASS "QuellixForm"
!define MAIN_TITLE "Quellix"
!define INSTANCE_MUTEX "Kelvane.Quellix.SingleInstance"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Quellix"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PUBLISHER} ${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION_QUAD}"
VIFileVersion "${VERSION_QUAD}"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} ${VERSION} setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (C) ${PUBLISHER}"

!define MUI_ICON "${RESDIR}\icons\app.ico"
!define MUI_UNICON "${RESDIR}\icons\app.ico"
!define MUI_ABORTWARNING
; The product's own pictures, drawn by res/make_installer_pictures.py.
!define MUI_WELCOMEFINISHPAGE_BITMAP "${RESDIR}\installer\welcome.bmp"
!define MUI_HEADERIMAGE
!define MUI_HEADERIMAGE_RIGHT
!define MUI_HEADERIMAGE_BITMAP "${RESDIR}\installer\header.bmp"
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_WELCOMEPAGE_TEXT "This will install ${PRODUCT} ${VERSION} for you alone; no administrator rights are needed.$\r$\n$\r$\n${PRODUCT} sits in the notification area and closes unwanted pop-up browser windows by their title.$\r$\n$\r$\nIf ${PRODUCT} is running, setup ends it first. Your block list and burn log are kept."
!define MUI_FINISHPAGE_RUN "$INSTDIR\${EXE}"
!define MUI_FINISHPAGE_RUN_TEXT "Start ${PRODUCT} now"
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\Quellix.chm"
!define MUI_FINISHPAGE_SHOWREADME_TEXT "Show the help"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; 1 when StopRunningCopy ended a running copy.
Var EndedRunningCopy

; Ends a running copy: WM_CLOSE to its main window ends the program, which removes its
; tray icon; then waits until its single-instance mutex is gone, so its files are free.
!macro STOP_RUNNING_COPY un
Function ${un}StopRunningCopy
  Push $0
  Push $1
  Push $2
  StrCpy $1 0
  StrCpy $2 0
  ${Do}
    FindWindow $0 "${MAIN_CLASS}" "${MAIN_TITLE}"
    ${If} $0 <> 0
      StrCpy $2 1
      SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=2000
    ${EndIf}
    ; SYNCHRONIZE access is enough to see whether the mutex still exists.
    System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${INSTANCE_MUTEX}") p .r0'
    ${If} $0 P= 0
      StrCpy $EndedRunningCopy $2
      ${Break}
    ${EndIf}
    System::Call 'kernel32::CloseHandle(p r0)'
    StrCpy $2 1
    IntOp $1 $1 + 1
    ${If} $1 > 100
      DetailPrint "${PRODUCT} is still running; files in use are left as they are."
      ${Break}
    ${EndIf}
    Sleep 100
  ${Loop}
  Pop $2
  Pop $1
  Pop $0
FunctionEnd
!macroend
!insertmacro STOP_RUNNING_COPY ""
!insertmacro STOP_RUNNING_COPY "un."

Section "${PRODUCT}" SecProgram
  SectionIn RO
  Call StopRunningCopy
  SetOutPath "$INSTDIR"
  File "${APPDIR}\${EXE}"
  File "${APPDIR}\Quellix.chm"
  ; The user's block list is theirs: the default list goes in only where there is none.
  SetOverwrite off
  File "${APPDIR}\popcfg.apo"
  SetOverwrite on
  SetOutPath "$INSTDIR\wav"
  File "${APPDIR}\wav\7.wav"
  SetOutPath "$INSTDIR"

  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\${EXE}" "" "$INSTDIR\${EXE}" 0 \
                 SW_SHOWNORMAL "" "Close unwanted pop-up browser windows"

  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${EXE},0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "URLInfoAbout" "${WEBSITE}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "HelpLink" "${WEBSITE}"
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section /o "Start ${PRODUCT} with Windows" SecAutoStart
  WriteRegStr HKCU "${RUN_KEY_NT}" "${RUN_VALUE}" '"$INSTDIR\${EXE}"'
  WriteRegStr HKCU "${RUN_KEY}" "${RUN_VALUE}" '"$INSTDIR\${EXE}"'
  WriteRegStr HKCU "${SETTINGS_KEY}" "4" "1"
SectionEnd

; Start-up not chosen: an earlier choice goes, both Run values and the options page's box,
; which would otherwise write the Run values again when the page is next shown.
Section "-AutoStartNotChosen"
  ${IfNot} ${SectionIsSelected} ${SecAutoStart}
    DeleteRegValue HKCU "${RUN_KEY_NT}" "${RUN_VALUE}"
    DeleteRegValue HKCU "${RUN_KEY}" "${RUN_VALUE}"
    ; The box reads the per-user value first, then the machine-wide one.
    ReadRegStr $0 HKCU "${SETTINGS_KEY}" "4"
    ${If} $0 == ""
      ReadRegStr $0 HKLM "${SETTINGS_KEY}" "4"
    ${EndIf}
    ${If} $0 != ""
    ${AndIf} $0 != "0"
      WriteRegStr HKCU "${SETTINGS_KEY}" "4" "0"
    ${EndIf}
  ${EndIf}
SectionEnd

; A silent setup has no finish page: the copy it ended runs again.
Function .onInstSuccess
  ${If} ${Silent}
  ${AndIf} $EndedRunningCopy == 1
    Exec '"$INSTDIR\${EXE}"'
  ${EndIf}
FunctionEnd

Function .onInit
  StrCpy $EndedRunningCopy 0
  ; An earlier choice to start with Windows stays chosen unless /AUTOSTART=0 says otherwise;
  ; /AUTOSTART=1 chooses it.
  ReadRegStr $0 HKCU "${RUN_KEY}" "${RUN_VALUE}"
  ${GetParameters} $1
  ClearErrors
  ${GetOptions} $1 "/AUTOSTART=" $2
  ${If} $2 == "1"
  ${OrIf} $0 != ""
  ${AndIf} $2 != "0"
    !insertmacro SelectSection ${SecAutoStart}
  ${EndIf}
FunctionEnd

Section "un.${PRODUCT}" UnSecProgram
  SectionIn RO
  Call un.StopRunningCopy
  Delete "$INSTDIR\${EXE}"
  Delete "$INSTDIR\Quellix.chm"
  Delete "$INSTDIR\wav\7.wav"
  RMDir "$INSTDIR\wav"
  Delete "$INSTDIR\${UNINSTALLER}"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  DeleteRegValue HKCU "${RUN_KEY_NT}" "${RUN_VALUE}"
  DeleteRegValue HKCU "${RUN_KEY}" "${RUN_VALUE}"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ; The folder goes only when nothing of the user's is left in it.
  RMDir "$INSTDIR"
SectionEnd

Section /o "un.My block list, burn log and settings" UnSecData
  Delete "$INSTDIR\popcfg.apo"
  Delete "$INSTDIR\popcfg.hits"
  Delete "$INSTDIR\popuplog.txt"
  DeleteRegKey HKCU "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKCU "Software\Kelvane\popup"
  DeleteRegKey /ifempty HKCU "Software\Kelvane"
  RMDir "$INSTDIR"
SectionEnd

Function un.onInit
  ${GetParameters} $1
  ClearErrors
  ${GetOptions} $1 "/REMOVEDATA=" $2
  ${If} $2 == "1"
    !insertmacro SelectSection ${UnSecData}
  ${EndIf}
FunctionEnd
