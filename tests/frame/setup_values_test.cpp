// What the setup dialog decides and writes: the account keys, the settings and the further
// accounts read back by the client's own readers; the signature; number boxes and ports;
// the toolbar's receive menu.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/file.h"
#include "quillet/frame/account_setup.h"
#include "quillet/frame/frame_texts.h"
#include "quillet/frame/setup_fields.h"
#include "quillet/frame/tool_buttons.h"
#include "quillet/message/composer/compose_settings.h"
#include "quillet/store/system/msg_encode.h"
#include "tests/store/system/system_test_support.h"

namespace {

class SetupValuesTest : public system_test::SystemTest {
 protected:
  std::string UidlPath(const std::string& name) const { return MailRoot() + name; }
};

TOneConnection Further(const std::string& name, const std::string& uidlFile) {
  TOneConnection c;
  c.Name = name;
  c.POP3Server = name + ".example";
  c.Account = "u";
  c.Password = "pw";
  c.Enabled = true;
  c.UidlFile = uidlFile;
  return c;
}

TEST_F(SetupValuesTest, WrittenKeysAreWhatTheClientReads) {
  WriteIni("[Connection]\r\nPOP3Security=2\r\nPOP3TrustedCert=AB\r\nSMTPTrustedCert=CD\r\n");
  auto manager = Open();
  const TSetupValues before = LoadSetupValues(*manager);
  EXPECT_EQ(before.Account.Pop3.POP3Port, 995);  // the port of implicit TLS when none is stored
  TSetupValues after = before;
  TAccountSetup& a = after.Account;
  a.Name = "张三";
  a.MailAddress = "zs@example.com";
  a.ReplyAddress = "r@example.com";
  a.Organization = "公司";
  a.Pop3.POP3Server = "pop.example";
  a.Pop3.POP3Port = 1110;
  a.Pop3.Security = TMailSecurity::Plain;
  a.Pop3.Account = "zs";
  a.Pop3.Password = "秘密";
  a.Pop3.LeaveIt = false;
  a.Smtp.Host = "smtp.example";
  a.Smtp.Port = 587;
  a.Smtp.Security = TMailSecurity::StartTls;
  a.Smtp.Auth = true;
  a.Smtp.Password = "";
  a.Smtp.TrustedCert = "EF";
  a.Signature = {TSignatureKind::Text, {"--", "张三"}, ""};
  after.Settings.AutoCheck = true;
  after.Settings.AutoCheckMinutes = 15;
  ApplySetupValues(*manager, before, after);

  const TProfileFile ini(IniPath());
  const TOneConnection own = DefaultAccount(ini);
  EXPECT_EQ(own.POP3Server, "pop.example");
  EXPECT_EQ(own.POP3Port, 1110);
  EXPECT_EQ(own.Security, TMailSecurity::Plain);
  EXPECT_EQ(own.TrustedCert, "AB");
  EXPECT_EQ(own.Account, "zs");
  EXPECT_EQ(own.Password, "秘密");
  EXPECT_FALSE(own.LeaveIt);
  const TSmtpServer smtp = SmtpServer(ini);
  EXPECT_EQ(smtp.Host, "smtp.example");
  EXPECT_EQ(smtp.Port, 587);
  EXPECT_EQ(smtp.Security, TMailSecurity::StartTls);
  EXPECT_TRUE(smtp.Auth);
  EXPECT_EQ(smtp.Account, "zs");  // no own login: the POP3 one
  EXPECT_EQ(smtp.TrustedCert, "EF");
  EXPECT_EQ(SenderText(ini, true), "张三 <zs@example.com>");
  EXPECT_EQ(LoadComposeSettings(ini).Organization, "公司");
  EXPECT_EQ(ini.ReadString("Connection", "ReplyAddress", ""), "r@example.com");
  EXPECT_EQ(SignatureLines(ini), (TStringList{"--", "张三"}));
  const std::string bytes = store_test::ReadFileBytes(IniPath());
  EXPECT_EQ(bytes.find("秘密"), std::string::npos);  // scrambled
  EXPECT_NE(bytes.find("SMTPPassword=\r\n"), std::string::npos);  // an empty password stays empty
  EXPECT_EQ(bytes.find("POP3Security"), std::string::npos);  // plain is the absent key
  EXPECT_TRUE(manager->Settings().AutoCheck);  // the running manager, and the file
  EXPECT_EQ(LoadSystemSettings(manager->Setup()).AutoCheckMinutes, 15);
}

TEST_F(SetupValuesTest, FurtherAccountsKeepTheirSeenListsAndGoneOnesLoseThem) {
  auto manager = Open();
  TSetupValues before = LoadSetupValues(*manager);
  before.Connections = {Further("a", "1.uid"), Further("b", "2.uid")};
  ApplySetupValues(*manager, LoadSetupValues(*manager), before);
  for (const char* name : {"1.uid", "2.uid", "3.uid", "4.uid"}) store_test::WriteFileBytes(UidlPath(name), "x\r\n");
  TSetupValues after = before;
  after.Connections.erase(after.Connections.begin());  // "a" goes
  after.Connections.push_back(NewConnection(after.Connections, before.Connections));
  EXPECT_EQ(after.Connections.back().UidlFile, "3.uid");  // not a's number
  after.Connections.back().POP3Server = "c.example";
  ApplySetupValues(*manager, before, after);
  EXPECT_FALSE(platform::FileExists(UidlPath("1.uid")));  // gone with a
  EXPECT_TRUE(platform::FileExists(UidlPath("2.uid")));
  EXPECT_FALSE(platform::FileExists(UidlPath("3.uid")));  // a stale list is not the new account's
  EXPECT_TRUE(platform::FileExists(UidlPath("4.uid")));   // no account of the dialog's
  const TConnections read(IniPath());
  ASSERT_EQ(read.Items().size(), 2u);
  EXPECT_EQ(read.Items()[0].Name, "b");
  EXPECT_EQ(read.Items()[1].POP3Server, "c.example");
  EXPECT_TRUE(read.Items()[1].Enabled && read.Items()[1].LeaveIt);
}

TEST_F(SetupValuesTest, SignatureOfEachKind) {
  store_test::WriteFileBytes(Folder() + "sig.txt", "ext 1\r\next 2\r\n");
  struct Case {
    std::string section;
    TStringList lines;
  };
  const std::vector<Case> cases = {
      {"SigType=0\r\nLines=1\r\nLine1=x\r\n", {}},
      {"SigType=1\r\nLines=2\r\nLine1=a\r\nLine2=\r\n", {"a", ""}},
      {"SigType=2\r\nExternalFile=" + Folder() + "sig.txt\r\n", {"ext 1", "ext 2"}},
      {"SigType=2\r\nExternalFile=" + Folder() + "none.txt\r\n", {}},
      {"SigType=7\r\nLines=1\r\nLine1=x\r\n", {}},
  };
  for (const Case& c : cases) {
    WriteIni("[Signature]\r\n" + c.section);
    EXPECT_EQ(SignatureLines(TProfileFile(IniPath())), c.lines) << c.section;
  }
}

TEST(SetupFields, NumberBoxesAndPortsFollowingTheSecurity) {
  const std::vector<std::pair<std::string, std::optional<std::int32_t>>> numbers = {
      {"110", 110}, {" 25 ", 25}, {"0", std::nullopt}, {"65536", std::nullopt}, {"", std::nullopt},
      {"1e3", std::nullopt}, {"-5", std::nullopt}, {"99999999999", std::nullopt}};
  for (const auto& [text, value] : numbers) EXPECT_EQ(NumberInRange(text, k_portRange), value) << text;
  EXPECT_EQ(RangeComplaint(k_packRateRange), "请输入 0 到 100 之间的整数");
  EXPECT_EQ(FingerprintComplaint(TServerKind::Smtp),
            "发送邮件 (SMTP)的“信任的指纹”不是证书的 SHA-256 指纹。请输入 32 字节的十六进制数字（64 位，字节之间可用"
            "“:”或空格分隔），或者留空，只接受验证通过的证书。");
  struct Case {
    std::int32_t port;
    TServerKind kind;
    TMailSecurity from, to;
    std::int32_t expected;
  };
  const std::vector<Case> ports = {
      {110, TServerKind::Pop3, TMailSecurity::Plain, TMailSecurity::ImplicitTls, 995},
      {995, TServerKind::Pop3, TMailSecurity::ImplicitTls, TMailSecurity::StartTls, 110},
      {1110, TServerKind::Pop3, TMailSecurity::Plain, TMailSecurity::ImplicitTls, 1110},
      {25, TServerKind::Smtp, TMailSecurity::Plain, TMailSecurity::ImplicitTls, 465},
      {587, TServerKind::Smtp, TMailSecurity::Plain, TMailSecurity::ImplicitTls, 587},
  };
  for (const Case& c : ports) EXPECT_EQ(PortAfterSecurityChange(c.port, c.kind, c.from, c.to), c.expected) << c.port;
}

TEST(ToolButtons, EveryCaptionHasAButtonAndTheReceiveMenuListsTheAccounts) {
  ASSERT_EQ(k_toolButtons.size(), frame_texts::k_toolbarCaptions.size());
  EXPECT_STREQ(k_toolButtons[2].name, "TBtn_Check");
  EXPECT_TRUE(k_toolButtons[2].dropDown);
  TOneConnection unnamed = Further("", "2.uid");
  unnamed.POP3Server = "pop.b";
  const std::vector<TReceiveMenuEntry> entries = ReceiveMenuEntries({Further("甲", "1.uid"), unnamed});
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].caption, frame_texts::k_receiveAllAccounts);
  EXPECT_EQ(entries[0].item, "M_file_getnewmail");
  EXPECT_EQ(entries[1].caption, "甲");
  EXPECT_EQ(entries[1].item, "PM_recv1");
  EXPECT_EQ(entries[2].caption, "pop.b");
  EXPECT_EQ(entries[2].item, "PM_recv2");
}

}  // namespace
