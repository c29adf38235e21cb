#!/usr/bin/env bash
# Runs one fuzz target (or all) for longer than the test command does.
#   tests/fuzz/run.sh [target] [seconds]     e.g. tests/fuzz/run.sh music_fuzz 600
# Findings are written as crash-* files in the current folder.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
bash "$root/tools/build.sh" >/dev/null
targets=${1:-"command_line_fuzz settings_numbers_fuzz music_fuzz button_fuzz"}
seconds=${2:-300}
for t in $targets; do
  exe="$root/build/tests/fuzz/$t"
  [ -x "$exe" ] || { echo "skip $t (not built)"; continue; }
  echo "== $t for ${seconds}s"
  "$exe" -max_total_time="$seconds" -timeout=20 "$root/build/tests/fuzz/corpus/$t" "$root/tests/fuzz/seeds/$t"
done
