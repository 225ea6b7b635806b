#!/usr/bin/env python3
"""Tessaly's reference update server: answers the program's update query and
serves the installer it offers. Python standard library only.

    python3 update_server.py CONFIG.json [--host HOST] [--port PORT]

The program sends GET <query path>?appVersion=<version>&appBeta=<beta> (for
example appVersion=%32%2E%30%31&appBeta=%30 from Tessaly 2.01) and reads the
reply body as comma text of four items:

    0  "1|" and the download address when a newer version is available,
       else "0"
    1  the home page address (the program keeps it)
    2  a further address (the program checks only that it is one)
    3  the update query address (the program sends its next query there)

The program stores items 1 and 3 only when items 1 to 3 are all absolute web
addresses, and sends its query only to an http:// address.

The configuration (see example-config.json) names the latest version and
beta, the four addresses, the query path, and the files served for download
(request path -> file, relative to the configuration's folder).
"""
import argparse
import json
import os
import sys
import urllib.parse
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

RELEASE = 1 << 30  # a release counts after every beta of its version


def parse_version(text):
    """ "2.01" -> (2, 1); raises ValueError for anything else."""
    major, minor = text.split(".")
    return int(major), int(minor)


def is_newer(latest_version, latest_beta, version, beta):
    """Whether the latest version (beta 0: a release) comes after the client's."""
    def key(v, b):
        return parse_version(v), b if b > 0 else RELEASE
    return key(latest_version, latest_beta) > key(version, beta)


def comma_item(text):
    """One item of comma text: quoted when it holds a comma, a blank, a quote or
    a control character, with its quotes doubled."""
    if text and not any(c in ',"' or ord(c) <= 32 for c in text):
        return text
    return '"' + text.replace('"', '""') + '"'


def reply_body(config, version, beta):
    offer = "0"
    if is_newer(config["latest_version"], int(config.get("latest_beta", 0)), version, beta):
        offer = "1|" + config["download_url"]
    items = [offer, config["home_page_url"], config["further_url"], config["update_url"]]
    return ",".join(comma_item(item) for item in items)


class UpdateHandler(BaseHTTPRequestHandler):
    """Answers the query and serves the download files, each with its
    signature at its path with ".sig" appended (the file of that name beside
    it). The server's `config` and `base` (the folder download files are
    relative to) drive it."""

    server_version = "TessalyUpdate/1.0"

    def do_GET(self):
        config = self.server.config
        path, _, query = self.path.partition("?")
        if path == config["query_path"]:
            self.answer_query(config, query)
            return
        downloads = config.get("downloads", {})
        if path in downloads:
            self.send_file(os.path.join(self.server.base, downloads[path]))
            return
        # Beside every file it serves, the file's detached signature: the
        # program installs nothing without it (scripts/package.sh writes it).
        if path.endswith(".sig") and path[:-len(".sig")] in downloads:
            self.send_file(os.path.join(self.server.base, downloads[path[:-len(".sig")]]) + ".sig")
            return
        self.send_text(404, "Not Found\n")

    def answer_query(self, config, query):
        values = urllib.parse.parse_qs(query, keep_blank_values=True)
        try:
            version = values["appVersion"][0]
            beta = int(values["appBeta"][0])
            parse_version(version)
        except (KeyError, ValueError):
            self.send_text(400, "appVersion and appBeta expected\n")
            return
        self.send_text(200, reply_body(config, version, beta))

    def send_text(self, status, text):
        body = text.encode("latin-1")
        self.send_response(status)
        self.send_header("Content-Type", "text/plain")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def send_file(self, name):
        try:
            with open(name, "rb") as f:
                data = f.read()
        except OSError:
            self.send_text(404, "Not Found\n")
            return
        self.send_response(200)
        self.send_header("Content-Type", "application/octet-stream")
        self.send_header("Content-Length", str(len(data)))
        self.end_headers()
        self.wfile.write(data)


def make_server(config, base, host="127.0.0.1", port=0, handler=UpdateHandler):
    """A server (not yet serving) for the configuration; port 0 picks a free one."""
    server = ThreadingHTTPServer((host, port), handler)
    server.daemon_threads = True
    server.config = config
    server.base = base
    return server


def main(argv=None):
    parser = argparse.ArgumentParser(description="Tessaly's reference update server")
    parser.add_argument("config", help="the configuration file (JSON)")
    parser.add_argument("--host", default="127.0.0.1")
    parser.add_argument("--port", type=int, default=8080)
    args = parser.parse_args(argv)
    with open(args.config, encoding="utf-8") as f:
        config = json.load(f)
    server = make_server(config, os.path.dirname(os.path.abspath(args.config)), args.host, args.port)
    host, port = server.server_address[:2]
    sys.stderr.write("Tessaly update server on http://%s:%d%s\n" % (host, port, config["query_path"]))
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass
    finally:
        server.server_close()


if __name__ == "__main__":
    main()
