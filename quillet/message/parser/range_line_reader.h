// Reads the lines of a byte range of a stream through one buffer, never past the range.
// A line ends at a CR; the CR and an LF right after it are consumed. A bare LF is part
// of the line. The end of the range ends the last line.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "quillet/common/stream.h"

namespace msgdecode {

class TRangeLineReader {
 public:
  TRangeLineReader(TStream& stream, std::int64_t start, std::int64_t end);

  // False, with the line empty, when the range is used up. Lines are kept whole,
  // whatever their length. The line's bytes are assigned, so a reused string does not
  // allocate again.
  bool ReadLine(std::string& line);
  // Stream position of the first byte not yet read.
  std::int64_t Position() const { return bufferStart_ + static_cast<std::int64_t>(next_); }

 private:
  // The first read is small, as most readers want a header or one line; later reads
  // grow up to the full buffer.
  static constexpr std::int32_t k_firstRead = 1024;
  static constexpr std::int32_t k_bufferSize = 16384;
  // Refills the buffer from the first unread byte; false when the range is used up.
  bool Fill();

  TStream& stream_;
  std::int64_t end_;
  std::vector<char> buffer_;
  std::int64_t bufferStart_;  // stream position of buffer_[0]
  size_t next_ = 0;           // first unread byte in the buffer
  size_t length_ = 0;         // bytes held
  std::int32_t readSize_ = k_firstRead;
};

}  // namespace msgdecode
