// The MD5 message digest (RFC 1321), for the mail protocols' challenge-response logins.
// Not for anything that needs collision resistance.
#pragma once

#include <cstddef>
#include <string>

namespace md5 {

constexpr std::size_t k_digestSize = 16;

// The 16-byte digest of `bytes`.
std::string Digest(const std::string& bytes);
// The digest as 32 lower-case hexadecimal digits.
std::string HexDigest(const std::string& bytes);

}  // namespace md5
