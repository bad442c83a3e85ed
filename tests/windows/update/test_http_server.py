#!/usr/bin/env python3
"""The local HTTP server the Windows-tier transfer tests talk to.

Usage: test_http_server.py PORTFILE
Binds 127.0.0.1 on two free ports, writes "<server port> <strict proxy port>" to PORTFILE
and serves until killed.

The strict proxy answers 407 to every request without the credentials proxyuser:proxypass
(also to wrong ones, where tinyproxy answers 401) and relays the others.

Paths:
  /ok/<n>          200, n bytes of a fixed pattern, Content-Length, dates, ETag
  /range/<n>       like /ok/<n>, honouring "Range: bytes=a-b" with 206
  /missing         404 with a small body
  /auth            401 (realm "Lumenrig test") unless Basic tester:secret is sent
  /short/<n>       announces n bytes, sends n/2 and closes
  /nolength/<n>    200, n bytes, no Content-Length, closes
  /slow/<n>        announces n bytes, sends 1024 bytes every 50 ms
  /redirect        302 to /ok/10
  /headers         200 echoing the request's headers as the body
  /big/<n>         n bytes as fast as possible (benchmark)
  /stall           announces 1000000 bytes, sends the headers and 100 bytes, then nothing
                   until the client goes (at most 60 s)
  /cut/<n>         200 without Content-Length, n bytes, then the connection is reset
  /huge            announces 4294967296 bytes (4 GB), sends 1000 and closes
"""
import base64
import http.client
import os
import socket
import struct
import sys
import urllib.parse
import threading
import time
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

PATTERN = bytes((i * 7 + 3) % 251 for i in range(65536))
DATE = "Sun, 06 Nov 1994 08:49:37 GMT"


