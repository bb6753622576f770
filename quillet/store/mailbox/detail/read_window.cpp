#include "quillet/store/mailbox/detail/read_window.h"

#include <algorithm>
#include <cstring>

TReadWindow::TReadWindow(TFileGuard& file, std::int32_t windowSize)
    : file_(file), window_(static_cast<size_t>(windowSize)) {}

std::int32_t TReadWindow::Read(std::int64_t position, void* buffer, std::int32_t count) {
  if (count <= 0 || position < 0) return 0;
  std::int32_t windowSize = static_cast<std::int32_t>(window_.size());
  if (count > windowSize / 2) return file_.ReadAt(position, buffer, count);
  bool inside = position >= start_ && position + count <= start_ + length_;
  if (!inside) {
    start_ = position;
    length_ = file_.ReadAt(position, window_.data(), windowSize);
  }
  std::int64_t available = std::max<std::int64_t>(0, start_ + length_ - position);
  std::int32_t n = static_cast<std::int32_t>(std::min<std::int64_t>(count, available));
  if (n > 0) std::memcpy(buffer, window_.data() + (position - start_), static_cast<size_t>(n));
  return n;
}
