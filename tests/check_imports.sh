#!/usr/bin/env bash
# The program imports Windows system DLLs only, is a 32-bit GUI executable, and passes every text to
# the system through the wide functions: no "A" function of the window, drawing, registry, shell or
# common-control DLLs (the C runtime's own start-up imports a few from KERNEL32, with no texts of ours).
set -euo pipefail
exe=$1
file "$exe" | grep -q 'PE32 executable (GUI) Intel 80386' || { echo "not a 32-bit GUI PE: $(file "$exe")"; exit 1; }
allowed='^(KERNEL32|USER32|GDI32|ADVAPI32|SHELL32|COMCTL32|COMDLG32|OLE32|OLEAUT32|msvcrt|api-ms-win-crt-.*)\.dll$'
bad=0
while read -r dll; do
  if ! echo "$dll" | grep -qiE "$allowed"; then echo "unexpected import: $dll"; bad=1; fi
done < <(i686-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p')
ansi=$(i686-w64-mingw32-objdump -p "$exe" |
  awk '/DLL Name:/ {dll = toupper($3)} /^\t[0-9a-f]+\t +[0-9]+ +[A-Za-z_0-9]+$/ {print dll ":" $3}' |
  grep -E '^(USER32|GDI32|ADVAPI32|SHELL32|COMCTL32|COMDLG32)\.DLL:.*[a-z0-9]A$' || true)
if [ -n "$ansi" ]; then echo "text functions in the code page: $ansi"; bad=1; fi
[ $bad -eq 0 ] && echo "imports: $(i686-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr '\n' ' ')"
exit $bad
