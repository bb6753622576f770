#include "quillet/transport/mail_message.h"

#include <gtest/gtest.h>

#include "quillet/common/datetime.h"
#include "tests/support/recording_prompts.h"

namespace {

TEST(MailMessage, FieldsComeFromTheHeaderOnly) {
  TMemoryStream stream(
      "From: =?GB2312?B?1cXI/Q==?= <zs@example.com>\r\n"
      "Subject: =?GB2312?Q?=B2=E2=CA=D4?=\r\n"
      "Date: Mon, 7 Dec 1998 09:05:03 +0800\r\n"
      "X-Priority: 1\r\n"
      "Content-Type: message/partial; id=\"abc@x\"; number=2; total=3\r\n"
      "\r\n"
      "From: body line\r\n");
  stream.SetPosition(10);
  test_support::TRecordingPrompts prompts;
  const TMailMessage m = MakeMailMessage(stream, "/tmp/pop1", "uid-1", prompts);
  EXPECT_EQ(m.From, "\xD5\xC5\xC8\xFD <zs@example.com>");
  EXPECT_EQ(m.Subject, "\xB2\xE2\xCA\xD4");
  const TDateParts date = DecodeDateTime(m.Date);
  EXPECT_EQ(date.year, 1998);
  EXPECT_EQ(date.month, 12);
  EXPECT_EQ(date.day, 7);
  EXPECT_EQ(m.Priority, 1);
  EXPECT_EQ(m.PartialId, "abc@x");
  EXPECT_EQ(m.PartialNumber, 2);
  EXPECT_EQ(m.PartialTotal, 3);
  EXPECT_EQ(m.Size, stream.Size());
  EXPECT_EQ(m.Uidl, "uid-1");
  EXPECT_EQ(m.Stream, &stream);
  EXPECT_EQ(m.TempFile, "/tmp/pop1");
  EXPECT_EQ(stream.Position(), 0);
  EXPECT_TRUE(prompts.shown.empty());

  TMemoryStream plain("Subject: " + std::string(300, 'x') + "\r\n\r\n");
  const TMailMessage p = MakeMailMessage(plain, "", std::string(300, 'u'), prompts);
  EXPECT_EQ(p.Subject.size(), 255u);
  EXPECT_EQ(p.Uidl.size(), 255u);
  EXPECT_EQ(p.Priority, 3);
  EXPECT_EQ(p.PartialId, "");
}

// A stream whose bytes cannot be read: its header cannot be read to the end.
class TUnreadableStream : public TMemoryStream {
 public:
  using TMemoryStream::TMemoryStream;
  std::int32_t Read(void*, std::int32_t) override { return 0; }
};

TEST(MailMessage, UnreadableHeaderIsShownAndTheRecordStillGiven) {
  TUnreadableStream stream("Subject: cut off");
  test_support::TRecordingPrompts prompts;
  const TMailMessage m = MakeMailMessage(stream, "", "u", prompts);
  ASSERT_EQ(prompts.shown.size(), 1u);
  EXPECT_EQ(m.Stream, &stream);
  EXPECT_EQ(m.Uidl, "u");
  EXPECT_EQ(stream.Position(), 0);
}

}  // namespace
