// The replies of an SMTP server: one line "NNN text", or several "NNN-text" lines closed by
// a "NNN text" line, gathered across any number of reads.
#pragma once

#include <cstddef>
#include <string>

#include "quillet/common/lines.h"

struct TSmtpReply {
  TStringList lines;  // without their line ends

  // The first digit of the last line: '2' done, '3' go on, '4'/'5' refused; 0 when empty.
  char Kind() const { return lines.empty() || lines.back().empty() ? '\0' : lines.back()[0]; }
  // A reply that begins with "2" or "3".
  bool Positive() const { return Kind() == '2' || Kind() == '3'; }
  // The text after the last line's code and its separator.
  std::string LastText() const;
  // Every line with CR LF after it, as the user is shown the reply.
  std::string Text() const;
};

class TSmtpReplyReader {
 public:
  // A server that sends this much without ending a reply is not an SMTP server.
  static constexpr std::size_t k_maxReply = 64 * 1024;

  void Add(const char* data, std::size_t size) { pending_.append(data, size); }
  // Takes the first complete reply; false while its last line has not fully arrived.
  // Raises EMailError k_textSmtpReplyTooLong past k_maxReply bytes without one.
  bool Next(TSmtpReply& reply);
  // Drops whatever was received and not yet taken.
  void Clear() { pending_.clear(); }
  // What was received and not yet taken, removed from the reader.
  std::string TakePending() {
    std::string rest;
    rest.swap(pending_);
    return rest;
  }
  bool Empty() const { return pending_.empty(); }

 private:
  std::string pending_;
};
