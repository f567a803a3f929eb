#!/usr/bin/env bash
# Starts and stops the local update host for one state folder (tests use
# build/mingw/update-server). Starting it again while it runs does nothing.
#
#   server-ctl.sh start STATE_DIR [extra update_server.py options]
#   server-ctl.sh stop  STATE_DIR
#
# STATE_DIR/certs must hold the certificates of make-certs.sh and
# STATE_DIR/www the files to serve. Once up, STATE_DIR/ports holds the lines
# "http=PORT", "https=PORT" and "https-untrusted=PORT"; requests are logged to STATE_DIR/requests.log
# and the server's own messages to STATE_DIR/server.log.
set -euo pipefail

cmd=${1:?usage: server-ctl.sh start|stop STATE_DIR}
STATE=${2:?usage: server-ctl.sh start|stop STATE_DIR}
shift 2
HERE="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
PYTHON=/usr/bin/python3
mkdir -p "$STATE"
STATE=$(cd "$STATE" && pwd)
PIDFILE="$STATE/server.pid"

log() { printf 'update-server: %s\n' "$*" >&2; }

alive() {
  [ -f "$PIDFILE" ] || return 1
  local pid
  pid=$(cat "$PIDFILE")
  # The pid must still be our server, not a process that reused the number.
  [ -r "/proc/$pid/cmdline" ] && tr '\0' ' ' <"/proc/$pid/cmdline" | grep -q "update_server.py.*$STATE"
}

start() {
  if alive && [ -s "$STATE/ports" ]; then return 0; fi
  exec 9>"$STATE/lock"
  flock 9
  if alive && [ -s "$STATE/ports" ]; then return 0; fi
  rm -f "$STATE/ports" "$PIDFILE" "$STATE/requests.log"
  mkdir -p "$STATE/www"
  local untrusted=()
  if [ -s "$STATE/certs/untrusted.pem" ]; then
    untrusted=(--untrusted-cert "$STATE/certs/untrusted.pem" --untrusted-key "$STATE/certs/untrusted.key")
  fi
  setsid "$PYTHON" "$HERE/update_server.py" --root "$STATE/www" \
    --cert "$STATE/certs/server.pem" --key "$STATE/certs/server.key" "${untrusted[@]}" \
    --port-file "$STATE/ports" --request-log "$STATE/requests.log" "$@" \
    </dev/null >>"$STATE/server.log" 2>&1 9>&- &
  echo $! >"$PIDFILE"
  for _ in $(seq 100); do
    [ -s "$STATE/ports" ] && return 0
    alive || break
    sleep 0.05
  done
  log "did not start (see $STATE/server.log)"
  tail -n 20 "$STATE/server.log" >&2 || true
  exit 1
}

stop() {
  exec 9>"$STATE/lock"
  flock 9
  if alive; then
    local pid
    pid=$(cat "$PIDFILE")
    kill "$pid"
    for _ in $(seq 50); do
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.05
    done
  fi
  rm -f "$PIDFILE" "$STATE/ports"
}

case "$cmd" in
  start) start "$@" ;;
  stop) stop ;;
  *)
    log "unknown command $cmd"
    exit 2
    ;;
esac
