#!/usr/bin/env bash
# Runs commands as a newcomer would on a fresh machine: a bare Debian 12 root (debootstrap minbase
# with git added), this project cloned into it from the checkout's committed HEAD, and each command
# run inside from the clone's root, in order. Needs root (debootstrap, namespaces, chroot).
#   tools/fresh-root.sh './run.sh' './test.sh'
# Prints each command's last lines and exit code; exits 0 when all passed, 1 when one failed, and 3
# when this machine cannot make the root at all (debootstrap, unshare, mount or chroot refused, or
# the Debian mirror unreachable), so that a caller can tell that apart from a failure inside.
# Only what is committed is cloned. Kept between runs: the untouched debootstrap base
# ($ORV_FRESH_DIR/base.tar) and nothing else; each command's full log is $ORV_FRESH_DIR/cmd-N.log.
# The root lives in a private mount and PID namespace: its mounts and every process left running
# inside (Xvfb, wineserver, a sound server) end with the run, and removing the root can never reach
# the host's /dev, /proc or /sys.
set -u
CANNOT=3
if [ "${ORV_FRESH_INSIDE:-}" != 1 ]; then
  proj=$(git -C "$(dirname "$0")/.." rev-parse --show-toplevel 2>/dev/null) ||
    { echo "fresh-root: not inside the project's checkout"; exit 2; }
  [ "$(id -u)" -eq 0 ] || { echo "fresh-root: needs root"; exit $CANNOT; }
  unshare --mount --pid --fork --propagation private true 2>/dev/null ||
    { echo "fresh-root: this machine refuses private mount and PID namespaces (unshare)"; exit $CANNOT; }
  export ORV_FRESH_INSIDE=1 ORV_FRESH_PROJ="$proj"
  exec unshare --mount --pid --fork --propagation private bash "$0" "$@"
fi

dir="${ORV_FRESH_DIR:-/var/tmp/orvellia-fresh}"
base="$dir/base.tar"
root="$dir/root"
mkdir -p "$dir"

# The Debian mirror this machine already uses (its apt sources); debootstrap's default otherwise.
mirror=$(grep -rvh '^\s*#' /etc/apt/sources.list /etc/apt/sources.list.d/ 2>/dev/null |
  grep -oE 'https?://[^ ]+/debian/?( |$)' | head -n1)

if ! command -v debootstrap >/dev/null; then
  for try in 1 2 3; do
    { apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq \
        --no-install-recommends debootstrap; } >"$dir/debootstrap-install.log" 2>&1 && break
    sleep $((try * 10))
  done
  command -v debootstrap >/dev/null ||
    { echo "fresh-root: debootstrap cannot be installed (see $dir/debootstrap-install.log)"; exit $CANNOT; }
fi

if [ ! -f "$base" ]; then
  echo "fresh-root: making the Debian 12 base (once per machine, about half a minute)"
  made=0
  for try in 1 2 3; do
    rm -rf --one-file-system "$dir/build"
    if debootstrap --variant=minbase --include=git,ca-certificates bookworm "$dir/build" $mirror \
        >"$dir/debootstrap.log" 2>&1; then made=1; break; fi
    sleep $((try * 10))
  done
  [ $made = 1 ] || { echo "fresh-root: debootstrap failed three times (see $dir/debootstrap.log)"; exit $CANNOT; }
  tar -C "$dir/build" -cf "$base.tmp" . && mv "$base.tmp" "$base" && rm -rf --one-file-system "$dir/build"
fi

# A root left by an earlier run has no mounts (they ended with its namespace); make sure.
if findmnt -rn -o TARGET | grep -q "^$root/"; then
  echo "fresh-root: mounts are left under $root: not touching it"; exit 2
fi
rm -rf --one-file-system "$root"
mkdir -p "$root" && tar -C "$root" -xf "$base" || { echo "fresh-root: cannot unpack the base"; exit $CANNOT; }
cp /etc/resolv.conf "$root/etc/resolv.conf"
{ mount -t proc proc "$root/proc" && mount --rbind /sys "$root/sys" && mount --rbind /dev "$root/dev"; } ||
  { echo "fresh-root: mounting /proc, /sys or /dev into the root was refused"; exit $CANNOT; }
chroot "$root" /bin/true || { echo "fresh-root: chroot was refused"; exit $CANNOT; }
git clone -q "$ORV_FRESH_PROJ" "$root/root/project" || { echo "fresh-root: clone failed"; exit 2; }
echo "fresh-root: a bare Debian 12 root in $root, project at $(git -C "$root/root/project" log -1 --format='%h %s')"

status=0 n=0
for cmd in "$@"; do
  n=$((n + 1))
  log="$dir/cmd-$n.log"
  echo "== $cmd (inside the fresh root)"
  start=$(date +%s)
  # Output to a file, not a pipe: a process left over inside (a wineserver) would hold a pipe open.
  chroot "$root" /usr/bin/env -i HOME=/root TERM=dumb \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    bash -lc "cd /root/project && $cmd" >"$log" 2>&1 </dev/null
  rc=$?
  tail -n "${ORV_FRESH_TAIL:-25}" "$log"
  echo "== rc=$rc in $(($(date +%s) - start)) s: $cmd (full log: $log)"
  [ $rc -eq 0 ] || status=1
done
exit $status
