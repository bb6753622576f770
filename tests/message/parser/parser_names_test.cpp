#include <gtest/gtest.h>

#include <string>

#include "quillet/message/parser/attachment_names.h"

namespace {

// "乗" is 81 5C in GBK and "億" is 83 7C: their trail bytes are "\" and "|".
const std::string k_gbkBackslashTrail = "\x81\x5C";
const std::string k_gbkBarTrail = "\x83\x7C";

TEST(SafeAttachmentName, KeepsOrdinaryNames) {
  EXPECT_EQ(SafeAttachmentName("report.pdf"), "report.pdf");
  EXPECT_EQ(SafeAttachmentName("my file (2).tar.gz"), "my file (2).tar.gz");
  EXPECT_EQ(SafeAttachmentName(".profile"), ".profile");
  EXPECT_EQ(SafeAttachmentName(""), "");
}

TEST(SafeAttachmentName, KeepsOnlyTheFinalComponent) {
  EXPECT_EQ(SafeAttachmentName("../../x.exe"), "x.exe");
  EXPECT_EQ(SafeAttachmentName("..\\..\\windows\\system32\\x.dll"), "x.dll");
  EXPECT_EQ(SafeAttachmentName("C:\\x"), "x");
  EXPECT_EQ(SafeAttachmentName("C:x.txt"), "x.txt");
  EXPECT_EQ(SafeAttachmentName("\\\\host\\share\\x"), "x");
  EXPECT_EQ(SafeAttachmentName("/etc/passwd"), "passwd");
  EXPECT_EQ(SafeAttachmentName("file.txt:stream"), "stream");
}

TEST(SafeAttachmentName, NamesThatWouldLeaveTheFolderBecomeUnknown) {
  EXPECT_EQ(SafeAttachmentName(".."), "unknown");
  EXPECT_EQ(SafeAttachmentName("."), "unknown");
  EXPECT_EQ(SafeAttachmentName("..."), "unknown");
  EXPECT_EQ(SafeAttachmentName(" . . "), "unknown");
  EXPECT_EQ(SafeAttachmentName("a/.."), "unknown");
  EXPECT_EQ(SafeAttachmentName("a\\"), "unknown");
  EXPECT_EQ(SafeAttachmentName("   "), "unknown");
}

TEST(SafeAttachmentName, DropsTrailingDotsAndSpacesAndLeadingSpaces) {
  EXPECT_EQ(SafeAttachmentName("x.exe."), "x.exe");
  EXPECT_EQ(SafeAttachmentName("x.exe . ."), "x.exe");
  EXPECT_EQ(SafeAttachmentName("  x.txt"), "x.txt");
}

TEST(SafeAttachmentName, ReplacesForbiddenCharacters) {
  EXPECT_EQ(SafeAttachmentName("a<b>c\"d|e?f*g.txt"), "a_b_c_d_e_f_g.txt");
  EXPECT_EQ(SafeAttachmentName("tab\there\r\n.txt"), "tab_here__.txt");
  EXPECT_EQ(SafeAttachmentName(std::string("nul\0byte", 8)), "nul_byte");
  EXPECT_EQ(SafeAttachmentName("\x01\x1f"), "__");
}

TEST(SafeAttachmentName, DeviceNamesGetAPrefix) {
  for (const char* device : {"CON", "con", "PRN", "AUX", "NUL", "COM1", "com9", "LPT1", "lpt9", "CONIN$"}) {
    EXPECT_EQ(SafeAttachmentName(device), std::string("_") + device);
    EXPECT_EQ(SafeAttachmentName(std::string(device) + ".txt"), std::string("_") + device + ".txt");
  }
  EXPECT_EQ(SafeAttachmentName("nul.tar.gz"), "_nul.tar.gz");
  EXPECT_EQ(SafeAttachmentName("CON .txt"), "_CON .txt");
  EXPECT_EQ(SafeAttachmentName("dir/aux"), "_aux");
  // Not devices.
  EXPECT_EQ(SafeAttachmentName("COM10.txt"), "COM10.txt");
  EXPECT_EQ(SafeAttachmentName("CONSOLE.txt"), "CONSOLE.txt");
  EXPECT_EQ(SafeAttachmentName("LPT.txt"), "LPT.txt");
  EXPECT_EQ(SafeAttachmentName("my con.txt"), "my con.txt");
}

TEST(SafeAttachmentName, GbkTrailBytesAreNeitherSeparatorsNorForbidden) {
  EXPECT_EQ(std::string("乗億"), k_gbkBackslashTrail + k_gbkBarTrail);
  const std::string name = k_gbkBackslashTrail + k_gbkBarTrail + ".doc";
  EXPECT_EQ(SafeAttachmentName(name), name);
  EXPECT_EQ(SafeAttachmentName("folder\\" + name), name);
  EXPECT_EQ(SafeAttachmentName("文件" + k_gbkBackslashTrail + "\\报告.txt"), "报告.txt");
  EXPECT_EQ(SafeAttachmentName("报告" + k_gbkBarTrail + "|x.txt"), "报告" + k_gbkBarTrail + "_x.txt");
  // A lead byte without a valid trail byte does not hide the separator after it.
  EXPECT_EQ(SafeAttachmentName("a\x81/b"), "b");
  EXPECT_EQ(SafeAttachmentName("a\x81\x7F\\b"), "b");
}

TEST(SafeAttachmentName, LongNamesAreShortenedKeepingTheExtension) {
  std::string longName = std::string(300, 'a') + ".jpeg";
  std::string safe = SafeAttachmentName(longName);
  EXPECT_EQ(safe.size(), 200u);
  EXPECT_EQ(safe.substr(195), ".jpeg");
  // A double-byte character is never cut in two.
  std::string chinese;
  for (int i = 0; i < 150; ++i) chinese += "文";
  std::string cut = SafeAttachmentName("x" + chinese + ".txt");
  EXPECT_LE(cut.size(), 200u);
  EXPECT_EQ(cut.substr(cut.size() - 4), ".txt");
  EXPECT_EQ((cut.size() - 1 - 4) % 2, 0u);
}

}  // namespace
