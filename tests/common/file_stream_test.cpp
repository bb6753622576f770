#include <gtest/gtest.h>

#include <random>
#include <string>

#include "platform/file.h"
#include "quillet/common/exceptions.h"
#include "quillet/common/lines.h"
#include "quillet/common/stream.h"

namespace {

constexpr std::int32_t k_buffer = 64 * 1024;  // the stream's buffer size

std::string Scratch(const std::string& name) { return platform::TempFolder() + "qfs_" + name; }

void WriteFile(const std::string& path, const std::string& bytes) {
  platform::FileHandle f = platform::FileCreate(path);
  ASSERT_NE(f, platform::k_invalidFile);
  ASSERT_EQ(platform::FileWrite(f, bytes.data(), static_cast<std::int32_t>(bytes.size())),
            static_cast<std::int32_t>(bytes.size()));
  platform::FileClose(f);
}

std::string ReadFile(const std::string& path) {
  std::string bytes(static_cast<size_t>(platform::FileSizeByName(path)), '\0');
  platform::FileHandle f = platform::FileOpen(path, platform::FileAccess::Read);
  EXPECT_NE(f, platform::k_invalidFile);
  if (!bytes.empty()) {
    EXPECT_EQ(platform::FileRead(f, &bytes[0], static_cast<std::int32_t>(bytes.size())),
              static_cast<std::int32_t>(bytes.size()));
  }
  platform::FileClose(f);
  return bytes;
}

// Bytes whose value tells their position, so a misplaced read shows.
std::string Pattern(size_t size) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
  return bytes;
}

std::string ReadAt(TStream& s, std::int64_t position, std::int32_t count) {
  s.SetPosition(position);
  std::string bytes(static_cast<size_t>(count), '\0');
  std::int32_t n = s.Read(&bytes[0], count);
  bytes.resize(static_cast<size_t>(n > 0 ? n : 0));
  return bytes;
}

class FileStreamTest : public ::testing::Test {
 protected:
  void TearDown() override { platform::FileDelete(path_); }
  std::string path_ = Scratch("test.bin");
};

TEST_F(FileStreamTest, OpenFailuresRaiseOpenOrCreate) {
  std::string missing = Scratch("no_such_file.bin");
  try {
    TFileStream s(missing, TFileStream::Mode::OpenRead);
    FAIL() << "opened a missing file";
  } catch (const EFileException& e) {
    EXPECT_EQ(e.FileErrorKind(), EFileException::Kind::Open);
    EXPECT_EQ(e.Message(), "File Open Error: \r\n" + missing);
  }
  EXPECT_THROW(TFileStream(missing, TFileStream::Mode::OpenReadWrite), EFileException);
  std::string badFolder = Scratch("no_such_folder") + std::string(1, platform::PathSeparator()) + "x.bin";
  try {
    TFileStream s(badFolder, TFileStream::Mode::Create);
    FAIL() << "created a file in a missing folder";
  } catch (const EFileException& e) {
    EXPECT_EQ(e.FileErrorKind(), EFileException::Kind::Create);
    EXPECT_EQ(e.FileName(), badFolder);
  }
}

TEST_F(FileStreamTest, ReadsAcrossBufferBoundariesAndInBigPieces) {
  std::string bytes = Pattern(3 * k_buffer + 17);
  WriteFile(path_, bytes);
  TFileStream s(path_, TFileStream::Mode::OpenRead);
  EXPECT_EQ(s.Size(), static_cast<std::int64_t>(bytes.size()));
  EXPECT_EQ(ReadAt(s, k_buffer - 6, 20), bytes.substr(k_buffer - 6, 20));
  EXPECT_EQ(ReadAt(s, 0, 10), bytes.substr(0, 10));
  EXPECT_EQ(ReadAt(s, 5, 2 * k_buffer + 3), bytes.substr(5, 2 * k_buffer + 3));  // bigger than the buffer
  EXPECT_EQ(s.Position(), 5 + 2 * k_buffer + 3);
  EXPECT_EQ(ReadAt(s, 3 * k_buffer, 100), bytes.substr(3 * k_buffer));  // short at the end
  EXPECT_EQ(s.Position(), static_cast<std::int64_t>(bytes.size()));
  EXPECT_EQ(ReadAt(s, bytes.size() + 10, 5), "");  // past the end
  EXPECT_EQ(s.Position(), static_cast<std::int64_t>(bytes.size()) + 10);
  EXPECT_EQ(s.Seek(-4, TSeekOrigin::End), static_cast<std::int64_t>(bytes.size()) - 4);
  EXPECT_EQ(s.Seek(-100, TSeekOrigin::Beginning), 0);
}

