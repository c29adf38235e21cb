#!/usr/bin/env bash
# The running saver when one of its parts goes away: the music file deleted after start-up (an MP3
# that is replayed and a looping WAV, both shorter than the run), the host killed (the renderer
# still ends on input and clears the screen-saver-running flag), and the renderer killed (the host
# and its music end).
source "$(dirname "$0")/lib.sh"
e2e_init fault_processes
e2e_start_audio
dir=$(e2e_install_to 'Program Files/Orvellia Fault')
win='C:\Program Files\Orvellia Fault'
renderer_pid() { e2e_unix_pid 'Orvellia Fault.Orvellia\.dll'; }

# music_settings NAME: settings for file music from NAME in the install folder.
music_settings() { e2e_settings_file "$dir" 2 0 "$win\\$1"; }
# tone NAME SECONDS: a sine tone as a music file in the install folder.
tone() { sox -q -n -r 44100 -c 2 "$dir/$1" synth "$2" sine 440 || e2e_fail "sox could not make $1"; }

start_saver() {
  xdotool mousemove 500 400
  e2e_start host "$dir/Orvellia.scr" /s
  e2e_wait "renderer window" 60 e2e_has_window Lumenfall_VC
}

for f in tone.mp3 tone.wav; do
  e2e_log "$f deleted while it plays"
  tone "$f" 2
  music_settings "$f"
  start_saver
  e2e_wait "music playing ($f)" 30 e2e_music_playing
  rm "$dir/$f"
  # Longer than the music: the MP3 is replayed and the WAV loops from a file that is gone.
  e2e_holds 6 e2e_running "$host" || e2e_fail "the host ended after $f was deleted"
  e2e_has_window Lumenfall_VC || e2e_fail "the renderer ended after $f was deleted"
  xdotool click 1
  e2e_wait_exit "$host" 30 >/dev/null
  e2e_wait "music stopped after the run ($f)" 30 e2e_music_silent
done

e2e_log "host killed while the saver runs"
[ "$(e2e_saver_flag)" = 0 ] || e2e_fail "the saver flag is set before the saver starts"
tone tone.mp3 30
music_settings tone.mp3
start_saver
e2e_wait "music playing" 30 e2e_music_playing
[ "$(e2e_saver_flag)" = 1 ] || e2e_fail "the saver flag is not set while the renderer runs"
renderer=$(renderer_pid)
[ -n "$renderer" ] || e2e_fail "renderer process not found"
kill -9 "$host"
e2e_wait_exit "$host" 30 >/dev/null
e2e_wait "the host's music ends with it" 30 e2e_music_silent
e2e_holds 2 e2e_has_window Lumenfall_VC || e2e_fail "the renderer ended with the host"
xdotool click 1
e2e_wait "the renderer ends on a click" 30 e2e_not_running "$renderer"
[ "$(e2e_saver_flag)" = 0 ] || e2e_fail "the saver flag is still set after the renderer ended"

e2e_log "renderer killed while the saver runs"
start_saver
e2e_wait "music playing" 30 e2e_music_playing
renderer=$(renderer_pid)
[ -n "$renderer" ] || e2e_fail "renderer process not found"
kill -9 "$renderer"
e2e_wait_exit "$host" 30 >/dev/null
e2e_wait "music stopped" 30 e2e_music_silent
e2e_log "ok"
