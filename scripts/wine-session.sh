#!/usr/bin/env bash
# A warm Wine session for one build tree: a project-local prefix (created once),
# a private Xvfb display and a persistent wineserver. Tests and the demo run
# inside it; starting it again while it runs does nothing.
#
#   wine-session.sh start STATE_DIR   create/warm the prefix, start Xvfb + wineserver
#   wine-session.sh stop  STATE_DIR   stop both
#   wine-session.sh env   STATE_DIR   print the exports that reach the session
#
# THERMADEX_SCREEN (default 1920x1080x24) sets the Xvfb screen. The wineserver
# keeps the first screen size it saw, so stop the session to change it.
set -euo pipefail

cmd=${1:?usage: wine-session.sh start|stop|env STATE_DIR}
STATE=${2:?usage: wine-session.sh start|stop|env STATE_DIR}
mkdir -p "$STATE"
STATE=$(cd "$STATE" && pwd)

WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver64
export WINEPREFIX="$STATE/prefix"
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
# No menu entries in the home folder, no Mono/Gecko download prompts.
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=;mshtml="
PREFIX_VERSION=3 # bump when the prefix set-up below changes

log() { printf 'wine-session: %s\n' "$*" >&2; }

xvfb_alive() {
  [ -f "$STATE/xvfb.pid" ] && kill -0 "$(cat "$STATE/xvfb.pid")" 2>/dev/null
}

start_xvfb() {
  xvfb_alive && return 0
  mkdir -p "$STATE/fb"
  local fdfile="$STATE/display.tmp"
  rm -f "$fdfile"
  # -displayfd picks a free display number, so several trees can test at once.
  setsid Xvfb -displayfd 3 -screen 0 "${THERMADEX_SCREEN:-1920x1080x24}" -nolisten tcp \
    -fbdir "$STATE/fb" 3>"$fdfile" 9>&- </dev/null >"$STATE/xvfb.log" 2>&1 &
  echo $! >"$STATE/xvfb.pid"
  for _ in $(seq 100); do
    [ -s "$fdfile" ] && break
    sleep 0.05
  done
  [ -s "$fdfile" ] || { log "Xvfb did not start (see $STATE/xvfb.log)"; exit 1; }
  echo ":$(tr -d '\n' <"$fdfile")" >"$STATE/display"
  rm -f "$fdfile"
}

# Registry settings every run relies on: a pinned Windows version, and Arial
# mapped to Liberation Sans so that GDI+ finds the toolkit's default face.
write_prefix_settings() {
  local reg="$STATE/prefix-settings.reg"
  cat >"$reg" <<'EOF'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine]
"Version"="win10"

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"Arial"="Liberation Sans"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000
EOF
  "$WINE" regedit /S "$(winepath_of "$reg")" </dev/null >/dev/null 2>&1 9>&-
}

winepath_of() { printf 'Z:%s' "${1//\//\\}"; }

init_prefix() {
  local stamp="$WINEPREFIX/.thermadex-prefix"
  [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$PREFIX_VERSION" ] && return 0
  log "creating Wine prefix in $WINEPREFIX"
  rm -rf "$WINEPREFIX"
  "$WINE" wineboot -i </dev/null >/dev/null 2>&1 9>&-
  # Debian's Wine does not load its own fonts from the system folder.
  cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  cp /usr/share/fonts/truetype/liberation/LiberationSans-*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
  write_prefix_settings
  "$WINESERVER" -w
  echo "$PREFIX_VERSION" >"$stamp"
}

start_wineserver() {
  # A persistent server plus one finished wineboot: later programs start in ~50 ms,
  # and none of Wine's helpers holds the caller's output pipes open.
  setsid "$WINESERVER" -p </dev/null >/dev/null 2>&1 9>&- || true
  "$WINE" wineboot </dev/null >/dev/null 2>&1 9>&-
}

print_env() {
  printf 'export WINEPREFIX=%q\n' "$WINEPREFIX"
  printf 'export WINEARCH=win64\n'
  printf 'export WINEDEBUG=%q\n' "$WINEDEBUG"
  printf 'export WINEDLLOVERRIDES=%q\n' "$WINEDLLOVERRIDES"
  printf 'export DISPLAY=%q\n' "$(cat "$STATE/display")"
}

session_alive() { xvfb_alive && "$WINESERVER" -k0 2>/dev/null; }

case "$cmd" in
  start)
    session_alive && [ -f "$WINEPREFIX/.thermadex-prefix" ] && exit 0
    # Parallel test runs may all try to start the session at once.
    exec 9>"$STATE/lock"
    flock 9
    start_xvfb
    export DISPLAY
    DISPLAY=$(cat "$STATE/display")
    init_prefix
    "$WINESERVER" -k0 2>/dev/null || start_wineserver
    ;;
  stop)
    exec 9>"$STATE/lock"
    flock 9
    "$WINESERVER" -k 2>/dev/null || true
    "$WINESERVER" -w 2>/dev/null || true
    if xvfb_alive; then kill "$(cat "$STATE/xvfb.pid")" 2>/dev/null || true; fi
    rm -f "$STATE/xvfb.pid" "$STATE/display"
    ;;
  env)
    xvfb_alive || { log "no session in $STATE (run start first)"; exit 1; }
    print_env
    ;;
  *)
    log "unknown command $cmd"
    exit 2
    ;;
esac
