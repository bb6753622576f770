// Small reads of a file through one large window (store-internal), for walks that visit
// the file mostly in order: the separators and texts of the items of a data file.
#pragma once

#include <cstdint>
#include <vector>

#include "quillet/store/mailbox/detail/file_guard.h"

class TReadWindow {
 public:
  explicit TReadWindow(TFileGuard& file, std::int32_t windowSize = 256 * 1024);
  // Up to count bytes from the position; fewer only at the end of the file.
  std::int32_t Read(std::int64_t position, void* buffer, std::int32_t count);

 private:
  TFileGuard& file_;
  std::vector<std::uint8_t> window_;
  std::int64_t start_ = 0;
  std::int32_t length_ = 0;
};
