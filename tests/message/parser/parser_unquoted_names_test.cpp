// File names that mailers write unquoted with blanks in them.
#include <gtest/gtest.h>

#include <string>

#include "parser_test_util.h"

namespace {

using parser_test::Crlf;
using parser_test::TDecoded;

struct TNameCase {
  const char* partHeader;
  const char* fileName;
};

TEST(UnquotedNames, AttachmentKeepsTheWholeName) {
  const TNameCase cases[] = {
      {"Content-Type: application/octet-stream\nContent-Disposition: attachment; filename=This is a test.txt\n",
       "This is a test.txt"},
      {"Content-Type: application/octet-stream; name=Annual report 2023.pdf\n", "Annual report 2023.pdf"},
      {"Content-Type: application/octet-stream; name=old.bin\n"
       "Content-Disposition: attachment; filename=new name.bin; size=3\n",
       "new name.bin"},
      {"Content-Type: image/gif; name=my picture.gif\n", "my picture.GIF"},
  };
  for (const TNameCase& c : cases) {
    TDecoded d(Crlf(std::string("From: a@b\nMime-Version: 1.0\nContent-Type: multipart/mixed; boundary=b\n\n"
                                "--b\nContent-Type: text/plain\n\nhello\n--b\n") +
                    c.partHeader + "Content-Transfer-Encoding: base64\n\nAAEC\n--b--\n"));
    ASSERT_EQ(d.msg.Attachments().size(), 1u) << c.partHeader;
    EXPECT_EQ(d.msg.Attachments()[0].FileName, c.fileName);
    EXPECT_EQ(d.Attachment(0), std::string("\0\1\2", 3));
    EXPECT_EQ(d.Text(), "hello\r\n");
  }
}

}  // namespace
