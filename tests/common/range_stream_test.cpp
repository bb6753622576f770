#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/file.h"
#include "quillet/common/exceptions.h"
#include "quillet/common/lines.h"
#include "quillet/common/range_stream.h"
#include "quillet/common/stream.h"

namespace {

class RangeStreamTest : public ::testing::Test {
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

TEST_F(RangeStreamTest, PositionZeroIsTheRangeStartAndReadsStopAtItsEnd) {
  std::unique_ptr<TRangeStream> s_ = OpenFileRange(path_, 10, 25);
  TRangeStream& s = *s_;  // "first line\r\nsecond line\r\n"
  EXPECT_EQ(s.Size(), 25);
  EXPECT_EQ(s.Position(), 0);
  EXPECT_EQ(Read(s, 5), "first");
  EXPECT_EQ(Read(s, 100), " line\r\nsecond line\r\n");
  EXPECT_EQ(s.Position(), 25);
  EXPECT_EQ(Read(s, 1), "");
  EXPECT_EQ(s.Seek(-6, TSeekOrigin::End), 19);
  EXPECT_EQ(Read(s, 4), "line");
  EXPECT_EQ(s.Seek(-100, TSeekOrigin::Current), 0);
  s.SetPosition(40);
  EXPECT_EQ(Read(s, 3), "");
}

TEST_F(RangeStreamTest, ReadLineSeesOnlyTheRange) {
  std::unique_ptr<TRangeStream> s_ = OpenFileRange(path_, 10, 25);
  TRangeStream& s = *s_;
  std::string line;
  ReadLine(s, line);
  EXPECT_EQ(line, "first line");
  ReadLine(s, line);
  EXPECT_EQ(line, "second line");
  ReadLine(s, line);
  EXPECT_EQ(line, "");
  EXPECT_EQ(s.Position(), 25);
}

TEST_F(RangeStreamTest, WritesFailAndLeaveTheFileAlone) {
  std::unique_ptr<TRangeStream> s_ = OpenFileRange(path_, 0, 5);
  TRangeStream& s = *s_;
  EXPECT_EQ(s.Write("zz", 2), 0);
  EXPECT_THROW(s.WriteString("zz"), Exception);
  EXPECT_THROW(s.SetSize(1), Exception);
  EXPECT_EQ(Read(s, 5), "01234");
  EXPECT_EQ(platform::FileSizeByName(path_), static_cast<std::int64_t>(text_.size()));
}

TEST_F(RangeStreamTest, RangePastTheFileEndReadsWhatTheFileHas) {
  std::int64_t fileSize = static_cast<std::int64_t>(text_.size());
  std::unique_ptr<TRangeStream> tail_ = OpenFileRange(path_, fileSize - 5, 100);
  TRangeStream& tail = *tail_;
  EXPECT_EQ(tail.Size(), 100);
  EXPECT_EQ(Read(tail, 50), "range");
  EXPECT_EQ(Read(tail, 50), "");
  std::unique_ptr<TRangeStream> beyond_ = OpenFileRange(path_, fileSize + 10, 20);
  TRangeStream& beyond = *beyond_;
  EXPECT_EQ(Read(beyond, 20), "");
  std::unique_ptr<TRangeStream> negative_ = OpenFileRange(path_, -4, -1);
  TRangeStream& negative = *negative_;  // nonsense bounds give an empty view
  EXPECT_EQ(negative.Size(), 0);
  EXPECT_EQ(Read(negative, 4), "");
}

// A view over any stream, not owned: reads never leave the range, and a source that ends
// inside the range ends the reads there.
TEST(RangeStream, ViewOfAStreamItDoesNotOwn) {
  TMemoryStream source("before|inside|after");
  {
    TRangeStream view(source, 7, 6);
    std::string bytes(20, '\0');
    bytes.resize(static_cast<size_t>(view.Read(&bytes[0], 20)));
    EXPECT_EQ(bytes, "inside");
    TRangeStream past(source, 14, 100);
    bytes.assign(200, '\0');
    bytes.resize(static_cast<size_t>(past.Read(&bytes[0], 200)));
    EXPECT_EQ(bytes, "after");
    EXPECT_EQ(past.Size(), 100);
  }
  EXPECT_EQ(source.Bytes(), "before|inside|after");  // the source outlives its views unchanged
}

TEST_F(RangeStreamTest, MissingFileRaisesOpenError) {
  try {
    OpenFileRange(path_ + ".missing", 0, 10);
    FAIL() << "opened a missing file";
  } catch (const EFileException& e) {
    EXPECT_EQ(e.FileErrorKind(), EFileException::Kind::Open);
  }
}

}  // namespace
