#include "quillet/transport/smtp_reply.h"

#include <cctype>

#include "quillet/transport/mail_base.h"
#include "quillet/transport/transport_texts.h"

namespace {

// A line that more lines of the same reply follow ("250-...").
bool IsContinuation(const std::string& line) {
  return line.size() >= 4 && std::isdigit(static_cast<unsigned char>(line[0])) &&
         std::isdigit(static_cast<unsigned char>(line[1])) && std::isdigit(static_cast<unsigned char>(line[2])) &&
         line[3] == '-';
}

}  // namespace

std::string TSmtpReply::LastText() const {
  if (lines.empty()) return std::string();
  return lines.back().size() > 4 ? lines.back().substr(4) : std::string();
}

std::string TSmtpReply::Text() const {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

bool TSmtpReplyReader::Next(TSmtpReply& reply) {
  TSmtpReply gathered;
  std::size_t start = 0;
  for (std::size_t end = pending_.find('\n'); end != std::string::npos; end = pending_.find('\n', start)) {
    std::string line = pending_.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    start = end + 1;
    const bool last = !IsContinuation(line);
    gathered.lines.push_back(std::move(line));
    if (last) {
      pending_.erase(0, start);
      reply = std::move(gathered);
      return true;
    }
  }
  if (pending_.size() > k_maxReply) throw EMailError(k_textSmtpReplyTooLong);
  return false;
}
