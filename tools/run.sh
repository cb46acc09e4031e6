#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tavrin developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds Tavrin and starts it: the one command a new user needs on Debian 12 or 13 (as root, or
# a user with sudo).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$root/tools/setup.sh"
cmake -S "$root" -B "$root/build-release" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAVRIN_BUILD_TESTS=OFF \
    -DTAVRIN_BUILD_BENCH=OFF >/dev/null
cmake --build "$root/build-release" --target tavrin
exec "$root/build-release/window/tavrin" "$@"
