#!/usr/bin/env bash
# Makes the README's pictures anew: the running clock (docs/images/clock.png, the whole 1024x768
# screen), the settings dialog (docs/images/dialog.png, its window with the frame Wine draws) and
# the setup program's welcome page (docs/images/setup.png). All come from the built programs
# under Wine on a private Xvfb, with the settings the programs start with when no settings file
# exists.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
bash tools/setup.sh >/dev/null
bash tools/build.sh >/dev/null
source tests/wine/env.sh

orv_ensure_template "$root/build/wine/template"
work="$root/build/screenshots"
rm -rf "$work"
mkdir -p "$work" docs/images
export WINEPREFIX="$work/prefix"
cp -a "$root/build/wine/template" "$WINEPREFIX"
install="$WINEPREFIX/drive_c/Program Files/Orvellia"
mkdir -p "$install"
cp dist/Orvellia.scr dist/Orvellia.dll "$install/"

read -r num xvfb < <(orv_start_xvfb 1024 768)
export DISPLAY=":$num"
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  kill "$xvfb" 2>/dev/null || true
  rm -rf "$WINEPREFIX"
}
trap cleanup EXIT

# wait_window TITLE: the X window id of the visible window with that title, once it shows.
wait_window() {
  local id
  for _ in $(seq 600); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1 || true)
    [ -n "$id" ] && { echo "$id"; return; }
    sleep 0.1
  done
  echo "screenshots: no window '$1' appeared" >&2
  return 1
}

xdotool mousemove 1023 767
wine "$install/Orvellia.scr" /s >"$work/saver.log" 2>&1 </dev/null &
wait_window Lumenfall_VC >/dev/null
sleep 5  # the blossom ring turns a little and the trails fill in
xwd -root -silent | convert xwd:- -strip docs/images/clock.png
xdotool key space
wineserver -w

wine "$install/Orvellia.scr" /c >"$work/dialog.log" 2>&1 </dev/null &
id=$(wait_window '<Orvellia>')
sleep 1  # the first paint of the photo and the buttons
import -window "$id" -strip docs/images/dialog.png
wineserver -k

bash tools/release.sh --pack dist "$work/release" >/dev/null
wine "$work"/release/Orvellia-*-setup.exe >"$work/setup.log" 2>&1 </dev/null &
id=$(wait_window 'Orvellia セットアップ')
sleep 1  # the welcome page's picture and texts
import -window "$id" -strip docs/images/setup.png
wineserver -k

ls -l docs/images/clock.png docs/images/dialog.png docs/images/setup.png
