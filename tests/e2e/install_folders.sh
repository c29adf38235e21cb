#!/usr/bin/env bash
# Where the setup program installs, and which screen-saver setting the uninstaller leaves alone:
# a folder the code page cannot spell is refused (silently: exit code 2, nothing installed); a
# second install without /D= goes to the earlier install's folder; a program held open makes a
# silent install fail rather than leave an old program beside a new one; uninstalling while another
# saver is chosen keeps that saver's setting; without an earlier install the default folder is
# %LOCALAPPDATA%\Programs\Orvellia; SCRNSAVE.EXE naming this Orvellia.scr in other letter case
# is still recognised and removed. Then the same refusal on the folder page: a message naming the
# folder and a proposal, which the folder field then holds and the install uses.
source "$(dirname "$0")/lib.sh"
e2e_init install_folders
e2e_setup_build
user=$(e2e_wine_user)
drive="$WINEPREFIX/drive_c"

e2e_log "a folder outside code page 932 is refused"
e2e_setup_run 'C:\Café Orvellia'
[ "$E2E_SETUP_RC" = 2 ] || e2e_fail "exit code $E2E_SETUP_RC for a folder the code page cannot spell"
[ ! -e "$drive/Café Orvellia" ] || e2e_fail "the refused folder was made"
! e2e_reg_has_key "$E2E_UNINSTALL_KEY" || e2e_fail "an Uninstall entry for the refused folder"
e2e_reg_lacks "$E2E_DESKTOP_KEY" SCRNSAVE.EXE || e2e_fail "SCRNSAVE.EXE set by a refused install"

e2e_log "the next install without /D= goes to the earlier install's folder"
other='C:\Orvellia Other'
e2e_setup_run "$other"
[ "$E2E_SETUP_RC" = 0 ] || e2e_fail "install into $other: exit code $E2E_SETUP_RC"
printf 'kept\r\n' >"$drive/Orvellia Other/Orvellia.ini"
e2e_setup_run
[ "$E2E_SETUP_RC" = 0 ] || e2e_fail "install without /D=: exit code $E2E_SETUP_RC"
e2e_expect_reg "$E2E_UNINSTALL_KEY" InstallLocation "$other"
default="$drive/users/$user/AppData/Local/Programs/Orvellia"
[ ! -e "$default" ] || e2e_fail "the second install went to the default folder"
[ "$(cat "$drive/Orvellia Other/Orvellia.ini")" = $'kept\r' ] || e2e_fail "Orvellia.ini changed"

e2e_log "a program that cannot be replaced makes the silent install fail, not skip it"
# Any running program holds its file; notepad in Orvellia.dll's place stands in for the saver that
# Windows' screen-saver settings run for their preview.
cp "$drive/windows/system32/notepad.exe" "$drive/Orvellia Other/Orvellia.dll"
e2e_start held "$other\\Orvellia.dll"
held_runs() { [ -n "$(e2e_unix_pid 'Orvellia Other.Orvellia\.dll')" ]; }
e2e_wait "the held program runs" 30 held_runs
e2e_setup_run
[ "$E2E_SETUP_RC" = 2 ] || e2e_fail "exit code $E2E_SETUP_RC with a program held open"
kill "$held"
e2e_wait_exit "$held" 30

e2e_log "uninstalling while another saver is chosen keeps that choice"
another='C:\windows\system32\Another.scr'
e2e_reg_set "$E2E_DESKTOP_KEY" SCRNSAVE.EXE "$another" || e2e_fail "could not choose another saver"
e2e_uninstall "$other"
[ ! -e "$drive/Orvellia Other" ] || e2e_fail "left behind: $(ls -A "$drive/Orvellia Other")"
! e2e_reg_has_key "$E2E_UNINSTALL_KEY" || e2e_fail "the Uninstall entry is still there"
e2e_expect_reg "$E2E_DESKTOP_KEY" SCRNSAVE.EXE "$another"
e2e_expect_reg "$E2E_DESKTOP_KEY" ScreenSaveActive 1

e2e_log "without an earlier install: the default folder"
e2e_setup_run
[ "$E2E_SETUP_RC" = 0 ] || e2e_fail "install into the default folder: exit code $E2E_SETUP_RC"
[ -f "$default/Orvellia.scr" ] && [ -f "$default/Orvellia.dll" ] || e2e_fail "nothing in $default"
win="C:\\users\\$user\\AppData\\Local\\Programs\\Orvellia"
e2e_expect_reg "$E2E_UNINSTALL_KEY" InstallLocation "$win"
# Every name on this path is an 8.3 name: short and long forms are the same.
e2e_expect_reg "$E2E_DESKTOP_KEY" SCRNSAVE.EXE "$win\\Orvellia.scr"

e2e_log "SCRNSAVE.EXE in other letter case still names this saver"
e2e_reg_set "$E2E_DESKTOP_KEY" SCRNSAVE.EXE "${win^^}\\ORVELLIA.SCR" || e2e_fail "could not set SCRNSAVE.EXE"
e2e_uninstall "$win"
[ ! -e "$default" ] || e2e_fail "left behind: $(ls -A "$default")"
e2e_reg_lacks "$E2E_DESKTOP_KEY" SCRNSAVE.EXE || e2e_fail "SCRNSAVE.EXE still set"
e2e_expect_reg "$E2E_DESKTOP_KEY" ScreenSaveActive 0

e2e_log "the folder page refuses such a folder with a message and proposes the default one"
refused='C:\Café Orvellia'
read -ra words <<<"/D=$refused"
e2e_start setup "$E2E_SETUP" "${words[@]}"
texts="$E2E_DIR/texts.txt"
shows() { e2e_window_texts 'Orvellia' && grep -qF -- "$1" "$texts"; }
field_holds() { e2e_window_texts 'Orvellia' && grep -qxF -- "1019	Edit	$1" "$texts"; }
e2e_wait "the welcome page" 60 shows 'Orvellia セットアップへようこそ'
xdotool key Return
e2e_wait "the folder page with $refused" 30 field_holds "$refused"
xdotool key Return  # Install
e2e_wait "the refusal message" 30 shows 'Orvellia をインストールできません'
message=$(grep -F 'Orvellia をインストールできません' "$texts")
[[ $message == *"$refused"*"代わりに次のフォルダーを提案します"*"$win" ]] ||
  e2e_fail "the message does not name the folder and the proposal: $message"
e2e_log "message: $message"
xdotool key Return  # OK
e2e_wait "the proposed folder in the folder field" 30 field_holds "$win"
[ ! -e "$drive/Café Orvellia" ] || e2e_fail "the refused folder was made"
xdotool key Return  # Install
e2e_wait "the finish page" 60 shows 'Orvellia セットアップの完了'
[ -f "$default/Orvellia.scr" ] || e2e_fail "not installed into the proposed folder"
e2e_expect_reg "$E2E_UNINSTALL_KEY" InstallLocation "$win"
e2e_log "ok"
