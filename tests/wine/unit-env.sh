#!/usr/bin/env bash
# start DIR: a fresh unit-test prefix (copy of the template) and a private display for it.
# stop DIR:  end that prefix's wineserver and the display.
set -euo pipefail
source "$(dirname "$0")/env.sh"
cmd=$1 dir=$2
export WINEPREFIX="$dir/unit"
case $cmd in
  start)
    if [ -f "$dir/unit.xvfb" ]; then kill "$(cat "$dir/unit.xvfb")" 2>/dev/null || true; fi
    wineserver -k >/dev/null 2>&1 || true
    rm -rf "$dir/unit"
    cp -a "$dir/template" "$dir/unit"
    read -r num pid < <(orv_start_xvfb 1024 768)
    echo "$num" >"$dir/unit.display"
    echo "$pid" >"$dir/unit.xvfb"
    echo "unit prefix ready on display :$num"
    ;;
  stop)
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
    if [ -f "$dir/unit.xvfb" ]; then kill "$(cat "$dir/unit.xvfb")" 2>/dev/null || true; fi
    rm -f "$dir/unit.xvfb" "$dir/unit.display"
    ;;
esac
