#!/usr/bin/env bash
# The release is reproducible: a second, independent build of the two programs (another build
# tree, another folder) gives the same bytes as dist/, and packing them twice gives the same zip
# and the same setup program.
set -euo pipefail
: "${ORV_SOURCE:?}" "${ORV_DIST:?}" "${ORV_BUILD:?}"
work="$ORV_BUILD/release-check"
rm -rf "$work"
mkdir -p "$work"
cmake -S "$ORV_SOURCE" -B "$work/win" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$ORV_SOURCE/cmake/mingw-w64-x86_64.cmake" -DCMAKE_BUILD_TYPE=Release \
  -DORV_DIST_DIR="$work/dist" >"$work/configure.log"
cmake --build "$work/win" -j2 --target orvellia_scr orvellia_renderer >"$work/build.log"
for f in Orvellia.scr Orvellia.dll; do
  cmp "$ORV_DIST/$f" "$work/dist/$f" || { echo "FAIL: a second build of $f differs"; exit 1; }
done
bash "$ORV_SOURCE/tools/release.sh" --pack "$ORV_DIST" "$work/zip1" >/dev/null
# Other file times must not matter: the setup program would store them.
touch -d '2001-02-03 04:05:06' "$work/dist/Orvellia.scr" "$work/dist/Orvellia.dll"
bash "$ORV_SOURCE/tools/release.sh" --pack "$work/dist" "$work/zip2" >/dev/null
cmp "$work"/zip1/*.zip "$work"/zip2/*.zip || { echo "FAIL: packing twice gives different zips"; exit 1; }
cmp "$work"/zip1/*-setup.exe "$work"/zip2/*-setup.exe ||
  { echo "FAIL: packing twice gives different setup programs"; exit 1; }
unzip -Z1 "$work"/zip1/*.zip
echo "reproducible: $(sha256sum "$work"/zip1/*.zip | cut -c1-16)" \
  "setup $(sha256sum "$work"/zip1/*-setup.exe | cut -c1-16)"
