#!/usr/bin/env bash
# The settings dialog shows the stored choice and leaves the settings file alone unless Set is
# pressed: a file choice shows its indicator lit, its path and the enabled file button; the file
# button's hover and press looks; the real file chooser opened and cancelled; Cancel and the close
# box end the program without writing.
source "$(dirname "$0")/lib.sh"
e2e_init dialog_cancel
dest=$(e2e_dialog_install)
ini="$dest/Orvellia.ini"
mkdir -p "$WINEPREFIX/drive_c/Music"
: >"$WINEPREFIX/drive_c/Music/song.mp3"
# Mode 2 with C:\Music\song.mp3 and track 12, in code page 932 with CRLF.
printf '[Section]\r\nBGM\x8b\xe6\x95\xaa=2\r\nBGM\xd8\xcb\xdf\xb0\xc4=12\r\nBGM\xcc\xa7\xb2\xd9=C:\\Music\\song.mp3\r\n' >"$ini"
cp "$ini" "$E2E_DIR/before.ini"
shot="$E2E_DIR/shot.png"

# pixel_is X Y TEST...: take a screenshot and test one client pixel "R G B" with TEST.
pixel_is() {
  local x=$1 y=$2; shift 2
  e2e_screenshot "$shot"
  "$@" "$(e2e_dialog_pixel "$shot" "$x" "$y")"
}
lit() { local r g b; read -r r g b <<<"$1"; [ "$b" -gt 180 ] && [ "$r" -lt 120 ]; }
unlit() { ! lit "$1"; }
orange() { local r g b; read -r r g b <<<"$1"; [ "$r" -gt 230 ] && [ "$b" -lt 170 ]; }
not_orange() { ! orange "$1"; }
same_as() { [ "$1" = "$SAME" ]; }

e2e_dialog_start P "$dest"
e2e_wait "file indicator lit" 30 pixel_is 46 118 lit
for y in 78 98; do pixel_is 46 "$y" unlit || e2e_fail "indicator at y $y is lit too"; done
cp "$shot" "$E2E_DIR/opened.png"

# A second start while the dialog is open ends at once and opens nothing: no second dialog, and
# no renderer (the stand-in, which would open its window and stay).
cp "$(e2e_host_tool)" "$dest/Orvellia.dll"
for args in /c /s ""; do
  # shellcheck disable=SC2086
  e2e_start second "$dest/Orvellia.scr" $args
  e2e_wait_exit "$second" 15 >/dev/null
  e2e_running "$P" || e2e_fail "the dialog's program ended after a second start ($args)"
  [ "$(xdotool search --name '^<Orvellia>$' | wc -l)" = 1 ] || e2e_fail "a second dialog ($args)"
  e2e_no_window Lumenfall_VC || e2e_fail "a renderer started ($args)"
done

# The file button (client 40,128 .. 81,153): the pointer over it gives the orange hover rim.
normal=$(e2e_dialog_pixel "$shot" 60 131)
orange "$normal" && e2e_fail "file button shows the hover look before the pointer is there"
read -r fx fy < <(e2e_dialog_at 60 140)
xdotool mousemove "$fx" "$fy"
e2e_wait "hover look of the file button" 30 pixel_is 60 131 orange
cp "$shot" "$E2E_DIR/hover.png"
xdotool mousedown 1
e2e_wait "pressed look of the file button" 30 pixel_is 60 131 not_orange
cp "$shot" "$E2E_DIR/pressed.png"
xdotool mouseup 1
chooser=$(printf '\xef\xbe\x8c\xef\xbd\xa7\xef\xbd\xb2\xef\xbe\x99\xe3\x82\x92\xe9\x96\x8b\xe3\x81\x8f')  # ﾌｧｲﾙを開く
e2e_wait "the system's file chooser" 60 e2e_has_window "$chooser"
e2e_screenshot "$E2E_DIR/chooser.png"
xdotool key --window "$(e2e_window "$chooser")" Escape
e2e_wait "file chooser closed" 30 e2e_no_window "$chooser"

e2e_dialog_click 60 98  # "なし": the change stays in memory only
e2e_wait "no-music indicator lit" 30 pixel_is 46 98 lit
e2e_dialog_click 440 212  # Cancel
e2e_dialog_ended "$P"
cmp "$ini" "$E2E_DIR/before.ini" || e2e_fail "Cancel changed the settings file"

# Again, closed with the close box at the right of the title bar.
e2e_dialog_start P "$dest"
e2e_wait "file indicator lit again" 30 pixel_is 46 118 lit
e2e_dialog_click 46 78  # audio CD
e2e_wait "CD indicator lit" 30 pixel_is 46 78 lit
eval "$(xdotool getwindowgeometry --shell "$(e2e_window '<Orvellia>')")"
xdotool mousemove $(( X + WIDTH - 13 )) $(( Y + 10 )) click 1
e2e_dialog_ended "$P"
cmp "$ini" "$E2E_DIR/before.ini" || e2e_fail "the close box changed the settings file"
e2e_log "Cancel and the close box left the settings file as it was"
