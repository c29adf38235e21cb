#!/usr/bin/env bash
# Builds the programs and makes the release in dist/: the setup program
# Orvellia-<version>-setup.exe (installer/Orvellia.nsi, NSIS) and Orvellia-<version>-win64.zip
# (the two programs and a short install note, for a portable copy). Two runs from the same commit
# give identical bytes: the programs carry no time stamp, the setup program stores no file times,
# and every zip entry gets a fixed date, fixed permissions and a fixed order.
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

The setup program (recommended)
  Run Orvellia-$version-setup.exe, published beside this zip. Windows may warn that the
  program is unsigned or from an unknown publisher; choose "More info" and "Run anyway".
  Setup needs no administrator rights: it installs Orvellia for you alone into
  %LOCALAPPDATA%\Programs\Orvellia (the folder page lets you choose another) and makes it
  your screen saver at once. Run it again to update Orvellia; your settings stay.
  Choose Settings in Windows' screen saver settings to pick the music: none, the audio CD
  (optionally repeating one track), or an MP3 or WAV file.
  Windows lists Orvellia among its screen savers only while it is the chosen one: after
  choosing another, run the setup program again to choose Orvellia back.
  To remove Orvellia, uninstall it from the list of apps in Windows' settings; that also
  switches the screen saver off if Orvellia was the chosen one.

This zip: a portable copy
  1. Put Orvellia.scr and Orvellia.dll together in a folder you can write to, for example
     a folder in your Documents. Never Program Files: the settings are kept in Orvellia.ini
     beside the programs, and Windows lets no ordinary program write there.
  2. Right-click Orvellia.scr and choose Install.
  If the folder cannot be written, Settings says that it cannot save the settings file and
  stays open; move the two programs to a folder you can write to.
  To remove the portable copy, choose another screen saver and delete the folder.
NOTE

# Fixed date (2000-01-01), fixed modes, sorted entries, no extra attributes.
find "$stage/$name" -exec touch -h -d '2000-01-01 00:00:00 UTC' {} +
chmod 0644 "$stage/$name"/*
chmod 0755 "$stage/$name"
mkdir -p "$outdir"
out="$(cd "$outdir" && pwd)/$name.zip"
rm -f "$out"
(cd "$stage" && TZ=UTC find "$name" -print | LC_ALL=C sort | TZ=UTC zip -X -D -q "$out" -@)

setup="$(dirname "$out")/Orvellia-$version-setup.exe"
makensis -V2 -WX -INPUTCHARSET UTF8 -DVERSION="$version" -DDIST="$(cd "$dist" && pwd)" \
  -DOUTFILE="$setup" installer/Orvellia.nsi >"$stage/makensis.log" ||
  { cat "$stage/makensis.log" >&2; exit 1; }
echo "$setup"
echo "$out"
