#!/usr/bin/env bash
# Sets up and tears down the local update host for the Windows tests:
#
#   test-fixture.sh start STATE_DIR PROGRAM_EXE   certificates, content, server
#   test-fixture.sh stop  STATE_DIR
#
# Content: STATE_DIR/www/archives (the unpacking tests' archives and broken
# channel layouts) and the demo channels at STATE_DIR/www/display-k9/K9X with
# PROGRAM_EXE packed as the software and firmware programs. The test CA still
# has to be trusted in the Wine prefix (TrustTestCa.exe STATE_DIR/certs/ca.pem).
set -euo pipefail
HERE="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
cmd=${1:?usage: test-fixture.sh start|stop STATE_DIR [PROGRAM_EXE]}
STATE=${2:?usage: test-fixture.sh start|stop STATE_DIR [PROGRAM_EXE]}

case "$cmd" in
  start)
    PROGRAM=${3:?usage: test-fixture.sh start STATE_DIR PROGRAM_EXE}
    "$HERE/make-certs.sh" "$STATE/certs"
    /usr/bin/python3 "$HERE/make_content.py" test-archives "$STATE/www/archives" --program "$PROGRAM"
    /usr/bin/python3 "$HERE/make_content.py" demo "$STATE/www" --program "$PROGRAM"
    # Stalls are short so that the tests stay quick; the client's own
    # time-outs are left as they are.
    "$HERE/server-ctl.sh" start "$STATE" --stall-seconds 1.5
    ;;
  stop)
    "$HERE/server-ctl.sh" stop "$STATE"
    ;;
  *)
    echo "test-fixture.sh: unknown command $cmd" >&2
    exit 2
    ;;
esac
