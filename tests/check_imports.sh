#!/usr/bin/env bash
# The program imports Windows system DLLs only, and is a 32-bit GUI executable.
set -euo pipefail
exe=$1
file "$exe" | grep -q 'PE32 executable (GUI) Intel 80386' || { echo "not a 32-bit GUI PE: $(file "$exe")"; exit 1; }
allowed='^(KERNEL32|USER32|GDI32|ADVAPI32|SHELL32|COMCTL32|COMDLG32|OLE32|OLEAUT32|msvcrt|api-ms-win-crt-.*)\.dll$'
bad=0
while read -r dll; do
  if ! echo "$dll" | grep -qiE "$allowed"; then echo "unexpected import: $dll"; bad=1; fi
done < <(i686-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p')
[ $bad -eq 0 ] && echo "imports: $(i686-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr '\n' ' ')"
exit $bad
