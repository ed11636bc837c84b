#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""A throwaway RFC 3161 time-stamping server for the signing tests.

    timestamp_server.py CONFIG KEY CERT

Answers a POST of an application/timestamp-query to "/" with `openssl ts -reply` under the given TSA config, key
and certificate; any other path gets 404, a server that gives no time stamp. It listens on a free port of
127.0.0.1 and prints that port on its first line of output.
"""
import http.server
import subprocess
import sys


class TimestampHandler(http.server.BaseHTTPRequestHandler):
    def do_POST(self):
        query = self.rfile.read(int(self.headers.get("Content-Length", 0)))
        if self.path != "/":
            self.send_error(404)
            return
        config, key, cert = sys.argv[1:4]
        answer = subprocess.run(
            ["openssl", "ts", "-reply", "-config", config, "-queryfile", "/dev/stdin", "-inkey", key, "-signer", cert],
            input=query, capture_output=True, check=False)
        if answer.returncode != 0 or not answer.stdout:
            self.send_error(500, "openssl ts -reply failed")
            sys.stderr.write(answer.stderr.decode(errors="replace"))
            return
        self.send_response(200)
        self.send_header("Content-Type", "application/timestamp-reply")
        self.send_header("Content-Length", str(len(answer.stdout)))
        self.end_headers()
        self.wfile.write(answer.stdout)

    def log_message(self, fmt, *args):  # one line per request, on stderr
        sys.stderr.write("timestamp server: " + fmt % args + "\n")


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    server = http.server.HTTPServer(("127.0.0.1", 0), TimestampHandler)
    print(server.server_address[1], flush=True)
    server.serve_forever()


if __name__ == "__main__":
    main()
