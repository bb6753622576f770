"""A TLS line server on loopback for the end-to-end tests of the TLS session.

    tls_peer.py FOLDER
Serves each certificate that make_test_certs.py made (leaf, expired, othername,
stranger; TLS 1.2 at most: the Windows engine asks for 1.2) on its own free port of
127.0.0.1, written to FOLDER/port_NAME; FOLDER/port (the leaf's) comes last, once all
accept. Per connection: the greeting "+OK ready", then per line received:
    BIG N    N bytes of numbered lines, then "+OK end"
    QUIT     "+OK bye", then close-notify
    other    "ECHO " + the line
Each certificate is also served in place on a plain connection, on FOLDER/port_upgrade_NAME:
the greeting "+OK ready" in plain, then
    CAPA       a listing that offers STLS
    STLS       "+OK begin", then TLS whose records go out a few bytes per write, and the
               lines as above (no second greeting)
    STLS JUNK  "+OK begin", and a moment later the plain line "+OK injected"
    other      "-ERR say STLS", and the connection ends
It stops on SIGTERM.
"""
import os
import signal
import socket
import ssl
import sys
import threading
import time

# The in-place server writes its TLS records in pieces of this many bytes.
PIECE = 5


def big_reply(size):
    lines, total, number = [], 0, 0
    while total < size:
        line = b"%d a line of a long reply\r\n" % number
        lines.append(line)
        total += len(line)
        number += 1
    return b"".join(lines)[:size]


def serve(conn, greet=True):
    try:
        if greet:
            conn.sendall(b"+OK ready\r\n")
        pending = b""
        while True:
            data = conn.recv(65536)
            if not data:
                return
            pending += data
            while b"\r\n" in pending:
                line, pending = pending.split(b"\r\n", 1)
                if line.startswith(b"BIG "):
                    conn.sendall(big_reply(int(line[4:])) + b"+OK end\r\n")
                elif line == b"QUIT":
                    conn.sendall(b"+OK bye\r\n")
                    conn.settimeout(2)
                    conn.unwrap()  # close-notify; waits briefly for the client's
                    return
                else:
                    conn.sendall(b"ECHO " + line + b"\r\n")
    except (OSError, ssl.SSLError):
        pass
    finally:
        conn.close()


class Trickle:
    """The server side of TLS over a connected plain socket, by memory buffers, so that every
    record goes out a few bytes per write; recv, sendall, settimeout and unwrap as a socket's."""

    def __init__(self, raw, context):
        self.raw = raw
        self.incoming, self.outgoing = ssl.MemoryBIO(), ssl.MemoryBIO()
        self.tls = context.wrap_bio(self.incoming, self.outgoing, server_side=True)
        self.run(self.tls.do_handshake)

    def flush(self):
        data = self.outgoing.read()
        for i in range(0, len(data), PIECE):
            self.raw.sendall(data[i:i + PIECE])
            time.sleep(0.001)

    def run(self, call, *args):
        while True:
            try:
                result = call(*args)
                self.flush()
                return result
            except ssl.SSLWantReadError:
                self.flush()
                data = self.raw.recv(65536)
                if not data:
                    raise OSError("the client hung up")
                self.incoming.write(data)

    def recv(self, size):
        try:
            return self.run(self.tls.read, size)
        except ssl.SSLZeroReturnError:
            return b""

    def sendall(self, data):
        self.run(self.tls.write, data)

    def settimeout(self, seconds):
        self.raw.settimeout(seconds)

    def unwrap(self):
        self.run(self.tls.unwrap)

    def close(self):
        self.raw.close()


def read_line(raw):
    line = b""
    while not line.endswith(b"\r\n"):
        data = raw.recv(1)
        if not data:
            raise OSError("the client hung up")
        line += data
    return line[:-2]


def serve_upgrade(raw, context):
    try:
        raw.setsockopt(socket.IPPROTO_TCP, socket.TCP_NODELAY, 1)
        raw.sendall(b"+OK ready\r\n")
        command = read_line(raw)
        while command == b"CAPA":
            raw.sendall(b"+OK\r\nSTLS\r\n.\r\n")
            command = read_line(raw)
        if command not in (b"STLS", b"STLS JUNK"):
            raw.sendall(b"-ERR say STLS\r\n")
            return
        raw.sendall(b"+OK begin\r\n")
        if command == b"STLS JUNK":
            time.sleep(0.3)
            raw.sendall(b"+OK injected\r\n")
            raw.settimeout(10)
            while raw.recv(65536):
                pass
            return
        serve(Trickle(raw, context), greet=False)
    except (OSError, ssl.SSLError):
        pass
    finally:
        raw.close()


def accept_upgrade(listener, context):
    while True:
        raw, _ = listener.accept()
        threading.Thread(target=serve_upgrade, args=(raw, context), daemon=True).start()


def listen(folder, name, upgrade=False):
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.maximum_version = ssl.TLSVersion.TLSv1_2
    context.load_cert_chain(os.path.join(folder, name + ".pem"), os.path.join(folder, name + ".key"))
    listener = socket.socket()
    listener.bind(("127.0.0.1", 0))
    listener.listen(8)
    threading.Thread(target=accept_upgrade if upgrade else accept, args=(listener, context), daemon=True).start()
    return listener.getsockname()[1]


def accept(listener, context):
    while True:
        raw, _ = listener.accept()
        try:
            conn = context.wrap_socket(raw, server_side=True)
        except (OSError, ssl.SSLError):
            raw.close()
            continue
        threading.Thread(target=serve, args=(conn,), daemon=True).start()


def write_atomically(path, text):
    with open(path + ".tmp", "w") as out:
        out.write(text)
    os.replace(path + ".tmp", path)


def main():
    folder = sys.argv[1]
    names = ("leaf", "expired", "othername", "stranger")
    ports = {name: listen(folder, name) for name in names}
    ports.update({"upgrade_" + name: listen(folder, name, upgrade=True) for name in names})
    for name, port in ports.items():
        write_atomically(os.path.join(folder, "port_" + name), str(port))
    write_atomically(os.path.join(folder, "port"), str(ports["leaf"]))
    stop = threading.Event()
    signal.signal(signal.SIGTERM, lambda *_: stop.set())
    stop.wait()


if __name__ == "__main__":
    main()
