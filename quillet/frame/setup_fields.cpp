#include "quillet/frame/setup_fields.h"

#include "quillet/common/text_format.h"
#include "quillet/frame/frame_texts.h"
#include "quillet/transport/connections.h"
#include "quillet/transport/mail_accounts.h"

namespace {

constexpr std::size_t k_maxDigits = 9;  // fits 32 bits

std::int32_t OwnPort(TServerKind kind, TMailSecurity security) {
  return kind == TServerKind::Pop3 ? DefaultPop3Port(security) : DefaultSmtpPort(security);
}

}  // namespace

std::optional<std::int32_t> NumberInRange(const std::string& text, TNumberRange range) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return std::nullopt;
  const std::string digits = text.substr(first, text.find_last_not_of(' ') + 1 - first);
  if (digits.size() > k_maxDigits || digits.find_first_not_of("0123456789") != std::string::npos)
    return std::nullopt;
  const std::int32_t value = std::stoi(digits);
  if (value < range.low || value > range.high) return std::nullopt;
  return value;
}

std::string RangeComplaint(TNumberRange range) {
  return FormatText(frame_texts::k_setupNumberRange, {std::to_string(range.low), std::to_string(range.high)});
}

std::int32_t PortAfterSecurityChange(std::int32_t port, TServerKind kind, TMailSecurity from, TMailSecurity to) {
  return port == OwnPort(kind, from) ? OwnPort(kind, to) : port;
}

std::string FingerprintComplaint(TServerKind kind) {
  const char* owner = frame_texts::k_fingerprintOwners[static_cast<std::size_t>(kind)];
  return FormatText(frame_texts::k_setupBadFingerprint, {owner});
}
