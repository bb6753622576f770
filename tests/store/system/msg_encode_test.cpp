// TMsgEncode: the composed text appended to a mailbox with its record, the refusals, the
// cut-back after a failure, and the round trip through our parser and Python's email.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <random>
#include <string>

#include "platform/file.h"
#include "quillet/message/composer/composer_texts.h"
#include "quillet/message/parser/msg_decode.h"
#include "quillet/store/mailbox/mail_box.h"
#include "quillet/store/system/msg_encode.h"
#include "tests/store/mailbox/store_test_support.h"
#include "tests/support/recording_prompts.h"

namespace {

class MsgEncodeTest : public store_test::ScratchTest {
 protected:
  std::string WriteFile(const std::string& name, const std::string& bytes) {
    std::string path = Folder() + name;
    TFileStream file(path, TFileStream::Mode::Create);
    file.WriteString(bytes);
    return path;
  }
  TComposeInput Input() {
    TComposeInput input;
    input.From = "me@here.org";
    input.To = {"a@x.org"};
    input.Subject = "s";
    input.Body = {"body"};
    return input;
  }
  std::string StoredText(std::int32_t id) {
    TMailBox box(Base("out"));
    std::unique_ptr<TStream> stream = box.OpenMessageStream(id);
    std::string text(static_cast<size_t>(stream->Size()), '\0');
    stream->ReadBuffer(&text[0], static_cast<std::int32_t>(text.size()));
    return text;
  }
  TComposeSettings settings_;
  test_support::TRecordingPrompts prompts_;
};

TEST_F(MsgEncodeTest, AppendsTextAndRecord) {
  TMailHead head;
  head.State = 2;
  head.Priority = 5;
  head.Subject = "s";
  TMsgEncode encode(Base("out"), head, settings_, prompts_);
  encode.Input = Input();
  encode.Input.Attachments = {WriteFile("a.txt", "x"), Folder() + "gone.txt"};
  encode.Encode(true);
  EXPECT_EQ(prompts_.shown, (std::vector<std::string>{"文件不存在：" + Folder() + "gone.txt"}));
  TMailBox box(Base("out"));
  TMailHead stored;
  ASSERT_TRUE(box.ReadHead(head.Id, stored));
  EXPECT_EQ(stored.State, 2);
  EXPECT_EQ(stored.Priority, 5);
  EXPECT_EQ(stored.HasAttachment, 1);
  std::string text = StoredText(head.Id);
  EXPECT_EQ(stored.Size, text.size());
  EXPECT_NE(text.find("X-Priority: 5 (Lowest)\r\n"), std::string::npos);
  EXPECT_EQ(text.find("gone.txt"), std::string::npos);
  EXPECT_EQ(box.CheckSeparators(), 0);
}

TEST_F(MsgEncodeTest, RefusalsWriteNothing) {
  {
    TMailBox box(Base("out"));
    box.SetEncrypted(true);
  }
  TMailHead head;
  TMsgEncode encrypted(Base("out"), head, settings_, prompts_);
  encrypted.Input = Input();
  try {
    encrypted.Encode(true);
    FAIL();
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), composer_texts::k_mailboxEncrypted);
  }
  TMsgEncode noRecipient(Base("plain"), head, settings_, prompts_);
  noRecipient.Input = Input();
  noRecipient.Input.To.clear();
  EXPECT_THROW(noRecipient.Encode(true), Exception);
  EXPECT_EQ(platform::FileSizeByName(Base("plain.BOX")), 0);
  EXPECT_EQ(platform::FileSizeByName(Base("out.BOX")), 0);
}

