#include "quillet/transport/smtp_capabilities.h"

#include <sstream>
#include <string>

#include "quillet/common/gbk.h"

namespace {

struct TMethodName {
  TSmtpAuthMethod method;
  const char* name;
};
constexpr TMethodName k_methodNames[] = {
    {TSmtpAuthMethod::Login, "LOGIN"}, {TSmtpAuthMethod::Plain, "PLAIN"}, {TSmtpAuthMethod::CramMd5, "CRAM-MD5"}};

// A decimal limit; 0 for anything else (no limit known).
std::int64_t SizeLimit(const std::string& word) {
  if (word.empty() || word.size() > 18 || word.find_first_not_of("0123456789") != std::string::npos) return 0;
  return std::stoll(word);
}

void AddAuthMethods(std::istringstream& words, TSmtpCapabilities& caps) {
  std::string word;
  while (words >> word)
    for (const TMethodName& entry : k_methodNames)
      if (gbk::UpperCase(word) == entry.name) caps.authMethods |= static_cast<std::uint8_t>(1u << static_cast<int>(entry.method));
}

}  // namespace

TSmtpAuthMethod TSmtpCapabilities::StrongestAuth() const {
  for (TSmtpAuthMethod method : {TSmtpAuthMethod::CramMd5, TSmtpAuthMethod::Plain, TSmtpAuthMethod::Login})
    if (Offers(method)) return method;
  return TSmtpAuthMethod::None;
}

TSmtpCapabilities ParseEhloReply(const TSmtpReply& reply) {
  TSmtpCapabilities caps;
  for (std::size_t i = 1; i < reply.lines.size(); ++i) {
    const std::string& line = reply.lines[i];
    std::string text = line.size() > 4 ? line.substr(4) : std::string();
    if (gbk::StartsWithNoCase(text, "AUTH=")) text[4] = ' ';
    std::istringstream words(text);
    std::string keyword;
    words >> keyword;
    keyword = gbk::UpperCase(keyword);
    if (keyword == "STARTTLS") {
      caps.startTls = true;
    } else if (keyword == "8BITMIME") {
      caps.eightBitMime = true;
    } else if (keyword == "SIZE") {
      caps.size = true;
      std::string limit;
      words >> limit;
      caps.sizeLimit = SizeLimit(limit);
    } else if (keyword == "AUTH") {
      AddAuthMethods(words, caps);
    }
  }
  return caps;
}

const char* AuthMethodName(TSmtpAuthMethod method) {
  for (const TMethodName& entry : k_methodNames)
    if (entry.method == method) return entry.name;
  return "";
}
