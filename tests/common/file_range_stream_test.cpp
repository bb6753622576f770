#include <gtest/gtest.h>

#include <string>

#include "platform/file.h"
#include "quillet/common/exceptions.h"
#include "quillet/common/lines.h"
#include "quillet/common/stream.h"

namespace {

class FileRangeStreamTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::FileHandle f = platform::FileCreate(path_);
    ASSERT_NE(f, platform::k_invalidFile);
    ASSERT_EQ(platform::FileWrite(f, text_.data(), static_cast<std::int32_t>(text_.size())),
              static_cast<std::int32_t>(text_.size()));
    platform::FileClose(f);
  }
  void TearDown() override { platform::FileDelete(path_); }

  std::string Read(TStream& s, std::int32_t count) {
    std::string bytes(static_cast<size_t>(count), '\0');
    bytes.resize(static_cast<size_t>(s.Read(&bytes[0], count)));
    return bytes;
  }

  std::string path_ = platform::TempFolder() + "qfrs_test.bin";
  std::string text_ = "0123456789first line\r\nsecond line\r\nafter the range";
};

TEST_F(FileRangeStreamTest, PositionZeroIsTheRangeStartAndReadsStopAtItsEnd) {
  TFileRangeStream s(path_, 10, 25);  // "first line\r\nsecond line\r\n"
  EXPECT_EQ(s.Size(), 25);
  EXPECT_EQ(s.Position(), 0);
  EXPECT_EQ(Read(s, 5), "first");
  EXPECT_EQ(Read(s, 100), " line\r\nsecond line\r\n");
  EXPECT_EQ(s.Position(), 25);
  EXPECT_EQ(Read(s, 1), "");
  EXPECT_EQ(s.Seek(-6, TSeekOrigin::soEnd), 19);
  EXPECT_EQ(Read(s, 4), "line");
  EXPECT_EQ(s.Seek(-100, TSeekOrigin::soCurrent), 0);
  s.SetPosition(40);
  EXPECT_EQ(Read(s, 3), "");
}

TEST_F(FileRangeStreamTest, ReadLineSeesOnlyTheRange) {
  TFileRangeStream s(path_, 10, 25);
  std::string line;
  ReadLine(s, line);
  EXPECT_EQ(line, "first line");
  ReadLine(s, line);
  EXPECT_EQ(line, "second line");
  ReadLine(s, line);
  EXPECT_EQ(line, "");
  EXPECT_EQ(s.Position(), 25);
}

TEST_F(FileRangeStreamTest, WritesFailAndLeaveTheFileAlone) {
  TFileRangeStream s(path_, 0, 5);
  EXPECT_EQ(s.Write("zz", 2), 0);
  EXPECT_THROW(s.WriteString("zz"), Exception);
  EXPECT_THROW(s.SetSize(1), Exception);
  EXPECT_EQ(Read(s, 5), "01234");
  EXPECT_EQ(platform::FileSizeByName(path_), static_cast<std::int64_t>(text_.size()));
}

TEST_F(FileRangeStreamTest, RangePastTheFileEndReadsWhatTheFileHas) {
  std::int64_t fileSize = static_cast<std::int64_t>(text_.size());
  TFileRangeStream tail(path_, fileSize - 5, 100);
  EXPECT_EQ(tail.Size(), 100);
  EXPECT_EQ(Read(tail, 50), "range");
  EXPECT_EQ(Read(tail, 50), "");
  TFileRangeStream beyond(path_, fileSize + 10, 20);
  EXPECT_EQ(Read(beyond, 20), "");
  TFileRangeStream negative(path_, -4, -1);  // nonsense bounds give an empty view
  EXPECT_EQ(negative.Size(), 0);
  EXPECT_EQ(Read(negative, 4), "");
}

TEST_F(FileRangeStreamTest, MissingFileRaisesOpenError) {
  try {
    TFileRangeStream s(path_ + ".missing", 0, 10);
    FAIL() << "opened a missing file";
  } catch (const EFileException& e) {
    EXPECT_EQ(e.FileErrorKind(), EFileException::kOpen);
  }
}

}  // namespace
