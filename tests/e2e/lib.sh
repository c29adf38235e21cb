# Harness for the end-to-end scenarios: each scenario sources this file, calls e2e_init, and then
# drives the real programs under Wine on its own Xvfb display in its own copy of the Wine prefix.
# Everything started here is ended by the EXIT trap, also when the scenario fails.

set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../wine/env.sh"

: "${ORV_DIST:?run scenarios through ctest (ORV_DIST not set)}"
: "${ORV_BUILD:?}"
: "${ORV_TEMPLATE_PREFIX:?}"

E2E_PIDS=()
E2E_XVFB=""

# e2e_init NAME [WIDTH HEIGHT]: work folder, display and prefix of this scenario.
e2e_init() {
  E2E_NAME=$1
  E2E_DIR="$ORV_BUILD/e2e/$E2E_NAME"
  rm -rf "$E2E_DIR"
  mkdir -p "$E2E_DIR"
  trap e2e_cleanup EXIT
  local num
  read -r num E2E_XVFB < <(orv_start_xvfb "${2:-1024}" "${3:-768}")
  export DISPLAY=":$num"
  export WINEPREFIX="$E2E_DIR/prefix"
  cp -a "$ORV_TEMPLATE_PREFIX" "$WINEPREFIX"
  wineserver -p 30 </dev/null >/dev/null 2>&1
  e2e_log "display $DISPLAY, prefix $WINEPREFIX"
}

# e2e_init_monitors NAME W H SCREENS: like e2e_init, on a display of SCREENS monitors of W x H side
# by side (a nested Xephyr with Xinerama on a private Xvfb), the prefix reading them from Xinerama.
e2e_init_monitors() {
  E2E_NAME=$1
  E2E_DIR="$ORV_BUILD/e2e/$E2E_NAME"
  rm -rf "$E2E_DIR"
  mkdir -p "$E2E_DIR"
  trap e2e_cleanup EXIT
  local host num pid
  read -r host E2E_XVFB < <(orv_start_xvfb $(( $2 * $4 + 16 )) $(( $3 + 16 )))
  read -r num pid < <(orv_start_xephyr "$host" "$2" "$3" "$4") || e2e_fail "Xephyr did not start"
  E2E_PIDS+=("$pid")
  export DISPLAY=":$num"
  export WINEPREFIX="$E2E_DIR/prefix"
  cp -a "$ORV_TEMPLATE_PREFIX" "$WINEPREFIX"
  orv_use_xinerama
  wineserver -p 30 </dev/null >/dev/null 2>&1
  e2e_log "display $DISPLAY (${4} monitors of ${2}x${3} on :$host), prefix $WINEPREFIX"
}

e2e_log() { echo "[$E2E_NAME] $*"; }

e2e_fail() {
  echo "[$E2E_NAME] FAIL: $*" >&2
  e2e_screenshot "$E2E_DIR/failure.png" || true
  echo "[$E2E_NAME] screenshot at failure: $E2E_DIR/failure.png" >&2
  exit 1
}

e2e_cleanup() {
  local rc=$?
  set +e
  for p in "${E2E_PIDS[@]}"; do kill "$p" 2>/dev/null; done
  if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
    wineserver -k >/dev/null 2>&1
    wineserver -w >/dev/null 2>&1
  fi
  [ -n "$E2E_XVFB" ] && kill "$E2E_XVFB" 2>/dev/null
  for p in "${E2E_PIDS[@]}"; do wait "$p" 2>/dev/null; done
  # A prefix copy takes about 700 MB: keep it only when the scenario failed, for a look inside.
  if [ "$rc" -eq 0 ] && [ -n "${WINEPREFIX:-}" ]; then rm -rf "$WINEPREFIX"; fi
  exit $rc
}

# e2e_install_to WINDIR: copy the shipped programs into a folder of the prefix's C: drive and
# print its Unix path. WINDIR is like 'Program Files/Orvellia Test' (relative to C:\).
e2e_install_to() {
  local dest="$WINEPREFIX/drive_c/$1"
  mkdir -p "$dest"
  cp "$ORV_DIST"/Orvellia.* "$dest/"
  echo "$dest"
}

