#!/usr/bin/env bash
# Runs the README's test command inside a fresh, minimal Debian 12 root, so
# that anything the tests need but scripts/deps.sh does not install fails
# here rather than on a user's machine. Needs root and the network (to reach
# the Debian mirror); the root lives in build-freshroot/ and is made anew on
# every run.
set -euo pipefail
cd "$(dirname "$0")/.."
project=$(pwd)
root="$project/build-freshroot"
mirror=${DEBIAN_MIRROR:-http://deb.debian.org/debian}

[ "$(id -u)" -eq 0 ] || { echo "test-fresh-root.sh needs root (debootstrap, chroot)" >&2; exit 1; }
command -v debootstrap >/dev/null || {
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap
}

mounts=()
cleanup() {
    local i
    for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do
        umount -l "${mounts[$i]}" 2>/dev/null || true
    done
}
trap cleanup EXIT

# A root left by an interrupted run may still have its mounts.
for m in dev/pts dev proc sys; do umount -l "$root/$m" 2>/dev/null || true; done
# Never remove a tree that still has /dev bound inside it.
if grep -q " $root/" /proc/mounts; then
    echo "still mounted under $root; not removing it" >&2
    exit 1
fi
rm -rf "$root"
mkdir -p "$root"
debootstrap --variant=minbase bookworm "$root" "$mirror" >"$project/build-freshroot.log" 2>&1 || {
    tail -20 "$project/build-freshroot.log" >&2
    exit 1
}
# The same package sources as a standard installation, security updates included.
cat >"$root/etc/apt/sources.list" <<EOF
deb $mirror bookworm main
deb $mirror bookworm-updates main
deb http://deb.debian.org/debian-security bookworm-security main
EOF
cp /etc/resolv.conf "$root/etc/resolv.conf"

for m in proc sys dev dev/pts; do
    mkdir -p "$root/$m"
    case $m in
        proc) mount -t proc proc "$root/proc" ;;
        sys) mount -t sysfs sysfs "$root/sys" ;;
        dev) mount --bind /dev "$root/dev" ;;
        dev/pts) mount -t devpts devpts "$root/dev/pts" ;;
    esac
    mounts+=("$root/$m")
done

# The committed source only: what a user would clone.
mkdir -p "$root/src/vokabeltrainer"
git -C "$project" archive --format=tar HEAD | tar -x -C "$root/src/vokabeltrainer"

chroot "$root" /usr/bin/env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 \
    bash -c 'cd /src/vokabeltrainer && bash scripts/test.sh'
echo "fresh Debian 12 root: the README's test command passed"
