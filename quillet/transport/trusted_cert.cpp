#include "quillet/transport/trusted_cert.h"

#include <cctype>

#include "quillet/transport/transport_texts.h"

namespace {

// SHA-256 in hex.
constexpr std::size_t k_fingerprintDigits = 64;

// Upper-case hex digits without ':'; empty when anything else is in the text.
std::string CanonicalFingerprint(const std::string& text) {
  std::string digits;
  for (char c : text) {
    if (c == ':') continue;
    if (!std::isxdigit(static_cast<unsigned char>(c))) return std::string();
    digits += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  }
  return digits.size() == k_fingerprintDigits ? digits : std::string();
}

const char* ReasonText(platform::TCertVerdict verdict) {
  switch (verdict) {
    case platform::TCertVerdict::Expired:
      return k_textCertExpired;
    case platform::TCertVerdict::WrongName:
      return k_textCertWrongName;
    default:
      return k_textCertUntrusted;
  }
}

}  // namespace

bool IsFingerprint(const std::string& text) { return !CanonicalFingerprint(text).empty(); }

std::optional<std::string> StoredFingerprint(const std::string& text) {
  std::string digits;
  for (char c : text)
    if (c != ' ' && c != '\t') digits += c;
  if (digits.empty()) return digits;
  digits = CanonicalFingerprint(digits);
  if (digits.empty()) return std::nullopt;
  return digits;
}

bool FingerprintsMatch(const std::string& trusted, const std::string& actual) {
  std::string wanted = CanonicalFingerprint(trusted);
  return !wanted.empty() && wanted == CanonicalFingerprint(actual);
}

std::string CertificateRefusalText(const std::string& host, const platform::TTlsPeer& peer) {
  return k_textCertRefusedPrefix + host + k_textCertRefusedMiddle + ReasonText(peer.verdict) +
         k_textCertFingerprint + peer.fingerprint + k_textCertTrustHint;
}

std::string TlsFailureText(const std::string& host, const std::string& engineText) {
  return k_textTlsFailedPrefix + host + k_textTlsFailedMiddle + engineText;
}
