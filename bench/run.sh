#!/usr/bin/env bash
# Runs every benchmark and prints one table (Markdown, also written to build/bench-results/results.md).
# Each figure of the shipped programs stands beside a reference measured in the same run under the
# same Wine and display, so the ratios hold on a busy machine. Figures only: nothing here passes or
# fails on time.
#
#   bench/run.sh [SECONDS] [RUNS]
#     SECONDS  per frame-rate figure (default 5)
#     RUNS     start/exit rounds of the saver and of the reference (default 20)
#
# What is measured, and how:
#   frame rate   renderer_fps.exe: the renderer's own start-up, frame and loop, unpaced and paced as
#                shipped, each with the process's CPU time; the ground alone; a floor frame (clear,
#                one full-screen textured quad, swap); the scene sent batched (ground from a display
#                list, blossoms in one glBegin/glEnd); at 1024x768 and 1920x1080 (paced and unpaced
#                also at 320x240, where frames outrun the display on a loaded machine); and on two
#                monitors of 1024x768 (Xephyr with Xinerama on Xvfb) against the floor frame over
#                the whole 2048x768.
#   start        `Orvellia.scr /s` started to its first presented frame, against min_wgl.exe (one
#                full-screen window, one WGL frame). The first frame is seen from outside: the probe
#                reads a 64x64 region in the screen's middle until a pixel is not black (Xvfb runs
#                with a black root, -br, and both programs draw there). The renderer started alone
#                shows the host's share of the saver's start: the difference of the two medians.
#                Its floor: min_launch.exe starting the renderer (CreateProcess only; and after a
#                hidden window, the order the host's start follows), minus the renderer alone.
#   exit         `xdotool key space` to the host's Unix process gone (and the renderer's), against
#                min_wgl.exe ending on the same key; median and worst. Openbox runs as the window
#                manager, as on a desktop.
#   CPU          task-clock of each Wine process over 10 s of a running saver (perf stat; /proc
#                utime+stime when perf cannot attach), against min_win32.exe (a hidden window and
#                its message loop) running at the same time.
#   memory       VmHWM of the host and the renderer, against min_win32.exe and min_wgl.exe.
#   DLLs         the DLLs mapped into the running /s host without music (/proc/PID/maps), and which
#                of those that only /c, /p or music use (comdlg32, ole32, oleaut32, shell32, msimg32;
#                winmm) are among them.
#   scene parts  scene_profile (native, OSMesa offscreen): the scene's frame by part against the
#                floor frame, and batched ways of sending the same ground and blossoms.
#   size         the two shipped files, their imported DLLs, a stripped copy of each (what the
#                symbol table and debug sections of the static runtime add), what else lies in dist/.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
seconds=${1:-5}
runs=${2:-20}
load_before=$(cut -d' ' -f1-3 /proc/loadavg)
bash tools/build.sh >/dev/null
source tests/wine/env.sh

out="$root/build/bench-results"
win="$root/build/win/bench"
probe="$root/build/bench/probe"
profile="$root/build/bench/scene_profile"
for f in "$win/renderer_fps.exe" "$win/min_wgl.exe" "$win/min_win32.exe" "$win/min_launch.exe" "$probe" "$profile" \
  "$root/dist/Orvellia.scr" "$root/dist/Orvellia.dll"; do
  [ -f "$f" ] || { echo "bench: $f is not built" >&2; exit 1; }
done
mkdir -p "$out"
orv_ensure_template "$root/build/wine/template"
export WINEPREFIX="$out/prefix"
rm -rf "$WINEPREFIX"
cp -a "$root/build/wine/template" "$WINEPREFIX"
# Everything runs from one folder of the prefix with a blank in its name, as installed programs do.
folder='Program Files/Orvellia Bench'
dir="$WINEPREFIX/drive_c/$folder"
mkdir -p "$dir"
cp "$root/dist/Orvellia.scr" "$root/dist/Orvellia.dll" "$win/min_wgl.exe" "$win/min_win32.exe" \
  "$win/min_launch.exe" "$dir/"
