#!/usr/bin/env bash
# The quick checks of tools/test.sh: every C++ file as .clang-format says, every shell script
# clean under shellcheck. Files are the ones git tracks, so build folders never count.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

mapfile -t cxx < <(git ls-files '*.cpp' '*.h')
clang-format --dry-run -Werror "${cxx[@]}"
echo "clang-format: ${#cxx[@]} files"

mapfile -t scripts < <(git ls-files '*.sh' .ci/run)
shellcheck "${scripts[@]}"
echo "shellcheck: ${#scripts[@]} scripts"
