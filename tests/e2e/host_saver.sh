#!/usr/bin/env bash
# A user's run of the saver: Orvellia.scr /s with the real renderer and an MP3 chosen. The clock
# shows full screen, the music is heard, a key ends the renderer, and then the host process is
# gone and the music silent.
source "$(dirname "$0")/lib.sh"
e2e_init host_saver 1024 768
e2e_audio_start
dir=$(e2e_install_to 'Program Files/Orvellia Saver')
sox -n -r 44100 -c 2 "$dir/tone.mp3" synth 2 sine 440 vol 0.5
e2e_settings_file "$dir" 2 0 'C:\Program Files\Orvellia Saver\tone.mp3'

xdotool mousemove 512 384
start=$(e2e_audio_now)
e2e_start host 'C:\Program Files\Orvellia Saver\Orvellia.scr' /s
e2e_wait "renderer window" 60 e2e_has_window Lumenfall_VC

# The dial lies around the screen's lower middle; above the ground's far edge the screen is black.
shot="$E2E_DIR/saver.png"
dial_drawn() {
  e2e_screenshot "$shot"
  local r g b
  read -r r g b < <(e2e_pixel "$shot" 512 500)
  [ $((r + g + b)) -gt 150 ]
}
e2e_wait "the dial drawn" 60 dial_drawn
[ "$(e2e_pixel "$shot" 5 5)" = "0 0 0" ] || e2e_fail "the top-left corner is not black"
e2e_log "screenshot: $shot"
e2e_wait "the music heard" 60 e2e_audio_onset "$start"

e2e_running "$host" || e2e_fail "the host ended while the renderer runs"
renderer=$(e2e_unix_pid 'Orvellia Saver.Orvellia.dll')
[ -n "$renderer" ] || e2e_fail "renderer process not found"
xdotool key space
e2e_wait "the renderer ends on the key" 30 e2e_not_running "$renderer"
ended=$(e2e_audio_now)
# The host looks for the renderer's window every 500 ms: it ends about a second later at most.
e2e_wait_exit_code rc "$host" 30
[ "$rc" = 0 ] || e2e_fail "host exit code $rc"
gone=$(e2e_audio_now)
e2e_log "renderer ended at capture $ended s, host at $gone s"
e2e_no_window Lumenfall_VC || e2e_fail "the renderer's window is still there"
e2e_wait "3 s of capture after the host ended" 30 e2e_audio_reaches "$(e2e_calc "$gone + 3")"
runs=$(e2e_audio_runs "$(e2e_calc "$gone + 0.5")" "$(e2e_calc "$gone + 3")")
[ "$(echo "$runs" | awk '{ print $1 }' | sort -u)" = silence ] ||
  e2e_fail "sound after the host ended: $runs"
e2e_log "ok"
