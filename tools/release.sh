#!/usr/bin/env bash
# Builds the programs and packs dist/Orvellia-<version>-win64.zip: the two programs and a short
# install note. Two runs from the same commit give identical bytes: the programs carry no time
# stamp, and every zip entry gets a fixed date, fixed permissions and a fixed order.
#   tools/release.sh                      build, then pack into dist/
#   tools/release.sh --pack DIST OUTDIR   only pack the programs found in DIST into OUTDIR
set -euo pipefail
cd "$(dirname "$0")/.."
dist=dist outdir=dist
if [ "${1:-}" = "--pack" ]; then
  dist=$2 outdir=$3
else
  bash tools/setup.sh >/dev/null
  bash tools/build.sh >/dev/null
fi

version=$(sed -n 's/^project(Orvellia VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
name="Orvellia-$version-win64"
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT

mkdir "$stage/$name"
cp "$dist/Orvellia.scr" "$dist/Orvellia.dll" "$stage/$name/"
sed 's/$/\r/' > "$stage/$name/INSTALL.txt" <<NOTE
Orvellia $version - a 3-D clock screen saver with optional background music

Installing
  1. Put Orvellia.scr and Orvellia.dll together in one folder, for example
     C:\Program Files\Orvellia
  2. Right-click Orvellia.scr and choose Install.
  3. Choose Settings in the screen saver settings to pick the music: none, the audio CD
     (optionally repeating one track), or an MP3 or WAV file.

The settings are kept in Orvellia.ini beside the programs. To remove Orvellia, choose another
screen saver and delete the folder.
NOTE

# Fixed date (2000-01-01), fixed modes, sorted entries, no extra attributes.
find "$stage/$name" -exec touch -h -d '2000-01-01 00:00:00 UTC' {} +
chmod 0644 "$stage/$name"/*
chmod 0755 "$stage/$name"
mkdir -p "$outdir"
out="$(cd "$outdir" && pwd)/$name.zip"
rm -f "$out"
(cd "$stage" && TZ=UTC find "$name" -print | LC_ALL=C sort | TZ=UTC zip -X -D -q "$out" -@)
echo "$out"
