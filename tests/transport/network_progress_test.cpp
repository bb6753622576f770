// The receive and send runs against scripted servers: the account walk, delivery into the
// mailboxes, the report, remembered passwords, the main window's messages, and the send
// that hands each accepted message back to the manager.
#include "quillet/transport/network_progress.h"

#include <memory>
#include <string>
#include <vector>

#include "platform/message_loop.h"
#include "quillet/transport/mail_accounts.h"
#include "quillet/transport/scramble.h"
#include "tests/store/system/system_test_support.h"
#include "tests/support/fake_server.h"

namespace system_test {
namespace {

using test_support::TFakeServer;
using test_support::TServerStep;
using Texts = std::vector<std::string>;

class TRecordingView : public TProgressView {
 public:
  void Caption(const std::string& text) override { lines.push_back("caption " + text); }
  void StatusText(const std::string& text) override { lines.push_back("status " + text); }
  void CurrentText(const std::string& text) override { lines.push_back("current " + text); }
  void CommandText(const std::string& text) override { lines.push_back("command " + text); }
  void Gauge(std::int32_t) override {}
  Texts lines;
};

// A POP3 server holding one message, kept on the server.
std::vector<TServerStep> OneMessageScript(const std::string& uidl, const std::string& text) {
  return {{{"+OK\r\n"}},
          {{"+OK\r\n"}},
          {{"+OK 1 " + std::to_string(text.size()) + "\r\n"}},
          {{"+OK\r\n1 " + uidl + "\r\n.\r\n"}},
          {{"+OK\r\n1 " + std::to_string(text.size()) + "\r\n.\r\n"}},
          {{"+OK\r\n" + text + ".\r\n"}},
          {{"+OK bye\r\n"}}};
}

TOneConnection Account(const std::string& user, std::uint16_t port, const std::string& password, bool enabled = true) {
  TOneConnection account;
  account.POP3Server = "127.0.0.1";
  account.POP3Port = port;
  account.Account = user;
  account.Password = password;
  account.Enabled = enabled;
  account.UidlFile = user + ".uid";
  return account;
}

class NetworkProgressTest : public SystemTest {
 protected:
  void SetUp() override {
    SystemTest::SetUp();
    manager = Open();
    run = std::make_unique<TNetworkProgress>(progress, *manager, passwords, prompts, view);
  }
  // Points the send at the port with the extra [Connection] lines (the own account is
  // "me" at pop.example.org without a stored password) and queues one message; its id.
  std::int32_t QueueOne(std::uint16_t port, const std::string& lines) {
    WriteIni("[Connection]\r\nPOP3Host=pop.example.org\r\nPOP3Account=me\r\nSMTPHost=127.0.0.1\r\nSMTPPort=" +
             std::to_string(port) + "\r\n" + lines);
    manager = Open();
    run = std::make_unique<TNetworkProgress>(progress, *manager, passwords, prompts, view);
    TMailBox& outbox = manager->Boxes().Standard(TBoxKind::Outbox).Box();
    const std::int32_t id = store_test::AddText(outbox, "From: me@here.org\r\nTo: you@there.org\r\nSubject: s\r\n\r\nhi\r\n");
    TMailHead head;
    if (outbox.ReadHead(id, head)) {
      head.State = 2;
      outbox.WriteHead(head);
    }
    return id;
  }
  std::int32_t Count(TBoxKind kind) {
    std::vector<std::int32_t> ids;
    manager->Boxes().Standard(kind).Box().ListIds(ids);
    return static_cast<std::int32_t>(ids.size());
  }

