// The bytes of one message inside DATA, sent as the socket takes them: the header block,
// then the body range of the outbox's data file, then the end-of-data line. Both texts go
// through one TDataEncoder (smtp_data_encoder.h), a source piece of at most 4096 bytes at
// a time, into a send buffer; a send that takes part of the buffer, or none (would
// block), leaves the rest for the next writable event, so sending resumes at the exact
// byte the socket did not take.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "quillet/common/stream.h"
#include "quillet/transport/smtp_data_encoder.h"

// The values are those of the session's DataPhase.
enum class TDataPhase : std::uint8_t { None = 0, HeaderBlock = 1, Body = 2, Terminator = 3 };

// Hands bytes to the socket: the count taken (at least 1), 0 when it would block, -1 on
// any other failure.
using TSendPiece = std::function<int(const char* data, int size)>;

enum class TPumpResult { Done, WouldBlock, Failed };

class TDataPump {
 public:
  static constexpr std::int32_t k_pieceSize = 4096;

  // The pump moves `phase` along; `file` is the outbox's data file.
  TDataPump(TDataPhase& phase, TStream& file) : phase_(phase), file_(file) {}

  // Starts a message: phase HeaderBlock, nothing sent. `header` must stay alive until
  // the phase is None again.
  void Begin(TStream& header, std::int64_t bodyStart, std::int64_t bodyLength);
  // Sends until the terminator is out (Done, phase None), the socket would block, or a
  // send failed. Raises ERawSmtpError k_textCannotReadMail when a source gives fewer
  // bytes than asked, k_textSmtpInternal when a position lies outside its range.
  TPumpResult Pump(const TSendPiece& send);
  // (header bytes sent + body bytes sent) * 100 / (header size + body length + 1),
  // rounded; a source piece counts as sent once all of its wire bytes were taken.
  std::int32_t Percent() const;

 private:
  // The next piece's wire bytes into the buffer; false when the terminator was the last.
  bool Refill();
  void ReadPiece(TStream& source, std::int64_t position, std::int64_t left);
  void CountTaken();

  TDataPhase& phase_;
  TStream& file_;
  TStream* header_ = nullptr;
  std::int64_t headerSize_ = 0, headerSent_ = 0;
  std::int64_t bodyStart_ = 0, bodyLength_ = 0, bodySent_ = 0;
  TDataEncoder encoder_;
  std::string buffer_;             // wire bytes of the current piece
  std::size_t taken_ = 0;          // of them, taken by the socket
  std::int64_t pieceSource_ = 0;   // source bytes the buffer came from
};
