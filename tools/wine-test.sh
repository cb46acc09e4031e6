#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tavrin developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs one Windows QtTest program under Wine: CTest's emulator in the Windows build tree
# (tools/windows.sh sets it). Each run gets a copy of the ready Wine prefix and a private Xvfb,
# so suites run side by side without taking each other's focus, and the real `windows` platform
# (under Wine the offscreen one never activates a window).
#   wine-test.sh PROGRAM.exe [ARGUMENTS...]     (any other program runs directly)
# Needs TAVRIN_WINE_PREFIX (a prefix made by tools/windows.sh), TAVRIN_WINE_PATH (the Windows
# folders of the Qt and MinGW DLLs) and TAVRIN_QT_PLUGINS; the program is stopped after
# TAVRIN_WINE_TIMEOUT seconds (840, within CTest's 900). Exit status: 0 only when the program
# ended with 0 and its results hold a totals line and no failure.
set -euo pipefail
program="$1"
shift
# Host programs (the Python checks) run as they are.
case "$program" in
*.exe) ;;
*) exec "$program" "$@" ;;
esac
: "${TAVRIN_WINE_PREFIX:?set by tools/windows.sh}"
wine="${TAVRIN_WINE:-/usr/lib/wine/wine64}"
wineserver="$(dirname "$wine")/wineserver"

work="$(mktemp -d "${TMPDIR:-/tmp}/tavrin-wine.XXXXXX")"
xvfb=""
cleanup() {
    WINEPREFIX="$work/prefix" timeout 20 "$wineserver" -k 2>/dev/null || true
    if [ -n "$xvfb" ]; then
        kill "$xvfb" 2>/dev/null || true
        wait "$xvfb" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' TERM INT

cp -a "$TAVRIN_WINE_PREFIX" "$work/prefix"
exec 3< <(exec Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp -noreset 2>"$work/xvfb.log")
xvfb=$!
display=""
read -r -t 15 -u 3 display || true
if [ -z "$display" ]; then
    echo "wine-test: Xvfb did not start: $(cat "$work/xvfb.log")" >&2
    exit 1
fi

# A GUI-subsystem program under Wine writes nothing to the terminal: the results go to a file.
results="$work/results.txt"
limit=$((SECONDS + ${TAVRIN_WINE_TIMEOUT:-840}))
run() {
    status=0
    rm -f "$results"
    env DISPLAY=":$display" WINEPREFIX="$work/prefix" WINEDEBUG=-all \
        WINEPATH="${TAVRIN_WINE_PATH:-}" QT_PLUGIN_PATH="${TAVRIN_QT_PLUGINS:-}" \
        QT_QPA_PLATFORM=windows \
        timeout "$((limit > SECONDS ? limit - SECONDS : 1))" \
        "$wine" "$program" "$@" -o "$results,txt" >"$work/output.txt" 2>&1 || status=$?
}
run "$@"
# Wine's server sends SIGKILL to a program's Unix process that is still there about a second
# after its Windows process ended: on a busy machine that comes after the last test has run, and
# the program's own exit status is lost. Neither the program nor timeout sends SIGKILL, so the
# program runs once more, in the time left, and its second status counts.
if [ "$status" -eq 137 ]; then
    echo "wine-test: $(basename "$program") was killed (SIGKILL) after it ended; once more" >&2
    run "$@"
fi
[ -f "$results" ] && grep -v 'EnableNonClientDpiScaling' "$results"
if [ "$status" -ne 0 ]; then
    echo "wine-test: $(basename "$program") ended with status $status" >&2
    grep -v 'EnableNonClientDpiScaling' "$work/output.txt" | tail -n 40 >&2 || true
    exit 1
fi
if [ ! -f "$results" ] || ! grep -q '^Totals: ' "$results" || grep -q '^FAIL!' "$results"; then
    echo "wine-test: $(basename "$program") reported a failure or no totals" >&2
    exit 1
fi
