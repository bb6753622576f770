// The data reply of RETR and TOP, decoded as it arrives in pieces of any size: the status
// line is skipped, the byte-stuffing of lines that begin with "." is removed, every bare LF
// is written as CR LF, and the reply ends at the "." line. Bytes that may still turn out to
// be that line (a "." at a line start, then its CR) are held back until a later piece
// decides, so no byte of the "." line is ever given out, wherever the reads split it. The
// line end before it belongs to the message's last line and is kept.
#pragma once

#include <cstddef>
#include <string>

enum class TDataResult {
  NeedMore,  // the reply goes on
  Ended,     // the "." line was read; bytes after it are not looked at
  Refused,   // the status line does not begin with "+" (see StatusLine)
};

class TPop3DataDecoder {
 public:
  // Appends the message bytes this piece completes to `out`. After Ended or Refused the
  // decoder stays there until Reset.
  TDataResult Feed(const char* data, std::size_t size, std::string& out);
  // Ready for the next reply.
  void Reset();
  // The status line without its line end (its first 512 bytes), once it was read.
  const std::string& StatusLine() const { return status_; }

 private:
  enum class TScan { Status, LineStart, InLine, Dot, DotCr, Ended, Refused };

  TDataResult StatusByte(char c);
  void DataByte(char c, std::string& out);
  // Writes one byte through the line-end normaliser.
  void Put(char c, std::string& out);

  TScan scan_ = TScan::Status;
  bool lastWasCr_ = false;  // the last byte given out was a CR (carried across pieces)
  std::string status_;
};
