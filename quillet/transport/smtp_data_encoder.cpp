#include "quillet/transport/smtp_data_encoder.h"

void TDataEncoder::LineEnd(char c, std::string& out) {
  out += "\r\n";
  skipLf_ = c == '\r';
  lineEnded_ = true;
  state_ = TLineState::Start;
}

void TDataEncoder::Encode(const char* data, std::size_t size, std::string& out) {
  for (std::size_t i = 0; i < size; ++i) {
    char c = data[i];
    if (skipLf_) {
      skipLf_ = false;
      if (c == '\n') continue;
    }
    bool lineEnd = c == '\r' || c == '\n';
    switch (state_) {
      case TLineState::Start:
        if (c == '.') {
          state_ = TLineState::OneDot;
          continue;
        }
        break;
      case TLineState::OneDot:
        if (c == '.') {
          state_ = TLineState::TwoDots;
          continue;
        }
        out += "..";  // "." followed by anything else, or alone on its line
        break;
      case TLineState::TwoDots:
        out += lineEnd ? ".." : "...";
        break;
      case TLineState::Middle:
        break;
    }
    if (lineEnd) {
      LineEnd(c, out);
    } else {
      out += c;
      state_ = TLineState::Middle;
    }
  }
}

void TDataEncoder::Finish(std::string& out) {
  if (state_ == TLineState::OneDot || state_ == TLineState::TwoDots) out += "..";
  state_ = TLineState::Start;
  skipLf_ = false;
  lineEnded_ = false;
}

void TDataEncoder::EndData(std::string& out) {
  const bool atLineStart = state_ == TLineState::Start && lineEnded_;
  Finish(out);
  out += atLineStart ? ".\r\n" : "\r\n.\r\n";
}
