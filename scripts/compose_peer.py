#!/usr/bin/python3
"""Prints how Python's email package (compat32 policy) reads one composed message: its
To, Cc and Subject (encoded words decoded to their bytes) and its leaf parts with their
decoded payloads. The composer's round-trip test compares this with what it wrote.

Usage: compose_peer.py MESSAGE_FILE OUTPUT_FILE
Output, one record per line, byte strings in hex ("-" for none):
  to HEX / cc HEX / subject HEX
  part CONTENT-TYPE NAME-HEX PAYLOAD-HEX
"""
import email
import email.header
import email.policy
import sys


def hexed(data):
    return data.hex() if data else "-"


def header_bytes(value):
    if value is None:
        return b""
    if isinstance(value, email.header.Header):
        value = str(value)
    return b"".join(text if isinstance(text, bytes) else text.encode("ascii", "surrogateescape")
                    for text, _ in email.header.decode_header(value))


def main():
    with open(sys.argv[1], "rb") as f:
        message = email.message_from_bytes(f.read(), policy=email.policy.compat32)
    with open(sys.argv[2], "w", encoding="ascii") as out:
        for field in ("to", "cc", "subject"):
            out.write("%s %s\n" % (field, hexed(header_bytes(message.get(field)))))
        for part in message.walk():
            if part.is_multipart():
                continue
            name = (part.get_filename() or "").encode("utf-8", "surrogateescape")
            out.write("part %s %s %s\n" % (part.get_content_type(), hexed(name),
                                           hexed(part.get_payload(decode=True) or b"")))


if __name__ == "__main__":
    main()
