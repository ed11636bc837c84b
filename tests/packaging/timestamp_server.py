#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""timestamp_server.py CONFIG KEY CERT: a throwaway RFC 3161 time-stamping server for the signing tests.

It answers a POST to "/" with `openssl ts -reply` under the TSA config, key and certificate, and any other path
with 404 (a server that gives no time stamp); it listens on a free port of 127.0.0.1 and prints it first."""
import http.server
import subprocess
import sys


class Handler(http.server.BaseHTTPRequestHandler):
    def do_POST(self):
        query = self.rfile.read(int(self.headers.get("Content-Length", 0)))
        config, key, cert = sys.argv[1:4]
        answer = subprocess.run(["openssl", "ts", "-reply", "-config", config, "-queryfile", "/dev/stdin", "-inkey",
                                 key, "-signer", cert], input=query, capture_output=True, check=False)
        if self.path != "/" or answer.returncode != 0 or not answer.stdout:
            sys.stderr.write(answer.stderr.decode(errors="replace"))
            self.send_error(404 if self.path != "/" else 500)
            return
        self.send_response(200)
        self.send_header("Content-Type", "application/timestamp-reply")
        self.send_header("Content-Length", str(len(answer.stdout)))
        self.end_headers()
        self.wfile.write(answer.stdout)


if len(sys.argv) != 4:
    sys.exit(__doc__)
server = http.server.HTTPServer(("127.0.0.1", 0), Handler)
print(server.server_address[1], flush=True)
server.serve_forever()
