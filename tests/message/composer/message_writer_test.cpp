// The composer's text, line by line, for the edge cases of its layout.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "platform/file.h"
#include "quillet/common/exceptions.h"
#include "quillet/message/composer/composer_texts.h"
#include "quillet/message/composer/message_writer.h"

namespace {

const char k_boundary[] = "=====_Marten012345678012_=====";

TStringList Lines(const std::string& text) {
  TStringList lines = SplitLines(text);
  return lines;
}

std::string Compose(const TComposeSettings& settings, const TComposeInput& input, bool full = true) {
  TMessageWriter writer(settings, input, k_boundary);
  TMemoryStream out;
  writer.WriteHeader(out);
  if (full) writer.WriteContent(out);
  else writer.WriteRawBody(out);
  return out.Bytes();
}

TComposeInput Plain() {
  TComposeInput input;
  input.From = "me@here.org";
  input.To = {"a@x.org"};
  input.Subject = "Hello";
  input.Body = {"line one", "line two"};
  input.VersionText = "1.2";
  return input;
}

TEST(MessageWriter, PlainAsciiMessage) {
  EXPECT_EQ(Lines(Compose(TComposeSettings(), Plain())),
            (TStringList{"From: me@here.org", "To: <a@x.org>", "Subject: Hello", "X-mailer: Quillet 1.2 [cn]",
                         "Mime-Version: 1.0", "Content-Type: text/plain; charset=\"us-ascii\"",
                         "Content-Transfer-Encoding: 7bit", "", "line one", "line two"}));
}

TEST(MessageWriter, HeaderLinesInOrder) {
  TComposeSettings settings;
  settings.Organization = "Org";
  TComposeInput input = Plain();
  input.ReplyTo = "r@here.org";
  input.To = {"a@x.org, Bob <b@y.org>", "c@z.org"};
  input.CC = {"\"Smith, John\" <j@s.org>"};
  input.BCC = {"hidden@h.org"};
  input.Attachments = {"/no/such/one.txt", "/no/such/two.bin"};
  TMessageWriter writer(settings, input, k_boundary);
  TMemoryStream out;
  writer.WriteHeader(out);
  EXPECT_EQ(Lines(out.Bytes()),
            (TStringList{"From: me@here.org", "Reply-To: r@here.org", "To: <a@x.org>,", " Bob <b@y.org>,",
                         " <c@z.org>", "CC: \"Smith, John\" <j@s.org>", "BCC: <hidden@h.org>", "Subject: Hello",
                         "Organization: Org", "X-mailer: Quillet 1.2 [cn]", "X-JayAttach: /no/such/one.txt,",
                         " /no/such/two.bin", "Mime-Version: 1.0"}));
}

TEST(MessageWriter, PriorityLines) {
  const struct {
    int priority;
    const char* line;
  } cases[] = {{1, "X-Priority: 1 (Highest)"}, {3, nullptr}, {5, "X-Priority: 5 (Lowest)"}, {2, nullptr}};
  for (const auto& c : cases) {
    TComposeInput input = Plain();
    input.Priority = c.priority;
    std::string text = Compose(TComposeSettings(), input);
    EXPECT_EQ(text.find("X-Priority") != std::string::npos, c.line != nullptr) << c.priority;
    if (c.line) {
      EXPECT_NE(text.find(std::string("Subject: Hello\r\n") + c.line + "\r\nX-mailer"), std::string::npos);
    }
  }
}

TEST(MessageWriter, DotLineIsDoubled) {
  TComposeInput input = Plain();
  input.Body = {"a", ".", ".x", ".."};
  TStringList lines = Lines(Compose(TComposeSettings(), input));
  EXPECT_EQ(TStringList(lines.end() - 4, lines.end()), (TStringList{"a", "..", ".x", ".."}));
}

TEST(MessageWriter, GbkBodyIsQuotedPrintableLabelledGb2312) {
  TComposeInput input = Plain();
  std::string longLine;
  for (int i = 0; i < 40; ++i) longLine += "中文";
  input.Body = {longLine};
  TStringList lines = Lines(Compose(TComposeSettings(), input));
  auto at = std::find(lines.begin(), lines.end(), "Content-Type: text/plain; charset=\"gb2312\"");
  ASSERT_NE(at, lines.end());
  EXPECT_EQ(*(at + 1), "Content-Transfer-Encoding: quoted-printable");
  std::string decoded;
  for (auto line = at + 3; line != lines.end(); ++line) {
    bool soft = !line->empty() && line->back() == '=';
    EXPECT_LE(line->size(), 65u * 3 + 1);
    if (line + 1 != lines.end()) {
      EXPECT_TRUE(soft) << *line;
    }
    decoded += *line;
  }
  EXPECT_EQ(decoded.find("=D6=D0=CE=C4"), 0u);  // 中文 in GBK
}

TEST(MessageWriter, CharsetLabel) {
  const struct {
    const char* configured;
    bool eightBit;
    const char* label;
  } cases[] = {{"us-ascii", false, "us-ascii"}, {"us-ascii", true, "gb2312"}, {"US-ASCII", true, "gb2312"},
               {"big5", true, "big5"},          {"gbk", false, "gbk"},       {"", true, "gb2312"}};
  for (const auto& c : cases) EXPECT_EQ(CharSetLabel(c.configured, c.eightBit), c.label) << c.configured;
}

TEST(MessageWriter, EightBitBodyWithoutAutoEncodeIs8bit) {
  TComposeSettings settings;
  settings.AutoTextEncode = false;
  TComposeInput input = Plain();
  input.Body = {"你好"};
  TStringList lines = Lines(Compose(settings, input));
  EXPECT_EQ(TStringList(lines.end() - 4, lines.end()),
            (TStringList{"Content-Type: text/plain; charset=\"gb2312\"", "Content-Transfer-Encoding: 8bit", "",
                         "你好"}));
}

TEST(MessageWriter, HeaderInjectionStartsNoLine) {
  TComposeInput input = Plain();
  input.Subject = "hi\r\nBcc: x@y";
  input.To = {"a@x.org\r\nBcc: z@w"};
  input.From = "me\nX-Evil: 1";
  TComposeSettings settings;
  settings.Organization = "O\rrg";
  std::string text = Compose(settings, input);
  for (const std::string& line : Lines(text)) {
    EXPECT_NE(line.compare(0, 4, "Bcc:"), 0) << line;
    EXPECT_NE(line.compare(0, 7, "X-Evil:"), 0) << line;
    EXPECT_EQ(line.find('\r'), std::string::npos);
  }
  EXPECT_NE(text.find("Subject: hi  Bcc: x@y\r\n"), std::string::npos);
}

TEST(MessageWriter, EightBitSubjectAsEncodedWords) {
  TComposeSettings settings;
  settings.Subject8bit = false;
  TComposeInput input = Plain();
  std::string subject;
  for (int i = 0; i < 30; ++i) subject += "中文 ?";
  input.Subject = subject;
  std::string field;
  for (const std::string& line : Lines(Compose(settings, input)))
    if (line.compare(0, 9, "Subject: ") == 0) field = line.substr(9);
  ASSERT_FALSE(field.empty());
  size_t words = 0;
  for (size_t start = 0; start < field.size();) {
    size_t end = field.find(' ', start);
    if (end == std::string::npos) end = field.size();
    std::string word = field.substr(start, end - start);
    ++words;
    EXPECT_LE(word.size(), 75u);
    EXPECT_EQ(word.compare(0, 11, "=?GB2312?Q?"), 0) << word;
    EXPECT_EQ(word.find('?', 11), word.size() - 2) << word;  // no raw "?" inside
    start = end + 1;
  }
  EXPECT_GT(words, 1u);
  EXPECT_EQ(DecodeWords(field), subject);
}

TEST(MessageWriter, NoRecipientRaises) {
  TComposeInput input = Plain();
  input.To = {"", " , "};
  try {
    TMessageWriter writer(TComposeSettings(), input, k_boundary);
    FAIL() << "no exception";
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), composer_texts::k_noRecipient);
  }
}

