#!/usr/bin/env python3
"""Runs a command beside HTTP servers on the loopback address, for the HTTP
client's tests, and exits with the command's exit code.

    http_test_server.py COMMAND [ARGS...]

The command finds the servers through the environment:
  TESSALY_HTTP_PORT          the test server (paths below)
  TESSALY_HTTP_CLOSED_PORT   a port nothing listens on (connecting is refused)
  TESSALY_HTTP_STALLED_PORT  a listener whose queue is full: connecting never completes
"""
import os
import socket
import socketserver
import subprocess
import sys
import threading


def reply(number, text, body, extra=""):
    return (f"HTTP/1.0 {number} {text}\r\nServer: TessalyTest\r\n{extra}"
            f"Content-Length: {len(body)}\r\n\r\n").encode() + body


def pattern(size):
    return (bytes(range(251)) * (size // 251 + 1))[:size]


class Handler(socketserver.BaseRequestHandler):
    def handle(self):
        request = b""
        while b"\r\n\r\n" not in request and len(request) < 65536:
            data = self.request.recv(4096)
            if not data:
                return
            request += data
        path = request.split(b" ")[1].decode() if request.count(b" ") >= 2 else ""
        send = self.request.sendall
        if path == "/text":  # no Content-Length; the header goes alone, then the body
            send(b"HTTP/1.0 200 OK\r\nServer: TessalyTest\r\n\r\n")
            send(b"1,http://127.0.0.1/update.exe")
        elif path.startswith("/onepacket/"):  # the header and the body in one send
            send(reply(200, "OK", pattern(int(path.split("/")[2]))))
        elif path == "/404":
            send(reply(404, "Not Found", b"<html><body>No such page</body></html>"))
        elif path == "/echo":
            send(reply(200, "OK", request))
        elif path == "/redirect":
            send(reply(302, "Found", b"", "Location: /echo\r\nSet-Cookie: session=7\r\n"))
        elif path == "/loop":
            send(reply(302, "Found", b"", "Location: /loop\r\n"))
        elif path == "/garbage":
            send(b"This is not HTTP at all\r\n\r\n")
        elif path == "/cut-header":
            send(b"HTTP/1.0 200 OK\r\nContent-Le")
        elif path == "/short":
            send(b"HTTP/1.0 200 OK\r\nContent-Length: 100\r\n\r\n0123456789")
        elif path in ("/hang", "/slow"):
            if path == "/slow":
                send(b"HTTP/1.0 200 OK\r\nContent-Length: 1000000\r\n\r\n" + pattern(1000))
            while self.request.recv(4096):  # until the client goes
                pass
        # "/empty" and anything else: close without a byte


class Server(socketserver.ThreadingTCPServer):
    daemon_threads = True
    allow_reuse_address = True


def main():
    server = Server(("127.0.0.1", 0), Handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    closed = socket.socket()
    closed.bind(("127.0.0.1", 0))
    closed_port = closed.getsockname()[1]
    closed.close()
    # A listener that never accepts, with its queue filled by our own
    # connections: the system drops further connection requests unanswered.
    stalled = socket.socket()
    stalled.bind(("127.0.0.1", 0))
    stalled.listen(0)
    fillers = []
    for _ in range(3):
        s = socket.socket()
        s.setblocking(False)
        s.connect_ex(stalled.getsockname())
        fillers.append(s)
    env = dict(os.environ,
               TESSALY_HTTP_PORT=str(server.server_address[1]),
               TESSALY_HTTP_CLOSED_PORT=str(closed_port),
               TESSALY_HTTP_STALLED_PORT=str(stalled.getsockname()[1]))
    try:
        code = subprocess.call(sys.argv[1:], env=env, stdin=subprocess.DEVNULL)
    finally:
        server.shutdown()
        server.server_close()
        for s in fillers + [stalled]:
            s.close()
    sys.exit(code)


if __name__ == "__main__":
    main()
