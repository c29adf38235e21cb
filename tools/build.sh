#!/usr/bin/env bash
# Configures (until a configure succeeds) and builds the native tree in build/, which also cross-builds the Windows
# programs into dist/ and the Windows tests into build/win/.
set -euo pipefail
cd "$(dirname "$0")/.."
# Configured means a build file was written: a configure that failed leaves CMakeCache.txt behind
# but no build.ninja, and is tried again here.
if [ ! -f build/build.ninja ]; then
  # clang for the native build: the sanitizers and libFuzzer come with it.
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
fi
cmake --build build -j "${ORV_JOBS:-2}"
