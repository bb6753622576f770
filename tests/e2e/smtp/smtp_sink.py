"""An SMTP sink on loopback for the end-to-end tests of the SMTP client.

Run with Debian's Python (/usr/bin/python3, which sees python3-aiosmtpd):
    smtp_sink.py FOLDER
It listens on a free port of 127.0.0.1, and with implicit TLS (FOLDER/leaf.pem, made by
tests/e2e/tls/make_test_certs.py) on another, written to FOLDER/port_tls; FOLDER/port is
written last, once both accept connections. It stores every message it receives as
FOLDER/msgNNNN.eml (the DATA bytes after the dots were taken off, exactly as received) beside FOLDER/msgNNNN.env (the
envelope: "MAIL FROM:" + sender, then one "RCPT TO:" + recipient line each). The .env
file is written first and the .eml appears last, whole, so a reader that sees the .eml
finds both. It stops on SIGTERM.
"""
import os
import signal
import socket
import ssl
import sys
import threading

from aiosmtpd.controller import Controller


class Sink:
    def __init__(self, folder):
        self.folder = folder
        self.count = 0

    async def handle_DATA(self, server, session, envelope):
        self.count += 1
        base = os.path.join(self.folder, "msg%04d" % self.count)
        lines = ["MAIL FROM:" + envelope.mail_from] + ["RCPT TO:" + r for r in envelope.rcpt_tos]
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


def main():
    folder = sys.argv[1]
    port = free_port()
    sink = Sink(folder)
    controller = Controller(sink, hostname="127.0.0.1", port=port)
    controller.start()
    tls_port = free_port()
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.maximum_version = ssl.TLSVersion.TLSv1_2  # what the Windows engine asks for
    context.load_cert_chain(os.path.join(folder, "leaf.pem"), os.path.join(folder, "leaf.key"))
    tls_controller = Controller(sink, hostname="127.0.0.1", port=tls_port, ssl_context=context)
    tls_controller.start()
    write_atomically(os.path.join(folder, "port_tls"), str(tls_port))
    write_atomically(os.path.join(folder, "port"), str(port))
    stop = threading.Event()
    signal.signal(signal.SIGTERM, lambda *_: stop.set())
    stop.wait()
    tls_controller.stop()
    controller.stop()


def write_atomically(path, text):
    with open(path + ".tmp", "w") as out:
        out.write(text)
    os.replace(path + ".tmp", path)


if __name__ == "__main__":
    main()
