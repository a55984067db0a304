; Uses the generated registration macros as the installer does, so that a broken generator fails here.
Unicode true
!include "${REGISTRATION}"
OutFile "${OUT}"
RequestExecutionLevel user
Section "register"
  !insertmacro KvRegisterExtensions
  WriteUninstaller "$INSTDIR\uninstall.exe"
SectionEnd
Section "un.unregister"
  !insertmacro KvUnregisterExtensions
SectionEnd