# e2e_start VAR EXE [ARGS...]: start a Windows program in the background; its Unix process id goes
# into the variable VAR. Its output goes to a file (never a pipe: Wine's helpers would hold it).
e2e_start() {
  local var=$1; shift
  local out="$E2E_DIR/$(basename "$1").$RANDOM.log"
  wine "$@" >"$out" 2>&1 </dev/null &
  local pid=$!
  E2E_PIDS+=("$pid")
  printf -v "$var" '%s' "$pid"
}

# e2e_wait_exit PID SECONDS: wait for the process to end and reap it; fails on timeout. For its
# exit code use e2e_wait_exit_code.
e2e_wait_exit() {
  local pid=$1 limit=$2
  e2e_wait "process $pid ends" "$limit" e2e_not_running "$pid"
  wait "$pid" 2>/dev/null || true
}

e2e_not_running() { ! kill -0 "$1" 2>/dev/null; }
e2e_running() { kill -0 "$1" 2>/dev/null; }

# e2e_wait DESCRIPTION SECONDS COMMAND...: poll COMMAND until it succeeds, or fail after SECONDS.
e2e_wait() {
  local what=$1 limit=$2; shift 2
  local deadline=$(( $(date +%s%N) + limit * 1000000000 ))
  until "$@" >/dev/null 2>&1; do
    if [ "$(date +%s%N)" -gt "$deadline" ]; then
      e2e_fail "timed out after ${limit}s waiting for: $what"
    fi
    sleep 0.1
  done
}

# e2e_holds SECONDS COMMAND...: true when COMMAND keeps succeeding for the whole period (for
# "nothing happens" checks: polled, so it fails as soon as the condition breaks).
e2e_holds() {
  local limit=$1; shift
  local deadline=$(( $(date +%s%N) + limit * 1000000000 ))
  while [ "$(date +%s%N)" -lt "$deadline" ]; do
    "$@" >/dev/null 2>&1 || return 1
    sleep 0.1
  done
}

# e2e_window TITLE: print the X window id of the visible window with exactly this title.
e2e_window() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1; }
e2e_has_window() { [ -n "$(e2e_window "$1")" ]; }
e2e_no_window() { [ -z "$(e2e_window "$1")" ]; }

e2e_screenshot() {
  xwd -root -silent -display "$DISPLAY" | /usr/bin/convert xwd:- "$1"
}

# e2e_pixel PNG X Y: print "R G B" of one pixel.
e2e_pixel() {
  /usr/bin/convert "$1" -format "%[fx:int(255*p{$2,$3}.r)] %[fx:int(255*p{$2,$3}.g)] %[fx:int(255*p{$2,$3}.b)]" info:
}

# e2e_start_wm: a window manager on this display, for focus and activation changes.
e2e_start_wm() {
  openbox --sm-disable >/dev/null 2>&1 </dev/null &
  E2E_PIDS+=("$!")
  e2e_wait "window manager" 20 xprop -root _NET_SUPPORTING_WM_CHECK
}

# --- Settings dialog ---

# e2e_dialog_install: install the programs and print the folder. The dialog never starts the
# renderer, so where it is not built an empty stand-in file satisfies the host's check for it.
e2e_dialog_install() {
  local dest
  dest=$(e2e_install_to 'Program Files/Orvellia Test')
  [ -f "$dest/Orvellia.scr" ] || e2e_fail "Orvellia.scr is not built"
  [ -f "$dest/Orvellia.dll" ] || : >"$dest/Orvellia.dll"
  echo "$dest"
}

# e2e_dialog_start VAR DEST: open the settings dialog (Orvellia.scr /c) from the installed folder
# and wait until its window shows.
e2e_dialog_start() {
  e2e_start "$1" "$2/Orvellia.scr" /c
  e2e_wait "settings dialog" 60 e2e_has_window '<Orvellia>'
}

# e2e_dialog_ended PID: wait until the dialog's program has ended and check its exit code is 0.
e2e_dialog_ended() {
  e2e_wait "the program ends" 60 e2e_not_running "$1"
  local rc=0
  wait "$1" 2>/dev/null || rc=$?
  [ "$rc" = 0 ] || e2e_fail "the program ended with exit code $rc"
}

