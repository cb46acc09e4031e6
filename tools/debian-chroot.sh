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
# All but the argument checks (debootstrap, the copy, the command and whatever it starts) runs in
# a mount and PID namespace of its own, which ends with this script's process however that ends,
# SIGKILL included: the kernel then kills every process in it and drops every mount made for it
# (a fresh /proc, a read-only /sys, a small /dev of its own with a devpts instance and a tmpfs
# /dev/shm open to all). The host's /dev is never mounted into the root. A temporary root is
# removed at the end and on INT, TERM or HUP; after a SIGKILL its folder is left, but with no
# mount and no process in it. Needs debootstrap (installed if missing).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# The namespace's PID 1, started below with the host's /proc still in view:
#   OUTER-PID TARGET KEEP RELEASE MIRROR COMMAND...
in_namespace() {
    local outer="$1" target="$2" keep="$3" release="$4" mirror="$5" line fields
    shift 5
    # unshare's parent-death signal is armed only after the fork that started it: if the script
    # died in between, unshare is no longer its child and nothing would end this namespace.
    read -r line </proc/self/stat
    read -r -a fields <<<"${line##*) }"
    read -r line <"/proc/${fields[1]}/stat"
    read -r -a fields <<<"${line##*) }"
    [ "${fields[1]}" = "$outer" ] || exit 1

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

    # The tree as a clone beside ../shared, as CI lays it out. A kept root keeps the build folders
    # of its last run, so that a second run builds only what changed.
    local name
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

    # What a Debian system finds in /proc, /sys and /dev, made for this namespace only.
    mkdir -p "$target/proc" "$target/sys" "$target/dev"
    mount -t proc -o nosuid,nodev,noexec proc "$target/proc"
    mount -t sysfs -o ro,nosuid,nodev,noexec sysfs "$target/sys"
    mount -t tmpfs -o nosuid,mode=0755 tmpfs "$target/dev"
    local node major minor
    for node in null:1:3 zero:1:5 full:1:7 random:1:8 urandom:1:9 tty:5:0; do
        IFS=: read -r node major minor <<<"$node"
        mknod -m 0666 "$target/dev/$node" c "$major" "$minor"
    done
    mkdir "$target/dev/pts" "$target/dev/shm"
    mount -t devpts -o newinstance,ptmxmode=0666,mode=0620,gid=5,nosuid,noexec devpts \
        "$target/dev/pts"
    ln -s pts/ptmx "$target/dev/ptmx"
    ln -s /proc/self/fd "$target/dev/fd"
    ln -s /proc/self/fd/0 "$target/dev/stdin"
    ln -s /proc/self/fd/1 "$target/dev/stdout"
    ln -s /proc/self/fd/2 "$target/dev/stderr"
    # Shared memory as a desktop has it: a Wayland compositor allocates its buffers here.
    mount -t tmpfs -o nosuid,nodev,mode=1777 tmpfs "$target/dev/shm"

    echo "== In Debian $release ($(cat "$target/etc/debian_version")): $*"
    local status=0
    chroot "$target" /usr/bin/env -i HOME=/root \
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        LANG=C.UTF-8 TERM="${TERM:-dumb}" CI="${CI:-}" \
        /usr/bin/env --chdir="/work/$name" "$@" || status=$?
    # Returning ends the namespace: the kernel kills what the command left running (D-Bus, Xvfb,
    # wineserver, speech) and drops the mounts.
    exit "$status"
}
if [ "${1:-}" = --in-namespace ]; then
    shift
    in_namespace "$@"
fi

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
    # mktemp makes it 0700: as the root's /, it would shut every user but root out of the whole
    # system (the Wayland suite runs its compositor as one).
    chmod 0755 "$target"
fi
mkdir -p "$target"
target="$(cd "$target" && pwd)"

# A temporary root goes once the namespace has ended, so that no mount is left in it.
remove_root() { $keep || rm -rf --one-file-system "$target" "$target.debootstrap.log"; }
child=""
stop() {
    kill -KILL "$child" 2>/dev/null || true
    wait "$child" 2>/dev/null || true
    exit 130
}
trap remove_root EXIT
trap stop INT TERM HUP
# setpriv: unshare gets SIGKILL when this script's process ends, however it ends; unshare
# --kill-child passes it on to the namespace's PID 1, and the kernel to all else inside. Not exec
# unshare: it would ignore TERM, and nothing outside the namespace would be left to remove the
# root. env: a command started with & ignores INT and QUIT (and the command would inherit that);
# <&0: and reads /dev/null.
setpriv --pdeathsig KILL -- env --default-signal=INT,QUIT \
    unshare --mount --pid --fork --kill-child --propagation private -- \
    bash "${BASH_SOURCE[0]}" --in-namespace "$$" "$target" "$keep" "$release" "$mirror" "$@" <&0 &
child=$!
wait "$child"
