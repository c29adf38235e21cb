#!/usr/bin/env bash
# Makes resources/host/preview.jpg, the still that the display settings show for the screen saver:
# the real clock scene rendered offscreen at 10:08:37 with the blossom ring some way round,
# eight times larger than the still and scaled down for smooth edges.
set -euo pipefail
cd "$(dirname "$0")/../.."
bash tools/build.sh >/dev/null
work=build/preview
mkdir -p "$work"
# Raw blue-green-red rows from the top: the byte layout the renderer's loader hands to GL.
convert resources/renderer/dial.bmp -depth 8 "bgr:$work/dial.bgr"
convert resources/renderer/blossom.bmp -depth 8 "bgr:$work/blossom.bgr"
build/tools/preview/orv_preview "$work/dial.bgr" "$work/blossom.bgr" 1216 896 10:08:37 240 "$work/preview.ppm"
mkdir -p resources/host
convert "$work/preview.ppm" -filter Box -resize 152x112! -strip -quality 92 -sampling-factor 1x1 \
  resources/host/preview.jpg
identify resources/host/preview.jpg
