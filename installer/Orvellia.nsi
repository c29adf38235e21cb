; Orvellia's setup program: installs the screen saver for the current user, without administrator
; rights, makes it the user's screen saver at once, and registers an uninstaller under Apps.
;
; Built by tools/release.sh:
;   makensis -INPUTCHARSET UTF8 -DVERSION=1.0.0 -DDIST=<folder holding Orvellia.scr and
;            Orvellia.dll> -DOUTFILE=<path of the setup program> installer/Orvellia.nsi
;
; Command line of the built program, as for any setup program of this kind:
;   /S           silent: no pages; exit code 2 when the folder cannot be used or a program
;                cannot be replaced
;   /D=<folder>  the install folder (last on the line, unquoted, blanks allowed)
; The uninstaller takes /S too.

!ifndef VERSION
  !error "define VERSION, DIST and OUTFILE (see tools/release.sh)"
!endif
!ifndef DIST
  !error "define VERSION, DIST and OUTFILE (see tools/release.sh)"
!endif
!ifndef OUTFILE
  !error "define VERSION, DIST and OUTFILE (see tools/release.sh)"
!endif

; Only 64-bit installers run on the 64-bit systems (and in the 64-bit Wine) Orvellia is built for.
Target amd64-unicode
SetCompressor /SOLID lzma
; No file times in the program: two builds from one commit give the same bytes.
SetDateSave off
RequestExecutionLevel user
ManifestDPIAware true
; A program that cannot be replaced (held open, say by the preview in Windows' screen-saver
; settings) offers Retry or Cancel, never skipping it: an old host beside a new renderer is no
; install. A silent install ends with an error instead.
AllowSkipFiles off

!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Orvellia"
!define DESKTOP_KEY "Control Panel\Desktop"
!define SPI_SETSCREENSAVEACTIVE 17
!define SPIF_UPDATE_AND_SEND 3 ; SPIF_UPDATEINIFILE | SPIF_SENDCHANGE
!define PUBLISHER "Orvellia"

Name "Orvellia"
OutFile "${OUTFILE}"
BrandingText "Orvellia ${VERSION}"
; The folder of an earlier install (its Uninstall entry) comes before the default; /D= before both.
InstallDir "$LOCALAPPDATA\Programs\Orvellia"
InstallDirRegKey HKCU "${UNINST_KEY}" "InstallLocation"

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include WinMessages.nsh

!define MUI_ICON "..\resources\host\orvellia.ico"
!define MUI_UNICON "..\resources\host\orvellia.ico"
!define MUI_WELCOMEFINISHPAGE_BITMAP "..\resources\installer\wizard.bmp"
!define MUI_ABORTWARNING

!define MUI_WELCOMEPAGE_TEXT "$(WelcomeText)"
!insertmacro MUI_PAGE_WELCOME
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE DirectoryLeave
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_TEXT "$(FinishText)"
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "$(OpenSettingsText)"
!define MUI_FINISHPAGE_RUN_FUNCTION OpenScreenSaverSettings
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The pages follow the system's UI language; a system in neither language gets the first, English.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Japanese"