# e2e_client_origin TITLE CLIENT_W CLIENT_H: screen position of the window's client area, for a
# window whose frame is equally thick left, right and below (Wine draws it when no window
# manager runs).
e2e_client_origin() {
  local id x y w h
  id=$(e2e_window "$1")
  eval "$(xdotool getwindowgeometry --shell "$id")"
  x=$X y=$Y w=$WIDTH h=$HEIGHT
  local side=$(( (w - $2) / 2 ))
  echo "$(( x + side )) $(( y + h - $3 - side ))"
}

# e2e_dialog_at X Y: screen position of a pixel of the settings dialog's client area.
e2e_dialog_at() {
  local ox oy
  read -r ox oy < <(e2e_client_origin '<Orvellia>' 494 246)
  echo "$(( ox + $1 )) $(( oy + $2 ))"
}

# e2e_dialog_click X Y [BUTTON]: click at a pixel of the dialog's client area.
e2e_dialog_click() {
  local sx sy
  read -r sx sy < <(e2e_dialog_at "$1" "$2")
  xdotool mousemove "$sx" "$sy" click "${3:-1}"
}

# e2e_dialog_pixel PNG X Y: "R G B" of a pixel of the dialog's client area in a screenshot.
e2e_dialog_pixel() {
  local sx sy
  read -r sx sy < <(e2e_dialog_at "$2" "$3")
  e2e_pixel "$1" "$sx" "$sy"
}

# e2e_near "R G B" R G B [TOLERANCE]: true when each channel is within TOLERANCE (default 8).
e2e_near() {
  local r g b t=${5:-8}
  read -r r g b <<<"$1"
  [ $(( r > $2 ? r - $2 : $2 - r )) -le "$t" ] && [ $(( g > $3 ? g - $3 : $3 - g )) -le "$t" ] &&
    [ $(( b > $4 ? b - $4 : $4 - b )) -le "$t" ]
}
# e2e_host_tool: Unix path of the host's scenario helper (host/host_e2e_tool.cpp).
e2e_host_tool() { echo "$ORV_BUILD/win/host/host_e2e_tool.exe"; }

# e2e_tool ARGS...: run the host's scenario helper to its end; its exit code is the result.
e2e_tool() { wine "$(e2e_host_tool)" "$@" >>"$E2E_DIR/tool.log" 2>&1 </dev/null; }

# e2e_unix_pid PATTERN: the Unix process id of a Wine program of this scenario (its prefix) whose
# command line matches PATTERN; nothing when there is none. Other scenarios and developers run the
# same programs at the same time, each in its own prefix; a match by command line alone could name
# one of theirs (and a scenario that kills it would end another's renderer).
e2e_unix_pid() {
  local p
  for p in $(pgrep -f -- "$1"); do
    if tr '\0' '\n' <"/proc/$p/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX"; then
      echo "$p"
      return
    fi
  done
}

# e2e_wait_exit_code VAR PID SECONDS: wait for the process to end and put its exit code into VAR;
# fails on timeout. Runs in the calling shell, which alone can collect its own child's exit code
# (inside $(...) a subshell cannot: the parent reaps the child and the subshell's wait reports -1).
e2e_wait_exit_code() {
  local var=$1 pid=$2 limit=$3 code=0
  e2e_wait "process $pid ends" "$limit" e2e_not_running "$pid"
  wait "$pid" 2>/dev/null || code=$?
  printf -v "$var" '%s' "$code"
}

# --- Music heard: Wine's sound captured in real time and measured ---

