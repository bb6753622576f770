#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/picture_file.h"
#include "platform/raster.h"
#include "platform/system_error.h"

namespace {

using Bytes = std::vector<unsigned char>;

void Put32(Bytes* bytes, std::int64_t value) {
  for (int i = 0; i < 4; ++i) bytes->push_back(static_cast<unsigned char>(static_cast<std::uint64_t>(value) >> (8 * i)));
}

void Record(Bytes* bytes, std::uint32_t type, std::vector<std::int64_t> fields) {
  Put32(bytes, type);
  Put32(bytes, 8 + 4 * static_cast<std::int64_t>(fields.size()));
  for (std::int64_t f : fields) Put32(bytes, f);
}

// An enhanced metafile of 8 x 4 pixels (a pixel a millimetre) whose left half is a black
// rectangle: the header record, the black stock brush and the null pen selected, the
// rectangle, the end record.
Bytes HalfBlackMetafile(std::int64_t right = 8, std::int64_t bottom = 4) {
  Bytes body;
  Record(&body, 37, {0x80000004});  // select the black brush
  Record(&body, 37, {0x80000008});  // select the null pen
  Record(&body, 43, {0, 0, 5, 5});  // a rectangle without a pen fills one pixel less
  Record(&body, 14, {0, 16, 20});   // end
  std::int64_t total = 108 + static_cast<std::int64_t>(body.size());
  Bytes file;
  Record(&file, 1, {0, 0, right, bottom,          // bounds
                    0, 0, right * 100, bottom * 100,  // frame, in hundredths of a millimetre
                    0x464D4520, 0x10000, total, 5, 1, 0, 0, 0, 1000, 1000, 1000, 1000, 0, 0, 0,
                    1000000, 1000000});
  file.insert(file.end(), body.begin(), body.end());
  return file;
}

TEST(PlatformRaster, MetafileHeadersGiveTheBoundsOrAreRefused) {
  struct Case {
    const char* name;
    Bytes bytes;
    int error, width, height;
  };
  Bytes truncated = HalfBlackMetafile();
  truncated.resize(truncated.size() - 1);  // the header says one byte more
  Bytes unsigned_ = HalfBlackMetafile();
  unsigned_[40] = 'X';
  Bytes part = HalfBlackMetafile();
  part.resize(60);
  const Case cases[] = {
      {"whole", HalfBlackMetafile(), 0, 8, 4},
      {"empty bounds", HalfBlackMetafile(-1, -1), 0, 0, 0},
      {"shorter than it says", truncated, platform::k_ERROR_INVALID_DATA, 0, 0},
      {"no signature", unsigned_, platform::k_ERROR_INVALID_DATA, 0, 0},
      {"header only in part", part, platform::k_ERROR_INVALID_DATA, 0, 0},
  };
  for (const Case& c : cases) {
    platform::Metafile m;
    EXPECT_EQ(platform::IsMetafile(c.bytes.data(), c.bytes.size()), c.name != std::string("no signature")) << c.name;
    ASSERT_EQ(platform::MetafileDecode(c.bytes.data(), c.bytes.size(), &m), c.error) << c.name;
    EXPECT_EQ(m.width, c.width) << c.name;
    EXPECT_EQ(m.height, c.height) << c.name;
  }
}

// Windows plays metafiles; posix has no renderer and says so.
TEST(PlatformRaster, MetafilesPlayOnWindowsAndAreRefusedElsewhere) {
  Bytes file = HalfBlackMetafile();
  platform::Metafile m;
  ASSERT_EQ(platform::MetafileDecode(file.data(), file.size(), &m), 0);
  platform::GrayBitmap b;
#ifdef _WIN32
  ASSERT_EQ(platform::MetafileDrawGray(m, 8, 4, &b), 0);
  ASSERT_EQ(b.indices.size(), 32u);
  for (int y = 0; y < 4; ++y) {
    EXPECT_GT(b.indices[y * 8 + 1], 200) << "row " << y;  // black
    EXPECT_LT(b.indices[y * 8 + 6], 50) << "row " << y;   // white paper
  }
#else
  EXPECT_EQ(platform::MetafileDrawGray(m, 8, 4, &b), platform::k_ERROR_NOT_SUPPORTED);
#endif
}

}  // namespace
