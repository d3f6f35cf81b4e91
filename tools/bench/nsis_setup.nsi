; The installer a user would otherwise make for the same four files: NSIS's
; Modern UI with Setup's pages and languages, its defaults left as they come.
;   makensis -DTARGET=amd64-unicode|x86-ansi -DPAYLOAD=FOLDER -DOUTFILE=FILE nsis_setup.nsi
Target "${TARGET}"
!include MUI2.nsh

Name "Velmora"
; bench.exe waits for a visible "#32770" captioned "Welcome", as with Setup.
Caption "Welcome"
OutFile "${OUTFILE}"
InstallDir "$COMMONFILES\Microsoft Shared\Proof"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "SerbianLatin"

Section "Speller"
    SetOutPath "$INSTDIR"
    File "${PAYLOAD}/MSPCR32.DLL"
    File "${PAYLOAD}/MSSP_CR.LEX"
SectionEnd

Section "Hyphenator"
    SetOutPath "$INSTDIR"
    File "${PAYLOAD}/MSHYCR32.DLL"
    File "${PAYLOAD}/MSHY_CR.LEX"
SectionEnd
