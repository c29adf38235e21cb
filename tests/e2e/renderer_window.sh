#!/usr/bin/env bash
# The real renderer under Wine: its full-screen window of class "OpenGL" titled "Lumenfall_VC"
# appears, draws the clock (dial on the ground, dark beyond it), and a key press ends it with 0.
source "$(dirname "$0")/lib.sh"
e2e_init renderer_window 1024 768
dir=$(e2e_install_to 'Program Files/Orvellia Test')
probe="$ORV_BUILD/win/renderer/window_probe.exe"

xdotool mousemove 512 384
e2e_start renderer "$dir/Orvellia.dll"
e2e_wait "renderer window" 60 e2e_has_window Lumenfall_VC

rect=$(wine "$probe" rect OpenGL Lumenfall_VC </dev/null 2>/dev/null | tr -d '\r')
[ "$rect" = "0 0 1024 768" ] || e2e_fail "window of class OpenGL: rectangle '$rect', expected the whole screen"

# The dial lies around the screen's lower middle; above the ground's far edge the screen stays black.
shot="$E2E_DIR/renderer.png"
dial_drawn() {
  e2e_screenshot "$shot"
  local r g b
  read -r r g b < <(e2e_pixel "$shot" 512 500)
  [ $((r + g + b)) -gt 150 ]
}
e2e_wait "the dial drawn" 30 dial_drawn
for xy in "5 5" "1018 5"; do
  [ "$(e2e_pixel "$shot" $xy)" = "0 0 0" ] || e2e_fail "pixel $xy is not black above the ground"
done
e2e_log "screenshot: $shot"

e2e_running "$renderer" || e2e_fail "renderer ended by itself"
xdotool key space
e2e_wait_exit_code rc "$renderer" 30
[ "$rc" = 0 ] || e2e_fail "renderer exit code $rc after a key press"
e2e_no_window Lumenfall_VC || e2e_fail "window still there after the renderer ended"
e2e_log "ok"
