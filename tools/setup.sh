#!/usr/bin/env bash
# Installs every Debian package the build, the run and the tests need.
# Idempotent: when everything is present it only checks and returns.
set -euo pipefail

PACKAGES=(
  cmake ninja-build g++ googletest
  g++-mingw-w64-x86-64-posix mingw-w64-tools
  wine wine64 xvfb x11-utils x11-apps xdotool imagemagick openbox
  libgl1-mesa-dev libglu1-mesa-dev libosmesa6-dev
  locales fonts-ipafont-gothic
  fonts-dejavu-core
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good pulseaudio pulseaudio-utils
  sox libsox-fmt-mp3
  python3 python3-pil python3-numpy
  clang libclang-rt-14-dev
  zip unzip pkg-config
  nsis xserver-xephyr
)

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  # apt's own chatter (debconf's notes on a bare system among it) goes to a log, shown on failure.
  log=$(mktemp "${TMPDIR:-/tmp}/orvellia-setup.XXXXXX")
  if ! { $SUDO env DEBIAN_FRONTEND=noninteractive apt-get update -qq &&
         $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"; } >"$log" 2>&1; then
    cat "$log" >&2
    echo "setup: installing the packages failed (log above, also in $log)" >&2
    exit 1
  fi
  rm -f "$log"
fi

# Japanese locale: Wine's ANSI code page is 932 only when ja_JP.UTF-8 is generated.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  $SUDO sed -i 's/^# *ja_JP.UTF-8/ja_JP.UTF-8/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  $SUDO locale-gen >/dev/null
fi
echo "setup: all packages present"
