#include "quillet/transport/pop3_data_decoder.h"

namespace {

constexpr std::size_t k_statusKept = 512;

}  // namespace

void TPop3DataDecoder::Reset() {
  scan_ = TScan::Status;
  lastWasCr_ = false;
  status_.clear();
}

TDataResult TPop3DataDecoder::Feed(const char* data, std::size_t size, std::string& out) {
  for (std::size_t i = 0; i < size; ++i) {
    if (scan_ == TScan::Status) {
      if (StatusByte(data[i]) == TDataResult::Refused) return TDataResult::Refused;
      continue;
    }
    if (scan_ == TScan::Ended || scan_ == TScan::Refused) break;
    DataByte(data[i], out);
  }
  if (scan_ == TScan::Ended) return TDataResult::Ended;
  if (scan_ == TScan::Refused) return TDataResult::Refused;
  return TDataResult::NeedMore;
}

TDataResult TPop3DataDecoder::StatusByte(char c) {
  if (c != '\n') {
    if (status_.size() < k_statusKept) status_ += c;
    return TDataResult::NeedMore;
  }
  if (!status_.empty() && status_.back() == '\r') status_.pop_back();
  if (status_.empty() || status_[0] != '+') {
    scan_ = TScan::Refused;
    return TDataResult::Refused;
  }
  scan_ = TScan::LineStart;
  return TDataResult::NeedMore;
}

// A "." at a line start is held (Dot), then its CR (DotCr): ".." gives ".", ".\r\n" ends
// the reply, anything else gives the held bytes back and goes on as an ordinary line.
void TPop3DataDecoder::DataByte(char c, std::string& out) {
  switch (scan_) {
    case TScan::LineStart:
      if (c == '.') {
        scan_ = TScan::Dot;
        return;
      }
      break;
    case TScan::Dot:
      if (c == '.') {
        Put('.', out);
        scan_ = TScan::InLine;
        return;
      }
      if (c == '\r') {
        scan_ = TScan::DotCr;
        return;
      }
      Put('.', out);
      break;
    case TScan::DotCr:
      if (c == '\n') {
        scan_ = TScan::Ended;
        return;
      }
      Put('.', out);
      Put('\r', out);
      break;
    default:
      break;
  }
  Put(c, out);
  scan_ = c == '\n' ? TScan::LineStart : TScan::InLine;
}

void TPop3DataDecoder::Put(char c, std::string& out) {
  if (c == '\n' && !lastWasCr_) out += '\r';
  out += c;
  lastWasCr_ = c == '\r';
}
