#!/usr/bin/env bash
# Checks that every C++ file of the repository is formatted as .clang-format says (with
# clang-format 14, whose output the files follow); lists the ones that are not. To fix them:
# clang-format-14 -i FILE...
set -euo pipefail
cd "$(dirname "$0")/.."

format=$(command -v clang-format-14 || command -v clang-format)
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git ls-files -z '*.cpp' '*.h' | xargs -0 "$format" --dry-run -Werror
else
    find . -path './build*' -prune -o \( -name '*.cpp' -o -name '*.h' \) -print0 |
        xargs -0 "$format" --dry-run -Werror
fi
