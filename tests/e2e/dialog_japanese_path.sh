#!/usr/bin/env bash
# A Japanese user's music file: the settings name C:\音楽\ソング.mp3, whose ソ ends in the byte of
# "\" in code page 932. The dialog shows the path, and its file chooser opens in C:\音楽: a bare
# file name typed there is found in that folder, and Set saves it with its folder.
source "$(dirname "$0")/lib.sh"
e2e_init dialog_japanese_path
dest=$(e2e_dialog_install)
ini="$dest/Orvellia.ini"
mkdir -p "$WINEPREFIX/drive_c/音楽"
: >"$WINEPREFIX/drive_c/音楽/ソング.mp3"
: >"$WINEPREFIX/drive_c/音楽/other.mp3"
e2e_settings_file "$dest" 2 0 'C:\音楽\ソング.mp3'

e2e_dialog_start P "$dest"
e2e_screenshot "$E2E_DIR/opened.png"
chooser=$(printf '\xef\xbe\x8c\xef\xbd\xa7\xef\xbd\xb2\xef\xbe\x99\xe3\x82\x92\xe9\x96\x8b\xe3\x81\x8f')  # ﾌｧｲﾙを開く
e2e_dialog_click 60 140  # "..."
e2e_wait "the system's file chooser" 60 e2e_has_window "$chooser"
e2e_screenshot "$E2E_DIR/chooser.png"
# A name without a folder is looked for in the folder the chooser opened in.
xdotool type --delay 30 'other.mp3'
xdotool key Return
e2e_wait "file chooser closed" 30 e2e_no_window "$chooser"
e2e_dialog_click 356 212  # Set
e2e_dialog_ended "$P"

printf '[Section]\r\nBGM区分=2\r\nBGMﾘﾋﾟｰﾄ=0\r\nBGMﾌｧｲﾙ=C:\\音楽\\other.mp3\r\n' |
  iconv -f UTF-8 -t CP932 >"$E2E_DIR/expected.ini"
if ! cmp "$ini" "$E2E_DIR/expected.ini"; then
  od -c "$ini" >&2
  e2e_fail "settings file differs from the expected bytes"
fi
e2e_log "the chooser opened in the music file's folder"