  std::vector<platform::TWindowMessage> heard;
  platform::THiddenWindow mainWindow{[this](const platform::TWindowMessage& m, std::intptr_t&) {
    heard.push_back(m);
    return true;
  }};
  TProgressManager progress{mainWindow.Handle()};
  TPasswordList passwords;
  TRecordingView view;
  std::unique_ptr<TSystemManager> manager;
  std::unique_ptr<TNetworkProgress> run;
};

TEST_F(NetworkProgressTest, EnabledAccountsAreReceivedInOrderAndACancelledPasswordSkipsOnlyItsAccount) {
  TFakeServer first({"+OK ready\r\n"}, OneMessageScript("a1", store_test::MessageText("first")));
  TFakeServer asking({"+OK ready\r\n"}, {{{"+OK\r\n"}}});
  TFakeServer second({"+OK ready\r\n"}, OneMessageScript("d1", store_test::MessageText("second")));
  const std::vector<TOneConnection> accounts{Account("ann", first.Port(), "pw1"), Account("bob", 1, "x", false),
                                             Account("cat", asking.Port(), ""), Account("dan", second.Port(), "pw2")};
  TReceiveRequest request;
  request.Accounts = &accounts;
  EXPECT_EQ(run->Receive(request), 2);

  EXPECT_EQ(first.Transcript(), "USER ann\r\nPASS pw1\r\nSTAT\r\nUIDL\r\nLIST\r\nRETR 1\r\nQUIT\r\n");
  EXPECT_EQ(asking.Transcript(), "USER cat\r\n");
  EXPECT_EQ(Count(TBoxKind::Inbox), 2);
  EXPECT_EQ(prompts.passwordQuestions, Texts{"cat on 127.0.0.1"});  // asked, cancelled, nothing shown
  EXPECT_TRUE(prompts.shown.empty());
  EXPECT_EQ(run->Failures(), 0);
  EXPECT_EQ(ReceiveReport(2, progress.ReceivedLog()), (Texts{"收到 2 封新邮件", "2 封邮件保存到：收件箱"}));
  std::string remembered;
  EXPECT_TRUE(passwords.Get("127.0.0.1", "dan", remembered));
  EXPECT_EQ(remembered, "pw2");
  EXPECT_FALSE(passwords.Get("127.0.0.1", "cat", remembered));
  EXPECT_TRUE(platform::FileExists(MailRoot() + "ann.uid"));  // the seen file in the mail root

  platform::ProcessMessages();  // the posted report
  ASSERT_EQ(heard.size(), 3u);
  EXPECT_EQ(heard[0].wParam, static_cast<std::uintptr_t>(TNetworkActivity::ReceiveStarts));
  EXPECT_EQ(heard[1].wParam, static_cast<std::uintptr_t>(TNetworkActivity::ReceiveEnds));
  EXPECT_EQ(heard[2].message, k_receiveFinishedMessage);
  EXPECT_EQ(heard[2].wParam, 2u);
}

// Also the accounts' security settings reach the session: a required STLS that the server
// does not offer is a refusal like any other, and APOP replaces USER and PASS.
TEST_F(NetworkProgressTest, ARefusedAccountIsShownAndTheRunGoesOn) {
  TFakeServer refusing({"+OK ready\r\n"}, {{{"-ERR who?\r\n"}}, {{}}});
  TFakeServer good({"+OK ready\r\n"}, OneMessageScript("g1", store_test::MessageText("good")));
  TFakeServer noStls({"+OK ready\r\n"}, {{{"+OK\r\nUSER\r\n.\r\n"}}, {{}}});
  std::vector<TServerStep> apopScript = OneMessageScript("h1", store_test::MessageText("apop"));
  apopScript.erase(apopScript.begin());
  TFakeServer apop({"+OK ready <1.2@here>\r\n"}, apopScript);
  std::vector<TOneConnection> accounts{Account("eve", refusing.Port(), "pw"), Account("fay", good.Port(), "pw"),
                                       Account("gus", noStls.Port(), "pw"), Account("hal", apop.Port(), "pw")};
  accounts[2].Security = TMailSecurity::StartTls;
  accounts[3].Apop = true;
  TReceiveRequest request;
  request.Accounts = &accounts;
  request.Quiet = true;
  EXPECT_EQ(run->Receive(request), 2);
  EXPECT_EQ(prompts.shown, (Texts{"用户帐户名非法: eve",
                                  "POP3 服务器 127.0.0.1 不提供 STLS 安全连接，而帐户设置要求使用它。帐户名和口令都没有发出。"}));
  EXPECT_EQ(run->Failures(), 2);
  EXPECT_EQ(noStls.Transcript(), "CAPA\r\n");
  EXPECT_EQ(apop.Transcript().substr(0, 9), "APOP hal ");
}

TEST_F(NetworkProgressTest, OnlyOneRunAtATimeAndAQuietEmptyCheckReportsNothing) {
  progress.Begin(TProgressDirection::Send);
  EXPECT_THROW(progress.Begin(TProgressDirection::Receive), Exception);
  EXPECT_THROW(progress.AddReceivedLog("收件箱"), Exception);  // no receive runs
  progress.End();

  const std::vector<TOneConnection> none;
  TReceiveRequest request;
  request.Accounts = &none;
  request.Quiet = true;
  EXPECT_EQ(run->Receive(request), 0);
  request.Quiet = false;
  EXPECT_EQ(run->Receive(request), 0);
  platform::ProcessMessages();
  int reports = 0;
  for (const auto& m : heard) reports += m.message == k_receiveFinishedMessage;
  EXPECT_EQ(reports, 1);
  EXPECT_EQ(ReceiveReport(0, {}), Texts{"对不起，没有新邮件"});
}

TEST_F(NetworkProgressTest, SendHandsEachAcceptedMessageToTheManager) {
  EXPECT_EQ(run->Send(), 0);  // nothing queued: no connection, nothing shown
  EXPECT_TRUE(prompts.shown.empty());

  TFakeServer smtp({"220 ready\r\n"},
                   {{{"250 hello\r\n"}}, {{"250 ok\r\n"}}, {{"250 ok\r\n"}}, {{"354 go\r\n"}},
                    {{"250 queued\r\n"}, 0, false, 0, "\r\n.\r\n"}, {{"221 bye\r\n"}}});
  const std::int32_t id = QueueOne(smtp.Port(), "");

  Texts notices;
  EXPECT_EQ(run->Send([&](std::int32_t from, const std::string& box, std::int32_t now) {
    notices.push_back(std::to_string(from) + " " + box + " " + std::to_string(now));
  }), 1);
  EXPECT_EQ(notices, Texts{std::to_string(id) + " 已发送邮件 1"});
  EXPECT_EQ(Count(TBoxKind::Outbox), 0);
  EXPECT_EQ(Count(TBoxKind::Sentbox), 1);
  const std::string sent = smtp.Transcript();
  EXPECT_EQ(sent.substr(0, sent.find("Data")), "EHLO " + platform::LocalHostName() +
                                                   "\r\nMAIL FROM: <me@here.org>\r\nRCPT TO: <you@there.org>\r\n");
}

// The login is the POP3 account's: its password is asked for once, remembered under the
// POP3 server, and used by the next send; a refused login forgets it and keeps the mail.
TEST_F(NetworkProgressTest, SendLogsInWithTheAskedThenRememberedPassword) {
  const std::string plain = "AUTH PLAIN " + std::string("AG1lAHR5cGVk") + "\r\n";  // NUL me NUL typed
  const TServerStep ehlo{{"250-hello\r\n250 AUTH PLAIN\r\n"}};
  {
    TFakeServer smtp({"220 ready\r\n"}, {ehlo, {{"235 ok\r\n"}}, {{"250 ok\r\n"}}, {{"250 ok\r\n"}},
                                          {{"354 go\r\n"}}, {{"250 queued\r\n"}, 0, false, 0, "\r\n.\r\n"},
                                          {{"221 bye\r\n"}}});
    QueueOne(smtp.Port(), "SMTPAuth=1\r\n");
    prompts.passwords = {"typed"};
    EXPECT_EQ(run->Send(), 1);
    EXPECT_EQ(prompts.passwordQuestions, Texts{"me on 127.0.0.1"});
    const std::string sent = smtp.Transcript();
    EXPECT_EQ(sent.substr(0, sent.find("MAIL")), "EHLO " + platform::LocalHostName() + "\r\n" + plain);
  }
  std::string remembered;
  EXPECT_TRUE(passwords.Get("pop.example.org", "me", remembered));
  EXPECT_EQ(remembered, "typed");

  TFakeServer refusing({"220 ready\r\n"}, {ehlo, {{"535 5.7.8 no\r\n"}}});
  QueueOne(refusing.Port(), "SMTPAuth=1\r\n");
  EXPECT_EQ(run->Send(), 0);
  EXPECT_EQ(refusing.Transcript(), "EHLO " + platform::LocalHostName() + "\r\n" + plain);
  EXPECT_EQ(prompts.passwordQuestions.size(), 1u);  // the remembered one was used
  EXPECT_EQ(prompts.shown, Texts{"服务器 127.0.0.1 拒绝登录：\r\n535 5.7.8 no"});
  EXPECT_EQ(run->Failures(), 1);
  EXPECT_FALSE(passwords.Get("pop.example.org", "me", remembered));
  EXPECT_EQ(Count(TBoxKind::Outbox), 1);
}

// Each case: the ini's [Connection] lines besides the POP3 account's, and the server the
// send run takes from them.
struct TSmtpSettingsCase {
  const char* name;
  std::string lines;
  std::string expected;  // host:port security auth account/password @password server [trusted]
};

TEST_F(SystemTest, SmtpSettingsWithTheirDefaults) {
  const TSmtpSettingsCase cases[] = {
      {"none of the newer keys", "SMTPHost=smtp.example.org\r\n",
       "smtp.example.org:25 0 0 me/secret @pop.example.org []"},
      {"implicit TLS takes port 465", "SMTPHost=s\r\nSMTPSecurity=2\r\n", "s:465 2 0 me/secret @pop.example.org []"},
      {"a port of its own", "SMTPHost=s\r\nSMTPSecurity=2\r\nSMTPPort=2465\r\n", "s:2465 2 0 me/secret @pop.example.org []"},
      {"an unknown security asks for STARTTLS", "SMTPHost=s\r\nSMTPSecurity=7\r\n", "s:25 1 0 me/secret @pop.example.org []"},
      {"a login of its own", "SMTPHost=s\r\nSMTPSecurity=1\r\nSMTPAuth=1\r\nSMTPAccount=bob\r\nSMTPPassword=" +
                                 Scramble("pw", "", true) + "\r\nSMTPTrustedCert=ab:CD\r\n",
       "s:25 1 1 bob/pw @s [ab:CD]"},
      {"an account without a password", "SMTPHost=s\r\nSMTPAuth=1\r\nSMTPAccount=bob\r\n", "s:25 0 1 bob/ @s []"},
  };
  for (const TSmtpSettingsCase& c : cases) {
    SCOPED_TRACE(c.name);
    WriteIni("[Connection]\r\nPOP3Host=pop.example.org\r\nPOP3Account=me\r\nPOP3Password=" +
             Scramble("secret", "", true) + "\r\n" + c.lines);
    const TSmtpServer s = SmtpServer(TProfileFile(IniPath()));
    EXPECT_EQ(s.Host + ":" + std::to_string(s.Port) + " " + std::to_string(static_cast<int>(s.Security)) + " " +
                  (s.Auth ? "1" : "0") + " " + s.Account + "/" + s.Password + " @" + s.PasswordServer + " [" +
                  s.TrustedCert + "]",
              c.expected);
  }
}

TEST_F(SystemTest, MailAccountsAreTheOwnAccountThenTheFurtherOnes) {
  WriteIni("[Connection]\r\nPOP3Host=pop.example.org\r\nPOP3Port=1110\r\nPOP3Account=me\r\nPOP3Password=" +
           Scramble("secret", "", true) + "\r\nSMTPHost=smtp.example.org\r\n[Receive]\r\nLeaveInServer=0\r\n"
           "[OtherConnections]\r\nTotal=1\r\n[Connection1]\r\nPOP3Server=other.example.org\r\nAccount=you\r\n"
           "Enabled=1\r\nUidlFile=1.uid\r\n");
  const TProfileFile ini(IniPath());
  const std::vector<TOneConnection> accounts = MailAccounts(ini);
  ASSERT_EQ(accounts.size(), 2u);
  const TOneConnection& own = accounts[0];
  EXPECT_EQ(own.POP3Server + ":" + std::to_string(own.POP3Port) + " " + own.Account + " " + own.Password + " " +
                own.UidlFile,
            "pop.example.org:1110 me secret uidl");
  EXPECT_TRUE(own.Enabled);
  EXPECT_FALSE(own.LeaveIt);
  EXPECT_EQ(accounts[1].POP3Server + " " + accounts[1].UidlFile, "other.example.org 1.uid");
  EXPECT_EQ(SmtpServer(ini).Host + ":" + std::to_string(SmtpServer(ini).Port), "smtp.example.org:25");

  // The own account's security keys sit in [Connection] too; implicit TLS defaults to 995.
  WriteIni("[Connection]\r\nPOP3Host=pop.example.org\r\nPOP3Security=2\r\nPOP3TrustedCert=0A:0b\r\nAPOP=1\r\n");
  const TOneConnection secure = DefaultAccount(TProfileFile(IniPath()));
  EXPECT_EQ(secure.Security, TMailSecurity::ImplicitTls);
  EXPECT_EQ(secure.POP3Port, 995);
  EXPECT_EQ(secure.TrustedCert, "0A:0b");
  EXPECT_TRUE(secure.Apop);
  EXPECT_EQ(own.Security, TMailSecurity::Plain);
  EXPECT_FALSE(own.Apop);

  WriteIni("");  // no server of its own: the own account is left out of a check
  EXPECT_FALSE(DefaultAccount(TProfileFile(IniPath())).Enabled);
}

}  // namespace
}  // namespace system_test
