#!/usr/bin/env bash
# The music of the running saver, as really heard: Wine's sound is captured in real time and
# measured. An MP3 plays whole, starts again about a second after its end, and stops when the
# renderer ends; a WAV loops without a pause and stops; the audio CD without a drive gives up
# polling after its first check while the saver runs on and ends normally. The stand-in renderer
# (a window Lumenfall_VC that ends on a click) runs in place of Orvellia.dll.
source "$(dirname "$0")/lib.sh"
e2e_init host_music
e2e_audio_start
dir=$(e2e_install_to 'Program Files/Orvellia Music')
cp "$(e2e_host_tool)" "$dir/Orvellia.dll"
scr='C:\Program Files\Orvellia Music\Orvellia.scr'
# The folder's name has a blank: the MP3 is opened by a quoted path, the WAV by PlaySound's name.
sox -n -r 44100 -c 2 "$dir/tone.mp3" synth 2 sine 440 vol 0.5
sox -n -r 44100 -c 2 -b 16 "$dir/tone.wav" synth 1.5 sine 660 vol 0.5
# NOTE: the settings file is written as the settings dialog writes it, each number led by a blank;
# Wine's profile functions hand the value back without that blank ("2"), which reads the same.

# music_stops_with_renderer: end the stand-in with a click and check that the sound has
# stopped once its window is gone and stays silent well past the longest pause between replays.
music_stops_with_renderer() {
  xdotool mousemove 100 75 click 1
  e2e_wait "renderer window gone" 30 e2e_no_window Lumenfall_VC
  local gone ended runs
  gone=$(e2e_audio_now)
  e2e_wait_exit "$host" 20 >/dev/null
  ended=$(e2e_audio_now)
  e2e_wait "3 s of capture after the host ended" 30 e2e_audio_reaches "$(e2e_calc "$ended + 3")"
  runs=$(e2e_audio_runs "$(e2e_calc "$gone + 1")" "$(e2e_calc "$ended + 3")")
  e2e_log "after the renderer ended (capture $gone s, host gone at $ended s): $(echo $runs)"
  [ "$(echo "$runs" | awk '{ print $1 }' | sort -u)" = silence ] ||
    e2e_fail "sound after the renderer ended: $runs"
}

e2e_log "an MP3 is heard, starts again about a second after its end, and stops with the renderer"
e2e_settings_file "$dir" 2 0 'C:\Program Files\Orvellia Music\tone.mp3'
start=$(e2e_audio_now)
e2e_start host "$scr" /s
e2e_wait "renderer window" 30 e2e_has_window Lumenfall_VC
e2e_wait "the MP3 heard" 60 e2e_audio_onset "$start"
onset=$(e2e_audio_onset "$start")
# Three plays need about 2 + 1 + 2 + 1 + 2 s; the check reads 10 s from the first sound.
e2e_wait "10 s of capture from the first sound" 60 e2e_audio_reaches "$(e2e_calc "$onset + 10")"
runs=$(e2e_audio_runs "$onset" "$(e2e_calc "$onset + 10")")
e2e_log "MP3 from $onset s: $(echo $runs)"
# Three plays fill the period with about 6 s of sound; between them lie pauses of the replay
# timer's period or less (plus latency), and there are such pauses: the MP3 is started again
# after its end, not cut short while it plays. (Dropouts of a loaded machine are short.)
echo "$runs" | awk '
  { kind[NR] = $1; len[NR] = $3; if ($1 == "sound") sound += $3 }
  END {
    for (i = 2; i < NR; i++) if (kind[i] == "silence") { if (len[i] > 1.6) exit 1; if (len[i] >= 0.5) pauses++ }
    exit !(sound >= 5.5 && pauses >= 2)
  }' || e2e_fail "the MP3 was not heard three times with pauses of about a second: $runs"
music_stops_with_renderer

e2e_log "a WAV loops without a pause and stops with the renderer"
e2e_settings_file "$dir" 2 0 'C:\Program Files\Orvellia Music\tone.wav'
start=$(e2e_audio_now)
e2e_start host "$scr" /s
e2e_wait "renderer window" 30 e2e_has_window Lumenfall_VC
e2e_wait "the WAV heard" 60 e2e_audio_onset "$start"
onset=$(e2e_audio_onset "$start")
e2e_wait "4.5 s of capture from the first sound" 60 e2e_audio_reaches "$(e2e_calc "$onset + 4.5")"
runs=$(e2e_audio_runs "$onset" "$(e2e_calc "$onset + 4.5")")
e2e_log "WAV from $onset s: $(echo $runs)"
# Three times the 1.5 s file, heard without a pause.
echo "$runs" | awk '
  { if ($1 == "sound") sound += $3; else if ($3 > 0.4) pause = 1 }
  END { exit !(sound >= 4.0 && !pause) }' || e2e_fail "the WAV did not loop without a pause: $runs"
music_stops_with_renderer

e2e_log "the audio CD without a drive: one check, then no more polling; the saver runs and ends"
e2e_settings_file "$dir" 1 3 ''
# Wine's MCI trace lists every command string the host sends.
WINEDEBUG=trace+mci e2e_start host "$scr" /s
e2e_wait "renderer window" 30 e2e_has_window Lumenfall_VC
mci_sent() { grep -h "trace:mci:mciSendStringW (" "$E2E_DIR"/*Orvellia.scr.*.log | grep -o 'L"[^"]*"' || true; }
cd_checked() { mci_sent | grep -q '^L"status cdaudio current track"$'; }
e2e_wait "the first CD check" 30 cd_checked
# The CD is polled every 200 ms while it can be used: 2 s would hold about 10 more checks.
e2e_holds 2 e2e_running "$host" || e2e_fail "the host ended while the renderer runs"
trace=$(mci_sent)
e2e_log "commands sent: $(echo "$trace" | tr '\n' ' ')"
[ "$(echo "$trace" | grep -c '^L"status cdaudio current track"$')" = 1 ] ||
  e2e_fail "the CD was not polled exactly once: $trace"
echo "$trace" | grep -q '^L"open cdaudio"$' || e2e_fail "the CD device was not opened: $trace"
echo "$trace" | grep -q 'number of tracks' && e2e_fail "polling went on after the failed track query"
xdotool mousemove 100 75 click 1
e2e_wait "renderer window gone" 30 e2e_no_window Lumenfall_VC
e2e_wait_exit_code rc "$host" 20
[ "$rc" = 0 ] || e2e_fail "the host ended with exit code $rc"
trace=$(mci_sent)
# Polling had given up, so closing leaves the device alone.
echo "$trace" | grep -q '^L"stop cdaudio"$' && e2e_fail "closing stopped the CD after polling gave up"
e2e_log "ok"
