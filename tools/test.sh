#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tavrin developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Checks the sources' format, scripts and licences first (seconds, so a slip fails fast); builds
# Tavrin with warnings as errors and runs the whole test suite; cross-builds Tavrin.exe and runs
# its tests under Wine (tools/windows.sh); then runs the Linux suite again built with
# AddressSanitizer and UndefinedBehaviorSanitizer. Installs what it needs on Debian 12 or 13.
#   bash tools/test.sh                  every stage
#   bash tools/test.sh STAGE...         only these, of: lint linux windows sanitize
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
stages=("$@")
((${#stages[@]})) || stages=(lint linux windows sanitize)
for stage in "${stages[@]}"; do
    case "$stage" in
    lint | linux | windows | sanitize) ;;
    *) echo "test.sh: no stage $stage (lint linux windows sanitize)" >&2; exit 2 ;;
    esac
done
wanted() { [[ " ${stages[*]} " == *" $1 "* ]]; }
bash "$root/tools/setup.sh"
jobs="$(nproc)"
echo "== Debian $(cat /etc/debian_version), Qt $(/usr/lib/qt6/libexec/moc --version | cut -d' ' -f2)"

if wanted lint; then
    echo "== Lint"
    bash "$root/tools/lint.sh"
fi

if wanted linux; then
    echo "== Build and test"
    cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DTAVRIN_BUILD_TESTS=ON -DTAVRIN_WERROR=ON >/dev/null
    cmake --build "$root/build" -j "$jobs"
    ctest --test-dir "$root/build" --output-on-failure -j "$jobs" -LE soak
fi

if wanted windows; then
    echo "== Windows: cross build, zip and tests under Wine"
    TAVRIN_WERROR=ON bash "$root/tools/windows.sh" --test
fi

if wanted sanitize; then
    echo "== Build and test with sanitizers"
    cmake -S "$root" -B "$root/build-sanitize" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
        -DTAVRIN_SANITIZE=ON -DTAVRIN_BUILD_TESTS=ON -DTAVRIN_BUILD_BENCH=OFF -DTAVRIN_WERROR=ON \
        >/dev/null
    cmake --build "$root/build-sanitize" -j "$jobs"
    export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1"
    export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
    ctest --test-dir "$root/build-sanitize" --output-on-failure -j "$jobs" \
        -LE "soak|nosanitize|resources"
fi
