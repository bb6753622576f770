#include "quillet/common/range_stream.h"

#include <algorithm>
#include <limits>

namespace {
// The range's end must stay a representable position.
std::int64_t ClippedLength(std::int64_t start, std::int64_t length) {
  return std::min(std::max<std::int64_t>(0, length), std::numeric_limits<std::int64_t>::max() - start);
}
}  // namespace

TRangeStream::TRangeStream(TStream& source, std::int64_t start, std::int64_t length)
    : source_(source), start_(std::max<std::int64_t>(0, start)), length_(ClippedLength(start_, length)) {}

TRangeStream::TRangeStream(std::unique_ptr<TStream> source, std::int64_t start, std::int64_t length)
    : TRangeStream(*source, start, length) {
  owned_ = std::move(source);
}

std::int32_t TRangeStream::Read(void* buffer, std::int32_t count) {
  if (count <= 0 || position_ >= length_) return 0;
  std::int32_t want = static_cast<std::int32_t>(std::min<std::int64_t>(count, length_ - position_));
  source_.SetPosition(start_ + position_);
  std::int32_t got = source_.Read(buffer, want);
  if (got <= 0) return 0;
  position_ += got;
  return got;
}

std::int32_t TRangeStream::Write(const void*, std::int32_t) { return 0; }

std::int64_t TRangeStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  std::int64_t base = origin == TSeekOrigin::Beginning ? 0 : origin == TSeekOrigin::Current ? position_ : length_;
  position_ = std::max<std::int64_t>(0, base + offset);
  return position_;
}

std::unique_ptr<TRangeStream> OpenFileRange(const std::string& fileName, std::int64_t offset, std::int64_t length) {
  return std::make_unique<TRangeStream>(std::make_unique<TFileStream>(fileName, TFileStream::Mode::OpenRead), offset,
                                        length);
}
