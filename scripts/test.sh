#!/usr/bin/env bash
# Installs what is missing, builds both configurations and runs every test:
# the platform-free logic natively (with sanitizers and short fuzz runs), then
# the Windows build under Wine in a warm session that CTest starts and stops.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"
JOBS=${JOBS:-$(nproc)}

scripts/bootstrap.sh

echo "== native: platform-free logic =="
cmake --preset native >/dev/null
cmake --build --preset native -j "$JOBS"
ctest --preset native -j "$JOBS"

echo "== Windows x86-64 under Wine =="
cmake --preset mingw >/dev/null
cmake --build --preset mingw -j "$JOBS"
ctest --preset mingw
