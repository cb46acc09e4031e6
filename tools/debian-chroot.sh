#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tavrin developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs a command as root in a fresh minimal Debian of another release, as a new user there would:
# the root is made with debootstrap from the Debian archive this machine's own apt configuration
# names, this work tree (the files git tracks or would track, and .git) is copied to
# /work/<name> inside it with ../shared beside it, and the command runs there.
#   tools/debian-chroot.sh RELEASE [--root DIR] [-- COMMAND...]
#       RELEASE      trixie (Debian 13), sid (unstable), ...
#       --root DIR   make the root in DIR, or use the one already there, and keep it afterwards
#                    (the tree is copied in again, over its build folders); without it the root
#                    is a temporary folder, removed at the end
#       COMMAND      default: bash tools/test.sh
# /proc, /sys, /dev and /dev/pts are mounted for the command and unmounted, and every process
# left running in the root is stopped, however the run ends. Needs debootstrap (installed if
# missing).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
release="${1:?usage: debian-chroot.sh RELEASE [--root DIR] [-- COMMAND...]}"
shift
target=""
keep=false
while (($#)); do
    case "$1" in
    --root) target="$2"; keep=true; shift 2 ;;
    --) shift; break ;;
    *) echo "debian-chroot.sh: unknown argument $1" >&2; exit 2 ;;
    esac
done
(($#)) || set -- bash tools/test.sh
[ "$(id -u)" -eq 0 ] || { echo "debian-chroot.sh: needs root (debootstrap, chroot, mount)" >&2; exit 1; }

# The archive of this machine's own Debian release: the entry whose suite is the release's
# codename itself (not -updates or -security), in deb822 .sources files or in sources.list.
host_mirror() {
    local codename
    codename="$(sed -n 's/^VERSION_CODENAME=//p' /etc/os-release)"
    {
        cat /etc/apt/sources.list.d/*.sources 2>/dev/null | awk -v want="$codename" '
            /^[[:space:]]*$/ { if (uri != "" && hit) exit; uri = ""; hit = 0; next }
            /^URIs:/ { uri = $2 }
            /^Suites:/ { for (i = 2; i <= NF; i++) if ($i == want) hit = 1 }
            END { if (uri != "" && hit) print uri }'
        grep -hs '^deb[[:space:]]' /etc/apt/sources.list /etc/apt/sources.list.d/*.list |
            sed 's/\[[^]]*\]//' | awk -v want="$codename" '$3 == want { print $2 }' || true
    } | head -n 1
}
mirror="$(host_mirror)"
[ -n "$mirror" ] || { echo "debian-chroot.sh: no Debian archive found in /etc/apt" >&2; exit 1; }

command -v debootstrap >/dev/null || bash "$root/tools/setup.sh" <(echo debootstrap)

if [ -z "$target" ]; then
    target="$(mktemp -d "${TMPDIR:-/tmp}/tavrin-$release.XXXXXX")"
fi
mkdir -p "$target"
target="$(cd "$target" && pwd)"

mounted=()
cleanup() {
    local status=$? pid
    # Daemons the command started (D-Bus, Xvfb, wineserver, speech) would hold the mounts.
    for pid in /proc/[0-9]*; do
        [ "$(readlink "$pid/root" 2>/dev/null)" = "$target" ] && kill -KILL "${pid#/proc/}" 2>/dev/null
    done
    local i
    for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
        umount -l "${mounted[i]}" 2>/dev/null || true
    done
    if ! $keep; then
        # --one-file-system: a mount still in place is never walked into.
        rm -rf --one-file-system "$target"
    fi
    exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP

if [ ! -x "$target/usr/bin/apt-get" ]; then
    echo "== debootstrap $release from $mirror"
    debootstrap --variant=minbase --include=ca-certificates,git "$release" "$target" "$mirror" \
        >"$target.debootstrap.log" 2>&1 || {
        tail -n 20 "$target.debootstrap.log" >&2
        rm -f "$target.debootstrap.log"
        exit 1
    }
    rm -f "$target.debootstrap.log"
fi
echo "deb $mirror $release main" >"$target/etc/apt/sources.list"
# An archive's Release file may be past its Valid-Until (a snapshot of a moving branch such as
# sid); the packages are still the ones signed.
echo 'Acquire::Check-Valid-Until "false";' >"$target/etc/apt/apt.conf.d/99tavrin-valid-until"
cp /etc/resolv.conf "$target/etc/resolv.conf"

mount_in() { # TYPE-OR-BIND SOURCE PATH
    mkdir -p "$target$3"
    if [ "$1" = bind ]; then
        mount --bind "$2" "$target$3"
    else
        mount -t "$1" "$2" "$target$3"
    fi
    mounted+=("$target$3")
}
mount_in proc proc /proc
mount_in sysfs sysfs /sys
mount_in bind /dev /dev
mount_in bind /dev/pts /dev/pts

# The tree as a clone beside ../shared, as CI lays it out. A kept root keeps the build folders of
# its last run, so that a second run builds only what changed.
name="$(basename "$root")"
$keep || rm -rf "$target/work"
rm -rf "$target/work/shared"
mkdir -p "$target/work/$name"
(cd "$root" && { git ls-files -co --exclude-standard -z; find .git -print0; } |
    tar --null --no-recursion --ignore-failed-read -cf - -T - 2>/dev/null) |
    tar -xf - -C "$target/work/$name"
if [ -d "$root/../shared" ]; then
    cp -a "$root/../shared" "$target/work/shared"
fi

echo "== In Debian $release ($(cat "$target/etc/debian_version")): $*"
chroot "$target" /usr/bin/env -i HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    LANG=C.UTF-8 TERM="${TERM:-dumb}" CI="${CI:-}" \
    /usr/bin/env --chdir="/work/$name" "$@"