# e2e_audio_start: a sound server of this scenario whose only output writes everything it plays,
# in real time (silence included), to $E2E_AUDIO/run.raw (s16le, 48000 Hz, 2 channels); Wine
# programs started afterwards play into it. Position 0 of the capture is the start of the output.
e2e_audio_start() {
  E2E_AUDIO="$E2E_DIR/audio"
  mkdir -p "$E2E_AUDIO/runtime"
  chmod 700 "$E2E_AUDIO/runtime"
  mkfifo "$E2E_AUDIO/fifo"
  # The reader comes first: the server's pipe output blocks until the FIFO has one.
  cat "$E2E_AUDIO/fifo" >"$E2E_AUDIO/run.raw" </dev/null &
  E2E_PIDS+=("$!")
  cat >"$E2E_AUDIO/server.pa" <<PA
load-module module-pipe-sink file=$E2E_AUDIO/fifo format=s16le rate=48000 channels=2 use_system_clock_for_timing=yes sink_name=capture
set-default-sink capture
load-module module-native-protocol-unix auth-anonymous=1 socket=$E2E_AUDIO/native
PA
  export XDG_RUNTIME_DIR="$E2E_AUDIO/runtime"
  export PULSE_SERVER="unix:$E2E_AUDIO/native"
  HOME="$E2E_AUDIO" pulseaudio --daemonize=no -n -F "$E2E_AUDIO/server.pa" --exit-idle-time=-1 \
    --use-pid-file=no >"$E2E_AUDIO/server.log" 2>&1 </dev/null &
  E2E_PIDS+=("$!")
  e2e_wait "sound server" 30 pactl info
  e2e_wait "sound output running" 30 e2e_audio_reaches 0.1
}

# e2e_audio_now: the capture's length so far, in seconds.
e2e_audio_now() {
  awk -v b="$(stat -c %s "$E2E_AUDIO/run.raw")" 'BEGIN { printf "%.2f\n", b / 192000 }'
}

# e2e_audio_reaches SECONDS: true when the capture is at least that long.
e2e_audio_reaches() { awk -v n="$(e2e_audio_now)" -v t="$1" 'BEGIN { exit !(n >= t) }'; }

# e2e_audio_levels FROM TO: the RMS level (full scale 1) of each 0.1 s window of the capture from
# FROM to TO seconds, one "START RMS" line per window (left channel).
e2e_audio_levels() {
  sox -t raw -r 48000 -e signed -b 16 -c 2 "$E2E_AUDIO/run.raw" -t dat - trim "$1" "=$2" remix 1 \
    2>/dev/null | awk -v from="$1" '
      /^;/ { next }
      { w = int($1 * 10 + 1e-6); sum[w] += $2 * $2; n[w]++; if (w > last) last = w }
      END { for (w = 0; w <= last; w++) if (n[w] >= 4000) printf "%.1f %.4f\n", from + w / 10, sqrt(sum[w] / n[w]) }'
}

# e2e_audio_runs FROM TO: the capture from FROM to TO as runs of sound and silence, one
# "sound|silence START LENGTH" line each. A window is sound when its RMS exceeds 0.02; a silence
# of less than 0.3 s between two sounds counts as sound (a dropout of a loaded machine, not a
# pause of the music).
e2e_audio_runs() {
  e2e_audio_levels "$1" "$2" | awk '
    { t[NR - 1] = $1; s[NR - 1] = ($2 > 0.02) }
    END {
      n = NR
      for (i = 0; i < n; i++) {
        if (s[i]) continue
        for (j = i; j < n && !s[j]; j++) {}
        if (i > 0 && j < n && j - i < 3) for (k = i; k < j; k++) s[k] = 1
        i = j - 1
      }
      for (i = 0; i < n; i = j) {
        for (j = i; j < n && s[j] == s[i]; j++) {}
        printf "%s %.1f %.1f\n", s[i] ? "sound" : "silence", t[i], (j - i) / 10
      }
    }'
}

# e2e_audio_onset FROM: the start of the first sound after FROM seconds (fails when none yet).
e2e_audio_onset() {
  local t
  t=$(e2e_audio_runs "$1" "$(e2e_audio_now)" | awk '$1 == "sound" { print $2; exit }')
  [ -n "$t" ] && echo "$t"
}

# e2e_calc EXPR: a decimal sum for the scenarios' times, e.g. e2e_calc "$t + 2.5".
e2e_calc() { awk "BEGIN { printf \"%.2f\n\", $1 }"; }

# e2e_settings_file DIR MODE REPEAT MUSIC: write Orvellia.ini into DIR as the settings dialog
# writes it: CP932 bytes, CRLF, the numbers led by a blank.
e2e_settings_file() {
  printf '[Section]\r\nBGM区分= %s\r\nBGMﾘﾋﾟｰﾄ= %s\r\nBGMﾌｧｲﾙ=%s\r\n' "$2" "$3" "$4" |
    iconv -f UTF-8 -t CP932 >"$1/Orvellia.ini"
}

