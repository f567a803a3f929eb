#!/usr/bin/env bash
# Installs what is missing, builds the Windows program, lays out dist/Thermadex
# and runs it under Wine. Without a display of your own it runs on a private
# Xvfb screen and saves a screenshot to build/mingw/screenshot.png.
#
#   SECONDS_TO_RUN=N   how long the window stays (default 8)
#   THERMADEX_USE_DISPLAY=1   show it on your own $DISPLAY instead of Xvfb
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"
RUN_FOR=${SECONDS_TO_RUN:-8}

scripts/bootstrap.sh
cmake --preset mingw >/dev/null
cmake --build --preset mingw -j "$(nproc)"
cmake --install build/mingw --strip --component app >/dev/null
cmake --install build/mingw --strip --component tools >/dev/null
echo "installed: dist/Thermadex ($(ls dist/Thermadex | tr '\n' ' '))"

STATE=build/mingw/wine
scripts/wine-session.sh start "$STATE"
eval "$(scripts/wine-session.sh env "$STATE")"
if [ "${THERMADEX_USE_DISPLAY:-0}" = 1 ] && [ -n "${HOST_DISPLAY:-}" ]; then export DISPLAY="$HOST_DISPLAY"; fi

# The toolkit's smoke window stands in until the program's own window exists.
cp dist/tools/LumoSmoke.exe dist/Thermadex/
/usr/lib/wine/wine64 dist/Thermadex/LumoSmoke.exe "$RUN_FOR" &
app=$!
sleep $((RUN_FOR / 2))
if [ -f "$STATE/fb/Xvfb_screen0" ]; then
  convert "xwd:$STATE/fb/Xvfb_screen0" build/mingw/screenshot.png && echo "screenshot: build/mingw/screenshot.png"
fi
wait "$app"
rm -f dist/Thermadex/LumoSmoke.exe