LangString WelcomeText ${LANG_ENGLISH} "Setup will install Orvellia ${VERSION}, a 3-D clock screen saver, for you alone (no administrator rights are needed), and make it your screen saver.$\r$\n$\r$\nClick Next to continue."
LangString WelcomeText ${LANG_JAPANESE} "3D 時計のスクリーン セーバー Orvellia ${VERSION} を、このユーザー用にインストールし (管理者の権限は要りません)、スクリーン セーバーとして設定します。$\r$\n$\r$\n続けるには [次へ] をクリックしてください。"
LangString FinishText ${LANG_ENGLISH} "Orvellia is now your screen saver. Choose the music in the screen saver settings (Settings).$\r$\n$\r$\nTo remove Orvellia, uninstall it in Windows' Apps list."
LangString FinishText ${LANG_JAPANESE} "Orvellia がスクリーン セーバーとして設定されました。音楽はスクリーン セーバーの設定 ([設定]) で選べます。$\r$\n$\r$\nOrvellia を削除するには、Windows の [アプリ] の一覧からアンインストールしてください。"
LangString OpenSettingsText ${LANG_ENGLISH} "Open Windows' screen saver settings"
LangString OpenSettingsText ${LANG_JAPANESE} "Windows のスクリーン セーバーの設定を開く"
; $R0: the refused folder, $R1: the proposed one.
LangString BadFolderText ${LANG_ENGLISH} "Orvellia cannot be installed in this folder:$\r$\n$\r$\n$R0$\r$\n$\r$\nIts name has characters that this system's code page cannot spell, and Orvellia reads its files through that code page.$\r$\n$\r$\nSetup proposes this folder instead:$\r$\n$\r$\n$R1"
LangString BadFolderText ${LANG_JAPANESE} "このフォルダーには Orvellia をインストールできません:$\r$\n$\r$\n$R0$\r$\n$\r$\nフォルダー名に、このシステムの文字コード (コード ページ) で表せない文字が含まれています。Orvellia はこの文字コードでファイルを読み書きします。$\r$\n$\r$\n代わりに次のフォルダーを提案します:$\r$\n$\r$\n$R1"
LangString WaitingText ${LANG_ENGLISH} "Orvellia's screen saver or its settings are running. Setup waits until they end..."
LangString WaitingText ${LANG_JAPANESE} "Orvellia のスクリーン セーバーか設定画面が動いています。終了するまで待っています..."

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "Orvellia"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "Orvellia ${VERSION} Setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "${PUBLISHER}"

; SpellsInAnsi: $1 = 1 when the system's ANSI code page spells the path in $0 exactly, else 0.
; NOTE: the programs get their own path and pass every file name through ANSI functions, so a
; folder with a character outside the code page would reach them with "?" in its name. The path
; is converted to the code page and back ("m" is an ANSI buffer, read back through the code page);
; a character the code page lacks does not come back.
!macro SPELLS_IN_ANSI UN
Function ${UN}SpellsInAnsi
  System::Call 'kernel32::WideCharToMultiByte(i 0, i 0, w r0, i -1, m .r2, i ${NSIS_MAX_STRLEN}, p 0, p 0) i .r3'
  ${If} $3 <> 0
  ${AndIf} $2 S== $0
    StrCpy $1 1
  ${Else}
    StrCpy $1 0
  ${EndIf}
FunctionEnd
!macroend
!insertmacro SPELLS_IN_ANSI ""

; WaitForOrvellia: returns when none of Orvellia's windows is open: the renderer's full-screen
; window, the running saver and the settings dialog (the titles by which the programs find each
; other). Files of a running program cannot be replaced or removed.
!macro WAIT_FOR_ORVELLIA UN
Function ${UN}WaitForOrvellia
  StrCpy $R9 0 ; whether the user has been told
  ${Do}
    FindWindow $0 "" "Lumenfall_VC"
    ${If} $0 = 0
      FindWindow $0 "" "Lumenfall_Main"
    ${EndIf}
    ${If} $0 = 0
      FindWindow $0 "" "<Orvellia>"
    ${EndIf}
    ${IfThen} $0 = 0 ${|} ${ExitDo} ${|}
    ${If} $R9 = 0
      DetailPrint "$(WaitingText)"
      StrCpy $R9 1
    ${EndIf}
    Sleep 250
  ${Loop}
FunctionEnd
!macroend
!insertmacro WAIT_FOR_ORVELLIA ""
!insertmacro WAIT_FOR_ORVELLIA "un."

; ProposeFolder: $R1 = a folder the code page spells: the default one, or when the user's own
; folder name is outside the code page, Orvellia on the system drive (a standard user may create
; folders there).
Function ProposeFolder
  StrCpy $0 "$LOCALAPPDATA\Programs\Orvellia"
  Call SpellsInAnsi
  ${If} $1 = 1
    StrCpy $R1 $0
  ${Else}
    StrCpy $R1 $WINDIR 2
    StrCpy $R1 "$R1\Orvellia"
  ${EndIf}
FunctionEnd