# --- Faults and soak ---

# e2e_fault_tool ARGS...: run the fault scenarios' helper (tests/tools/fault_tool.cpp) to its end.
e2e_fault_tool() {
  wine "$ORV_BUILD/win/tests/tools/fault_tool.exe" "$@" >>"$E2E_DIR/tool.log" 2>&1 </dev/null
}

# e2e_saver_flag: print the system's screen-saver-running flag (1 or 0) as this prefix sees it.
e2e_saver_flag() {
  e2e_fault_tool saverflag "$E2E_DIR/saverflag.txt" || e2e_fail "could not read the saver flag"
  cat "$E2E_DIR/saverflag.txt"
}

# e2e_start_audio: a private sound server whose only output discards what it plays (no capture file
# as e2e_audio_start writes); what Wine plays shows as streams (e2e_music_playing). Sets
# PULSE_SERVER for the programs started afterwards.
e2e_start_audio() {
  export XDG_RUNTIME_DIR="$E2E_DIR/xdg"
  mkdir -p "$XDG_RUNTIME_DIR"
  chmod 700 "$XDG_RUNTIME_DIR"
  export PULSE_SERVER="unix:$E2E_DIR/pulse.sock"
  cat >"$E2E_DIR/pulse.pa" <<PA
load-module module-null-sink sink_name=orv_null
set-default-sink orv_null
load-module module-native-protocol-unix auth-anonymous=1 socket=$E2E_DIR/pulse.sock
PA
  HOME="$E2E_DIR" pulseaudio --daemonize=no -n -F "$E2E_DIR/pulse.pa" --exit-idle-time=-1 \
    --use-pid-file=no >"$E2E_DIR/pulse.log" 2>&1 </dev/null &
  E2E_PIDS+=("$!")
  e2e_wait "sound server" 30 pactl info
}

# e2e_music_playing / e2e_music_silent: whether any program plays a sound stream now.
e2e_music_playing() { [ -n "$(pactl list sink-inputs short 2>/dev/null)" ]; }
e2e_music_silent() { pactl info >/dev/null 2>&1 && ! e2e_music_playing; }

# e2e_dialog_mode_is MODE: true when the settings dialog shows the music mode MODE (0 none, 1 audio
# CD, 2 file) as its only lit indicator.
e2e_dialog_mode_is() {
  local shot="$E2E_DIR/mode.png" m y r g b
  e2e_screenshot "$shot"
  for m in 0 1 2; do
    y=$(( m == 0 ? 98 : m == 1 ? 78 : 118 ))
    read -r r g b < <(e2e_dialog_pixel "$shot" 46 "$y")
    if [ "$m" = "$1" ]; then
      [ "$b" -gt 180 ] && [ "$r" -lt 120 ] || return 1
    else
      [ "$b" -gt 180 ] && [ "$r" -lt 120 ] && return 1
    fi
  done
  return 0
}

# --- Setup program ---

# e2e_setup_build: pack the release from the built programs into this scenario's folder, as
# tools/release.sh makes it; E2E_SETUP is then the setup program's Unix path.
e2e_setup_build() {
  bash "$ORV_SOURCE/tools/release.sh" --pack "$ORV_DIST" "$E2E_DIR/release" \
    >"$E2E_DIR/release.log" 2>&1 || e2e_fail "packing the release failed: $(cat "$E2E_DIR/release.log")"
  E2E_SETUP=$(ls "$E2E_DIR"/release/Orvellia-*-setup.exe)
}

