// The decoders' input side: the lines of a byte range of a stream, read in large chunks
// so that a line costs no stream call. A line is the text up to a CR (a LF right after
// the CR belongs to the line break) or up to the end of the range; it has no length
// limit. A line longer than the buffer comes in several pieces.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "quillet/common/stream.h"

struct TLinePiece {
  const char* data = nullptr;
  size_t length = 0;
  bool first = true;  // the piece starts a line
  bool last = true;   // the line ends after the piece
};

class TCodecLineReader {
 public:
  // The range is [offset, offset + size), clipped to the stream's end.
  TCodecLineReader(TStream& stream, std::int64_t offset, std::int64_t size);
  // Leaves the stream just after the last line handed out.
  ~TCodecLineReader();
  TCodecLineReader(const TCodecLineReader&) = delete;
  TCodecLineReader& operator=(const TCodecLineReader&) = delete;

  // The next piece; false at the end of the range. The piece's bytes stay valid until the
  // next call.
  bool Next(TLinePiece& piece);
  // The stream position after the last piece handed out and its line break.
  std::int64_t Position() const { return bufferStart_ + static_cast<std::int64_t>(begin_); }
  // offset + size, as given.
  std::int64_t End() const { return rangeEnd_; }

 private:
  bool Exhausted() const { return atStreamEnd_ || readPosition_ >= rangeEnd_; }
  void Refill();

  TStream& stream_;
  std::int64_t rangeEnd_;
  std::int64_t readPosition_;   // stream position of the next read
  std::int64_t bufferStart_;    // stream position of buffer_[0]
  std::vector<char> buffer_;
  size_t begin_ = 0;            // first byte not handed out
  size_t end_ = 0;              // bytes in the buffer
  bool atStreamEnd_ = false;
  bool insideLine_ = false;     // the last piece handed out did not end its line
};
