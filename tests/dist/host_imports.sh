#!/usr/bin/env bash
# Orvellia.scr's import table names only what every start needs: the DLLs that only the settings
# dialog and the preview use (comdlg32, ole32, oleaut32, shell32, msimg32) are loaded when those
# modes first need them, so a running screen saver never loads them; winmm is loaded when the
# first music starts.
set -euo pipefail
: "${ORV_DIST:?run through ctest (ORV_DIST not set)}"
scr="$ORV_DIST/Orvellia.scr"
[ -f "$scr" ] || { echo "FAIL: $scr is not built" >&2; exit 1; }
imports=$(x86_64-w64-mingw32-objdump -p "$scr" | awk '/DLL Name:/ { print tolower($3) }' | sort -u)
echo "Orvellia.scr imports:" $imports
[ -n "$imports" ] || { echo "FAIL: no import table read from $scr" >&2; exit 1; }
bad=$(grep -xE 'comdlg32\.dll|ole32\.dll|oleaut32\.dll|shell32\.dll|msimg32\.dll|winmm\.dll' <<<"$imports" || true)
if [ -n "$bad" ]; then
  echo "FAIL: Orvellia.scr imports what only some modes use:" $bad >&2
  exit 1
fi
