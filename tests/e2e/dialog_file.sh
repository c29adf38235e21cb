#!/usr/bin/env bash
# A music file chosen through the system's real file chooser: the file mode selected by its
# caption, "..." opens the chooser in the host's folder, the typed path is taken, shown and saved
# by Set together with mode 2.
source "$(dirname "$0")/lib.sh"
e2e_init dialog_file
dest=$(e2e_dialog_install)
ini="$dest/Orvellia.ini"
mkdir -p "$WINEPREFIX/drive_c/Music"
: >"$WINEPREFIX/drive_c/Music/song.mp3"
shot="$E2E_DIR/shot.png"
lit_at() {
  e2e_screenshot "$shot"
  local r g b
  read -r r g b < <(e2e_dialog_pixel "$shot" "$1" "$2")
  [ "$b" -gt 180 ] && [ "$r" -lt 120 ]
}

e2e_dialog_start P "$dest"
e2e_dialog_click 70 118  # the caption "MP3、WAV"
e2e_wait "file indicator lit" 30 lit_at 46 118
chooser=$(printf '\xef\xbe\x8c\xef\xbd\xa7\xef\xbd\xb2\xef\xbe\x99\xe3\x82\x92\xe9\x96\x8b\xe3\x81\x8f')  # ﾌｧｲﾙを開く
e2e_dialog_click 60 140
e2e_wait "the system's file chooser" 60 e2e_has_window "$chooser"
xdotool type --delay 30 'C:\Music\song.mp3'
xdotool key Return
e2e_wait "file chooser closed" 30 e2e_no_window "$chooser"
e2e_screenshot "$E2E_DIR/chosen.png"
e2e_dialog_click 356 212  # Set
e2e_dialog_ended "$P"

# NOTE: Wine drops the leading blanks of written values (see dialog_set.sh).
printf '[Section]\r\nBGM\x8b\xe6\x95\xaa=2\r\nBGM\xd8\xcb\xdf\xb0\xc4=0\r\nBGM\xcc\xa7\xb2\xd9=C:\\Music\\song.mp3\r\n' \
  >"$E2E_DIR/expected.ini"
if ! cmp "$ini" "$E2E_DIR/expected.ini"; then
  od -c "$ini" >&2
  e2e_fail "settings file differs from the expected bytes"
fi
e2e_log "the chosen file was saved"
