"""An SMTP sink on loopback for the end-to-end tests of the SMTP client.

Run with Debian's Python (/usr/bin/python3, which sees python3-aiosmtpd):
    smtp_sink.py FOLDER
It listens on free ports of 127.0.0.1, each written to a file of FOLDER:
    port              plain, no login offered, no STARTTLS
    port_tls          implicit TLS (FOLDER/leaf.pem, made by tests/e2e/tls/make_test_certs.py),
                      login offered (all methods)
    port_starttls     STARTTLS required, then login required (CRAM-MD5, PLAIN and LOGIN
                      offered); messages up to 1,000,000 bytes (SIZE)
    port_plain_auth   the same, but only PLAIN and LOGIN offered
    port_login_auth   the same, but only LOGIN offered
    port_scripted     implicit TLS, a scripted server (see Scripted below)
FOLDER/port is written last, once all accept connections. The test login is
alice / secret. Every message received is stored as FOLDER/msgNNNN.eml (the DATA bytes
after the dots were taken off, exactly as received) beside FOLDER/msgNNNN.env (the
envelope: "MAIL FROM:" + sender and its parameters, one "RCPT TO:" + recipient line each,
and "AUTH:" + the login name and method when the session logged in). The .env file is
written first and the .eml appears last, whole, so a reader that sees the .eml finds both.
It stops on SIGTERM.
"""
import base64
import hashlib
import hmac
import os
import signal
import socket
import ssl
import sys
import threading
import time

from aiosmtpd.controller import Controller
from aiosmtpd.smtp import AuthResult, LoginPassword

USER, PASSWORD = b"alice", b"secret"


def authenticator(server, session, envelope, mechanism, auth_data):
    if isinstance(auth_data, LoginPassword) and auth_data.login == USER and auth_data.password == PASSWORD:
        session.method = mechanism
        return AuthResult(success=True, auth_data=auth_data)
    return AuthResult(success=False, handled=False)


class Sink:
    def __init__(self, folder):
        self.folder = folder
        self.count = 0
        self.lock = threading.Lock()

    async def auth_CRAM__MD5(self, server, args):
        challenge = ("<%d.%d@sink.test>" % (os.getpid(), time.time_ns())).encode()
        answer = await server.challenge_auth(challenge)
        if not isinstance(answer, bytes) or b" " not in answer:
            return AuthResult(success=False, handled=False)
        user, digest = answer.rsplit(b" ", 1)
        expected = hmac.new(PASSWORD, challenge, hashlib.md5).hexdigest().encode()
        if user != USER or not hmac.compare_digest(digest, expected):
            return AuthResult(success=False, handled=False)
        server.session.method = "CRAM-MD5"
        return AuthResult(success=True, auth_data=LoginPassword(user, b""))

    async def handle_DATA(self, server, session, envelope):
        with self.lock:
            self.count += 1
            base = os.path.join(self.folder, "msg%04d" % self.count)
        sender = " ".join([envelope.mail_from] + envelope.mail_options)
        lines = ["MAIL FROM:" + sender] + ["RCPT TO:" + r for r in envelope.rcpt_tos]
        if session.authenticated:
            lines.append("AUTH:%s %s" % (session.auth_data.login.decode(), session.method))
        with open(base + ".env", "w") as env:
            env.write("\n".join(lines) + "\n")
        with open(base + ".tmp", "wb") as eml:
            eml.write(envelope.original_content)
        os.replace(base + ".tmp", base + ".eml")
        return "250 OK stored"


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


def tls_context(folder):
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.maximum_version = ssl.TLSVersion.TLSv1_2  # what the Windows engine asks for
    context.load_cert_chain(os.path.join(folder, "leaf.pem"), os.path.join(folder, "leaf.key"))
    return context


def start(sink, **options):
    port = free_port()
    controller = Controller(sink, hostname="127.0.0.1", port=port, **options)
    controller.start()
    return port, controller


class Scripted:
    """Implicit TLS. Greets in two records, answers EHLO in three records some time apart
    ("250-scripted", "250-SIZE 1000000", "250 HELP"), then answers the next command with
    "250-half a reply" and ends the session with close-notify. What the client sent is
    written to FOLDER/scripted.txt (replaced per connection) once it closed."""

    def __init__(self, folder):
        self.folder = folder
        self.context = tls_context(folder)
        self.listener = socket.socket()
        self.listener.bind(("127.0.0.1", 0))
        self.listener.listen(4)
        self.port = self.listener.getsockname()[1]
        threading.Thread(target=self.accept, daemon=True).start()

    def accept(self):
        while True:
            raw, _ = self.listener.accept()
            threading.Thread(target=self.serve, args=(raw,), daemon=True).start()

    def serve(self, raw):
        heard = b""
        try:
            conn = self.context.wrap_socket(raw, server_side=True)
            conn.settimeout(10)
            for piece in (b"220-scripted\r\n", b"220 ready\r\n"):
                conn.sendall(piece)
                time.sleep(0.05)
            heard += self.read_line(conn)
            for piece in (b"250-scripted\r\n", b"250-SIZE 1000000\r\n", b"250 HELP\r\n"):
                conn.sendall(piece)
                time.sleep(0.05)
            heard += self.read_line(conn)
            conn.sendall(b"250-half a reply\r\n")
            conn.unwrap()  # close-notify
        except (OSError, ssl.SSLError):
            pass
        finally:
            raw.close()
            write_atomically(os.path.join(self.folder, "scripted.txt"), heard.decode("latin-1"))

    @staticmethod
    def read_line(conn):
        line = b""
        while not line.endswith(b"\n"):
            data = conn.recv(1)
            if not data:
                break
            line += data
        return line


def main():
    folder = sys.argv[1]
    sink = Sink(folder)
    auth = dict(authenticator=authenticator, auth_required=True)
    starttls = dict(tls_context=tls_context(folder), require_starttls=True, data_size_limit=1000000, **auth)
    servers = {
        "port_tls": start(sink, ssl_context=tls_context(folder), authenticator=authenticator,
                          auth_require_tls=False),
        "port_starttls": start(sink, **starttls),
        "port_plain_auth": start(sink, auth_exclude_mechanism=["CRAM-MD5"], **starttls),
        "port_login_auth": start(sink, auth_exclude_mechanism=["CRAM-MD5", "PLAIN"], **starttls),
        "port": start(sink),
    }
    scripted = Scripted(folder)
    write_atomically(os.path.join(folder, "port_scripted"), str(scripted.port))
    for name, (port, _) in servers.items():  # "port" last: the fixture waits for it
        write_atomically(os.path.join(folder, name), str(port))
    stop = threading.Event()
    signal.signal(signal.SIGTERM, lambda *_: stop.set())
    stop.wait()
    for _, controller in servers.values():
        controller.stop()


def write_atomically(path, text):
    with open(path + ".tmp", "w") as out:
        out.write(text)
    os.replace(path + ".tmp", path)


if __name__ == "__main__":
    main()