windir="C:\\Program Files\\Orvellia Bench"

xvfb=""
started=()
cleanup() {
  set +e
  wineserver -k >/dev/null 2>&1
  wineserver -w >/dev/null 2>&1
  for p in "${started[@]}"; do kill "$p" 2>/dev/null; done
  [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null
}
trap cleanup EXIT

# A private display with a black root window, so that a first frame shows as pixels turning on.
start_display() {
  local fifo num
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  Xvfb -displayfd 9 -screen 0 "${1}x${2}x24" -br +extension GLX -nolisten tcp -noreset \
    9>"$fifo" >/dev/null 2>&1 </dev/null &
  xvfb=$!
  num=$(timeout 30 head -n1 "$fifo")
  rm -f "$fifo"
  [ -n "$num" ] || { echo "bench: Xvfb did not start" >&2; exit 1; }
  export DISPLAY=":$num"
}

stop_display() {
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  for p in "${started[@]}"; do kill "$p" 2>/dev/null || true; done
  started=()
  kill "$xvfb" 2>/dev/null || true
  wait "$xvfb" 2>/dev/null || true
  xvfb=""
}

warm_server() { wineserver -p 60 </dev/null >/dev/null 2>&1; }

# median FILE / worst FILE: of a column of numbers.
median() { sort -n "$1" | awk '{ v[NR] = $1 } END { if (NR == 0) print "-"; else if (NR % 2) print v[(NR + 1) / 2]; else printf "%.0f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
worst() { sort -n "$1" | tail -n1; }
count() { wc -l <"$1" | tr -d ' '; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b + 0 == 0 || a == "-" || b == "-") print "-"; else printf "%.2f\n", a / b }'; }
kib_to_mib() { awk -v k="$1" 'BEGIN { if (k == "") print "-"; else printf "%.1f\n", k / 1024 }'; }
hwm_kib() { awk '/^VmHWM:/ { print $2 }' "/proc/$1/status" 2>/dev/null || true; }
minus() { awk -v a="$1" -v b="$2" 'BEGIN { if (a == "-" || b == "-" || a == "" || b == "") print "-"; else printf "%.0f\n", a - b }'; }
# mapped_dlls PID: the DLLs mapped into a Wine process, lower case, one line.
mapped_dlls() { grep -oiE '[a-z0-9_]+\.dll$' "/proc/$1/maps" 2>/dev/null | tr 'A-Z' 'a-z' | sort -u | paste -sd' '; }

# The Unix process of the running renderer in this run's prefix (Wine keeps the Windows path in
# the command line; another run elsewhere may use the same folder name).
renderer_pid() {
  local p
  for p in $(pgrep -f -- 'Orvellia Bench.Orvellia\.dll'); do
    if grep -qzxF "WINEPREFIX=$WINEPREFIX" "/proc/$p/environ" 2>/dev/null; then
      echo "$p"
      return
    fi
  done
}

# ---------------------------------------------------------------------------------------------
# Frame rate at two screen sizes.
declare -A fps_scene fps_floor fps_batched fps_ground fps_paced cpu_scene cpu_paced refresh
gl_renderer="-"
# field LOG NAME: the frames per second of the line NAME; cpu LOG NAME: its CPU share of a core.
field() { tr -d '\r' <"$1" | awk -v n="$2" '$1 == n && $3 == "fps" { print $2 }'; }
cpu() { tr -d '\r' <"$1" | awk -v n="$2" '$1 == n { for (i = 1; i < NF; i++) if ($i == "cpu") print $(i + 1) }'; }
reported_hz() { tr -d '\r' <"$1" | sed -n 's/.*refresh reported \([0-9]*\) Hz.*/\1/p'; }
paced_hz() { tr -d '\r' <"$1" | sed -n 's/.*paced to \([0-9]*\) Hz.*/\1/p'; }
# 320x240 as well: a size at which the frames outrun the display even on a loaded machine, so that
# the pacing shows there when it cannot at the larger sizes.
for size in 320x240 1024x768 1920x1080; do
  start_display "${size%x*}" "${size#*x}"
  echo "bench: frame rate at $size (${seconds} s per figure)" >&2
  log="$out/renderer_fps.$size.txt"
  # Output to a file, never a pipe: Wine's helpers would hold the pipe open.
  wine "$win/renderer_fps.exe" "$seconds" >"$log" 2>&1 </dev/null || true
  fps_scene[$size]=$(tr -d '\r' <"$log" | awk '$1 == "scene" && $3 == "fps" { print $2 }')
  fps_floor[$size]=$(tr -d '\r' <"$log" | awk '$1 == "floor" && $3 == "fps" { print $2 }')
  fps_ground[$size]=$(tr -d '\r' <"$log" | awk '$1 == "ground" && $3 == "fps" { print $2 }')
  fps_batched[$size]=$(tr -d '\r' <"$log" | awk '$1 == "batched" && $3 == "fps" { print $2 }')
  fps_paced[$size]=$(field "$log" paced)
  cpu_scene[$size]=$(cpu "$log" scene)
  cpu_paced[$size]=$(cpu "$log" paced)
  refresh[$size]="$(reported_hz "$log") $(paced_hz "$log")"
  gl=$(tr -d '\r' <"$log" | sed -n 's/.*GL renderer \(.*\), WGL_EXT.*/\1/p')
  [ -z "$gl" ] || gl_renderer=$gl
  stop_display
done

# ---------------------------------------------------------------------------------------------
# Frame rate on two monitors of 1024x768 side by side, in a prefix of its own that reads them from
# Xinerama, against the floor frame over the whole 2048x768 window on the same display.
echo "bench: frame rate on two monitors of 1024x768 (${seconds} s per figure)" >&2
read -r host_num xvfb < <(orv_start_xvfb 2064 784) || { echo "bench: Xvfb did not start" >&2; exit 1; }
read -r nested_num nested < <(orv_start_xephyr "$host_num" 1024 768 2) || { echo "bench: Xephyr did not start" >&2; exit 1; }
started+=("$nested")
export DISPLAY=":$nested_num"
single_prefix=$WINEPREFIX
export WINEPREFIX="$out/prefix-monitors"
rm -rf "$WINEPREFIX"
cp -a "$root/build/wine/template" "$WINEPREFIX"
orv_use_xinerama
log="$out/renderer_fps.monitors.txt"
wine "$win/renderer_fps.exe" "$seconds" monitors >"$log" 2>&1 </dev/null || true
fps_two=$(field "$log" scene) fps_two_paced=$(field "$log" paced) fps_two_floor=$(field "$log" floor)
two_layout=$(tr -d '\r' <"$log" | sed -n 's/^window \(.*\), refresh.*/\1/p')
stop_display
rm -rf "$WINEPREFIX"
export WINEPREFIX=$single_prefix

# ---------------------------------------------------------------------------------------------
# Start and exit: the saver and the reference in turns, on a 1920x1080 display, server kept warm.
# A window manager runs as on a desktop: without one, Wine takes about 2 s to end any full-screen
# window (the reference as much as the renderer), which would hide every other cost.
start_display 1920 1080
openbox --sm-disable >/dev/null 2>&1 </dev/null &
started+=("$!")
for _ in $(seq 100); do xprop -root _NET_SUPPORTING_WM_CHECK >/dev/null 2>&1 && break; sleep 0.1; done
warm_server
region=(928 508 64 64)
: >"$out/start.scr" ; : >"$out/start.ref" ; : >"$out/start.dll"
: >"$out/start.launch" ; : >"$out/start.launch_window"
: >"$out/exit.host" ; : >"$out/exit.renderer" ; : >"$out/exit.ref"
: >"$out/failures"
hwm_wgl="" hwm_renderer_run=""

# After a failed round: end whatever of it still runs, so the next round starts on a black screen.
reset_round() {
  echo "$1" >>"$out/failures"
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  warm_server
}

# run_ref / run_saver RECORD: one start to first frame and one exit on a key.
run_ref() {
  local record=$1 pid ms e
  if ! read -r pid ms < <("$probe" frame "${region[@]}" 60 "$out/min_wgl.log" -- wine "$windir\\min_wgl.exe"); then
    reset_round "reference start"; return
  fi
  sleep 1
  hwm_wgl=$(hwm_kib "$pid")
  if e=$("$probe" exit "$pid" 20 -- xdotool key space); then
    [ "$record" = no ] || { echo "$ms" >>"$out/start.ref"; echo "$e" >>"$out/exit.ref"; }
  else
    reset_round "reference exit"
  fi
}

run_saver() {
  local record=$1 pid ms rpid e_host e_renderer
  if ! read -r pid ms < <("$probe" frame "${region[@]}" 60 "$out/saver.log" -- wine "$windir\\Orvellia.scr" /s); then
    reset_round "saver start"; return
  fi
  # Settle: the host has seen the renderer's window and the loop draws its steady frames.
  sleep 1
  rpid=$(renderer_pid)
  [ -n "$rpid" ] || { reset_round "saver: renderer process not found"; return; }
  hwm_renderer_run=$(hwm_kib "$rpid")
  if read -r e_host e_renderer < <("$probe" exit "$pid,$rpid" 20 -- xdotool key space); then
    [ "$record" = no ] || { echo "$ms" >>"$out/start.scr"; echo "$e_host" >>"$out/exit.host"; echo "$e_renderer" >>"$out/exit.renderer"; }
  else
    reset_round "saver exit"
  fi
}

# run_to_frame RECORD NAME PROGRAM...: PROGRAM started to the renderer's first frame, then ended
# on a key; the time goes to RECORD. Started directly, the renderer gives the host's share of the
# start as the difference; min_launch.exe gives the floor of a program that only starts it.
run_to_frame() {
  local record=$1 name=$2 pid ms
  shift 2
  if ! read -r pid ms < <("$probe" frame "${region[@]}" 60 "$out/$name.log" -- wine "$@"); then
    reset_round "$name start"; return
  fi
  sleep 1
  if "$probe" exit "$pid" 20 -- xdotool key space >/dev/null; then
    echo "$ms" >>"$record"
  else
    reset_round "$name exit"
  fi
}

echo "bench: start and exit, $runs rounds at 1920x1080" >&2
run_ref no
run_saver no   # the first round only warms caches
for _ in $(seq "$runs"); do
  run_ref yes
  run_saver yes
  run_to_frame "$out/start.dll" renderer "$windir\\Orvellia.dll"
  run_to_frame "$out/start.launch" launch "$windir\\min_launch.exe" "$windir\\Orvellia.dll"
  run_to_frame "$out/start.launch_window" launch "$windir\\min_launch.exe" /window "$windir\\Orvellia.dll"
done

# ---------------------------------------------------------------------------------------------
# CPU and memory over 10 s of a running saver, with the minimal Win32 program beside it.
echo "bench: CPU and memory over 10 s of a running saver" >&2
wine "$windir\\min_win32.exe" >"$out/min_win32.log" 2>&1 </dev/null &
win32=$!
started+=("$win32")
read -r host ms < <("$probe" frame "${region[@]}" 60 "$out/saver.log" -- wine "$windir\\Orvellia.scr" /s) || host=""
sleep 2
renderer=$(renderer_pid)
# The wineserver of this prefix: its working folder is named after the prefix's device and inode.
server_dir=$(printf 'server-%x-%x' "$(stat -c %d "$WINEPREFIX")" "$(stat -c %i "$WINEPREFIX")")
server=""
for p in $(pgrep '^wineserver'); do
  [[ "$(readlink "/proc/$p/cwd" 2>/dev/null)" == */"$server_dir" ]] && server=$p
done

# cpu_ms PID FILE: writes the CPU milliseconds PID uses in the next 10 s (all its threads).
cpu_ms() {
  local pid=$1 file=$2 ticks0 ticks1 hz
  if perf stat -x, -e task-clock -p "$pid" -o "$file.perf" -- sleep 10 >/dev/null 2>&1 &&
    awk -F, '$3 ~ /task-clock/ && $1 ~ /^[0-9.]+$/ { found = 1; printf "%.1f\n", $1 }
             $3 ~ /task-clock/ && $1 ~ /not counted/ { found = 1; print "0.0" }  # it never ran
             END { exit !found }' \
      "$file.perf" >"$file"; then
    return
  fi
  # perf could not count it: utime + stime from /proc, in clock ticks.
  hz=$(getconf CLK_TCK)
  ticks0=$(awk '{ sub(/.*\) /, ""); print $12 + $13 }' "/proc/$pid/stat")
  sleep 10
  ticks1=$(awk '{ sub(/.*\) /, ""); print $12 + $13 }' "/proc/$pid/stat")
  echo "$(( (ticks1 - ticks0) * 1000 / hz )) (ticks)" >"$file"
}

cpu_host="-" cpu_renderer="-" cpu_win32="-" cpu_server="-"
hwm_host="" hwm_renderer="" hwm_win32="" dlls_host="" dlls_win32=""
if [ -n "$host" ] && [ -n "$renderer" ]; then
  cpu_ms "$host" "$out/cpu.host" &
  a=$!
  cpu_ms "$renderer" "$out/cpu.renderer" &
  b=$!
  cpu_ms "$win32" "$out/cpu.win32" &
  c=$!
  d=""
  if [ -n "$server" ]; then cpu_ms "$server" "$out/cpu.server" & d=$!; fi
  wait $a $b $c $d || true
  cpu_host=$(cat "$out/cpu.host")
  cpu_renderer=$(cat "$out/cpu.renderer")
  cpu_win32=$(cat "$out/cpu.win32")
  [ -z "$server" ] || cpu_server=$(cat "$out/cpu.server")
  hwm_host=$(hwm_kib "$host")
  dlls_host=$(mapped_dlls "$host")
  dlls_win32=$(mapped_dlls "$win32")
  hwm_renderer=$(hwm_kib "$renderer")
  hwm_win32=$(hwm_kib "$win32")
  "$probe" exit "$host" 20 -- xdotool key space >/dev/null || true
else
  echo "cpu: the saver did not start" >>"$out/failures"
fi
[ -n "$hwm_renderer" ] || hwm_renderer=$hwm_renderer_run
load_after=$(cut -d' ' -f1-3 /proc/loadavg)
stop_display

# ---------------------------------------------------------------------------------------------
# Where the scene's frame time goes, natively (no Wine, no display).
echo "bench: the scene by part, natively at 1920x1080" >&2
"$profile" 1920 1080 2 >"$out/scene_profile.txt" 2>&1 || true

# ---------------------------------------------------------------------------------------------
# Sizes and what the shipped programs need beside them.
size_scr=$(stat -c %s "$root/dist/Orvellia.scr")
size_dll=$(stat -c %s "$root/dist/Orvellia.dll")
beside=$(find "$root/dist" -maxdepth 1 -type f ! -name Orvellia.scr ! -name Orvellia.dll -printf '%f ' | sed 's/ $//')
stripped_kib() {
  x86_64-w64-mingw32-strip -o "$out/stripped.tmp" "$1" && echo $(( $(stat -c %s "$out/stripped.tmp") / 1024 ))
  rm -f "$out/stripped.tmp"
}
imports() { x86_64-w64-mingw32-objdump -p "$1" | awk '/DLL Name:/ { print tolower($3) }' | sort -u | paste -sd' '; }

pct() { awk -v ms="$1" 'BEGIN { if (ms ~ /^[0-9.]+$/) printf "%.3f %%", ms / 100; else print "-" }'; }
num() { awk -v v="$1" 'BEGIN { split(v, a, " "); print a[1] }'; }

{
  echo "Measured $(date '+%Y-%m-%d %H:%M %Z') on $(uname -n): $(awk -F': ' '/^model name/ { print $2; exit }' /proc/cpuinfo), $(nproc) cores, $(awk '/MemTotal/ { printf "%.0f GiB", $2 / 1048576 }' /proc/meminfo)."
  echo "$(wine --version 2>/dev/null), GL: $gl_renderer, Xvfb 24-bit. Load average (1/5/15 min) at start $load_before, at end $load_after."
  echo
  echo "| Figure | Orvellia | Reference (same run) | Ratio | Goal |"
  echo "|---|---|---|---|---|"
  for size in 1024x768 1920x1080; do
    s=${fps_scene[$size]:-}; f=${fps_floor[$size]:-}
    goal="scene ≤ 1.5× floor"
    [ "$size" = 1920x1080 ] && goal="≥ 60 fps; scene ≤ 1.5× floor"
    echo "| Frames per second, ${size/x/×} | ${s:--} fps | floor frame ${f:--} fps | $(ratio "$f" "$s")× floor time | $goal |"
  done
  for size in 320x240 1024x768 1920x1080; do
    p=${fps_paced[$size]:-}; s=${fps_scene[$size]:-}
    read -r hz to <<<"${refresh[$size]:-- -}"
    echo "| Frames per second paced, ${size/x/×} (refresh reported $hz Hz, taken as $to) | ${p:--} fps | unpaced ${s:--} fps | $(ratio "$p" "$to")× refresh | paced ≤ refresh + 5 % |"
  done
  for size in 320x240 1024x768 1920x1080; do
    cp_=${cpu_paced[$size]:-}; cs=${cpu_scene[$size]:-}
    goal="—"
    [ "$size" = 1024x768 ] && goal="paced ≤ 0.6× unpaced"
    echo "| CPU of the renderer's process paced, ${size/x/×} | ${cp_:--} % of a core | unpaced ${cs:--} % | $(ratio "$cp_" "$cs")× | $goal |"
  done
  echo "| Frames per second on two monitors of 1024×768 (${two_layout:-?}), unpaced | ${fps_two:--} fps | floor frame at 2048×768 ${fps_two_floor:--} fps | $(ratio "$fps_two_floor" "$fps_two")× floor time | — |"
  echo "| Frames per second on two monitors of 1024×768, paced | ${fps_two_paced:--} fps | floor frame at 2048×768 ${fps_two_floor:--} fps | — | paced ≤ refresh + 5 % |"
  for size in 1024x768 1920x1080; do
    g=${fps_ground[$size]:-}; f=${fps_floor[$size]:-}
    echo "| The ground alone (clear, DrawGround, swap), ${size/x/×} | ${g:--} fps | floor frame ${f:--} fps | $(ratio "$f" "$g")× floor time | — |"
  done
  for size in 1024x768 1920x1080; do
    b=${fps_batched[$size]:-}; f=${fps_floor[$size]:-}
    echo "| The same scene sent batched (bench variant), ${size/x/×} | ${b:--} fps | floor frame ${f:--} fps | $(ratio "$f" "$b")× floor time | — |"
  done
  echo "| Start: \`Orvellia.scr /s\` to first frame (median of $(count "$out/start.scr")) | $(median "$out/start.scr") ms | min_wgl $(median "$out/start.ref") ms | $(ratio "$(median "$out/start.scr")" "$(median "$out/start.ref")")× | — |"
  echo "| Start: \`Orvellia.dll\` alone to first frame (median of $(count "$out/start.dll")) | $(median "$out/start.dll") ms | min_wgl $(median "$out/start.ref") ms | $(ratio "$(median "$out/start.dll")" "$(median "$out/start.ref")")× | — |"
  share=$(minus "$(median "$out/start.scr")" "$(median "$out/start.dll")")
  floor=$(minus "$(median "$out/start.launch")" "$(median "$out/start.dll")")
  floor_window=$(minus "$(median "$out/start.launch_window")" "$(median "$out/start.dll")")
  echo "| Start: the host's own share (\`/s\` median minus \`Orvellia.dll\` alone median) | $share ms | min_launch $floor ms; after a hidden window $floor_window ms | $(ratio "$share" "$floor_window")× (window) | ≤ 35 ms |"
  echo "| Start: \`min_launch.exe\` starting the renderer, to first frame (median of $(count "$out/start.launch"); after a hidden window, $(count "$out/start.launch_window")) | $(median "$out/start.launch") ms; $(median "$out/start.launch_window") ms | \`Orvellia.dll\` alone $(median "$out/start.dll") ms | — | — |"
  echo "| Exit: key to host gone, median / worst of $(count "$out/exit.host") | $(median "$out/exit.host") / $(worst "$out/exit.host") ms | min_wgl $(median "$out/exit.ref") / $(worst "$out/exit.ref") ms | $(ratio "$(worst "$out/exit.host")" "$(worst "$out/exit.ref")")× (worst) | worst ≤ 600 ms |"
  echo "| Exit: key to renderer gone, median / worst | $(median "$out/exit.renderer") / $(worst "$out/exit.renderer") ms | min_wgl $(median "$out/exit.ref") / $(worst "$out/exit.ref") ms | $(ratio "$(median "$out/exit.renderer")" "$(median "$out/exit.ref")")× (median) | — |"
  echo "| CPU of the host, 10 s running | $cpu_host ms = $(pct "$(num "$cpu_host")") of a core | min_win32 $cpu_win32 ms | $(ratio "$(num "$cpu_host")" "$(num "$cpu_win32")")× | ≤ 0.1 % of a core |"
  echo "| CPU of the renderer (paced), 10 s running | $cpu_renderer ms = $(pct "$(num "$cpu_renderer")") of a core | — | — | — |"
  echo "| CPU of the prefix's wineserver, same 10 s | $cpu_server ms = $(pct "$(num "$cpu_server")") of a core | — | — | — |"
  echo "| Peak memory (VmHWM) of the host | $(kib_to_mib "$hwm_host") MiB | min_win32 $(kib_to_mib "$hwm_win32") MiB | $(ratio "$hwm_host" "$hwm_win32")× | ≤ 1.3× min_win32 |"
  unused=$(tr ' ' '\n' <<<"$dlls_host" | grep -xE 'comdlg32\.dll|ole32\.dll|oleaut32\.dll|shell32\.dll|msimg32\.dll|winmm\.dll' | paste -sd' ' || true)
  echo "| DLLs mapped in the running host (\`/s\`, no music) | $(wc -w <<<"$dlls_host") DLLs; of those only /c, /p or music use: ${unused:-none} | min_win32 $(wc -w <<<"$dlls_win32") DLLs | — | none of comdlg32, ole32, oleaut32, shell32, msimg32, winmm |"
  echo "| Peak memory (VmHWM) of the renderer | $(kib_to_mib "$hwm_renderer") MiB | min_wgl $(kib_to_mib "$hwm_wgl") MiB | $(ratio "$hwm_renderer" "$hwm_wgl")× | — |"
  echo "| Size of Orvellia.scr | $((size_scr / 1024)) KiB; imports $(imports "$root/dist/Orvellia.scr") | stripped copy $(stripped_kib "$root/dist/Orvellia.scr") KiB | — | ≤ 1 MiB |"
  echo "| Size of Orvellia.dll | $((size_dll / 1024)) KiB; imports $(imports "$root/dist/Orvellia.dll") | stripped copy $(stripped_kib "$root/dist/Orvellia.dll") KiB | — | ≤ 1 MiB |"
  echo "| Other files in dist/ | ${beside:-none} | — | — | no DLL beside |"
  echo
  echo "Where the scene's frame time goes (native, same machine, same run):"
  echo
  echo '```'
  cat "$out/scene_profile.txt"
  echo '```'
  if [ -s "$out/failures" ]; then
    echo
    echo "Rounds that failed (left out of the figures): $(sort "$out/failures" | uniq -c | awk '{ c = $1; $1 = ""; printf "%s%s ×%d", sep, substr($0, 2), c; sep = ", " }')."
  fi
} >"$out/results.md"
cat "$out/results.md"