// The buffer is the only copy the stream reads from while the position stays inside it:
// a change made through another handle shows only after a seek outside.
TEST_F(FileStreamTest, SeeksInsideTheBufferDoNotReadTheFileAgain) {
  std::string bytes(3 * k_buffer, 'a');
  WriteFile(path_, bytes);
  TFileStream s(path_, TFileStream::Mode::OpenRead);
  EXPECT_EQ(ReadAt(s, 100, 256), std::string(256, 'a'));

  platform::FileHandle other = platform::FileOpen(path_, platform::FileAccess::ReadWrite);
  ASSERT_NE(other, platform::k_invalidFile);
  std::string changed(3 * k_buffer, 'b');
  ASSERT_EQ(platform::FileWrite(other, changed.data(), static_cast<std::int32_t>(changed.size())),
            static_cast<std::int32_t>(changed.size()));
  platform::FileClose(other);

  EXPECT_EQ(ReadAt(s, 200, 256), std::string(256, 'a'));  // seek back, still buffered
  EXPECT_EQ(ReadAt(s, 2 * k_buffer, 4), "bbbb");           // outside: read from the file
}

TEST_F(FileStreamTest, WritesAreBufferedUntilFlushSeekOrDestruction) {
  {
    TFileStream s(path_, TFileStream::Mode::Create);
    s.WriteString("hello ");
    s.WriteString("world");
    EXPECT_EQ(platform::FileSizeByName(path_), 0);
    EXPECT_EQ(s.Size(), 11);
    s.Flush();
    EXPECT_EQ(ReadFile(path_), "hello world");
    s.WriteString("!!");
    s.SetPosition(0);  // a seek away from the pending bytes writes them out
    EXPECT_EQ(ReadFile(path_), "hello world!!");
    s.WriteString("J");
  }
  EXPECT_EQ(ReadFile(path_), "Jello world!!");
}

TEST_F(FileStreamTest, ReadAfterWriteSeesTheWrittenBytes) {
  std::string bytes = Pattern(2 * k_buffer);
  WriteFile(path_, bytes);
  TFileStream s(path_, TFileStream::Mode::OpenReadWrite);
  EXPECT_EQ(ReadAt(s, 1000, 100), bytes.substr(1000, 100));  // buffers the start of the file
  s.SetPosition(1010);
  s.WriteString("XYZ");
  EXPECT_EQ(s.Position(), 1013);
  EXPECT_EQ(ReadAt(s, 1008, 7), bytes.substr(1008, 2) + "XYZ" + bytes.substr(1013, 2));
  // Appending beyond the end, then reading back across the old end.
  s.Seek(0, TSeekOrigin::End);
  s.WriteString("tail");
  EXPECT_EQ(s.Size(), 2 * k_buffer + 4);
  EXPECT_EQ(ReadAt(s, 2 * k_buffer - 2, 10), bytes.substr(2 * k_buffer - 2) + "tail");
  // A write bigger than the buffer goes straight to the file.
  std::string big = Pattern(k_buffer + 5);
  s.SetPosition(3);
  s.WriteString(big);
  EXPECT_EQ(ReadAt(s, 0, 4), bytes.substr(0, 3) + big.substr(0, 1));
  s.Flush();
  std::string expected = bytes + "tail";
  expected.replace(1010, 3, "XYZ");
  expected.replace(3, big.size(), big);
  EXPECT_EQ(ReadFile(path_), expected);
}

TEST_F(FileStreamTest, SetSizeCutsTheFileAndPendingWrites) {
  TFileStream s(path_, TFileStream::Mode::Create);
  s.WriteString("0123456789");
  s.SetSize(4);
  EXPECT_EQ(s.Size(), 4);
  EXPECT_EQ(s.Position(), 4);
  EXPECT_EQ(ReadFile(path_), "0123");
  EXPECT_EQ(ReadAt(s, 0, 10), "0123");
  s.SetSize(6);  // grows with zero bytes
  EXPECT_EQ(ReadAt(s, 0, 10), std::string("0123\0\0", 6));
}

TEST_F(FileStreamTest, ReadOnlyStreamRefusesWrites) {
  WriteFile(path_, "abc");
  TFileStream s(path_, TFileStream::Mode::OpenRead);
  EXPECT_EQ(s.Write("x", 1), 0);
  EXPECT_THROW(s.WriteString("x"), Exception);
  try {
    s.SetSize(1);
    FAIL() << "SetSize on a read-only stream";
  } catch (const EFileException& e) {
    EXPECT_EQ(e.FileErrorKind(), EFileException::Kind::Write);
  }
  EXPECT_EQ(ReadFile(path_), "abc");
}

