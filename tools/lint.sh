#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tavrin developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The quick checks of tools/test.sh: every C++ file as .clang-format says, every shell script
# clean under shellcheck, every file naming its copyright and licence (reuse lint). Files are the
# ones git tracks, so build folders never count.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

mapfile -t cxx < <(git ls-files '*.cpp' '*.h')
clang-format --dry-run -Werror "${cxx[@]}"
echo "clang-format: ${#cxx[@]} files"

mapfile -t scripts < <(git ls-files '*.sh' .ci/run)
shellcheck "${scripts[@]}"
echo "shellcheck: ${#scripts[@]} scripts"

# In a header of its own or in .reuse/dep5; reuse says which files lack it.
if ! lint="$(reuse lint 2>&1)"; then
    echo "$lint" >&2
    exit 1
fi
echo "reuse: ${lint##*$'\n'}"
