#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tavrin developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the benchmarks (Release, in build-bench/) and runs them: start-up and memory against an
# empty Qt window, then the pace of two real-time drills (about two minutes), and prints one
# table. Options go to the runner:
#   --quick       short drills (about 20 s) and 20 start-up rounds
#   --runs N      start-up rounds (default 25)
#   --no-pace     start-up and memory only
#   --pace-only   the two drills only
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build-bench"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAVRIN_BUILD_TESTS=OFF \
    -DTAVRIN_BUILD_BENCH=ON >/dev/null
cmake --build "$build" -j 2 --target bench_runner bench_empty_window bench_startup bench_pace \
    >/dev/null
exec "$build/bench/bench_runner" "$@"
