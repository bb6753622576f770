#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/file.h"
#include "platform/file_faults.h"
#include "platform/unique_file.h"

namespace {

using namespace platform;

std::string Scratch(const std::string& name) { return TempFolder() + "qpt_" + name; }

TEST(PlatformFile, CreateWriteSeekReadSize) {
  std::string path = Scratch("basic.bin");
  FileHandle f = FileCreate(path);
  ASSERT_NE(f, k_invalidFile);
  EXPECT_EQ(FileWrite(f, "hello world", 11), 11);
  EXPECT_EQ(FileSizeOf(f), 11);
  EXPECT_EQ(FileSeek(f, 6, SeekOrigin::Begin), 6);
  char buf[16] = {};
  EXPECT_EQ(FileRead(f, buf, 16), 5);
  EXPECT_EQ(std::string(buf, 5), "world");
  EXPECT_EQ(FileSeek(f, -5, SeekOrigin::End), 6);
  EXPECT_EQ(FileSeek(f, 2, SeekOrigin::Current), 8);
  EXPECT_TRUE(FileTruncate(f, 4));
  EXPECT_EQ(FileSizeOf(f), 4);
  FileClose(f);
  EXPECT_TRUE(FileExists(path));
  EXPECT_EQ(FileSizeByName(path), 4);
  EXPECT_TRUE(FileDelete(path));
  EXPECT_FALSE(FileExists(path));
  EXPECT_FALSE(FileDelete(path));
}

TEST(PlatformFile, OpenSharesWithOtherOpeners) {
  std::string path = Scratch("shared.bin");
  FileHandle a = FileCreate(path);
  ASSERT_NE(a, k_invalidFile);
  FileHandle b = FileOpen(path, FileAccess::ReadWrite);
  ASSERT_NE(b, k_invalidFile);
  FileHandle c = FileOpen(path, FileAccess::Read);
  ASSERT_NE(c, k_invalidFile);
  EXPECT_EQ(FileWrite(b, "xyz", 3), 3);
  char buf[3];
  EXPECT_EQ(FileRead(c, buf, 3), 3);
  EXPECT_EQ(std::string(buf, 3), "xyz");
  FileClose(a);
  FileClose(b);
  FileClose(c);
  EXPECT_TRUE(FileDelete(path));
}

TEST(PlatformFile, OpenMissingFails) {
  EXPECT_EQ(FileOpen(Scratch("does-not-exist"), FileAccess::Read), k_invalidFile);
  EXPECT_EQ(FileSizeByName(Scratch("does-not-exist")), -1);
}

TEST(PlatformFile, CopyLargerThanOneBuffer) {
  std::string from = Scratch("copy-src.bin"), to = Scratch("copy-dst.bin");
  std::string data;
  for (int i = 0; i < 20000; ++i) data += static_cast<char>(i * 7);
  FileHandle f = FileCreate(from);
  ASSERT_EQ(FileWrite(f, data.data(), static_cast<std::int32_t>(data.size())), 20000);
  FileClose(f);
  ASSERT_TRUE(FileCopy(from, to));
  FileHandle g = FileOpen(to, FileAccess::Read);
  std::string back(20000, '\0');
  EXPECT_EQ(FileRead(g, &back[0], 20000), 20000);
  FileClose(g);
  EXPECT_EQ(back, data);
  EXPECT_FALSE(FileCopy(Scratch("no-such-source"), to));
  FileDelete(from);
  FileDelete(to);
}

TEST(PlatformFile, TempFileNameIsCreatedAndUnique) {
  std::string a = TempFileName(TempFolder(), "KWB");
  std::string b = TempFileName(TempFolder(), "KWB");
  ASSERT_FALSE(a.empty());
  EXPECT_NE(a, b);
  EXPECT_TRUE(FileExists(a));
  EXPECT_NE(a.find("KWB"), std::string::npos);
  FileDelete(a);
  FileDelete(b);
}

TEST(PlatformFile, FreeSpaceOfTheTempFolder) {
  EXPECT_GT(FreeDiskSpace(TempFolder() + "not-yet-there.IND"), 0);
}

TEST(PlatformFile, DirectoryCreateAndExists) {
  std::string dir = Scratch("dir");
  MakeDirectory(dir);
  EXPECT_TRUE(DirectoryExists(dir));
  EXPECT_FALSE(FileExists(dir));
  EXPECT_EQ(FileOpen(dir, FileAccess::Read), k_invalidFile);
}

TEST(PlatformFile, UniqueFileOwnsOneHandle) {
  std::string path = Scratch("owned.bin");
  FileHandle raw = k_invalidFile;
  {
    UniqueFile file(FileCreate(path));
    ASSERT_TRUE(file.IsOpen());
    raw = file.Get();
    UniqueFile moved(std::move(file));
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(moved.Get(), raw);
    EXPECT_EQ(FileWrite(moved.Get(), "abc", 3), 3);
  }
  EXPECT_FALSE(FileClose(raw));  // the owner closed it when it went out of scope
  UniqueFile released(FileOpen(path, FileAccess::Read));
  FileHandle kept = released.Release();
  EXPECT_FALSE(released.IsOpen());
  EXPECT_TRUE(released.Close());  // nothing to close
  EXPECT_TRUE(FileClose(kept));
  UniqueFile closed(FileOpen(path, FileAccess::Read));
  EXPECT_TRUE(closed.Close());
  EXPECT_FALSE(closed.IsOpen());
  EXPECT_TRUE(FileDelete(path));
}

TEST(PlatformFile, CreateNewFlushAndReplacingRename) {
  std::string a = Scratch("new-a.bin"), b = Scratch("new-b.bin");
  FileDelete(a);
  FileDelete(b);
  UniqueFile first(FileCreateNew(a));
  ASSERT_TRUE(first.IsOpen());
  EXPECT_EQ(FileCreateNew(a), k_invalidFile);  // exists already
  EXPECT_EQ(FileWrite(first.Get(), "first", 5), 5);
  EXPECT_TRUE(FileFlush(first.Get()));
  EXPECT_TRUE(first.Close());
  UniqueFile second(FileCreate(b));
  EXPECT_EQ(FileWrite(second.Get(), "second!", 7), 7);
  EXPECT_TRUE(second.Close());
  ASSERT_TRUE(FileRename(a, b));  // replaces b in one step
  EXPECT_FALSE(FileExists(a));
  EXPECT_EQ(FileSizeByName(b), 5);
  EXPECT_TRUE(FileDelete(b));
}

// The test hook fails the file-changing calls it is asked about; a failing write is torn.
TEST(PlatformFile, FaultHookFailsChangingCalls) {
  std::string path = Scratch("faults.bin"), other = Scratch("faults-other.bin");
  UniqueFile file(FileCreate(path));
  std::vector<FileChange> asked;
  SetFileFaultHook([&](FileChange change) {
    asked.push_back(change);
    return true;
  });
  EXPECT_EQ(FileWrite(file.Get(), "0123456789", 10), 5);
  EXPECT_EQ(FileWrite(file.Get(), "x", 1), -1);
  EXPECT_FALSE(FileTruncate(file.Get(), 0));
  EXPECT_FALSE(FileFlush(file.Get()));
  EXPECT_EQ(FileCreate(other), k_invalidFile);
  EXPECT_EQ(FileCreateNew(other), k_invalidFile);
  EXPECT_FALSE(FileRename(path, other));
  EXPECT_FALSE(FileDelete(path));
  char buffer[16];
  EXPECT_EQ(FileSeek(file.Get(), 0, SeekOrigin::Begin), 0);
  EXPECT_EQ(FileRead(file.Get(), buffer, 16), 5);  // reads are never failed
  SetFileFaultHook(nullptr);
  EXPECT_EQ(asked, (std::vector<FileChange>{FileChange::Write, FileChange::Write, FileChange::Truncate,
                                            FileChange::Flush, FileChange::Create, FileChange::Create,
                                            FileChange::Rename, FileChange::Delete}));
  EXPECT_EQ(std::string(buffer, 5), "01234");
  EXPECT_FALSE(FileExists(other));
  EXPECT_TRUE(file.Close());
  EXPECT_TRUE(FileDelete(path));
}

}  // namespace
