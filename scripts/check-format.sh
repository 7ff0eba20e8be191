#!/usr/bin/env bash
# Fails when a C++ file of the project is not formatted by .clang-format.
# clang-format 14 is the version Debian 12 ships; other versions format a
# few constructs differently, so CI uses exactly that one.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh clang-format
formatter=clang-format-14
command -v "$formatter" >/dev/null || formatter=clang-format
git ls-files -z '*.h' '*.cpp' | xargs -0 "$formatter" --dry-run --Werror
echo "Formatting: every file as .clang-format wants it."
