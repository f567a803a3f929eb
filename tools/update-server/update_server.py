#!/usr/bin/python3
"""A stand-in for the vendor's update host, for tests and demos.

Serves the files under a folder (the channels' "version" files and archives)
over HTTP and HTTPS, and misbehaves on request the ways a real host or network
can: error statuses, a stall, a connection closed in the middle of the body,
a body without a content length.

Faults are chosen in three ways, the first that applies wins:
  * in the address itself: /_fault/MODE/rest/of/path serves /rest/of/path with
    MODE (several modes joined by "+"), so parallel tests need no shared state;
  * per path or globally from the command line (--fault-path PATH=MODE,
    --fault MODE);
  * at run time through the control endpoint:
      POST /_control/fault?path=/x/version&mode=500   (mode "none" clears;
                                                        no path = global)
      GET  /_control/faults                           (the current table)
Modes:
  404, 500, or any other status   that status; the body is the file's own
                                  content when it exists, so a client that
                                  ignores the status would be fooled
  stall                           accept, send nothing for --stall-seconds,
                                  then close
  stall-body                      send the headers and half the body, wait
                                  --stall-seconds, then close
  close                           send the headers and half the body, close
  nolength                        no Content-Length; the end of the body is
                                  the end of the connection
  slow                            the body in 1 KiB pieces with short pauses

Repeated slashes in a path count as one, as on the vendor's host (the program
asks for ".../software///Software-1.0.0.4.zip").

Every request is appended as one JSON line to --request-log, so tests can
check what the client sent. --port-file receives "http=PORT" and
"https=PORT" lines (and "https-untrusted=PORT") once the listeners are up;
port 0 picks free ports.
"""

import argparse
import http.server
import json
import os
import re
import signal
import socket
import ssl
import sys
import threading
import time
import urllib.parse

FAULT_PREFIX = re.compile(r"^/_fault/([^/]+)(/.*)$")
CONTROL_PREFIX = "/_control/"


class FaultTable:
    """Faults set from the command line or the control endpoint."""

    def __init__(self, global_mode=None, per_path=None):
        self._lock = threading.Lock()
        self._global = global_mode
        self._per_path = dict(per_path or {})

    def lookup(self, path):
        with self._lock:
            return self._per_path.get(path, self._global)

    def set(self, path, mode):
        with self._lock:
            if mode in (None, "", "none"):
                if path:
                    self._per_path.pop(path, None)
                else:
                    self._global = None
            elif path:
                self._per_path[path] = mode
            else:
                self._global = mode

    def snapshot(self):
        with self._lock:
            return {"global": self._global, "paths": dict(self._per_path)}


def normalise(path):
    return re.sub(r"/{2,}", "/", path)


