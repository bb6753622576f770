#include "quillet/transport/uidl_file.h"

#include <gtest/gtest.h>

#include "platform/file.h"
#include "quillet/common/exceptions.h"
#include "quillet/common/stream.h"

namespace {

std::string ScratchPath(const std::string& name) {
  const std::string path = platform::TempFolder() + "qtt_uidl_" + name;
  platform::FileDelete(path);
  return path;
}

TEST(UidlFile, WritesCrLfLinesReadsEitherEndAndDeletesWhenEmpty) {
  const std::string path = ScratchPath("1.uid");
  EXPECT_TRUE(LoadUidlFile(path).empty());  // missing: empty

  SaveUidlFile(path, {"a1", "\xB1\xEA-2", "c3"});
  EXPECT_EQ(ReadWholeFile(path), "a1\r\n\xB1\xEA-2\r\nc3\r\n");
  EXPECT_EQ(LoadUidlFile(path), (TStringList{"a1", "\xB1\xEA-2", "c3"}));

  const std::string unix = "x\n\ny\r\nz";
  ASSERT_TRUE(platform::FileReplaceContents(path, unix.data(), static_cast<std::int32_t>(unix.size())));
  EXPECT_EQ(LoadUidlFile(path), (TStringList{"x", "y", "z"}));  // empty lines skipped

  SaveUidlFile(path, {});
  EXPECT_FALSE(platform::FileExists(path));
  SaveUidlFile(path, {});  // nothing to delete is no error
}

TEST(UidlFile, AppendMakesTheFileAndKeepsAnUnendedLastLineWhole) {
  const std::string path = ScratchPath("3.uid");
  AppendUidl(path, "a1");
  AppendUidl(path, "b2");
  EXPECT_EQ(ReadWholeFile(path), "a1\r\nb2\r\n");
  const std::string unended = "x\r\ny";
  ASSERT_TRUE(platform::FileReplaceContents(path, unended.data(), static_cast<std::int32_t>(unended.size())));
  AppendUidl(path, "z");
  EXPECT_EQ(LoadUidlFile(path), (TStringList{"x", "y", "z"}));
  platform::FileDelete(path);
}

TEST(UidlFile, WriteIntoAMissingFolderThrowsKindWrite) {
  const std::string folder = platform::TempFolder() + "qtt_uidl_missing_folder";
  const std::string path = folder + platform::PathSeparator() + "2.uid";
  try {
    SaveUidlFile(path, {"a"});
    FAIL() << "no error";
  } catch (const EFileException& e) {
    EXPECT_EQ(e.FileErrorKind(), EFileException::Kind::Write);
    EXPECT_EQ(e.FileName(), path);
  }
  EXPECT_FALSE(platform::FileExists(path));
}

}  // namespace
