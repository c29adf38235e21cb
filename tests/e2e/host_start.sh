#!/usr/bin/env bash
# The host's start-up and running saver with a stand-in renderer (a window titled Lumenfall_VC that
# ends on a key): the missing-renderer message, the run from start to end, a renderer that is slow
# to open its window, a renderer whose window goes while its process lives on, a killed renderer,
# and a second start while one runs.
source "$(dirname "$0")/lib.sh"
e2e_init host_start
dir=$(e2e_install_to 'Program Files/Orvellia Start')
rm -f "$dir/Orvellia.dll"
scr="C:\\Program Files\\Orvellia Start\\Orvellia.scr"

e2e_log "no Orvellia.dll: the message, and nothing started"
e2e_start host "$scr" /s
# The box can be found before its text is in place: wait for a text, then check it.
message_shown() { e2e_tool msgtext Orvellia "$E2E_DIR/msg.txt" && [ -s "$E2E_DIR/msg.txt" ]; }
e2e_wait "the missing-renderer message" 30 message_shown
[ "$(cat "$E2E_DIR/msg.txt")" = "Orvellia.dll が同じﾌｫﾙﾀﾞに見つかりません！" ] ||
  e2e_fail "message text: $(cat "$E2E_DIR/msg.txt")"
e2e_no_window Lumenfall_VC || e2e_fail "a renderer window appeared"
xdotool search --name '^Lumenfall_Main$' >/dev/null && e2e_fail "the saver window was opened"
e2e_tool close Orvellia
e2e_wait_exit "$host" 20 >/dev/null

cp "$(e2e_host_tool)" "$dir/Orvellia.dll"

e2e_log "/s: the renderer starts; a key ends it and the host follows"
e2e_start host "$scr" /s
e2e_wait "renderer window" 30 e2e_has_window Lumenfall_VC
e2e_running "$host" || e2e_fail "the host ended while the renderer runs"
e2e_log "a second start while one runs ends at once"
for args in /s /c "/p 1234"; do
  # shellcheck disable=SC2086
  e2e_start second "$scr" $args
  e2e_wait_exit "$second" 15 >/dev/null
  e2e_running "$host" || e2e_fail "the first host ended after a second start ($args)"
done
xdotool mousemove 100 75 click 1  # the stand-in ends on a click
e2e_wait "renderer window gone" 20 e2e_no_window Lumenfall_VC
e2e_wait_exit "$host" 15 >/dev/null

e2e_log "the watch ends the host when the renderer's window goes, though its process lives on"
export ORV_STANDIN_LINGER=1
e2e_start host "$scr" /s
e2e_wait "renderer window" 30 e2e_has_window Lumenfall_VC
renderer=$(e2e_unix_pid 'Orvellia Start.Orvellia.dll')
[ -n "$renderer" ] || e2e_fail "renderer process not found"
xdotool mousemove 100 75 click 1
e2e_wait "renderer window gone" 20 e2e_no_window Lumenfall_VC
e2e_wait_exit "$host" 15 >/dev/null
e2e_running "$renderer" || e2e_fail "the stand-in's process ended: the watch was not what ended the host"
kill -9 "$renderer"
unset ORV_STANDIN_LINGER

e2e_log "a renderer slow to open its window is waited for"
export ORV_STANDIN_DELAY_MS=3000
e2e_start host "$scr" /s
e2e_holds 2 e2e_running "$host" || e2e_fail "the host took a starting renderer for ended"
e2e_wait "renderer window" 30 e2e_has_window Lumenfall_VC
unset ORV_STANDIN_DELAY_MS
e2e_log "killing the renderer ends the host"
renderer=$(e2e_unix_pid 'Orvellia Start.Orvellia.dll')
[ -n "$renderer" ] || e2e_fail "renderer process not found"
kill -9 "$renderer"
e2e_wait_exit "$host" 20 >/dev/null
e2e_log "ok"
