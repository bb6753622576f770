// Our ini reader and writer against the system's own profile calls (Windows only).
#ifdef _WIN32

#include "platform/system_profile.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/file.h"
#include "quillet/common/profile_file.h"

namespace {

const std::string k_gbkLabel = "\xB1\xEA\xC7\xA9";  // "标签"

std::string Scratch(const std::string& name) {
  std::string path = platform::TempFolder() + "qpt_" + name;
  platform::FileDelete(path);
  return path;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  ASSERT_TRUE(platform::FileReplaceContents(path, bytes.data(), static_cast<std::int32_t>(bytes.size())));
}

struct Query { const char* section; const char* key; };

TEST(SystemProfile, ReadsTheSameAsTheSystem) {
  const std::string path = Scratch("same_reads.ini");
  WriteBytes(path,
             "; comment\r\n[Receive]\r\n  AutoPack = 1  \r\nautopack=2\r\nQuoted=\"  in  \"\r\nSingle='x'\r\n"
             "Half=\"x\r\ndamaged line\r\n[broken\r\nAfter=broken\r\n\r\n[MsgLabel] tail\n"
             "Label1=" + k_gbkLabel + "1\nEmpty=\n[receive]\r\nSecond=duplicate\r\n[\x81\x5Dx]\r\nName=trail\r\n"
             "[Other]\r\nlast=end");
  const Query queries[] = {{"Receive", "AutoPack"}, {"RECEIVE", "autopack"}, {"Receive", "Quoted"},
                           {"Receive", "Single"},   {"Receive", "Half"},     {"Receive", "damaged line"},
                           {"Receive", "After"},    {"msglabel", "LABEL1"},  {"MsgLabel", "Empty"},
                           {"MsgLabel", "missing"}, {"Missing", "x"},        {"other", "Last"},
                           {"Receive", "Second"},   {"\x81\x5Dx", "name"}};
  const TProfileFile ours(path);
  for (const Query& q : queries)
    EXPECT_EQ(ours.ReadString(q.section, q.key, "dflt"), platform::SystemProfileRead(path, q.section, q.key, "dflt"))
        << q.section << "/" << q.key;
  platform::FileDelete(path);
}

// Each side writes the same changes; the other side reads every key back.
struct Write { const char* section; const char* key; std::string value; };
const Write k_writes[] = {{"System", "mailroot", "C:\\" + k_gbkLabel + "\\mail"},
                          {"Receive", "AutoPack", "1"},
                          {"system", "INBOX", "in"},
                          {"Receive", "autopack", "0"},
                          {"Connection1", "Password", "A1B2C3"},
                          {"System", "Empty", ""}};

void ExpectSameValues(const std::string& path) {
  const TProfileFile ours(path);
  for (const Write& w : k_writes)
    EXPECT_EQ(ours.ReadString(w.section, w.key, "dflt"), platform::SystemProfileRead(path, w.section, w.key, "dflt"))
        << w.section << "/" << w.key;
  EXPECT_EQ(ours.ReadString("Receive", "AutoPack", ""), "0");
  EXPECT_EQ(ours.ReadString("System", "mailroot", ""), k_writes[0].value);
}

TEST(SystemProfile, OursWrittenReadsTheSameThroughTheSystem) {
  const std::string path = Scratch("ours_written.ini");
  const TProfileFile ours(path);
  for (const Write& w : k_writes) ours.WriteString(w.section, w.key, w.value);
  ExpectSameValues(path);
  platform::FileDelete(path);
}

TEST(SystemProfile, SystemWrittenReadsTheSameThroughOurs) {
  const std::string path = Scratch("system_written.ini");
  for (const Write& w : k_writes) ASSERT_TRUE(platform::SystemProfileWrite(path, w.section, w.key, w.value));
  ExpectSameValues(path);
  platform::FileDelete(path);
}

}  // namespace

#endif  // _WIN32