def body(n, start=0):
    out = bytearray()
    pos = start
    while len(out) < n:
        off = pos % len(PATTERN)
        take = min(len(PATTERN) - off, n - len(out))
        out += PATTERN[off:off + take]
        pos += take
    return bytes(out)


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def number(self):
        try:
            return int(self.path.rstrip("/").rsplit("/", 1)[1])
        except (ValueError, IndexError):
            return 0

    def send_whole(self, code, data, ctype="application/octet-stream", extra=None, length=True, close=False):
        self.send_response(code)
        self.send_header("Content-Type", ctype)
        if length:
            self.send_header("Content-Length", str(len(data)))
        for k, v in (extra or {}).items():
            self.send_header(k, v)
        if close or not length:
            self.send_header("Connection", "close")
            self.close_connection = True
        self.end_headers()
        self.wfile.write(data)

    def do_GET(self):
        p = self.path
        if p.startswith("/ok/"):
            self.send_whole(200, body(self.number()), "text/plain",
                            {"Last-Modified": DATE, "Expires": "Sunday, 06-Nov-94 08:49:37 GMT",
                             "ETag": '"lumen-1"', "Content-Language": "en", "Content-Encoding": "identity"})
        elif p.startswith("/range/"):
            n = self.number()
            rng = self.headers.get("Range", "")
            if rng.lower().startswith("bytes="):
                a, _, b = rng[6:].partition("-")
                a = int(a or 0)
                b = int(b) if b else n - 1
                self.send_whole(206, body(b - a + 1, a), "text/plain",
                                {"Content-Range": "bytes %d-%d/%d" % (a, b, n)})
            else:
                self.send_whole(200, body(n), "text/plain")
        elif p == "/missing":
            self.send_whole(404, b"<html>not here</html>", "text/html")
        elif p == "/auth":
            want = "Basic " + base64.b64encode(b"tester:secret").decode()
            if self.headers.get("Authorization", "") == want:
                self.send_whole(200, b"secret body", "text/plain")
            else:
                self.send_whole(401, b"<html>who are you</html>", "text/html",
                                {"WWW-Authenticate": 'Basic realm="Lumenrig test"'})
        elif p.startswith("/short/"):
            n = self.number()
            self.send_response(200)
            self.send_header("Content-Type", "application/octet-stream")
            self.send_header("Content-Length", str(n))
            self.send_header("Connection", "close")
            self.end_headers()
            self.wfile.write(body(n // 2))
            self.wfile.flush()
            self.close_connection = True
        elif p.startswith("/nolength/"):
            self.send_whole(200, body(self.number()), "text/plain", length=False)
        elif p.startswith("/slow/"):
            n = self.number()
            self.send_response(200)
            self.send_header("Content-Type", "application/octet-stream")
            self.send_header("Content-Length", str(n))
            self.send_header("Connection", "close")
            self.end_headers()
            sent = 0
            try:
                while sent < n:
                    chunk = body(min(1024, n - sent), sent)
                    self.wfile.write(chunk)
                    self.wfile.flush()
                    sent += len(chunk)
                    time.sleep(0.05)
            except (BrokenPipeError, ConnectionResetError):
                pass
            self.close_connection = True
        elif p == "/redirect":
            self.send_whole(302, b"", "text/plain", {"Location": "/ok/10"})
        elif p == "/headers":
            self.send_whole(200, str(self.headers).encode("latin-1"), "text/plain")
        elif p.startswith("/big/"):
            n = self.number()
            self.send_response(200)
            self.send_header("Content-Type", "application/octet-stream")
            self.send_header("Content-Length", str(n))
            self.end_headers()
            block = body(65536)
            left = n
            while left > 0:
                take = min(left, len(block))
                self.wfile.write(block[:take])
                left -= take
        elif p == "/stall":
            self.send_response(200)
            self.send_header("Content-Type", "application/octet-stream")
            self.send_header("Content-Length", "1000000")
            self.send_header("Connection", "close")
            self.end_headers()
            self.wfile.write(body(100))
            self.wfile.flush()
            # Nothing more: wait for the client to give up (its close reads as end of file).
            self.connection.settimeout(60)
            try:
                self.connection.recv(1)
            except OSError:
                pass
            self.close_connection = True
        elif p.startswith("/cut/"):
            n = self.number()
            self.send_response(200)
            self.send_header("Content-Type", "application/octet-stream")
            self.send_header("Connection", "close")
            self.end_headers()
            self.wfile.write(body(n))
            self.wfile.flush()
            time.sleep(0.1)
            # A reset instead of an orderly close: the body is cut short, not complete.
            self.connection.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, struct.pack("ii", 1, 0))
            self.connection.close()
            self.close_connection = True
        elif p == "/huge":
            self.send_response(200)
            self.send_header("Content-Type", "application/octet-stream")
            self.send_header("Content-Length", "4294967296")
            self.send_header("Connection", "close")
            self.end_headers()
            self.wfile.write(body(1000))
            self.wfile.flush()
            self.close_connection = True
        else:
            self.send_whole(404, b"unknown path", "text/plain")


class StrictProxy(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def do_GET(self):
        want = "Basic " + base64.b64encode(b"proxyuser:proxypass").decode()
        if self.headers.get("Proxy-Authorization", "") != want:
            data = b"<html>proxy credentials needed</html>"
            self.send_response(407)
            self.send_header("Proxy-Authenticate", 'Basic realm="strict proxy"')
            self.send_header("Content-Type", "text/html")
            self.send_header("Content-Length", str(len(data)))
            self.end_headers()
            self.wfile.write(data)
            return
        url = urllib.parse.urlsplit(self.path)
        conn = http.client.HTTPConnection(url.hostname, url.port or 80, timeout=30)
        conn.request("GET", url.path + ("?" + url.query if url.query else ""))
        answer = conn.getresponse()
        data = answer.read()
        self.send_response(answer.status)
        self.send_header("Content-Type", answer.getheader("Content-Type", "application/octet-stream"))
        self.send_header("Content-Length", str(len(data)))
        self.send_header("Via", "1.1 strict-proxy")
        self.end_headers()
        self.wfile.write(data)
        conn.close()


def main():
    server = ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    proxy = ThreadingHTTPServer(("127.0.0.1", 0), StrictProxy)
    proxy.daemon_threads = True
    threading.Thread(target=proxy.serve_forever, daemon=True).start()
    with open(sys.argv[1] + ".tmp", "w") as f:
        f.write("%d %d" % (server.server_address[1], proxy.server_address[1]))
    os.replace(sys.argv[1] + ".tmp", sys.argv[1])
    server.serve_forever()


if __name__ == "__main__":
    main()