# e2e_setup_start VAR [WINFOLDER]: start the setup program silently (/S), with /D=WINFOLDER when
# given; its Unix process id goes into VAR.
# NOTE: the setup program takes everything after /D= as the folder, unquoted. Wine quotes an
# argument that holds a blank, so the folder goes over word by word, which Wine joins with single
# blanks (a folder with two blanks in a row cannot be given this way).
e2e_setup_start() {
  local setup_words=()
  if [ $# -gt 1 ]; then read -ra setup_words <<<"/D=$2"; fi
  e2e_start "$1" "$E2E_SETUP" /S "${setup_words[@]}"
}

# e2e_setup_run [WINFOLDER]: run the setup program silently to its end; its exit code goes into
# E2E_SETUP_RC.
e2e_setup_run() {
  local setup_pid
  e2e_setup_start setup_pid "$@"
  e2e_wait_exit_code E2E_SETUP_RC "$setup_pid" 120
}

# e2e_uninstall WINFOLDER: run the uninstaller of that folder silently, as its Uninstall entry's
# QuietUninstallString does, and wait until it has done its work.
# NOTE: the uninstaller copies itself to the temporary folder (~nsuN.tmp\Un.exe), starts the
# copy and ends at once; the copy removes the files.
e2e_uninstall() {
  local uninstaller_pid uninstaller_rc
  e2e_start uninstaller_pid "$1\\uninstall.exe" /S
  e2e_wait_exit_code uninstaller_rc "$uninstaller_pid" 60
  [ "$uninstaller_rc" = 0 ] || e2e_fail "the uninstaller ended with exit code $uninstaller_rc"
  e2e_wait "the uninstaller's copy ends" 120 e2e_no_uninstaller
}
e2e_no_uninstaller() { [ -z "$(e2e_unix_pid 'nsu[0-9A-Za-z]*\.tmp.Un\.exe')" ]; }

# e2e_reg KEY NAME: print the value NAME of the registry key KEY (REG_SZ as text, REG_DWORD as a
# decimal number); fails when the key or the value is absent.
e2e_reg() {
  local out="$E2E_DIR/reg.txt" line
  wine reg query "$1" /v "$2" >"$out" 2>/dev/null </dev/null || return 1
  # reg writes in the console's code page, 932 here.
  line=$(iconv -f CP932 -t UTF-8 "$out" | tr -d '\r' | grep -m1 -iF "    $2    REG_") || return 1
  line=${line:$(( ${#2} + 8 ))}
  case $line in
    REG_DWORD*) printf '%d\n' "${line#REG_DWORD    }" ;;
    REG_SZ*) printf '%s\n' "${line#REG_SZ    }" ;;
    *) return 1 ;;
  esac
}
e2e_reg_has_key() { wine reg query "$1" >/dev/null 2>&1 </dev/null; }
# e2e_reg_lacks KEY NAME: true when the key can be read and holds no value NAME.
e2e_reg_lacks() {
  local out="$E2E_DIR/reg.txt"
  wine reg query "$1" >"$out" 2>/dev/null </dev/null || return 1
  ! iconv -f CP932 -t UTF-8 "$out" | tr -d '\r' | grep -qiF "    $2    REG_"
}
e2e_reg_set() { wine reg add "$1" /v "$2" /t REG_SZ /d "$3" /f >/dev/null 2>&1 </dev/null; }

# e2e_wine_user: the name of the prefix's user profile folder (C:\users\<name>), which Wine names
# after the Unix user it was made by.
e2e_wine_user() { ls "$WINEPREFIX/drive_c/users" | grep -vx Public | head -n1; }

E2E_UNINSTALL_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Orvellia'
E2E_DESKTOP_KEY='HKCU\Control Panel\Desktop'

# e2e_expect_reg KEY NAME VALUE: fail unless the registry value is exactly VALUE.
e2e_expect_reg() {
  local got
  got=$(e2e_reg "$1" "$2") || e2e_fail "no value $2 in $1"
  [ "$got" = "$3" ] || e2e_fail "$2 is '$got', not '$3'"
}

# e2e_window_texts CAPTION: the pages and messages of the windows whose title starts with CAPTION,
# into $E2E_DIR/texts.txt, one "ID<TAB>CLASS<TAB>TEXT" line per control (tests/tools/
# window_texts.cpp); fails when there is no such window.
e2e_window_texts() {
  wine "$ORV_BUILD/win/tests/tools/window_texts.exe" "$1" "Z:${E2E_DIR//\//\\}\\texts.txt" \
    >>"$E2E_DIR/tool.log" 2>&1 </dev/null
}
