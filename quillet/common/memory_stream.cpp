#include <algorithm>
#include <cstring>

#include "quillet/common/common_texts.h"
#include "quillet/common/exceptions.h"
#include "quillet/common/stream.h"

namespace {
constexpr std::int32_t k_copyBufferSize = 8192;
}

std::int64_t TStream::Size() {
  std::int64_t here = Position();
  std::int64_t end = Seek(0, TSeekOrigin::End);
  Seek(here, TSeekOrigin::Beginning);
  return end;
}

void TStream::SetSize(std::int64_t) { throw Exception(k_textStreamSize); }

void TStream::ReadBuffer(void* buffer, std::int32_t count) {
  if (count != 0 && Read(buffer, count) != count) throw Exception(k_textStreamRead);
}

void TStream::WriteBuffer(const void* buffer, std::int32_t count) {
  if (count != 0 && Write(buffer, count) != count) throw Exception(k_textStreamWrite);
}

std::int64_t TStream::CopyFrom(TStream& source, std::int64_t count) {
  char buffer[k_copyBufferSize];
  std::int64_t copied = 0;
  while (count < 0 || copied < count) {
    std::int32_t want = k_copyBufferSize;
    if (count >= 0 && count - copied < want) want = static_cast<std::int32_t>(count - copied);
    std::int32_t n = source.Read(buffer, want);
    if (n <= 0) break;
    WriteBuffer(buffer, n);
    copied += n;
  }
  return copied;
}

std::int32_t TMemoryStream::Read(void* buffer, std::int32_t count) {
  std::int64_t size = Size();
  if (count <= 0 || position_ >= size) return 0;
  std::int32_t n = static_cast<std::int32_t>(std::min<std::int64_t>(count, size - position_));
  std::memcpy(buffer, data_.data() + position_, static_cast<size_t>(n));
  position_ += n;
  return n;
}

std::int32_t TMemoryStream::Write(const void* buffer, std::int32_t count) {
  if (count <= 0) return 0;
  std::int64_t end = position_ + count;
  if (end > Size()) data_.resize(static_cast<size_t>(end));
  std::memcpy(&data_[static_cast<size_t>(position_)], buffer, static_cast<size_t>(count));
  position_ = end;
  return count;
}

std::int64_t TMemoryStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  std::int64_t base = origin == TSeekOrigin::Beginning ? 0 : origin == TSeekOrigin::Current ? position_ : Size();
  position_ = std::max<std::int64_t>(0, base + offset);
  return position_;
}

void TMemoryStream::SetSize(std::int64_t size) {
  data_.resize(static_cast<size_t>(std::max<std::int64_t>(0, size)));
  if (position_ > size) position_ = size;
}
