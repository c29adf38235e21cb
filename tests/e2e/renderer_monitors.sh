#!/usr/bin/env bash
# The running saver on a display of two monitors of 1024x768 side by side: /s covers both (a
# desktop window on the second monitor is hidden), the clock shows on each with the same time and
# blossom phase, and a key, a click and a mouse move of more than 50 pixels that starts with the
# pointer on the second monitor each end it.
source "$(dirname "$0")/lib.sh"
e2e_init_monitors renderer_monitors 1024 768 2
dir=$(e2e_install_to 'Program Files/Orvellia Test')
probe="$ORV_BUILD/win/renderer/window_probe.exe"

# green_share PNG: the share of the desktop window's pure green where it lies on the second
# monitor (a colour the clock scene never draws).
green_share() {
  /usr/bin/convert "$1" -crop 400x300+1300+200 +repage -fuzz 10% -fill black +opaque '#00ff00' \
    -fill white -opaque '#00ff00' -colorspace gray -format '%[fx:mean]' info:
}

xlogo -bg '#00ff00' -fg '#00ff00' -geometry 400x300+1300+200 >/dev/null 2>&1 </dev/null &
E2E_PIDS+=("$!")
desktop_window_shows() {
  e2e_screenshot "$E2E_DIR/desktop.png"
  awk -v s="$(green_share "$E2E_DIR/desktop.png")" 'BEGIN { exit !(s > 0.9) }'
}
e2e_wait "a desktop window on the second monitor" 30 desktop_window_shows

# start_saver X Y: Orvellia.scr /s with the pointer at X Y, until its renderer window shows.
start_saver() {
  xdotool mousemove "$1" "$2"
  e2e_start saver "$dir/Orvellia.scr" /s
  e2e_wait "renderer window" 90 e2e_has_window Lumenfall_VC
}

# saver_ends WHAT: the host and its renderer end, with the window gone.
saver_ends() {
  local rc
  e2e_wait_exit_code rc "$saver" 60
  [ "$rc" = 0 ] || e2e_fail "$1: the saver ended with exit code $rc"
  e2e_wait "renderer window gone after $1" 30 e2e_no_window Lumenfall_VC
  e2e_log "$1 ends the saver"
}

start_saver 1500 400
rect=$(wine "$probe" rect OpenGL Lumenfall_VC </dev/null 2>/dev/null | tr -d '\r')
[ "$rect" = "0 0 2048 768" ] || e2e_fail "renderer window '$rect', expected both monitors (0 0 2048 768)"

# The clock on each monitor: the dial around each one's lower middle, black sky at its top
# corners, the desktop window hidden; and both monitors show the same picture (one frame, one time,
# one blossom phase), but for the odd pixel of a screenshot taken while a frame is presented.
shot="$E2E_DIR/monitors.png"
both_clocks() {
  e2e_screenshot "$shot"
  local r g b xy
  for xy in "512 500" "1536 500"; do
    read -r r g b < <(e2e_pixel "$shot" $xy)
    [ $((r + g + b)) -gt 150 ] || return 1
  done
  for xy in "5 5" "1018 5" "1029 5" "2042 5"; do
    [ "$(e2e_pixel "$shot" $xy)" = "0 0 0" ] || return 1
  done
  awk -v s="$(green_share "$shot")" 'BEGIN { exit !(s == 0) }' || return 1
  local differing
  /usr/bin/convert "$shot" -crop 1024x768+0+0 +repage "$E2E_DIR/left.png"
  /usr/bin/convert "$shot" -crop 1024x768+1024+0 +repage "$E2E_DIR/right.png"
  differing=$(/usr/bin/compare -metric AE -fuzz 12% "$E2E_DIR/left.png" "$E2E_DIR/right.png" null: 2>&1 || true)
  echo "$differing" >"$E2E_DIR/differing.txt"
  [ "${differing%%.*}" -lt 4000 ] 2>/dev/null
}
e2e_wait "the clock on both monitors, the desktop window hidden" 60 both_clocks
e2e_log "screenshot: $shot; pixels differing between the two monitors: $(cat "$E2E_DIR/differing.txt")"

xdotool key space
saver_ends "a key"

start_saver 1500 400
xdotool click 1
saver_ends "a click"

# From the second monitor: 50 pixels on each axis keep it, 60 end it.
start_saver 1500 400
xdotool mousemove 1550 450
e2e_holds 3 e2e_running "$saver" || e2e_fail "a 50-pixel move on the second monitor ended the saver"
e2e_has_window Lumenfall_VC || e2e_fail "the window went away after a 50-pixel move"
xdotool mousemove 1560 400
saver_ends "a 60-pixel move that started on the second monitor"
e2e_log "ok"
