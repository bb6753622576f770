#include "quillet/message/parser/range_view.h"

#include <algorithm>

#include "quillet/message/parser/msg_decode.h"
#include "quillet/message/parser/msg_errors.h"

namespace msgdecode {

TRangeView::TRangeView(TStream& source, std::int64_t start, std::int64_t length)
    : source_(source), start_(start), length_(std::max<std::int64_t>(0, length)) {}

std::int32_t TRangeView::Read(void* buffer, std::int32_t count) {
  if (count <= 0 || position_ >= length_) return 0;
  std::int32_t want = static_cast<std::int32_t>(std::min<std::int64_t>(count, length_ - position_));
  source_.SetPosition(start_ + position_);
  std::int32_t got = source_.Read(buffer, want);
  if (got > 0) position_ += got;
  return got > 0 ? got : 0;
}

std::int32_t TRangeView::Write(const void*, std::int32_t) { return 0; }

std::int64_t TRangeView::Seek(std::int64_t offset, TSeekOrigin origin) {
  std::int64_t base = origin == TSeekOrigin::soBeginning ? 0 : origin == TSeekOrigin::soCurrent ? position_ : length_;
  position_ = std::max<std::int64_t>(0, base + offset);
  return position_;
}

void ReadExactly(TStream& source, std::int64_t position, char* buffer, std::int32_t count) {
  source.SetPosition(position);
  std::int32_t done = 0;
  while (done < count) {
    std::int32_t got = source.Read(buffer + done, count - done);
    if (got <= 0) throw EMsgDecodeError(msg_errors::kCanNotRead);
    done += got;
  }
}

}  // namespace msgdecode
