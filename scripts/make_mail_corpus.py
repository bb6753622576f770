#!/usr/bin/env python3
"""Writes a realistic mail corpus for the parser benchmark: about 150 MB in 3,000
messages with CR LF line ends, as the mail store keeps them.

  ~60% quoted-printable text messages (English and GBK Chinese),
  ~30% messages with a Base64 attachment of 20-200 KB,
  ~10% HTML messages (multipart/alternative, both parts quoted-printable).

Usage: make_mail_corpus.py FOLDER [COUNT] [SEED]
The output is the same for the same COUNT and SEED.
"""
import base64
import os
import random
import sys

WORDS = ("the mail server report meeting budget schedule please find attached review draft "
         "project update client invoice order shipment account password network test result "
         "today tomorrow next week thanks regards office manager team quarter sales figures").split()
CHINESE = ["你好", "会议", "报告", "附件", "请查收", "谢谢", "项目", "进度", "明天", "预算",
           "客户", "合同", "邮件", "服务器", "网络", "测试", "结果", "通知", "安排", "总结"]


def sentence(rng, chinese):
    if chinese:
        return "".join(rng.choice(CHINESE) for _ in range(rng.randint(4, 14))) + "。"
    words = [rng.choice(WORDS) for _ in range(rng.randint(6, 16))]
    return " ".join(words).capitalize() + "."


def text_lines(rng, size):
    """Wrapped text of about size bytes (GBK), lines of at most ~72 characters."""
    lines, total = [], 0
    while total < size:
        chinese = rng.random() < 0.3
        paragraph = " ".join(sentence(rng, chinese) for _ in range(rng.randint(2, 6)))
        width = 36 if chinese else 72
        while paragraph:
            cut = paragraph[:width]
            if not chinese and len(paragraph) > width and " " in cut:
                cut = cut[:cut.rindex(" ")]
            lines.append(cut.encode("gbk"))
            paragraph = paragraph[len(cut):].lstrip(" ")
            total += len(lines[-1]) + 2
        lines.append(b"")
    return lines


def quoted_printable(lines):
    out = []
    for line in lines:
        encoded = bytearray()
        for i, b in enumerate(line):
            plain = 33 <= b <= 126 and b != 61 or (b == 32 and i != len(line) - 1)
            piece = bytes([b]) if plain else b"=%02X" % b
            if len(encoded) + len(piece) > 75:
                out.append(bytes(encoded) + b"=")
                encoded = bytearray()
            encoded += piece
        out.append(bytes(encoded))
    return b"\r\n".join(out) + b"\r\n"


def header(rng, index, content_type):
    return ("From: \"Sender %d\" <sender%d@example.com>\r\nTo: reader@example.cn\r\n"
            "Subject: =?gb2312?B?%s?= %d\r\nDate: Tue, 8 Dec 1998 10:%02d:%02d +0800\r\n"
            "Message-ID: <%d.%d@example.com>\r\nMIME-Version: 1.0\r\nContent-Type: %s\r\n\r\n" % (
                index, index, base64.b64encode(rng.choice(CHINESE).encode("gbk")).decode(), index,
                index % 60, (index * 7) % 60, index, rng.randint(1, 10**9), content_type)).encode("ascii")


def qp_part(lines, subtype="plain"):
    return (b"Content-Type: text/%s; charset=\"gb2312\"\r\nContent-Transfer-Encoding: quoted-printable\r\n\r\n"
            % subtype.encode() + quoted_printable(lines))


def html_lines(rng, size):
    lines = [b"<html><head><meta charset=\"gb2312\"></head><body>"]
    for line in text_lines(rng, size):
        lines.append(b"<p>" + line + b"</p>" if line else b"<br>")
    lines.append(b"</body></html>")
    return lines


def text_message(rng, index):
    return header(rng, index, "text/plain; charset=\"gb2312\"\r\nContent-Transfer-Encoding: quoted-printable") + \
        quoted_printable(text_lines(rng, rng.randint(2000, 12000)))


def attachment_message(rng, index):
    boundary = b"----=_NextPart_%06d" % index
    body = b"This is a multi-part message in MIME format.\r\n\r\n--" + boundary + b"\r\n"
    body += qp_part(text_lines(rng, rng.randint(500, 3000)))
    for n in range(1):
        data = rng.randbytes(rng.randint(20 * 1024, 200 * 1024))
        name = rng.choice(["report", "photo", "data", "报告", "照片"]) + "%d_%d" % (index, n)
        ext, ctype = rng.choice([(".pdf", "application/pdf"), (".jpg", "image/jpeg"), (".zip", "application/zip")])
        word = "=?gb2312?B?%s?=" % base64.b64encode((name + ext).encode("gbk")).decode()
        body += b"\r\n--" + boundary + b"\r\n"
        body += ("Content-Type: %s;\r\n\tname=\"%s\"\r\nContent-Transfer-Encoding: base64\r\n"
                 "Content-Disposition: attachment;\r\n\tfilename=\"%s\"\r\n\r\n" % (ctype, word, word)).encode()
        body += base64.encodebytes(data).replace(b"\n", b"\r\n")
    body += b"\r\n--" + boundary + b"--\r\n\r\n"
    return header(rng, index, "multipart/mixed;\r\n\tboundary=\"%s\"" % boundary.decode()) + body


def html_message(rng, index):
    boundary = b"----=_Alt_%06d" % index
    size = rng.randint(4000, 20000)
    body = b"--" + boundary + b"\r\n" + qp_part(text_lines(rng, size // 2))
    body += b"\r\n--" + boundary + b"\r\n" + qp_part(html_lines(rng, size), "html")
    body += b"\r\n--" + boundary + b"--\r\n"
    return header(rng, index, "multipart/alternative;\r\n\tboundary=\"%s\"" % boundary.decode()) + body


def main():
    folder = sys.argv[1]
    count = int(sys.argv[2]) if len(sys.argv) > 2 else 3000
    rng = random.Random(int(sys.argv[3]) if len(sys.argv) > 3 else 1998)
    os.makedirs(folder, exist_ok=True)
    total = 0
    for index in range(count):
        kind = rng.random()
        make = text_message if kind < 0.6 else attachment_message if kind < 0.9 else html_message
        message = make(rng, index)
        with open(os.path.join(folder, "msg_%05d.eml" % index), "wb") as f:
            f.write(message)
        total += len(message)
    print("%d messages, %.1f MB in %s" % (count, total / 1e6, folder))


if __name__ == "__main__":
    main()
