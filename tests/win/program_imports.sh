#!/usr/bin/env bash
# The program starts from the memory card and from a folder the user can
# write to, and the loader looks for an imported DLL beside the program before
# the system folder, except for the DLLs that Windows always takes from there.
# So the program may import at load time only such DLLs; everything else is
# delay-loaded and bound once the DLL search is restricted. This lists the
# load-time imports of the program and fails on any other.
# Usage: program_imports.sh PROGRAM.exe OBJDUMP
set -euo pipefail
exe=$1
objdump=$2

# Known DLLs on every Windows the program supports (7 to 11).
allowed=" advapi32 comdlg32 gdi32 imm32 kernel32 msvcrt ole32 oleaut32 shell32 shlwapi user32 "

imports=$("$objdump" -p "$exe" | sed -n 's/^\tDLL Name: //p' | tr 'A-Z' 'a-z' | sed 's/\.dll$//')
[ -n "$imports" ] || { echo "FAIL: no imports listed for $exe" >&2; exit 1; }
status=0
for dll in $imports; do
  if [[ "$allowed" != *" $dll "* ]]; then
    echo "FAIL: $dll.dll is imported at load time; the loader would look for it beside the program" >&2
    status=1
  fi
done
[ "$status" -ne 0 ] || echo "load-time imports: $(echo $imports)"
exit "$status"
