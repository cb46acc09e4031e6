#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tavrin developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Checks the sources' format, scripts and licences first (seconds, so a slip fails fast); builds
# Tavrin with warnings as errors and runs the whole test suite; cross-builds Tavrin.exe and runs
# its tests under Wine (tools/windows.sh); then runs the Linux suite again built with
# AddressSanitizer and UndefinedBehaviorSanitizer. Installs what it needs on Debian 12.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$root/tools/setup.sh"
jobs="$(nproc)"

echo "== Lint"
bash "$root/tools/lint.sh"

echo "== Build and test"
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTAVRIN_BUILD_TESTS=ON -DTAVRIN_WERROR=ON >/dev/null
cmake --build "$root/build" -j "$jobs"
ctest --test-dir "$root/build" --output-on-failure -j "$jobs" -LE soak

echo "== Windows: cross build, zip and tests under Wine"
TAVRIN_WERROR=ON bash "$root/tools/windows.sh" --test

echo "== Build and test with sanitizers"
cmake -S "$root" -B "$root/build-sanitize" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DTAVRIN_SANITIZE=ON -DTAVRIN_BUILD_TESTS=ON -DTAVRIN_BUILD_BENCH=OFF -DTAVRIN_WERROR=ON \
    >/dev/null
cmake --build "$root/build-sanitize" -j "$jobs"
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
ctest --test-dir "$root/build-sanitize" --output-on-failure -j "$jobs" -LE "soak|nosanitize|resources"
