"""A TLS line server on loopback for the end-to-end tests of the TLS session.

    tls_peer.py FOLDER
Serves each certificate that make_test_certs.py made (leaf, expired, othername,
stranger; TLS 1.2 at most: the Windows engine asks for 1.2) on its own free port of
127.0.0.1, written to FOLDER/port_NAME; FOLDER/port (the leaf's) comes last, once all
accept. Per connection: the greeting "+OK ready", then per line received:
    BIG N    N bytes of numbered lines, then "+OK end"
    QUIT     "+OK bye", then close-notify
    other    "ECHO " + the line
It stops on SIGTERM.
"""
import os
import signal
import socket
import ssl
import sys
import threading


def big_reply(size):
    lines, total, number = [], 0, 0
    while total < size:
        line = b"%d a line of a long reply\r\n" % number
        lines.append(line)
        total += len(line)
        number += 1
    return b"".join(lines)[:size]


def serve(conn):
    try:
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


def listen(folder, name):
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.maximum_version = ssl.TLSVersion.TLSv1_2
    context.load_cert_chain(os.path.join(folder, name + ".pem"), os.path.join(folder, name + ".key"))
    listener = socket.socket()
    listener.bind(("127.0.0.1", 0))
    listener.listen(8)
    threading.Thread(target=accept, args=(listener, context), daemon=True).start()
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
    ports = {name: listen(folder, name) for name in ("leaf", "expired", "othername", "stranger")}
    for name, port in ports.items():
        write_atomically(os.path.join(folder, "port_" + name), str(port))
    write_atomically(os.path.join(folder, "port"), str(ports["leaf"]))
    stop = threading.Event()
    signal.signal(signal.SIGTERM, lambda *_: stop.set())
    stop.wait()


if __name__ == "__main__":
    main()
