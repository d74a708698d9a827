#!/usr/bin/env python3
"""Loopback HTTP server for the update-check tests.

  pad_server.py start STATE   serve STATE/www on a free port of 127.0.0.1,
                              write the port to STATE/port, log request
                              paths to STATE/requests.log, return at once
  pad_server.py stop STATE    end the server started for STATE

"/status/CODE/NAME" answers NAME with status CODE. Asked as a proxy (the
request names a whole http:// address) it logs the address and serves the
address's path.
"""
import http.server
import os
import signal
import sys
import time


def serve(state):
    www = os.path.join(state, "www")
    log_path = os.path.join(state, "requests.log")

    class Handler(http.server.SimpleHTTPRequestHandler):
        def __init__(self, *args, **kwargs):
            super().__init__(*args, directory=www, **kwargs)

        def do_GET(self):
            with open(log_path, "a", encoding="utf-8") as log:
                log.write(self.path + "\n")
            # As a proxy the server sees whole addresses; it serves their path.
            if self.path.startswith("http://"):
                self.path = "/" + self.path.split("/", 3)[3] if self.path.count("/") >= 3 else "/"
            parts = self.path.split("/")
            if len(parts) >= 4 and parts[1] == "status" and parts[2].isdigit():
                name = os.path.join(www, os.path.basename("/".join(parts[3:])))
                body = open(name, "rb").read() if os.path.isfile(name) else b""
                self.send_response(int(parts[2]))
                self.send_header("Content-Type", "text/xml")
                self.send_header("Content-Length", str(len(body)))
                self.end_headers()
                self.wfile.write(body)
                return
            super().do_GET()

        def log_message(self, *args):
            pass

    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    with open(os.path.join(state, "port.tmp"), "w") as f:
        f.write(str(server.server_address[1]))
    os.replace(os.path.join(state, "port.tmp"), os.path.join(state, "port"))
    # Never outlives a forgotten clean-up by long.
    signal.signal(signal.SIGALRM, lambda *_: os._exit(0))
    signal.alarm(3600)
    server.serve_forever()


def start(state):
    os.makedirs(os.path.join(state, "www"), exist_ok=True)
    stop(state)
    for name in ("port", "requests.log"):
        try:
            os.remove(os.path.join(state, name))
        except FileNotFoundError:
            pass
    pid = os.fork()
    if pid == 0:
        os.setsid()
        devnull = os.open(os.devnull, os.O_RDWR)
        for fd in (0, 1, 2):
            os.dup2(devnull, fd)
        try:
            serve(state)
        finally:
            os._exit(0)
    with open(os.path.join(state, "pid"), "w") as f:
        f.write(str(pid))
    for _ in range(100):
        if os.path.exists(os.path.join(state, "port")):
            return 0
        time.sleep(0.05)
    print("pad_server: server did not start", file=sys.stderr)
    return 1


def stop(state):
    pid_path = os.path.join(state, "pid")
    try:
        pid = int(open(pid_path).read())
    except (FileNotFoundError, ValueError):
        return 0
    try:
        os.kill(pid, signal.SIGTERM)
    except ProcessLookupError:
        pass
    os.remove(pid_path)
    return 0


if __name__ == "__main__":
    if len(sys.argv) != 3 or sys.argv[1] not in ("start", "stop"):
        print(__doc__, file=sys.stderr)
        sys.exit(2)
    sys.exit(start(sys.argv[2]) if sys.argv[1] == "start" else stop(sys.argv[2]))
