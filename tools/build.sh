#!/usr/bin/env bash
# Configures (once) and builds the native tree in build/, which also cross-builds the Windows
# programs into dist/ and the Windows tests into build/win/.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ ! -f build/CMakeCache.txt ]; then
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build build -j "${ORV_JOBS:-2}"
