# Wine and X environment shared by the run command, the Windows unit tests and the end-to-end
# scenarios. Source it; it defines variables and functions only.

export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
# Wine's ANSI code page is 932 only under a generated Japanese locale.
export LANG=ja_JP.UTF-8
export LC_ALL=ja_JP.UTF-8
export WINEARCH=win64

# orv_make_template DIR: boot a fresh prefix in DIR and set it up for Orvellia: the Japanese
# dialog font mapped to an installed IPA font, and frames drawn by Wine. Made once per build tree, then copied.
orv_make_template() {
  local dir=$1 log=${1}.log
  mkdir -p "$(dirname "$dir")"
  rm -rf "$dir.tmp"
  # Output goes to a file: the server's helpers inherit the descriptors and would hold a pipe open.
  WINEPREFIX="$dir.tmp" wineboot -i >"$log" 2>&1 </dev/null
  WINEPREFIX="$dir.tmp" wine reg add 'HKCU\Software\Wine\Fonts\Replacements' \
    /v 'ＭＳ Ｐゴシック' /t REG_SZ /d IPAPGothic /f >>"$log" 2>&1 </dev/null
  WINEPREFIX="$dir.tmp" wine reg add 'HKCU\Software\Wine\Fonts\Replacements' \
    /v 'ＭＳ ゴシック' /t REG_SZ /d IPAGothic /f >>"$log" 2>&1 </dev/null
  # Wine draws the title bars and frames itself, as Windows does, instead of leaving them to a
  # window manager (the scenarios' displays mostly have none).
  WINEPREFIX="$dir.tmp" wine reg add 'HKCU\Software\Wine\X11 Driver' \
    /v Decorated /t REG_SZ /d N /f >>"$log" 2>&1 </dev/null
  WINEPREFIX="$dir.tmp" wineserver -k >/dev/null 2>&1 || true
  WINEPREFIX="$dir.tmp" wineserver -w >/dev/null 2>&1 || true
  mv "$dir.tmp" "$dir"
}

# orv_ensure_template DIR: make the template prefix unless it exists and was made by this very
# script (a changed set-up makes it anew); safe against a parallel call.
orv_ensure_template() {
  local dir=$1 stamp
  stamp=$(sha256sum "${BASH_SOURCE[0]}" | cut -c1-16)
  mkdir -p "$(dirname "$dir")"
  (
    flock 9
    if [ -d "$dir" ] && [ "$(cat "$dir.stamp" 2>/dev/null)" != "$stamp" ]; then rm -rf "$dir"; fi
    [ -d "$dir" ] || { orv_make_template "$dir" && echo "$stamp" >"$dir.stamp"; }
  ) 9>"$dir.lock"
}

# orv_start_x SERVER ARGS...: start an X server that picks its own display number (-displayfd);
# prints "DISPLAYNUM PID".
orv_start_x() {
  local fifo num pid
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  "$@" -displayfd 9 +extension GLX -nolisten tcp -noreset 9>"$fifo" >/dev/null 2>&1 </dev/null &
  pid=$!
  num=$(timeout 30 head -n1 "$fifo")
  rm -f "$fifo"
  [ -n "$num" ] || { kill "$pid" 2>/dev/null; return 1; }
  echo "$num $pid"
}

# orv_start_xvfb W H: start a private Xvfb with GLX; prints "DISPLAYNUM PID".
orv_start_xvfb() {
  orv_start_x Xvfb -screen 0 "${1:-1024}x${2:-768}x24"
}

# orv_start_xephyr HOSTDISPLAY W H SCREENS: start a nested X server on HOSTDISPLAY with Xinerama
# and SCREENS monitors of W x H side by side, with GLX; prints "DISPLAYNUM PID". Wine reads its
# monitors from Xinerama only with the prefix's UseXRandR set to N (orv_use_xinerama).
orv_start_xephyr() {
  local host=$1 w=$2 h=$3 n=$4 args=()
  for _ in $(seq "$n"); do args+=(-screen "${w}x${h}"); done
  DISPLAY=":$host" orv_start_x Xephyr +xinerama "${args[@]}"
}

# orv_use_xinerama: make the prefix in WINEPREFIX take its monitors from Xinerama (Wine reports
# one monitor from RandR on a nested server).
orv_use_xinerama() {
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v UseXRandR /d N /f >/dev/null 2>&1 </dev/null
  wineserver -w >/dev/null 2>&1 || true
}
