#!/usr/bin/env python3
"""The publisher's web server of the update scenarios, reached as an HTTP proxy.

Usage: update_server.py PORTFILE ROUTES LOG [SECONDS]

Binds 127.0.0.1 on a free port, writes it to PORTFILE and answers requests in proxy form
("GET http://www.tavorin.example/lumenrig/update.txt HTTP/1.1"), which is how the launcher
sends them once its proxy settings name this server. Requests in origin form ("GET /x") are
answered too, so the log shows which form came.

ROUTES is read again for every request, so a scenario may change it between steps. One route
per line, "PATH KIND ARGS...", for the path of the requested address:
  PATH file LOCALFILE             200 with the file's bytes
  PATH slow LOCALFILE MS          200, the bytes in 4 KiB pieces, one piece every MS ms
  PATH status CODE                that status with a small HTML body
  PATH auth USER:PASS LOCALFILE   401 (Basic, realm "Lumenrig downloads") unless the
                                  request carries those credentials; then as "file"
Any other path: 404. Every request adds "METHOD TARGET STATUS" to LOG.

Loopback only; ends by itself after SECONDS (default 900) or 2000 requests.
"""
import base64
import os
import sys
import threading
import time
import urllib.parse
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

PORTFILE, ROUTES, LOG = sys.argv[1:4]
LIFETIME = float(sys.argv[4]) if len(sys.argv) > 4 else 900.0
MAX_REQUESTS = 2000
DATE = "Sun, 06 Nov 2005 08:49:37 GMT"
log_lock = threading.Lock()
requests_seen = 0


def routes():
    table = {}
    try:
        with open(ROUTES, encoding="utf-8") as f:
            for line in f:
                parts = line.split()
                if len(parts) >= 2 and not parts[0].startswith("#"):
                    table[parts[0]] = parts[1:]
    except FileNotFoundError:
        pass
    return table


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def record(self, status):
        global requests_seen
        with log_lock:
            requests_seen += 1
            with open(LOG, "a", encoding="utf-8") as f:
                f.write(f"{self.command} {self.path} {status}\n")
        if requests_seen >= MAX_REQUESTS:
            threading.Thread(target=self.server.shutdown, daemon=True).start()

    def plain(self, status, text):
        data = text.encode()
        self.send_response(status)
        self.send_header("Content-Type", "text/html")
        self.send_header("Content-Length", str(len(data)))
        if status == 401:
            self.send_header("WWW-Authenticate", 'Basic realm="Lumenrig downloads"')
        self.end_headers()
        if self.command != "HEAD":
            self.wfile.write(data)
        self.record(status)

    def send_file(self, local, piece_ms=0):
        with open(local, "rb") as f:
            data = f.read()
        self.send_response(200)
        self.send_header("Content-Type", "application/octet-stream")
        self.send_header("Content-Length", str(len(data)))
        self.send_header("Last-Modified", DATE)
        self.end_headers()
        self.record(200)
        if self.command == "HEAD":
            return
        try:
            if piece_ms <= 0:
                self.wfile.write(data)
                return
            for start in range(0, len(data), 4096):
                self.wfile.write(data[start:start + 4096])
                self.wfile.flush()
                time.sleep(piece_ms / 1000.0)
        except (BrokenPipeError, ConnectionResetError):
            pass  # the launcher cancelled

    def do_GET(self):
        path = urllib.parse.urlsplit(self.path).path or "/"
        route = routes().get(path)
        if not route:
            return self.plain(404, "<html>not here</html>")
        kind, args = route[0], route[1:]
        if kind == "file":
            return self.send_file(args[0])
        if kind == "slow":
            return self.send_file(args[0], int(args[1]))
        if kind == "status":
            return self.plain(int(args[0]), f"<html>status {args[0]}</html>")
        if kind == "auth":
            want = "Basic " + base64.b64encode(args[0].encode()).decode()
            if self.headers.get("Authorization", "") != want:
                return self.plain(401, "<html>password required</html>")
            return self.send_file(args[1])
        return self.plain(500, "<html>bad route</html>")

    do_HEAD = do_GET


def main():
    server = ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    tmp = PORTFILE + ".tmp"
    with open(tmp, "w") as f:
        f.write(str(server.server_address[1]))
    os.replace(tmp, PORTFILE)
    timer = threading.Timer(LIFETIME, server.shutdown)
    timer.daemon = True
    timer.start()
    server.serve_forever()


if __name__ == "__main__":
    main()
