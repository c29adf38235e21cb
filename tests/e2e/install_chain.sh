#!/usr/bin/env bash
# A user's life with the setup program, in a folder whose name has blanks and Japanese characters:
# the silent install puts the programs and the registry values in place and makes Orvellia the
# screen saver; the saver started as Windows starts it (SCRNSAVE.EXE) saves its settings beside
# the programs with /c and runs with /s; a second install waits while the settings dialog is open,
# then replaces the programs and keeps Orvellia.ini byte for byte; the silent uninstall leaves no
# file, no Uninstall entry and no SCRNSAVE.EXE, and switches the saver off.
source "$(dirname "$0")/lib.sh"
e2e_init install_chain
e2e_setup_build
version=$(sed -n 's/^project(Orvellia VERSION \([0-9.]*\).*/\1/p' "$ORV_SOURCE/CMakeLists.txt")
user=$(e2e_wine_user)
win="C:\\users\\$user\\AppData\\Local\\Programs\\Orvellia 時計 テスト"
dir="$WINEPREFIX/drive_c/users/$user/AppData/Local/Programs/Orvellia 時計 テスト"

e2e_log "silent install into $win"
e2e_setup_run "$win"
[ "$E2E_SETUP_RC" = 0 ] || e2e_fail "the setup program ended with exit code $E2E_SETUP_RC"
for f in Orvellia.scr Orvellia.dll; do
  cmp -s "$dir/$f" "$ORV_DIST/$f" || e2e_fail "$f is not installed as built"
done
[ -f "$dir/uninstall.exe" ] || e2e_fail "no uninstaller"
[ ! -e "$dir/Orvellia.ini" ] || e2e_fail "the setup program wrote a settings file"

# The Uninstall entry, value by value.
size_kb=$(( $(cat "$dir"/* | wc -c) / 1024 ))
expected=(
  "DisplayName|Orvellia"
  "DisplayVersion|$version"
  "Publisher|Orvellia"
  "DisplayIcon|$win\\Orvellia.scr"
  "InstallLocation|$win"
  "UninstallString|\"$win\\uninstall.exe\""
  "QuietUninstallString|\"$win\\uninstall.exe\" /S"
  "NoModify|1"
  "NoRepair|1"
)
for e in "${expected[@]}"; do e2e_expect_reg "$E2E_UNINSTALL_KEY" "${e%%|*}" "${e#*|}"; done
got=$(e2e_reg "$E2E_UNINSTALL_KEY" EstimatedSize) || e2e_fail "no EstimatedSize"
[ "$got" -ge $(( size_kb - 3 )) ] && [ "$got" -le $(( size_kb + 3 )) ] ||
  e2e_fail "EstimatedSize $got KB, the folder holds $size_kb KB"

# The screen saver: the short form of the path, as Windows' Install command stores it (Wine
# makes short names for names that are not 8.3 ones, such as this folder's), and switched on.
winepath -s "$win\\Orvellia.scr" >"$E2E_DIR/short.txt" 2>/dev/null </dev/null
short=$(tr -d '\r\n' <"$E2E_DIR/short.txt")
[ -n "$short" ] && [ "$short" != "$win\\Orvellia.scr" ] || e2e_fail "no short name for the folder"
e2e_expect_reg "$E2E_DESKTOP_KEY" SCRNSAVE.EXE "$short"
e2e_expect_reg "$E2E_DESKTOP_KEY" ScreenSaveActive 1
e2e_log "installed; SCRNSAVE.EXE=$short"

e2e_log "Settings, started as Windows starts it, saves beside the programs"
e2e_start P "$short" /c
e2e_wait "settings dialog" 60 e2e_has_window '<Orvellia>'
e2e_dialog_click 70 78  # the caption "音楽CD"
e2e_wait "audio CD mode shown" 30 e2e_dialog_mode_is 1
e2e_dialog_click 356 212  # Set
e2e_dialog_ended "$P"
# NOTE: Wine drops the values' leading blanks on writing (see dialog_set.sh).
printf '[Section]\r\nBGM\x8b\xe6\x95\xaa=1\r\nBGM\xd8\xcb\xdf\xb0\xc4=0\r\nBGM\xcc\xa7\xb2\xd9=\r\n' \
  >"$E2E_DIR/expected.ini"
cmp "$dir/Orvellia.ini" "$E2E_DIR/expected.ini" || e2e_fail "the settings file beside the programs differs"
found=$(find "$WINEPREFIX/drive_c" -name Orvellia.ini | wc -l)
[ "$found" = 1 ] || e2e_fail "$found settings files in the prefix"

e2e_log "the saver runs from there"
xdotool mousemove 512 384
e2e_start host "$short" /s
e2e_wait "renderer window" 60 e2e_has_window Lumenfall_VC
xdotool click 1
e2e_wait_exit_code rc "$host" 30
[ "$rc" = 0 ] || e2e_fail "the saver ended with exit code $rc"

e2e_log "a second install waits while Settings is open, then keeps the settings file"
cp "$dir/Orvellia.ini" "$E2E_DIR/before.ini"
# An older version in place: the replacement shows in the file's bytes.
printf 'older version' >>"$dir/Orvellia.dll"
e2e_start P "$short" /c
e2e_wait "settings dialog" 60 e2e_has_window '<Orvellia>'
e2e_setup_start setup "$win"
# The setup program unpacks its System plug-in for the folder check before it installs anything;
# from there on only the wait stands between it and the programs (a setup program that has ended
# already has not waited).
started() {
  e2e_not_running "$setup" || compgen -G "$WINEPREFIX/drive_c/users/$user/Temp/ns*.tmp/System.dll"
}
e2e_wait "the second install has started" 60 started
still_old() { e2e_running "$setup" && ! cmp -s "$dir/Orvellia.dll" "$ORV_DIST/Orvellia.dll"; }
e2e_holds 3 still_old || e2e_fail "the setup program did not wait for the settings dialog"
e2e_dialog_click 440 212  # Cancel
e2e_dialog_ended "$P"
e2e_wait_exit_code rc "$setup" 60
[ "$rc" = 0 ] || e2e_fail "the second install ended with exit code $rc"
cmp -s "$dir/Orvellia.dll" "$ORV_DIST/Orvellia.dll" || e2e_fail "the second install kept the old program"
cmp "$dir/Orvellia.ini" "$E2E_DIR/before.ini" || e2e_fail "the second install changed Orvellia.ini"
e2e_expect_reg "$E2E_DESKTOP_KEY" SCRNSAVE.EXE "$short"

e2e_log "silent uninstall"
e2e_uninstall "$win"
[ ! -e "$dir" ] || e2e_fail "left behind: $(ls -A "$dir")"
! e2e_reg_has_key "$E2E_UNINSTALL_KEY" || e2e_fail "the Uninstall entry is still there"
e2e_reg_lacks "$E2E_DESKTOP_KEY" SCRNSAVE.EXE || e2e_fail "SCRNSAVE.EXE still set"
e2e_expect_reg "$E2E_DESKTOP_KEY" ScreenSaveActive 0
e2e_log "ok"
