#!/usr/bin/python3
"""Times Python's email package (compat32 policy) on a mail corpus folder, for the
parser benchmark. The files are read into memory first; only parsing is timed, in CPU seconds.

Usage: email_parse_timing.py FOLDER
Prints: BYTES PARSE_SECONDS PARSE_AND_DECODE_SECONDS
  parse: message_from_bytes of every message;
  parse and decode: the same, then get_payload(decode=True) of every body part.
"""
import email
import email.policy
import glob
import os
import sys
import time


def main():
    paths = sorted(glob.glob(os.path.join(sys.argv[1], "*.eml")))
    messages = []
    for path in paths:
        with open(path, "rb") as f:
            messages.append(f.read())
    total = sum(len(m) for m in messages)

    start = time.process_time()
    for raw in messages:
        email.message_from_bytes(raw, policy=email.policy.compat32)
    parse = time.process_time() - start

    start = time.process_time()
    for raw in messages:
        message = email.message_from_bytes(raw, policy=email.policy.compat32)
        for part in message.walk():
            if not part.is_multipart():
                part.get_payload(decode=True)
    decode = time.process_time() - start
    print(total, parse, decode)


if __name__ == "__main__":
    main()
