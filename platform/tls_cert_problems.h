// What both TLS engines share about the server's certificate: the problems their checks
// find, one bit each, the verdict those add up to, and the fingerprint's digits.
#pragma once

#include <cstddef>
#include <string>

#include "platform/tls_session.h"

namespace platform::tls {

constexpr unsigned k_problemUntrusted = 1;
constexpr unsigned k_problemExpired = 2;
constexpr unsigned k_problemWrongName = 4;

// The first problem in TCertVerdict's order; Valid when none.
TCertVerdict VerdictOf(unsigned problems);
// The bytes as upper-case hex digits (a fingerprint).
std::string HexDigits(const unsigned char* bytes, std::size_t size);

}  // namespace platform::tls
