// The one reader of lines over a byte range of a stream, for the codecs and the parser.
// It reads in large chunks, so a line costs no stream call, and never reads outside the
// range. A line is the text up to its line end or up to the end of the range; it has no
// length limit. (ReadLine in lines.h is the system's own 255-byte routine.)
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "quillet/common/stream.h"

// Which bytes end a line. Cr: a CR (an LF right after it belongs to the same break; a
// bare LF is part of the line), as stored messages are written. Any: also a bare LF, for
// text saved with Unix line ends.
enum class TLineEnds { Cr, Any };

// A piece of a line: a line longer than the reader's largest buffer (256 KB) comes in
// several pieces; every other line in one.
struct TLinePiece {
  const char* data = nullptr;
  size_t length = 0;
  bool first = true;  // the piece starts a line
  bool last = true;   // the line ends after the piece
};

class TLineReader {
 public:
  // The range is [offset, offset + size), clipped to the stream's end; a negative offset
  // counts as 0, and a size that passes the largest position is cut there.
  TLineReader(TStream& stream, std::int64_t offset, std::int64_t size, TLineEnds ends = TLineEnds::Cr);
  // Leaves the stream just after the last line handed out.
  ~TLineReader();
  TLineReader(const TLineReader&) = delete;
  TLineReader& operator=(const TLineReader&) = delete;

  // The next piece; false at the end of the range. Its bytes stay valid until the next call.
  bool Next(TLinePiece& piece);
  // The next whole line, without its line end; false, with the line empty, at the end of
  // the range. The bytes are assigned, so a reused string does not allocate again.
  bool ReadLine(std::string& line);
  // The stream position after the last piece handed out and its line break.
  std::int64_t Position() const { return bufferStart_ + static_cast<std::int64_t>(begin_); }
  // offset + size, as given (after the cut).
  std::int64_t End() const { return rangeEnd_; }
  // True once the stream has ended inside the range and every byte it had is handed out:
  // the last line was cut by the stream's end, not by its line end or the range's.
  bool StreamEndedEarly() const { return atStreamEnd_ && begin_ == end_ && readPosition_ < rangeEnd_; }

 private:
  bool Exhausted() const { return atStreamEnd_ || readPosition_ >= rangeEnd_; }
  const char* FindBreak(const char* from, size_t count) const;
  const char* CompleteBreak() const;
  void TakeThrough(const char* brk, TLinePiece& piece);
  void Refill();

  TStream& stream_;
  TLineEnds ends_;
  std::int64_t rangeEnd_;
  std::int64_t readPosition_;   // stream position of the next read
  std::int64_t bufferStart_;    // stream position of buffer_[0]
  std::unique_ptr<char[]> buffer_;
  size_t capacity_;             // the buffer's size
  size_t largest_;              // its size at most: the range's, up to 256 KB
  size_t begin_ = 0;            // first byte not handed out
  size_t end_ = 0;              // bytes in the buffer
  bool filled_ = false;         // a refill has been made
  bool atStreamEnd_ = false;
  bool insideLine_ = false;     // the last piece handed out did not end its line
};
