// The server certificate a user chose to trust, and the texts that refuse one.
#pragma once

#include <optional>
#include <string>

#include "platform/tls_session.h"

// Whether `actual` (the peer's fingerprint) is the one the user trusted: the same hex
// digits, with case and ':' ignored. An empty or malformed trusted value matches nothing.
bool FingerprintsMatch(const std::string& trusted, const std::string& actual);
// Whether a text a user gives is a SHA-256 fingerprint as FingerprintsMatch reads it.
bool IsFingerprint(const std::string& text);
// A fingerprint as a user pastes it (either case; ':', spaces or tabs between the digits)
// in the form the account keys keep and the refusal shows: 64 upper-case hex digits. A text
// of nothing but spaces is "" (nothing trusted); any other text that is not 32 bytes of hex
// gives nothing.
std::optional<std::string> StoredFingerprint(const std::string& text);

// "服务器 HOST 的证书未通过验证：REASON" with the fingerprint on the next line and how to
// trust it, for an EMailError.
std::string CertificateRefusalText(const std::string& host, const platform::TTlsPeer& peer);

// "与服务器 HOST 建立安全连接失败：" and the engine's words.
std::string TlsFailureText(const std::string& host, const std::string& engineText);
