#include "quillet/message/parser/range_line_reader.h"

#include <algorithm>
#include <cstring>

#include "quillet/message/parser/range_view.h"

namespace msgdecode {

TRangeLineReader::TRangeLineReader(TStream& stream, std::int64_t start, std::int64_t end)
    : stream_(stream), end_(std::max(start, end)), bufferStart_(start) {}

bool TRangeLineReader::Fill() {
  bufferStart_ += static_cast<std::int64_t>(next_);
  next_ = 0;
  length_ = 0;
  std::int64_t left = end_ - bufferStart_;
  if (left <= 0) return false;
  std::int32_t want = static_cast<std::int32_t>(std::min<std::int64_t>(left, readSize_));
  readSize_ = std::min(readSize_ * 2, k_bufferSize);
  if (buffer_.size() < static_cast<size_t>(want)) buffer_.resize(static_cast<size_t>(want));
  ReadExactly(stream_, bufferStart_, buffer_.data(), want);
  length_ = static_cast<size_t>(want);
  return true;
}

bool TRangeLineReader::ReadLine(std::string& line) {
  line.clear();
  if (next_ == length_ && !Fill()) return false;
  for (;;) {
    const char* from = buffer_.data() + next_;
    const char* cr = static_cast<const char*>(std::memchr(from, '\r', length_ - next_));
    if (!cr) {
      line.append(from, length_ - next_);
      next_ = length_;
      if (!Fill()) return true;  // the range ends the line
      continue;
    }
    line.append(from, static_cast<size_t>(cr - from));
    next_ = static_cast<size_t>(cr - buffer_.data()) + 1;
    if (next_ == length_ && !Fill()) return true;
    if (buffer_[next_] == '\n') ++next_;
    return true;
  }
}

}  // namespace msgdecode
