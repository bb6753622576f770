#include "quillet/message/codec/codec_line_reader.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace {
constexpr std::int64_t k_lineBufferSize = 256 * 1024;
constexpr std::int64_t k_minimumBuffer = 16;

std::int64_t RangeEnd(std::int64_t offset, std::int64_t size) {
  if (size <= 0) return offset;
  if (offset > std::numeric_limits<std::int64_t>::max() - size) return std::numeric_limits<std::int64_t>::max();
  return offset + size;
}
}  // namespace

TCodecLineReader::TCodecLineReader(TStream& stream, std::int64_t offset, std::int64_t size)
    : stream_(stream),
      rangeEnd_(RangeEnd(std::max<std::int64_t>(offset, 0), size)),
      readPosition_(std::max<std::int64_t>(offset, 0)),
      bufferStart_(readPosition_) {
  // Small ranges (an encoded word, a short part) get a buffer of their own size.
  std::int64_t wanted = std::min(rangeEnd_ - readPosition_, k_lineBufferSize);
  buffer_.resize(static_cast<size_t>(std::max(wanted, k_minimumBuffer)));
  stream_.Seek(readPosition_, TSeekOrigin::soBeginning);
}

TCodecLineReader::~TCodecLineReader() {
  try {
    stream_.Seek(Position(), TSeekOrigin::soBeginning);
  } catch (...) {
  }
}

bool TCodecLineReader::Next(TLinePiece& piece) {
  for (;;) {
    const char* start = buffer_.data() + begin_;
    size_t available = end_ - begin_;
    const char* cr = available ? static_cast<const char*>(std::memchr(start, '\r', available)) : nullptr;
    // A CR in the buffer's last byte waits for the next byte, which may be its LF.
    if (cr && (cr + 1 < buffer_.data() + end_ || Exhausted())) {
      size_t length = static_cast<size_t>(cr - start);
      size_t next = begin_ + length + 1;
      if (next < end_ && buffer_[next] == '\n') ++next;
      piece = TLinePiece{start, length, !insideLine_, true};
      insideLine_ = false;
      begin_ = next;
      return true;
    }
    if (Exhausted()) {
      if (available == 0 && !insideLine_) return false;
      piece = TLinePiece{start, available, !insideLine_, true};
      insideLine_ = false;
      begin_ = end_;
      return true;
    }
    if (begin_ == 0 && end_ == buffer_.size()) {
      // A line longer than the buffer: hand out all of it but a trailing CR.
      size_t length = end_ - (buffer_[end_ - 1] == '\r' ? 1 : 0);
      piece = TLinePiece{start, length, !insideLine_, false};
      insideLine_ = true;
      begin_ = length;
      return true;
    }
    Refill();
  }
}

// Moves the bytes not yet handed out to the front and reads until the buffer is full or
// the range or the stream ends.
void TCodecLineReader::Refill() {
  if (begin_ > 0) {
    std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
    bufferStart_ += static_cast<std::int64_t>(begin_);
    end_ -= begin_;
    begin_ = 0;
  }
  stream_.Seek(readPosition_, TSeekOrigin::soBeginning);
  while (end_ < buffer_.size() && readPosition_ < rangeEnd_) {
    std::int64_t want = std::min<std::int64_t>(static_cast<std::int64_t>(buffer_.size() - end_), rangeEnd_ - readPosition_);
    std::int32_t n = stream_.Read(buffer_.data() + end_, static_cast<std::int32_t>(want));
    if (n <= 0) {
      atStreamEnd_ = true;
      break;
    }
    end_ += static_cast<size_t>(n);
    readPosition_ += n;
  }
}