Function .onInit
  ; A silent install has no page to propose a folder on: it ends with exit code 2 and installs
  ; nothing.
  ${If} ${Silent}
    StrCpy $0 $INSTDIR
    Call SpellsInAnsi
    ${If} $1 = 0
      SetErrorLevel 2
      Quit
    ${EndIf}
  ${EndIf}
FunctionEnd

; Leaving the folder page: a folder the code page cannot spell is refused with a message, and the
; proposed folder is put into the page's folder field.
Function DirectoryLeave
  StrCpy $0 $INSTDIR
  Call SpellsInAnsi
  ${If} $1 = 0
    StrCpy $R0 $INSTDIR
    Call ProposeFolder
    MessageBox MB_OK|MB_ICONEXCLAMATION "$(BadFolderText)"
    FindWindow $2 "#32770" "" $HWNDPARENT
    GetDlgItem $2 $2 1019 ; the folder field of the directory page
    SendMessage $2 ${WM_SETTEXT} 0 "STR:$R1"
    Abort
  ${EndIf}
FunctionEnd

Function OpenScreenSaverSettings
  Exec '"$SYSDIR\control.exe" desk.cpl,,@screensaver'
FunctionEnd

Section "Orvellia"
  Call WaitForOrvellia
  ; Over an earlier install only the programs are replaced: Orvellia.ini, the user's settings,
  ; stays as it is.
  SetOutPath "$INSTDIR"
  File "${DIST}/Orvellia.scr"
  File "${DIST}/Orvellia.dll"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; The user's screen saver from now on, as Windows' own Install command makes it: the short
  ; (8.3) path where the volume has short names, and the saver switched on at once.
  GetFullPathName /SHORT $0 "$INSTDIR\Orvellia.scr"
  ${If} $0 == ""
    StrCpy $0 "$INSTDIR\Orvellia.scr"
  ${EndIf}
  WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" $0
  System::Call 'user32::SystemParametersInfoW(i ${SPI_SETSCREENSAVEACTIVE}, i 1, p 0, i ${SPIF_UPDATE_AND_SEND}) i .r1'

  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegStr HKCU "${UNINST_KEY}" "DisplayName" "Orvellia"
  WriteRegStr HKCU "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINST_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINST_KEY}" "DisplayIcon" "$INSTDIR\Orvellia.scr"
  WriteRegStr HKCU "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINST_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINST_KEY}" "EstimatedSize" $0
  WriteRegDWORD HKCU "${UNINST_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINST_KEY}" "NoRepair" 1
SectionEnd

; un.LongPath: $1 = the long form of the path in $0, or $0 itself when it names no file.
Function un.LongPath
  System::Call 'kernel32::GetLongPathNameW(w r0, w .r1, i ${NSIS_MAX_STRLEN}) i .r2'
  ${IfThen} $2 = 0 ${|} StrCpy $1 $0 ${|}
FunctionEnd

Section "Uninstall"
  Call un.WaitForOrvellia

  ; Switch the saver off as Windows does for "(None)", but only when the user's saver is this
  ; Orvellia.scr: compared without regard to case, in its short or long form.
  ReadRegStr $R0 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  ${If} $R0 != ""
    StrCpy $0 "$INSTDIR\Orvellia.scr"
    Call un.LongPath
    StrCpy $R1 $1          ; this saver, long
    GetFullPathName /SHORT $R2 $0 ; this saver, short (empty if it is gone)
    StrCpy $0 $R0
    Call un.LongPath       ; the chosen saver, long
    ${If} $1 == $R1
    ${OrIf} $R0 == $R1
    ${OrIf} $R0 == $R2
      DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
      System::Call 'user32::SystemParametersInfoW(i ${SPI_SETSCREENSAVEACTIVE}, i 0, p 0, i ${SPIF_UPDATE_AND_SEND}) i .r1'
    ${EndIf}
  ${EndIf}

  Delete "$INSTDIR\Orvellia.scr"
  Delete "$INSTDIR\Orvellia.dll"
  Delete "$INSTDIR\Orvellia.ini"
  Delete "$INSTDIR\uninstall.exe"
  ; Only when empty: files the user put there stay, and so does their folder.
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINST_KEY}"
SectionEnd
