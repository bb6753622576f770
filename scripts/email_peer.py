#!/usr/bin/python3
"""Writes, for each msg_*.txt of a folder, how Python's email package (compat32 policy)
sees the message: its parts, their file names and decoded bytes. The parser's peer test
reads this file and compares.

Usage: email_peer.py MESSAGE_FOLDER OUTPUT_FILE [OWN_FOLDER]

Each message is first given CR LF line ends, as stored messages have them; the bytes
parsed are written out too, so both parsers see exactly the same input. OWN_FOLDER holds
the project's own *.eml cases, taken the same way, except that files named lf_* keep
their bare LF line ends (mail saved by a Unix program). Output, one
record per line, byte strings in hex ("-" for none):
  message NAME
  source HEX
  defects COUNT NAMES...
  part text|attachment CONTENT-TYPE NAME-HEX PAYLOAD-HEX
  end
"""
import email
import email.header
import email.policy
import glob
import os
import sys


def crlf(data):
    return data.replace(b"\r\n", b"\n").replace(b"\n", b"\r\n")


def hexed(data):
    return data.hex() if data else "-"


def file_name_bytes(part):
    name = part.get_filename()
    if name is None:
        return b""
    if "=?" in name:  # compat32 leaves encoded words in place: decode them to raw bytes
        return b"".join(text if isinstance(text, bytes) else text.encode("ascii", "surrogateescape")
                        for text, _ in email.header.decode_header(name))
    return name.encode("utf-8", "surrogateescape")


def leaves(part, defects):
    """The body parts a reader meets: multiparts and attached messages are opened."""
    defects.extend(type(d).__name__ for d in part.defects)
    content_type = part.get_content_type()
    if part.is_multipart() and (content_type.startswith("multipart/") or
                                (content_type == "message/rfc822" and part.get_filename() is None)):
        for sub in part.get_payload():
            yield from leaves(sub, defects)
        return
    if part.is_multipart():  # message/delivery-status and the like: header blocks, no payload
        return
    name = file_name_bytes(part)
    kind = "text" if part.get_content_maintype() == "text" and not name else "attachment"
    yield kind, content_type, name, part.get_payload(decode=True) or b""


def message_files(folder, own_folder):
    """(path, keep line ends) of every message to compare."""
    paths = [(path, False) for path in sorted(glob.glob(os.path.join(folder, "msg_*.txt")))]
    if own_folder:
        for path in sorted(glob.glob(os.path.join(own_folder, "*.eml"))):
            paths.append((path, os.path.basename(path).startswith("lf_")))
    return paths


def main():
    folder, output = sys.argv[1], sys.argv[2]
    own_folder = sys.argv[3] if len(sys.argv) > 3 else None
    with open(output, "w", encoding="ascii") as out:
        for path, keep_line_ends in message_files(folder, own_folder):
            with open(path, "rb") as f:
                source = f.read() if keep_line_ends else crlf(f.read())
            message = email.message_from_bytes(source, policy=email.policy.compat32)
            defects = []
            parts = list(leaves(message, defects))
            out.write("message %s\n" % os.path.basename(path))
            out.write("source %s\n" % hexed(source))
            out.write("defects %d %s\n" % (len(defects), " ".join(defects)))
            for kind, content_type, name, payload in parts:
                out.write("part %s %s %s %s\n" % (kind, content_type, hexed(name), hexed(payload)))
            out.write("end\n")


if __name__ == "__main__":
    main()
