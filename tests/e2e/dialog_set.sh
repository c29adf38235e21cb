#!/usr/bin/env bash
# Orvellia.scr /c saves a choice: a click on the caption "音楽CD" selects the audio CD and
# enables the track box, 5 typed there and Set write exactly the three keys of the settings file
# in code page 932 with CRLF, and the program ends.
source "$(dirname "$0")/lib.sh"
e2e_init dialog_set
dest=$(e2e_dialog_install)
ini="$dest/Orvellia.ini"

e2e_dialog_start P "$dest"
shot="$E2E_DIR/shot.png"
track_box_is() {  # white field when enabled
  e2e_screenshot "$shot"
  local px
  px=$(e2e_dialog_pixel "$shot" 131 78)
  if [ "$1" = enabled ]; then [ "$px" = "255 255 255" ]; else [ "$px" != "255 255 255" ]; fi
}
e2e_wait "track box disabled with no settings file" 30 track_box_is disabled

e2e_dialog_click 70 78  # the caption "音楽CD", not its indicator
e2e_wait "track box enabled after the click on the caption" 30 track_box_is enabled
cp "$shot" "$E2E_DIR/cd_selected.png"
# The audio CD's indicator (client 40,72 .. 52,84) is now the lit one.
px=$(e2e_dialog_pixel "$shot" 46 78)
e2e_near "$px" 40 110 230 60 || e2e_fail "CD indicator not lit: $px"

e2e_dialog_click 131 78  # into the track box's text field
xdotool type --delay 50 5
e2e_dialog_click 356 212  # Set
e2e_dialog_ended "$P"
[ -f "$ini" ] || e2e_fail "no settings file written"

# NOTE: the dialog hands " 1" and " 5" to WritePrivateProfileStringA (the Windows unit test of
# the dialog checks that); Wine's profile code drops a value's leading blanks when it writes, so
# under Wine the file holds "=1" where Windows keeps "= 1".
printf '[Section]\r\nBGM\x8b\xe6\x95\xaa=1\r\nBGM\xd8\xcb\xdf\xb0\xc4=5\r\nBGM\xcc\xa7\xb2\xd9=\r\n' \
  >"$E2E_DIR/expected.ini"
if ! cmp "$ini" "$E2E_DIR/expected.ini"; then
  od -c "$ini" >&2
  e2e_fail "settings file differs from the expected bytes"
fi
e2e_log "settings file written as expected"
