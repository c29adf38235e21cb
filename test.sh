#!/usr/bin/env bash
# Builds everything and runs every test (native unit tests, Windows unit tests under Wine,
# end-to-end scenarios under Wine on Xvfb) through ctest.
set -euo pipefail
cd "$(dirname "$0")"
bash tools/setup.sh
bash tools/build.sh
ctest --test-dir build --output-on-failure -j2 "$@"
