#!/usr/bin/env bash
# The running saver left alone for ten minutes (ORV_SOAK_SECONDS changes the length) with a short
# MP3 that the host keeps replaying: the host and the renderer keep running, their resident memory
# grows by less than 1 MiB from the minute after the first to the last minute, and the numbers
# of handles and of GDI objects each holds stay put. At the end a click still ends both.
#
# Wine 8 answers 0 to GetGuiResources and GetProcessHandleCount for any process, so the handle
# counts come from the server's handle table (SystemHandleInformation) and the GDI object counts
# from each process's GDI handle table (tests/tools/fault_tool.cpp).
source "$(dirname "$0")/lib.sh"
e2e_init soak_saver 800 600
length=${ORV_SOAK_SECONDS:-600}
settle=$(( length >= 180 ? 60 : length / 3 ))
e2e_start_audio
dir=$(e2e_install_to 'Program Files/Orvellia Soak')
sox -q -n -r 44100 -c 2 "$dir/tone.mp3" synth 3 sine 440 || e2e_fail "sox could not make the MP3"
e2e_settings_file "$dir" 2 0 'C:\Program Files\Orvellia Soak\tone.mp3'

xdotool mousemove 400 300
e2e_start host "$dir/Orvellia.scr" /s
e2e_wait "renderer window" 60 e2e_has_window Lumenfall_VC
e2e_wait "music playing" 30 e2e_music_playing
renderer=$(e2e_unix_pid 'Orvellia Soak.Orvellia\.dll')
[ -n "$renderer" ] || e2e_fail "renderer process not found"
# The renderer draws as fast as it can; niced (every thread: the GL rasteriser runs its own), it
# and its display leave the other tests their share of the cores.
for p in "$renderer" "$host"; do renice -n 10 -p $(ls "/proc/$p/task") >/dev/null; done
renice -n 10 -p "$E2E_XVFB" >/dev/null

rss() { awk '/^VmRSS:/ { print $2 }' "/proc/$1/status"; }
# counts TITLE: "HANDLES GDI_OBJECTS" of the process owning that window.
counts() {
  local n
  e2e_fault_tool counts "$1" "$E2E_DIR/counts.txt" || e2e_fail "no counts for $1"
  n=$(sed -n 's/^handles=\([0-9]*\) .* gditable=\([0-9]*\)$/\1 \2/p' "$E2E_DIR/counts.txt")
  [ -n "$n" ] || e2e_fail "unreadable counts for $1: $(cat "$E2E_DIR/counts.txt")"
  echo "$n"
}
samples="$E2E_DIR/samples.txt"
echo "seconds host_rss_kib renderer_rss_kib host_handles host_gdi renderer_handles renderer_gdi" >"$samples"
start=$(date +%s)
e2e_log "soak of ${length}s, settled values taken at ${settle}s"
while :; do
  t=$(( $(date +%s) - start ))
  e2e_running "$host" || e2e_fail "the host ended at ${t}s"
  e2e_running "$renderer" || e2e_fail "the renderer ended at ${t}s"
  e2e_music_playing || e2e_fail "no music at ${t}s"
  echo "$t $(rss "$host") $(rss "$renderer") $(counts Lumenfall_Main) $(counts Lumenfall_VC)" >>"$samples"
  [ "$t" -ge "$length" ] && break
  sleep 5
done

# lowest COLUMN FROM TO: the lowest value of a column over the samples taken from FROM to TO
# seconds. A leak lifts the lowest value; a large block that the heap hands back and takes again
# only lifts single samples.
lowest() {
  awk -v c="$1" -v a="$2" -v b="$3" 'NR > 1 && $1 >= a && $1 <= b && (m == "" || $c < m) { m = $c }
    END { print m }' "$samples"
}
last=$(tail -n1 "$samples" | cut -d' ' -f1)
window=$(( settle < 60 ? settle : 60 ))
failed=0
for col in 2 3 4 5 6 7; do
  name=$(head -n1 "$samples" | cut -d' ' -f"$col")
  base=$(lowest "$col" "$settle" $(( settle + window )))
  end=$(lowest "$col" $(( last - window )) "$last")
  [ -n "$base" ] && [ -n "$end" ] || e2e_fail "no samples for $name"
  e2e_log "$name: lowest ${base} after ${settle}s, lowest ${end} at the end"
  # Memory may shrink (the heap hands pages back) but must grow by less than 1 MiB; the counts
  # must stay within 2 of where they were, either way.
  case $col in
    2 | 3) bad=$(( end - base >= 1024 )) ;;
    *) bad=$(( end - base > 2 || base - end > 2 )) ;;
  esac
  if [ "$bad" = 1 ]; then
    echo "[$E2E_NAME] $name moved from $base to $end" >&2
    failed=1
  fi
done
if [ "$failed" != 0 ]; then
  cat "$samples" >&2
  e2e_fail "memory grew or handle or GDI object counts moved"
fi

xdotool click 1
e2e_wait "the renderer ends on a click" 60 e2e_not_running "$renderer"
e2e_wait_exit "$host" 60 >/dev/null
[ "$(e2e_saver_flag)" = 0 ] || e2e_fail "the saver flag is still set after the run"
e2e_log "ok"
