#!/usr/bin/env bash
# Settings files the host cannot use as written: Set when the file and its folder may not be
# written (the user is told, the dialog stays open as chosen, the old file stays, Cancel ends the
# host), and files that are huge, binary, without the section, or with a key twice: the settings
# dialog shows the mode that can be read, the saver starts and ends, and the file is never changed.
source "$(dirname "$0")/lib.sh"
e2e_init fault_settings_file
dir=$(e2e_dialog_install)
ini="$dir/Orvellia.ini"
mode_key=$'BGM\x8b\xe6\x95\xaa'     # BGM区分 in code page 932
repeat_key=$'BGM\xd8\xcb\xdf\xb0\xc4' # BGMﾘﾋﾟｰﾄ

# The immutable flag holds even against root; it is taken off again however the scenario ends
# (errexit off first: a failed scenario's status would end the trap before e2e_cleanup, leaving its
# display and Wine running).
trap 'rc=$?; set +e; chattr -i "$dir" "$ini" 2>/dev/null; (exit $rc); e2e_cleanup' EXIT

e2e_log "Set when the settings file and its folder may not be written"
printf '[Section]\r\n%s= 0\r\n%s= 0\r\n' "$mode_key" "$repeat_key" >"$ini"
cp "$ini" "$E2E_DIR/before.ini"
chattr +i "$ini" "$dir" || e2e_fail "chattr cannot make the folder read-only here"
ls -la "$dir" >"$E2E_DIR/before.ls"
e2e_dialog_start P "$dir"
e2e_wait "no-music mode shown" 30 e2e_dialog_mode_is 0
e2e_dialog_click 70 78  # the caption "音楽CD"
e2e_wait "audio CD mode shown" 30 e2e_dialog_mode_is 1
e2e_dialog_click 356 212  # Set
# The box can be found before its text is in place: wait for a text, then check it.
message_shown() { e2e_tool msgtext Orvellia "$E2E_DIR/msg.txt" && [ -s "$E2E_DIR/msg.txt" ]; }
e2e_wait "the message that the settings were not saved" 30 message_shown
printf '設定をﾌｧｲﾙに保存できません！\r\nC:\\Program Files\\Orvellia Test\\Orvellia.ini' >"$E2E_DIR/msg.expected"
cmp -s "$E2E_DIR/msg.txt" "$E2E_DIR/msg.expected" || e2e_fail "message text: $(cat "$E2E_DIR/msg.txt")"
e2e_has_window '<Orvellia>' || e2e_fail "the dialog closed under the message"
e2e_tool item Orvellia 1 "$E2E_DIR/ok.txt" || e2e_fail "the message has no OK button"
read -r ok_x ok_y <<<"$(cat "$E2E_DIR/ok.txt")"
# The box is drawn once its own picture is mostly the light face of a message box.
# NOTE: taken from the box's X window: on this display without a window manager, Wine leaves the
# box's place black in a picture of the whole screen while it overlaps the dialog (the chooser of
# the same dialog shows normally); the box takes input and draws into its own window all the same.
message_drawn() {
  xwd -id "$(e2e_window Orvellia)" -silent -display "$DISPLAY" | /usr/bin/convert xwd:- "$E2E_DIR/message.png"
  [ "$(/usr/bin/convert "$E2E_DIR/message.png" -format '%[fx:int(100*mean)]' info:)" -gt 60 ]
}
e2e_wait "the message drawn" 30 message_drawn
# OK, clicked as a user does, returns to the dialog with the user's choice still shown.
xdotool mousemove "$ok_x" "$ok_y" click 1
e2e_wait "the message closed" 30 e2e_no_window Orvellia
e2e_running "$P" || e2e_fail "the host ended after the message"
e2e_has_window '<Orvellia>' || e2e_fail "the dialog closed after the message"
e2e_wait "audio CD mode still shown" 30 e2e_dialog_mode_is 1
cmp "$ini" "$E2E_DIR/before.ini" || e2e_fail "the settings file changed"
e2e_dialog_click 440 212  # Cancel
e2e_dialog_ended "$P"
cmp "$ini" "$E2E_DIR/before.ini" || e2e_fail "the settings file changed"
ls -la "$dir" | cmp - "$E2E_DIR/before.ls" || e2e_fail "the folder's contents changed"
chattr -i "$ini" "$dir"

# Each case: how its file is made, and the mode the dialog shows for it.
huge() {
  printf '[Filler]\r\n'
  head -c $((4 * 1024 * 1024)) < <(yes $'Filler=0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz\r')
  printf '\r\n[Section]\r\n%s= 1\r\n' "$mode_key"
}
binary() {  # the same bytes every run: NULs, control characters, brackets and "=" among them
  LC_ALL=C awk 'BEGIN { srand(7); for (i = 0; i < 65536; i++) printf "%c", int(rand() * 256) }'
}
no_section() { printf '%s= 1\r\n[Other]\r\n%s= 1\r\n' "$mode_key" "$mode_key"; }
duplicate_keys() { printf '[Section]\r\n%s= 1\r\n%s= 2\r\n%s= 0\r\n' "$mode_key" "$mode_key" "$repeat_key"; }
cases=("huge 1" "binary 0" "no_section 0" "duplicate_keys 1")

for c in "${cases[@]}"; do
  read -r make mode <<<"$c"
  e2e_log "$make: the dialog shows mode $mode, the saver starts and ends, the file stays"
  "$make" >"$ini"
  cp "$ini" "$E2E_DIR/$make.ini"

  e2e_dialog_start P "$dir"
  e2e_wait "mode $mode shown ($make)" 30 e2e_dialog_mode_is "$mode"
  e2e_dialog_click 440 212  # Cancel
  e2e_dialog_ended "$P"
  cmp -s "$ini" "$E2E_DIR/$make.ini" || e2e_fail "$make: the dialog changed the file"

  xdotool mousemove 500 400
  e2e_start host "$dir/Orvellia.scr" /s
  e2e_wait "renderer window ($make)" 60 e2e_has_window Lumenfall_VC
  e2e_running "$host" || e2e_fail "$make: the host ended while the renderer runs"
  xdotool click 1
  e2e_wait_exit "$host" 30 >/dev/null
  cmp -s "$ini" "$E2E_DIR/$make.ini" || e2e_fail "$make: the saver changed the file"
done
e2e_log "ok"
