#include "platform/tls_cert_problems.h"

namespace platform::tls {

TCertVerdict VerdictOf(unsigned problems) {
  if (problems & k_problemUntrusted) return TCertVerdict::Untrusted;
  if (problems & k_problemExpired) return TCertVerdict::Expired;
  if (problems & k_problemWrongName) return TCertVerdict::WrongName;
  return TCertVerdict::Valid;
}

std::string HexDigits(const unsigned char* bytes, std::size_t size) {
  static const char k_digits[] = "0123456789ABCDEF";
  std::string out;
  for (std::size_t i = 0; i < size; ++i) {
    out += k_digits[bytes[i] >> 4];
    out += k_digits[bytes[i] & 15];
  }
  return out;
}

}  // namespace platform::tls
