#include <algorithm>

#include "quillet/common/stream.h"

TFileRangeStream::TFileRangeStream(const std::string& fileName, std::int64_t offset, std::int64_t length)
    : file_(fileName, TFileStream::fmOpenRead),
      offset_(std::max<std::int64_t>(0, offset)),
      length_(std::max<std::int64_t>(0, length)) {}

std::int32_t TFileRangeStream::Read(void* buffer, std::int32_t count) {
  if (count <= 0 || position_ >= length_) return 0;
  std::int32_t want = static_cast<std::int32_t>(std::min<std::int64_t>(count, length_ - position_));
  file_.Seek(offset_ + position_, TSeekOrigin::soBeginning);
  std::int32_t n = file_.Read(buffer, want);  // fewer when the file ends inside the range
  position_ += n;
  return n;
}

std::int32_t TFileRangeStream::Write(const void*, std::int32_t) { return 0; }

std::int64_t TFileRangeStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  std::int64_t base = origin == TSeekOrigin::soBeginning ? 0 : origin == TSeekOrigin::soCurrent ? position_ : length_;
  position_ = std::max<std::int64_t>(0, base + offset);
  return position_;
}
