// The registry calls, natively against the registry file, under Wine against the real
// registry (a scratch key below HKCU\Software, removed afterwards).
#include "platform/registry.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/console.h"
#include "platform/file.h"

namespace {

using platform::RegistryLookup;
using platform::RegistryRoot;

const RegistryRoot k_user = RegistryRoot::CurrentUser;
const std::string k_scratch = "Software\\QuilletRegistryTest";
const std::string k_gbkName = "\xD3\xCA\xBC\xFE\x81\x5C";  // "邮件" + a character whose trail byte is "\"

class Registry : public ::testing::Test {
 protected:
  void SetUp() override {
    file_ = platform::TempFolder() + "qpt_registry";
    platform::FileDelete(file_);
    ASSERT_TRUE(platform::SetEnvironment("QUILLET_REGISTRY", file_));
    platform::RegistryDeleteKey(k_user, k_scratch);
  }
  void TearDown() override {
    EXPECT_TRUE(platform::RegistryDeleteKey(k_user, k_scratch));
    platform::FileDelete(file_);
    platform::SetEnvironment("QUILLET_REGISTRY", "");
  }
  std::string file_;
};

std::string ReadString(const std::string& key, const std::string& name, RegistryLookup expected) {
  std::string value = "unset";
  EXPECT_EQ(platform::RegistryReadString(k_user, key, name, value), expected) << key << " / " << name;
  return value;
}

TEST_F(Registry, StringValuesReadBackAsWritten) {
  struct Case { std::string name, value; } const cases[] = {
      {"", "default value"},        {"Executable", "C:\\Program Files\\q\\quillet.exe"},
      {k_gbkName, k_gbkName + "1"}, {"Odd", "50%\tTAB\r\nline"},
      {"Empty", ""},
  };
  const std::string key = k_scratch + "\\Values";
  for (const Case& c : cases) ASSERT_TRUE(platform::RegistryWriteString(k_user, key, c.name, c.value)) << c.name;
  for (const Case& c : cases) EXPECT_EQ(ReadString(key, c.name, RegistryLookup::Found), c.value) << c.name;
  ASSERT_TRUE(platform::RegistryWriteString(k_user, key, "executable", "replaced"));
  EXPECT_EQ(ReadString(key, "EXECUTABLE", RegistryLookup::Found), "replaced");
}

TEST_F(Registry, MissingKeyAndMissingValueAreToldApart) {
  const std::string key = k_scratch + "\\Kinds";
  EXPECT_EQ(ReadString(key, "", RegistryLookup::KeyMissing), "unset");
  ASSERT_TRUE(platform::RegistryCreateKey(k_user, key));
  EXPECT_EQ(ReadString(key, "", RegistryLookup::ValueMissing), "unset");
  EXPECT_EQ(ReadString(key, "Named", RegistryLookup::ValueMissing), "unset");
  ASSERT_TRUE(platform::RegistryWriteInteger(k_user, key, "Flags", 2));
  EXPECT_EQ(ReadString(key, "Flags", RegistryLookup::ValueMissing), "unset");  // an integer holds no text
  std::uint32_t number = 0;
  EXPECT_EQ(platform::RegistryReadInteger(k_user, key, "Flags", number), RegistryLookup::Found);
  EXPECT_EQ(number, 2u);
  ASSERT_TRUE(platform::RegistryWriteInteger(k_user, key, "Flags", 0xFFFFFFFFu));
  EXPECT_EQ(platform::RegistryReadInteger(k_user, key, "Flags", number), RegistryLookup::Found);
  EXPECT_EQ(number, 0xFFFFFFFFu);
  ASSERT_TRUE(platform::RegistryWriteString(k_user, key, "Flags", "text now"));
  EXPECT_EQ(platform::RegistryReadInteger(k_user, key, "Flags", number), RegistryLookup::ValueMissing);
  EXPECT_EQ(platform::RegistryReadInteger(k_user, key + "\\none", "Flags", number), RegistryLookup::KeyMissing);
}

TEST_F(Registry, BinaryValuesKeepEveryByteAndAreNoText) {
  const std::string key = k_scratch + "\\Binary";
  const std::string bytes = std::string("\x04\0\0\0%\t\r\n\xFF", 9) + std::string(640, '\0');
  ASSERT_TRUE(platform::RegistryWriteBinary(k_user, key, "Preferences", bytes));
  std::string read;
  EXPECT_EQ(platform::RegistryReadBinary(k_user, key, "Preferences", read), RegistryLookup::Found);
  EXPECT_EQ(read, bytes);
  EXPECT_EQ(ReadString(key, "Preferences", RegistryLookup::ValueMissing), "unset");
  ASSERT_TRUE(platform::RegistryWriteString(k_user, key, "Text", "abc"));
  EXPECT_EQ(platform::RegistryReadBinary(k_user, key, "Text", read), RegistryLookup::ValueMissing);
  EXPECT_EQ(platform::RegistryReadBinary(k_user, key + "\\none", "Text", read), RegistryLookup::KeyMissing);
}

TEST_F(Registry, KeysOpenWithoutRegardToCaseAndCreateTheirParents) {
  const std::string deep = k_scratch + "\\" + k_gbkName + "\\Shell\\Open";
  EXPECT_FALSE(platform::RegistryKeyExists(k_user, deep));
  EXPECT_FALSE(platform::RegistryKeyExists(k_user, deep));  // asking creates nothing
  ASSERT_TRUE(platform::RegistryWriteString(k_user, deep, "", "x"));
  EXPECT_TRUE(platform::RegistryKeyExists(k_user, k_scratch + "\\" + k_gbkName));
  EXPECT_TRUE(platform::RegistryKeyExists(k_user, "\\SOFTWARE\\quilletregistrytest\\" + k_gbkName + "\\shell\\OPEN"));
  EXPECT_EQ(ReadString("\\" + deep, "", RegistryLookup::Found), "x");
  EXPECT_FALSE(platform::RegistryKeyExists(k_user, k_scratch + "\\" + k_gbkName + "\\Shell\\Op"));
}

TEST_F(Registry, DeleteRemovesTheKeyWithItsSubkeysOnly) {
  ASSERT_TRUE(platform::RegistryWriteString(k_user, k_scratch + "\\a\\b\\c", "v", "1"));
  ASSERT_TRUE(platform::RegistryWriteString(k_user, k_scratch + "\\ab", "v", "2"));
  EXPECT_TRUE(platform::RegistryDeleteKey(k_user, k_scratch + "\\A"));
  EXPECT_FALSE(platform::RegistryKeyExists(k_user, k_scratch + "\\a"));
  EXPECT_FALSE(platform::RegistryKeyExists(k_user, k_scratch + "\\a\\b\\c"));
  EXPECT_EQ(ReadString(k_scratch + "\\ab", "v", RegistryLookup::Found), "2");
  EXPECT_TRUE(platform::RegistryDeleteKey(k_user, k_scratch + "\\a"));  // already gone
  EXPECT_FALSE(platform::RegistryDeleteKey(k_user, "\\"));             // never a whole root
}

#ifndef _WIN32
std::string FileBytes(const std::string& path) {
  std::string bytes(static_cast<size_t>(std::max<std::int64_t>(0, platform::FileSizeByName(path))), '\0');
  platform::FileHandle f = platform::FileOpen(path, platform::FileAccess::Read);
  if (f != platform::k_invalidFile) {
    platform::FileRead(f, &bytes[0], static_cast<std::int32_t>(bytes.size()));
    platform::FileClose(f);
  }
  return bytes;
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  ASSERT_TRUE(platform::FileReplaceContents(path, bytes.data(), static_cast<std::int32_t>(bytes.size())));
}

TEST_F(Registry, FileHoldsOneLinePerKeyAndValue) {
  ASSERT_TRUE(platform::RegistryWriteString(RegistryRoot::ClassesRoot, "mailto\\shell", "", "a%b\tc"));
  ASSERT_TRUE(platform::RegistryWriteInteger(RegistryRoot::LocalMachine, "Soft", "EditFlags", 2));
  EXPECT_EQ(FileBytes(file_),
            "K\tHKEY_CLASSES_ROOT\tmailto\nK\tHKEY_CLASSES_ROOT\tmailto\\shell\nS\t\ta%25b%09c\n"
            "K\tHKEY_LOCAL_MACHINE\tSoft\nD\tEditFlags\t2\n");
}

TEST_F(Registry, DamagedFileIsLeftAlone) {
  const std::string damaged[] = {"S\tname\tvalue before any key\n", "K\tHKEY_NOWHERE\tx\n",
                                 "K\tHKEY_CURRENT_USER\tx\nD\tn\t99999999999\n", "K\tHKEY_CURRENT_USER\tx%2\n",
                                 "K\tHKEY_CURRENT_USER\tx% 9\n", "K\tHKEY_CURRENT_USER\tno line end"};
  for (const std::string& bytes : damaged) {
    WriteFileBytes(file_, bytes);
    std::string value;
    EXPECT_EQ(platform::RegistryReadString(k_user, "x", "", value), RegistryLookup::KeyMissing) << bytes;
    EXPECT_FALSE(platform::RegistryWriteString(k_user, "x", "", "new")) << bytes;
    EXPECT_FALSE(platform::RegistryDeleteKey(k_user, "x")) << bytes;
    EXPECT_EQ(FileBytes(file_), bytes);
  }
  platform::FileDelete(file_);
}
#endif

}  // namespace
