#!/usr/bin/env bash
# Prints the renderer's frame rate at 1024x768 and 1920x1080 under Wine on Xvfb (software GL),
# beside the floor of a frame that only clears, draws one textured full-screen quad and swaps.
# Figures only: nothing here passes or fails on time. Usage: bench/run.sh [seconds per figure]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
bash tools/build.sh >/dev/null
source tests/wine/env.sh
orv_ensure_template "$root/build/wine/template"
export WINEPREFIX="$root/build/bench/prefix"
rm -rf "$WINEPREFIX"
mkdir -p "$(dirname "$WINEPREFIX")"
cp -a "$root/build/wine/template" "$WINEPREFIX"
exe="$root/build/win/bench/renderer_fps.exe"
xvfb=""
cleanup() { wineserver -k >/dev/null 2>&1 || true; [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true; }
trap cleanup EXIT

for size in 1024x768 1920x1080; do
  read -r num xvfb < <(orv_start_xvfb "${size%x*}" "${size#*x}")
  export DISPLAY=":$num"
  echo "== $size"
  out="$root/build/bench/renderer_fps.$size.txt"
  # Output to a file, never a pipe: Wine's helpers would hold the pipe open.
  wine "$exe" "${1:-5}" >"$out" 2>&1 </dev/null || true
  tr -d '\r' <"$out"
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  kill "$xvfb" 2>/dev/null || true
  xvfb=""
done
