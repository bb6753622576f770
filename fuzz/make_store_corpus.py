#!/usr/bin/env python3
"""Writes the seed corpus of store_fuzzer into fuzz/corpus/store/.

Each seed is a mailbox pair in the fuzzer's input form: 4 bytes little-endian giving the
index length, the index file, then the data file. The pairs are built here from the file
format directly (64-byte header, 176-byte records, 16-byte separators), so the seeds also
cross-check the store's own encoder.
"""
import os
import struct

SEPARATOR = b"\x10" * 7 + b"\x11" * 6 + b"S\r\n"
DATE_BIAS = 693594.0


def header(last_id, total, wasted=0, unread=0, items=0, version=6, encrypted=0, title=b""):
    h = b"KWB\0" + bytes([version]) + struct.pack("<i", last_id) + struct.pack("<d", 45000.5 + DATE_BIAS)
    h += bytes([encrypted]) + title[:16].ljust(17, b"\0")
    h += struct.pack("<iiii", wasted, total, unread, items) + b"\0" * 13
    assert len(h) == 64
    return h


def summary(item_id, unread, who, subject, size=0):
    s = struct.pack("<i", item_id) + bytes([0, unread, 0]) + struct.pack("<d", 45001.25 + DATE_BIAS)
    s += bytes([3]) + struct.pack("<I", size)
    names = who + b"\0" + subject + b"\0"
    s += names.ljust(128, b"\0") + struct.pack("<H", 0) + bytes([0]) + b"\0" * 12
    assert len(s) == 163
    return s


def record(item_id, deleted, offset, size, summ):
    r = struct.pack("<i", item_id) + bytes([deleted]) + struct.pack("<ii", offset, size) + summ
    assert len(r) == 176
    return r


def pair(items, version=6, encrypted=0, last_id=None):
    """items: list of (id, deleted, unread, text)."""
    data, records = b"", b""
    for item_id, deleted, unread, text in items:
        data += SEPARATOR
        records += record(item_id, deleted, len(data), len(text), summary(item_id, unread, b"Ann", b"Hello"))
        data += text
    live = [i for i in items if not i[1]]
    last = last_id if last_id is not None else max([i[0] for i in items], default=0)
    index = header(last, 64 + len(data), unread=sum(i[2] for i in live), items=len(live), version=version,
                   encrypted=encrypted) + records
    return index, data


def seed(index, data):
    return struct.pack("<I", len(index)) + index + data


def message(n):
    return b"From: a@example.org\r\nSubject: m%d\r\n\r\nbody %d\r\n" % (n, n)


def main():
    folder = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus", "store")
    os.makedirs(folder, exist_ok=True)
    three = [(1, 0, 1, message(1)), (2, 0, 0, message(2)), (3, 0, 1, message(3))]
    seeds = {
        "empty": pair([]),
        "three": pair(three),
        "deleted": pair([(1, 0, 1, message(1)), (2, 1, 0, message(2)), (3, 0, 0, message(3))]),
        "version5": pair(three, version=5),
        "disordered": pair([(5, 0, 1, message(5)), (3, 0, 0, message(3)), (9, 0, 1, message(9))]),
        "encrypted": pair(three, encrypted=1),
        "no-body": pair([(1, 0, 1, b"A: 1\r\nB: 2\r\n"), (2, 0, 1, b"\r\n"), (3, 0, 1, b"")]),
    }
    index, data = pair(three)
    seeds["cut-index"] = (index[:-100], data)
    seeds["short-data"] = (index, data[:-10])
    bad = bytearray(index)
    bad[64 + 5:64 + 9] = struct.pack("<i", len(data) + 500)
    seeds["past-end"] = (bytes(bad), data)
    for name, (index, data) in seeds.items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(seed(index, data))


if __name__ == "__main__":
    main()
