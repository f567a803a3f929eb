#!/usr/bin/env bash
# Formats our own C++ with the repository's .clang-format; --check only reports.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
mapfile -t files < <(git ls-files -co --exclude-standard -- 'app/*' 'toolkit/*' 'tests/*' 'tools/*' 'bench/*' |
  grep -E '\.(cpp|h)$')
if [ "${1:-}" = --check ]; then
  clang-format --dry-run --Werror "${files[@]}"
else
  clang-format -i "${files[@]}"
fi
