#include "quillet/common/line_reader.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace {
// The buffer starts small, as most readers want a header or a few lines, and doubles at
// each refill up to the largest size.
constexpr std::int64_t k_firstBuffer = 1024;
constexpr std::int64_t k_largestBuffer = 256 * 1024;
constexpr std::int64_t k_smallestBuffer = 16;

std::int64_t RangeEnd(std::int64_t offset, std::int64_t size) {
  if (size <= 0) return offset;
  if (offset > std::numeric_limits<std::int64_t>::max() - size) return std::numeric_limits<std::int64_t>::max();
  return offset + size;
}
}  // namespace

TLineReader::TLineReader(TStream& stream, std::int64_t offset, std::int64_t size, TLineEnds ends)
    : stream_(stream),
      ends_(ends),
      rangeEnd_(RangeEnd(std::max<std::int64_t>(offset, 0), size)),
      readPosition_(std::max<std::int64_t>(offset, 0)),
      bufferStart_(readPosition_) {
  // A small range (an encoded word, a short part) gets a buffer of its own size.
  std::int64_t range = rangeEnd_ - readPosition_;
  largest_ = static_cast<size_t>(std::max(std::min(range, k_largestBuffer), k_smallestBuffer));
  capacity_ = std::min(largest_, static_cast<size_t>(k_firstBuffer));
  buffer_.reset(new char[capacity_]);  // not cleared: only bytes read are ever looked at
  stream_.Seek(readPosition_, TSeekOrigin::Beginning);
}

TLineReader::~TLineReader() {
  try {
    stream_.Seek(Position(), TSeekOrigin::Beginning);
  } catch (...) {
  }
}

inline const char* TLineReader::FindBreak(const char* from, size_t count) const {
  if (ends_ == TLineEnds::Cr) return static_cast<const char*>(std::memchr(from, '\r', count));
  for (const char* p = from; p != from + count; ++p)
    if (*p == '\r' || *p == '\n') return p;
  return nullptr;
}

// The break that ends the line at the first unread byte, when the buffer shows it: a CR
// in the buffer's last byte waits for the next byte, which may be its LF.
inline const char* TLineReader::CompleteBreak() const {
  const char* start = buffer_.get() + begin_;
  const char* brk = begin_ < end_ ? FindBreak(start, end_ - begin_) : nullptr;
  return brk && (*brk == '\n' || brk + 1 < buffer_.get() + end_ || Exhausted()) ? brk : nullptr;
}

// Hands out the bytes up to the break as the end of a line and passes the break.
inline void TLineReader::TakeThrough(const char* brk, TLinePiece& piece) {
  const char* start = buffer_.get() + begin_;
  size_t next = static_cast<size_t>(brk - buffer_.get()) + 1;
  if (*brk == '\r' && next < end_ && buffer_[next] == '\n') ++next;
  piece = TLinePiece{start, static_cast<size_t>(brk - start), !insideLine_, true};
  insideLine_ = false;
  begin_ = next;
}

bool TLineReader::Next(TLinePiece& piece) {
  for (;;) {
    if (const char* brk = CompleteBreak()) {
      TakeThrough(brk, piece);
      return true;
    }
    const char* start = buffer_.get() + begin_;
    size_t available = end_ - begin_;
    if (Exhausted()) {
      if (available == 0 && !insideLine_) return false;
      piece = TLinePiece{start, available, !insideLine_, true};
      insideLine_ = false;
      begin_ = end_;
      return true;
    }
    if (begin_ == 0 && end_ == capacity_ && capacity_ == largest_) {
      // A line longer than the largest buffer: hand out all of it but a trailing CR.
      size_t length = end_ - (buffer_[end_ - 1] == '\r' ? 1 : 0);
      piece = TLinePiece{start, length, !insideLine_, false};
      insideLine_ = true;
      begin_ = length;
      return true;
    }
    Refill();
  }
}

bool TLineReader::ReadLine(std::string& line) {
  line.clear();  // then append: cheaper than assign for a reused string
  TLinePiece piece;
  // Most lines lie whole in the buffer already.
  if (const char* brk = insideLine_ ? nullptr : CompleteBreak()) TakeThrough(brk, piece);
  else if (!Next(piece)) return false;
  line.append(piece.data, piece.length);
  while (!piece.last && Next(piece)) line.append(piece.data, piece.length);
  return true;
}

// Moves the bytes not yet handed out to the front, grows the buffer after the first
// fill, and reads until it is full or the range or the stream ends.
void TLineReader::Refill() {
  if (begin_ > 0) {
    std::memmove(buffer_.get(), buffer_.get() + begin_, end_ - begin_);
    bufferStart_ += static_cast<std::int64_t>(begin_);
    end_ -= begin_;
    begin_ = 0;
  }
  if (filled_ && capacity_ < largest_) {
    capacity_ = std::min(largest_, capacity_ * 2);
    std::unique_ptr<char[]> larger(new char[capacity_]);
    std::memcpy(larger.get(), buffer_.get(), end_);
    buffer_ = std::move(larger);
  }
  filled_ = true;
  stream_.Seek(readPosition_, TSeekOrigin::Beginning);
  while (end_ < capacity_ && readPosition_ < rangeEnd_) {
    std::int64_t want = std::min<std::int64_t>(static_cast<std::int64_t>(capacity_ - end_), rangeEnd_ - readPosition_);
    std::int32_t n = stream_.Read(buffer_.get() + end_, static_cast<std::int32_t>(want));
    if (n <= 0) {
      atStreamEnd_ = true;
      break;
    }
    end_ += static_cast<size_t>(n);
    readPosition_ += n;
  }
}
