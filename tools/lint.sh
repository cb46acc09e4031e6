#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tavrin developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The quick checks of tools/test.sh: every C++ file as .clang-format says, every shell script
# clean under shellcheck, every Python script clean under flake8, every CMake file clean under
# cmake-lint, every file naming its copyright and licence (reuse lint), and every path, script
# option and CTest name the docs name existing (check_docs.py). Files are the ones git tracks, so
# build folders never count.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

# Each major version of clang-format lays code out a little differently. The tree is formatted
# so that the versions of Debian 12 (14) and Debian 13 (19) agree on every file, and CI checks it
# with both; another version may want changes neither of them makes, so it is refused rather than
# trusted.
agreed_majors=(14 19)
found="$(clang-format --version)"
[[ "$found" =~ version\ ([0-9]+) ]] && clang_format_major="${BASH_REMATCH[1]}" || clang_format_major=""
if [[ ! " ${agreed_majors[*]} " == *" $clang_format_major "* ]]; then
    echo "lint: the tree's format is agreed by clang-format ${agreed_majors[*]} only, found: $found" >&2
    exit 1
fi
mapfile -t cxx < <(git ls-files '*.cpp' '*.h')
clang-format --dry-run -Werror "${cxx[@]}"
echo "clang-format $clang_format_major: ${#cxx[@]} files"

mapfile -t scripts < <(git ls-files '*.sh' .ci/run)
shellcheck "${scripts[@]}"
echo "shellcheck: ${#scripts[@]} scripts"

mapfile -t python < <(git ls-files '*.py')
flake8 --max-line-length=100 "${python[@]}"
echo "flake8: ${#python[@]} scripts"

# cmake-lint's defaults that this tree does not follow: upper-case names for a file's own
# variables (C0103), a doc comment on every function (C0111), a COMMENT on a custom target that
# only gathers others (C0113).
mapfile -t cmake < <(git ls-files 'CMakeLists.txt' '*/CMakeLists.txt' '*.cmake')
cmake-lint --suppress-decorations --line-width 100 --tab-size 4 \
    --disabled-codes C0103 C0111 C0113 -- "${cmake[@]}"
echo "cmake-lint: ${#cmake[@]} files"

# In a header of its own or in .reuse/dep5; reuse says which files lack it.
if ! lint="$(reuse lint 2>&1)"; then
    echo "$lint" >&2
    exit 1
fi
echo "reuse: ${lint##*$'\n'}"

# Every repository path, script option, CTest label and test name the docs name exists.
python3 tools/check_docs.py
