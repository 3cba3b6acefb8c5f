#!/usr/bin/env python3
"""HTTP and HTTPS server on 127.0.0.1 for the web request tests.

Usage: loopback_server.py WORKDIR

Makes a self-signed certificate for "localhost" in WORKDIR, serves plain
HTTP and HTTPS at free ports, and writes "HTTP_PORT HTTPS_PORT" to
WORKDIR/ports once both listen. The raw bytes of every request it reads
(head and body) are stored as WORKDIR/request-NNN before it answers, so a
client that has its response can read what was sent. The server ends when
its standard input reaches end of file, that is when the test that started
it closes the pipe or dies.

The path chooses the answer:
  /cookies   200 with three Set-Cookie headers in different letter case
  /redirect  302 to /final
  /final     200 "final"
  /missing   404 "no such page"
  /binary    200 with a body holding a zero byte
  /silent    never answers; waits until the client gives up
  /pages/N   200 with the bytes of WORKDIR/pages/N, which the test wrote
  otherwise  200 "hello"
"""

import os
import socket
import ssl
import subprocess
import sys
import threading

IDLE_LIMIT_SECONDS = 30

workdir = sys.argv[1]
request_lock = threading.Lock()
request_count = 0


def make_certificate():
    cert = os.path.join(workdir, "cert.pem")
    key = os.path.join(workdir, "key.pem")
    subprocess.run(
        ["openssl", "req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1",
         "-nodes", "-keyout", key, "-out", cert, "-days", "2", "-subj", "/CN=localhost",
         "-addext", "subjectAltName=DNS:localhost"],
        check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return cert, key


def write_atomically(path, data):
    with open(path + ".tmp", "wb") as f:
        f.write(data)
    os.replace(path + ".tmp", path)


def record(raw):
    global request_count
    with request_lock:
        request_count += 1
        write_atomically(os.path.join(workdir, "request-%03d" % request_count), raw)


def answer(path):
    """Status, reason, extra header lines and body for a request path."""
    if path.startswith("/pages/"):
        page = os.path.join(workdir, "pages", os.path.basename(path))
        if os.path.isfile(page):
            with open(page, "rb") as f:
                return 200, "OK", ["Content-Type: text/html"], f.read()
    if path.endswith("/cookies"):
        return 200, "OK", [
            "Set-Cookie: a=1; Path=/",
            "set-cookie: B=two; Expires=Wed, 21 Oct 2037 07:28:00 GMT; HttpOnly",
            "SET-COOKIE: gone=deleted; Path=/",
        ], b"cookies"
    if path.endswith("/redirect"):
        return 302, "Found", ["Location: /final", "X-Step: redirect"], b"moved"
    if path.endswith("/final"):
        return 200, "OK", ["X-Step: final"], b"final"
    if path.endswith("/missing"):
        return 404, "Not Found", [], b"no such page"
    if path.endswith("/binary"):
        return 200, "OK", ["Content-Type: application/octet-stream"], b"a\x00b\xff"
    return 200, "OK", ["Content-Type: text/plain"], b"hello"


def read_request(conn, pending):
    """One request's raw bytes, or None when the connection ends first."""
    while b"\r\n\r\n" not in pending:
        chunk = conn.recv(65536)
        if not chunk:
            return None, b""
        pending += chunk
    head, _, rest = pending.partition(b"\r\n\r\n")
    length = 0
    for line in head.split(b"\r\n")[1:]:
        name, _, value = line.partition(b":")
        if name.strip().lower() == b"content-length":
            length = int(value.strip())
    while len(rest) < length:
        chunk = conn.recv(65536)
        if not chunk:
            return None, b""
        rest += chunk
    return head + b"\r\n\r\n" + rest[:length], rest[length:]


def serve_connection(conn, tls_context):
    try:
        conn.settimeout(IDLE_LIMIT_SECONDS)
        if tls_context is not None:
            conn = tls_context.wrap_socket(conn, server_side=True)
        pending = b""
        while True:
            raw, pending = read_request(conn, pending)
            if raw is None:
                return
            record(raw)
            request_line = raw.split(b"\r\n", 1)[0].decode("latin-1")
            verb, path = request_line.split(" ")[0], request_line.split(" ")[1]
            if path.endswith("/silent"):
                while conn.recv(65536):
                    pass
                return
            status, reason, headers, body = answer(path)
            response = "HTTP/1.1 %d %s\r\n" % (status, reason)
            response += "".join(line + "\r\n" for line in headers)
            response += "Content-Length: %d\r\n\r\n" % len(body)
            conn.sendall(response.encode("latin-1") + (b"" if verb == "HEAD" else body))
    except (OSError, ssl.SSLError, ValueError, IndexError):
        pass
    finally:
        conn.close()


def listen(tls_context):
    server = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    server.bind(("127.0.0.1", 0))
    server.listen(16)

    def accept_forever():
        while True:
            conn, _ = server.accept()
            threading.Thread(target=serve_connection, args=(conn, tls_context), daemon=True).start()

    threading.Thread(target=accept_forever, daemon=True).start()
    return server.getsockname()[1]


def main():
    cert, key = make_certificate()
    tls_context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    tls_context.load_cert_chain(cert, key)
    http_port = listen(None)
    https_port = listen(tls_context)
    write_atomically(os.path.join(workdir, "ports"), b"%d %d" % (http_port, https_port))
    sys.stdin.buffer.read()
    os._exit(0)


main()