class UpdateHostHandler(http.server.BaseHTTPRequestHandler):
    server_version = "ThermadexUpdateHost/1.0"
    protocol_version = "HTTP/1.1"

    # Set on the handler class by make_handler().
    root = None
    faults = None
    stall_seconds = 2.0
    request_log = None
    log_lock = threading.Lock()

    def log_message(self, format, *args):  # noqa: A002 - the base class's name
        sys.stderr.write("%s %s\n" % (self.address_string(), format % args))

    def _record(self, path, modes):
        if not self.request_log:
            return
        entry = {
            "time": time.time(),
            "scheme": "https" if isinstance(self.connection, ssl.SSLSocket) else "http",
            "method": self.command,
            "path": path,
            "raw_path": self.path,
            "modes": modes,
            "headers": {k: v for k, v in self.headers.items()},
        }
        with self.log_lock:
            with open(self.request_log, "a", encoding="utf-8") as f:
                f.write(json.dumps(entry) + "\n")

    def do_GET(self):
        self._serve(send_body=True)

    def do_HEAD(self):
        self._serve(send_body=False)

    def do_POST(self):
        parsed = urllib.parse.urlsplit(self.path)
        if parsed.path != CONTROL_PREFIX + "fault":
            self._send_simple(404, b"not a control address\n")
            return
        query = urllib.parse.parse_qs(parsed.query)
        length = int(self.headers.get("Content-Length") or 0)
        if length:
            query.update(urllib.parse.parse_qs(self.rfile.read(length).decode("utf-8", "replace")))
        path = normalise(query.get("path", [""])[0])
        mode = query.get("mode", ["none"])[0]
        self.faults.set(path, mode)
        self._send_simple(200, (json.dumps(self.faults.snapshot()) + "\n").encode())

    def _serve(self, send_body):
        raw = urllib.parse.urlsplit(self.path).path
        path = normalise(urllib.parse.unquote(raw))
        if path == CONTROL_PREFIX + "faults":
            self._send_simple(200, (json.dumps(self.faults.snapshot()) + "\n").encode())
            return
        modes = []
        match = FAULT_PREFIX.match(path)
        if match:
            modes = match.group(1).split("+")
            path = match.group(2)
        elif self.faults.lookup(path):
            modes = self.faults.lookup(path).split("+")
        self._record(path, modes)

        body = self._file_content(path)
        status = 200 if body is not None else 404
        for mode in modes:
            if mode.isdigit():
                status = int(mode)
        if body is None:
            body = ("<html><body><h1>%d</h1><p>%s</p></body></html>\n" % (status, path)).encode()

        if "stall" in modes:
            time.sleep(self.stall_seconds)
            self.close_connection = True
            return
        self.send_response(status)
        self.send_header("Content-Type", "application/octet-stream" if status == 200 else "text/html")
        if "nolength" in modes:
            self.send_header("Connection", "close")
            self.close_connection = True
        else:
            self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        if not send_body:
            return
        if "close" in modes or "stall-body" in modes:
            self.wfile.write(body[: len(body) // 2])
            self.wfile.flush()
            if "stall-body" in modes:
                time.sleep(self.stall_seconds)
            self._abort_connection()
            return
        if "slow" in modes:
            for at in range(0, len(body), 1024):
                self.wfile.write(body[at : at + 1024])
                self.wfile.flush()
                time.sleep(0.01)
            return
        self.wfile.write(body)

    def _file_content(self, path):
        relative = path.lstrip("/")
        full = os.path.realpath(os.path.join(self.root, relative))
        if not (full == self.root or full.startswith(self.root + os.sep)) or not os.path.isfile(full):
            return None
        with open(full, "rb") as f:
            return f.read()

    def _send_simple(self, status, body):
        self.send_response(status)
        self.send_header("Content-Type", "text/plain")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def _abort_connection(self):
        self.close_connection = True
        try:
            if isinstance(self.connection, ssl.SSLSocket):
                # Cut the TCP stream without a TLS close_notify, as a broken
                # network would.
                self.connection.shutdown(socket.SHUT_RDWR)
            else:
                self.connection.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, b"\x01\x00\x00\x00\x00\x00\x00\x00")
        except OSError:
            pass


class Server(http.server.ThreadingHTTPServer):
    daemon_threads = True
    allow_reuse_address = True


class TlsServer(Server):
    """Does the TLS handshake on the request's thread, so that one client that
    stalls during the handshake cannot hold up the others."""

    def __init__(self, address, handler, context):
        super().__init__(address, handler)
        self.context = context

    def finish_request(self, request, client_address):
        request.settimeout(30)
        try:
            tls = self.context.wrap_socket(request, server_side=True)
        except (ssl.SSLError, OSError) as error:
            sys.stderr.write("TLS handshake with %s failed: %s\n" % (client_address[0], error))
            return
        tls.settimeout(None)
        super().finish_request(tls, client_address)


def make_handler(root, faults, stall_seconds, request_log):
    return type(
        "Handler",
        (UpdateHostHandler,),
        {
            "root": os.path.realpath(root),
            "faults": faults,
            "stall_seconds": stall_seconds,
            "request_log": request_log,
        },
    )


def parse_fault_paths(values):
    table = {}
    for value in values:
        path, _, mode = value.partition("=")
        if not path or not mode:
            raise SystemExit("--fault-path wants PATH=MODE, got %r" % value)
        table[normalise(path)] = mode
    return table


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--root", required=True, help="folder whose files are served")
    parser.add_argument("--bind", default="127.0.0.1")
    parser.add_argument("--http-port", type=int, default=0, help="0 picks a free port; -1 disables HTTP")
    parser.add_argument("--https-port", type=int, default=0, help="0 picks a free port; -1 disables HTTPS")
    parser.add_argument("--cert", help="server certificate (PEM), needed for HTTPS")
    parser.add_argument("--key", help="server key (PEM), needed for HTTPS")
    parser.add_argument(
        "--untrusted-cert",
        help="a certificate no client trusts (PEM); served on one more HTTPS port, "
        "reported as https-untrusted, to show that clients check certificates",
    )
    parser.add_argument("--untrusted-key")
    parser.add_argument("--fault", help="mode applied to every path")
    parser.add_argument("--fault-path", action="append", default=[], metavar="PATH=MODE")
    parser.add_argument("--stall-seconds", type=float, default=2.0)
    parser.add_argument("--port-file", help="written once the listeners are up")
    parser.add_argument("--request-log", help="one JSON line per request is appended here")
    args = parser.parse_args()

    faults = FaultTable(args.fault, parse_fault_paths(args.fault_path))
    handler = make_handler(args.root, faults, args.stall_seconds, args.request_log)
    servers = {}
    if args.http_port >= 0:
        servers["http"] = Server((args.bind, args.http_port), handler)
    if args.https_port >= 0:
        if not (args.cert and args.key):
            parser.error("HTTPS needs --cert and --key (or --https-port -1)")
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(args.cert, args.key)
        servers["https"] = TlsServer((args.bind, args.https_port), handler, context)
    if args.untrusted_cert:
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(args.untrusted_cert, args.untrusted_key)
        servers["https-untrusted"] = TlsServer((args.bind, 0), handler, context)

    threads = [threading.Thread(target=s.serve_forever, daemon=True) for s in servers.values()]
    for t in threads:
        t.start()
    ports = "".join("%s=%d\n" % (name, s.server_address[1]) for name, s in servers.items())
    if args.port_file:
        partial = args.port_file + ".tmp"
        with open(partial, "w") as f:
            f.write(ports)
        os.replace(partial, args.port_file)
    sys.stderr.write("update server: %s" % ports.replace("\n", " ") + "root %s\n" % args.root)

    stop = threading.Event()
    signal.signal(signal.SIGTERM, lambda *_: stop.set())
    signal.signal(signal.SIGINT, lambda *_: stop.set())
    stop.wait()
    for s in servers.values():
        s.shutdown()
        s.server_close()


if __name__ == "__main__":
    main()
