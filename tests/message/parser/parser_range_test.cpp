// A message is a byte range of a larger stream (a mailbox data file): the parser reads
// nothing outside it, and the bytes around it change nothing.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "parser_test_util.h"
#include "platform/file.h"
#include "quillet/common/range_stream.h"

namespace {

using parser_test::Crlf;
using parser_test::ErrorOf;
using parser_test::TDecoded;
using test_support::TSpyStream;

struct TOutcome {
  std::string text;
  std::vector<std::string> names;
  std::vector<std::string> attachments;
  std::vector<std::int64_t> starts;
};

TOutcome Parse(TStream& stream, std::int64_t size, std::int64_t offset, bool asText = false) {
  TMsgDecode msg(&stream, size, offset);
  if (asText) msg.DecodeAsText();
  else msg.Decode();
  TOutcome outcome;
  outcome.text = msg.DisplayString();
  for (const TMsgSection& s : msg.Sections()) outcome.starts.push_back(s.Start - offset);
  for (size_t i = 0; i < msg.Attachments().size(); ++i) {
    outcome.names.push_back(msg.Attachments()[i].FileName);
    TMemoryStream out;
    msg.SaveAttachFileToStream(static_cast<int>(i), out);
    outcome.attachments.push_back(out.Bytes());
  }
  return outcome;
}

void ExpectSame(const TOutcome& a, const TOutcome& b) {
  EXPECT_EQ(a.text, b.text);
  EXPECT_EQ(a.names, b.names);
  EXPECT_EQ(a.attachments, b.attachments);
  EXPECT_EQ(a.starts, b.starts);
}

// Messages whose last bytes would read on into what follows them if the parser or a
// codec looked past the range: no final line end, a part without its closing delimiter,
// Base64 and uuencoded data up to the very end.
const std::vector<std::string> k_messages = {
    Crlf("Mime-Version: 1.0\nContent-Type: multipart/mixed; boundary=\"=_b\"\n\n--=_b\n\nfirst\n"
         "--=_b\nContent-Type: application/x; name=a.bin\nContent-Transfer-Encoding: base64\n\nQUJD"),
    Crlf("Mime-Version: 1.0\nContent-Type: multipart/mixed; boundary=\"=_b\"\n\n--=_b\n\nno closing delimiter"),
    Crlf("Mime-Version: 1.0\nContent-Type: multipart/mixed; boundary=\"=_b\"\n\n--=_b\n"
         "Content-Type: text/plain; name=t.txt\n\ntext attachment"),
    Crlf("Mime-Version: 1.0\nContent-Type: multipart/mixed; boundary=\"=_b\"\n\n--=_b\n"
         "Content-Type: text/plain; name=q.txt\nContent-Transfer-Encoding: quoted-printable\n\nsoft="),
    Crlf("Subject: uu\n\nbegin 644 cat.txt\n#0V%T\n`\nend"),
    Crlf("Subject: uu\n\nbegin 644 cat.txt\n#0V%T\n`\n"),
    Crlf("Mime-Version: 1.0\nContent-Type: message/rfc822\n\nSubject: inner\n\ninner body"),
    Crlf("Mime-Version: 1.0\nContent-Type: multipart/mixed; boundary=\"=_b\"\n\n--=_b\n\nbefore\n--=_b\n"
         "Content-Type: multipart/alternative; boundary=in\n\n--in\n\nalt\n--in"),
    Crlf("Subject: plain\n\nno line end at all"),
};

// What follows a message in a mailbox: another message, with lines that look like the
// delimiters, the Base64 and the uuencoded data of the one before.
const std::string k_after = Crlf(
    "QUJDREVG\n--=_b\nContent-Type: text/plain; name=evil.txt\n\nnot mine\n--=_b--\n--in--\n#0V%T\n`\nend\n"
    "Subject: next message\n\nbody\n");
const std::string k_before = Crlf("Subject: previous\n\n--=_b\nbegin 644 x\n#0V%T\n`\nend\n");

TEST(MessageRange, BytesAroundTheRangeAreNeverRead) {
  for (size_t i = 0; i < k_messages.size(); ++i) {
    SCOPED_TRACE("message " + std::to_string(i));
    const std::string& message = k_messages[i];
    TMemoryStream alone(message);
    TOutcome expected = Parse(alone, alone.Size(), 0);
    TSpyStream embedded(k_before + message + k_after);
    const std::int64_t offset = static_cast<std::int64_t>(k_before.size());
    const std::int64_t size = static_cast<std::int64_t>(message.size());
    ExpectSame(Parse(embedded, size, offset), expected);
    ExpectSame(Parse(embedded, size, offset, true), Parse(alone, alone.Size(), 0, true));
    EXPECT_GE(embedded.lowest, offset);
    EXPECT_LE(embedded.highest, offset + size);
  }
}

TEST(MessageRange, LastPartEndsAtTheRange) {
  TMemoryStream embedded(k_before + k_messages[0] + k_after);
  TOutcome outcome = Parse(embedded, static_cast<std::int64_t>(k_messages[0].size()),
                           static_cast<std::int64_t>(k_before.size()));
  EXPECT_EQ(outcome.text, "first\r\n");
  ASSERT_EQ(outcome.attachments.size(), 1u);
  EXPECT_EQ(outcome.attachments[0], "ABC");
}

TEST(MessageRange, ARangePastTheStreamEndIsAnError) {
  std::string message = Crlf("Subject: x\n\nbody\n");
  TMemoryStream s(message);
  TMsgDecode msg(&s, static_cast<std::int64_t>(message.size()) + 100, 0);
  EXPECT_EQ(ErrorOf([&] { msg.Decode(); }), "Can not read message, message format error");
}

// A size from a damaged index record must not overflow offset + size.
TEST(MessageRange, AHugeSizeIsAnErrorNotAnOverflow) {
  TMemoryStream s(Crlf("Subject: x\n\nbody\n"));
  TMsgDecode msg(&s, INT64_MAX, 5);
  EXPECT_EQ(ErrorOf([&] { msg.Decode(); }), "Can not read message, message format error");
  TMsgDecode atEnd(&s, INT64_MAX - 1, INT64_MAX - 2);
  EXPECT_EQ(ErrorOf([&] { atEnd.Decode(); }), "Can not read message, message format error");
}

TEST(MessageRange, ConstructorSeeksToTheOffset) {
  TMemoryStream s("0123456789");
  TMsgDecode msg(&s, 3, 4);
  EXPECT_EQ(s.Position(), 4);
}

TEST(MessageRange, MessagesInAFileAreParsedInPlace) {
  std::string file = platform::TempFileName(platform::TempFolder(), "qpr");
  ASSERT_FALSE(file.empty());
  const std::string& message = k_messages[0];
  {
    TFileStream out(file, TFileStream::Mode::Create);
    out.WriteString(k_before + message + k_after);
    out.Flush();
  }
  TMemoryStream alone(message);
  TOutcome expected = Parse(alone, alone.Size(), 0);
  const std::int64_t offset = static_cast<std::int64_t>(k_before.size());
  {
    TFileStream in(file, TFileStream::Mode::OpenRead);
    ExpectSame(Parse(in, static_cast<std::int64_t>(message.size()), offset), expected);
  }
  {
    TRangeStream range(std::make_unique<TFileStream>(file, TFileStream::Mode::OpenRead), offset, static_cast<std::int64_t>(message.size()));
    ExpectSame(Parse(range, range.Size(), 0), expected);
  }
  platform::FileDelete(file);
}

}  // namespace
