#include "tests/store/system/system_test_support.h"

#include "platform/file.h"

namespace system_test {

void SystemTest::SetUp() {
  ScratchTest::SetUp();
  ASSERT_TRUE(platform::MakeDirectory(Folder() + "mail"));
  WriteIni("");
}

void SystemTest::WriteIni(const std::string& extraIni) {
  store_test::WriteFileBytes(IniPath(), "[System]\r\nmailroot=" + Folder() + "mail\r\nInitialized=1\r\n" + extraIni);
}

std::unique_ptr<TSystemManager> SystemTest::Open() {
  return std::make_unique<TSystemManager>(IniPath(), TSystemContext{"1.0", prompts, events});
}

std::string WriteMessageFile(const std::string& path, const std::string& subject) {
  store_test::WriteFileBytes(path, store_test::MessageText(subject));
  return path;
}

}  // namespace system_test
