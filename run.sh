#!/usr/bin/env bash
# Builds if needed and runs the screen saver under Wine.
# With a display ($DISPLAY reachable) it runs there until you press a key or move the mouse.
# Without one it runs on a private Xvfb, lets the clock draw a few seconds, saves a screenshot to
# the path it prints, and ends the saver with a key press.
set -euo pipefail
cd "$(dirname "$0")"
root=$PWD
bash tools/setup.sh >/dev/null
bash tools/build.sh >/dev/null
source tests/wine/env.sh

orv_ensure_template "$root/build/wine/template"
export WINEPREFIX="$root/build/wine/run"
[ -d "$WINEPREFIX" ] || cp -a "$root/build/wine/template" "$WINEPREFIX"

if [ -f dist/Orvellia.scr ]; then
  program=(dist/Orvellia.scr /s)
else
  program=(dist/Orvellia.dll)
fi

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  echo "Running ${program[*]} on $DISPLAY (a key, a click or a mouse move ends it)"
  wine "${program[@]}" >"$root/build/run.log" 2>&1 </dev/null
  wineserver -w
  exit 0
fi

shot="$root/build/screenshot.png"
read -r num xvfb < <(orv_start_xvfb 1280 1024)
export DISPLAY=":$num"
cleanup() { wineserver -k >/dev/null 2>&1 || true; kill "$xvfb" 2>/dev/null || true; }
trap cleanup EXIT

echo "No display: running ${program[*]} on a private Xvfb ($DISPLAY)"
wine "${program[@]}" >"$root/build/run.log" 2>&1 </dev/null &
pid=$!
for _ in $(seq 600); do
  xdotool search --onlyvisible --name '^Lumenfall_VC$' >/dev/null 2>&1 && break
  kill -0 "$pid" 2>/dev/null || { echo "the screen saver ended before its window appeared" >&2; exit 1; }
  sleep 0.1
done
sleep 4   # let the clock draw and the blossom ring turn a little
xwd -root -silent | /usr/bin/convert xwd:- "$shot"
echo "Screenshot: $shot"
xdotool key space
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
wait "$pid" 2>/dev/null && echo "The screen saver ended on the key press." || echo "The screen saver ended (exit code $?)."
