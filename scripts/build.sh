#!/usr/bin/env bash
# Configures and builds the project into build/ (Release, warnings on).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
# A compiler cache, where one is installed, makes rebuilds of other checkouts cheap.
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" >/dev/null
cmake --build build --parallel "$(nproc)"