TEST(MessageWriter, SignatureRule) {
  const struct {
    TStringList body, signature;
    bool ends;
  } cases[] = {
      {{"text", "--", "me"}, {"--", "me"}, true},
      {{"text", "--", "me", ""}, {"--", "me", ""}, true},
      {{"--", "me"}, {"--", "me"}, false},  // nothing before the block
      {{"text", "other"}, {"--", "me"}, false},
      {{"text"}, {}, true},
  };
  for (const auto& c : cases) EXPECT_EQ(EndsWithSignature(c.body, c.signature), c.ends);
  TComposeInput input = Plain();
  input.Signature = {"--", "me"};
  TStringList lines = Lines(Compose(TComposeSettings(), input));
  EXPECT_EQ(TStringList(lines.end() - 3, lines.end()), (TStringList{"line two", "--", "me"}));
  lines = Lines(Compose(TComposeSettings(), input, false));
  EXPECT_EQ(lines.back(), "line two");  // save mode leaves the signature out
}

TEST(MessageWriter, BoundaryShape) {
  std::string b = MakeBoundary();
  ASSERT_EQ(b.size(), 12u + 12 + 6);
  EXPECT_EQ(b.substr(0, 12), "=====_Marten");
  EXPECT_EQ(b.substr(24), "_=====");
  for (char c : b.substr(12, 12)) EXPECT_TRUE(c >= '0' && c <= '8') << b;
}

class MessageWriterFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = platform::TempFileName(platform::TempFolder(), "qcmp");
    ASSERT_FALSE(path_.empty());
    TFileStream file(path_, TFileStream::Mode::Create);
    file.WriteString("Cat");
  }
  void TearDown() override { platform::FileDelete(path_); }
  std::string path_;
};

TEST_F(MessageWriterFiles, MimeAttachment) {
  TComposeInput input = Plain();
  input.Attachments = {path_};
  const std::string name = ExtractFileName(path_);
  TStringList lines = Lines(Compose(TComposeSettings(), input));
  TStringList tail(std::find(lines.begin(), lines.end(), "Mime-Version: 1.0") + 1, lines.end());
  const std::string b = k_boundary;
  TStringList want = {"Content-Type: multipart/mixed; boundary=\"" + b + "\"", "",
                      "This is a multi-part message in MIME format.", "", "--" + b,
                      "Content-Type: text/plain; charset=\"us-ascii\"", "Content-Transfer-Encoding: 7bit", "",
                      "line one", "line two", "", "--" + b,
                      "Content-Type: application/octet-stream; name=\"" + name + "\"",
                      "Content-Transfer-Encoding: base64",
                      "Content-Disposition: attachment; filename=\"" + name + "\"", "", "Q2F0", "", "--" + b + "--"};
  EXPECT_EQ(tail, want);
}

TEST_F(MessageWriterFiles, UuencodedAttachment) {
  TComposeSettings settings;
  settings.UseMIME = false;
  TComposeInput input = Plain();
  input.Attachments = {path_};
  int lastPercent = -1;
  input.OnProgress = [&](void*, int percent) { lastPercent = percent; };
  TStringList lines = Lines(Compose(settings, input));
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "Mime-Version: 1.0"), 0);
  auto body = std::find(lines.begin(), lines.end(), "line two");
  ASSERT_NE(body, lines.end());
  EXPECT_EQ(TStringList(body + 1, lines.end()),
            (TStringList{"begin 600 " + ExtractFileName(path_), "#0V%T`", "`", "end"}));
  EXPECT_EQ(lastPercent, 100);
}

}  // namespace
