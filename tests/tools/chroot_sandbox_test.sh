#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tavrin developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Checks that tools/debian-chroot.sh leaves nothing on the host when its process is killed
# outright: once a `sleep 600` runs in the chroot, the script gets SIGKILL, and then no mount may
# be left under the root, no process in it, and the host's /dev must be as it was. Also checks the
# chroot's /dev/shm is a tmpfs open to all and its / open to every user. Run by hand, as root;
# not in CI, as a fresh root costs minutes of debootstrap:
#   bash tests/tools/chroot_sandbox_test.sh [--script PATH] [ROOT]
#       ROOT           a root kept by debian-chroot.sh --root: seconds instead of minutes
#       --script PATH  check this copy of debian-chroot.sh
# Prints one line, the reason, and exits 1 on any finding.
set -euo pipefail
script="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/tools/debian-chroot.sh"
root=""
while (($#)); do
    case "$1" in
    --script) script="$2"; shift 2 ;;
    *) root="$(cd "$1" && pwd)"; shift ;;
    esac
done
fail() { echo "chroot_sandbox_test: $*" >&2; exit 1; }

# The host's /dev: its mount (id, device, type) and some of its nodes.
dev_state() {
    awk '$5 == "/dev" { print $1, $3, $9 }' /proc/self/mountinfo
    stat -c '%n %F %t:%T %a %i' /dev/null /dev/zero /dev/full /dev/urandom /dev/tty /dev/ptmx \
        /dev/pts /dev/shm
}
ppid_of() {
    local line fields
    { read -r line <"/proc/$1/stat"; } 2>/dev/null || return 1
    read -r -a fields <<<"${line##*) }"
    echo "${fields[1]}"
}
descends() { # PID ANCESTOR
    local pid="$1"
    while [ "$pid" -gt 1 ]; do
        [ "$pid" = "$2" ] && return 0
        pid="$(ppid_of "$pid")" || return 1
    done
    return 1
}
mounts_in() { awk -v r="$1" '$5 == r || index($5, r "/") == 1 { print $5 }' /proc/self/mountinfo; }
processes_in() {
    local proc
    for proc in /proc/[0-9]*; do
        [ "$(readlink "$proc/root" 2>/dev/null)" != "$1" ] || echo "${proc#/proc/}"
    done
}

before="$(dev_state)"
log="$(mktemp)"
trap 'rm -f "$log"' EXIT
args=(trixie)
limit=1800
if [ -n "$root" ]; then
    args+=(--root "$root")
    limit=120
fi
bash "$script" "${args[@]}" -- \
    sh -c 'echo "shm: $(stat -c %a /dev/shm) $(stat -f -c %T /dev/shm), /: $(stat -c %a /)"
        exec sleep 600' \
    >"$log" 2>&1 &
pid=$!
deadline=$((SECONDS + limit))
sleeper=""
while [ -z "$sleeper" ]; do
    kill -0 "$pid" 2>/dev/null || fail "the script ended before sleep ran: $(tail -n 1 "$log")"
    if ((SECONDS > deadline)); then
        kill -KILL "$pid"
        fail "no sleep in the chroot after $limit s"
    fi
    for proc in $(pgrep -x sleep); do
        if [ "$(tr '\0' ' ' 2>/dev/null <"/proc/$proc/cmdline")" = "sleep 600 " ] &&
            descends "$proc" "$pid"; then
            sleeper="$proc"
        fi
    done
    [ -n "$sleeper" ] || sleep 0.2
done
chroot="$(readlink "/proc/$sleeper/root")"
[ -z "$root" ] || [ "$chroot" = "$root" ] || fail "sleep runs in $chroot, not in $root"
[ "$chroot" != / ] || fail "sleep runs outside a chroot"

# Grouped, so that bash does not report the kill.
{ kill -KILL "$pid"; wait "$pid"; } 2>/dev/null || true
# The kernel ends what was in the namespace a moment after the script's process.
deadline=$((SECONDS + 10))
while mounts="$(mounts_in "$chroot")" && processes="$(processes_in "$chroot")" &&
    [ -n "$mounts$processes" ] && ((SECONDS < deadline)); do
    sleep 0.2
done
if [ -n "$mounts$processes" ]; then
    # Take down what the script left, lest a later rm -rf walk into the host's /dev.
    for proc in $processes; do kill -KILL "$proc" 2>/dev/null || true; done
    [ -z "$mounts" ] || tac <<<"$mounts" | while read -r mount; do umount -l "$mount" || true; done
    [ -z "$mounts" ] || fail "a SIGKILL of the script left mounts: ${mounts//$'\n'/ }"
    fail "a SIGKILL of the script left processes running in $chroot: ${processes//$'\n'/ }"
fi
[ -c /dev/null ] || fail "/dev/null is no longer a character device"
[ "$(dev_state)" = "$before" ] || fail "the host's /dev changed: $(diff <(echo "$before") <(dev_state) |
    grep '^>' | head -n 1)"
grep -qx 'shm: 1777 tmpfs, /: 755' "$log" ||
    fail "in the chroot /dev/shm is no 1777 tmpfs or / not 755: $(grep '^shm:' "$log")"
if [ -z "$root" ] && [[ "$chroot" == */tavrin-trixie.* ]]; then
    # Only the folder of a temporary root may be left; it holds no mount now.
    rm -rf --one-file-system "$chroot"
fi
echo "chroot_sandbox_test: nothing left after a SIGKILL of the script ($chroot)"