TEST_F(FileStreamTest, WriteOnlyStreamReadsNothing) {
  WriteFile(path_, "abc");
  TFileStream s(path_, TFileStream::Mode::OpenWrite);
  char c;
  EXPECT_EQ(s.Read(&c, 1), 0);
  s.WriteString("xy");
  s.Flush();
  EXPECT_EQ(ReadFile(path_), "xyc");
}

TEST(FileStreamDiskFull, ShortWriteRaisesWriteError) {
  const std::string full = "/dev/full";
  if (platform::PathSeparator() != '/' || !platform::FileExists(full)) GTEST_SKIP() << "no full device here";
  TFileStream s(full, TFileStream::Mode::OpenWrite);
  s.WriteString("data that the device refuses");
  try {
    s.Flush();
    FAIL() << "a refused write was reported as success";
  } catch (const EFileException& e) {
    EXPECT_EQ(e.FileErrorKind(), EFileException::Kind::Write);
    EXPECT_EQ(e.Message(), "File Write Error: \r\n" + full);
  }
  std::string big(k_buffer + 1, 'z');  // goes to the file at once
  EXPECT_THROW(s.WriteString(big), EFileException);
}

// The same random mix of reads, seeks, writes and size changes on a file stream and on a
// memory stream must give the same results and the same bytes.
TEST_F(FileStreamTest, BehavesLikeAMemoryStream) {
  std::mt19937 random(20240601);
  std::string initial = Pattern(150000);
  WriteFile(path_, initial);
  TMemoryStream model(initial);
  {
    TFileStream s(path_, TFileStream::Mode::OpenReadWrite);
    std::uniform_int_distribution<int> op(0, 99);
    for (int step = 0; step < 3000; ++step) {
      int kind = op(random);
      std::int64_t size = model.Size();
      std::int32_t count = static_cast<std::int32_t>(random() % (kind % 10 == 0 ? 3 * k_buffer : 600));
      std::int64_t target = static_cast<std::int64_t>(random() % (size + 2000));
      if (kind < 45) {
        std::string a(static_cast<size_t>(count), '\0'), b(static_cast<size_t>(count), '\0');
        ASSERT_EQ(s.Read(count ? &a[0] : nullptr, count), model.Read(count ? &b[0] : nullptr, count)) << step;
        ASSERT_EQ(a, b) << step;
      } else if (kind < 70) {
        ASSERT_EQ(s.Seek(target, TSeekOrigin::Beginning), model.Seek(target, TSeekOrigin::Beginning));
      } else if (kind < 80) {
        std::int64_t delta = static_cast<std::int64_t>(random() % 1000) - 500;
        ASSERT_EQ(s.Seek(delta, TSeekOrigin::Current), model.Seek(delta, TSeekOrigin::Current)) << step;
      } else if (kind < 98) {
        std::string bytes(static_cast<size_t>(count), static_cast<char>('A' + step % 26));
        ASSERT_EQ(s.Write(bytes.data(), count), model.Write(bytes.data(), count)) << step;
      } else {
        std::int64_t newSize = static_cast<std::int64_t>(random() % (size + 1000));
        s.SetSize(newSize);
        model.SetSize(newSize);
      }
      ASSERT_EQ(s.Position(), model.Position()) << step;
      ASSERT_EQ(s.Size(), model.Size()) << step;
    }
  }
  EXPECT_TRUE(ReadFile(path_) == model.Bytes());
}

// Lines of every length (some over the 255-byte limit), all line-end kinds and NUL bytes,
// so that lines and read-aheads straddle the stream's buffer boundaries.
std::string LineText(size_t size) {
  std::mt19937 random(7);
  std::string text;
  while (text.size() < size) {
    size_t length = random() % 320;
    for (size_t i = 0; i < length; ++i) text += static_cast<char>(' ' + random() % 90);
    switch (random() % 6) {
      case 0: text += "\r"; break;
      case 1: text += "\n"; break;
      case 2: text += '\0'; break;
      default: text += "\r\n"; break;
    }
  }
  return text;
}

TEST_F(FileStreamTest, ReadLineGivesTheSameLinesAsOverMemory) {
  std::string text = LineText(3 * k_buffer + 999);
  WriteFile(path_, text);
  TFileStream file(path_, TFileStream::Mode::OpenRead);
  TMemoryStream memory(text);
  std::string a, b;
  int lines = 0;
  while (memory.Position() < memory.Size()) {
    ReadLine(file, a);
    ReadLine(memory, b);
    ASSERT_EQ(a, b) << "line " << lines;
    ASSERT_EQ(file.Position(), memory.Position()) << "line " << lines;
    ++lines;
  }
  EXPECT_GT(lines, 1000);
  ReadLine(file, a);
  EXPECT_EQ(a, "");
  EXPECT_EQ(file.Position(), static_cast<std::int64_t>(text.size()));
}

}  // namespace
