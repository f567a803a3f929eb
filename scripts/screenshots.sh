#!/usr/bin/env bash
# Refreshes the screenshots in docs/ from the tests that look at the program
# on the (private Xvfb) screen: the corner window in both backgrounds and
# views, with the mouse over its close button and its hover box, and both
# message-box styles.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"
cmake --build --preset mingw -j "$(nproc)" >/dev/null
THERMADEX_SCREENSHOT_DIR="Z:${ROOT//\//\\}\\docs" \
  ctest --preset mingw -R 'InstalledProgramLook|HoverBox|UiMessageBox|YesNoBox.*Yes'
ls -l docs/*.png
