#include "quillet/transport/connections.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/file.h"
#include "quillet/common/exceptions.h"
#include "quillet/common/profile_file.h"
#include "quillet/transport/scramble.h"

namespace {

std::string FreshIni(const std::string& name, const std::string& bytes = std::string()) {
  const std::string path = platform::TempFolder() + "qtt_" + name;
  platform::FileDelete(path);
  if (!bytes.empty()) platform::FileReplaceContents(path, bytes.data(), static_cast<std::int32_t>(bytes.size()));
  return path;
}

TOneConnection Account(const std::string& name, const std::string& password, const std::string& uidl) {
  TOneConnection c;
  c.Name = name;
  c.POP3Server = "pop." + name + ".example";
  c.POP3Port = 995;
  c.Account = name + "\xD3\xC3";  // GBK bytes stay as they are
  c.Password = password;
  c.Enabled = true;
  c.LeaveIt = false;
  c.UidlFile = uidl;
  return c;
}

void ExpectSame(const TOneConnection& a, const TOneConnection& b) {
  EXPECT_EQ(a.Name, b.Name);
  EXPECT_EQ(a.POP3Server, b.POP3Server);
  EXPECT_EQ(a.POP3Port, b.POP3Port);
  EXPECT_EQ(a.Account, b.Account);
  EXPECT_EQ(a.Password, b.Password);
  EXPECT_EQ(a.Enabled, b.Enabled);
  EXPECT_EQ(a.LeaveIt, b.LeaveIt);
  EXPECT_EQ(a.UidlFile, b.UidlFile);
  EXPECT_EQ(a.Security, b.Security);
  EXPECT_EQ(a.TrustedCert, b.TrustedCert);
  EXPECT_EQ(a.Apop, b.Apop);
}

TEST(Connections, SaveLoadRoundTripAndStaleSectionsGo) {
  const std::string path = FreshIni("round_trip.ini", "[System]\r\nmailroot=C:\\mail\r\n[Connection9]\r\nName=kept\r\n");
  TConnections list(path);
  EXPECT_TRUE(list.Items().empty());
  list.Items() = {Account("a", "pw1", "1.uid"), Account("b", "", "2.uid"), Account("c", "\xC3\xDC\xC2\xEB", "3.uid")};
  list.Items()[2].Security = TMailSecurity::ImplicitTls;
  list.Items()[2].TrustedCert = "ab:cd";
  list.Items()[2].Apop = true;
  list.Save();

  const TProfileFile file(path);
  EXPECT_EQ(file.ReadInteger("OtherConnections", "Total", -1), 3);
  EXPECT_EQ(file.ReadString("Connection2", "Password", "absent"), "");  // an empty password is an empty value
  EXPECT_EQ(Scramble(file.ReadString("Connection1", "Password", ""), "", false), "pw1");
  EXPECT_NE(file.ReadString("Connection1", "Password", ""), "pw1");
  EXPECT_EQ(file.ReadString("Connection1", "Enabled", ""), "1");
  EXPECT_EQ(file.ReadString("Connection1", "LeaveIt", ""), "0");
  EXPECT_EQ(file.ReadString("Connection3", "POP3Port", ""), "995");

  TConnections again(path);
  ASSERT_EQ(again.Items().size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) ExpectSame(again.Items()[i], list.Items()[i]);

  again.Items().erase(again.Items().begin());  // delete the first account
  again.Save();
  const TProfileText ini = file.Load();
  EXPECT_FALSE(ini.SectionExists("Connection3"));
  EXPECT_EQ(ini.ReadString("Connection1", "Name", ""), "b");
  EXPECT_EQ(ini.ReadString("System", "mailroot", ""), "C:\\mail");  // other sections kept
  EXPECT_EQ(ini.ReadString("Connection9", "Name", ""), "kept");     // beyond the old total: untouched
  const std::vector<std::string> expected = {"System", "Connection9", "OtherConnections", "Connection1", "Connection2"};
  EXPECT_EQ(ini.SectionNames(), expected);
  TConnections last(path);
  ASSERT_EQ(last.Items().size(), 2u);
  ExpectSame(last.Items()[1], list.Items()[2]);
  platform::FileDelete(path);
}

TEST(Connections, ReadsDefaultsAndSurvivesDamage) {
  struct Case { const char* name; std::string ini; std::size_t count; };
  const Case cases[] = {
      {"missing file", "", 0},
      {"no section", "[System]\r\nx=1\r\n", 0},
      {"negative total", "[OtherConnections]\r\nTotal=-4\r\n", 0},
      {"not a number", "[OtherConnections]\r\nTotal=many\r\n", 0},
      {"missing account sections read as defaults", "[OtherConnections]\r\nTotal=2\r\n", 2},
      {"damaged huge total is capped", "[OtherConnections]\r\nTotal=2000000000\r\n", 1000},
  };
  for (const Case& c : cases) {
    TConnections list(FreshIni("defaults.ini", c.ini));
    EXPECT_EQ(list.Items().size(), c.count) << c.name;
    if (c.count == 0) continue;
    const TOneConnection& first = list.Items()[0];
    EXPECT_EQ(first.POP3Port, 110);
    EXPECT_FALSE(first.Enabled);
    EXPECT_TRUE(first.LeaveIt);
    EXPECT_EQ(first.Name + first.POP3Server + first.Account + first.Password + first.UidlFile, "");
  }
  TConnections list(FreshIni("bad_password.ini", "[OtherConnections]\r\nTotal=1\r\n[connection1]\r\nPassword=ZZ12\r\nname=x\r\n"));
  ASSERT_EQ(list.Items().size(), 1u);
  EXPECT_EQ(list.Items()[0].Password, "");  // cannot be descrambled: empty
  EXPECT_EQ(list.Items()[0].Name, "x");
}

TEST(Connections, SaveWithADamagedHugeTotalErasesOnlyExistingSections) {
  const std::string path = FreshIni("huge_total.ini",
                                    "[OtherConnections]\r\nTotal=2147483647\r\n[Connection5000]\r\nName=old\r\n"
                                    "[Connection01]\r\nName=not a number of ours\r\n");
  TConnections list(path);
  list.Items() = {Account("a", "p", "1.uid")};
  list.Save();
  const TProfileText ini = TProfileFile(path).Load();
  const std::vector<std::string> expected = {"Connection01", "OtherConnections", "Connection1"};
  EXPECT_EQ(ini.SectionNames(), expected);
  platform::FileDelete(path);
}

TEST(Connections, SaveThatCannotStoreAFieldLeavesTheFileAlone) {
  const std::string before = "[OtherConnections]\r\nTotal=1\r\n[Connection1]\r\nName=old\r\n";
  const std::string path = FreshIni("refused.ini", before);
  TConnections list(path);
  list.Items().push_back(Account("line\r\nTotal=99", "p", "2.uid"));
  EXPECT_THROW(list.Save(), Exception);
  EXPECT_EQ(TProfileFile(path).Load().Bytes(), before);
  platform::FileDelete(path);
}

TEST(Connections, FreeUidlNumber) {
  struct Case { std::vector<std::string> files; std::int32_t expected; };
  std::vector<std::string> all;
  for (int n = 1; n <= 1000; ++n) all.push_back(std::to_string(n) + ".uid");
  const Case cases[] = {
      {{}, 1},
      {{"1.uid", "2.uid", "4.uid"}, 3},
      {{"2.uid", "1.x.y"}, 3},              // the number before the first "."
      {{"001.uid", "abc.uid", "1"}, 2},     // leading zeros count; no "." or no number takes none
      {{"", "-1.uid", "0.uid", "1a.uid"}, 1},
      {all, 1001},
  };
  for (const Case& c : cases) {
    TConnections list(FreshIni("uidl.ini"));
    for (const std::string& file : c.files) {
      TOneConnection connection;
      connection.UidlFile = file;
      list.Items().push_back(connection);
    }
    EXPECT_EQ(list.FreeUidlNumber(), c.expected) << c.files.size();
    EXPECT_EQ(list.NewUidlFile(), std::to_string(c.expected) + ".uid");
  }
}

// The security keys: absent, they read as plain on port 110 and are not written back, so
// that an older file reads and writes as before; implicit TLS defaults to port 995; a
// number no version wrote reads as the required upgrade, never as plain.
TEST(Connections, SecurityKeysWithTheirDefaults) {
  struct Case {
    std::string keys;
    TMailSecurity security;
    std::int32_t port;
    std::string trusted;
    bool apop;
  };
  const Case cases[] = {
      {"", TMailSecurity::Plain, 110, "", false},
      {"POP3Security=1\r\n", TMailSecurity::StartTls, 110, "", false},
      {"POP3Security=2\r\n", TMailSecurity::ImplicitTls, 995, "", false},
      {"POP3Security=2\r\nPOP3Port=1995\r\n", TMailSecurity::ImplicitTls, 1995, "", false},
      {"POP3Security=7\r\n", TMailSecurity::StartTls, 110, "", false},
      {"POP3TrustedCert=AB:cd\r\nAPOP=1\r\n", TMailSecurity::Plain, 110, "AB:cd", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.keys);
    const std::string path = FreshIni("security.ini", "[OtherConnections]\r\nTotal=1\r\n[Connection1]\r\n" + c.keys);
    TConnections list(path);
    ASSERT_EQ(list.Items().size(), 1u);
    const TOneConnection& read = list.Items()[0];
    EXPECT_EQ(read.Security, c.security);
    EXPECT_EQ(read.POP3Port, c.port);
    EXPECT_EQ(read.TrustedCert, c.trusted);
    EXPECT_EQ(read.Apop, c.apop);
    list.Save();
    const TProfileText ini = TProfileFile(path).Load();
    EXPECT_EQ(ini.ReadString("Connection1", "POP3Security", "absent"),
              c.security == TMailSecurity::Plain ? "absent" : std::to_string(static_cast<int>(c.security)));
    EXPECT_EQ(ini.ReadString("Connection1", "POP3TrustedCert", "absent"), c.trusted.empty() ? "absent" : c.trusted);
    EXPECT_EQ(ini.ReadString("Connection1", "APOP", "absent"), c.apop ? "1" : "absent");
    platform::FileDelete(path);
  }
}

}  // namespace
