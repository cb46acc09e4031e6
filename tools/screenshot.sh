#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tavrin developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Makes the README picture docs/screenshot.png: the real program under Xvfb, mid-drill with
# items shown and a code word in the hint, taken by the end-to-end test's own machinery.
#   tools/screenshot.sh [PROGRAM]    (default: builds build/window/tavrin first)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$root/tools/setup.sh"
program="${1:-}"
if [ -z "$program" ]; then
    if [ ! -f "$root/build/CMakeCache.txt" ]; then
        cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    fi
    cmake --build "$root/build" --target tavrin
    program="$root/build/window/tavrin"
fi
exec python3 "$root/tests/e2e/tavrin_e2e.py" "$program" --screenshot "$root/docs/screenshot.png" \
    --artifacts "$root/build/screenshot-artifacts"
