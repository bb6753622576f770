// Filing received messages by the assistant's rules.
#include "quillet/store/assistant/deliver_message.h"

#include <map>

#include "tests/store/mailbox/store_test_support.h"

namespace store_test {
namespace {

const std::string k_withAttachment =
    "From: \"Alice\" <alice@example.com>\r\nSubject: report\r\nMime-Version: 1.0\r\n"
    "Content-Type: multipart/mixed; boundary=\"b\"\r\n\r\n--b\r\nContent-Type: text/plain\r\n\r\nhi\r\n"
    "--b\r\nContent-Type: application/octet-stream; name=\"a.bin\"\r\nContent-Transfer-Encoding: base64\r\n"
    "Content-Disposition: attachment; filename=\"a.bin\"\r\n\r\nAAEC\r\n--b--\r\n";

struct DeliveryCase {
  const char* name;
  std::string target;  // the rule's target for subjects holding "report"
  bool encryptReports;
  std::string text;
  std::string mailbox;  // where it lands
  std::vector<std::string> shown;
  std::uint8_t attachment;
};

class DeliverMessageTest : public ScratchTest {};

TEST_F(DeliverMessageTest, FilesByTheFirstRuleOrIntoTheInbox) {
  const std::string plain = "From: =?GB2312?B?1tDOxA==?= <x@y>\r\nSubject: weekly report\r\nX-Priority: 1\r\n\r\nbody\r\n";
  const DeliveryCase cases[] = {
      {"rule names an existing mailbox", "Reports", false, plain, "Reports", {}, 0},
      {"no rule matches", "Reports", false, "From: a@b\r\nSubject: hello\r\n\r\nbody\r\n", "收件箱", {}, 0},
      {"target no longer exists", "Gone", false, plain, "收件箱", {"Assistence: box \"Gone\" not exist!"}, 0},
      {"encrypted target", "Reports", true, plain, "收件箱", {}, 0},
      {"attachment flag", "Reports", false, k_withAttachment, "Reports", {}, 1},
  };
  int run = 0;
  for (const DeliveryCase& c : cases) {
    SCOPED_TRACE(c.name);
    const std::map<std::string, std::string> bases{{"Reports", Base("rep" + std::to_string(run))}};
    const TDeliveryBoxes boxes{[&](const std::string& name) {
                                 auto found = bases.find(name);
                                 return found == bases.end() ? std::string() : found->second;
                               },
                               Base("in" + std::to_string(run++))};
    if (c.encryptReports) TMailBox(bases.at("Reports")).SetEncrypted(true);
    TAssistence assistant(Folder() + "assist.dat");
    TOneAction rule;
    rule.subject = "REPORT";
    rule.target = c.target;
    assistant.ReplaceRules({rule});
    TMemoryStream message(c.text);
    test_support::TRecordingPrompts prompts;

    const TDeliveryResult result = DeliverMessage(assistant, boxes, message, prompts);
    EXPECT_EQ(result.mailboxName, c.mailbox);
    EXPECT_EQ(prompts.shown, c.shown);
    TMailBox box(c.mailbox == "Reports" ? bases.at("Reports") : boxes.inboxBase);
    TMailHead head;
    ASSERT_TRUE(box.ReadHead(result.id, head));
    EXPECT_EQ(ReadText(box, result.id), c.text);
    EXPECT_EQ(head.Unread, 1);
    EXPECT_EQ(head.HasAttachment, c.attachment);
    EXPECT_EQ(head.Size, c.text.size());
  }
}

TEST_F(DeliverMessageTest, HeadTakesDecodedSenderAndSubjectCutOnCharacters) {
  std::string subject = "x";
  for (int i = 0; i < 100; ++i) subject += "中";  // 201 bytes: a cut at 128 falls inside a character
  const std::string text = "From: =?GB2312?B?1tDOxA==?= <x@y>\r\nSubject: " + subject + "\r\nX-Priority: 1\r\n\r\nbody\r\n";
  TAssistence assistant(Folder() + "assist.dat");
  TMemoryStream message(text);
  test_support::TRecordingPrompts prompts;
  const TDeliveryBoxes boxes{[](const std::string&) { return std::string(); }, Base("in")};
  const TDeliveryResult result = DeliverMessage(assistant, boxes, message, prompts);
  TMailBox box(Base("in"));
  TMailHead head;
  ASSERT_TRUE(box.ReadHead(result.id, head));
  EXPECT_EQ(head.Correspondent, "中文");
  EXPECT_EQ(head.Priority, 1);
  ASSERT_FALSE(head.Subject.empty());
  EXPECT_EQ(head.Subject.size() % 2, 1u);  // "x" and whole characters
  EXPECT_EQ(subject.compare(0, head.Subject.size(), head.Subject), 0);
}

}  // namespace
}  // namespace store_test
