// The codecs' output side: decoded or encoded bytes gather in one buffer and reach the
// stream in large writes instead of one write per line.
#pragma once

#include <cstddef>
#include <vector>

#include "quillet/common/stream.h"

class TCodecOutput {
 public:
  explicit TCodecOutput(TStream& stream);
  // Writes what is left; a failure here is dropped (the job is unwinding already or has
  // flushed itself).
  ~TCodecOutput();
  TCodecOutput(const TCodecOutput&) = delete;
  TCodecOutput& operator=(const TCodecOutput&) = delete;

  // Room for count more bytes; fill them and Commit how many were used.
  char* Reserve(size_t count);
  void Commit(char* end) { used_ = static_cast<size_t>(end - buffer_.data()); }
  void Append(const char* bytes, size_t count);
  // Writes the gathered bytes; throws when the stream takes fewer.
  void Flush();

  // A line's bytes can be taken back while they are still in the buffer.
  void MarkLine() { mark_ = used_; }
  void DropLine() { used_ = mark_; }

 private:
  TStream& stream_;
  std::vector<char> buffer_;
  size_t used_ = 0;
  size_t mark_ = 0;
};
