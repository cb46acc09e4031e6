#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tavrin developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs the window under valgrind memcheck: start-up plus one whole drill (generate, every tick,
# the answers typed, check), driven by the model test, then a short random run. Fails on any
# invalid read or write, use of uninitialised memory or definite leak.
#
#   tools/valgrind.sh [build-dir]        (default: build-valgrind, RelWithDebInfo)
#   VALGRIND_RANDOM_INPUTS=0 tools/valgrind.sh   skips the random run
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build-valgrind}"
random_inputs="${VALGRIND_RANDOM_INPUTS:-2000}"

command -v valgrind >/dev/null || { echo "valgrind is not installed" >&2; exit 2; }
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTAVRIN_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target tst_model

export QT_QPA_PLATFORM=offscreen
run() {
    local name="$1"
    shift
    local log="$build/valgrind-$name.log"
    echo "== valgrind: $name"
    # Leaks: only definite ones count; Qt and fontconfig keep caches alive until exit, which
    # valgrind reports as still reachable or possibly lost.
    if ! valgrind --tool=memcheck --leak-check=full --show-leak-kinds=definite \
        --errors-for-leak-kinds=definite --track-origins=yes --num-callers=40 \
        --error-exitcode=3 --log-file="$log" "$@" >/dev/null 2>&1; then
        grep -E "ERROR SUMMARY|definitely lost" "$log" || true
        echo "valgrind found errors; the full report is in $log" >&2
        return 1
    fi
    grep -E "ERROR SUMMARY|definitely lost|indirectly lost|possibly lost|in use at exit" "$log" |
        sed -e 's/^==[0-9]*== */  /'
}

run drill "$build/tests/model/tst_model" wholeDrill
if [ "$random_inputs" -gt 0 ]; then
    TAVRIN_MODEL_ACTIONS="$random_inputs" run random "$build/tests/model/tst_model" randomActions
fi
echo "valgrind: no invalid reads or writes, no definite leaks"
