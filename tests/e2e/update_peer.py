"""The update server of the end-to-end tests: the reference server of
tools/update-server, on the loopback address, with the misbehaviours a test
needs beside its own answers. It records every request it gets."""

import os
import socket
import subprocess
import sys
import threading
import time

import harness

sys.path.insert(0, os.path.join(harness.ROOT, "tools", "update-server"))

import update_server  # noqa: E402

SLOW_SENT = 20000        # bytes a slow download sends before it stalls
SLOW_TOTAL = 1000000     # the Content-Length it announces
CUT_SENT, CUT_TOTAL = 5000, 100000


class TestHandler(update_server.UpdateHandler):
    """Beside the reference answers: "/hang" never answers, "/garbage" answers
    without a status line, "/slow-download" stalls after SLOW_SENT bytes,
    "/cut-download" closes after CUT_SENT of CUT_TOTAL bytes; the config's
    "reply", when set, replaces the query's answer, and its "query_delay"
    (seconds) holds the query's answer back."""

    def log_message(self, *args):
        pass

    def do_GET(self):
        self.server.requests.append((self.path, self.headers.get("User-Agent")))
        path = self.path.partition("?")[0]
        config = self.server.config
        if path == config["query_path"] and config.get("query_delay"):
            time.sleep(config["query_delay"])
        if path == "/hang":
            self.wait_for_client()
        elif path == "/garbage":
            self.wfile.write(b"1|%s,http://h/,http://h/,http://h/" % config["download_url"].encode())
        elif path == "/slow-download":
            self.send_head(SLOW_TOTAL)
            self.wfile.write(b"x" * SLOW_SENT)
            self.wfile.flush()
            self.wait_for_client()
        elif path == "/cut-download":
            self.send_head(CUT_TOTAL)
            self.wfile.write(b"x" * CUT_SENT)
        elif path == config["query_path"] and config.get("reply") is not None:
            self.send_text(200, config["reply"])
        else:
            super().do_GET()

    def send_head(self, length):
        self.send_response(200)
        self.send_header("Content-Length", str(length))
        self.end_headers()
        self.wfile.flush()

    def wait_for_client(self):
        try:
            while self.connection.recv(4096):
                pass
        except OSError:
            pass


TEST_KEY = os.path.join(harness.ROOT, "tests", "keys", "update-test.pem")


def sign(path, key=TEST_KEY):
    """Writes path + ".sig", the file's signature as the release has it."""
    subprocess.run(["openssl", "dgst", "-sha256", "-sign", key, "-out", path + ".sig", path], check=True)


class UpdateServer:
    """Serves `download` (a file) at "/setup.exe", with its signature (the
    file beside it with ".sig" appended, made with the test key unless
    signed is false), and answers queries at "/update.asp"; config entries may
    be changed while it runs."""

    def __init__(self, download, signed=True):
        if signed:
            sign(download)
        self.server = update_server.make_server({}, os.path.dirname(download), handler=TestHandler)
        self.server.requests = []
        self.config = self.server.config
        self.config.update({
            "latest_version": "2.01", "latest_beta": 0, "query_path": "/update.asp",
            "download_url": self.url("/setup.exe"),
            "home_page_url": "http://www.example.com/tessaly/", "further_url": "http://www.example.com/",
            "update_url": self.url("/update.asp"),
            "downloads": {"/setup.exe": os.path.basename(download)}, "reply": None})
        self.thread = threading.Thread(target=self.server.serve_forever, daemon=True)
        self.thread.start()

    def url(self, path):
        return "http://127.0.0.1:%d%s" % (self.server.server_address[1], path)

    @property
    def requests(self):
        """(path with query, User-Agent) of each request so far."""
        return list(self.server.requests)

    def stop(self):
        self.server.shutdown()
        self.server.server_close()


def closed_port():
    """A loopback port that nothing listens on: connecting is refused."""
    s = socket.socket()
    s.bind(("127.0.0.1", 0))
    port = s.getsockname()[1]
    s.close()
    return port
