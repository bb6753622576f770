// A message with an HTML page that shows one attached picture twice by "cid:", and two
// attachments of the same name.
#pragma once

#include <string>

#include "quillet/message/parser/msg_decode.h"

namespace viewer_test {

inline std::string PageMessage() {
  return "From: =?gb2312?B?1cXI/Q==?= <zs@example.org>\r\n"
         "To: li@example.org\r\n"
         "Subject: =?gb2312?B?xOO6ww==?=\r\n"
         "Date: Tue, 8 Dec 2026 10:00:00 +0800\r\n"
         "MIME-Version: 1.0\r\n"
         "Content-Type: multipart/related; boundary=\"B\"\r\n"
         "\r\n"
         "--B\r\n"
         "Content-Type: text/html; charset=us-ascii\r\n"
         "\r\n"
         "<html><BASE href=\"http://x/\"><p>Hi &amp; bye<img src=\"cid:pic1\"><img src=\"cid:pic1\"></p></html>\r\n"
         "--B\r\n"
         "Content-Type: image/png; name=\"p.png\"\r\n"
         "Content-Transfer-Encoding: base64\r\n"
         "Content-ID: <pic1>\r\n"
         "\r\n"
         "aGVsbG8=\r\n"
         "--B\r\n"
         "Content-Type: text/plain; name=\"a.txt\"\r\n"
         "Content-Disposition: attachment; filename=\"a.txt\"\r\n"
         "\r\n"
         "first\r\n"
         "--B\r\n"
         "Content-Type: text/plain; name=\"a.txt\"\r\n"
         "Content-Disposition: attachment; filename=\"a.txt\"\r\n"
         "\r\n"
         "second\r\n"
         "--B--\r\n";
}

// The index of the nth attachment (from 0) with that name; -1 when there is none.
inline int AttachmentIndex(const TMsgDecode& message, const std::string& name, int nth = 0) {
  const auto& attachments = message.Attachments();
  for (std::size_t i = 0; i < attachments.size(); ++i)
    if (attachments[i].FileName == name && nth-- == 0) return static_cast<int>(i);
  return -1;
}

}  // namespace viewer_test
