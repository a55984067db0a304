; KorvaneSetup.exe: installs the Korvane modules, their Send To templates and registrations; uninstalls them.
; The build defines KV_VERSION, KV_OUTFILE and KV_GENERATED (the folder of modules.nsh).
Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"
!include "${KV_GENERATED}/modules.nsh"

Name "Korvane"
OutFile "${KV_OUTFILE}"
InstallDir "$PROGRAMFILES\Korvane"
InstallDirRegKey HKLM "Software\Zentavo\Korvane" "InstallPath"
BrandingText "Korvane ${KV_VERSION}"

VIProductVersion "${KV_VERSION}.0"
VIAddVersionKey /LANG=0 "ProductName" "Korvane"
VIAddVersionKey /LANG=0 "CompanyName" "Zentavo"
VIAddVersionKey /LANG=0 "FileDescription" "Korvane Setup"
VIAddVersionKey /LANG=0 "FileVersion" "${KV_VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${KV_VERSION}"
VIAddVersionKey /LANG=0 "LegalCopyright" "Copyright (C) 2026 Zentavo"

!define KV_UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Korvane"
!define KV_CPLS_KEY "Software\Microsoft\Windows\CurrentVersion\Control Panel\Cpls"

!define MUI_ABORTWARNING
!define MUI_LANGDLL_REGISTRY_ROOT HKLM
!define MUI_LANGDLL_REGISTRY_KEY "Software\Zentavo\Korvane"
!define MUI_LANGDLL_REGISTRY_VALUENAME "SetupLanguage"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "French"
!insertmacro MUI_LANGUAGE "Italian"
!insertmacro MUI_LANGUAGE "Spanish"
!insertmacro MUI_LANGUAGE "Polish"
!insertmacro MUI_LANGUAGE "PortugueseBR"
!insertmacro MUI_LANGUAGE "Swedish"
!insertmacro MUI_LANGUAGE "German"
!insertmacro MUI_LANGUAGE "Czech"
!insertmacro MUI_LANGUAGE "Norwegian"
!insertmacro MUI_RESERVEFILE_LANGDLL

!include "strings.nsh"

; Writes one Send To template of the oobe folder; its name, in the chosen language, names the entry.
!macro KvTemplate NAME EXTENSION
  FileOpen $0 "$INSTDIR\oobe\${NAME}${EXTENSION}" w
  FileWrite $0 "Korvane"
  FileClose $0
!macroend

Function .onInit
  ; /LANGUAGE=<language id> picks the language of a silent install (1036 French ...).
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/LANGUAGE=" $1
  ${IfNot} ${Errors}
    StrCpy $LANGUAGE $1
  ${Else}
    !insertmacro MUI_LANGDLL_DISPLAY
  ${EndIf}
FunctionEnd

Section "Korvane" SecMain
  SectionIn RO
  SetOutPath "$INSTDIR"
  !insertmacro KvInstallModules

  ; Templates left from an install in another language would lay down a second set of entries.
  RMDir /r "$INSTDIR\oobe"
  CreateDirectory "$INSTDIR\oobe"
  !ifdef KV_HAVE_KVDIRDROP
    !insertmacro KvTemplate "$(KV_ENTRY_FOLDER)" ".folder"
  !endif
  !ifdef KV_HAVE_KVPATHCOPY
    !insertmacro KvTemplate "$(KV_ENTRY_CLIPBOARD_NAME)" ".clipboardasname"
  !endif
  !ifdef KV_HAVE_KVDATACOPY
    !insertmacro KvTemplate "$(KV_ENTRY_CLIPBOARD_CONTENT)" ".clipboardascontent"
  !endif
  !ifdef KV_HAVE_KVPOST
    !insertmacro KvTemplate "$(KV_ENTRY_MAIL)" ".defaultmailrecipient"
  !endif
  !ifdef KV_HAVE_KVEXEC
    !insertmacro KvTemplate "$(KV_ENTRY_RUN)" ".run"
  !endif
  !ifdef KV_HAVE_KVCONSOLE
    !insertmacro KvTemplate "$(KV_ENTRY_COMMAND_PROMPT)" ".commandprompt"
  !endif
  !ifdef KV_HAVE_KVTRASH
    !insertmacro KvTemplate "$(KV_ENTRY_RECYCLE_BIN)" ".recyclebin"
  !endif
  !ifdef KV_HAVE_KVTASKBAR
    !insertmacro KvTemplate "$(KV_ENTRY_QUICK_LAUNCH)" ".quicklaunch"
  !endif

  WriteRegStr HKLM "Software\Zentavo\Korvane" "InstallPath" "$INSTDIR"
  !insertmacro KvRegisterExtensions
  !ifdef KV_HAVE_KORVANE
    WriteRegStr HKLM "${KV_CPLS_KEY}" "Korvane" "$INSTDIR\Korvane.cpl"
  !endif

  WriteUninstaller "$INSTDIR\Uninstall.exe"
  WriteRegStr HKLM "${KV_UNINSTALL_KEY}" "DisplayName" "Korvane"
  WriteRegStr HKLM "${KV_UNINSTALL_KEY}" "DisplayVersion" "${KV_VERSION}"
  WriteRegStr HKLM "${KV_UNINSTALL_KEY}" "Publisher" "Zentavo"
  WriteRegStr HKLM "${KV_UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${KV_UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${KV_UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${KV_UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${KV_UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${KV_UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd


Section "un.Korvane" SecUnMain
  SectionIn RO
  !insertmacro KvRemoveModules
  Delete "$INSTDIR\oobe\*.folder"
  Delete "$INSTDIR\oobe\*.clipboardasname"
  Delete "$INSTDIR\oobe\*.clipboardascontent"
  Delete "$INSTDIR\oobe\*.defaultmailrecipient"
  Delete "$INSTDIR\oobe\*.run"
  Delete "$INSTDIR\oobe\*.commandprompt"
  Delete "$INSTDIR\oobe\*.recyclebin"
  Delete "$INSTDIR\oobe\*.quicklaunch"
  RMDir "$INSTDIR\oobe"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"

  !insertmacro KvUnregisterExtensions
  DeleteRegValue HKLM "${KV_CPLS_KEY}" "Korvane"
  DeleteRegValue HKLM "Software\Zentavo\Korvane" "InstallPath"
  DeleteRegValue HKLM "Software\Zentavo\Korvane" "SetupLanguage"
  DeleteRegKey /ifempty HKLM "Software\Zentavo\Korvane"
  DeleteRegKey /ifempty HKLM "Software\Zentavo"
  DeleteRegKey HKLM "${KV_UNINSTALL_KEY}"
SectionEnd

Section /o "un.$(KV_REMOVE_SETTINGS)" SecUnSettings
  DeleteRegKey HKCU "Software\Zentavo\Korvane"
  DeleteRegValue HKCU "Software\Zentavo" "ForceLanguage"
  DeleteRegKey /ifempty HKCU "Software\Zentavo"
SectionEnd

Function un.onInit
  !insertmacro MUI_UNGETLANGUAGE
  ; A silent uninstall keeps the user's settings unless /REMOVESETTINGS asks otherwise.
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/REMOVESETTINGS" $1
  ${IfNot} ${Errors}
    SectionSetFlags ${SecUnSettings} ${SF_SELECTED}
  ${EndIf}
FunctionEnd
