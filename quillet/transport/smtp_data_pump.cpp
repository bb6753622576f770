#include "quillet/transport/smtp_data_pump.h"

#include <algorithm>
#include <cmath>

#include "quillet/transport/smtp_errors.h"
#include "quillet/transport/transport_texts.h"

void TDataPump::Begin(TStream& header, std::int64_t bodyStart, std::int64_t bodyLength) {
  header_ = &header;
  headerSize_ = header.Size();
  headerSent_ = 0;
  bodyStart_ = bodyStart;
  bodyLength_ = bodyLength;
  bodySent_ = 0;
  encoder_ = TDataEncoder();
  buffer_.clear();
  taken_ = 0;
  pieceSource_ = 0;
  phase_ = TDataPhase::HeaderBlock;
}

TPumpResult TDataPump::Pump(const TSendPiece& send) {
  for (;;) {
    if (taken_ == buffer_.size()) {
      CountTaken();
      if (!Refill()) return TPumpResult::Done;
    }
    int size = static_cast<int>(std::min<std::size_t>(buffer_.size() - taken_, k_pieceSize));
    int sent = send(buffer_.data() + taken_, size);
    if (sent < 0) return TPumpResult::Failed;
    if (sent == 0) return TPumpResult::WouldBlock;
    taken_ += static_cast<std::size_t>(std::min(sent, size));
  }
}

void TDataPump::CountTaken() {
  if (phase_ == TDataPhase::HeaderBlock) headerSent_ += pieceSource_;
  if (phase_ == TDataPhase::Body) bodySent_ += pieceSource_;
  pieceSource_ = 0;
}

// A piece may encode to nothing (a held-back "."), so pieces are read until there are
// wire bytes or the phase changes.
bool TDataPump::Refill() {
  buffer_.clear();
  taken_ = 0;
  while (buffer_.empty()) {
    switch (phase_) {
      case TDataPhase::HeaderBlock:
        if (headerSent_ + pieceSource_ < headerSize_) {
          ReadPiece(*header_, headerSent_ + pieceSource_, headerSize_ - headerSent_ - pieceSource_);
        } else {
          headerSent_ += pieceSource_;
          pieceSource_ = 0;
          phase_ = TDataPhase::Body;
        }
        break;
      case TDataPhase::Body:
        if (bodySent_ + pieceSource_ < bodyLength_) {
          ReadPiece(file_, bodyStart_ + bodySent_ + pieceSource_, bodyLength_ - bodySent_ - pieceSource_);
        } else {
          bodySent_ += pieceSource_;
          pieceSource_ = 0;
          encoder_.EndData(buffer_);
          phase_ = TDataPhase::Terminator;
        }
        break;
      case TDataPhase::Terminator:
      case TDataPhase::None:
        phase_ = TDataPhase::None;
        return false;
    }
  }
  return true;
}

void TDataPump::ReadPiece(TStream& source, std::int64_t position, std::int64_t left) {
  if (position < 0 || left < 0) throw ERawSmtpError(k_textSmtpInternal);
  std::int32_t count = static_cast<std::int32_t>(std::min<std::int64_t>(left, k_pieceSize));
  char piece[k_pieceSize];
  source.SetPosition(position);
  if (source.Read(piece, count) != count) throw ERawSmtpError(k_textCannotReadMail);
  pieceSource_ += count;
  encoder_.Encode(piece, static_cast<std::size_t>(count), buffer_);
}

std::int32_t TDataPump::Percent() const {
  double done = static_cast<double>(headerSent_ + bodySent_);
  double total = static_cast<double>(headerSize_ + bodyLength_ + 1);
  return static_cast<std::int32_t>(std::lround(done * 100.0 / total));
}
