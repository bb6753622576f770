#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/file.h"
#include "platform/file_faults.h"
#include "quillet/common/exceptions.h"
#include "quillet/common/profile_file.h"
#include "quillet/common/profile_text.h"

namespace {

// GBK "标签" (0xB1EA 0xC7A9) and a name whose trail byte is "]" (0x815D).
const std::string k_gbkLabel = "\xB1\xEA\xC7\xA9";
const std::string k_trailBracket = "\x81\x5D";

const std::string k_sample =
    "; settings\r\n"
    "top=before any section\r\n"
    "[Receive]\r\n"
    "  AutoPack = 1  \r\n"
    "autopack=2\r\n"
    "Quoted=\"  spaced  \"\r\n"
    "Single='x'\r\n"
    "Half=\"x\r\n"
    "damaged line\r\n"
    "[broken section\r\n"
    "After=broken\r\n"
    "\r\n"
    "[receive]\r\n"
    "Second=only in the duplicate\r\n"
    "[" + k_trailBracket + "x]\n"
    "Name=" + k_gbkLabel + "\n"
    "[MsgLabel] trailing text\n"
    "Color1=255xyz\n"
    "Color2=-32768\n"
    "Color3=abc\n"
    "Color4=99999999999\n"
    "Color5=\n"
    "Color6=-2147483648\n"
    "Color7=2147483648";

TEST(ProfileText, ReadsAsTheProfileCallsDo) {
  const TProfileText text(k_sample);
  struct Case { std::string section, key, expected; };
  const Case cases[] = {
      {"Receive", "AutoPack", "1"},               // trimmed, first match wins
      {"RECEIVE", "autopack", "1"},               // ASCII case ignored on both names
      {" Receive ", " AutoPack ", "1"},           // names trimmed
      {"Receive", "Quoted", "  spaced  "},        // matching quotes removed, inside kept
      {"Receive", "Single", "x"},
      {"Receive", "Half", "\"x"},                 // an unmatched quote stays
      {"Receive", "damaged line", "dflt"},        // no "=": ignored
      {"Receive", "After", "broken"},             // "[" without "]" does not start a section
      {"Receive", "Second", "dflt"},              // only the first section of a name is read
      {"Receive", "top", "dflt"},
      {"", "top", "dflt"},                        // lines before the first section belong to none
      {k_trailBracket + "x", "name", k_gbkLabel}, // "]" as a trail byte does not close the name
      {"MsgLabel", "Color1", "255xyz"},           // text after "]" ignored
      {"Missing", "Color1", "dflt"},
      {"MsgLabel", "Color5", ""},                 // present but empty is not the default
  };
  for (const Case& c : cases) EXPECT_EQ(text.ReadString(c.section, c.key, "dflt"), c.expected) << c.section << "/" << c.key;
}

TEST(ProfileText, ReadsIntegersFromLeadingDigits) {
  const TProfileText text(k_sample);
  struct Case { const char* key; std::int32_t expected; };
  const Case cases[] = {{"Color1", 255},        {"Color2", -32768},           {"Color3", 7},
                        {"Color4", 7},          {"Color5", 7},                {"Color6", -2147483647 - 1},
                        {"Color7", 7},          {"Color8", 7}};
  for (const Case& c : cases) EXPECT_EQ(text.ReadInteger("msglabel", c.key, 7), c.expected) << c.key;
}

TEST(ProfileText, ListsSections) {
  const TProfileText text(k_sample);
  const std::vector<std::string> expected = {"Receive", "receive", k_trailBracket + "x", "MsgLabel"};
  EXPECT_EQ(text.SectionNames(), expected);
  EXPECT_TRUE(text.SectionExists("msglabel"));
  EXPECT_FALSE(text.SectionExists("broken section"));
}

// Each change applied to the same small file, and the whole file afterwards.
TEST(ProfileText, ChangesKeepEveryOtherLine) {
  const std::string base =
      "; comment\r\n[A]\r\nkey=1\r\nno equals\r\n\r\n[B]\n  Other = x\n[C]\r\nlast=end";
  struct Case {
    const char* name;
    std::function<void(TProfileText&)> change;
    std::string expected;
  };
  const Case cases[] = {
      {"replace in place, key spelling kept", [](TProfileText& t) { t.WriteString("a", "KEY", "two"); },
       "; comment\r\n[A]\r\nkey=two\r\nno equals\r\n\r\n[B]\n  Other = x\n[C]\r\nlast=end"},
      {"new key after the section's last non-blank line", [](TProfileText& t) { t.WriteString("A", "new", "v"); },
       "; comment\r\n[A]\r\nkey=1\r\nno equals\r\nnew=v\r\n\r\n[B]\n  Other = x\n[C]\r\nlast=end"},
      {"new key in the last section ends the unterminated line", [](TProfileText& t) { t.WriteInteger("C", "n", -5); },
       "; comment\r\n[A]\r\nkey=1\r\nno equals\r\n\r\n[B]\n  Other = x\n[C]\r\nlast=end\r\nn=-5\r\n"},
      {"new section appended after a blank line", [](TProfileText& t) { t.WriteString(" D ", " k ", " v"); },
       "; comment\r\n[A]\r\nkey=1\r\nno equals\r\n\r\n[B]\n  Other = x\n[C]\r\nlast=end\r\n\r\n[D]\r\nk= v\r\n"},
      {"erase key", [](TProfileText& t) { t.EraseKey("b", "OTHER"); },
       "; comment\r\n[A]\r\nkey=1\r\nno equals\r\n\r\n[B]\n[C]\r\nlast=end"},
      {"erase missing key changes nothing", [](TProfileText& t) { t.EraseKey("b", "none"); }, base},
      {"erase section with its lines", [](TProfileText& t) { t.EraseSection("a"); },
       "; comment\r\n[B]\n  Other = x\n[C]\r\nlast=end"},
      {"erase last section", [](TProfileText& t) { t.EraseSection("C"); },
       "; comment\r\n[A]\r\nkey=1\r\nno equals\r\n\r\n[B]\n  Other = x\n"},
  };
  for (const Case& c : cases) {
    TProfileText text(base);
    c.change(text);
    EXPECT_EQ(text.Bytes(), c.expected) << c.name;
  }
  EXPECT_EQ(TProfileText(base).Bytes(), base);
}

TEST(ProfileText, EraseRemovesEveryDuplicate) {
  TProfileText text("[S]\r\nk=1\r\nk=2\r\n[T]\r\nk=3\r\n[s]\r\nk=4\r\n");
  text.EraseKey("S", "K");
  EXPECT_EQ(text.Bytes(), "[S]\r\n[T]\r\nk=3\r\n[s]\r\nk=4\r\n");
  text.EraseSection("S");
  EXPECT_EQ(text.Bytes(), "[T]\r\nk=3\r\n");
  EXPECT_EQ(text.ReadString("s", "k", "none"), "none");
}

TEST(ProfileText, WritesIntoAnEmptyTextWithoutLeadingBlank) {
  TProfileText text;
  text.WriteString("System", "mailroot", "C:\\" + k_gbkLabel + "\\mail");
  EXPECT_EQ(text.Bytes(), "[System]\r\nmailroot=C:\\" + k_gbkLabel + "\\mail\r\n");
}

TEST(ProfileText, RefusesNamesAndValuesThatWouldDamageTheFile) {
  struct Case { std::string section, key, value; };
  const Case cases[] = {
      {"A]B", "k", "v"}, {"A\nB", "k", "v"}, {"A", "", "v"},     {"A", "  ", "v"},  {"A", "k=x", "v"},
      {"A", "[k", "v"},  {"A", ";k", "v"},   {"A", "k\r", "v"},  {"A", "k", "a\nb"}, {"A", "k", "a\rb"},
      {"A\x81", "k", "v"},  // a trailing lead byte would swallow the "]"
  };
  const std::string base = "[A]\r\nk=old\r\n";
  for (const Case& c : cases) {
    TProfileText text(base);
    EXPECT_THROW(text.WriteString(c.section, c.key, c.value), Exception) << c.section << "/" << c.key;
    EXPECT_EQ(text.Bytes(), base);
  }
  TProfileText text(base);
  EXPECT_NO_THROW(text.WriteString(k_trailBracket, "k", "v"));  // a trail byte 0x5D is no "]"
}

std::string Scratch(const std::string& name) { return platform::TempFolder() + "qct_" + name; }

TEST(ProfileFile, MissingFileReadsEmptyAndIsCreatedOnFirstWrite) {
  const std::string path = Scratch("profile_missing.ini");
  platform::FileDelete(path);
  const TProfileFile file(path);
  EXPECT_EQ(file.ReadString("A", "k", "d"), "d");
  EXPECT_EQ(file.ReadInteger("A", "k", 3), 3);
  file.EraseSection("A");
  EXPECT_FALSE(platform::FileExists(path));
  file.WriteInteger("A", "k", 42);
  EXPECT_EQ(file.ReadInteger("a", "K", 3), 42);
  file.WriteString("A", "s", "t");
  file.EraseKey("A", "k");
  EXPECT_EQ(file.Load().Bytes(), "[A]\r\ns=t\r\n");
  EXPECT_TRUE(platform::FileDelete(path));
}

TEST(ProfileFile, FailedReplaceKeepsTheOldFileAndNoTemporary) {
  const std::string path = Scratch("profile_fault.ini");
  const TProfileFile file(path);
  platform::FileDelete(path);
  file.WriteString("A", "k", "old");
  const platform::FileChange steps[] = {platform::FileChange::Create, platform::FileChange::Write,
                                        platform::FileChange::Flush, platform::FileChange::Rename};
  for (platform::FileChange step : steps) {
    platform::SetFileFaultHook([step](platform::FileChange change) { return change == step; });
    EXPECT_THROW(file.WriteString("A", "k", "new"), EFileException);
    platform::SetFileFaultHook(nullptr);
    EXPECT_EQ(file.ReadString("A", "k", ""), "old");
    EXPECT_FALSE(platform::FileExists(path + ".$$$"));
  }
  platform::FileDelete(path);
}

}  // namespace
