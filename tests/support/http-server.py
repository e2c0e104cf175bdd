#!/usr/bin/python3
"""Loopback HTTP server for the tests: http-server.py FOLDER

Listens on 127.0.0.1 on a free port, prints the port on its first line of output and
serves the replies that FOLDER/routes.json names, read afresh for every request:

  {"/path?query": {"body": "file in FOLDER", "status": 200, "delay": 0.0,
                   "chunk": 0, "cut": -1, "location": ""}}

A request matches "path?query" exactly, else "path" alone; anything else is a 404.
"delay" waits before answering, "chunk" sends the body in pieces of that many bytes,
"cut" closes the connection after that many bytes of the body, a "location" is sent
as the Location header (a redirect, with a 3xx status). Every request is logged
to FOLDER/requests.log as one JSON line with its path, query and User-Agent.
"""
import http.server
import json
import os
import sys
import threading
import time
import urllib.parse

folder = sys.argv[1]
log_lock = threading.Lock()


def routes():
    try:
        with open(os.path.join(folder, "routes.json"), encoding="utf-8") as f:
            return json.load(f)
    except (OSError, ValueError):
        return {}


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.0"

    def log_message(self, *args):
        pass

    def do_GET(self):
        url = urllib.parse.urlsplit(self.path)
        with log_lock, open(os.path.join(folder, "requests.log"), "a", encoding="utf-8") as log:
            log.write(json.dumps({"path": url.path, "query": url.query,
                                  "agent": self.headers.get("User-Agent", "")}) + "\n")
        table = routes()
        key = url.path + ("?" + url.query if url.query else "")
        route = table.get(key) or table.get(url.path)
        if route is None:
            self.answer(404, b"not found", {})
            return
        with open(os.path.join(folder, route["body"]), "rb") as f:
            body = f.read()
        time.sleep(route.get("delay", 0))
        self.answer(route.get("status", 200), body, route)

    def answer(self, status, body, route):
        try:
            self.send_response(status)
            self.send_header("Content-Type", "text/html")
            self.send_header("Content-Length", str(len(body)))
            if route.get("location"):
                self.send_header("Location", route["location"])
            self.end_headers()
            cut = route.get("cut", -1)
            if cut >= 0:
                body = body[:cut]
            chunk = route.get("chunk", 0) or len(body) or 1
            for start in range(0, len(body), chunk):
                self.wfile.write(body[start:start + chunk])
                self.wfile.flush()
                if chunk < len(body):
                    time.sleep(0.002)
        except (BrokenPipeError, ConnectionResetError):
            pass


server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
server.daemon_threads = True
print(server.server_address[1], flush=True)
server.serve_forever()
