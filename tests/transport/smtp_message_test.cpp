// The header block the SMTP client sends and the recipients it names.
#include <gtest/gtest.h>

#include <string>

#include "quillet/transport/smtp_message.h"

namespace {

struct THeaderCase {
  const char* name;
  TStringList stored;
  std::string sent;  // after the Date line
};

const THeaderCase k_headerCases[] = {
    {"fields kept in order", {"From: a@x", "To: b@x", "Subject: s"}, "From: a@x\r\nTo: b@x\r\nSubject: s\r\n"},
    {"BCC and its continuations withheld",
     {"To: b@x", "BCC: c@x,", " d@x,", "\te@x", "Subject: s"},
     "To: b@x\r\nSubject: s\r\n"},
    {"any case", {"bcc: c@x", "x-jayattach: C:\\a.txt,", " C:\\b.txt", "X-Priority: 1"}, "X-Priority: 1\r\n"},
    {"X-JayAttach withheld", {"X-JayAttach: a", "Mime-Version: 1.0"}, "Mime-Version: 1.0\r\n"},
    {"continuations of kept fields stay",
     {"To: b@x,", " c@x", "Bcc: d@x", "CC: e@x,", " f@x"},
     "To: b@x,\r\n c@x\r\nCC: e@x,\r\n f@x\r\n"},
    {"names that merely contain the words stay", {"X-BCC: kept", "Reply-To: r@x"}, "X-BCC: kept\r\nReply-To: r@x\r\n"},
    {"no fields", {}, ""},
};

TEST(SmtpHeaderBlock, DateThenFieldsWithoutWithheldOnesThenEmptyLine) {
  for (const THeaderCase& c : k_headerCases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(BuildHeaderBlock(c.stored, "Tue, 8 Dec 2026 9:5:3 +0800"),
              "Date: Tue, 8 Dec 2026 9:5:3 +0800\r\n" + c.sent + "\r\n");
  }
}

TEST(SmtpHeaderBlock, RecipientsFromToThenCcThenBcc) {
  const TStringList header = {"BCC: hidden@x", "From: me@x", "CC: \"Lee, Ann\" <ann@x>,", " bob@x",
                              "To: Tom <tom@x>, sue@x", "Subject: s"};
  EXPECT_EQ(HeaderRecipients(header),
            (TStringList{"Tom <tom@x>", "sue@x", "\"Lee, Ann\" <ann@x>", "bob@x", "hidden@x"}));
  EXPECT_TRUE(HeaderRecipients({"From: me@x", "Subject: s"}).empty());
}

}  // namespace