TEST_F(MsgEncodeTest, FailureAfterFirstBytesCutsTheFileBack) {
  TMailHead first;
  TMsgEncode ok(Base("out"), first, settings_, prompts_);
  ok.Input = Input();
  ok.Encode(true);
  const std::int64_t size = platform::FileSizeByName(Base("out.BOX"));
  settings_.UseMIME = false;
  TMailHead head;
  TMsgEncode failing(Base("out"), head, settings_, prompts_);
  failing.Input = Input();
  failing.Input.Attachments = {WriteFile("big.bin", std::string(100000, 'z'))};
  failing.Input.OnProgress = [](void*, int percent) {
    if (percent >= 50) throw Exception("stopped");
  };
  EXPECT_THROW(failing.Encode(true), Exception);
  EXPECT_EQ(platform::FileSizeByName(Base("out.BOX")), size);
  TMailBox box(Base("out"));
  std::vector<std::int32_t> ids;
  box.ListIds(ids);
  EXPECT_EQ(ids, (std::vector<std::int32_t>{first.Id}));
  EXPECT_EQ(box.GetSpaceInfo().Wasted, 0);
}

std::string RandomBytes(size_t count) {
  std::mt19937 random(7);
  std::string bytes(count, '\0');
  for (char& c : bytes) c = static_cast<char>(random());
  return bytes;
}

std::string Hex(const std::string& bytes) {
  static const char digits[] = "0123456789abcdef";
  std::string hex;
  for (unsigned char c : bytes) hex += std::string{digits[c >> 4], digits[c & 15]};
  return hex.empty() ? "-" : hex;
}

#ifdef _WIN32
constexpr bool k_windowsBuild = true;
#else
constexpr bool k_windowsBuild = false;
#endif

// What both readers must find: the addresses, the decoded subject, the body and the bytes.
TEST_F(MsgEncodeTest, RoundTripThroughOurParserAndPythonsEmail) {
  settings_.Subject8bit = false;
  const std::string attachment = RandomBytes(5 * 1024 * 1024 + 17);
  TMailHead head;
  TMsgEncode encode(Base("out"), head, settings_, prompts_);
  encode.Input = Input();
  encode.Input.To = {"a@x.org, 张三 <z@s.cn>"};
  encode.Input.CC = {"c@y.org"};
  encode.Input.Subject = "邮件 round trip? 测试";
  encode.Input.Body = {"第一行", ".", "plain line"};
  encode.Input.Attachments = {WriteFile("data.bin", attachment)};
  encode.Encode(true);
  const std::string text = StoredText(head.Id);

  TMemoryStream stream(text);
  TMsgDecode msg(&stream, stream.Size(), 0);
  msg.Decode();
  EXPECT_EQ(DecodeWords(GetField(msg.HeaderLines(), "Subject:")), encode.Input.Subject);
  // A "." line is stored as ".."; the sending side takes the second dot off again.
  EXPECT_NE(msg.DisplayString().find("第一行\r\n..\r\nplain line"), std::string::npos);
  ASSERT_EQ(msg.Attachments().size(), 1u);
  TMemoryStream saved;
  msg.SaveAttachFileToStream(0, saved);
  EXPECT_TRUE(saved.Bytes() == attachment);

  if (k_windowsBuild) GTEST_SKIP() << "Python's side runs on Linux only (Debian's python3)";
  if (!platform::FileExists("/usr/bin/python3")) GTEST_SKIP() << "/usr/bin/python3 is missing";
  const std::string message = WriteFile("message.eml", text), output = Folder() + "peer.txt";
  const std::string command =
      std::string("/usr/bin/python3 '") + QUILLET_COMPOSE_PEER_SCRIPT + "' '" + message + "' '" + output + "'";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  std::ifstream in(output);
  std::string line;
  std::vector<std::string> lines;
  while (std::getline(in, line)) lines.push_back(line);
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[0], "to " + Hex("<a@x.org>,张三 <z@s.cn>"));
  EXPECT_EQ(lines[1], "cc " + Hex("<c@y.org>"));
  EXPECT_EQ(lines[2], "subject " + Hex(encode.Input.Subject));
  EXPECT_EQ(lines[3], "part text/plain - " + Hex("第一行\r\n..\r\nplain line\r\n"));
  EXPECT_TRUE(lines[4] == "part application/octet-stream " + Hex("data.bin") + " " + Hex(attachment));
}

}  // namespace
