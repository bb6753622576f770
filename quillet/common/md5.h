// The MD5 message digest (RFC 1321) and HMAC-MD5, for the mail protocols' challenge-response
// logins.
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
// Any bytes as lower-case hexadecimal digits, two per byte.
std::string Hex(const std::string& bytes);
// HMAC with MD5 (64-byte blocks; a key longer than a block is digested first): 16 bytes.
std::string Hmac(const std::string& key, const std::string& text);

}  // namespace md5
